#pragma once

#include <QSortFilterProxyModel>
#include <QString>

#include <vector>

// The table's sort proxy. Sorting a text column reads every row's key once
// before the sort instead of twice per comparison through the source items, and
// compares the keys' ranks: the same answers to the same comparisons, so the
// same order, but at tens of thousands of rows the item lookups and repeated
// text comparisons were the whole cost of a sort.
class CReceiverSortProxyModel : public QSortFilterProxyModel
{
    Q_OBJECT

public:
    explicit CReceiverSortProxyModel(QObject* parent = nullptr);

    void sort(int column, Qt::SortOrder order = Qt::AscendingOrder) override;
    // Adds the first cell's check state in words for assistive technology.
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

protected:
    bool lessThan(const QModelIndex& source_left, const QModelIndex& source_right) const override;

private:
    // Keys by source row, then their ranks, while a sort runs; empty
    // otherwise, and also when a key is not a text (those compare the way the
    // base class compares them).
    std::vector<QString> m_vecKeys;
    std::vector<int> m_vecRanks;
    int m_nKeyColumn = -1;
};
