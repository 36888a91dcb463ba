#pragma once

#include "SReceiverRowInfo.h"

#include <QtGlobal>

#include <cstdint>

// How the logical column keys map to the model's columns. The Port column
// exists only while the port preference shows it; every other column keeps
// its order after it. This is the only code that knows the two layouts apart:
// everything else names columns by key and asks here for the model column.
class CColumnMap
{
public:
    using EKey = ReceiverColumn::EKey;

    explicit CColumnMap(bool bPortShown = true)
        : m_bPortShown(bPortShown)
    {
    }

    bool IsPortShown() const { return m_bPortShown; }
    void SetPortShown(bool bShown) { m_bPortShown = bShown; }

    int ColumnCount() const { return ReceiverColumn::Count - FirstKeyIndex(); }
    bool HasKey(int nKey) const { return nKey >= FirstKeyIndex() && nKey < ReceiverColumn::Count; }
    bool IsColumn(int nColumn) const { return nColumn >= 0 && nColumn < ColumnCount(); }

    // The model column of a key; -1 for a key this layout has no column for.
    int ColumnOf(int nKey) const { return HasKey(nKey) ? nKey - FirstKeyIndex() : -1; }
    // The key of a model column; the column must exist.
    EKey KeyOf(int nColumn) const
    {
        Q_ASSERT(IsColumn(nColumn));
        return EKey(nColumn + FirstKeyIndex());
    }
    // The key of the first column, the one with the check box and the Filter button.
    EKey FirstKey() const { return m_bPortShown ? ReceiverColumn::Port : ReceiverColumn::Position; }
    // The key of the last column.
    EKey LastKey() const { return EKey(ReceiverColumn::Count - 1); }

    // The model columns a set of keys (bit 1 << key each) spans, from the
    // first to the last; false when none of them has a column.
    bool ColumnSpan(uint32_t nKeys, int* pFirst, int* pLast) const
    {
        int nFirst = -1;
        int nLast = -1;
        for (int nKey = FirstKeyIndex(); nKey < ReceiverColumn::Count; ++nKey) {
            if (!(nKeys & (1u << nKey)))
                continue;
            if (nFirst == -1)
                nFirst = ColumnOf(nKey);
            nLast = ColumnOf(nKey);
        }
        *pFirst = nFirst;
        *pLast = nLast;
        return nFirst != -1;
    }

    bool operator==(const CColumnMap& other) const { return m_bPortShown == other.m_bPortShown; }
    bool operator!=(const CColumnMap& other) const { return !(*this == other); }

private:
    int FirstKeyIndex() const { return int(FirstKey()); }

    bool m_bPortShown;
};
