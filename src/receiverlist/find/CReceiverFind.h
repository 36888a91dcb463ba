#pragma once

#include <QPersistentModelIndex>
#include <QString>
#include <QTimer>

class CReceiverListViewPrivate;

// Finding a receiver by a piece of its S/N, type or firmware: the next shown
// row after the current one, made current and marked for a moment.
class CReceiverFind
{
public:
    explicit CReceiverFind(CReceiverListViewPrivate& d);

    bool Find(const QString& strText);
    // The model row marked by the last find, -1 once the mark is gone.
    int MarkedRow() const;

private:
    bool Matches(int nViewRow, const QString& strText) const;

    CReceiverListViewPrivate& d;
    QPersistentModelIndex m_indexMarked;
    QTimer m_timerMark;
};
