#pragma once

#include <QFont>

// Where the delegate paints inside a cell, in pixels from the cell's left
// edge. The painting and the column fitting both read these, so a fitted
// column always has room for what is painted into it.
namespace DelegateGeometry
{
// The first column's content starts right of the place of the row's box.
constexpr int nFirstCellIndent = 22;
// The packet counts' and the progress text's left edge, and the widest the
// packet counts (and a progress text without a bar) are drawn.
constexpr int nTextLeft = 14;
constexpr int nTextMaxWidth = 140;
// The progress bar: its widest, what the cell keeps beside it before the bar
// shrinks, and the gap to the text after it.
constexpr int nBarMaxWidth = 140;
constexpr int nBarReserve = 80;
constexpr int nBarTextGap = 7;

// The font of the packet counts and the progress text, from the view's font.
inline QFont CellFont(QFont font)
{
    font.setPixelSize(12);
    return font;
}
}
