#pragma once

#include <QPoint>
#include <Qt>

#include <vector>

class QMouseEvent;
class QModelIndex;
class CReceiverListViewPrivate;

// The table's gestures: the hover box, clicks on a row or its box, Ctrl
// toggles, Shift ranges and the service key sequence 1, 5, 9.
class CReceiverListInput
{
public:
    explicit CReceiverListInput(CReceiverListViewPrivate& d);

    // Returns false when the press is the tree view's own (empty space).
    bool Press(QMouseEvent* e);
    // Space on the current row: a click on its box; with bShift a Shift-click
    // on the row.
    void KeyCheck(bool bShift);
    void Hover(const QPoint& pos);
    // The pointer entered the table at pos (in viewport coordinates).
    void Enter(const QPoint& pos);
    // The pointer left the rows: the hover box goes.
    void Leave();
    // Returns whether the key completed the service sequence.
    bool Key(int nKey);

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
    void CheckRange(const std::vector<int>& vecOrder, int nFrom, int nTo);
    void PlainClick(int nRow);

    CReceiverListViewPrivate& d;
};
