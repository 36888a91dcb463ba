#include "CStatusFilter.h"

#include "CPortFilter.h"
#include "CReceiverListView.h"
#include "CReceiverTableModel.h"
#include "ReceiverCellText.h"

#include <QSortFilterProxyModel>

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
        m_strAsciiLower.push_back(CSearchKeys::AsciiLower(char(ch.unicode())));
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
    if (!m_pModel->HasOverrides(nRow)) {
        const int nFound = m_keys.Matches(nRow);
        if (nFound != -1)
            return nFound == 1;
        return CSearchKeys::ContainsText(m_pModel->Record(nRow).strSN, m_strAsciiLower, m_bAsciiText, m_strText);
    }
    // A host wrote into the row: the cells as shown decide, as a find reads them.
    for (const int nKey : { ReceiverColumn::SerialNumber, ReceiverColumn::Type, ReceiverColumn::Firmware }) {
        const QModelIndex index = m_pModel->index(nRow, m_pModel->Columns().ColumnOf(nKey));
        if (index.data(Qt::DisplayRole).toString().contains(m_strText, Qt::CaseInsensitive))
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

bool CStatusFilter::IsNarrowing(bool bKnown) const
{
    // A row that holds the longer text holds the shorter one inside it.
    return bKnown && !m_strPassText.isEmpty() && m_strText.contains(m_strPassText, Qt::CaseSensitive)
        && m_nState == m_nPassState && m_pPortFilter->Port() == m_nPassPort
        && m_pModel->Generation() == m_nPassGeneration;
}

int CStatusFilter::Apply(bool bAll)
{
    const int nRows = m_pModel->rowCount();
    const bool bKnown = !bAll && m_vecShown.size() == size_t(nRows);
    const bool bNarrowing = IsNarrowing(bKnown);
    if (!bKnown)
        m_vecShown.assign(size_t(nRows), 0);
    const bool bActive = IsActive();
    if (!m_strText.isEmpty()) {
        m_keys.Update(m_pModel);
        m_keys.Match(m_strAsciiLower, m_bAsciiText, m_strText);
    }
    int nShown = 0;
    for (int r = 0; r < nRows; ++r) {
        char& cShown = m_vecShown[size_t(r)];
        // Narrowed, a hidden row stays hidden.
        if (bNarrowing && !cShown)
            continue;
        const bool bShow = m_pPortFilter->Accepts(r) && (!bActive || Accepts(r));
        if (!bKnown || cShown != char(bShow))
            SetHidden(r, !bShow);
        cShown = char(bShow);
        nShown += bShow ? 1 : 0;
    }
    m_nShownRows = nShown;
    m_nPassRows = nRows;
    m_strPassText = m_strText;
    m_nPassState = m_nState;
    m_nPassPort = m_pPortFilter->Port();
    m_nPassGeneration = m_pModel->Generation();
    return nShown;
}

void CStatusFilter::Forget(bool bAllShown)
{
    m_vecShown.clear();
    if (bAllShown)
        m_nShownRows = m_nPassRows = m_pModel->rowCount();
}
