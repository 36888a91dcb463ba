#include "CReceiverListInput.h"

#include "CReceiverChecking.h"
#include "CReceiverListView.h"
#include "CReceiverTableModel.h"
#include "CStatusFilter.h"
#include "CViewOrder.h"
#include "ReceiverGeometry.h"

#include <QMouseEvent>
#include <QSortFilterProxyModel>

#include <algorithm>

CReceiverListInput::CReceiverListInput(CReceiverListView* pView, CReceiverTableModel* pModel,
                                       const QSortFilterProxyModel* pProxy, const CViewOrder* pOrder,
                                       CReceiverChecking* pChecking, const CStatusFilter* pStatusFilter)
    : m_pView(pView)
    , m_pModel(pModel)
    , m_pProxy(pProxy)
    , m_pOrder(pOrder)
    , m_pChecking(pChecking)
    , m_pStatusFilter(pStatusFilter)
{
    Q_ASSERT(pView && pModel && pProxy && pOrder && pChecking && pStatusFilter);
}

void CReceiverListInput::ForgetGestures(bool bMultiCheck)
{
    m_nHoverRow = -1;
    m_nAnchorRow = -1;
    m_bMultiCheck = bMultiCheck;
}

int CReceiverListInput::ModelRowAt(const QPoint& pos) const
{
    const QModelIndex index = m_pView->indexAt(pos);
    return index.isValid() ? m_pProxy->mapToSource(index).row() : -1;
}

bool CReceiverListInput::IsInBox(const QPoint& pos, const QModelIndex& indexView) const
{
    // The box follows the row's visible place, whatever rows a filter hides.
    if (!indexView.isValid())
        return false;
    return ReceiverGeometry::BoxRect(QPoint(0, m_pView->visualRect(indexView).top())).contains(pos);
}

void CReceiverListInput::DropHoverBox()
{
    if (m_pModel->IsRow(m_nHoverRow) && m_pModel->CheckState(m_nHoverRow) == Qt::Unchecked)
        m_pModel->HideBox(m_nHoverRow);
}

// A checkable row's mark flips, as one live write. With bAnyState any state
// but Unchecked counts as checked; otherwise only Checked does.
void CReceiverListInput::Toggle(int nRow, bool bAnyState)
{
    if (!m_pModel->IsRow(nRow) || !m_pModel->IsCheckable(nRow))
        return;
    const int nState = m_pModel->CheckState(nRow);
    const bool bOn = bAnyState ? nState != Qt::Unchecked : nState == Qt::Checked;
    m_pModel->SetCheckStateLive(nRow, bOn ? Qt::Unchecked : Qt::Checked);
}

bool CReceiverListInput::Press(QMouseEvent* e)
{
    const QPoint pos = e->pos();
    const QModelIndex indexView = m_pView->indexAt(pos);
    return PressRow(indexView, IsInBox(pos, indexView), e->modifiers());
}

void CReceiverListInput::KeyCheck(bool bShift)
{
    const QModelIndex indexView = m_pView->currentIndex();
    if (!indexView.isValid() || m_pView->isRowHidden(indexView.row(), QModelIndex()))
        return;
    // The pointer shows a row's box before it can click it; the key does the same.
    const int r = m_pProxy->mapToSource(indexView).row();
    if (m_pModel->IsRow(r) && !m_pModel->IsCheckable(r))
        m_pModel->ShowBox(r);
    PressRow(indexView, !bShift, bShift ? Qt::ShiftModifier : Qt::NoModifier);
}

bool CReceiverListInput::PressRow(const QModelIndex& indexView, bool bInBox, Qt::KeyboardModifiers modifiers)
{
    const int r = indexView.isValid() ? m_pProxy->mapToSource(indexView).row() : -1;
    if (bInBox) {
        ClickBox(r);
    } else if (modifiers == Qt::ControlModifier && indexView.isValid()) {
        CtrlClick(r);
    } else if (modifiers == Qt::ShiftModifier && m_nAnchorRow != -1 && !m_bMultiCheck) {
        ShiftClick(r, indexView.isValid() ? indexView.row() : -1);
    } else if (r == m_nAnchorRow) {
        if (m_pModel->IsRow(r) && m_pModel->IsCheckable(r)) {
            Toggle(r, false);
            m_pChecking->Report();
            // The whole row's background follows its mark, not only the first cell.
            m_pView->viewport()->update();
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
    m_bMultiCheck = true;
    Toggle(nRow, true);
    m_pChecking->Report();
    m_pView->viewport()->update();
}

void CReceiverListInput::CtrlClick(int nRow)
{
    m_bMultiCheck = true;
    if (m_pModel->IsRow(nRow)) {
        if (!m_pModel->IsCheckable(nRow))
            m_pModel->ShowBox(nRow);
        Toggle(nRow, true);
    }
    m_nAnchorRow = nRow;
    m_pChecking->Report();
    m_pView->viewport()->update();
}

void CReceiverListInput::ShiftClick(int nRow, int nViewRow)
{
    // The range runs over the rows as the user sees them.
    const std::vector<int> vecOrder = m_pOrder->RowsInViewOrder();
    int nPosAnchor = int(vecOrder.size());
    if (m_nAnchorRow < nPosAnchor) {
        const QModelIndex indexAnchor = m_pProxy->mapFromSource(m_pModel->index(m_nAnchorRow, 0));
        if (indexAnchor.isValid())
            nPosAnchor = indexAnchor.row();
    }
    ShiftRange(nRow, vecOrder, nViewRow, nPosAnchor);
}

void CReceiverListInput::ShiftRange(int nRow, const std::vector<int>& vecOrder, int nPos, int nPosAnchor)
{
    m_bMultiCheck = true;
    if (nRow == m_nAnchorRow) {
        Toggle(nRow, false);
    } else {
        const int nRows = int(vecOrder.size());
        const int nFrom = qMax(0, qMin(nPos, nPosAnchor));
        const int nTo = qMin(nRows - 1, qMax(nPos, nPosAnchor));
        CheckRange(vecOrder, nFrom, nTo);
    }
    m_nAnchorRow = -1;
    m_pChecking->Report();
}

void CReceiverListInput::PressCard(int nRow, Qt::KeyboardModifiers modifiers, const std::vector<int>& vecOrder)
{
    Q_ASSERT(vecOrder.size() == size_t(m_pModel->rowCount()));
    if (!m_pModel->IsRow(nRow))
        return;
    // The pointer shows a row's box before a click in the table can check
    // it; a card on the map has no box under the pointer, as with Space.
    if (!m_pModel->IsCheckable(nRow))
        m_pModel->ShowBox(nRow);
    if (modifiers == Qt::ControlModifier) {
        CtrlClick(nRow);
    } else if (modifiers == Qt::ShiftModifier && m_nAnchorRow != -1 && !m_bMultiCheck) {
        const auto itRow = std::find(vecOrder.begin(), vecOrder.end(), nRow);
        const auto itAnchor = std::find(vecOrder.begin(), vecOrder.end(), m_nAnchorRow);
        ShiftRange(nRow, vecOrder, int(itRow - vecOrder.begin()), int(itAnchor - vecOrder.begin()));
    } else if (nRow == m_nAnchorRow) {
        if (m_pModel->IsCheckable(nRow)) {
            Toggle(nRow, false);
            m_pChecking->Report();
            m_pView->viewport()->update();
        }
    } else {
        PlainClick(nRow);
    }
}

void CReceiverListInput::CheckRange(const std::vector<int>& vecOrder, int nFrom, int nTo)
{
    CReceiverTableModel* pModel = m_pModel;
    // A range under a status or text filter checks only the cards the
    // operator sees; under the port filter alone it runs over every row, as it
    // always did.
    std::vector<char> vecSkip(size_t(nTo - nFrom + 1), 0);
    if (m_pStatusFilter->IsActive()) {
        for (int i = nFrom; i <= nTo; ++i)
            vecSkip[size_t(i - nFrom)] = m_pChecking->IsModelRowHidden(vecOrder[size_t(i)]) ? 1 : 0;
    }
    for (int i = nFrom; i <= nTo; ++i) {
        if (!vecSkip[size_t(i - nFrom)] && !pModel->IsCheckable(vecOrder[size_t(i)]))
            pModel->ShowBox(vecOrder[size_t(i)]);
    }
    // The first check goes through live; the rest only add checks, so one
    // summary at the end gives the header the same state.
    bool bFirst = true;
    bool bMore = false;
    for (int i = nFrom; i <= nTo; ++i) {
        const int r = vecOrder[size_t(i)];
        if (vecSkip[size_t(i - nFrom)] || !pModel->IsCheckable(r) || pModel->CheckState(r) == Qt::Checked)
            continue;
        if (bFirst) {
            pModel->SetCheckStateLive(r, Qt::Checked);
            bFirst = false;
            continue;
        }
        bMore = true;
        pModel->SetCheckState(r, Qt::Checked);
    }
    // One notice for the rest; it summarises the header's box as a single
    // write would.
    if (bMore)
        pModel->CellsChanged(0, pModel->rowCount() - 1, 0, 0);
}

void CReceiverListInput::PlainClick(int nRow)
{
    // A plain click moves the single check mark from the anchor (or the first
    // checked row) to the clicked row.
    if (!m_bMultiCheck) {
        const int nPrevious = m_nAnchorRow == -1 ? m_pChecking->FirstCheckedRow(false) : m_nAnchorRow;
        if (m_pModel->IsRow(nPrevious) && m_pModel->IsCheckable(nPrevious)) {
            m_pModel->SetCheckStateLive(nPrevious, Qt::Unchecked);
            if (nPrevious != nRow)
                m_pModel->HideBox(nPrevious);
        }
    }
    Toggle(nRow, false);
    m_nAnchorRow = nRow;
    m_pChecking->Report();
    m_pView->viewport()->update();
}

void CReceiverListInput::Hover(const QPoint& pos)
{
    const int r = ModelRowAt(pos);
    if (r == m_nHoverRow)
        return;
    CReceiverTableModel* pModel = m_pModel;
    if (m_pModel->IsRow(m_nHoverRow) && pModel->IsCheckable(m_nHoverRow) && pModel->CheckState(m_nHoverRow) == Qt::Unchecked)
        pModel->HideBox(m_nHoverRow);
    if (m_pModel->IsRow(r))
        pModel->ShowBox(r);
    // Every other unchecked box goes.
    for (int i = 0; i < pModel->rowCount(); ++i) {
        if (i == m_nHoverRow || i == r || pModel->CheckState(i) == Qt::Checked)
            continue;
        if (pModel->IsCheckable(i) || pModel->IsBoxShown(i))
            pModel->HideBox(i);
    }
    m_nHoverRow = r;
    m_pView->viewport()->update();
}

void CReceiverListInput::Enter(const QPoint& pos)
{
    const int r = ModelRowAt(pos);
    if (!m_pModel->IsRow(r) || m_pModel->CheckState(r) == Qt::Checked)
        return;
    // A live change, as a box shown under the pointer is: the header's box
    // is summarised again.
    m_pModel->ShowBoxLive(r);
    m_nHoverRow = r;
    m_pView->SetHoverIndex(m_pView->indexAt(pos));
    m_pView->viewport()->update();
}

void CReceiverListInput::Leave()
{
    DropHoverBox();
    m_pView->ClearHover();
    m_nHoverRow = -1;
    m_pView->viewport()->update();
}

bool CReceiverListInput::Key(int nKey)
{
    if (nKey == Qt::Key_1 && m_eServiceKeyStep == NoServiceKey) {
        m_eServiceKeyStep = ServiceKey1;
    } else if (nKey == Qt::Key_5 && m_eServiceKeyStep == ServiceKey1) {
        m_eServiceKeyStep = ServiceKey5;
    } else if (nKey == Qt::Key_9 && m_eServiceKeyStep == ServiceKey5) {
        m_eServiceKeyStep = NoServiceKey;
        return true;
    } else {
        m_eServiceKeyStep = NoServiceKey;
    }
    return false;
}
