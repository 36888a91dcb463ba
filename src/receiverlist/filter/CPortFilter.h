#pragma once

class CPortSelectWidget;
class CReceiverListHeader;
class CReceiverListView;
class CReceiverTableModel;

// The port filter: which rows are on the chosen port (CStatusFilter hides
// the others), and the Filter popup under its button.
class CPortFilter
{
public:
    CPortFilter(CReceiverListView* pView, const CReceiverTableModel* pModel, CReceiverListHeader* pHeader,
                CPortSelectWidget* pPortSelect);

    // Takes the runtime controller's filter port; returns the rows it shows.
    // CStatusFilter::Apply then hides the rows.
    int Apply();
    // Whether the row is on the port applied last (every row with no port
    // or no Port column).
    bool Accepts(int nRow) const;
    // The port applied last, -1 for all.
    int Port() const { return m_nPort; }
    // The rows the filter showed when it was applied last.
    int ShownRowCount() const { return m_nShownRows; }
    // The header's Filter button follows the preference and the device.
    void UpdateButton();
    void ShowPopup();

private:
    CReceiverListView* const m_pView;
    const CReceiverTableModel* const m_pModel;
    CReceiverListHeader* const m_pHeader;
    CPortSelectWidget* const m_pPortSelect;
    int m_nPort = -1;
    int m_nShownRows = 0;
};
