#pragma once

#include <QPoint>
#include <Qt>

#include <vector>

class QMouseEvent;
class QModelIndex;
class QSortFilterProxyModel;
class CReceiverChecking;
class CReceiverListView;
class CReceiverTableModel;
class CStatusFilter;
class CViewOrder;

// The table's gestures and their state: the hover box, clicks on a row or
// its box, Ctrl toggles, Shift ranges and the service key sequence 1, 5, 9.
class CReceiverListInput
{
public:
    // How far the service key sequence 1, 5, 9 got.
    enum EServiceKeyStep
    {
        NoServiceKey = 0,
        ServiceKey1,
        ServiceKey5
    };

    CReceiverListInput(CReceiverListView* pView, CReceiverTableModel* pModel, const QSortFilterProxyModel* pProxy,
                       const CViewOrder* pOrder, CReceiverChecking* pChecking, const CStatusFilter* pStatusFilter);

    // Returns false when the press is the tree view's own (empty space).
    bool Press(QMouseEvent* e);
    // Space on the current row: a click on its box; with bShift a Shift-click
    // on the row.
    void KeyCheck(bool bShift);
    // A Ctrl- or Shift-press on a card from outside the table (the wall map),
    // by the table's rules; a Shift range runs over vecOrder, model rows in
    // the order the caller shows them.
    void PressCard(int nRow, Qt::KeyboardModifiers modifiers, const std::vector<int>& vecOrder);
    void Hover(const QPoint& pos);
    // The pointer entered the table at pos (in viewport coordinates).
    void Enter(const QPoint& pos);
    // The pointer left the rows: the hover box goes.
    void Leave();
    // Returns whether the key completed the service sequence.
    bool Key(int nKey);

    // The model row showing the hover box, -1 for none.
    int HoverRow() const { return m_nHoverRow; }
    // The model row a Shift range starts from, -1 for none.
    int AnchorRow() const { return m_nAnchorRow; }
    // Whether checks add up (Ctrl, box clicks, check all) rather than move.
    bool IsMultiCheck() const { return m_bMultiCheck; }
    EServiceKeyStep ServiceKeyStep() const { return m_eServiceKeyStep; }

    // Every row was just checked or cleared at once: no hover row, no anchor,
    // and checks add up after a check of all.
    void ForgetGestures(bool bMultiCheck);
    // No row is checked any more: the next click moves a single check again.
    void EndMultiCheck() { m_bMultiCheck = false; }
    void SetAnchorRow(int nRow) { m_nAnchorRow = nRow; }
    void ResetServiceKeys() { m_eServiceKeyStep = NoServiceKey; }

private:
    bool PressRow(const QModelIndex& indexView, bool bInBox, Qt::KeyboardModifiers modifiers);
    // Model row under a viewport position, through the proxy; -1 over empty space.
    int ModelRowAt(const QPoint& pos) const;
    bool IsInBox(const QPoint& pos, const QModelIndex& indexView) const;
    // Hides the hover row's box when it is unchecked.
    void DropHoverBox();
    void Toggle(int nRow, bool bAnyState);
    void ClickBox(int nRow);
    void CtrlClick(int nRow);
    void ShiftClick(int nRow, int nViewRow);
    // Checks from the anchor to nRow, at nPos and nPosAnchor in vecOrder.
    void ShiftRange(int nRow, const std::vector<int>& vecOrder, int nPos, int nPosAnchor);
    void CheckRange(const std::vector<int>& vecOrder, int nFrom, int nTo);
    void PlainClick(int nRow);

    CReceiverListView* const m_pView;
    CReceiverTableModel* const m_pModel;
    const QSortFilterProxyModel* const m_pProxy;
    const CViewOrder* const m_pOrder;
    CReceiverChecking* const m_pChecking;
    const CStatusFilter* const m_pStatusFilter;

    int m_nHoverRow = -1;
    int m_nAnchorRow = -1;
    bool m_bMultiCheck = false;
    EServiceKeyStep m_eServiceKeyStep = NoServiceKey;
};
