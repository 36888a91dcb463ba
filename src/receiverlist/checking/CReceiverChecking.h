#pragma once

class CReceiverListViewPrivate;

// Check marks as a whole: the header's three-state summary, the selection
// reported to the runtime controller, and checking or clearing every row.
class CReceiverChecking
{
public:
    explicit CReceiverChecking(CReceiverListViewPrivate& d);

    // Tells the header whether none, some or all visible rows are checked.
    void Summary();
    // Stores the checked rows, in view order, as the runtime controller's selection.
    void Report();
    void SelectAll(bool bChecked);
    // The first checked row in view order, -1 for none.
    int FirstCheckedRow(bool bCheckableOnly) const;
    // The header state for a number of rows just checked by a refresh or update.
    int StateForCount(int nCheckedRows) const;
    bool IsModelRowHidden(int nRow) const;

private:
    CReceiverListViewPrivate& d;
};
