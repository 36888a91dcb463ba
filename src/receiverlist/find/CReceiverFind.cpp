#include "CReceiverFind.h"

#include "CReceiverListView_p.h"
#include "CReceiverSortProxyModel.h"

namespace
{
constexpr int s_nMarkMs = 1500;
}

CReceiverFind::CReceiverFind(CReceiverListViewPrivate& dPrivate)
    : d(dPrivate)
{
    m_timerMark.setSingleShot(true);
    m_timerMark.setInterval(s_nMarkMs);
    QObject::connect(&m_timerMark, &QTimer::timeout, d.q, [this]() {
        m_indexMarked = QPersistentModelIndex();
        d.q->viewport()->update();
    });
}

int CReceiverFind::MarkedRow() const
{
    return m_indexMarked.isValid() ? m_indexMarked.row() : -1;
}

bool CReceiverFind::Matches(int nViewRow, const QString& strText) const
{
    const int H = d.nPortColumnHidden;
    for (const int nKey : { ReceiverColumn::SerialNumber, ReceiverColumn::Type, ReceiverColumn::Firmware }) {
        const QString strCell = d.pProxy->index(nViewRow, nKey - H).data(Qt::DisplayRole).toString();
        if (strCell.contains(strText, Qt::CaseInsensitive))
            return true;
    }
    return false;
}

bool CReceiverFind::Find(const QString& strText)
{
    const int nViewRows = d.pProxy->rowCount();
    if (strText.isEmpty() || nViewRows == 0)
        return false;
    const QModelIndex indexCurrent = d.q->currentIndex();
    const int nStart = indexCurrent.isValid() ? indexCurrent.row() + 1 : 0;
    for (int i = 0; i < nViewRows; ++i) {
        const int p = (nStart + i) % nViewRows;
        if (d.q->isRowHidden(p, QModelIndex()) || !Matches(p, strText))
            continue;
        const QModelIndex index = d.pProxy->index(p, 0);
        d.q->setCurrentIndex(index);
        d.q->scrollTo(index);
        d.bKeyCurrent = true;
        m_indexMarked = d.pProxy->mapToSource(index);
        m_timerMark.start();
        d.q->viewport()->update();
        return true;
    }
    return false;
}
