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
    void SortKeys(std::vector<SKey>& vecKeys, const QVector<SReceiverRowInfo>& listInfo, int nKey, bool bAscending);
    // The serial number's collation key, made once and kept.
    const QCollatorSortKey& CollationKey(const std::string& strSN);

    std::unordered_map<std::string, QCollatorSortKey> m_mapCollationKey;
};
