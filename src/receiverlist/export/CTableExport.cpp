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

namespace
{
// A decimal number as the view writes it: an optional sign, digits, an
// optional fraction. Nothing else: no exponent, no spaces, no thousands.
int NumberLength(const QString& str)
{
    int i = 0;
    if (i < str.size() && (str.at(i) == QLatin1Char('-') || str.at(i) == QLatin1Char('+')))
        ++i;
    const int nIntStart = i;
    while (i < str.size() && str.at(i).isDigit() && str.at(i).unicode() < 128)
        ++i;
    if (i == nIntStart)
        return 0;
    if (i < str.size() && str.at(i) == QLatin1Char('.')) {
        const int nFracStart = ++i;
        while (i < str.size() && str.at(i).isDigit() && str.at(i).unicode() < 128)
            ++i;
        if (i == nFracStart)
            return 0;
    }
    return i;
}
}

bool CTableExport::IsNumberText(const QString& str)
{
    // A sensor without a reading.
    if (str == QLatin1String("--"))
        return true;
    const int n = NumberLength(str);
    if (n == 0)
        return false;
    // The sensor columns' units: a reading such as -5.00°C holds no name,
    // reference or call a spreadsheet could run, and a quote would spoil it.
    static const QString s_arrUnits[] = { QString(), QStringLiteral("\u00B0C"), QStringLiteral("\u00B0F"),
        QStringLiteral("%"), QStringLiteral("V") };
    const QStringView strRest = QStringView(str).mid(n);
    for (const QString& strUnit : s_arrUnits) {
        if (strRest == strUnit)
            return true;
    }
    return false;
}

QString CTableExport::CsvField(const QString& strCell)
{
    // Card texts come from hardware on the wall's network: a text a
    // spreadsheet would read as a formula (or, led by a tab or CR, might once
    // it trims them) gets a leading quote, so it is read as text. Numbers,
    // negative ones included, stay numbers.
    QString str = strCell;
    static const QString s_strFormulaStart = QStringLiteral("=+-@\t\r");
    if (!str.isEmpty() && s_strFormulaStart.contains(str.at(0)) && !IsNumberText(str))
        str.prepend(QLatin1Char('\''));
    if (!str.contains(QLatin1Char(',')) && !str.contains(QLatin1Char('"')) && !str.contains(QLatin1Char('\r'))
        && !str.contains(QLatin1Char('\n')))
        return str;
    str.replace(QLatin1String("\""), QLatin1String("\"\""));
    return QLatin1Char('"') + str + QLatin1Char('"');
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
