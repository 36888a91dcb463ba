#include "ShownCellText.h"

#include "SReceiverRowInfo.h"

#include <QModelIndex>
#include <QStringList>
#include <QVariant>

namespace ShownCellText
{
void PacketParts(const QModelIndex& index, QString* pErrors, QString* pTotal)
{
    // The key is errors.total with the total's digits as decimals.
    const double dValue = index.data(ReceiverRole::SortKey).toDouble();
    const int nDigits = ReceiverRole::PacketDigits(index);
    QString strText = QString::number(dValue, 'f', nDigits);
    if (strText == QLatin1String("0"))
        strText += QLatin1String(".0");
    const QStringList listParts = strText.split(QLatin1Char('.'));
    *pErrors = listParts.value(0);
    *pTotal = listParts.value(1);
}

QString Text(const QModelIndex& index, int nKey)
{
    if (nKey == ReceiverColumn::Packets) {
        QString strErrors;
        QString strTotal;
        PacketParts(index, &strErrors, &strTotal);
        return strErrors + QLatin1String(" / ") + strTotal;
    }
    if (nKey == ReceiverColumn::Progress)
        return ReceiverRole::ProgressRecord(index).strText;
    return index.data(Qt::DisplayRole).toString();
}
}
