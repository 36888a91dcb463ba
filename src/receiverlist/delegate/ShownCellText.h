#pragma once

#include <QString>

class QModelIndex;

// A cell's text exactly as the delegate paints it, for everything that hands
// the table on as text (clipboard, export, assistive technology).
namespace ShownCellText
{
// The Error/Total packets cell's two numbers, as painted.
void PacketParts(const QModelIndex& index, QString* pErrors, QString* pTotal);
// nKey is the cell's logical column key.
QString Text(const QModelIndex& index, int nKey);
}
