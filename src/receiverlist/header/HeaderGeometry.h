#pragma once

#include "ReceiverGeometry.h"

#include <QFont>

// Where the header paints its labels and controls inside a section, in pixels
// from the section's left edge. The painting and the column fitting both read
// these, so a fitted column always has room for what is painted into it.
namespace HeaderGeometry
{
// A label's left edge (every section but the first).
constexpr int nLabelLeft = 14;
// The first section's check box: its left edge, its icon's size and the gap
// the style leaves between a check box icon and its label.
constexpr int nCheckLeft = ReceiverGeometry::BoxLeft;
constexpr int nCheckIconSize = 16;
constexpr int nCheckLabelGap = 4;
// The first section's label as the Filter button measures it: the button
// follows the label's right edge measured from here.
constexpr int nFilterLabelLeft = 32;
// The Packets section's label as the Reset button measures it.
constexpr int nResetLabelLeft = 12;
// The space between a label's right edge and its Filter or Reset button, and
// the button's size.
constexpr int nButtonGap = 6;
constexpr int nButtonSize = 20;
// What the Packets section keeps clear right of its label for Reset.
constexpr int nResetReserve = 30;

// The labels' font.
inline QFont LabelFont()
{
    QFont font(QStringLiteral("normal"));
    font.setPixelSize(12);
    font.setWeight(QFont::Bold);
    return font;
}
}
