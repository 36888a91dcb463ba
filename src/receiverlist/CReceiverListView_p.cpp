// The view's row list: the records as last read, matched to the rows and
// written into them, and the list sort that waits until the list is read.

#include "CReceiverListView_p.h"

#include "CReceiverChecking.h"
#include "CReceiverListHeader.h"
#include "CReceiverListInput.h"
#include "CViewOrder.h"

bool CReceiverListViewPrivate::MatchRows(ControllerReading::CPortCache& cachePort, std::vector<int>& vecRow) const
{
    // Rows by their receiver's address, first row in view order wins.
    const int nRows = pModel->rowCount();
    CAddressTable<int> tableRow { size_t(nRows) };
    for (const int r : pOrder->RowsInViewOrder()) {
        const auto slot = tableRow.Insert(cachePort.Address(pModel->RecordPort(r), pModel->RecordPosition(r)));
        if (slot.second)
            *slot.first = r;
    }
    std::vector<SReceiverAddress> vecAddresses;
    vecAddresses.reserve(size_t(listRowInfo.size()));
    for (const SReceiverRowInfo& info : listRowInfo)
        vecAddresses.push_back(cachePort.Address(info.nPort, info.nPosition));
    bool bAllFound = true;
    vecRow.resize(vecAddresses.size());
    tableRow.FindEach(vecAddresses, [&](size_t i, const int* pRow) {
        bAllFound = bAllFound && pRow;
        vecRow[i] = pRow ? *pRow : -1;
    });
    if (!bAllFound)
        vecRow.clear();
    return bAllFound;
}

int CReceiverListViewPrivate::WriteRows(const std::vector<int>& vecRow, const ControllerReading::SStoredSelection& selection,
                                        ControllerReading::CPortCache& cachePort)
{
    int nChecked = 0;
    SWrittenCells cells;
    for (int i = 0; i < listRowInfo.size(); ++i) {
        const int r = vecRow[size_t(i)];
        const SReceiverRowInfo& info = listRowInfo.at(i);
        uint32_t nWritten = pModel->WriteRow(r, info, SRowProgressInfo());
        if (selection.Contains(cachePort.Address(info.nPort, info.nPosition), Columns().IsPortShown())) {
            ++nChecked;
            pModel->ShowBox(r);
            pModel->SetCheckState(r, Qt::Checked);
            nWritten |= 1u << Columns().FirstKey();
        }
        cells.Add(r, nWritten);
    }
    NoticeCells(cells);
    return nChecked;
}

void CReceiverListViewPrivate::RewriteRows(const std::vector<char>& vecChecked)
{
    pModel->Permute(vecListRow);
    // The move is announced as a layout change; what the rows then hold
    // differently is announced as written.
    SWrittenCells cells;
    for (int i = 0; i < listRowInfo.size(); ++i) {
        uint32_t nWritten = pModel->WriteRow(i, listRowInfo.at(i), SRowProgressInfo());
        if (pModel->ResetMarks(i, vecChecked[size_t(i)] != 0))
            nWritten |= 1u << Columns().FirstKey();
        cells.Add(i, nWritten);
    }
    NoticeCells(cells);
}

void CReceiverListViewPrivate::NoticeCells(const SWrittenCells& cells)
{
    if (!cells.nKeys)
        return;
    bWritingCells = true;
    pModel->KeysChanged(cells.nFirstRow, cells.nLastRow, cells.nKeys);
    bWritingCells = false;
}

int CReceiverListViewPrivate::SortKey() const
{
    const int nColumn = pHeader->GetSortColumn();
    return Columns().IsColumn(nColumn) ? int(Columns().KeyOf(nColumn)) : -1;
}

void CReceiverListViewPrivate::ShowCheckSummary()
{
    const Qt::CheckState state = pChecking->Summary();
    if (state == Qt::Unchecked)
        pInput->EndMultiCheck();
    emit q->SetCheckState(state);
}

void CReceiverListViewPrivate::CheckAll(bool bChecked)
{
    pInput->ForgetGestures(bChecked);
    pChecking->CheckAll(bChecked);
    emit q->SetCheckState(bChecked ? Qt::Checked : Qt::Unchecked);
    pChecking->Report();
    q->viewport()->update();
}

void CReceiverListViewPrivate::SortListLater(int nKey, bool bAscending)
{
    RunPendingListSort();
    nPendingSortKey = nKey;
    bPendingSortAscending = bAscending;
}

void CReceiverListViewPrivate::RunPendingListSort()
{
    if (nPendingSortKey < 0)
        return;
    const std::vector<int> vecFrom = sorter.Sort(listRowInfo, nPendingSortKey, bPendingSortAscending);
    nPendingSortKey = -1;
    if (vecListRow.size() == vecFrom.size()) {
        std::vector<int> vecMoved(vecFrom.size());
        for (size_t i = 0; i < vecFrom.size(); ++i)
            vecMoved[i] = vecListRow[size_t(vecFrom[i])];
        vecListRow.swap(vecMoved);
    }
}
