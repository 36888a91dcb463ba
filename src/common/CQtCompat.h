#pragma once

// The few places where Qt 5.15 and Qt 6 spell the same thing differently.

#include <QPoint>
#include <QtGlobal>

namespace QtCompat
{
// Where a mouse, hover or enter event happened, in the receiving widget's
// coordinates: Qt 6 deprecates pos() for position(), which Qt 5 lacks.
template <typename TEvent>
QPoint EventPos(const TEvent* e)
{
#if QT_VERSION >= QT_VERSION_CHECK(6, 0, 0)
    return e->position().toPoint();
#else
    return e->pos();
#endif
}
}
