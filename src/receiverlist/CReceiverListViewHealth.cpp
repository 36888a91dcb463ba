// The view's entry points for the wall's health: the limits the readings are
// compared with, the counts of cards per state, and the status and text
// filters, which hide rows together with the port filter.

#include "CReceiverListView.h"

#include "CPortFilter.h"
#include "CReceiverChecking.h"
#include "CReceiverListHeader.h"
#include "CReceiverListView_p.h"
#include "CStatusFilter.h"

void CReceiverListViewPrivate::NoticeStatusCounts()
{
    const SStatusCounts counts = q->StatusCounts();
    if (counts == countsTold)
        return;
    countsTold = counts;
    emit q->StatusCountsChanged();
}

void CReceiverListViewPrivate::ApplyStatusFilter()
{
    const int nVisible = pStatusFilter->Apply(false);
    pHeader->SetHasRows(nVisible > 0);
    emit q->RowsHiddenChanged();
    ShowCheckSummary();
    q->viewport()->update();
}

void CReceiverListView::SetHealthLimits(const SHealthLimits& limits)
{
    Q_D(CReceiverListView);
    if (limits == d->pModel->HealthLimits())
        return;
    d->pModel->SetHealthLimits(limits);
    if (d->pStatusFilter->State() != HealthNone)
        d->ApplyStatusFilter();
    d->NoticeStatusCounts();
    emit HealthLimitsChanged();
}

SHealthLimits CReceiverListView::HealthLimits() const
{
    return d_func()->pModel->HealthLimits();
}

SStatusCounts CReceiverListView::StatusCounts() const
{
    Q_D(const CReceiverListView);
    const CHealthTally& tally = d->pModel->Tally();
    SStatusCounts counts;
    counts.arrAll = tally.All();
    // The port filter counts by the port each row's record came with.
    const bool bPortFiltered = d->Columns().IsPortShown() && d->pFilter->Port() != -1;
    counts.arrShown = bPortFiltered ? tally.Port(d->pFilter->Port()) : tally.All();
    counts.nAllCards = d->pModel->rowCount();
    counts.nShownCards = bPortFiltered ? d->pFilter->ShownRowCount() : counts.nAllCards;
    return counts;
}

void CReceiverListView::SetStatusFilter(EHealthState eState)
{
    Q_D(CReceiverListView);
    if (!d->pStatusFilter->SetState(eState))
        return;
    d->ApplyStatusFilter();
    emit StatusFilterChanged();
}

EHealthState CReceiverListView::StatusFilter() const
{
    return EHealthState(d_func()->pStatusFilter->State());
}

void CReceiverListView::SetTextFilter(const QString& strText)
{
    Q_D(CReceiverListView);
    if (d->pStatusFilter->SetText(strText))
        d->ApplyStatusFilter();
}

QString CReceiverListView::TextFilter() const
{
    return d_func()->pStatusFilter->Text();
}

int CReceiverListView::CheckedHiddenCount() const
{
    return d_func()->pChecking->CheckedHiddenCount();
}

int CReceiverListView::GetShownRowCount() const
{
    Q_D(const CReceiverListView);
    const int nRows = d->pModel->rowCount();
    // Every filter change and row write ends in a pass that counts what it
    // shows; hosts ask after every status update, and a walk asking the tree
    // view row by row cost milliseconds on a large wall. The walk stays for
    // rows that came since the last pass.
    if (d->pStatusFilter->PassRowCount() == nRows)
        return d->pStatusFilter->ShownRowCount();
    int nShown = 0;
    for (int p = 0; p < nRows; ++p)
        nShown += isRowHidden(p, QModelIndex()) ? 0 : 1;
    return nShown;
}
