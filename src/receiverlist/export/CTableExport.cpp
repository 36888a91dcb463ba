#include "CTableExport.h"

#include "CReceiverListHeader.h"
#include "CReceiverListView_p.h"
#include "CReceiverSortProxyModel.h"
#include "ShownCellText.h"

#include <QIODevice>

CTableExport::CTableExport(const CReceiverListViewPrivate& dPrivate)
    : d(dPrivate)
{
}

std::vector<int> CTableExport::ShownViewRows(bool bCheckedOnly) const
{
    std::vector<int> vecRows;
    const int nViewRows = d.pProxy->rowCount();
    for (int p = 0; p < nViewRows; ++p) {
        if (d.q->isRowHidden(p, QModelIndex()))
            continue;
        if (bCheckedOnly) {
            const int r = d.pProxy->mapToSource(d.pProxy->index(p, 0)).row();
            if (!(d.pModel->IsCheckable(r) && d.pModel->IsChecked(r)))
                continue;
        }
        vecRows.push_back(p);
    }
    return vecRows;
}

std::vector<int> CTableExport::ShownColumns() const
{
    std::vector<int> vecColumns;
    const QHeaderView* pHeader = d.pHeader;
    for (int v = 0; v < pHeader->count(); ++v) {
        const int nColumn = pHeader->logicalIndex(v);
        if (!pHeader->isSectionHidden(nColumn))
            vecColumns.push_back(nColumn);
    }
    return vecColumns;
}

QStringList CTableExport::Labels(const std::vector<int>& vecColumns) const
{
    QStringList list;
    for (const int nColumn : vecColumns)
        list << d.pHeader->GetLabels().value(nColumn);
    return list;
}

QStringList CTableExport::RowTexts(int nViewRow, const std::vector<int>& vecColumns) const
{
    QStringList list;
    for (const int nColumn : vecColumns)
        list << ShownCellText::Text(d.pProxy->index(nViewRow, nColumn), nColumn + d.nPortColumnHidden);
    return list;
}

QString CTableExport::ClipboardText() const
{
    std::vector<int> vecRows = ShownViewRows(true);
    if (vecRows.empty()) {
        const QModelIndex indexCurrent = d.q->currentIndex();
        if (!indexCurrent.isValid() || d.q->isRowHidden(indexCurrent.row(), QModelIndex()))
            return QString();
        vecRows.push_back(indexCurrent.row());
    }
    const std::vector<int> vecColumns = ShownColumns();
    // A tab or line break inside a cell would split it; a space keeps the grid.
    const auto fnLine = [](QStringList list) {
        for (QString& str : list) {
            str.replace(QLatin1Char('\t'), QLatin1Char(' '));
            str.replace(QLatin1Char('\r'), QLatin1Char(' '));
            str.replace(QLatin1Char('\n'), QLatin1Char(' '));
        }
        return list.join(QLatin1Char('\t')) + QLatin1Char('\n');
    };
    QString strText = fnLine(Labels(vecColumns));
    for (const int p : vecRows)
        strText += fnLine(RowTexts(p, vecColumns));
    return strText;
}

QString CTableExport::CsvField(const QString& str)
{
    if (!str.contains(QLatin1Char(',')) && !str.contains(QLatin1Char('"')) && !str.contains(QLatin1Char('\r'))
        && !str.contains(QLatin1Char('\n')))
        return str;
    QString strQuoted = str;
    strQuoted.replace(QLatin1String("\""), QLatin1String("\"\""));
    return QLatin1Char('"') + strQuoted + QLatin1Char('"');
}

bool CTableExport::WriteCsv(QIODevice* pDevice, bool bCheckedOnly) const
{
    if (!pDevice || !pDevice->isOpen() || !pDevice->isWritable())
        return false;
    const std::vector<int> vecColumns = ShownColumns();
    const auto fnWrite = [pDevice](const QStringList& listFields) {
        QStringList listCsv;
        for (const QString& str : listFields)
            listCsv << CsvField(str);
        const QByteArray bytes = (listCsv.join(QLatin1Char(',')) + QLatin1String("\r\n")).toUtf8();
        return pDevice->write(bytes) == bytes.size();
    };
    // The byte-order mark tells a spreadsheet the text is UTF-8 whatever the
    // system's code page.
    static const char s_arrBom[] = "\xEF\xBB\xBF";
    if (pDevice->write(s_arrBom, 3) != 3 || !fnWrite(Labels(vecColumns)))
        return false;
    for (const int p : ShownViewRows(bCheckedOnly)) {
        if (!fnWrite(RowTexts(p, vecColumns)))
            return false;
    }
    return true;
}
