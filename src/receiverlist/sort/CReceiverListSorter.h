#pragma once

#include "SReceiverRowInfo.h"

#include <QCollatorSortKey>
#include <QVector>

#include <string>
#include <unordered_map>
#include <vector>

// Sorts the row list itself for the columns whose order is not the order of
// their texts: Port and String position (by port, then position, or the other
// way round), S/N (numeric collation, so R2 comes before R10) and the packet
// counts (by errors, then total).
class CReceiverListSorter
{
public:
    static bool IsListSortedKey(int nKey);

    // Sorts listInfo on column key nKey and returns where each new place's
    // record came from (new i = old result[i]).
    std::vector<int> Sort(QVector<SReceiverRowInfo>& listInfo, int nKey, bool bAscending);

private:
    struct SKey
    {
        int nIndex;
        int64_t nFirst;
        int64_t nSecond;
    };
    struct SCollation
    {
        QCollatorSortKey key;
        int nRank = 0; // place among the kept serial numbers, equal texts equal
    };
    void SortKeys(std::vector<SKey>& vecKeys, const QVector<SReceiverRowInfo>& listInfo, int nKey, bool bAscending);
    // Puts each record's serial-number rank into its key's first field.
    void RankSerialNumbers(std::vector<SKey>& vecKeys, const QVector<SReceiverRowInfo>& listInfo);
    // The serial number's collation key, made once and kept.
    SCollation& Collation(const std::string& strSN);
    void RankKeptSerialNumbers();
    // Looks every serial number up and keeps the ranks for the list as given.
    void LookUpRowRanks(const QVector<SReceiverRowInfo>& listInfo);

    // Each record's serial-number rank and a hash of its serial number, for
    // a list in one order: while every hash still matches, a sort reads the
    // ranks in order instead of looking every serial number up.
    struct SRowRanks
    {
        std::vector<int64_t> vecRank;
        std::vector<size_t> vecHash;
        bool Hold(const QVector<SReceiverRowInfo>& listInfo) const;
    };
    // Moves the sorted list's ranks along with the records.
    void PermuteRowRanks(const std::vector<int>& vecFrom);

    std::unordered_map<std::string, SCollation> m_mapCollation;
    // The ranks hold while no serial number joined the kept ones since they
    // were given: then a sort compares ranks, not collation keys.
    bool m_bRanksValid = false;
    // The list as the last sort left it, and the list in the order it came
    // in when its ranks were last looked up: a wall read again comes in its
    // controller's order, not in the order it was shown in.
    SRowRanks m_ranksSorted;
    SRowRanks m_ranksRead;
};
