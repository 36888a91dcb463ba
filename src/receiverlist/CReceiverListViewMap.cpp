// The view's entry points for the wall map: it reads the rows by model row
// and acts on them with the table's own gestures, so the checks, the stored
// selection and the signals are the table's whichever widget was clicked.

#include "CReceiverListView.h"

#include "CReceiverChecking.h"
#include "CReceiverListInput.h"
#include "CReceiverListView_p.h"
#include "CReceiverSortProxyModel.h"

CReceiverTableModel* CReceiverListView::GetTableModel() const
{
    return d_func()->pModel;
}

bool CReceiverListView::IsModelRowHidden(int nRow) const
{
    return d_func()->pChecking->IsModelRowHidden(nRow);
}

int CReceiverListView::GetCurrentModelRow() const
{
    const QModelIndex index = currentIndex();
    return index.isValid() ? d_func()->pProxy->mapToSource(index).row() : -1;
}

void CReceiverListView::SetCurrentModelRow(int nRow)
{
    Q_D(CReceiverListView);
    if (!d->pModel->IsRow(nRow))
        return;
    const QModelIndex index = d->pProxy->mapFromSource(d->pModel->index(nRow, 0));
    if (!index.isValid())
        return;
    setCurrentIndex(index);
    scrollTo(index);
    d->bKeyCurrent = true;
    viewport()->update();
}

void CReceiverListView::PressModelRow(int nRow, Qt::KeyboardModifiers modifiers, const std::vector<int>& vecOrder)
{
    Q_D(CReceiverListView);
    if (d->bProgressing || vecOrder.size() != size_t(d->pModel->rowCount()))
        return;
    d->pInput->PressCard(nRow, modifiers, vecOrder);
}

void CReceiverListView::currentChanged(const QModelIndex& current, const QModelIndex& previous)
{
    CTreeView::currentChanged(current, previous);
    d_func()->NoticeCurrentRow();
}

void CReceiverListViewPrivate::NoticeCurrentRow()
{
    const int nRow = q->GetCurrentModelRow();
    const quint64 nId = pModel->IsRow(nRow) ? pModel->RowId(nRow) : 0;
    if (nId == nCurrentIdTold)
        return;
    nCurrentIdTold = nId;
    emit q->CurrentRowChanged();
}
