#pragma once

#include "CColumnMap.h"
#include "HealthRules.h"
#include "SReceiverRowInfo.h"

#include <QAbstractTableModel>
#include <QVariant>

#include <map>
#include <memory>
#include <utility>
#include <vector>

// The receiver table's rows: one record per row in one contiguous vector,
// answering every cell's roles from it. The view writes the records in bulk
// and sends one notice; anybody else writes through setData(), which keeps
// the value on top of the record until the view next writes that row.
class CReceiverTableModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    explicit CReceiverTableModel(QObject* parent = nullptr);
    ~CReceiverTableModel() override;

    // Checks the range itself: a proxy sort asks for two indexes per
    // comparison, and the base class's check calls rowCount() and
    // columnCount() for each.
    QModelIndex index(int row, int column, const QModelIndex& parent = QModelIndex()) const override;
    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    // The column layout; the Port column comes and goes with the preference.
    const CColumnMap& Columns() const { return m_columns; }
    void SetPortShown(bool bShown);

    // A whole new set of rows, in one reset. vecChecked marks the rows that
    // come back checked (with their box shown).
    void Rebuild(const QVector<SReceiverRowInfo>& listInfo, const std::vector<char>& vecChecked);
    // Moves the rows so that new row i is old row vecFrom[i], in one layout
    // change; persistent indexes follow their rows.
    void Permute(const std::vector<int>& vecFrom);
    // Writes a row's record and progress; returns the column keys whose cells
    // changed, as bits. Values others wrote into the row go.
    uint32_t WriteRow(int nRow, const SReceiverRowInfo& info, const SRowProgressInfo& progress);
    // Returns whether the cell changed.
    bool WriteProgress(int nRow, const SRowProgressInfo& progress);
    // Counts as the packet re-read prints them (unsigned); returns whether the cell changed.
    bool WritePacketCounts(int nRow, uint32_t nErrors, uint32_t nTotal);
    // The first cell's check mark, box and upgrade mark, written without a
    // notice; the caller sends one (CellsChanged) or none.
    bool SetCheckState(int nRow, int nState);
    void ClearCheckState(int nRow);
    void ShowBox(int nRow);
    void HideBox(int nRow);
    void SetUpgradeMark(int nRow);
    // Shows a row's box as a single cell write would: with its own notice.
    void ShowBoxLive(int nRow);
    // The first cell as a rebuild leaves it: as a new row, or checked with
    // its box shown. Returns whether it changed.
    bool ResetMarks(int nRow, bool bChecked);
    // One check mark written as a single cell write would: with its own notice.
    bool SetCheckStateLive(int nRow, int nState);
    // One notice over the rectangle of cells.
    void CellsChanged(int nFirstRow, int nLastRow, int nFirstColumn, int nLastColumn);
    // One notice over the rows' cells of the given column keys (1 << key each).
    void KeysChanged(int nFirstRow, int nLastRow, uint32_t nKeys);

    bool IsRow(int nRow) const { return nRow >= 0 && size_t(nRow) < m_vecRows.size(); }

    // The port and position the row's record came with, whatever others
    // wrote into its cells since.
    int RecordPort(int nRow) const { return Hot(nRow).nPort; }
    int RecordPosition(int nRow) const { return Hot(nRow).nPosition; }
    bool IsCheckable(int nRow) const { return Marks(nRow).bCheckable; }
    bool IsChecked(int nRow) const { return Marks(nRow).nCheck == Qt::Checked; }
    // The check state as a number; Qt::Unchecked when none is set.
    int CheckState(int nRow) const { return qMax(0, int(Marks(nRow).nCheck)); }
    bool HasCheckState(int nRow) const { return Marks(nRow).nCheck != s_nNone; }
    bool IsBoxShown(int nRow) const { return Marks(nRow).nBox > 0; }
    // Which receiver record made the row; follows the row through moves.
    quint64 RowId(int nRow) const
    {
        Q_ASSERT(IsRow(nRow));
        return m_vecRows[size_t(nRow)].nId;
    }
    // The row's number in one of the number columns (Port, Position), as its
    // cell's sort key reads.
    int RowNumber(int nRow, int nKey) const;
    // Makes the first cell checkable or not, as QStandardItem::setCheckable.
    void SetCheckable(int nRow, bool bCheckable);

    // The row's record as written last, whatever others wrote into its cells
    // since; HasOverrides tells whether they did.
    const SReceiverRowInfo& Record(int nRow) const
    {
        Q_ASSERT(IsRow(nRow));
        return m_vecRows[size_t(nRow)].info;
    }
    bool HasOverrides(int nRow) const { return Hot(nRow).bOverrides; }

    // The numbers the wall map colours cells by, as last written.
    const SSensorReadings& Readings(int nRow) const
    {
        Q_ASSERT(IsRow(nRow));
        return m_vecRows[size_t(nRow)].info.readings;
    }
    uint32_t ErrorPackets(int nRow) const { return Hot(nRow).nErrorPackets; }
    uint32_t TotalPackets(int nRow) const { return Hot(nRow).nTotalPackets; }
    const SRowProgressInfo& Progress(int nRow) const { return Hot(nRow).progress; }

    // The limits readings are compared with. A change restates every row and
    // announces the sensor cells of the rows whose states changed.
    void SetHealthLimits(const SHealthLimits& limits);
    const SHealthLimits& HealthLimits() const { return m_limits; }
    // The row's states (EHealthState bits), as its record, packet counts and
    // progress were last written.
    uint32_t HealthStates(int nRow) const
    {
        return Hot(nRow).nStates;
    }
    // The rows per state, over all rows and per record port.
    const CHealthTally& Tally() const { return m_tally; }

    // Bumped whenever a row's S/N, type or firmware record text may have
    // changed, or rows were replaced or moved.
    quint64 TextGeneration() const { return m_nTextGeneration; }
    // Bumped by every write to the rows, whatever it changed.
    quint64 Generation() const { return m_nGeneration; }

private:
    static constexpr qint8 s_nNone = -1;
    using OverrideMap = std::map<std::pair<int, int>, QVariant>; // (column, role) -> value

    // What the walks over every row read and write (address, packet counts,
    // progress), kept apart from the texts: a walk over a large wall's rows
    // then stays in cache. The numbers here are the row's; those in
    // SRow::info are not kept up to date.
    struct SRowHot
    {
        int32_t nPort = 0;
        int32_t nPosition = -1;
        uint32_t nErrorPackets = 0;
        uint32_t nTotalPackets = 0;
        double dPacketKey = 0.0;
        int32_t nPacketDigits = 0;
        bool bUnsignedKey = false; // the key was printed from unsigned counts
        bool bOverrides = false;   // SRow::pOverrides holds values
        // EHealthState bits; all of them fit, and here they fill padding.
        static_assert(c_nHealthStateCount <= 8, "the states fit a byte");
        uint8_t nStates = 0;
        SRowProgressInfo progress;
    };
    // The texts, and what others wrote into the row's cells.
    struct SRow
    {
        SReceiverRowInfo info;
        quint64 nId = 0;
        std::unique_ptr<OverrideMap> pOverrides;
    };
    // What the first cell holds besides its text; small and apart from the
    // records, so walks over every row's check mark stay in cache.
    struct SMarks
    {
        qint8 nCheck = s_nNone;
        qint8 nBox = s_nNone;
        qint8 nUpgradeMark = s_nNone;
        bool bCheckable = false;
    };

    const SRowHot& Hot(int nRow) const
    {
        Q_ASSERT(IsRow(nRow));
        return m_vecHot[size_t(nRow)];
    }
    const SMarks& Marks(int nRow) const
    {
        Q_ASSERT(IsRow(nRow));
        return m_vecMarks[size_t(nRow)];
    }

    // The value a cell holds for a role, before mirrored roles are derived.
    QVariant StoredData(size_t nRow, int nColumn, int nRole) const;
    QVariant RecordData(size_t nRow, int nKey, int nRole) const;
    bool SetMark(int nRow, int nRole, const QVariant& value);
    static void SetPacketKey(SRowHot& hot, long long nErrors, long long nTotal);
    // Drops what others wrote into the row; returns the column keys it was in, as bits.
    uint32_t DropOverrides(size_t nRow);
    // Replaces the states under nMask with nStates and counts the difference;
    // nOldPort is the port the row was counted under. Returns the changed states.
    uint32_t Restate(size_t nRow, uint32_t nMask, uint32_t nStates, int nOldPort);
    bool IsPacketError(const SRowHot& hot) const;
    // The limit states of the readings; none without a limit set.
    uint32_t LimitStates(const SSensorReadings& readings) const
    {
        return m_bAnyLimit ? HealthRules::LimitStates(readings, m_limits) : 0u;
    }
    QVariant HealthData(size_t nRow, int nKey, int nRole) const;

    std::vector<SRow> m_vecRows;
    std::vector<SRowHot> m_vecHot;
    std::vector<SMarks> m_vecMarks;
    SHealthLimits m_limits;
    bool m_bAnyLimit = false;
    CHealthTally m_tally;
    CColumnMap m_columns;
    quint64 m_nNextId = 1;
    quint64 m_nTextGeneration = 0;
    quint64 m_nGeneration = 0;
};
