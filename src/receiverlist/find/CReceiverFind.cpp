#include "CReceiverFind.h"

#include "CColumnMap.h"
#include "CReceiverListView.h"

#include <QSortFilterProxyModel>

namespace
{
constexpr int s_nMarkMs = 1500;
}

CReceiverFind::CReceiverFind(CReceiverListView* pView, const QSortFilterProxyModel* pProxy, const CColumnMap* pColumns)
    : m_pView(pView)
    , m_pProxy(pProxy)
    , m_pColumns(pColumns)
{
    Q_ASSERT(pView && pProxy && pColumns);
    m_timerMark.setSingleShot(true);
    m_timerMark.setInterval(s_nMarkMs);
    QObject::connect(&m_timerMark, &QTimer::timeout, m_pView, [this]() {
        m_indexMarked = QPersistentModelIndex();
        m_pView->viewport()->update();
    });
}

int CReceiverFind::MarkedRow() const
{
    return m_indexMarked.isValid() ? m_indexMarked.row() : -1;
}

bool CReceiverFind::Matches(int nViewRow, const QString& strText) const
{
    for (const int nKey : { ReceiverColumn::SerialNumber, ReceiverColumn::Type, ReceiverColumn::Firmware }) {
        const QString strCell = m_pProxy->index(nViewRow, m_pColumns->ColumnOf(nKey)).data(Qt::DisplayRole).toString();
        if (strCell.contains(strText, Qt::CaseInsensitive))
            return true;
    }
    return false;
}

bool CReceiverFind::Find(const QString& strText)
{
    const int nViewRows = m_pProxy->rowCount();
    if (strText.isEmpty() || nViewRows == 0)
        return false;
    const QModelIndex indexCurrent = m_pView->currentIndex();
    const int nStart = indexCurrent.isValid() ? indexCurrent.row() + 1 : 0;
    for (int i = 0; i < nViewRows; ++i) {
        const int p = (nStart + i) % nViewRows;
        if (m_pView->isRowHidden(p, QModelIndex()) || !Matches(p, strText))
            continue;
        const QModelIndex index = m_pProxy->index(p, 0);
        m_pView->setCurrentIndex(index);
        m_pView->scrollTo(index);
        m_indexMarked = m_pProxy->mapToSource(index);
        m_timerMark.start();
        m_pView->viewport()->update();
        return true;
    }
    return false;
}
