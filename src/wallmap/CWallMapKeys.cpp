// The wall map's keys: the arrows, Home and End move the table's current
// card over the map; Space checks as a click would; Ctrl with +, - and 0 zooms.

#include "CWallMapView.h"

#include "CCMMainView.h"
#include "CReceiverListView.h"
#include "CWallMapView_p.h"

#include <QKeyEvent>

namespace
{
// The nearest card of a line to a column; -1 for an empty line.
int NearestInLine(const CWallMapLayout& layout, int nLine, int nColumn)
{
    for (int nDistance = 0; nDistance < layout.ColumnCount(); ++nDistance) {
        const int nLeft = layout.RowAt(nLine, nColumn - nDistance);
        if (nLeft >= 0)
            return nLeft;
        const int nRight = layout.RowAt(nLine, nColumn + nDistance);
        if (nRight >= 0)
            return nRight;
    }
    return -1;
}

// The card a key moves to from the current one (-1 for none yet).
int MoveTarget(const CWallMapLayout& layout, int nCurrent, int nKey)
{
    const std::vector<int>& vecOrder = layout.Order();
    if (vecOrder.empty())
        return -1;
    const CWallMapLayout::SCell cell = layout.CellOfRow(nCurrent);
    if (cell.nLine < 0 || nKey == Qt::Key_Home)
        return nKey == Qt::Key_End ? vecOrder.back() : vecOrder.front();
    const int nPos = layout.OrderPosition(nCurrent);
    switch (nKey) {
    case Qt::Key_End:
        return vecOrder.back();
    case Qt::Key_Left:
        return nPos > 0 && layout.CellOfRow(vecOrder[size_t(nPos - 1)]).nLine == cell.nLine ? vecOrder[size_t(nPos - 1)] : nCurrent;
    case Qt::Key_Right:
        return size_t(nPos + 1) < vecOrder.size() && layout.CellOfRow(vecOrder[size_t(nPos + 1)]).nLine == cell.nLine
            ? vecOrder[size_t(nPos + 1)]
            : nCurrent;
    case Qt::Key_Up:
        return cell.nLine > 0 ? NearestInLine(layout, cell.nLine - 1, cell.nColumn) : nCurrent;
    case Qt::Key_Down:
        return cell.nLine + 1 < layout.LineCount() ? NearestInLine(layout, cell.nLine + 1, cell.nColumn) : nCurrent;
    default:
        return nCurrent;
    }
}

bool IsZoomKey(const QKeyEvent* e)
{
    return e->modifiers() & Qt::ControlModifier
        && (e->key() == Qt::Key_Plus || e->key() == Qt::Key_Equal || e->key() == Qt::Key_Minus || e->key() == Qt::Key_0);
}
}

void CWallMapView::keyPressEvent(QKeyEvent* e)
{
    Q_D(CWallMapView);
    if (IsZoomKey(e)) {
        if (e->key() == Qt::Key_0)
            SetCellSize(0);
        else
            SetCellSize(CellSize() + (e->key() == Qt::Key_Minus ? -2 : 2));
        return;
    }
    if (!d->pList || !d->pMainView) {
        QAbstractScrollArea::keyPressEvent(e);
        return;
    }
    switch (e->key()) {
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_Home:
    case Qt::Key_End: {
        const int r = MoveTarget(d->layout, d->nCurrentRow, e->key());
        if (r >= 0)
            d->pList->SetCurrentModelRow(r);
        return;
    }
    case Qt::Key_Space:
        // As a Ctrl-click on the current card, Shift+Space as a Shift-click.
        if (d->pMainView->IsKeyboardChecking() && d->nCurrentRow >= 0 && !d->pMainView->IsProgressing())
            d->pList->PressModelRow(d->nCurrentRow, e->modifiers() & Qt::ShiftModifier ? Qt::ShiftModifier : Qt::ControlModifier,
                                    d->layout.Order());
        return;
    default:
        QAbstractScrollArea::keyPressEvent(e);
    }
}
