#pragma once

#include <QString>

class QModelIndex;

// A row's check box as assistive technology hears of it. The box is painted
// and shows only under the pointer or when checked, so the first cell tells
// its state, whether the box is drawn or not: as a checkable state and in words.
namespace RowBoxAccessible
{
bool IsChecked(const QModelIndex& indexFirstCell);
QString Description(const QModelIndex& indexFirstCell);
}
