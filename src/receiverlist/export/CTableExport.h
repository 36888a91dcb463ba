#pragma once

#include <QString>
#include <QStringList>

#include <vector>

class QIODevice;
class QSortFilterProxyModel;
class CReceiverListHeader;
class CReceiverListView;
class CReceiverTableModel;

// The table handed on as text: what the view shows, columns and rows as on
// screen, each cell as painted.
class CTableExport
{
public:
    CTableExport(const CReceiverListView* pView, const CReceiverTableModel* pModel, const QSortFilterProxyModel* pProxy,
                 const CReceiverListHeader* pHeader);

    // Tab-separated, a line of labels first: the checked rows, or the current
    // row when none is checked; empty when there is neither.
    QString ClipboardText() const;
    // RFC 4180 CSV in UTF-8 with a byte-order mark; false when the device
    // does not take every byte.
    bool WriteCsv(QIODevice* pDevice, bool bCheckedOnly) const;

    // One cell as a CSV field: quoted when it holds a comma, quote or line
    // break; a text a spreadsheet would run as a formula led by a quote.
    static QString CsvField(const QString& strCell);
    // A plain decimal number, one followed by a sensor column's unit, or the
    // missing reading's --.
    static bool IsNumberText(const QString& str);

private:
    // View rows shown (not hidden by the port filter), in screen order.
    std::vector<int> ShownViewRows(bool bCheckedOnly) const;
    // Shown model columns, left to right.
    std::vector<int> ShownColumns() const;
    QStringList Labels(const std::vector<int>& vecColumns) const;
    QStringList RowTexts(int nViewRow, const std::vector<int>& vecColumns) const;

    const CReceiverListView* const m_pView;
    const CReceiverTableModel* const m_pModel;
    const QSortFilterProxyModel* const m_pProxy;
    const CReceiverListHeader* const m_pHeader;
};
