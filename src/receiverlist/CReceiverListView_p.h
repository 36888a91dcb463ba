#pragma once
// The receiver view's state and the parts it coordinates. Private: nothing
// outside the library includes this.

#include "CReceiverListView.h"
#include "CReceiverListSorter.h"
#include "CReceiverTableModel.h"
#include "ControllerReading.h"

#include <limits>
#include <memory>
#include <vector>

class CReceiverSortProxyModel;
class CReceiverChecking;
class CReceiverListInput;
class CUpgradeProgress;
class CPortFilter;
class CStatusFilter;
class COverlayScrollBars;
class CViewOrder;
class CColumnVisibility;
class CReceiverFind;

// The cells one pass of writes changed: their column keys as bits, and the
// rows they span.
struct SWrittenCells
{
    uint32_t nKeys = 0;
    int nFirstRow = std::numeric_limits<int>::max();
    int nLastRow = -1;

    void Add(int nRow, uint32_t nWritten)
    {
        Q_ASSERT(nRow >= 0);
        if (!nWritten)
            return;
        nKeys |= nWritten;
        nFirstRow = qMin(nFirstRow, nRow);
        nLastRow = qMax(nLastRow, nRow);
    }
};

class CReceiverListViewPrivate
{
public:
    explicit CReceiverListViewPrivate(CReceiverListView* pView);
    ~CReceiverListViewPrivate();

    const CColumnMap& Columns() const { return pModel->Columns(); }
    // The logical key of the header's sort column, -1 for none.
    int SortKey() const;
    // The row of each record of listRowInfo, by address; false when a
    // receiver has no row.
    bool MatchRows(ControllerReading::CPortCache& cachePort, std::vector<int>& vecRow) const;
    // Writes the records into their rows and checks the stored selection;
    // returns the rows checked.
    int WriteRows(const std::vector<int>& vecRow, const ControllerReading::SStoredSelection& selection,
                  ControllerReading::CPortCache& cachePort);
    // The rows hold the list's records already: moves them into the list's
    // order and writes them afresh, as a rebuild would leave them.
    void RewriteRows(const std::vector<char>& vecChecked);
    // One notice over the cells written; none when nothing was, as no
    // single write would have sent one either. The callers give the header
    // its box state themselves, once.
    void NoticeCells(const SWrittenCells& cells);
    // Tells the header whether none, some or all shown rows are checked; with
    // none checked, checks no longer add up.
    void ShowCheckSummary();
    // Checks or clears every shown row, as the header's box does.
    void CheckAll(bool bChecked);
    // Emits StatusCountsChanged when the counts differ from those last told.
    void NoticeStatusCounts();
    // Emits CurrentRowChanged when another receiver's row (or none) is current
    // than last told.
    void NoticeCurrentRow();
    // Hides and shows the rows whose filters' answer changed, after a status
    // or text filter change or, with a status filter set, a change of states.
    // The checks stay; the header's box summarises the rows now shown.
    void ApplyStatusFilter();
    // Sorts listRowInfo when it is next read: a list read again before that
    // (every update does) is never sorted. A sort already waiting runs first,
    // so the unstable sort sees the same order it would have seen at once.
    void SortListLater(int nKey, bool bAscending);
    // Runs the waiting sort, if any; everything that reads listRowInfo's order
    // calls it first.
    void RunPendingListSort();

    CReceiverListView* const q;
    CReceiverTableModel* pModel = nullptr;
    CReceiverSortProxyModel* pProxy = nullptr;
    CReceiverListHeader* pHeader = nullptr;
    CReceiverListDelegate* pDelegate = nullptr;
    CPortSelectWidget* pPortSelect = nullptr;

    std::unique_ptr<CViewOrder> pOrder;
    std::unique_ptr<CReceiverChecking> pChecking;
    std::unique_ptr<CReceiverListInput> pInput;
    std::unique_ptr<CUpgradeProgress> pProgress;
    std::unique_ptr<CPortFilter> pFilter;
    std::unique_ptr<CStatusFilter> pStatusFilter;
    std::unique_ptr<COverlayScrollBars> pScrollBars;
    std::unique_ptr<CColumnVisibility> pColumns;
    std::unique_ptr<CReceiverFind> pFind;
    CReceiverListSorter sorter;

    // The receivers as last read, in the controller's order or list-sorted.
    QVector<SReceiverRowInfo> listRowInfo;
    // The model row that holds each record of listRowInfo, while every row
    // holds exactly one; empty once that is not known.
    std::vector<int> vecListRow;
    // The list sort waiting to run: a column key, or -1.
    int nPendingSortKey = -1;
    bool bPendingSortAscending = true;

    // The status counts as StatusCountsChanged last told them.
    SStatusCounts countsTold;
    // The receiver record (RowId) whose row CurrentRowChanged last told; 0 for none.
    quint64 nCurrentIdTold = 0;

    bool bProgressing = false;
    // Set only while NoticeCells sends its notice.
    bool bWritingCells = false;

    // Space and Shift+Space check rows only when the host asks for it.
    bool bKeyboardChecking = true;
    // The current row was moved by a key or a find: it wears its frame.
    bool bKeyCurrent = false;

    // The column layout the header's sort column was last expressed in; the
    // sort column moves to its key's new column when a refresh re-lays the
    // columns for a new preference.
    bool bSortColumnsKnown = false;
    CColumnMap columnsSort;
};
