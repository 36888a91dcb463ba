#include "RowBoxAccessible.h"

#include <QCoreApplication>
#include <QModelIndex>
#include <QVariant>

namespace RowBoxAccessible
{
bool IsChecked(const QModelIndex& indexFirstCell)
{
    return (indexFirstCell.flags() & Qt::ItemIsUserCheckable)
        && indexFirstCell.data(Qt::CheckStateRole).toInt() == Qt::Checked;
}

QString Description(const QModelIndex& indexFirstCell)
{
    return IsChecked(indexFirstCell) ? QCoreApplication::translate("RowBoxAccessible", "Receiver checked")
                                     : QCoreApplication::translate("RowBoxAccessible", "Receiver not checked");
}
}
