#include "CReceiverListInput.h"

#include "CReceiverChecking.h"
#include "CReceiverListView_p.h"
#include "CReceiverSortProxyModel.h"
#include "CViewOrder.h"

#include <QMouseEvent>

namespace
{
constexpr int s_nBoxLeft = 15;
constexpr int s_nBoxRight = 36;
constexpr int s_nBoxTop = 6;
constexpr int s_nBoxBottom = 27;
}

CReceiverListInput::CReceiverListInput(CReceiverListViewPrivate& dPrivate)
    : d(dPrivate)
{
}

int CReceiverListInput::ModelRowAt(const QPoint& pos) const
{
    const QModelIndex index = d.q->indexAt(pos);
    return index.isValid() ? d.pProxy->mapToSource(index).row() : -1;
}

bool CReceiverListInput::IsInBox(const QPoint& pos, const QModelIndex& indexView) const
{
    // The box follows the row's visible place, whatever rows a filter hides.
    if (!indexView.isValid())
        return false;
    const int nTop = d.q->visualRect(indexView).top();
    return pos.x() >= s_nBoxLeft && pos.x() <= s_nBoxRight && pos.y() >= nTop + s_nBoxTop && pos.y() <= nTop + s_nBoxBottom;
}

void CReceiverListInput::DropHoverBox()
{
    if (d.IsRow(d.nHoverRow) && d.pModel->CheckState(d.nHoverRow) == Qt::Unchecked)
        d.pModel->HideBox(d.nHoverRow);
}

// A checkable row's mark flips, as one live write. With bAnyState any state
// but Unchecked counts as checked; otherwise only Checked does.
void CReceiverListInput::Toggle(int nRow, bool bAnyState)
{
    if (!d.IsRow(nRow) || !d.pModel->IsCheckable(nRow))
        return;
    const int nState = d.pModel->CheckState(nRow);
    const bool bOn = bAnyState ? nState != Qt::Unchecked : nState == Qt::Checked;
    d.pModel->SetCheckStateLive(nRow, bOn ? Qt::Unchecked : Qt::Checked);
}

bool CReceiverListInput::Press(QMouseEvent* e)
{
    const QPoint pos = e->pos();
    const QModelIndex indexView = d.q->indexAt(pos);
    return PressRow(indexView, IsInBox(pos, indexView), e->modifiers());
}

void CReceiverListInput::KeyCheck(bool bShift)
{
    const QModelIndex indexView = d.q->currentIndex();
    if (!indexView.isValid() || d.q->isRowHidden(indexView.row(), QModelIndex()))
        return;
    // The pointer shows a row's box before it can click it; the key does the same.
    const int r = d.pProxy->mapToSource(indexView).row();
    if (d.IsRow(r) && !d.pModel->IsCheckable(r))
        d.pModel->ShowBox(r);
    PressRow(indexView, !bShift, bShift ? Qt::ShiftModifier : Qt::NoModifier);
}

bool CReceiverListInput::PressRow(const QModelIndex& indexView, bool bInBox, Qt::KeyboardModifiers modifiers)
{
    const int r = indexView.isValid() ? d.pProxy->mapToSource(indexView).row() : -1;
    if (bInBox) {
        ClickBox(r);
    } else if (modifiers == Qt::ControlModifier && indexView.isValid()) {
        CtrlClick(r);
    } else if (modifiers == Qt::ShiftModifier && d.nAnchorRow != -1 && !d.bMultiCheck) {
        ShiftClick(r, indexView.isValid() ? indexView.row() : -1);
    } else if (r == d.nAnchorRow) {
        if (d.IsRow(r) && d.pModel->IsCheckable(r)) {
            Toggle(r, false);
            d.pChecking->Report();
        }
    } else if (r == -1) {
        return false;
    } else {
        PlainClick(r);
    }
    return true;
}

void CReceiverListInput::ClickBox(int nRow)
{
    d.bMultiCheck = true;
    Toggle(nRow, true);
    d.pChecking->Report();
    d.q->viewport()->update();
}

void CReceiverListInput::CtrlClick(int nRow)
{
    d.bMultiCheck = true;
    if (d.IsRow(nRow)) {
        if (!d.pModel->IsCheckable(nRow))
            d.pModel->ShowBox(nRow);
        Toggle(nRow, true);
    }
    d.nAnchorRow = nRow;
    d.pChecking->Report();
}

void CReceiverListInput::ShiftClick(int nRow, int nViewRow)
{
    d.bMultiCheck = true;
    if (nRow == d.nAnchorRow) {
        Toggle(nRow, false);
    } else {
        // The range runs over the rows as the user sees them.
        const std::vector<int> vecOrder = d.pOrder->RowsInViewOrder();
        const int nRows = int(vecOrder.size());
        int nPosAnchor = nRows;
        if (d.nAnchorRow < nRows) {
            const QModelIndex indexAnchor = d.pProxy->mapFromSource(d.pModel->index(d.nAnchorRow, 0));
            if (indexAnchor.isValid())
                nPosAnchor = indexAnchor.row();
        }
        const int nFrom = qMax(0, qMin(nViewRow, nPosAnchor));
        const int nTo = qMin(nRows - 1, qMax(nViewRow, nPosAnchor));
        CheckRange(vecOrder, nFrom, nTo);
    }
    d.nAnchorRow = -1;
    d.pChecking->Report();
}

void CReceiverListInput::CheckRange(const std::vector<int>& vecOrder, int nFrom, int nTo)
{
    CReceiverTableModel* pModel = d.pModel;
    for (int i = nFrom; i <= nTo; ++i) {
        if (!pModel->IsCheckable(vecOrder[size_t(i)]))
            pModel->ShowBox(vecOrder[size_t(i)]);
    }
    // The first check goes through live; the rest only add checks, so one
    // summary at the end gives the header the same state.
    bool bFirst = true;
    bool bMore = false;
    for (int i = nFrom; i <= nTo; ++i) {
        const int r = vecOrder[size_t(i)];
        if (!pModel->IsCheckable(r) || pModel->CheckState(r) == Qt::Checked)
            continue;
        if (bFirst) {
            pModel->SetCheckStateLive(r, Qt::Checked);
            bFirst = false;
            continue;
        }
        bMore = true;
        pModel->SetCheckState(r, Qt::Checked);
    }
    if (bMore) {
        d.bOwnNotice = true;
        pModel->CellsChanged(0, pModel->rowCount() - 1, 0, 0);
        d.bOwnNotice = false;
        d.pChecking->Summary();
    }
}

void CReceiverListInput::PlainClick(int nRow)
{
    // A plain click moves the single check mark from the anchor (or the first
    // checked row) to the clicked row.
    if (!d.bMultiCheck) {
        const int nPrevious = d.nAnchorRow == -1 ? d.pChecking->FirstCheckedRow(false) : d.nAnchorRow;
        if (d.IsRow(nPrevious) && d.pModel->IsCheckable(nPrevious)) {
            d.pModel->SetCheckStateLive(nPrevious, Qt::Unchecked);
            if (nPrevious != nRow)
                d.pModel->HideBox(nPrevious);
        }
    }
    Toggle(nRow, false);
    d.nAnchorRow = nRow;
    d.pChecking->Report();
    d.q->viewport()->update();
}

void CReceiverListInput::Hover(const QPoint& pos)
{
    const int r = ModelRowAt(pos);
    if (r == d.nHoverRow)
        return;
    CReceiverTableModel* pModel = d.pModel;
    if (d.IsRow(d.nHoverRow) && pModel->IsCheckable(d.nHoverRow) && pModel->CheckState(d.nHoverRow) == Qt::Unchecked)
        pModel->HideBox(d.nHoverRow);
    if (d.IsRow(r))
        pModel->ShowBox(r);
    // Every other unchecked box goes.
    for (int i = 0; i < pModel->rowCount(); ++i) {
        if (i == d.nHoverRow || i == r || pModel->CheckState(i) == Qt::Checked)
            continue;
        if (pModel->IsCheckable(i) || pModel->IsBoxShown(i))
            pModel->HideBox(i);
    }
    d.nHoverRow = r;
    d.q->viewport()->update();
}

void CReceiverListInput::Enter(const QPoint& pos)
{
    const int r = ModelRowAt(pos);
    if (!d.IsRow(r) || d.pModel->CheckState(r) == Qt::Checked)
        return;
    d.pModel->ShowBox(r);
    d.nHoverRow = r;
    d.q->SetHoverIndex(d.q->indexAt(pos));
    d.q->viewport()->update();
}

void CReceiverListInput::Leave()
{
    DropHoverBox();
    d.q->ClearHover();
    d.nHoverRow = -1;
    d.q->viewport()->update();
}

bool CReceiverListInput::Key(int nKey)
{
    if (nKey == Qt::Key_1 && d.nKeyState == 0) {
        d.nKeyState = 1;
    } else if (nKey == Qt::Key_5 && d.nKeyState == 1) {
        d.nKeyState = 2;
    } else if (nKey == Qt::Key_9 && d.nKeyState == 2) {
        d.nKeyState = 0;
        return true;
    } else {
        d.nKeyState = 0;
    }
    return false;
}
