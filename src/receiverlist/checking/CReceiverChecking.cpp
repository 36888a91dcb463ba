#include "CReceiverChecking.h"

#include "CReceiverListView.h"
#include "CReceiverTableModel.h"
#include "CViewOrder.h"
#include "ControllerReading.h"

#include <QSortFilterProxyModel>

CReceiverChecking::CReceiverChecking(CReceiverListView* pView, CReceiverTableModel* pModel,
                                     const QSortFilterProxyModel* pProxy, const CViewOrder* pOrder)
    : m_pView(pView)
    , m_pModel(pModel)
    , m_pProxy(pProxy)
    , m_pOrder(pOrder)
{
    Q_ASSERT(pView && pModel && pProxy && pOrder);
}

bool CReceiverChecking::IsModelRowHidden(int nRow) const
{
    const QModelIndex index = m_pProxy->mapFromSource(m_pModel->index(nRow, 0));
    return index.isValid() && m_pView->isRowHidden(index.row(), QModelIndex());
}

Qt::CheckState CReceiverChecking::Summary() const
{
    const CReceiverTableModel* pModel = m_pModel;
    const int nRows = pModel->rowCount();
    // Checked rows are few on a large wall and the marks lie together; an
    // unchecked visible row is then among the first rows of the view.
    bool bSeenChecked = false;
    for (int r = 0; r < nRows && !bSeenChecked; ++r)
        bSeenChecked = pModel->IsChecked(r) && pModel->IsCheckable(r) && !IsModelRowHidden(r);
    if (!bSeenChecked)
        return Qt::Unchecked;
    const int nViewRows = m_pProxy->rowCount();
    for (int p = 0; p < nViewRows; ++p) {
        if (m_pView->isRowHidden(p, QModelIndex()))
            continue;
        const int r = m_pProxy->mapToSource(m_pProxy->index(p, 0)).row();
        if (!(pModel->IsCheckable(r) && pModel->IsChecked(r)))
            return Qt::PartiallyChecked;
    }
    return Qt::Checked;
}

void CReceiverChecking::Report()
{
    std::vector<int> vecCheckedRows;
    for (int r = 0; r < m_pModel->rowCount(); ++r) {
        if (m_pModel->IsChecked(r))
            vecCheckedRows.push_back(r);
    }
    std::vector<SReceiverAddress> vecChecked;
    vecChecked.reserve(vecCheckedRows.size());
    const bool bPortShown = m_pModel->Columns().IsPortShown();
    for (const int r : m_pOrder->SortedByView(std::move(vecCheckedRows))) {
        const int nPort = bPortShown ? m_pModel->RowNumber(r, ReceiverColumn::Port) : 0;
        SReceiverAddress address;
        static_cast<SPortAddress&>(address) = ControllerReading::PortAddress(nPort);
        address.nPosition = m_pModel->RowNumber(r, ReceiverColumn::Position);
        vecChecked.push_back(address);
    }
    const QUuid idDevice = ControllerReading::CurrentDeviceId();
    if (g_pRuntimeControl) {
        g_pRuntimeControl->SetSelectedReceivers(vecChecked);
        g_pRuntimeControl->SetSelectionDeviceId(idDevice);
    }
    emit m_pView->RcvSelectChanged();
}

void CReceiverChecking::CheckAll(bool bChecked)
{
    CReceiverTableModel* pModel = m_pModel;
    const int nRows = pModel->rowCount();
    for (int r = 0; r < nRows; ++r) {
        pModel->ShowBox(r);
        pModel->SetCheckState(r, bChecked && !IsModelRowHidden(r) ? Qt::Checked : Qt::Unchecked);
        if (!bChecked)
            pModel->HideBox(r);
    }
}

int CReceiverChecking::CheckedHiddenCount() const
{
    int nCount = 0;
    for (int r = 0; r < m_pModel->rowCount(); ++r)
        nCount += m_pModel->IsChecked(r) && IsModelRowHidden(r) ? 1 : 0;
    return nCount;
}

int CReceiverChecking::FirstCheckedRow(bool bCheckableOnly) const
{
    int nBest = -1;
    int nBestPosition = 0;
    for (int r = 0; r < m_pModel->rowCount(); ++r) {
        if (!m_pModel->IsChecked(r) || (bCheckableOnly && !m_pModel->IsCheckable(r)))
            continue;
        const int nPosition = m_pOrder->ViewPosition(r);
        if (nBest == -1 || nPosition < nBestPosition) {
            nBest = r;
            nBestPosition = nPosition;
        }
    }
    return nBest;
}

Qt::CheckState CReceiverChecking::StateForCount(int nCheckedRows, int nShownRows)
{
    Q_ASSERT(nCheckedRows >= 0 && nShownRows >= 0);
    if (nCheckedRows == 0)
        return Qt::Unchecked;
    return nCheckedRows == nShownRows ? Qt::Checked : Qt::PartiallyChecked;
}
