#include "CReceiverListView.h"

#include "CPortSelectWidget.h"
#include "CReceiverItem.h"
#include "CReceiverListDelegate.h"
#include "CReceiverListHeader.h"
#include "CReceiverSortProxyModel.h"
#include "CScrollBar.h"

#include <QCollator>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QScrollBar>
#include <QSortFilterProxyModel>
#include <QStandardItemModel>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <map>
#include <set>
#include <vector>

namespace
{
constexpr int s_nColumnCount = ReceiverColumn::Count;
constexpr int s_nRowHeight = 36;
constexpr int s_nBoxLeft = 15;
constexpr int s_nBoxRight = 36;
constexpr int s_nBoxTop = 6;
constexpr int s_nBoxBottom = 27;
const QSize s_sizeHint(0, s_nRowHeight);

// The controllers belong to the host; until it publishes them the view shows
// an empty table instead of crashing.
bool PrefPortHidden() { return g_pPreferenceControl && g_pPreferenceControl->IsPortHidden(); }
QUuid CurrentDeviceId() { return g_pRuntimeControl ? g_pRuntimeControl->GetCurrentDeviceId() : QUuid(); }
SPortAddress PortAddress(int nPort) { return g_pOutputPortControl ? g_pOutputPortControl->GetPortAddress(nPort) : SPortAddress(); }
int FilterPortSetting() { return g_pRuntimeControl ? g_pRuntimeControl->GetFilterPort() : -1; }

SPortAddress CachedPortAddress(QMap<int, SPortAddress>* pCache, int nPort)
{
    if (!pCache)
        return PortAddress(nPort);
    auto it = pCache->find(nPort);
    if (it == pCache->end())
        it = pCache->insert(nPort, PortAddress(nPort));
    return it.value();
}

// The runtime controller's stored selection, read once per rebuild or update.
struct SStoredSelection
{
    std::set<SReceiverAddress> setAddresses;
    bool bSameDevice = true;

    // With the Port column, a selection made on another device restores nothing.
    bool Contains(const SReceiverAddress& address, bool bCompareDevice) const
    {
        return (!bCompareDevice || bSameDevice) && setAddresses.count(address) > 0;
    }
};

SStoredSelection ReadStoredSelection()
{
    SStoredSelection selection;
    if (!g_pRuntimeControl)
        return selection;
    std::vector<SReceiverAddress> vecSelected;
    g_pRuntimeControl->GetSelectedReceivers(vecSelected);
    const QUuid idSelection = g_pRuntimeControl->GetSelectionDeviceId();
    const QUuid idCurrent = g_pRuntimeControl->GetCurrentDeviceId();
    selection.setAddresses.insert(vecSelected.begin(), vecSelected.end());
    selection.bSameDevice = idSelection == idCurrent;
    return selection;
}

bool IsListSortedKey(int nKey)
{
    return nKey == ReceiverColumn::Port || nKey == ReceiverColumn::Position || nKey == ReceiverColumn::SerialNumber
        || nKey == ReceiverColumn::Packets;
}

// Number formatting without printf: the host's C locale may use a decimal
// comma, and the cell texts must not depend on it.
void AppendInt(std::string& str, long long nValue)
{
    char szBuffer[24];
    const auto result = std::to_chars(szBuffer, szBuffer + sizeof(szBuffer), nValue);
    str.append(szBuffer, result.ptr);
}

void AppendInt2(std::string& str, long long nValue)
{
    if (nValue >= 0 && nValue < 10)
        str.push_back('0');
    AppendInt(str, nValue);
}

void AppendFixed(std::string& str, double dValue, int nPrecision)
{
    if (std::isnan(dValue)) {
        str.append(std::signbit(dValue) ? "-nan" : "nan");
        return;
    }
    char szBuffer[400];
    const auto result = std::to_chars(szBuffer, szBuffer + sizeof(szBuffer), dValue, std::chars_format::fixed, nPrecision);
    if (result.ec == std::errc())
        str.append(szBuffer, result.ptr);
}

// The number that "errors.total" reads as; a text that is no number (a
// negative total) reads 0. *pDigits gets the length of the total's text.
double PacketKey(long long nErrors, long long nTotal, int* pDigits)
{
    char szBuffer[48];
    auto result = std::to_chars(szBuffer, szBuffer + 20, nErrors);
    char* pDot = result.ptr;
    *pDot = '.';
    result = std::to_chars(pDot + 1, szBuffer + sizeof(szBuffer), nTotal);
    *pDigits = int(result.ptr - (pDot + 1));
    double dValue = 0.0;
    const auto parsed = std::from_chars(szBuffer, result.ptr, dValue);
    if (parsed.ec != std::errc() || parsed.ptr != result.ptr)
        return 0.0;
    return dValue;
}

int ToIntTruncated(double dValue)
{
    if (dValue >= double(std::numeric_limits<int>::max()))
        return std::numeric_limits<int>::max();
    if (dValue <= double(std::numeric_limits<int>::min()))
        return std::numeric_limits<int>::min();
    return int(dValue);
}

// A cell's number under Qt::UserRole; anything that does not convert reads 0.
int CellNumber(const QStandardItem* pItem)
{
    if (!pItem)
        return 0;
    const QVariant var = pItem->data(ReceiverRole::SortKey);
    if (var.type() == QVariant::Int)
        return var.toInt();
    bool bOk = false;
    const int n = var.toInt(&bOk);
    return bOk ? n : 0;
}

void ShowBox(QStandardItem* pItem)
{
    pItem->setCheckable(true);
    pItem->setData(true, ReceiverRole::Extra);
}

void HideBox(QStandardItem* pItem)
{
    pItem->setCheckable(false);
    pItem->setData(QVariant(), Qt::CheckStateRole);
    pItem->setData(false, ReceiverRole::Extra);
}

struct SAddressHash
{
    size_t operator()(const SReceiverAddress& a) const
    {
        uint64_t h = 1469598103934665603ull;
        for (int32_t n : { a.nConnection, a.nDevice, a.nSenderCard, a.nPort, a.nPosition })
            h = (h ^ uint32_t(n)) * 1099511628211ull;
        // Fold the high bits down: the table below keeps only the low ones.
        h ^= h >> 29;
        h *= 0xbf58476d1ce4e5b9ull;
        h ^= h >> 32;
        return size_t(h);
    }
};

// Receivers by address in one flat array (open addressing, linear probing):
// a look-up costs one cache miss where a node-based map costs several, which
// is the whole cost of matching tens of thousands of rows to receivers.
template <typename T>
class CAddressTable
{
public:
    explicit CAddressTable(size_t nCount)
    {
        size_t nSize = 16;
        while (nSize < nCount * 2)
            nSize <<= 1;
        m_vecSlots.resize(nSize);
        m_nMask = nSize - 1;
    }
    // The value under the address, and whether the address is new.
    std::pair<T*, bool> Insert(const SReceiverAddress& address)
    {
        for (size_t i = SAddressHash()(address) & m_nMask;; i = (i + 1) & m_nMask) {
            SSlot& slot = m_vecSlots[i];
            if (!slot.bUsed) {
                slot.bUsed = true;
                slot.address = address;
                return { &slot.value, true };
            }
            if (slot.address == address)
                return { &slot.value, false };
        }
    }
    const T* Find(const SReceiverAddress& address) const
    {
        for (size_t i = SAddressHash()(address) & m_nMask;; i = (i + 1) & m_nMask) {
            const SSlot& slot = m_vecSlots[i];
            if (!slot.bUsed)
                return nullptr;
            if (slot.address == address)
                return &slot.value;
        }
    }

private:
    struct SSlot
    {
        SReceiverAddress address;
        bool bUsed = false;
        T value {};
    };
    std::vector<SSlot> m_vecSlots;
    size_t m_nMask = 0;
};

// Rows outside an upgrade all hold the same progress record. One shared value
// spares an allocation per row, and writing it over itself is no change.
const QVariant& DefaultProgressVariant()
{
    static const QVariant s_varDefault = QVariant::fromValue(SRowProgressInfo());
    return s_varDefault;
}

bool IsDefaultProgress(const SRowProgressInfo& info)
{
    const SRowProgressInfo infoDefault;
    return info.nState == infoDefault.nState && info.nProgress == infoDefault.nProgress && info.strText == infoDefault.strText;
}

QVariant ProgressVariant(const SRowProgressInfo& info)
{
    return IsDefaultProgress(info) ? DefaultProgressVariant() : QVariant::fromValue(info);
}

// The unstable quicksort the row list has always been sorted with; equal keys
// come out in the order this exact sequence of swaps leaves them.
template <typename T, typename LessThan>
void QuickSort(std::vector<T>& vec, size_t nStart, size_t nEnd, const LessThan& lessThan)
{
    for (;;) {
        const size_t nSpan = nEnd - nStart;
        if (nSpan < 2)
            return;
        const size_t nLast = nEnd - 1;
        size_t nLow = nStart;
        size_t nHigh = nLast - 1;
        const size_t nPivot = nStart + nSpan / 2;
        if (lessThan(vec[nLast], vec[nStart]))
            std::swap(vec[nLast], vec[nStart]);
        if (nSpan == 2)
            return;
        if (lessThan(vec[nPivot], vec[nStart]))
            std::swap(vec[nPivot], vec[nStart]);
        if (lessThan(vec[nLast], vec[nPivot]))
            std::swap(vec[nLast], vec[nPivot]);
        if (nSpan == 3)
            return;
        std::swap(vec[nPivot], vec[nLast]);
        while (nLow < nHigh) {
            while (nLow < nHigh && lessThan(vec[nLow], vec[nLast]))
                ++nLow;
            while (nHigh > nLow && lessThan(vec[nLast], vec[nHigh]))
                --nHigh;
            if (nLow < nHigh) {
                std::swap(vec[nLow], vec[nHigh]);
                ++nLow;
                --nHigh;
            } else {
                break;
            }
        }
        if (lessThan(vec[nLow], vec[nLast]))
            ++nLow;
        std::swap(vec[nLast], vec[nLow]);
        QuickSort(vec, nStart, nLow, lessThan);
        nStart = nLow + 1;
    }
}
}

QStandardItem* NewCell(int nKey)
{
    switch (nKey) {
    case ReceiverColumn::Type:
    case ReceiverColumn::SerialNumber:
    case ReceiverColumn::FailedModule:
        return new CReceiverItem(CReceiverItem::MirrorSortAndPlain);
    case ReceiverColumn::Firmware:
    case ReceiverColumn::Temperature:
    case ReceiverColumn::Humidity:
    case ReceiverColumn::Voltage:
    case ReceiverColumn::Uptime:
        return new CReceiverItem(CReceiverItem::MirrorSortKey);
    default:
        return new CReceiverItem(CReceiverItem::MirrorNone);
    }
}

int RowProgressInfoTypeId()
{
    static const int s_nTypeId = qRegisterMetaType<SRowProgressInfo>("SRowProgressInfo");
    return s_nTypeId;
}

CReceiverListView::CReceiverListView(QWidget* parent)
    : CTreeView(parent)
{
    RowProgressInfoTypeId();
    setAttribute(Qt::WA_MouseTracking);
    const bool bHidden = PrefPortHidden();
    m_nPortColumnHidden = bHidden ? 1 : 0;
    m_bShowPort = !bHidden;
    InitModel();
    InitScrollBar();
    InitColumn();
}

CReceiverListView::~CReceiverListView() = default;

void CReceiverListView::InitModel()
{
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::NoSelection);
    // Keyboard focus makes a row current; the platform style would frame the
    // whole row for it, over the row backgrounds drawRow paints. The current
    // cell's own focus look is dropped by the delegate.
    setAllColumnsShowFocus(false);

    m_pPortSelectWidget = new CPortSelectWidget(this);
    m_pPortSelectWidget->hide();

    m_pProxyModel = new CReceiverSortProxyModel(this);
    m_pProxyModel->setSortRole(ReceiverRole::SortKey);
    // Every sort is asked for explicitly, so the view and model orders change
    // together and never behind the view's back.
    m_pProxyModel->setDynamicSortFilter(false);
    m_pProxyModel->setSourceModel(m_pModel);
    setModel(m_pProxyModel);

    m_pDelegate = new CReceiverListDelegate(this);
    setItemDelegate(m_pDelegate);

    m_pHeader = new CReceiverListHeader(this);
    setHeader(m_pHeader);

    m_connItemChanged = connect(m_pModel, &QStandardItemModel::itemChanged, this, &CReceiverListView::OnItemChanged);
    // The record of what the rows show holds only while this view alone moves
    // and writes them.
    const auto forgetShown = [this]() {
        m_bShownInfoValid = false;
        m_bBoxRowsKnown = false;
    };
    connect(m_pModel, &QAbstractItemModel::dataChanged, this, &CReceiverListView::OnModelChangedElsewhere);
    connect(m_pModel, &QAbstractItemModel::rowsInserted, this, forgetShown);
    connect(m_pModel, &QAbstractItemModel::rowsRemoved, this, forgetShown);
    connect(m_pModel, &QAbstractItemModel::rowsMoved, this, forgetShown);
    connect(m_pModel, &QAbstractItemModel::columnsInserted, this, forgetShown);
    connect(m_pModel, &QAbstractItemModel::columnsRemoved, this, forgetShown);
    connect(m_pModel, &QAbstractItemModel::columnsMoved, this, forgetShown);
    connect(m_pModel, &QAbstractItemModel::layoutChanged, this, forgetShown);
    connect(m_pModel, &QAbstractItemModel::modelReset, this, forgetShown);
    connect(this, &CReceiverListView::SetCheckState, this,
            [this](Qt::CheckState state) { m_pHeader->SetCheckBoxState(state, false); });
    connect(m_pHeader, &CReceiverListHeader::SetAllChecked, this, &CReceiverListView::SelectAll);
    connect(m_pHeader, &CReceiverListHeader::ClearCableError, this, [this]() { UpdatePacketCount(); });
    connect(m_pHeader, &CReceiverListHeader::FiltrateClicked, this, &CReceiverListView::ShowPortPopup);
    connect(m_pHeader, &CReceiverListHeader::SortColumn, this, &CReceiverListView::OnHeaderSort);
    connect(m_pHeader, &CReceiverListHeader::MouseEnter, this, &CReceiverListView::OnHeaderMouseEnter);
    connect(m_pPortSelectWidget, &CPortSelectWidget::SignalClicked, this, &CReceiverListView::OnPortChosen);

    m_pHeader->setFixedHeight(s_nRowHeight);
}

void CReceiverListView::InitScrollBar()
{
    setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);

    m_pHScrollBar = new CScrollBar(Qt::Horizontal, this);
    m_pHScrollBar->ConnectSystem(horizontalScrollBar());
    m_pHScrollBar->hide();
    m_pVScrollBar = new CScrollBar(Qt::Vertical, this);
    m_pVScrollBar->ConnectSystem(verticalScrollBar());
    m_pVScrollBar->hide();
    // Rows come and go without a resize; the bars follow the range as well.
    connect(horizontalScrollBar(), &QScrollBar::rangeChanged, this, &CReceiverListView::LayoutScrollBars);
    connect(verticalScrollBar(), &QScrollBar::rangeChanged, this, &CReceiverListView::LayoutScrollBars);
}

void CReceiverListView::InitColumn()
{
    m_pDelegate->SetShowPort(m_bShowPort);
    // The header learns the new layout first: its 155-pixel floor must guard
    // the new Error/Total packets column, not the old one.
    m_pHeader->SetColumnLabels(m_bShowPort);
    m_pModel->setColumnCount(s_nColumnCount - m_nPortColumnHidden);
    const int arrWidth[s_nColumnCount] = { 90, m_nPortColumnHidden ? 125 : 90, 90, 130, 80, 160, 220, 120, 100, 100, 100, 100 };
    for (int nKey = 0; nKey < s_nColumnCount; ++nKey) {
        const int nColumn = nKey - m_nPortColumnHidden;
        if (nColumn >= 0)
            setColumnWidth(nColumn, arrWidth[nKey]);
    }
    m_pHeader->setMinimumSectionSize(100);
}

void CReceiverListView::Retranslate()
{
    m_pHeader->SetColumnLabels(m_bShowPort);
    RefreshShow(true, false);
}

QStandardItem* CReceiverListView::FirstCell(int nRow) const
{
    return nRow >= 0 ? m_pModel->item(nRow, 0) : nullptr;
}

int CReceiverListView::ModelRowAt(const QPoint& pos) const
{
    const QModelIndex index = indexAt(pos);
    return index.isValid() ? m_pProxyModel->mapToSource(index).row() : -1;
}

std::vector<int> CReceiverListView::RowsInViewOrder() const
{
    // Sorting happens in the proxy only, so the source rows keep their build
    // order; every walk over "the rows" follows the order the user sees.
    const int nRows = m_pModel->rowCount();
    std::vector<int> vecRows;
    vecRows.reserve(size_t(nRows));
    if (IsViewInModelOrder()) {
        for (int r = 0; r < nRows; ++r)
            vecRows.push_back(r);
    } else {
        for (int p = 0; p < nRows; ++p)
            vecRows.push_back(m_pProxyModel->mapToSource(m_pProxyModel->index(p, 0)).row());
    }
    return vecRows;
}

bool CReceiverListView::IsViewInModelOrder() const
{
    return m_pProxyModel->sortColumn() < 0 || m_pProxyModel->rowCount() != m_pModel->rowCount();
}

int CReceiverListView::ViewPosition(int nRow) const
{
    if (IsViewInModelOrder())
        return nRow;
    const QModelIndex index = m_pProxyModel->mapFromSource(m_pModel->index(nRow, 0));
    return index.isValid() ? index.row() : nRow;
}

std::vector<int> CReceiverListView::SortedByView(std::vector<int> vecRows) const
{
    if (IsViewInModelOrder()) {
        std::sort(vecRows.begin(), vecRows.end());
        return vecRows;
    }
    std::vector<std::pair<int, int>> vecPairs;
    vecPairs.reserve(vecRows.size());
    for (const int r : vecRows)
        vecPairs.emplace_back(ViewPosition(r), r);
    std::sort(vecPairs.begin(), vecPairs.end());
    for (size_t i = 0; i < vecPairs.size(); ++i)
        vecRows[i] = vecPairs[i].second;
    return vecRows;
}

const std::vector<int>& CReceiverListView::BoxRows()
{
    const int nRows = m_pModel->rowCount();
    if (m_bBoxRowsKnown && m_vecBoxListed.size() == size_t(nRows))
        return m_vecBoxRows;
    ResetBoxRows();
    for (int r = 0; r < nRows; ++r) {
        const QStandardItem* pItem = FirstCell(r);
        if (pItem && (pItem->isCheckable() || pItem->data(ReceiverRole::Extra).toBool() || pItem->data(Qt::CheckStateRole).isValid()))
            NoteBoxRow(r);
    }
    return m_vecBoxRows;
}

void CReceiverListView::ResetBoxRows()
{
    m_vecBoxRows.clear();
    m_vecBoxListed.assign(size_t(m_pModel->rowCount()), 0);
    m_bBoxRowsKnown = true;
}

void CReceiverListView::NoteBoxRow(int nRow)
{
    if (!m_bBoxRowsKnown || nRow < 0 || size_t(nRow) >= m_vecBoxListed.size() || m_vecBoxListed[size_t(nRow)])
        return;
    m_vecBoxListed[size_t(nRow)] = 1;
    m_vecBoxRows.push_back(nRow);
}

int CReceiverListView::FirstCheckedRow(bool bCheckableOnly)
{
    int nBest = -1;
    int nBestPosition = 0;
    for (const int r : BoxRows()) {
        const QStandardItem* pItem = FirstCell(r);
        if (!pItem || pItem->checkState() != Qt::Checked || (bCheckableOnly && !pItem->isCheckable()))
            continue;
        const int nPosition = ViewPosition(r);
        if (nBest == -1 || nPosition < nBestPosition) {
            nBest = r;
            nBestPosition = nPosition;
        }
    }
    return nBest;
}

bool CReceiverListView::IsModelRowHidden(int nRow) const
{
    const QModelIndex index = m_pProxyModel->mapFromSource(m_pModel->index(nRow, 0));
    return index.isValid() && isRowHidden(index.row(), QModelIndex());
}

bool CReceiverListView::IsShownInfoKnown() const
{
    return m_bShownInfoValid && m_vecShownInfo.size() == size_t(m_pModel->rowCount());
}

int CReceiverListView::RowNumber(int nRow, int nKey) const
{
    // The record holds what the Port and Position cells were given.
    if (IsShownInfoKnown() && nRow >= 0) {
        const SReceiverRowInfo& shown = m_vecShownInfo[size_t(nRow)];
        return nKey == ReceiverColumn::Port ? shown.nPort : shown.nPosition;
    }
    return CellNumber(m_pModel->item(nRow, nKey - m_nPortColumnHidden));
}

SReceiverAddress CReceiverListView::RowAddress(int nRow, QMap<int, SPortAddress>* pPortCache, bool bIdentity) const
{
    // Without the Port column the controllers see every row on port 0; a row
    // is still found again by the port its receiver really hangs on.
    int nPort = 0;
    if (m_bShowPort)
        nPort = RowNumber(nRow, ReceiverColumn::Port);
    else if (bIdentity && IsShownInfoKnown())
        nPort = m_vecShownInfo[size_t(nRow)].nPort;
    else if (bIdentity)
        nPort = FirstCell(nRow) ? FirstCell(nRow)->data(ReceiverRole::RealPort).toInt() : 0;
    const int nPosition = RowNumber(nRow, ReceiverColumn::Position);
    SReceiverAddress address;
    static_cast<SPortAddress&>(address) = CachedPortAddress(pPortCache, nPort);
    address.nPosition = nPosition;
    return address;
}

int CReceiverListView::CheckBoxStateForCount(int nCheckedRows) const
{
    if (nCheckedRows == 0)
        return Qt::Unchecked;
    const int nAll = m_bShowPort ? m_nFilterRowCount : m_pModel->rowCount();
    return nCheckedRows == nAll ? Qt::Checked : Qt::PartiallyChecked;
}

void CReceiverListView::CollectReceiverInfo()
{
    m_listRowInfo.clear();
    m_listProgressInfo.clear();

    QList<SReceiverInfo> listReceivers;
    QMap<quint64, SCabinetInfo> mapCabinet;
    if (g_pReceiverControl)
        g_pReceiverControl->GetReceiverList(listReceivers);
    if (g_pCabinetLibControl)
        g_pCabinetLibControl->GetCabinetMap(mapCabinet);
    const bool bFahrenheit = g_pPreferenceControl && g_pPreferenceControl->IsTemperatureFahrenheit();

    m_listRowInfo.reserve(listReceivers.size());
    m_listProgressInfo.reserve(listReceivers.size());
    const SRowProgressInfo progressDefault;
    for (const SReceiverInfo& receiver : qAsConst(listReceivers)) {
        SReceiverRowInfo info;
        info.nPort = receiver.address.nPort;
        info.nPosition = receiver.address.nPosition;

        // Only ASCII letters and digits survive, so filtering the UTF-8 bytes
        // gives the same text as filtering characters.
        info.strSN.reserve(receiver.strSerialNumber.size());
        for (const char c : receiver.strSerialNumber) {
            if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9'))
                info.strSN.push_back(c);
        }

        if (g_pReceiverControl)
            info.strTypeName = g_pReceiverControl->GetReceiverTypeName(receiver.nTypeCode).toUtf8().toStdString();

        quint32 nLowByte = quint32(receiver.nCabinetKeyLow) & 0xFF;
        for (const auto& module : receiver.mapModule) {
            if (module.second.bOk && module.second.nCabinetCode > 0) {
                nLowByte = quint32(module.second.nCabinetCode) & 0xFF;
                break;
            }
        }
        const quint64 nCabinetKey = ((quint32(receiver.nCabinetKeyHigh) & 0xFFFF) << 16)
            | ((quint32(receiver.nCabinetKeyMid) & 0xFF) << 8) | nLowByte;
        const auto itCabinet = mapCabinet.constFind(nCabinetKey);
        if (itCabinet != mapCabinet.constEnd() && itCabinet->strIdentifier == receiver.strCabinetId)
            info.strType = itCabinet->strName;
        else
            info.strType = info.strTypeName;

        AppendInt(info.strVersion, receiver.nVersionMajor);
        info.strVersion.push_back('.');
        AppendInt2(info.strVersion, receiver.nVersionMinor);
        info.nErrorPackets = receiver.nErrorPackets;
        info.nTotalPackets = receiver.nTotalPackets;

        for (const auto& module : receiver.mapModule) {
            if (module.second.bOk)
                continue;
            if (!info.strFailedModule.empty())
                info.strFailedModule += ", ";
            AppendInt(info.strFailedModule, static_cast<long long>(module.second.nIndex) + 1);
        }
        if (info.strFailedModule.empty())
            info.strFailedModule = "N/A";

        if (!receiver.bTemperatureValid) {
            info.strTemperature = "--";
        } else {
            AppendFixed(info.strTemperature, bFahrenheit ? receiver.dTemperature * 1.8 + 32.0 : receiver.dTemperature, 2);
            info.strTemperature.append(bFahrenheit ? "\xC2\xB0" "F" : "\xC2\xB0" "C");
        }

        // A reading that is not a number has no integer part to show.
        if (!receiver.bHumidityValid || std::isnan(receiver.dHumidity))
            info.strHumidity = "--";
        else
            (AppendInt(info.strHumidity, ToIntTruncated(receiver.dHumidity)), info.strHumidity.push_back('%'));

        const auto itVoltage = receiver.mapSensor.find(3);
        if (itVoltage == receiver.mapSensor.end() || !itVoltage->second.bValid)
            info.strVoltage = "--";
        else
            (AppendFixed(info.strVoltage, itVoltage->second.dValue, 1), info.strVoltage.push_back('V'));

        const uint32_t nUptime = receiver.nUptime;
        const uint32_t nHours = nUptime / 3600000u;
        const uint32_t nSecondsOfHour = (nUptime / 1000u) % 3600u;
        AppendInt(info.strUptime, nHours);
        info.strUptime.push_back(':');
        AppendInt2(info.strUptime, nSecondsOfHour / 60u);
        info.strUptime.push_back(':');
        AppendInt2(info.strUptime, nSecondsOfHour % 60u);

        m_listRowInfo.append(std::move(info));
        m_listProgressInfo.append(progressDefault);
    }
}

bool CReceiverListView::WriteCell(QStandardItem* pItem, int nKey, const SReceiverRowInfo& info, const SReceiverRowInfo* pShown) const
{
    // A cell is written when there is no record of what it shows, or when the
    // fields it is made of changed since.
    auto setText = [pItem](const std::string& str, bool bPlain) {
        const QString strText = QString::fromUtf8(str.data(), int(str.size()));
        pItem->setData(strText, Qt::DisplayRole);
        const CReceiverItem::EMirror eMirror = pItem->type() == CReceiverItem::c_nType
            ? static_cast<CReceiverItem*>(pItem)->Mirror() : CReceiverItem::MirrorNone;
        if (eMirror == CReceiverItem::MirrorNone)
            pItem->setData(strText, ReceiverRole::SortKey);
        if (bPlain && eMirror != CReceiverItem::MirrorSortAndPlain)
            pItem->setData(strText, ReceiverRole::PlainText);
    };
    auto differs = [pShown](bool bDiffers) { return !pShown || bDiffers; };
    auto textField = [&](std::string SReceiverRowInfo::*pField, bool bPlain) {
        if (pShown && (*pShown).*pField == info.*pField)
            return false;
        setText(info.*pField, bPlain);
        return true;
    };
    switch (nKey) {
    case ReceiverColumn::Port:
        if (!differs(pShown && pShown->nPort != info.nPort))
            return false;
        pItem->setData(info.nPort, ReceiverRole::SortKey);
        pItem->setData(QString::number(qint64(info.nPort) + 1), Qt::DisplayRole);
        return true;
    case ReceiverColumn::Position: {
        bool bWritten = false;
        // Without the Port column the first cell keeps the receiver's port.
        if (!m_bShowPort && differs(pShown && pShown->nPort != info.nPort)) {
            pItem->setData(info.nPort, ReceiverRole::RealPort);
            bWritten = true;
        }
        if (differs(pShown && pShown->nPosition != info.nPosition)) {
            pItem->setData(info.nPosition, ReceiverRole::SortKey);
            pItem->setData(QString::number(qint64(info.nPosition) + 1), Qt::DisplayRole);
            bWritten = true;
        }
        return bWritten;
    }
    case ReceiverColumn::Type:
        return textField(&SReceiverRowInfo::strType, true);
    case ReceiverColumn::SerialNumber:
        return textField(&SReceiverRowInfo::strSN, true);
    case ReceiverColumn::Firmware:
        if (!differs(pShown && (pShown->strTypeName != info.strTypeName || pShown->strVersion != info.strVersion)))
            return false;
        setText(info.strTypeName + " V" + info.strVersion, false);
        return true;
    case ReceiverColumn::Packets: {
        if (!differs(pShown && (pShown->nErrorPackets != info.nErrorPackets || pShown->nTotalPackets != info.nTotalPackets)))
            return false;
        // errors.total read as one number; the digit count recovers the total.
        int nDigits = 0;
        const double dKey = PacketKey(int32_t(info.nErrorPackets), int32_t(info.nTotalPackets), &nDigits);
        pItem->setData(dKey, ReceiverRole::SortKey);
        pItem->setData(nDigits, ReceiverRole::Extra);
        return true;
    }
    case ReceiverColumn::FailedModule:
        return textField(&SReceiverRowInfo::strFailedModule, true);
    case ReceiverColumn::Temperature:
        return textField(&SReceiverRowInfo::strTemperature, false);
    case ReceiverColumn::Humidity:
        return textField(&SReceiverRowInfo::strHumidity, false);
    case ReceiverColumn::Voltage:
        return textField(&SReceiverRowInfo::strVoltage, false);
    case ReceiverColumn::Uptime:
        return textField(&SReceiverRowInfo::strUptime, false);
    default:
        return false;
    }
}

uint32_t CReceiverListView::WriteRowCells(const QList<QStandardItem*>& listItems, const SReceiverRowInfo& info,
                                          const SReceiverRowInfo* pShown) const
{
    uint32_t nWritten = 0;
    for (int c = 0; c < listItems.size(); ++c) {
        const int nKey = c + m_nPortColumnHidden;
        if (WriteCell(listItems.at(c), nKey, info, pShown))
            nWritten |= 1u << nKey;
    }
    return nWritten;
}

bool CReceiverListView::WriteProgressCell(QStandardItem* pItem, const SRowProgressInfo& progress) const
{
    if (!pItem)
        return false;
    // The same test the item makes before it stores a value.
    const QVariant varNew = ProgressVariant(progress);
    const QVariant varOld = pItem->data(ReceiverRole::Extra);
    if (varOld.userType() == varNew.userType() && varOld == varNew)
        return false;
    pItem->setData(varNew, ReceiverRole::Extra);
    return true;
}

void CReceiverListView::EmitModelDataChanged(int nFirstColumn, int nLastColumn, int nFirstRow, int nLastRow)
{
    const int nRows = m_pModel->rowCount();
    if (nLastRow < 0 || nLastRow >= nRows)
        nLastRow = nRows - 1;
    nFirstRow = qMax(0, nFirstRow);
    if (nRows == 0 || nFirstColumn > nLastColumn || nFirstRow > nLastRow)
        return;
    // The model turns this notice into one itemChanged per cell; those cells
    // were written in bulk, and the callers decide on the summary themselves.
    disconnect(m_connItemChanged);
    m_bEmittingOwnChange = true;
    emit m_pModel->dataChanged(m_pModel->index(nFirstRow, nFirstColumn), m_pModel->index(nLastRow, nLastColumn));
    m_bEmittingOwnChange = false;
    m_connItemChanged = connect(m_pModel, &QStandardItemModel::itemChanged, this, &CReceiverListView::OnItemChanged);
}

void CReceiverListView::OnModelChangedElsewhere(const QModelIndex& topLeft, const QModelIndex& bottomRight, const QVector<int>& roles)
{
    if (m_bEmittingOwnChange)
        return;
    // A check mark or box set through the model: its rows join the box rows.
    if (m_bBoxRowsKnown && topLeft.column() == 0) {
        const bool bBoxRole = roles.isEmpty() || roles.contains(Qt::CheckStateRole) || roles.contains(Qt::UserRole - 1)
            || roles.contains(ReceiverRole::Extra);
        if (bBoxRole && bottomRight.row() - topLeft.row() < 64) {
            for (int r = topLeft.row(); r <= bottomRight.row(); ++r)
                NoteBoxRow(r);
        } else if (bBoxRole) {
            m_bBoxRowsKnown = false;
        }
    }
    if (!m_bShownInfoValid)
        return;
    // Check marks, box flags and upgrade marks are no part of the row records.
    const int nPacketsColumn = ReceiverColumn::Packets - m_nPortColumnHidden;
    const bool bPacketsInRange = topLeft.column() <= nPacketsColumn && bottomRight.column() >= nPacketsColumn;
    bool bRecordRole = roles.isEmpty();
    for (const int nRole : roles) {
        if (nRole == Qt::CheckStateRole || nRole == Qt::UserRole - 1 || nRole == ReceiverRole::UpgradeMark)
            continue;
        if (nRole == ReceiverRole::Extra && !bPacketsInRange)
            continue;
        bRecordRole = true;
    }
    if (bRecordRole)
        m_bShownInfoValid = false;
}

void CReceiverListView::RefreshShow(bool bReload, bool bClearCheck)
{
    const bool bHidden = PrefPortHidden();
    m_nPortColumnHidden = bHidden ? 1 : 0;
    m_bShowPort = !bHidden;
    const int nColumns = s_nColumnCount - m_nPortColumnHidden;
    if (m_pModel->columnCount() != nColumns)
        InitColumn();

    int nSortColumn = m_pHeader->GetSortColumn();
    const bool bSortFlag = m_pHeader->GetSortFlag();

    // Keep the sort on the same logical column when the Port column comes or goes.
    if (!m_bSortPortHiddenKnown) {
        m_bSortPortHidden = PrefPortHidden();
        m_bSortPortHiddenKnown = true;
    }
    const bool bHiddenNow = PrefPortHidden();
    if (bHiddenNow != m_bSortPortHidden) {
        nSortColumn += bHiddenNow ? -1 : 1;
        if (nSortColumn == -1)
            nSortColumn = 0;
        m_pHeader->SetSortColumn(nSortColumn);
        m_bSortPortHidden = bHiddenNow;
    }

    const bool bListSorted = IsListSortedKey(nSortColumn + m_nPortColumnHidden);
    if (bReload) {
        CollectReceiverInfo();
        if (bListSorted)
            SortByColumn(nSortColumn, bSortFlag, false);
    }

    m_pModel->removeRows(0, m_pModel->rowCount());

    const SStoredSelection selection = ReadStoredSelection();

    // Rows are inserted empty in one go and filled with the model's signals
    // blocked: one insert and one change notice instead of one per row.
    const int nRows = m_listRowInfo.size();
    int nChecked = 0;
    std::vector<int> vecRestored;
    if (nRows > 0) {
        m_pModel->insertRows(0, nRows);
        QMap<int, SPortAddress> mapPortCache;
        const bool bBlocked = m_pModel->blockSignals(true);
        // Built a column at a time: each column's cells and their values lie
        // together in memory, so the walks over the first column (checks,
        // boxes, hover) stay in cache on the largest walls.
        std::vector<QStandardItem*> vecItems(static_cast<size_t>(nRows) * size_t(nColumns), nullptr);
        for (int c = 0; c < nColumns; ++c) {
            const int nKey = c + m_nPortColumnHidden;
            for (int i = 0; i < nRows; ++i) {
                const SReceiverRowInfo& info = m_listRowInfo.at(i);
                QStandardItem* pItem = NewCell(nKey);
                vecItems[size_t(i) * size_t(nColumns) + size_t(c)] = pItem;
                if (pItem->type() != CReceiverItem::c_nType)
                    pItem->setData(s_sizeHint, Qt::SizeHintRole);
                if (nKey == ReceiverColumn::Progress)
                    WriteProgressCell(pItem, m_listProgressInfo.value(i));
                else
                    WriteCell(pItem, nKey, info, nullptr);
                if (c != 0)
                    continue;
                // Every row's port is looked up, also when no mark comes back.
                SReceiverAddress address;
                static_cast<SPortAddress&>(address) = CachedPortAddress(&mapPortCache, info.nPort);
                address.nPosition = info.nPosition;
                if (!bClearCheck && selection.Contains(address, m_bShowPort)) {
                    ++nChecked;
                    ShowBox(pItem);
                    pItem->setCheckState(Qt::Checked);
                    vecRestored.push_back(i);
                }
            }
        }
        for (int i = 0; i < nRows; ++i) {
            for (int c = 0; c < nColumns; ++c)
                m_pModel->setItem(i, c, vecItems[size_t(i) * size_t(nColumns) + size_t(c)]);
        }
        m_pModel->blockSignals(bBlocked);
        EmitModelDataChanged(0, nColumns - 1);
    }
    m_vecShownInfo.assign(m_listRowInfo.cbegin(), m_listRowInfo.cend());
    m_bShownInfoValid = true;
    ResetBoxRows();
    for (const int r : vecRestored)
        NoteBoxRow(r);

    if (!bListSorted)
        SortByColumn(nSortColumn, bSortFlag, false);

    m_nAnchorRow = -1;
    m_pHeader->SetHasRows(!m_listRowInfo.isEmpty());
    FiltratePort(false);
    m_pHeader->SetCheckBoxState(CheckBoxStateForCount(nChecked), false);
    if (nChecked == 0)
        m_bMultiCheck = false;
    UpdateCheckState();
}

void CReceiverListView::UpdateShow()
{
    if (m_pModel->rowCount() != m_listRowInfo.size()) {
        RefreshShow(true, true);
        return;
    }

    // The sort column already follows the column layout; only a refresh that
    // re-lays the columns moves it.
    const int nSortColumn = m_pHeader->GetSortColumn();
    const bool bSortFlag = m_pHeader->GetSortFlag();

    CollectReceiverInfo();

    const SStoredSelection selection = ReadStoredSelection();

    // Rows by address, first row wins, as a top-down search would find them.
    QMap<int, SPortAddress> mapPortCache;
    const int nRows = m_pModel->rowCount();
    // What each row shows is on record since it was written, unless somebody
    // else changed the model since; then the cells themselves are read.
    const bool bShownKnown = m_bShownInfoValid && m_vecShownInfo.size() == size_t(nRows);
    CAddressTable<int> tableRow { size_t(nRows) };
    for (const int r : RowsInViewOrder()) {
        if (bShownKnown) {
            SReceiverAddress address;
            static_cast<SPortAddress&>(address) = CachedPortAddress(&mapPortCache, m_vecShownInfo[size_t(r)].nPort);
            address.nPosition = m_vecShownInfo[size_t(r)].nPosition;
            const auto slot = tableRow.Insert(address);
            if (slot.second)
                *slot.first = r;
        } else {
            const auto slot = tableRow.Insert(RowAddress(r, &mapPortCache, true));
            if (slot.second)
                *slot.first = r;
        }
    }

    std::vector<int> vecRow;
    vecRow.reserve(size_t(m_listRowInfo.size()));
    for (const SReceiverRowInfo& info : qAsConst(m_listRowInfo)) {
        SReceiverAddress address;
        static_cast<SPortAddress&>(address) = CachedPortAddress(&mapPortCache, info.nPort);
        address.nPosition = info.nPosition;
        const int* pRow = tableRow.Find(address);
        if (!pRow) {
            // A receiver appeared or was exchanged since the rows were built:
            // rebuild, so that no receiver is ever missing from the table.
            RefreshShow(true, true);
            return;
        }
        vecRow.push_back(*pRow);
    }

    // The first cell write would run the three-state summary on the rows as
    // they stand; run it once here, and once more after the writes.
    if (nRows > 0)
        OnItemChanged(FirstCell(0));

    if (!bShownKnown)
        m_vecShownInfo.assign(size_t(nRows), SReceiverRowInfo());
    const int nColumns = m_pModel->columnCount();
    int nChecked = 0;
    uint32_t nWrittenKeys = 0;
    int nFirstWrittenRow = nRows;
    int nLastWrittenRow = -1;
    const bool bBlocked = m_pModel->blockSignals(true);
    QList<QStandardItem*> listItems;
    for (int i = 0; i < m_listRowInfo.size(); ++i) {
        const int r = vecRow[size_t(i)];
        listItems.clear();
        bool bNewCell = false;
        for (int c = 0; c < nColumns; ++c) {
            QStandardItem* pItem = m_pModel->item(r, c);
            if (!pItem) {
                pItem = NewCell(c + m_nPortColumnHidden);
                m_pModel->setItem(r, c, pItem);
                bNewCell = true;
            }
            listItems.append(pItem);
        }
        const SReceiverRowInfo& info = m_listRowInfo.at(i);
        SReceiverAddress address;
        static_cast<SPortAddress&>(address) = CachedPortAddress(&mapPortCache, info.nPort);
        address.nPosition = info.nPosition;
        const bool bFound = selection.Contains(address, m_bShowPort);
        SReceiverRowInfo& shown = m_vecShownInfo[size_t(r)];
        uint32_t nWritten = WriteRowCells(listItems, info, bShownKnown && !bNewCell ? &shown : nullptr);
        if (WriteProgressCell(listItems.value(ReceiverColumn::Progress - m_nPortColumnHidden), m_listProgressInfo.value(i)))
            nWritten |= 1u << ReceiverColumn::Progress;
        shown = info;
        if (bFound) {
            ++nChecked;
            ShowBox(listItems.first());
            listItems.first()->setCheckState(Qt::Checked);
            NoteBoxRow(r);
            nWritten |= 1u << (ReceiverColumn::Port + m_nPortColumnHidden);
        }
        if (nWritten) {
            nWrittenKeys |= nWritten;
            nFirstWrittenRow = qMin(nFirstWrittenRow, r);
            nLastWrittenRow = qMax(nLastWrittenRow, r);
        }
    }
    m_pModel->blockSignals(bBlocked);
    // Rows no record landed on (two receivers on one address) still show what
    // they showed; unless that was on record, the record stays incomplete.
    if (!bShownKnown) {
        std::vector<char> vecWritten(size_t(nRows), 0);
        for (const int r : vecRow)
            vecWritten[size_t(r)] = 1;
        m_bShownInfoValid = std::find(vecWritten.begin(), vecWritten.end(), 0) == vecWritten.end();
    } else {
        m_bShownInfoValid = true;
    }
    // One notice over the cells that changed; none when nothing did, as no
    // single write would have sent one either.
    if (nWrittenKeys) {
        int nFirstKey = 0;
        while (!(nWrittenKeys & (1u << nFirstKey)))
            ++nFirstKey;
        int nLastKey = ReceiverColumn::Count - 1;
        while (!(nWrittenKeys & (1u << nLastKey)))
            --nLastKey;
        EmitModelDataChanged(qMax(0, nFirstKey - m_nPortColumnHidden), nLastKey - m_nPortColumnHidden,
                             nFirstWrittenRow, nLastWrittenRow);
    }
    if (nRows > 0)
        OnItemChanged(FirstCell(0));

    if (!IsListSortedKey(nSortColumn + m_nPortColumnHidden))
        SortByColumn(nSortColumn, bSortFlag, false);

    viewport()->update();

    m_nAnchorRow = -1;
    m_pHeader->SetHasRows(!m_listRowInfo.isEmpty());
    FiltratePort(false);
    m_pHeader->SetCheckBoxState(CheckBoxStateForCount(nChecked), false);
}

void CReceiverListView::UpdatePacketCount()
{
    CollectReceiverInfo();
    const int nSortColumn = m_pHeader->GetSortColumn();
    if (IsListSortedKey(nSortColumn + m_nPortColumnHidden))
        SortByColumn(nSortColumn, m_pHeader->GetSortFlag(), false);

    QList<SReceiverInfo> listReceivers;
    if (g_pReceiverControl)
        g_pReceiverControl->GetReceiverList(listReceivers);

    const int nRows = m_pModel->rowCount();
    if (listReceivers.size() != nRows) {
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
    for (const SReceiverInfo& receiver : qAsConst(listReceivers))
        *tableCounts.Insert(receiver.address).first = SCounts { receiver.nErrorPackets, receiver.nTotalPackets };

    // A count of 2^31 or more reads differently here (unsigned) than in a
    // rebuild (signed); the record then no longer tells what the cell shows.
    const auto bothReadAlike = [](uint32_t nErrors, uint32_t nTotal) { return nErrors <= uint32_t(INT32_MAX) && nTotal <= uint32_t(INT32_MAX); };
    const bool bShownKnown = m_bShownInfoValid && m_vecShownInfo.size() == size_t(nRows);
    const int nColumn = ReceiverColumn::Packets - m_nPortColumnHidden;
    int nFirstWrittenRow = nRows;
    int nLastWrittenRow = -1;
    bool bShownStillKnown = bShownKnown;
    const bool bBlocked = m_pModel->blockSignals(true);
    for (const int r : RowsInViewOrder()) {
        SReceiverAddress address;
        if (bShownKnown) {
            // The receiver's own port, as the Port cell or the first cell keeps it.
            static_cast<SPortAddress&>(address) = PortAddress(m_vecShownInfo[size_t(r)].nPort);
            address.nPosition = m_vecShownInfo[size_t(r)].nPosition;
        } else {
            address = RowAddress(r, nullptr, true);
        }
        const SCounts* pCounts = tableCounts.Find(address);
        if (!pCounts)
            continue;
        const uint32_t nErrors = pCounts->nErrors;
        const uint32_t nTotal = pCounts->nTotal;
        if (bShownKnown) {
            const SReceiverRowInfo& shownNow = m_vecShownInfo[size_t(r)];
            const bool bAlike = bothReadAlike(nErrors, nTotal) && bothReadAlike(shownNow.nErrorPackets, shownNow.nTotalPackets);
            if (bAlike && shownNow.nErrorPackets == nErrors && shownNow.nTotalPackets == nTotal)
                continue;
        }
        QStandardItem* pItem = m_pModel->item(r, nColumn);
        if (!pItem)
            continue;
        if (bShownKnown) {
            SReceiverRowInfo& shown = m_vecShownInfo[size_t(r)];
            shown.nErrorPackets = nErrors;
            shown.nTotalPackets = nTotal;
            if (!bothReadAlike(nErrors, nTotal))
                bShownStillKnown = false;
        }
        int nDigits = 0;
        const double dKey = PacketKey(static_cast<long long>(nErrors), static_cast<long long>(nTotal), &nDigits);
        pItem->setData(dKey, ReceiverRole::SortKey);
        pItem->setData(nDigits, ReceiverRole::Extra);
        nFirstWrittenRow = qMin(nFirstWrittenRow, r);
        nLastWrittenRow = qMax(nLastWrittenRow, r);
    }
    m_pModel->blockSignals(bBlocked);
    m_bShownInfoValid = bShownStillKnown;
    if (nLastWrittenRow >= 0)
        EmitModelDataChanged(nColumn, nColumn, nFirstWrittenRow, nLastWrittenRow);
}

void CReceiverListView::DropHoverBox()
{
    QStandardItem* pItem = FirstCell(m_nHoverRow);
    if (pItem && pItem->checkState() == Qt::Unchecked)
        HideBox(pItem);
}

void CReceiverListView::SetProgressFinished(bool bFinished)
{
    m_pHeader->SetButtonsEnabled(bFinished);
    m_bProgressing = !bFinished;
    if (bFinished)
        return;
    const bool bBlocked = m_pModel->blockSignals(true);
    DropHoverBox();
    m_pModel->blockSignals(bBlocked);
    m_bHover = false;
    m_nHoverRow = -1;
}

void CReceiverListView::UpdateProgress()
{
    std::vector<SReceiverAddress> vecMembers;
    if (g_pUpgradeConfigControl)
        g_pUpgradeConfigControl->GetUpgradeReceivers(vecMembers);
    CAddressTable<char> tableMembers(vecMembers.size());
    for (const SReceiverAddress& address : vecMembers)
        tableMembers.Insert(address);

    QMap<int, SPortAddress> mapPortCache;
    const int nRows = m_pModel->rowCount();
    const int nProgressColumn = ReceiverColumn::Progress - m_nPortColumnHidden;
    bool bRunning = false;
    std::vector<bool> vecMember(size_t(nRows), false);

    // Written with the model's signals blocked, then one change notice for the
    // column: only the Progress cells change, and nothing reads them per write.
    const std::vector<int> vecRows = RowsInViewOrder();
    const bool bBlocked = m_pModel->blockSignals(true);
    for (const int r : vecRows) {
        QStandardItem* pProgressItem = m_pModel->item(r, nProgressColumn);
        const SReceiverAddress address = vecMembers.empty() ? SReceiverAddress() : RowAddress(r, &mapPortCache);
        if (vecMembers.empty() || !tableMembers.Find(address)) {
            if (pProgressItem)
                pProgressItem->setData(DefaultProgressVariant(), ReceiverRole::Extra);
            continue;
        }
        vecMember[size_t(r)] = true;
        SRowProgressInfo info;
        const int nResult = g_pUpgradeConfigControl->GetUpgradeResult(address);
        const float fProgress = g_pUpgradeConfigControl->GetUpgradeProgress(address);
        const int nStage = g_pUpgradeConfigControl->GetUpgradeStage(address);
        const float fPercent = fProgress * 100.0f;
        int nPercent;
        if (std::isnan(fPercent))
            nPercent = 0;
        else if (fPercent >= 100.0f)
            nPercent = 100;
        else if (fPercent <= float(std::numeric_limits<int>::min()))
            nPercent = std::numeric_limits<int>::min();
        else
            nPercent = int(fPercent);
        info.nProgress = nPercent;
        if (nStage == 1) {
            info.nState = 2;
            info.strText = QString::number(nPercent) + QLatin1Char('%');
            bRunning = true;
        } else if (nStage == 2) {
            if (nResult < 0) {
                info.nState = 3;
                info.strText = tr("Failed");
            } else if (nPercent != 0) {
                info.nState = 4;
                info.strText = tr("Succeeded");
            } else {
                info.nState = 4;
                info.strText.clear();
            }
        } else {
            info.nState = 0;
            info.strText.clear();
        }
        if (pProgressItem)
            pProgressItem->setData(QVariant::fromValue(info), ReceiverRole::Extra);
    }
    m_pModel->blockSignals(bBlocked);
    EmitModelDataChanged(nProgressColumn, nProgressColumn);

    if (bRunning) {
        const bool bBlockedMarks = m_pModel->blockSignals(true);
        for (int r = 0; r < nRows; ++r) {
            if (!vecMember[size_t(r)])
                continue;
            if (QStandardItem* pItem = FirstCell(r)) {
                pItem->setData(QVariant(), Qt::CheckStateRole);
                pItem->setData(true, ReceiverRole::UpgradeMark);
            }
        }
        m_pModel->blockSignals(bBlockedMarks);
        update();
        viewport()->update();
    }

    const bool bPortHidden = PrefPortHidden();
    m_pHeader->SetFilterEnabled(!bPortHidden && !CurrentDeviceId().isNull());
    m_pHeader->SetFilterDown(FilterPortSetting() != -1);
}

void CReceiverListView::SortByColumn(int nColumn, bool bAscending, bool bFromHeader)
{
    const unsigned nKey = unsigned(nColumn + m_nPortColumnHidden);
    if (nKey >= unsigned(s_nColumnCount) || nKey == unsigned(ReceiverColumn::Progress))
        return;

    if (!IsListSortedKey(int(nKey))) {
        const Qt::SortOrder order = bAscending ? Qt::AscendingOrder : Qt::DescendingOrder;
        sortByColumn(nColumn, order);
        return;
    }

    m_pProxyModel->sort(-1, Qt::AscendingOrder);

    // Sort a permutation with precomputed keys; the same swaps on the same
    // comparisons give the same order as sorting the records themselves.
    // Serial numbers compare through collation keys made once per record:
    // comparing two keys gives the collator's own answer for the two texts.
    const int nCount = m_listRowInfo.size();
    struct SKey
    {
        int nIndex;
        int64_t nFirst;
        int64_t nSecond;
    };
    std::vector<SKey> vecKeys;
    vecKeys.reserve(size_t(nCount));
    std::vector<const QCollatorSortKey*> vecCollationKeys;
    if (nKey == ReceiverColumn::SerialNumber) {
        vecCollationKeys.reserve(size_t(nCount));
        // Serial numbers rarely change: their keys are kept between sorts,
        // within a bound that follows the wall's size.
        if (m_mapCollationKey.size() > size_t(nCount) * 2 + 1024)
            m_mapCollationKey.clear();
    }
    for (int i = 0; i < nCount; ++i) {
        const SReceiverRowInfo& info = m_listRowInfo.at(i);
        SKey key { i, 0, 0 };
        switch (nKey) {
        case ReceiverColumn::Port:
            key.nFirst = info.nPort;
            key.nSecond = info.nPosition;
            break;
        case ReceiverColumn::Position:
            key.nFirst = info.nPosition;
            key.nSecond = info.nPort;
            break;
        case ReceiverColumn::Packets:
            key.nFirst = info.nErrorPackets;
            key.nSecond = info.nTotalPackets;
            break;
        default:
            vecCollationKeys.push_back(&CollationKey(info.strSN));
            break;
        }
        vecKeys.push_back(key);
    }

    if (nKey == ReceiverColumn::SerialNumber) {
        const auto compare = [&vecCollationKeys](const SKey& a, const SKey& b) {
            return vecCollationKeys[size_t(a.nIndex)]->compare(*vecCollationKeys[size_t(b.nIndex)]);
        };
        if (bAscending)
            QuickSort(vecKeys, 0, vecKeys.size(), [&compare](const SKey& a, const SKey& b) { return compare(a, b) < 0; });
        else
            QuickSort(vecKeys, 0, vecKeys.size(), [&compare](const SKey& a, const SKey& b) { return compare(a, b) > 0; });
    } else if (bAscending) {
        QuickSort(vecKeys, 0, vecKeys.size(), [](const SKey& a, const SKey& b) {
            return a.nFirst < b.nFirst || (a.nFirst == b.nFirst && a.nSecond < b.nSecond);
        });
    } else {
        QuickSort(vecKeys, 0, vecKeys.size(), [](const SKey& a, const SKey& b) {
            return a.nFirst > b.nFirst || (a.nFirst == b.nFirst && a.nSecond > b.nSecond);
        });
    }

    // Records move into their sorted places in place, one cycle of the
    // permutation at a time: no second list to build and destroy.
    SReceiverRowInfo* pInfo = m_listRowInfo.data();
    std::vector<char> vecPlaced(size_t(nCount), 0);
    for (int nStart = 0; nStart < nCount; ++nStart) {
        if (vecPlaced[size_t(nStart)] || vecKeys[size_t(nStart)].nIndex == nStart)
            continue;
        SReceiverRowInfo infoHeld = std::move(pInfo[nStart]);
        int nTo = nStart;
        for (;;) {
            vecPlaced[size_t(nTo)] = 1;
            const int nFrom = vecKeys[size_t(nTo)].nIndex;
            if (nFrom == nStart) {
                pInfo[nTo] = std::move(infoHeld);
                break;
            }
            pInfo[nTo] = std::move(pInfo[nFrom]);
            nTo = nFrom;
        }
    }

    if (bFromHeader)
        RefreshShow(false, false);
}

const QCollatorSortKey& CReceiverListView::CollationKey(const std::string& strSN)
{
    auto it = m_mapCollationKey.find(strSN);
    if (it == m_mapCollationKey.end()) {
        static const QCollator s_collator = []() {
            QCollator collator(QLocale(QLocale::Chinese, QLocale::China));
            collator.setNumericMode(true);
            collator.setCaseSensitivity(Qt::CaseSensitive);
            return collator;
        }();
        const QString str = QString::fromUtf8(strSN.data(), int(strSN.size()));
        it = m_mapCollationKey.emplace(strSN, s_collator.sortKey(str)).first;
    }
    return it->second;
}

void CReceiverListView::OnHeaderSort(int nIndex, bool bSort)
{
    SortByColumn(nIndex, bSort, true);
    if (m_bMultiCheck)
        return;
    const int nFirst = FirstCheckedRow(true);
    if (nFirst != -1)
        m_nAnchorRow = nFirst;
}

void CReceiverListView::OnItemChanged(QStandardItem* pItem)
{
    if (!pItem || pItem->column() != 0)
        return;
    const int nRows = m_pModel->rowCount();
    if (nRows == 0) {
        m_bMultiCheck = false;
        emit SetCheckState(Qt::Unchecked);
        return;
    }
    // Checked rows are among the box rows; an unchecked visible row is, on a
    // wall where few rows are checked, among the first rows of the view.
    bool bSeenChecked = false;
    for (const int r : BoxRows()) {
        const QStandardItem* pFirst = FirstCell(r);
        if (pFirst && pFirst->isCheckable() && pFirst->checkState() == Qt::Checked && !IsModelRowHidden(r)) {
            bSeenChecked = true;
            break;
        }
    }
    if (!bSeenChecked) {
        m_bMultiCheck = false;
        emit SetCheckState(Qt::Unchecked);
        return;
    }
    const int nViewRows = m_pProxyModel->rowCount();
    for (int p = 0; p < nViewRows; ++p) {
        if (isRowHidden(p, QModelIndex()))
            continue;
        const QStandardItem* pFirst = m_pModel->itemFromIndex(m_pProxyModel->mapToSource(m_pProxyModel->index(p, 0)));
        if (!(pFirst && pFirst->isCheckable() && pFirst->checkState() == Qt::Checked)) {
            emit SetCheckState(Qt::PartiallyChecked);
            return;
        }
    }
    emit SetCheckState(Qt::Checked);
}

void CReceiverListView::UpdateCheckState()
{
    std::vector<int> vecCheckedRows;
    for (const int r : BoxRows()) {
        const QStandardItem* pFirst = FirstCell(r);
        if (pFirst && pFirst->checkState() == Qt::Checked)
            vecCheckedRows.push_back(r);
    }
    std::vector<SReceiverAddress> vecChecked;
    vecChecked.reserve(vecCheckedRows.size());
    for (const int r : SortedByView(std::move(vecCheckedRows))) {
        const int nPort = m_bShowPort ? RowNumber(r, ReceiverColumn::Port) : 0;
        const int nPosition = RowNumber(r, ReceiverColumn::Position);
        SReceiverAddress address;
        static_cast<SPortAddress&>(address) = PortAddress(nPort);
        address.nPosition = nPosition;
        vecChecked.push_back(address);
    }
    const QUuid idDevice = CurrentDeviceId();
    if (g_pRuntimeControl) {
        g_pRuntimeControl->SetSelectedReceivers(vecChecked);
        g_pRuntimeControl->SetSelectionDeviceId(idDevice);
    }
    emit RcvSelectChanged();
}

void CReceiverListView::SelectAll(bool bChecked)
{
    const int nRows = m_pModel->rowCount();
    const bool bBlocked = m_pModel->blockSignals(true);
    m_nHoverRow = -1;
    m_nAnchorRow = -1;
    for (int r = 0; r < nRows; ++r) {
        QStandardItem* pItem = FirstCell(r);
        if (!pItem)
            continue;
        ShowBox(pItem);
        pItem->setCheckState(bChecked && !IsModelRowHidden(r) ? Qt::Checked : Qt::Unchecked);
    }
    ResetBoxRows();
    if (bChecked) {
        for (int r = 0; r < nRows; ++r)
            NoteBoxRow(r);
        m_bMultiCheck = true;
        emit SetCheckState(Qt::Checked);
    } else {
        for (int r = 0; r < nRows; ++r) {
            if (QStandardItem* pItem = FirstCell(r))
                HideBox(pItem);
        }
        m_bMultiCheck = false;
        emit SetCheckState(Qt::Unchecked);
    }
    UpdateCheckState();
    m_pModel->blockSignals(bBlocked);
    viewport()->update();
}

void CReceiverListView::FiltratePort(bool bClearChecks)
{
    if (!m_bShowPort)
        return;
    m_nFilterPort = FilterPortSetting();
    const int nRows = m_pModel->rowCount();
    int nVisible = 0;
    for (int r = 0; r < nRows; ++r) {
        const bool bShow = m_nFilterPort == -1 || RowNumber(r, ReceiverColumn::Port) == m_nFilterPort;
        // The tree view skips what is already as asked, with one look-up
        // instead of the two a test before the call would add.
        const QModelIndex index = m_pProxyModel->mapFromSource(m_pModel->index(r, 0));
        if (index.isValid())
            setRowHidden(index.row(), QModelIndex(), !bShow);
        if (bShow)
            ++nVisible;
    }
    m_nFilterRowCount = nVisible;

    const bool bPortHidden = PrefPortHidden();
    m_pHeader->SetFilterEnabled(!bPortHidden && !CurrentDeviceId().isNull());
    m_pHeader->SetFilterDown(FilterPortSetting() != -1);
    m_pHeader->SetHasRows(nVisible > 0);

    if (bClearChecks && m_pHeader->GetCheckBoxState() != Qt::Unchecked) {
        m_pHeader->SetCheckBoxState(Qt::Unchecked, false);
        SelectAll(false);
    }
}

void CReceiverListView::OnPortChosen()
{
    emit SignalFiltrate();
    FiltratePort(true);
}

void CReceiverListView::ShowPortPopup()
{
    QPoint pos = mapToGlobal(m_pHeader->GetFilterAnchor()) - QPoint(5, 0);
    if (const QScreen* pScreen = QGuiApplication::screenAt(pos)) {
        const QRect rectScreen = pScreen->geometry();
        const int nPopupHeight = m_pPortSelectWidget->height();
        if (rectScreen.bottom() - pos.y() <= nPopupHeight - 1)
            pos = mapToGlobal(QPoint(0, -nPopupHeight - 1));
    }
    m_pPortSelectWidget->move(pos);
    m_pPortSelectWidget->show();
}

void CReceiverListView::OnHeaderMouseEnter()
{
    if (m_nHoverRow == -1)
        return;
    const bool bBlocked = m_pModel->blockSignals(true);
    DropHoverBox();
    m_bHover = false;
    m_nHoverRow = -1;
    m_pModel->blockSignals(bBlocked);
    viewport()->update();
}

bool CReceiverListView::event(QEvent* e)
{
    switch (e->type()) {
    case QEvent::Enter: {
        const auto* pEnter = dynamic_cast<QEnterEvent*>(e);
        if (pEnter && !m_bProgressing) {
            const QPoint pos = pEnter->pos() - QPoint(0, 40);
            const int r = ModelRowAt(pos);
            QStandardItem* pItem = FirstCell(r);
            if (pItem && pItem->checkState() != Qt::Checked) {
                const bool bBlocked = m_pModel->blockSignals(true);
                ShowBox(pItem);
                NoteBoxRow(r);
                m_pModel->blockSignals(bBlocked);
                m_nHoverRow = r;
                m_indexHover = indexAt(pos);
                m_bHover = true;
                viewport()->update();
            }
        }
        break;
    }
    case QEvent::Hide:
        m_nKeyState = 0;
        break;
    case QEvent::Show:
        m_nKeyState = 0;
        LayoutScrollBars();
        break;
    case QEvent::Resize:
    case QEvent::UpdateLater:
        LayoutScrollBars();
        break;
    default:
        break;
    }
    return CTreeView::event(e);
}

void CReceiverListView::LayoutScrollBars()
{
    if (!m_pHScrollBar || !m_pVScrollBar)
        return;
    const QScrollBar* pH = horizontalScrollBar();
    const QScrollBar* pV = verticalScrollBar();
    if (pH) {
        m_pHScrollBar->setRange(pH->minimum(), pH->maximum());
        m_pHScrollBar->setPageStep(pH->pageStep());
        m_pHScrollBar->setSingleStep(pH->singleStep());
    }
    if (pV) {
        m_pVScrollBar->setRange(pV->minimum(), pV->maximum());
        m_pVScrollBar->setPageStep(pV->pageStep());
        m_pVScrollBar->setSingleStep(pV->singleStep());
    }

    const int W = width();
    const int H = height();
    if (W < 10 || H < 10) {
        m_pHScrollBar->hide();
        m_pVScrollBar->hide();
        return;
    }
    const bool bShowH = pH && pH->minimum() != pH->maximum();
    const bool bShowV = pV && pV->minimum() != pV->maximum();
    m_pHScrollBar->setVisible(bShowH);
    m_pVScrollBar->setVisible(bShowV);
    const int hh = m_pHScrollBar->sizeHint().height();
    const int vw = m_pVScrollBar->sizeHint().width();
    const int hd = m_pHeader->height();
    m_pHScrollBar->setGeometry(0, H - hh - 1, bShowV ? W - hh - 1 : W - 1, hh);
    m_pVScrollBar->setGeometry(W - vw - 1, hd + 1, vw, bShowH ? H - hd - vw - 1 : H - hd - 1);
    m_pHScrollBar->raise();
    m_pVScrollBar->raise();
}

void CReceiverListView::mouseMoveEvent(QMouseEvent* e)
{
    if (m_bProgressing)
        return;
    CTreeView::mouseMoveEvent(e);
    const int r = ModelRowAt(e->pos());
    if (r == m_nHoverRow)
        return;
    const bool bBlocked = m_pModel->blockSignals(true);
    QStandardItem* pOld = FirstCell(m_nHoverRow);
    if (pOld && pOld->isCheckable() && pOld->checkState() == Qt::Unchecked)
        HideBox(pOld);
    if (QStandardItem* pNew = FirstCell(r)) {
        ShowBox(pNew);
        NoteBoxRow(r);
    }
    // Every other unchecked box goes; only box rows can have one. Rows left
    // clean leave the list, so the sweep costs what is on show, not the wall.
    std::vector<int> vecKeep;
    for (const int i : BoxRows()) {
        QStandardItem* pItem = FirstCell(i);
        if (i == m_nHoverRow || i == r) {
            vecKeep.push_back(i);
            continue;
        }
        if (!pItem)
            continue;
        const bool bChecked = pItem->checkState() == Qt::Checked;
        if (!bChecked && (pItem->isCheckable() || pItem->data(ReceiverRole::Extra).toBool())) {
            HideBox(pItem);
            continue;
        }
        if (bChecked || pItem->data(Qt::CheckStateRole).isValid())
            vecKeep.push_back(i);
    }
    ResetBoxRows();
    for (const int i : vecKeep)
        NoteBoxRow(i);
    m_nHoverRow = r;
    m_pModel->blockSignals(bBlocked);
    viewport()->update();
}

void CReceiverListView::leaveEvent(QEvent* e)
{
    CTreeView::leaveEvent(e);
    const bool bBlocked = m_pModel->blockSignals(true);
    if (m_nHoverRow != -1)
        DropHoverBox();
    m_pModel->blockSignals(bBlocked);
    m_bHover = false;
    m_nHoverRow = -1;
    viewport()->update();
}

void CReceiverListView::mousePressEvent(QMouseEvent* e)
{
    if (m_bProgressing)
        return;
    const QPoint pos = e->pos();
    const QModelIndex indexView = indexAt(pos);
    const int r = indexView.isValid() ? m_pProxyModel->mapToSource(indexView).row() : -1;
    QStandardItem* pItem = FirstCell(r);

    // The box follows the row's visible place, whatever rows a filter hides.
    bool bInBox = false;
    if (indexView.isValid()) {
        const int nTop = visualRect(indexView).top();
        bInBox = pos.x() >= s_nBoxLeft && pos.x() <= s_nBoxRight && pos.y() >= nTop + s_nBoxTop && pos.y() <= nTop + s_nBoxBottom;
    }

    if (bInBox) {
        m_bMultiCheck = true;
        if (pItem && pItem->isCheckable())
            pItem->setCheckState(pItem->checkState() != Qt::Unchecked ? Qt::Unchecked : Qt::Checked);
        UpdateCheckState();
        viewport()->update();
        return;
    }

    const Qt::KeyboardModifiers modifiers = e->modifiers();
    if (modifiers == Qt::ControlModifier && indexView.isValid()) {
        m_bMultiCheck = true;
        if (pItem) {
            if (!pItem->isCheckable()) {
                const bool bBlocked = m_pModel->blockSignals(true);
                ShowBox(pItem);
                NoteBoxRow(r);
                m_pModel->blockSignals(bBlocked);
            }
            pItem->setCheckState(pItem->checkState() != Qt::Unchecked ? Qt::Unchecked : Qt::Checked);
        }
        m_nAnchorRow = r;
        UpdateCheckState();
        return;
    }

    if (modifiers == Qt::ShiftModifier && m_nAnchorRow != -1 && !m_bMultiCheck) {
        m_bMultiCheck = true;
        if (r == m_nAnchorRow) {
            if (pItem && pItem->isCheckable())
                pItem->setCheckState(pItem->checkState() == Qt::Checked ? Qt::Unchecked : Qt::Checked);
        } else {
            // The range runs over the rows as the user sees them.
            const std::vector<int> vecOrder = RowsInViewOrder();
            const int nRows = int(vecOrder.size());
            const int nPosClicked = indexView.isValid() ? indexView.row() : -1;
            int nPosAnchor = nRows;
            if (m_nAnchorRow < nRows) {
                const QModelIndex indexAnchor = m_pProxyModel->mapFromSource(m_pModel->index(m_nAnchorRow, 0));
                if (indexAnchor.isValid())
                    nPosAnchor = indexAnchor.row();
            }
            const int nFrom = qMax(0, qMin(nPosClicked, nPosAnchor));
            const int nTo = qMin(nRows - 1, qMax(nPosClicked, nPosAnchor));
            bool bBlocked = m_pModel->blockSignals(true);
            for (int i = nFrom; i <= nTo; ++i) {
                QStandardItem* pRange = FirstCell(vecOrder[size_t(i)]);
                if (pRange && !pRange->isCheckable()) {
                    ShowBox(pRange);
                    NoteBoxRow(vecOrder[size_t(i)]);
                }
            }
            m_pModel->blockSignals(bBlocked);
            // The first check goes through live; the rest only add checks, so
            // one summary at the end gives the header the same state.
            bool bFirst = true;
            bool bMore = false;
            for (int i = nFrom; i <= nTo; ++i) {
                QStandardItem* pRange = FirstCell(vecOrder[size_t(i)]);
                if (!pRange || !pRange->isCheckable() || pRange->checkState() == Qt::Checked)
                    continue;
                if (bFirst) {
                    pRange->setCheckState(Qt::Checked);
                    bFirst = false;
                    bBlocked = m_pModel->blockSignals(true);
                    continue;
                }
                bMore = true;
                pRange->setCheckState(Qt::Checked);
            }
            if (!bFirst) {
                m_pModel->blockSignals(bBlocked);
                if (bMore) {
                    EmitModelDataChanged(0, 0);
                    OnItemChanged(FirstCell(0));
                }
            }
        }
        m_nAnchorRow = -1;
        UpdateCheckState();
        return;
    }

    if (r == m_nAnchorRow) {
        if (pItem && pItem->isCheckable()) {
            pItem->setCheckState(pItem->checkState() == Qt::Checked ? Qt::Unchecked : Qt::Checked);
            UpdateCheckState();
        }
        return;
    }

    if (r == -1) {
        QTreeView::mousePressEvent(e);
        return;
    }

    if (!m_bMultiCheck) {
        QStandardItem* pPrevious = FirstCell(m_nAnchorRow);
        if (m_nAnchorRow == -1)
            pPrevious = FirstCell(FirstCheckedRow(false));
        if (pPrevious && pPrevious->isCheckable()) {
            pPrevious->setCheckState(Qt::Unchecked);
            if (pPrevious != pItem) {
                const bool bBlocked = m_pModel->blockSignals(true);
                HideBox(pPrevious);
                m_pModel->blockSignals(bBlocked);
            }
        }
    }
    if (pItem && pItem->isCheckable())
        pItem->setCheckState(pItem->checkState() == Qt::Checked ? Qt::Unchecked : Qt::Checked);
    m_nAnchorRow = r;
    UpdateCheckState();
    viewport()->update();
}

void CReceiverListView::keyPressEvent(QKeyEvent* e)
{
    // Service key sequence 1, 5, 9.
    const int nKey = e->key();
    if (nKey == Qt::Key_1 && m_nKeyState == 0) {
        m_nKeyState = 1;
    } else if (nKey == Qt::Key_5 && m_nKeyState == 1) {
        m_nKeyState = 2;
    } else if (nKey == Qt::Key_9 && m_nKeyState == 2) {
        m_nKeyState = 0;
        emit SignalShowPack(true);
    } else {
        m_nKeyState = 0;
    }
    QTreeView::keyPressEvent(e);
}

void CReceiverListView::drawRow(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    painter->setPen(Qt::NoPen);

    const bool bHovered = selectionBehavior() == QAbstractItemView::SelectRows && option.showDecorationSelected
        && option.state != QStyle::State_None && m_indexHover.row() == index.row()
        && m_indexHover.parent() == index.parent() && m_bHover && m_indexHover.isValid();

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
}
