#include "CReceiverSortProxyModel.h"

#include "RowBoxAccessible.h"

#include <QHash>

#include <algorithm>

CReceiverSortProxyModel::CReceiverSortProxyModel(QObject* parent)
    : QSortFilterProxyModel(parent)
{
}

QVariant CReceiverSortProxyModel::data(const QModelIndex& index, int role) const
{
    if (role == Qt::AccessibleDescriptionRole && index.column() == 0 && index.isValid())
        return RowBoxAccessible::Description(index);
    return QSortFilterProxyModel::data(index, role);
}

void CReceiverSortProxyModel::sort(int column, Qt::SortOrder order)
{
    const QAbstractItemModel* pSource = sourceModel();
    // The flat keys stand for the base class's comparison only where it is a
    // plain case-sensitive text comparison.
    const bool bPlainText = pSource && column >= 0 && column < pSource->columnCount() && !isSortLocaleAware()
        && sortCaseSensitivity() == Qt::CaseSensitive;
    if (bPlainText) {
        const int nRows = pSource->rowCount();
        m_vecKeys.reserve(size_t(nRows));
        for (int r = 0; r < nRows; ++r) {
            const QVariant var = pSource->index(r, column).data(sortRole());
            if (var.userType() != QMetaType::QString) {
                m_vecKeys.clear();
                break;
            }
            m_vecKeys.push_back(var.toString());
        }
        if (!m_vecKeys.empty()) {
            // Columns repeat their texts (a wall has few card types): each row
            // gets the rank of its text among the distinct texts, and the sort
            // compares ranks. Equal texts get equal ranks and the ranks follow
            // the text comparison, so every comparison answers as before.
            QHash<QString, int> hashDistinct;
            hashDistinct.reserve(nRows);
            std::vector<const QString*> vecDistinct;
            m_vecRanks.reserve(m_vecKeys.size());
            for (const QString& str : m_vecKeys) {
                auto it = hashDistinct.find(str);
                if (it == hashDistinct.end()) {
                    it = hashDistinct.insert(str, int(vecDistinct.size()));
                    vecDistinct.push_back(&str);
                }
                m_vecRanks.push_back(it.value());
            }
            std::vector<int> vecOrder(vecDistinct.size());
            for (size_t i = 0; i < vecOrder.size(); ++i)
                vecOrder[i] = int(i);
            std::sort(vecOrder.begin(), vecOrder.end(), [&vecDistinct](int a, int b) {
                return vecDistinct[size_t(a)]->compare(*vecDistinct[size_t(b)], Qt::CaseSensitive) < 0;
            });
            std::vector<int> vecRankOf(vecOrder.size());
            for (size_t i = 0; i < vecOrder.size(); ++i)
                vecRankOf[size_t(vecOrder[i])] = int(i);
            for (int& nRank : m_vecRanks)
                nRank = vecRankOf[size_t(nRank)];
            m_nKeyColumn = column;
        }
        m_vecKeys.clear();
        m_vecKeys.shrink_to_fit();
    }
    QSortFilterProxyModel::sort(column, order);
    m_vecRanks.clear();
    m_vecRanks.shrink_to_fit();
    m_nKeyColumn = -1;
}

bool CReceiverSortProxyModel::lessThan(const QModelIndex& source_left, const QModelIndex& source_right) const
{
    const size_t nLeft = size_t(source_left.row());
    const size_t nRight = size_t(source_right.row());
    // The source is a flat table: every index is a top-level row's.
    if (source_left.column() == m_nKeyColumn && source_right.column() == m_nKeyColumn && nLeft < m_vecRanks.size()
        && nRight < m_vecRanks.size())
        return m_vecRanks[nLeft] < m_vecRanks[nRight];
    return QSortFilterProxyModel::lessThan(source_left, source_right);
}
