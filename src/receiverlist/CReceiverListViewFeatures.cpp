// The operator's features on the receiver view: columns, the saved layout,
// copy and export, find and the keys. Each job lives in a class of its own;
// the view only hands them its state.

#include "CReceiverListView.h"

#include "CColumnVisibility.h"
#include "CReceiverFind.h"
#include "CReceiverListHeader.h"
#include "CReceiverListInput.h"
#include "CReceiverListView_p.h"
#include "CReceiverSortProxyModel.h"
#include "CTableExport.h"
#include "CViewState.h"

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QPainter>
#include <QScrollBar>

void CReceiverListView::SetColumnVisible(int nKey, bool bVisible)
{
    d_func()->pColumns->SetVisible(nKey, bVisible);
}

bool CReceiverListView::IsColumnVisible(int nKey) const
{
    return d_func()->pColumns->IsVisible(nKey);
}

void CReceiverListView::ShowColumnMenu(const QPoint& pos)
{
    Q_D(CReceiverListView);
    d->pColumns->ShowMenu(d->pHeader->viewport()->mapToGlobal(pos));
}

QByteArray CReceiverListView::SaveViewState() const
{
    Q_D(const CReceiverListView);
    SViewState state;
    for (int nKey = 0; nKey < SViewState::s_nKeys; ++nKey)
        state.arrWidth[size_t(nKey)] = d->pColumns->Width(nKey);
    state.nHiddenKeys = d->pColumns->HiddenKeys();
    state.nSortKey = qMax(int(d->Columns().FirstKey()), d->SortKey());
    state.bAscending = d->pHeader->GetSortFlag();
    return state.Save();
}

bool CReceiverListView::RestoreViewState(const QByteArray& bytes)
{
    Q_D(CReceiverListView);
    SViewState state;
    if (!SViewState::Load(bytes, &state))
        return false;
    // Every value goes to its own logical column; a column this view does
    // not have (Port, by the preference) keeps what it has.
    for (int nKey = 0; nKey < SViewState::s_nKeys; ++nKey) {
        if (state.arrWidth[size_t(nKey)] > 0 && d->Columns().HasKey(nKey))
            d->pColumns->SetWidth(nKey, state.arrWidth[size_t(nKey)]);
    }
    d->pColumns->SetHiddenKeys(state.nHiddenKeys);
    const int nColumn = d->Columns().ColumnOf(state.nSortKey);
    if (nColumn == -1)
        return true;
    d->pHeader->SetSortColumn(nColumn);
    d->pHeader->SetSortFlag(state.bAscending);
    d->columnsSort = d->Columns();
    d->bSortColumnsKnown = true;
    // Without rows the next refresh sorts; with rows it sorts as a header click would.
    if (d->pModel->rowCount() > 0)
        OnHeaderSort(nColumn, state.bAscending);
    return true;
}

QString CReceiverListView::CopyText() const
{
    Q_D(const CReceiverListView);
    return CTableExport(this, d->pModel, d->pProxy, d->pHeader).ClipboardText();
}

void CReceiverListView::CopyToClipboard() const
{
    const QString strText = CopyText();
    if (!strText.isEmpty())
        QApplication::clipboard()->setText(strText);
}

bool CReceiverListView::ExportCsv(QIODevice* pDevice, bool bCheckedOnly) const
{
    Q_D(const CReceiverListView);
    return CTableExport(this, d->pModel, d->pProxy, d->pHeader).WriteCsv(pDevice, bCheckedOnly);
}

bool CReceiverListView::FindReceiver(const QString& strText)
{
    Q_D(CReceiverListView);
    if (!d->pFind->Find(strText))
        return false;
    d->bKeyCurrent = true;
    return true;
}

void CReceiverListView::SetKeyboardChecking(bool bOn)
{
    d_func()->bKeyboardChecking = bOn;
}

bool CReceiverListView::IsKeyboardChecking() const
{
    return d_func()->bKeyboardChecking;
}

int CReceiverListView::GetFoundRow() const
{
    return d_func()->pFind->MarkedRow();
}

bool CReceiverListView::OperatorKey(QKeyEvent* e)
{
    Q_D(CReceiverListView);
    if (e->matches(QKeySequence::Copy)) {
        CopyToClipboard();
        e->accept();
        return true;
    }
    switch (e->key()) {
    case Qt::Key_Up:
        return MoveCurrent(MoveUp);
    case Qt::Key_Down:
        return MoveCurrent(MoveDown);
    case Qt::Key_PageUp:
        return MoveCurrent(MovePageUp);
    case Qt::Key_PageDown:
        return MoveCurrent(MovePageDown);
    case Qt::Key_Home:
        return MoveCurrent(MoveHome);
    case Qt::Key_End:
        return MoveCurrent(MoveEnd);
    case Qt::Key_Space:
        if (!d->bKeyboardChecking || (e->modifiers() & ~Qt::ShiftModifier) != Qt::NoModifier)
            return false;
        // The rules of a click: nothing while an upgrade is shown.
        if (!d->bProgressing)
            d->pInput->KeyCheck(e->modifiers() == Qt::ShiftModifier);
        e->accept();
        return true;
    default:
        return false;
    }
}

bool CReceiverListView::MoveCurrent(CursorAction eAction)
{
    Q_D(CReceiverListView);
    // Rows are checked, never selected: the tree view would leave the current
    // row where it is, so the view moves it itself. From now on it shows.
    // Without a current row the first key lands on the first row; End and
    // Page Down go on from there.
    const bool bHadCurrent = currentIndex().isValid();
    if (!bHadCurrent)
        setCurrentIndex(moveCursor(MoveHome, Qt::NoModifier));
    const bool bMove = bHadCurrent || eAction == MoveEnd || eAction == MovePageDown;
    const QModelIndex index = bMove ? moveCursor(eAction, Qt::NoModifier) : currentIndex();
    if (index.isValid()) {
        setCurrentIndex(index);
        scrollTo(index);
    }
    d->bKeyCurrent = true;
    viewport()->update();
    return true;
}

void CReceiverListView::scrollTo(const QModelIndex& index, ScrollHint hint)
{
    CTreeView::scrollTo(index, hint);
    if (!index.isValid() || verticalScrollMode() != ScrollPerPixel)
        return;
    const QRect rect = visualRect(index);
    const QRect rectArea = viewport()->rect();
    if (rect.height() <= rectArea.height() && rect.bottom() > rectArea.bottom())
        verticalScrollBar()->setValue(verticalScrollBar()->value() + rect.bottom() - rectArea.bottom());
}

void CReceiverListView::DrawCurrentFrame(QPainter* painter, const QRect& rect, const QModelIndex& index) const
{
    Q_D(const CReceiverListView);
    const bool bFound = d->pFind->MarkedRow() != -1 && d->pProxy->mapToSource(index).row() == d->pFind->MarkedRow();
    const bool bCurrent = d->bKeyCurrent && currentIndex().isValid() && currentIndex().row() == index.row();
    if (!bFound && !bCurrent)
        return;
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    const QRectF rectFrame = QRectF(rect).adjusted(0.5, 0.5, -0.5, -0.5);
    if (bFound) {
        painter->setPen(Qt::NoPen);
        painter->setBrush(QColor::fromRgba(0x403D8BFD));
        painter->drawRoundedRect(rectFrame, 4.0, 4.0, Qt::AbsoluteSize);
    }
    if (bCurrent) {
        painter->setPen(QPen(QColor::fromRgba(0xFF6E9BE8), 1.0));
        painter->setBrush(Qt::NoBrush);
        painter->drawRoundedRect(rectFrame, 4.0, 4.0, Qt::AbsoluteSize);
    }
    painter->restore();
}

void CReceiverListView::dataChanged(const QModelIndex& topLeft, const QModelIndex& bottomRight, const QVector<int>& roles)
{
    // Rows of a flat table off the screen need no repaint; the rows keep one
    // height, so nothing else of the view depends on them.
    if (topLeft.isValid() && bottomRight.isValid() && topLeft.row() != bottomRight.row() && !topLeft.parent().isValid()) {
        const QModelIndex indexFirst = indexAt(QPoint(0, 0));
        const QModelIndex indexLast = indexAt(QPoint(0, viewport()->height() - 1));
        const int nFirst = qMax(topLeft.row(), indexFirst.isValid() ? indexFirst.row() : 0);
        const int nLast = qMin(bottomRight.row(), indexLast.isValid() ? indexLast.row() : model()->rowCount() - 1);
        if (nFirst > nLast)
            return;
        QTreeView::dataChanged(topLeft.sibling(nFirst, topLeft.column()), bottomRight.sibling(nLast, bottomRight.column()), roles);
        return;
    }
    QTreeView::dataChanged(topLeft, bottomRight, roles);
}
