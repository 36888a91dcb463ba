#include "CReceiverListSorter.h"

#include <QCollator>
#include <QLocale>

namespace
{
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

// Moves the records into their sorted places in place, one cycle of the
// permutation at a time: no second list to build and destroy.
void ApplyPermutation(QVector<SReceiverRowInfo>& listInfo, const std::vector<int>& vecFrom)
{
    const int nCount = listInfo.size();
    SReceiverRowInfo* pInfo = listInfo.data();
    std::vector<char> vecPlaced(size_t(nCount), 0);
    for (int nStart = 0; nStart < nCount; ++nStart) {
        if (vecPlaced[size_t(nStart)] || vecFrom[size_t(nStart)] == nStart)
            continue;
        SReceiverRowInfo infoHeld = std::move(pInfo[nStart]);
        int nTo = nStart;
        for (;;) {
            vecPlaced[size_t(nTo)] = 1;
            const int nFrom = vecFrom[size_t(nTo)];
            if (nFrom == nStart) {
                pInfo[nTo] = std::move(infoHeld);
                break;
            }
            pInfo[nTo] = std::move(pInfo[nFrom]);
            nTo = nFrom;
        }
    }
}
}

bool CReceiverListSorter::IsListSortedKey(int nKey)
{
    return nKey == ReceiverColumn::Port || nKey == ReceiverColumn::Position || nKey == ReceiverColumn::SerialNumber
        || nKey == ReceiverColumn::Packets;
}

std::vector<int> CReceiverListSorter::Sort(QVector<SReceiverRowInfo>& listInfo, int nKey, bool bAscending)
{
    // A permutation sorted on keys read once; the same swaps on the same
    // comparisons give the same order as sorting the records themselves.
    std::vector<SKey> vecKeys;
    vecKeys.reserve(size_t(listInfo.size()));
    for (int i = 0; i < listInfo.size(); ++i) {
        const SReceiverRowInfo& info = listInfo.at(i);
        SKey key { i, 0, 0 };
        if (nKey == ReceiverColumn::Port)
            key = { i, info.nPort, info.nPosition };
        else if (nKey == ReceiverColumn::Position)
            key = { i, info.nPosition, info.nPort };
        else if (nKey == ReceiverColumn::Packets)
            key = { i, info.nErrorPackets, info.nTotalPackets };
        vecKeys.push_back(key);
    }
    SortKeys(vecKeys, listInfo, nKey, bAscending);
    std::vector<int> vecFrom(vecKeys.size());
    for (size_t i = 0; i < vecKeys.size(); ++i)
        vecFrom[i] = vecKeys[i].nIndex;
    ApplyPermutation(listInfo, vecFrom);
    return vecFrom;
}

void CReceiverListSorter::SortKeys(std::vector<SKey>& vecKeys, const QVector<SReceiverRowInfo>& listInfo, int nKey, bool bAscending)
{
    if (nKey != ReceiverColumn::SerialNumber) {
        if (bAscending)
            QuickSort(vecKeys, 0, vecKeys.size(), [](const SKey& a, const SKey& b) {
                return a.nFirst < b.nFirst || (a.nFirst == b.nFirst && a.nSecond < b.nSecond);
            });
        else
            QuickSort(vecKeys, 0, vecKeys.size(), [](const SKey& a, const SKey& b) {
                return a.nFirst > b.nFirst || (a.nFirst == b.nFirst && a.nSecond > b.nSecond);
            });
        return;
    }
    // Serial numbers compare through collation keys made once per record:
    // comparing two keys gives the collator's own answer for the two texts.
    // They rarely change, so the keys are kept between sorts, within a bound
    // that follows the wall's size.
    if (m_mapCollationKey.size() > size_t(listInfo.size()) * 2 + 1024)
        m_mapCollationKey.clear();
    std::vector<const QCollatorSortKey*> vecCollationKeys;
    vecCollationKeys.reserve(size_t(listInfo.size()));
    for (const SReceiverRowInfo& info : listInfo)
        vecCollationKeys.push_back(&CollationKey(info.strSN));
    const auto compare = [&vecCollationKeys](const SKey& a, const SKey& b) {
        return vecCollationKeys[size_t(a.nIndex)]->compare(*vecCollationKeys[size_t(b.nIndex)]);
    };
    if (bAscending)
        QuickSort(vecKeys, 0, vecKeys.size(), [&compare](const SKey& a, const SKey& b) { return compare(a, b) < 0; });
    else
        QuickSort(vecKeys, 0, vecKeys.size(), [&compare](const SKey& a, const SKey& b) { return compare(a, b) > 0; });
}

const QCollatorSortKey& CReceiverListSorter::CollationKey(const std::string& strSN)
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
