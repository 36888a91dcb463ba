#include "CReceiverChecking.h"

#include "CReceiverListHeader.h"
#include "CReceiverListView_p.h"
#include "CReceiverSortProxyModel.h"
#include "CViewOrder.h"
#include "ControllerReading.h"

CReceiverChecking::CReceiverChecking(CReceiverListViewPrivate& dPrivate)
    : d(dPrivate)
{
}

bool CReceiverChecking::IsModelRowHidden(int nRow) const
{
    const QModelIndex index = d.pProxy->mapFromSource(d.pModel->index(nRow, 0));
    return index.isValid() && d.q->isRowHidden(index.row(), QModelIndex());
}

void CReceiverChecking::Summary()
{
    const CReceiverTableModel* pModel = d.pModel;
    const int nRows = pModel->rowCount();
    // Checked rows are few on a large wall and the marks lie together; an
    // unchecked visible row is then among the first rows of the view.
    bool bSeenChecked = false;
    for (int r = 0; r < nRows && !bSeenChecked; ++r)
        bSeenChecked = pModel->IsChecked(r) && pModel->IsCheckable(r) && !IsModelRowHidden(r);
    if (!bSeenChecked) {
        d.bMultiCheck = false;
        emit d.q->SetCheckState(Qt::Unchecked);
        return;
    }
    const int nViewRows = d.pProxy->rowCount();
    for (int p = 0; p < nViewRows; ++p) {
        if (d.q->isRowHidden(p, QModelIndex()))
            continue;
        const int r = d.pProxy->mapToSource(d.pProxy->index(p, 0)).row();
        if (!(pModel->IsCheckable(r) && pModel->IsChecked(r))) {
            emit d.q->SetCheckState(Qt::PartiallyChecked);
            return;
        }
    }
    emit d.q->SetCheckState(Qt::Checked);
}

void CReceiverChecking::Report()
{
    std::vector<int> vecCheckedRows;
    for (int r = 0; r < d.pModel->rowCount(); ++r) {
        if (d.pModel->IsChecked(r))
            vecCheckedRows.push_back(r);
    }
    std::vector<SReceiverAddress> vecChecked;
    vecChecked.reserve(vecCheckedRows.size());
    for (const int r : d.pOrder->SortedByView(std::move(vecCheckedRows))) {
        const int nPort = d.bShowPort ? d.pModel->RowNumber(r, ReceiverColumn::Port) : 0;
        SReceiverAddress address;
        static_cast<SPortAddress&>(address) = ControllerReading::PortAddress(nPort);
        address.nPosition = d.pModel->RowNumber(r, ReceiverColumn::Position);
        vecChecked.push_back(address);
    }
    const QUuid idDevice = ControllerReading::CurrentDeviceId();
    if (g_pRuntimeControl) {
        g_pRuntimeControl->SetSelectedReceivers(vecChecked);
        g_pRuntimeControl->SetSelectionDeviceId(idDevice);
    }
    emit d.q->RcvSelectChanged();
}

void CReceiverChecking::SelectAll(bool bChecked)
{
    CReceiverTableModel* pModel = d.pModel;
    const int nRows = pModel->rowCount();
    d.nHoverRow = -1;
    d.nAnchorRow = -1;
    for (int r = 0; r < nRows; ++r) {
        pModel->ShowBox(r);
        pModel->SetCheckState(r, bChecked && !IsModelRowHidden(r) ? Qt::Checked : Qt::Unchecked);
        if (!bChecked)
            pModel->HideBox(r);
    }
    d.bMultiCheck = bChecked;
    emit d.q->SetCheckState(bChecked ? Qt::Checked : Qt::Unchecked);
    Report();
    d.q->viewport()->update();
}

int CReceiverChecking::FirstCheckedRow(bool bCheckableOnly) const
{
    int nBest = -1;
    int nBestPosition = 0;
    for (int r = 0; r < d.pModel->rowCount(); ++r) {
        if (!d.pModel->IsChecked(r) || (bCheckableOnly && !d.pModel->IsCheckable(r)))
            continue;
        const int nPosition = d.pOrder->ViewPosition(r);
        if (nBest == -1 || nPosition < nBestPosition) {
            nBest = r;
            nBestPosition = nPosition;
        }
    }
    return nBest;
}

int CReceiverChecking::StateForCount(int nCheckedRows) const
{
    if (nCheckedRows == 0)
        return Qt::Unchecked;
    const int nAll = d.bShowPort ? d.nFilterRowCount : d.pModel->rowCount();
    return nCheckedRows == nAll ? Qt::Checked : Qt::PartiallyChecked;
}
