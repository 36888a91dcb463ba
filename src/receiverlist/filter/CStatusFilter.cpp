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
// which Qt's case folding may match to ASCII letters. One pass over the
// field; strLower is not empty.
int FindAsciiLower(const std::string& strField, const std::string& strLower)
{
    const size_t nField = strField.size();
    const size_t nText = strLower.size();
    const char cFirst = strLower[0];
    unsigned char cBits = 0;
    for (size_t i = 0; i < nField; ++i) {
        const char c = strField[i];
        cBits |= static_cast<unsigned char>(c);
        if (AsciiLower(c) != cFirst || nField - i < nText)
            continue;
        size_t j = 1;
        while (j < nText && AsciiLower(strField[i + j]) == strLower[j])
            ++j;
        if (j == nText)
            return 1;
    }
    return (cBits & 0x80) ? -1 : 0;
}

bool ContainsText(const std::string& strField, const std::string& strLower, bool bAscii, const QString& strText)
{
    const int nFound = bAscii ? FindAsciiLower(strField, strLower) : -1;
    if (nFound != -1)
        return nFound == 1;
    return ReceiverCellText::Utf8Text(strField).contains(strText, Qt::CaseInsensitive);
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
    m_memoType = SMemo();
    m_memoFirmware = SMemo();
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
    if (ContainsText(info.strSN, m_strAsciiLower, m_bAsciiText, m_strText))
        return true;
    // A wall has a handful of types and firmware versions, mostly in runs of
    // rows: the answer for the row before is mostly the answer.
    if (!m_memoType.bValid || m_memoType.strFirst != info.strType) {
        m_memoType.strFirst = info.strType;
        m_memoType.bMatch = ContainsText(info.strType, m_strAsciiLower, m_bAsciiText, m_strText);
        m_memoType.bValid = true;
    }
    if (m_memoType.bMatch)
        return true;
    if (!m_memoFirmware.bValid || m_memoFirmware.strFirst != info.strTypeName || m_memoFirmware.strSecond != info.strVersion) {
        m_memoFirmware.strFirst = info.strTypeName;
        m_memoFirmware.strSecond = info.strVersion;
        const std::string strFirmware = info.strTypeName + " V" + info.strVersion;
        m_memoFirmware.bMatch = ContainsText(strFirmware, m_strAsciiLower, m_bAsciiText, m_strText);
        m_memoFirmware.bValid = true;
    }
    return m_memoFirmware.bMatch;
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
