#pragma once

#include <Qt>

class QSortFilterProxyModel;
class CReceiverListView;
class CReceiverTableModel;
class CViewOrder;

// Check marks as a whole: the three-state summary of the shown rows, the
// selection reported to the runtime controller, and checking or clearing
// every row.
class CReceiverChecking
{
public:
    CReceiverChecking(CReceiverListView* pView, CReceiverTableModel* pModel, const QSortFilterProxyModel* pProxy,
                      const CViewOrder* pOrder);

    // Whether none, some or all shown rows are checked.
    Qt::CheckState Summary() const;
    // Stores the checked rows, in view order, as the runtime controller's
    // selection, and tells the host (RcvSelectChanged).
    void Report();
    // Checks every shown row, or clears every row; rows the filter hides end
    // up unchecked. Writes the marks only: the caller tells and repaints.
    void CheckAll(bool bChecked);
    // Checked rows the view hides (a filter's), which a host may want to
    // tell the operator about.
    int CheckedHiddenCount() const;
    // The first checked row in view order, -1 for none.
    int FirstCheckedRow(bool bCheckableOnly) const;
    // The header state for a number of rows just checked by a refresh or
    // update, out of the rows shown.
    static Qt::CheckState StateForCount(int nCheckedRows, int nShownRows);
    bool IsModelRowHidden(int nRow) const;

private:
    CReceiverListView* const m_pView;
    CReceiverTableModel* const m_pModel;
    const QSortFilterProxyModel* const m_pProxy;
    const CViewOrder* const m_pOrder;
};
