#pragma once

#include <vector>

class QAbstractItemModel;
class QSortFilterProxyModel;

// Model rows and their places on screen. Text columns sort in the proxy, so
// every walk over "the rows" that must follow what the user sees goes through here.
class CViewOrder
{
public:
    CViewOrder(const QAbstractItemModel* pModel, const QSortFilterProxyModel* pProxy);

    // Whether the view shows the rows in model order (no proxy sort).
    bool IsModelOrder() const;
    std::vector<int> RowsInViewOrder() const;
    // A model row's place in the view.
    int ViewPosition(int nRow) const;
    std::vector<int> SortedByView(std::vector<int> vecRows) const;

private:
    const QAbstractItemModel* m_pModel;
    const QSortFilterProxyModel* m_pProxy;
};
