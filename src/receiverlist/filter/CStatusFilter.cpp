#include "CStatusFilter.h"

#include "CPortFilter.h"
#include "CReceiverListView.h"
#include "CReceiverTableModel.h"
#include "ReceiverCellText.h"

#include <QSortFilterProxyModel>

namespace
{
char AsciiLower(char c)
{
    return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c;
}

// 1 found, 0 not found, -1 not known: the field has bytes beyond ASCII,
// which Qt's case folding may match to ASCII letters.
int FindAsciiLower(const std::string& strField, const std::string& strLower)
{
    bool bHigh = false;
    for (const char c : strField)
        bHigh = bHigh || (static_cast<unsigned char>(c) & 0x80);
    if (bHigh)
        return -1;
    if (strLower.size() > strField.size())
        return 0;
    const size_t nLast = strField.size() - strLower.size();
    for (size_t i = 0; i <= nLast; ++i) {
        size_t j = 0;
        while (j < strLower.size() && AsciiLower(strField[i + j]) == strLower[j])
            ++j;
        if (j == strLower.size())
            return 1;
    }
    return 0;
}
}

CStatusFilter::CStatusFilter(CReceiverListView* pView, const CReceiverTableModel* pModel,
                             const QSortFilterProxyModel* pProxy, const CPortFilter* pPortFilter)
    : m_pView(pView)
    , m_pModel(pModel)
    , m_pProxy(pProxy)
    , m_pPortFilter(pPortFilter)
{
    Q_ASSERT(pView && pModel && pProxy && pPortFilter);
}

bool CStatusFilter::SetState(uint32_t nState)
{
    if (nState == m_nState)
        return false;
    m_nState = nState;
    return true;
}

bool CStatusFilter::SetText(const QString& strText)
{
    if (strText == m_strText)
        return false;
    m_strText = strText;
    m_bAsciiText = true;
    m_strAsciiLower.clear();
    for (const QChar ch : strText) {
        if (ch.unicode() >= 0x80) {
            m_bAsciiText = false;
            break;
        }
        m_strAsciiLower.push_back(AsciiLower(char(ch.unicode())));
    }
    return true;
}

bool CStatusFilter::Accepts(int nRow) const
{
    if (m_nState && !(m_pModel->HealthStates(nRow) & m_nState))
        return false;
    return m_strText.isEmpty() || MatchesText(nRow);
}

bool CStatusFilter::MatchesText(int nRow) const
{
    if (!m_pModel->HasOverrides(nRow))
        return MatchesRecordText(nRow);
    // A host wrote into the row: the cells as shown decide, as a find reads them.
    for (const int nKey : { ReceiverColumn::SerialNumber, ReceiverColumn::Type, ReceiverColumn::Firmware }) {
        const QModelIndex index = m_pModel->index(nRow, m_pModel->Columns().ColumnOf(nKey));
        if (index.data(Qt::DisplayRole).toString().contains(m_strText, Qt::CaseInsensitive))
            return true;
    }
    return false;
}

bool CStatusFilter::MatchesRecordText(int nRow) const
{
    const SReceiverRowInfo& info = m_pModel->Record(nRow);
    m_strFirmware.assign(info.strTypeName).append(" V").append(info.strVersion);
    const std::string* const arrFields[] = { &info.strSN, &info.strType, &m_strFirmware };
    for (const std::string* pField : arrFields) {
        const int nFound = m_bAsciiText ? FindAsciiLower(*pField, m_strAsciiLower) : -1;
        if (nFound == 1)
            return true;
        if (nFound == -1 && ReceiverCellText::Utf8Text(*pField).contains(m_strText, Qt::CaseInsensitive))
            return true;
    }
    return false;
}

void CStatusFilter::SetHidden(int nRow, bool bHidden)
{
    // The tree view skips what is already as asked, with one look-up
    // instead of the two a test before the call would add.
    const QModelIndex index = m_pProxy->mapFromSource(m_pModel->index(nRow, 0));
    if (index.isValid())
        m_pView->setRowHidden(index.row(), QModelIndex(), bHidden);
}

int CStatusFilter::Apply(bool bAll)
{
    const int nRows = m_pModel->rowCount();
    const bool bKnown = !bAll && m_vecShown.size() == size_t(nRows);
    if (!bKnown)
        m_vecShown.assign(size_t(nRows), 0);
    const bool bActive = IsActive();
    int nShown = 0;
    for (int r = 0; r < nRows; ++r) {
        const bool bShow = m_pPortFilter->Accepts(r) && (!bActive || Accepts(r));
        char& cShown = m_vecShown[size_t(r)];
        if (!bKnown || cShown != char(bShow))
            SetHidden(r, !bShow);
        cShown = char(bShow);
        nShown += bShow ? 1 : 0;
    }
    m_nShownRows = nShown;
    m_nPassRows = nRows;
    return nShown;
}

void CStatusFilter::Forget(bool bAllShown)
{
    m_vecShown.clear();
    if (bAllShown)
        m_nShownRows = m_nPassRows = m_pModel->rowCount();
}
