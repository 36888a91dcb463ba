#include "CViewOrder.h"

#include <QSortFilterProxyModel>

#include <algorithm>

CViewOrder::CViewOrder(const QAbstractItemModel* pModel, const QSortFilterProxyModel* pProxy)
    : m_pModel(pModel)
    , m_pProxy(pProxy)
{
}

bool CViewOrder::IsModelOrder() const
{
    return m_pProxy->sortColumn() < 0 || m_pProxy->rowCount() != m_pModel->rowCount();
}

std::vector<int> CViewOrder::RowsInViewOrder() const
{
    const int nRows = m_pModel->rowCount();
    std::vector<int> vecRows;
    vecRows.reserve(size_t(nRows));
    if (IsModelOrder()) {
        for (int r = 0; r < nRows; ++r)
            vecRows.push_back(r);
    } else {
        for (int p = 0; p < nRows; ++p)
            vecRows.push_back(m_pProxy->mapToSource(m_pProxy->index(p, 0)).row());
    }
    return vecRows;
}

int CViewOrder::ViewPosition(int nRow) const
{
    if (IsModelOrder())
        return nRow;
    const QModelIndex index = m_pProxy->mapFromSource(m_pModel->index(nRow, 0));
    return index.isValid() ? index.row() : nRow;
}

std::vector<int> CViewOrder::SortedByView(std::vector<int> vecRows) const
{
    if (IsModelOrder()) {
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
