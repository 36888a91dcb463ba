#pragma once

#include "ReceiverHealth.h"

#include <QAbstractListModel>
#include <QIcon>
#include <QVector>

// The lines of CReceiverStatusList: "All" and one per state, each with its
// icon and its name followed by its count.
class CStatusListModel : public QAbstractListModel
{
    Q_OBJECT

public:
    // The line's state as an int under this role.
    static constexpr int StateRole = Qt::UserRole + 1;
    // The line's count under this role.
    static constexpr int CountRole = Qt::UserRole + 2;

    explicit CStatusListModel(QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int nRole = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    // Takes new counts; tells only the lines whose count changed.
    void SetCounts(const SStatusCounts& counts);
    // The names changed language: every line changes.
    void Retranslate();
    static QString Name(int nRow);

private:
    QIcon Icon(int nRow) const;

    QVector<int> m_vecCount;
    mutable QVector<QIcon> m_vecIcon;
};
