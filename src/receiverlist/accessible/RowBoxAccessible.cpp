#include "RowBoxAccessible.h"

#include <QCoreApplication>
#include <QModelIndex>
#include <QVariant>

namespace RowBoxAccessible
{
QString Description(const QModelIndex& indexFirstCell)
{
    const bool bChecked = (indexFirstCell.flags() & Qt::ItemIsUserCheckable)
        && indexFirstCell.data(Qt::CheckStateRole).toInt() == Qt::Checked;
    return bChecked ? QCoreApplication::translate("RowBoxAccessible", "Receiver checked")
                    : QCoreApplication::translate("RowBoxAccessible", "Receiver not checked");
}
}
