#pragma once

#include <QPoint>
#include <QRect>

// Sizes the rows, the header and the gestures must agree on.
namespace ReceiverGeometry
{
// Every row and the header are this tall.
constexpr int RowHeight = 36;

// The check box's hit rectangle in the first section of the header and in the
// first cell of a row, from the section's or row's top-left corner. The
// corners are inclusive, as QRect(QPoint, QPoint) takes them.
constexpr int BoxLeft = 15;
constexpr int BoxTop = 6;
constexpr int BoxRight = 36;
constexpr int BoxBottom = 27;

inline QRect BoxRect(const QPoint& posTopLeft)
{
    return QRect(posTopLeft + QPoint(BoxLeft, BoxTop), posTopLeft + QPoint(BoxRight, BoxBottom));
}
}
