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

    bool IsRow(int nRow) const { return nRow >= 0 && nRow < pModel->rowCount(); }
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
    // single write would have sent one either.
    void NoticeCells(const SWrittenCells& cells);
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

    bool bShowPort = false;
    int nPortColumnHidden = 0;
    bool bProgressing = false;
    // Set while the view sends a notice over cells it wrote in bulk: the
    // callers run the check box summary themselves, once.
    bool bOwnNotice = false;

    // Gesture state: the row showing the hover box, the row a Shift range
    // starts from, whether checks add up (Ctrl, box clicks, check all) and
    // how far the service key sequence got.
    int nHoverRow = -1;
    int nAnchorRow = -1;
    bool bMultiCheck = false;
    int nKeyState = 0;
    // Space and Shift+Space check rows only when the host asks for it.
    bool bKeyboardChecking = true;
    // The current row was moved by a key or a find: it wears its frame.
    bool bKeyCurrent = false;
    int nFilterPort = -1;
    int nFilterRowCount = 0;

    // The port preference the sort column was last expressed against; the sort
    // column moves once when a refresh re-lays the columns for a new preference.
    bool bSortPortHiddenKnown = false;
    bool bSortPortHidden = false;
};
