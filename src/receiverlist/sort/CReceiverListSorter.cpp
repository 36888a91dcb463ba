#include "CReceiverListSorter.h"

#include <QCollator>
#include <QLocale>

#include <algorithm>
#include <functional>

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
    PermuteRowRanks(vecFrom);
    return vecFrom;
}

void CReceiverListSorter::PermuteRowRanks(const std::vector<int>& vecFrom)
{
    SRowRanks& ranks = m_ranksSorted;
    if (ranks.vecRank.size() != vecFrom.size()) {
        ranks = SRowRanks();
        return;
    }
    SRowRanks ranksMoved;
    ranksMoved.vecRank.resize(vecFrom.size());
    ranksMoved.vecHash.resize(vecFrom.size());
    for (size_t i = 0; i < vecFrom.size(); ++i) {
        ranksMoved.vecRank[i] = ranks.vecRank[size_t(vecFrom[i])];
        ranksMoved.vecHash[i] = ranks.vecHash[size_t(vecFrom[i])];
    }
    ranks = std::move(ranksMoved);
}

bool CReceiverListSorter::SRowRanks::Hold(const QVector<SReceiverRowInfo>& listInfo) const
{
    if (vecHash.size() != size_t(listInfo.size()))
        return false;
    const std::hash<std::string> hash;
    for (size_t i = 0; i < vecHash.size(); ++i) {
        if (vecHash[i] != hash(listInfo.at(int(i)).strSN))
            return false;
    }
    return true;
}

void CReceiverListSorter::SortKeys(std::vector<SKey>& vecKeys, const QVector<SReceiverRowInfo>& listInfo, int nKey, bool bAscending)
{
    if (nKey == ReceiverColumn::SerialNumber)
        RankSerialNumbers(vecKeys, listInfo);
    // Ranks compare as the collator compares the texts, so the same swaps run
    // as on the collation keys themselves, equal serial numbers included.
    if (bAscending)
        QuickSort(vecKeys, 0, vecKeys.size(), [](const SKey& a, const SKey& b) {
            return a.nFirst < b.nFirst || (a.nFirst == b.nFirst && a.nSecond < b.nSecond);
        });
    else
        QuickSort(vecKeys, 0, vecKeys.size(), [](const SKey& a, const SKey& b) {
            return a.nFirst > b.nFirst || (a.nFirst == b.nFirst && a.nSecond > b.nSecond);
        });
}

void CReceiverListSorter::RankSerialNumbers(std::vector<SKey>& vecKeys, const QVector<SReceiverRowInfo>& listInfo)
{
    // Serial numbers compare through collation keys made once per text and
    // kept between sorts, within a bound that follows the wall's size. They
    // rarely change, so the kept texts are ranked once and later sorts of the
    // same wall only look the ranks up.
    if (!m_ranksSorted.Hold(listInfo)) {
        if (m_ranksRead.Hold(listInfo))
            m_ranksSorted = m_ranksRead;
        else
            LookUpRowRanks(listInfo);
    }
    for (SKey& key : vecKeys)
        key.nFirst = m_ranksSorted.vecRank[size_t(key.nIndex)];
}

void CReceiverListSorter::LookUpRowRanks(const QVector<SReceiverRowInfo>& listInfo)
{
    const size_t nCount = size_t(listInfo.size());
    if (m_mapCollation.size() > nCount * 2 + 1024) {
        m_mapCollation.clear();
        m_bRanksValid = false;
    }
    std::vector<SCollation*> vecCollation;
    vecCollation.reserve(nCount);
    for (const SReceiverRowInfo& info : listInfo)
        vecCollation.push_back(&Collation(info.strSN));
    if (!m_bRanksValid)
        RankKeptSerialNumbers();
    const std::hash<std::string> hash;
    SRowRanks& ranks = m_ranksRead;
    ranks.vecRank.resize(nCount);
    ranks.vecHash.resize(nCount);
    for (size_t i = 0; i < nCount; ++i) {
        ranks.vecRank[i] = vecCollation[i]->nRank;
        ranks.vecHash[i] = hash(listInfo.at(int(i)).strSN);
    }
    m_ranksSorted = ranks;
}

void CReceiverListSorter::RankKeptSerialNumbers()
{
    std::vector<SCollation*> vecKept;
    vecKept.reserve(m_mapCollation.size());
    for (auto& entry : m_mapCollation)
        vecKept.push_back(&entry.second);
    std::sort(vecKept.begin(), vecKept.end(),
              [](const SCollation* a, const SCollation* b) { return a->key.compare(b->key) < 0; });
    int nRank = 0;
    for (size_t i = 0; i < vecKept.size(); ++i) {
        if (i > 0 && vecKept[i - 1]->key.compare(vecKept[i]->key) < 0)
            ++nRank;
        vecKept[i]->nRank = nRank;
    }
    m_bRanksValid = true;
}

CReceiverListSorter::SCollation& CReceiverListSorter::Collation(const std::string& strSN)
{
    auto it = m_mapCollation.find(strSN);
    if (it == m_mapCollation.end()) {
        static const QCollator s_collator = []() {
            QCollator collator(QLocale(QLocale::Chinese, QLocale::China));
            collator.setNumericMode(true);
            collator.setCaseSensitivity(Qt::CaseSensitive);
            return collator;
        }();
        const QString str = QString::fromUtf8(strSN.data(), int(strSN.size()));
        it = m_mapCollation.emplace(strSN, SCollation { s_collator.sortKey(str), 0 }).first;
        m_bRanksValid = false;
    }
    return it->second;
}
