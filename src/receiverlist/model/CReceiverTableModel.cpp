#include "CReceiverTableModel.h"

#include "ReceiverCellText.h"
#include "ReceiverGeometry.h"

#include <QSize>

namespace
{
// Text columns whose sort key, and plain-text copy, read as their display text.
bool MirrorsSortKey(int nKey)
{
    switch (nKey) {
    case ReceiverColumn::Type:
    case ReceiverColumn::SerialNumber:
    case ReceiverColumn::FailedModule:
    case ReceiverColumn::Firmware:
    case ReceiverColumn::Temperature:
    case ReceiverColumn::Humidity:
    case ReceiverColumn::Voltage:
    case ReceiverColumn::Uptime:
        return true;
    default:
        return false;
    }
}

bool MirrorsPlainText(int nKey)
{
    return nKey == ReceiverColumn::Type || nKey == ReceiverColumn::SerialNumber || nKey == ReceiverColumn::FailedModule;
}

bool IsMarkRole(int nRole)
{
    return nRole == Qt::CheckStateRole || nRole == ReceiverRole::Extra || nRole == ReceiverRole::UpgradeMark;
}

// Rows outside an upgrade all answer the same progress record; one shared
// value spares building a new one for every painted cell.
const QVariant& DefaultProgressVariant()
{
    static const QVariant s_varDefault = QVariant::fromValue(SRowProgressInfo());
    return s_varDefault;
}

QVariant MarkValue(qint8 nValue, bool bBool)
{
    if (nValue < 0)
        return QVariant();
    return bBool ? QVariant(nValue != 0) : QVariant(int(nValue));
}
}

int RowProgressInfoTypeId()
{
    static const int s_nTypeId = []() {
        const int nId = qRegisterMetaType<SRowProgressInfo>("SRowProgressInfo");
#if QT_VERSION < QT_VERSION_CHECK(6, 0, 0)
        // Without it Qt 5 compares the records' bytes, so equal texts held
        // apart read as a change.
        QMetaType::registerEqualsComparator<SRowProgressInfo>();
#endif
        return nId;
    }();
    return s_nTypeId;
}

CReceiverTableModel::CReceiverTableModel(QObject* parent)
    : QAbstractTableModel(parent)
{
    RowProgressInfoTypeId();
}

CReceiverTableModel::~CReceiverTableModel() = default;

QModelIndex CReceiverTableModel::index(int row, int column, const QModelIndex& parent) const
{
    if (parent.isValid() || row < 0 || column < 0 || size_t(row) >= m_vecRows.size() || column >= m_columns.ColumnCount())
        return QModelIndex();
    return createIndex(row, column);
}

int CReceiverTableModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_vecRows.size());
}

int CReceiverTableModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_columns.ColumnCount();
}

QVariant CReceiverTableModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount() || index.column() >= columnCount())
        return QVariant();
    if (role == Qt::EditRole)
        role = Qt::DisplayRole;
    const size_t nRow = size_t(index.row());
    const int nColumn = index.column();
    const int nKey = m_columns.KeyOf(nColumn);
    QVariant var = StoredData(nRow, nColumn, role);
    if (var.isValid())
        return var;
    if (role == Qt::SizeHintRole)
        return QSize(0, ReceiverGeometry::RowHeight);
    if ((role == ReceiverRole::SortKey && MirrorsSortKey(nKey)) || (role == ReceiverRole::PlainText && MirrorsPlainText(nKey)))
        return StoredData(nRow, nColumn, Qt::DisplayRole);
    return var;
}

QVariant CReceiverTableModel::StoredData(size_t nRow, int nColumn, int nRole) const
{
    if (m_vecHot[nRow].bOverrides) {
        const OverrideMap& mapOverrides = *m_vecRows[nRow].pOverrides;
        const auto it = mapOverrides.find({ nColumn, nRole });
        if (it != mapOverrides.end())
            return it->second;
    }
    if (nColumn == 0 && IsMarkRole(nRole)) {
        const SMarks& marks = m_vecMarks[nRow];
        if (nRole == Qt::CheckStateRole)
            return MarkValue(marks.nCheck, false);
        return MarkValue(nRole == ReceiverRole::Extra ? marks.nBox : marks.nUpgradeMark, true);
    }
    return RecordData(nRow, m_columns.KeyOf(nColumn), nRole);
}

QVariant CReceiverTableModel::RecordData(size_t nRow, int nKey, int nRole) const
{
    const SReceiverRowInfo& info = m_vecRows[nRow].info;
    const SRowHot& hot = m_vecHot[nRow];
    const bool bDisplay = nRole == Qt::DisplayRole;
    switch (nKey) {
    case ReceiverColumn::Port:
    case ReceiverColumn::Position: {
        const int nNumber = nKey == ReceiverColumn::Port ? hot.nPort : hot.nPosition;
        if (nRole == ReceiverRole::SortKey)
            return nNumber;
        if (bDisplay)
            return ReceiverCellText::OrdinalText(nNumber);
        // Without the Port column the first cell keeps the receiver's port.
        if (nKey == ReceiverColumn::Position && nRole == ReceiverRole::RealPort && !m_columns.IsPortShown())
            return hot.nPort;
        return QVariant();
    }
    case ReceiverColumn::Firmware:
        return bDisplay ? QVariant(ReceiverCellText::FirmwareText(info)) : QVariant();
    case ReceiverColumn::Packets:
        if (nRole == ReceiverRole::SortKey)
            return hot.dPacketKey;
        return nRole == ReceiverRole::Extra ? QVariant(hot.nPacketDigits) : QVariant();
    case ReceiverColumn::Progress:
        if (nRole != ReceiverRole::Extra)
            return QVariant();
        return hot.progress == SRowProgressInfo() ? DefaultProgressVariant() : QVariant::fromValue(hot.progress);
    default:
        break;
    }
    if (nRole == Qt::ForegroundRole || nRole == Qt::ToolTipRole)
        return HealthData(nRow, nKey, nRole);
    if (!bDisplay)
        return QVariant();
    static const std::string SReceiverRowInfo::*const s_arrText[ReceiverColumn::Count] = {
        nullptr, nullptr, &SReceiverRowInfo::strType, &SReceiverRowInfo::strSN, nullptr, nullptr, nullptr,
        &SReceiverRowInfo::strFailedModule, &SReceiverRowInfo::strTemperature, &SReceiverRowInfo::strHumidity,
        &SReceiverRowInfo::strVoltage, &SReceiverRowInfo::strUptime
    };
    const auto pField = nKey >= 0 && nKey < ReceiverColumn::Count ? s_arrText[nKey] : nullptr;
    return pField ? QVariant(ReceiverCellText::Utf8Text(info.*pField)) : QVariant();
}

bool CReceiverTableModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (!index.isValid() || index.row() >= rowCount() || index.column() >= columnCount())
        return false;
    if (role == Qt::EditRole)
        role = Qt::DisplayRole;
    const int nRow = index.row();
    const int nColumn = index.column();
    if (nColumn == 0 && IsMarkRole(role)) {
        if (!SetMark(nRow, role, value))
            return true;
    } else {
        const QVariant varOld = StoredData(size_t(nRow), nColumn, role);
        if (varOld.userType() == value.userType() && varOld == value)
            return true;
        SRow& row = m_vecRows[size_t(nRow)];
        if (!row.pOverrides)
            row.pOverrides = std::make_unique<OverrideMap>();
        (*row.pOverrides)[{ nColumn, role }] = value;
        m_vecHot[size_t(nRow)].bOverrides = true;
        ++m_nGeneration;
    }
    const QVector<int> vecRoles = role == Qt::DisplayRole ? QVector<int> { Qt::DisplayRole, Qt::EditRole } : QVector<int> { role };
    emit dataChanged(index, index, vecRoles);
    return true;
}

bool CReceiverTableModel::SetMark(int nRow, int nRole, const QVariant& value)
{
    Q_ASSERT(IsRow(nRow));
    SMarks& marks = m_vecMarks[size_t(nRow)];
    qint8& nMark = nRole == Qt::CheckStateRole ? marks.nCheck : nRole == ReceiverRole::Extra ? marks.nBox : marks.nUpgradeMark;
    qint8 nNew = s_nNone;
    if (value.isValid())
        nNew = nRole == Qt::CheckStateRole ? qint8(qBound(0, value.toInt(), 2)) : qint8(value.toBool() ? 1 : 0);
    if (nNew == nMark)
        return false;
    nMark = nNew;
    return true;
}

Qt::ItemFlags CReceiverTableModel::flags(const QModelIndex& index) const
{
    if (!index.isValid() || index.row() >= rowCount())
        return Qt::NoItemFlags;
    // The cells are read-only views of the controllers' data: never editable.
    Qt::ItemFlags flags = Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemIsDragEnabled | Qt::ItemIsDropEnabled;
    if (index.column() == 0 && m_vecMarks[size_t(index.row())].bCheckable)
        flags |= Qt::ItemIsUserCheckable;
    return flags;
}

void CReceiverTableModel::SetPortShown(bool bShown)
{
    if (bShown == m_columns.IsPortShown())
        return;
    // The last column comes or goes; the next rebuild gives every column its meaning.
    const int nLast = CColumnMap(true).ColumnCount() - 1;
    if (!bShown)
        beginRemoveColumns(QModelIndex(), nLast, nLast);
    else
        beginInsertColumns(QModelIndex(), nLast, nLast);
    for (size_t i = 0; i < m_vecRows.size(); ++i)
        DropOverrides(i);
    m_columns.SetPortShown(bShown);
    ++m_nGeneration;
    if (!bShown)
        endRemoveColumns();
    else
        endInsertColumns();
}

void CReceiverTableModel::Rebuild(const QVector<SReceiverRowInfo>& listInfo, const std::vector<char>& vecChecked)
{
    beginResetModel();
    m_vecRows.clear();
    m_vecRows.resize(size_t(listInfo.size()));
    m_vecHot.assign(size_t(listInfo.size()), SRowHot());
    m_vecMarks.assign(size_t(listInfo.size()), SMarks());
    m_tally.Clear();
    ++m_nTextGeneration;
    ++m_nGeneration;
    for (size_t i = 0; i < m_vecRows.size(); ++i) {
        SRow& row = m_vecRows[i];
        SRowHot& hot = m_vecHot[i];
        row.info = listInfo.at(int(i));
        row.nId = m_nNextId++;
        hot.nPort = row.info.nPort;
        hot.nPosition = row.info.nPosition;
        hot.nErrorPackets = row.info.nErrorPackets;
        hot.nTotalPackets = row.info.nTotalPackets;
        SetPacketKey(hot, int32_t(hot.nErrorPackets), int32_t(hot.nTotalPackets));
        const uint32_t nStates = LimitStates(row.info.readings)
            | (IsPacketError(hot) ? uint32_t(HealthPacketErrors) : 0u)
            | (row.info.strFailedModule != "N/A" ? uint32_t(HealthFailedModules) : 0u);
        Restate(i, ~0u, nStates, hot.nPort);
        if (i < vecChecked.size() && vecChecked[i]) {
            ShowBox(int(i));
            m_vecMarks[i].nCheck = Qt::Checked;
        }
    }
    endResetModel();
}

void CReceiverTableModel::Permute(const std::vector<int>& vecFrom)
{
    Q_ASSERT_X(vecFrom.size() == m_vecRows.size(), "CReceiverTableModel::Permute", "not a permutation of the rows");
    if (vecFrom.size() != m_vecRows.size())
        return;
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    ++m_nTextGeneration;
    ++m_nGeneration;
    std::vector<int> vecTo(vecFrom.size());
    for (size_t i = 0; i < vecFrom.size(); ++i)
        vecTo[size_t(vecFrom[i])] = int(i);
    // The rows move in place, one cycle of the permutation at a time: a
    // second vector of a large wall's records would be fresh pages from the
    // system on every sort.
    std::vector<char> vecPlaced(vecFrom.size(), 0);
    for (size_t nStart = 0; nStart < vecFrom.size(); ++nStart) {
        if (vecPlaced[nStart] || size_t(vecFrom[nStart]) == nStart)
            continue;
        SRow rowHeld = std::move(m_vecRows[nStart]);
        SRowHot hotHeld = std::move(m_vecHot[nStart]);
        const SMarks marksHeld = m_vecMarks[nStart];
        size_t nTo = nStart;
        for (;;) {
            vecPlaced[nTo] = 1;
            const size_t nFrom = size_t(vecFrom[nTo]);
            if (nFrom == nStart) {
                m_vecRows[nTo] = std::move(rowHeld);
                m_vecHot[nTo] = std::move(hotHeld);
                m_vecMarks[nTo] = marksHeld;
                break;
            }
            m_vecRows[nTo] = std::move(m_vecRows[nFrom]);
            m_vecHot[nTo] = std::move(m_vecHot[nFrom]);
            m_vecMarks[nTo] = m_vecMarks[nFrom];
            nTo = nFrom;
        }
    }
    const QModelIndexList listFrom = persistentIndexList();
    QModelIndexList listTo;
    listTo.reserve(listFrom.size());
    for (const QModelIndex& index : listFrom)
        listTo << index.sibling(vecTo[size_t(index.row())], index.column());
    changePersistentIndexList(listFrom, listTo);
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

void CReceiverTableModel::SetPacketKey(SRowHot& hot, long long nErrors, long long nTotal)
{
    hot.dPacketKey = ReceiverCellText::PacketKey(nErrors, nTotal, &hot.nPacketDigits);
}

uint32_t CReceiverTableModel::DropOverrides(size_t nRow)
{
    SRowHot& hot = m_vecHot[nRow];
    if (!hot.bOverrides)
        return 0;
    uint32_t nKeys = 0;
    std::unique_ptr<OverrideMap>& pOverrides = m_vecRows[nRow].pOverrides;
    for (const auto& value : *pOverrides)
        nKeys |= 1u << m_columns.KeyOf(value.first.first);
    pOverrides.reset();
    hot.bOverrides = false;
    return nKeys;
}

uint32_t CReceiverTableModel::WriteRow(int nRow, const SReceiverRowInfo& info, const SRowProgressInfo& progress)
{
    Q_ASSERT(IsRow(nRow));
    ++m_nGeneration;
    uint32_t nKeys = DropOverrides(size_t(nRow));
    // Fields are compared and only the changed ones copied: on a live wall
    // most texts stay as they were.
    SReceiverRowInfo& old = m_vecRows[size_t(nRow)].info;
    SRowHot& hot = m_vecHot[size_t(nRow)];
    const int nOldPort = hot.nPort;
    const auto mark = [&nKeys](bool bChanged, int nKey) { nKeys |= bChanged ? 1u << nKey : 0u; };
    const auto text = [&](std::string SReceiverRowInfo::*pField, int nKey) {
        if (old.*pField == info.*pField)
            return;
        old.*pField = info.*pField;
        nKeys |= 1u << nKey;
    };
    // Without the Port column the first cell keeps the port (RealPort).
    mark(hot.nPort != info.nPort, m_columns.FirstKey());
    mark(hot.nPosition != info.nPosition, ReceiverColumn::Position);
    mark(old.strTypeName != info.strTypeName || old.strVersion != info.strVersion, ReceiverColumn::Firmware);
    hot.nPort = info.nPort;
    hot.nPosition = info.nPosition;
    text(&SReceiverRowInfo::strTypeName, ReceiverColumn::Firmware);
    text(&SReceiverRowInfo::strVersion, ReceiverColumn::Firmware);
    text(&SReceiverRowInfo::strType, ReceiverColumn::Type);
    text(&SReceiverRowInfo::strSN, ReceiverColumn::SerialNumber);
    text(&SReceiverRowInfo::strFailedModule, ReceiverColumn::FailedModule);
    text(&SReceiverRowInfo::strTemperature, ReceiverColumn::Temperature);
    text(&SReceiverRowInfo::strHumidity, ReceiverColumn::Humidity);
    text(&SReceiverRowInfo::strVoltage, ReceiverColumn::Voltage);
    text(&SReceiverRowInfo::strUptime, ReceiverColumn::Uptime);
    // A rebuild prints the counts signed; a key printed so from the same
    // counts is kept.
    if (hot.bUnsignedKey || hot.nErrorPackets != info.nErrorPackets || hot.nTotalPackets != info.nTotalPackets) {
        hot.nErrorPackets = info.nErrorPackets;
        hot.nTotalPackets = info.nTotalPackets;
        const double dKey = hot.dPacketKey;
        const int nDigits = hot.nPacketDigits;
        SetPacketKey(hot, int32_t(info.nErrorPackets), int32_t(info.nTotalPackets));
        hot.bUnsignedKey = false;
        mark(dKey != hot.dPacketKey || nDigits != hot.nPacketDigits, ReceiverColumn::Packets);
    }
    // The states are counted once, under the port the row had before.
    mark(hot.progress != progress, ReceiverColumn::Progress);
    hot.progress = progress;
    // A reading can cross a limit and keep its text (humidity shows whole
    // percents): the cell's colour is a change of its own.
    old.readings = info.readings;
    const uint32_t nStates = LimitStates(info.readings)
        | (IsPacketError(hot) ? uint32_t(HealthPacketErrors) : 0u)
        | (old.strFailedModule != "N/A" ? uint32_t(HealthFailedModules) : 0u)
        | HealthRules::ProgressStates(progress.nState);
    constexpr uint32_t c_nSearchedKeys = (1u << ReceiverColumn::Type) | (1u << ReceiverColumn::SerialNumber)
        | (1u << ReceiverColumn::Firmware);
    if (nKeys & c_nSearchedKeys)
        ++m_nTextGeneration;
    const uint32_t nChanged = Restate(size_t(nRow), ~0u, nStates, nOldPort);
    mark(nChanged & HealthTooHot, ReceiverColumn::Temperature);
    mark(nChanged & HealthVoltageOutOfRange, ReceiverColumn::Voltage);
    mark(nChanged & HealthHumidityHigh, ReceiverColumn::Humidity);
    return nKeys;
}

bool CReceiverTableModel::WriteProgress(int nRow, const SRowProgressInfo& progress)
{
    Q_ASSERT(IsRow(nRow));
    SRowProgressInfo& current = m_vecHot[size_t(nRow)].progress;
    if (current == progress)
        return false;
    ++m_nGeneration;
    // Most writes move the percentage only; the states stay.
    const bool bRestate = current.nState != progress.nState;
    current = progress;
    if (bRestate) {
        const int nPort = m_vecHot[size_t(nRow)].nPort;
        Restate(size_t(nRow), HealthRules::c_nProgressStates, HealthRules::ProgressStates(progress.nState), nPort);
    }
    return true;
}

bool CReceiverTableModel::WritePacketCounts(int nRow, uint32_t nErrors, uint32_t nTotal)
{
    Q_ASSERT(IsRow(nRow));
    SRowHot& hot = m_vecHot[size_t(nRow)];
    bool bChanged = false;
    if (hot.bOverrides) {
        const int nColumn = m_columns.ColumnOf(ReceiverColumn::Packets);
        std::unique_ptr<OverrideMap>& pOverrides = m_vecRows[size_t(nRow)].pOverrides;
        bChanged = pOverrides->erase({ nColumn, ReceiverRole::SortKey }) + pOverrides->erase({ nColumn, ReceiverRole::Extra }) > 0;
        if (pOverrides->empty()) {
            pOverrides.reset();
            hot.bOverrides = false;
        }
    }
    if (hot.bUnsignedKey && hot.nErrorPackets == nErrors && hot.nTotalPackets == nTotal)
        return bChanged;
    ++m_nGeneration;
    const double dKey = hot.dPacketKey;
    const int nDigits = hot.nPacketDigits;
    hot.nErrorPackets = nErrors;
    hot.nTotalPackets = nTotal;
    SetPacketKey(hot, static_cast<long long>(nErrors), static_cast<long long>(nTotal));
    hot.bUnsignedKey = true;
    Restate(size_t(nRow), HealthPacketErrors, IsPacketError(hot) ? uint32_t(HealthPacketErrors) : 0u, hot.nPort);
    return bChanged || dKey != hot.dPacketKey || nDigits != hot.nPacketDigits;
}

bool CReceiverTableModel::SetCheckState(int nRow, int nState)
{
    return SetMark(nRow, Qt::CheckStateRole, nState);
}

void CReceiverTableModel::ClearCheckState(int nRow)
{
    Q_ASSERT(IsRow(nRow));
    m_vecMarks[size_t(nRow)].nCheck = s_nNone;
}

void CReceiverTableModel::SetCheckable(int nRow, bool bCheckable)
{
    Q_ASSERT(IsRow(nRow));
    SMarks& marks = m_vecMarks[size_t(nRow)];
    // A box that appears shows a state: unchecked unless one was set.
    if (bCheckable && !marks.bCheckable && marks.nCheck == s_nNone)
        marks.nCheck = Qt::Unchecked;
    marks.bCheckable = bCheckable;
}

void CReceiverTableModel::ShowBox(int nRow)
{
    Q_ASSERT(IsRow(nRow));
    SetCheckable(nRow, true);
    m_vecMarks[size_t(nRow)].nBox = 1;
}

void CReceiverTableModel::HideBox(int nRow)
{
    Q_ASSERT(IsRow(nRow));
    SMarks& marks = m_vecMarks[size_t(nRow)];
    marks.bCheckable = false;
    marks.nCheck = s_nNone;
    marks.nBox = 0;
}

bool CReceiverTableModel::ResetMarks(int nRow, bool bChecked)
{
    Q_ASSERT(IsRow(nRow));
    SMarks marks;
    if (bChecked) {
        marks.bCheckable = true;
        marks.nBox = 1;
        marks.nCheck = Qt::Checked;
    }
    SMarks& current = m_vecMarks[size_t(nRow)];
    const bool bChanged = current.nCheck != marks.nCheck || current.nBox != marks.nBox
        || current.nUpgradeMark != marks.nUpgradeMark || current.bCheckable != marks.bCheckable;
    current = marks;
    return bChanged;
}

void CReceiverTableModel::SetUpgradeMark(int nRow)
{
    Q_ASSERT(IsRow(nRow));
    m_vecMarks[size_t(nRow)].nUpgradeMark = 1;
}

bool CReceiverTableModel::SetCheckStateLive(int nRow, int nState)
{
    if (!SetCheckState(nRow, nState))
        return false;
    const QModelIndex index = this->index(nRow, 0);
    emit dataChanged(index, index, { Qt::CheckStateRole });
    return true;
}

void CReceiverTableModel::ShowBoxLive(int nRow)
{
    const SMarks marksOld = Marks(nRow);
    ShowBox(nRow);
    const SMarks& marks = Marks(nRow);
    if (marks.nBox == marksOld.nBox && marks.nCheck == marksOld.nCheck && marks.bCheckable == marksOld.bCheckable)
        return;
    const QModelIndex index = this->index(nRow, 0);
    emit dataChanged(index, index, { Qt::CheckStateRole, ReceiverRole::Extra });
}

void CReceiverTableModel::KeysChanged(int nFirstRow, int nLastRow, uint32_t nKeys)
{
    int nFirstColumn = -1;
    int nLastColumn = -1;
    if (m_columns.ColumnSpan(nKeys, &nFirstColumn, &nLastColumn))
        CellsChanged(nFirstRow, nLastRow, nFirstColumn, nLastColumn);
}

void CReceiverTableModel::CellsChanged(int nFirstRow, int nLastRow, int nFirstColumn, int nLastColumn)
{
    nFirstRow = qMax(0, nFirstRow);
    nLastRow = qMin(rowCount() - 1, nLastRow);
    nLastColumn = qMin(columnCount() - 1, nLastColumn);
    if (nFirstRow > nLastRow || nFirstColumn > nLastColumn || nFirstColumn < 0)
        return;
    emit dataChanged(index(nFirstRow, nFirstColumn), index(nLastRow, nLastColumn));
}

int CReceiverTableModel::RowNumber(int nRow, int nKey) const
{
    Q_ASSERT(IsRow(nRow));
    const SRowHot& hot = m_vecHot[size_t(nRow)];
    if (!hot.bOverrides)
        return nKey == ReceiverColumn::Port ? hot.nPort : hot.nPosition;
    // A number somebody else wrote is read as the cell holds it; what does
    // not convert reads 0.
    const QVariant var = data(index(nRow, m_columns.ColumnOf(nKey)), ReceiverRole::SortKey);
    if (var.userType() == QMetaType::Int)
        return var.toInt();
    bool bOk = false;
    const int n = var.toInt(&bOk);
    return bOk ? n : 0;
}
