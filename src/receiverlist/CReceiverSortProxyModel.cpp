#include "CReceiverSortProxyModel.h"

CReceiverSortProxyModel::CReceiverSortProxyModel(QObject* parent)
    : QSortFilterProxyModel(parent)
{
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
        if (!m_vecKeys.empty())
            m_nKeyColumn = column;
    }
    QSortFilterProxyModel::sort(column, order);
    m_vecKeys.clear();
    m_vecKeys.shrink_to_fit();
    m_nKeyColumn = -1;
}

bool CReceiverSortProxyModel::lessThan(const QModelIndex& source_left, const QModelIndex& source_right) const
{
    const size_t nLeft = size_t(source_left.row());
    const size_t nRight = size_t(source_right.row());
    if (source_left.column() == m_nKeyColumn && source_right.column() == m_nKeyColumn && !source_left.parent().isValid()
        && nLeft < m_vecKeys.size() && nRight < m_vecKeys.size())
        return m_vecKeys[nLeft].compare(m_vecKeys[nRight], Qt::CaseSensitive) < 0;
    return QSortFilterProxyModel::lessThan(source_left, source_right);
}
