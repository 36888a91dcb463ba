#pragma once

#include <QPersistentModelIndex>
#include <QString>
#include <QTimer>

class QSortFilterProxyModel;
class CColumnMap;
class CReceiverListView;

// Finding a receiver by a piece of its S/N, type or firmware: the next shown
// row after the current one, made current and marked for a moment.
class CReceiverFind
{
public:
    CReceiverFind(CReceiverListView* pView, const QSortFilterProxyModel* pProxy, const CColumnMap* pColumns);

    // Makes the next matching shown row current and marks it; false, changing
    // nothing, when none matches.
    bool Find(const QString& strText);
    // The model row marked by the last find, -1 once the mark is gone.
    int MarkedRow() const;

private:
    bool Matches(int nViewRow, const QString& strText) const;

    CReceiverListView* const m_pView;
    const QSortFilterProxyModel* const m_pProxy;
    const CColumnMap* const m_pColumns;
    QPersistentModelIndex m_indexMarked;
    QTimer m_timerMark;
};
