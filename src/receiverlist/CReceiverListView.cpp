#include "CReceiverListView.h"

#include "CColumnVisibility.h"
#include "CPortFilter.h"
#include "CStatusFilter.h"
#include "CReceiverFind.h"
#include "CPortSelectWidget.h"
#include "CReceiverChecking.h"
#include "CReceiverListDelegate.h"
#include "CReceiverListHeader.h"
#include "CReceiverListInput.h"
#include "CReceiverListView_p.h"
#include "CReceiverSortProxyModel.h"
#include "COverlayScrollBars.h"
#include "CUpgradeProgress.h"
#include "CViewOrder.h"
#include "ControllerReading.h"
#include "CQtCompat.h"
#include "ReceiverGeometry.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>

CReceiverListViewPrivate::CReceiverListViewPrivate(CReceiverListView* pView)
    : q(pView)
{
}

CReceiverListViewPrivate::~CReceiverListViewPrivate() = default;

CReceiverListView::CReceiverListView(QWidget* parent)
    : CTreeView(parent)
    , m_pPrivate(new CReceiverListViewPrivate(this))
{
    setAttribute(Qt::WA_MouseTracking);
    InitControl();
    SetConnect();
    InitColumn();
}

CReceiverListView::~CReceiverListView()
{
    // The overlay bars follow the system bars only while this view lives.
    horizontalScrollBar()->disconnect(this);
    verticalScrollBar()->disconnect(this);
}

void CReceiverListView::InitControl()
{
    Q_D(CReceiverListView);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::NoSelection);
    // Keyboard focus makes a row current; the platform style would frame the
    // whole row for it, over the row backgrounds drawRow paints. The current
    // cell's own focus look is dropped by the delegate, which is also where
    // every way of editing a cell ends.
    setAllColumnsShowFocus(false);

    d->pPortSelect = new CPortSelectWidget(this);
    d->pPortSelect->hide();

    d->pModel = new CReceiverTableModel(this);
    d->pModel->SetPortShown(!ControllerReading::IsPortHidden());
    d->pProxy = new CReceiverSortProxyModel(this);
    d->pProxy->setSortRole(ReceiverRole::SortKey);
    // Every sort is asked for explicitly, so the view and model orders change
    // together and never behind the view's back.
    d->pProxy->setDynamicSortFilter(false);
    d->pProxy->setSourceModel(d->pModel);
    setModel(d->pProxy);

    const CColumnMap* pColumns = &d->pModel->Columns();
    d->pDelegate = new CReceiverListDelegate(this);
    d->pDelegate->SetColumnMap(pColumns);
    setItemDelegate(d->pDelegate);
    d->pHeader = new CReceiverListHeader(this);
    d->pHeader->SetColumnMap(pColumns);
    setHeader(d->pHeader);
    d->pHeader->setFixedHeight(ReceiverGeometry::RowHeight);

    setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    d->pScrollBars = std::make_unique<COverlayScrollBars>(this, d->pHeader);
    d->pOrder = std::make_unique<CViewOrder>(d->pModel, d->pProxy);
    d->pChecking = std::make_unique<CReceiverChecking>(this, d->pModel, d->pProxy, d->pOrder.get());
    d->pProgress = std::make_unique<CUpgradeProgress>(this, d->pModel, d->pOrder.get());
    d->pFilter = std::make_unique<CPortFilter>(this, d->pModel, d->pHeader, d->pPortSelect);
    d->pStatusFilter = std::make_unique<CStatusFilter>(this, d->pModel, d->pProxy, d->pFilter.get());
    d->pInput = std::make_unique<CReceiverListInput>(this, d->pModel, d->pProxy, d->pOrder.get(), d->pChecking.get(),
                                                     d->pStatusFilter.get());
    d->pColumns = std::make_unique<CColumnVisibility>(this, d->pHeader, pColumns);
    d->pFind = std::make_unique<CReceiverFind>(this, d->pProxy, pColumns);
    d->pHeader->setContextMenuPolicy(Qt::CustomContextMenu);
}

void CReceiverListView::SetConnect()
{
    Q_D(CReceiverListView);
    connect(d->pModel, &QAbstractItemModel::dataChanged, this, &CReceiverListView::OnModelDataChanged);
    // A reset shows every row again; moved rows keep their hidden state, but
    // not at the model rows the filter knew them by.
    connect(d->pModel, &QAbstractItemModel::modelReset, this, [d]() { d->pStatusFilter->Forget(true); });
    // A rebuild leaves no row current, and says so no signal of Qt's.
    connect(d->pModel, &QAbstractItemModel::modelReset, this, [d]() { d->NoticeCurrentRow(); });
    connect(d->pModel, &QAbstractItemModel::layoutChanged, this, [d]() { d->pStatusFilter->Forget(false); });
    connect(this, &CReceiverListView::SetCheckState, this,
            [d](Qt::CheckState state) { d->pHeader->SetCheckBoxState(state, false); });
    connect(d->pHeader, &CReceiverListHeader::SetAllChecked, this, &CReceiverListView::SelectAll);
    connect(d->pHeader, &CReceiverListHeader::ClearCableError, this, [this]() { UpdatePacketCount(); });
    connect(d->pHeader, &CReceiverListHeader::FiltrateClicked, this, [d]() { d->pFilter->ShowPopup(); });
    connect(d->pHeader, &CReceiverListHeader::SortColumn, this, &CReceiverListView::OnHeaderSort);
    connect(d->pHeader, &CReceiverListHeader::MouseEnter, this, [d]() {
        if (d->pInput->HoverRow() != -1)
            d->pInput->Leave();
    });
    connect(d->pHeader, &QWidget::customContextMenuRequested, this, &CReceiverListView::ShowColumnMenu);
    connect(d->pPortSelect, &CPortSelectWidget::SignalClicked, this, [this]() {
        emit SignalFiltrate();
        FiltratePort(true);
    });
}

void CReceiverListView::InitColumn()
{
    Q_D(CReceiverListView);
    // The delegate, the header and the jobs read the layout from the model's
    // column map; the header's 155-pixel floor then guards the new
    // Error/Total packets column, not the old one.
    d->pModel->SetPortShown(!ControllerReading::IsPortHidden());
    d->pHeader->SetColumnLabels();
    d->pColumns->SetDefaultWidths();
    d->pHeader->setMinimumSectionSize(100);
    d->pColumns->Apply();
}

void CReceiverListView::Retranslate()
{
    d_func()->pHeader->SetColumnLabels();
    RefreshShow(true, false);
}

void CReceiverListView::CollectReceiverInfo()
{
    Q_D(CReceiverListView);
    // The old records go first: on a large wall two lists at once would set
    // the peak memory.
    d->listRowInfo.clear();
    d->listRowInfo.squeeze();
    d->vecListRow.clear();
    d->nPendingSortKey = -1;
    d->listRowInfo = ControllerReading::ReadRowInfo();
}

void CReceiverListView::ApplyPortPreference()
{
    Q_D(CReceiverListView);
    const bool bPortShown = !ControllerReading::IsPortHidden();
    if (d->Columns().IsPortShown() != bPortShown)
        InitColumn();

    if (!d->bSortColumnsKnown) {
        d->columnsSort = d->Columns();
        d->bSortColumnsKnown = true;
    }
    if (d->columnsSort != d->Columns()) {
        // The sort stays on its key; a sort by Port goes to the first column.
        const int nOldColumn = d->pHeader->GetSortColumn();
        const int nKey = d->columnsSort.IsColumn(nOldColumn) ? int(d->columnsSort.KeyOf(nOldColumn)) : -1;
        d->pHeader->SetSortColumn(qMax(0, d->Columns().ColumnOf(nKey)));
        d->columnsSort = d->Columns();
    }
}

void CReceiverListView::RefreshShow(bool bReload, bool bClearCheck)
{
    Q_D(CReceiverListView);
    ApplyPortPreference();
    const int nSortColumn = d->pHeader->GetSortColumn();
    const bool bListSorted = CReceiverListSorter::IsListSortedKey(d->SortKey());
    if (bReload) {
        CollectReceiverInfo();
        if (bListSorted)
            SortByColumn(nSortColumn, d->pHeader->GetSortFlag(), false);
    }
    BuildRows(bClearCheck);
}

void CReceiverListView::BuildRows(bool bClearCheck)
{
    Q_D(CReceiverListView);
    d->RunPendingListSort();
    const ControllerReading::SStoredSelection selection = ControllerReading::ReadStoredSelection();
    // Every row's port is looked up, also when no mark comes back.
    ControllerReading::CPortCache cachePort;
    const int nRows = d->listRowInfo.size();
    std::vector<char> vecChecked(size_t(nRows), 0);
    int nChecked = 0;
    for (int i = 0; i < nRows; ++i) {
        const SReceiverRowInfo& info = d->listRowInfo.at(i);
        const SReceiverAddress address = cachePort.Address(info.nPort, info.nPosition);
        if (!bClearCheck && selection.Contains(address, d->Columns().IsPortShown())) {
            vecChecked[size_t(i)] = 1;
            ++nChecked;
        }
    }
    CReceiverTableModel* pModel = d->pModel;
    if (d->vecListRow.size() == size_t(nRows) && pModel->rowCount() == nRows) {
        d->RewriteRows(vecChecked);
        ClearHover();
        // Rows a rebuild would bring back shown; the port filter hides them
        // again below, when there is a Port column to filter on.
        if (!d->Columns().IsPortShown()) {
            for (int p = 0; p < nRows; ++p)
                setRowHidden(p, QModelIndex(), false);
        }
    } else {
        pModel->Rebuild(d->listRowInfo, vecChecked);
    }
    d->vecListRow.resize(size_t(nRows));
    for (int i = 0; i < nRows; ++i)
        d->vecListRow[size_t(i)] = i;

    FinishRows(nChecked);
    if (nChecked == 0)
        d->pInput->EndMultiCheck();
    UpdateCheckState();
}

void CReceiverListView::FinishRows(int nChecked)
{
    Q_D(CReceiverListView);
    if (!CReceiverListSorter::IsListSortedKey(d->SortKey()))
        SortByColumn(d->pHeader->GetSortColumn(), d->pHeader->GetSortFlag(), false);
    d->pInput->SetAnchorRow(-1);
    d->pHeader->SetHasRows(!d->listRowInfo.isEmpty());
    const int nShown = FiltratePort(false);
    // Checked rows a status or text filter hides stay checked but are not
    // among the rows the box summarises.
    if (d->pStatusFilter->IsActive())
        d->ShowCheckSummary();
    else
        d->pHeader->SetCheckBoxState(CReceiverChecking::StateForCount(nChecked, nShown), false);
    d->pColumns->Apply();
}

void CReceiverListView::UpdateShow()
{
    Q_D(CReceiverListView);
    const int nRows = d->pModel->rowCount();
    if (nRows != d->listRowInfo.size()) {
        RefreshShow(true, true);
        return;
    }
    CollectReceiverInfo();
    const ControllerReading::SStoredSelection selection = ControllerReading::ReadStoredSelection();
    ControllerReading::CPortCache cachePort;
    std::vector<int> vecRow;
    if (!d->MatchRows(cachePort, vecRow)) {
        // A receiver appeared or was exchanged since the rows were built:
        // rebuild, so that no receiver is ever missing from the table.
        RefreshShow(true, true);
        return;
    }
    // The first write would run the three-state summary on the rows as they
    // stand; it runs once here, and once more after the writes.
    if (nRows > 0)
        d->ShowCheckSummary();
    const int nChecked = d->WriteRows(vecRow, selection, cachePort);
    if (nRows > 0)
        d->ShowCheckSummary();
    // The list keeps the controller's order and the rows stay where they are;
    // the list still names every row's place when each row got one record.
    std::vector<char> vecSeen(size_t(nRows), 0);
    for (const int r : vecRow)
        vecSeen[size_t(r)] = 1;
    if (std::find(vecSeen.begin(), vecSeen.end(), 0) == vecSeen.end())
        d->vecListRow = std::move(vecRow);
    viewport()->update();
    FinishRows(nChecked);
}

void CReceiverListView::UpdatePacketCount()
{
    Q_D(CReceiverListView);
    CollectReceiverInfo();
    if (CReceiverListSorter::IsListSortedKey(d->SortKey()))
        SortByColumn(d->pHeader->GetSortColumn(), d->pHeader->GetSortFlag(), false);

    const QList<SReceiverInfo> listReceivers = ControllerReading::ReceiverList();
    CReceiverTableModel* pModel = d->pModel;
    if (listReceivers.size() != pModel->rowCount()) {
        RefreshShow(true, true);
        emit DataChange();
        return;
    }
    // The last receiver on an address wins. The counts are taken while the
    // receivers are read in order, not fetched again per row.
    struct SCounts
    {
        uint32_t nErrors;
        uint32_t nTotal;
    };
    CAddressTable<SCounts> tableCounts { size_t(listReceivers.size()) };
    const int nReceivers = listReceivers.size();
    for (int i = 0; i < nReceivers; ++i) {
        if (i + 8 < nReceivers)
            PrefetchForRead(&listReceivers.at(i + 8));
        const SReceiverInfo& receiver = listReceivers.at(i);
        *tableCounts.Insert(receiver.address).first = SCounts { receiver.nErrorPackets, receiver.nTotalPackets };
    }

    // Each row's receiver by its own port, as the Port cell or the first cell
    // keeps it, asked in view order.
    const std::vector<int> vecRows = d->pOrder->RowsInViewOrder();
    std::vector<SReceiverAddress> vecAddresses(vecRows.size());
    for (size_t i = 0; i < vecRows.size(); ++i) {
        static_cast<SPortAddress&>(vecAddresses[i]) = ControllerReading::PortAddress(pModel->RecordPort(vecRows[i]));
        vecAddresses[i].nPosition = pModel->RecordPosition(vecRows[i]);
    }
    int nFirstRow = pModel->rowCount();
    int nLastRow = -1;
    tableCounts.FindEach(vecAddresses, [&](size_t i, const SCounts* pCounts) {
        const int r = vecRows[i];
        if (pCounts && pModel->WritePacketCounts(r, pCounts->nErrors, pCounts->nTotal)) {
            nFirstRow = qMin(nFirstRow, r);
            nLastRow = qMax(nLastRow, r);
        }
    });
    pModel->KeysChanged(nFirstRow, nLastRow, 1u << ReceiverColumn::Packets);
    if (d->pStatusFilter->State() & (HealthPacketErrors | HealthNeedsAttention))
        d->ApplyStatusFilter();
    d->NoticeStatusCounts();
}

void CReceiverListView::SetProgressFinished(bool bFinished)
{
    Q_D(CReceiverListView);
    d->pHeader->SetButtonsEnabled(bFinished);
    d->bProgressing = !bFinished;
    if (!bFinished)
        d->pInput->Leave();
}

void CReceiverListView::UpdateProgress()
{
    Q_D(CReceiverListView);
    d->pProgress->Update();
    d->pFilter->UpdateButton();
    if (d->pStatusFilter->State() != HealthNone)
        d->ApplyStatusFilter();
    d->NoticeStatusCounts();
}

bool CReceiverListView::IsProgressing() const
{
    return d_func()->bProgressing;
}

void CReceiverListView::SortByColumn(int nColumn, bool bAscending, bool bFromHeader)
{
    Q_D(CReceiverListView);
    if (!d->Columns().IsColumn(nColumn))
        return;
    const int nKey = d->Columns().KeyOf(nColumn);
    if (nKey == ReceiverColumn::Progress)
        return;
    if (!CReceiverListSorter::IsListSortedKey(nKey)) {
        sortByColumn(nColumn, bAscending ? Qt::AscendingOrder : Qt::DescendingOrder);
        return;
    }
    // The list itself is sorted; the proxy shows it as it stands.
    d->pProxy->sort(-1, Qt::AscendingOrder);
    d->SortListLater(nKey, bAscending);
    if (bFromHeader)
        RefreshShow(false, false);
}

void CReceiverListView::SelectAll(bool bChecked)
{
    d_func()->CheckAll(bChecked);
}

void CReceiverListView::UpdateCheckState()
{
    d_func()->pChecking->Report();
}

int CReceiverListView::FiltratePort(bool bClearChecks)
{
    Q_D(CReceiverListView);
    // Without a Port column there is no port to filter on: every row shows
    // that the status and text filters accept.
    if (!d->Columns().IsPortShown()) {
        d->NoticeStatusCounts();
        if (!d->pStatusFilter->IsActive() && !d->pStatusFilter->HasHidden())
            return d->pModel->rowCount();
        const int nVisible = d->pStatusFilter->Apply(false);
        d->pHeader->SetHasRows(nVisible > 0);
        emit RowsHiddenChanged();
        return nVisible;
    }
    d->pFilter->Apply();
    // Every row goes to the tree view, as a port filter change always did.
    const int nVisible = d->pStatusFilter->Apply(true);
    d->NoticeStatusCounts();
    d->pFilter->UpdateButton();
    d->pHeader->SetHasRows(nVisible > 0);
    emit RowsHiddenChanged();
    if (bClearChecks && d->pHeader->GetCheckBoxState() != Qt::Unchecked) {
        d->pHeader->SetCheckBoxState(Qt::Unchecked, false);
        SelectAll(false);
    }
    return nVisible;
}

void CReceiverListView::OnHeaderSort(int nIndex, bool bSort)
{
    Q_D(CReceiverListView);
    SortByColumn(nIndex, bSort, true);
    if (d->pInput->IsMultiCheck())
        return;
    const int nFirst = d->pChecking->FirstCheckedRow(true);
    if (nFirst != -1)
        d->pInput->SetAnchorRow(nFirst);
}

void CReceiverListView::OnModelDataChanged(const QModelIndex& topLeft, const QModelIndex&)
{
    Q_D(CReceiverListView);
    // A write to a first cell, by this view or anybody else, updates the
    // header's box; the view's own passes of writes do that themselves.
    if (!d->bWritingCells && topLeft.column() == 0)
        d->ShowCheckSummary();
}

bool CReceiverListView::event(QEvent* e)
{
    Q_D(CReceiverListView);
    switch (e->type()) {
    case QEvent::Enter:
        if (const auto* pEnter = dynamic_cast<QEnterEvent*>(e); pEnter && !d->bProgressing)
            d->pInput->Enter(QtCompat::EventPos(pEnter) - QPoint(0, 40));
        break;
    case QEvent::Hide:
        d->pInput->ResetServiceKeys();
        break;
    case QEvent::Show:
        d->pInput->ResetServiceKeys();
        d->pScrollBars->Layout();
        break;
    case QEvent::Resize:
    case QEvent::UpdateLater:
        d->pScrollBars->Layout();
        break;
    default:
        break;
    }
    return CTreeView::event(e);
}

void CReceiverListView::mouseMoveEvent(QMouseEvent* e)
{
    Q_D(CReceiverListView);
    if (d->bProgressing)
        return;
    CTreeView::mouseMoveEvent(e);
    d->pInput->Hover(e->pos());
}

void CReceiverListView::leaveEvent(QEvent* e)
{
    CTreeView::leaveEvent(e);
    d_func()->pInput->Leave();
}

void CReceiverListView::mousePressEvent(QMouseEvent* e)
{
    Q_D(CReceiverListView);
    d->bKeyCurrent = false;
    if (d->bProgressing)
        return;
    if (!d->pInput->Press(e))
        QTreeView::mousePressEvent(e);
}

void CReceiverListView::keyPressEvent(QKeyEvent* e)
{
    if (d_func()->pInput->Key(e->key()))
        emit SignalShowPack(true);
    if (!OperatorKey(e))
        QTreeView::keyPressEvent(e);
}

void CReceiverListView::drawRow(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    painter->setPen(Qt::NoPen);

    const QModelIndex indexHover = HoverIndex();
    const bool bHovered = selectionBehavior() == QAbstractItemView::SelectRows && option.showDecorationSelected
        && option.state != QStyle::State_None && indexHover.row() == index.row()
        && indexHover.parent() == index.parent() && IsHovering();

    const QModelIndex indexFirst = index.sibling(index.row(), 0);
    const bool bCheckable = indexFirst.flags() & Qt::ItemIsUserCheckable;
    const bool bChecked = indexFirst.data(Qt::CheckStateRole).toInt() == Qt::Checked;
    const bool bMarked = indexFirst.data(ReceiverRole::UpgradeMark).toBool();

    QColor color;
    if (bCheckable && (bChecked || bMarked))
        color = QColor::fromRgba(0xFF383B42);
    else if (bHovered)
        color = QColor::fromRgba(0xFF26282C);
    else if (index.row() % 2 == 1)
        color = QColor::fromRgba(0xFF131416);
    else
        color = QColor::fromRgba(0x00131416);
    painter->setBrush(color);
    painter->drawRoundedRect(option.rect, 4.0, 4.0, Qt::AbsoluteSize);
    painter->restore();
    QTreeView::drawRow(painter, option, index);
    DrawCurrentFrame(painter, option.rect, index);
}

QAbstractItemModel* CReceiverListView::GetModel() const { return d_func()->pModel; }
QSortFilterProxyModel* CReceiverListView::GetProxyModel() const { return d_func()->pProxy; }
CReceiverListHeader* CReceiverListView::GetHeader() const { return d_func()->pHeader; }
CReceiverListDelegate* CReceiverListView::GetDelegate() const { return d_func()->pDelegate; }
CPortSelectWidget* CReceiverListView::GetPortSelectWidget() const { return d_func()->pPortSelect; }
CScrollBar* CReceiverListView::GetHScrollBar() const { return d_func()->pScrollBars->Horizontal(); }
CScrollBar* CReceiverListView::GetVScrollBar() const { return d_func()->pScrollBars->Vertical(); }
const QVector<SReceiverRowInfo>& CReceiverListView::GetRowInfoList() const
{
    // Logically const: the list reads as sorted whether or not its sort ran yet.
    CReceiverListViewPrivate* pPrivate = const_cast<CReceiverListViewPrivate*>(d_func());
    pPrivate->RunPendingListSort();
    return pPrivate->listRowInfo;
}
const CColumnMap& CReceiverListView::GetColumnMap() const { return d_func()->Columns(); }
bool CReceiverListView::IsShowPort() const { return d_func()->Columns().IsPortShown(); }
int CReceiverListView::GetFilterPort() const { return d_func()->pFilter->Port(); }
int CReceiverListView::GetFilterRowCount() const { return d_func()->pFilter->ShownRowCount(); }
int CReceiverListView::GetHoverRow() const { return d_func()->pInput->HoverRow(); }
int CReceiverListView::GetAnchorRow() const { return d_func()->pInput->AnchorRow(); }
bool CReceiverListView::IsMultiCheck() const { return d_func()->pInput->IsMultiCheck(); }
int CReceiverListView::GetServiceKeyStep() const { return d_func()->pInput->ServiceKeyStep(); }
