#include "CTableExport.h"

#include "CReceiverListHeader.h"
#include "CReceiverListView.h"
#include "CReceiverTableModel.h"
#include "ShownCellText.h"

#include <QIODevice>
#include <QSortFilterProxyModel>

CTableExport::CTableExport(const CReceiverListView* pView, const CReceiverTableModel* pModel,
                           const QSortFilterProxyModel* pProxy, const CReceiverListHeader* pHeader)
    : m_pView(pView)
    , m_pModel(pModel)
    , m_pProxy(pProxy)
    , m_pHeader(pHeader)
{
    Q_ASSERT(pView && pModel && pProxy && pHeader);
}

std::vector<int> CTableExport::ShownViewRows(bool bCheckedOnly) const
{
    std::vector<int> vecRows;
    const int nViewRows = m_pProxy->rowCount();
    for (int p = 0; p < nViewRows; ++p) {
        if (m_pView->isRowHidden(p, QModelIndex()))
            continue;
        if (bCheckedOnly) {
            const int r = m_pProxy->mapToSource(m_pProxy->index(p, 0)).row();
            if (!(m_pModel->IsCheckable(r) && m_pModel->IsChecked(r)))
                continue;
        }
        vecRows.push_back(p);
    }
    return vecRows;
}

std::vector<int> CTableExport::ShownColumns() const
{
    std::vector<int> vecColumns;
    const QHeaderView* pHeader = m_pHeader;
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
        list << m_pHeader->GetLabels().value(nColumn);
    return list;
}

QStringList CTableExport::RowTexts(int nViewRow, const std::vector<int>& vecColumns) const
{
    QStringList list;
    for (const int nColumn : vecColumns)
        list << ShownCellText::Text(m_pProxy->index(nViewRow, nColumn), m_pModel->Columns().KeyOf(nColumn));
    return list;
}

QString CTableExport::ClipboardText() const
{
    std::vector<int> vecRows = ShownViewRows(true);
    if (vecRows.empty()) {
        const QModelIndex indexCurrent = m_pView->currentIndex();
        if (!indexCurrent.isValid() || m_pView->isRowHidden(indexCurrent.row(), QModelIndex()))
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
