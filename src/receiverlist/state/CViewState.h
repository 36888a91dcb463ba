#pragma once

#include <QByteArray>

#include <array>
#include <cstdint>

// The layout an operator made: column widths and hidden columns by logical
// key, the sort column (by key) and order. Bytes a host stores as it likes;
// anything but a whole state of this version is refused.
struct SViewState
{
    static constexpr int s_nKeys = 12;
    // -1 for a column the view did not have.
    std::array<int, s_nKeys> arrWidth {};
    uint32_t nHiddenKeys = 0;
    int nSortKey = 0;
    bool bAscending = true;

    QByteArray Save() const;
    // False, leaving *pState alone, for anything but a whole valid state.
    static bool Load(const QByteArray& bytes, SViewState* pState);
};
