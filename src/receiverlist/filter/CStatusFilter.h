#pragma once

#include "CSearchKeys.h"

#include <QString>

#include <cstdint>
#include <string>
#include <vector>

class QSortFilterProxyModel;
class CPortFilter;
class CReceiverListView;
class CReceiverTableModel;

// The status filter (cards in a state) and the text filter (cards whose S/N,
// type or firmware contain a text), and the pass that hides every row that
// one of them or the port filter does not accept.
class CStatusFilter
{
public:
    CStatusFilter(CReceiverListView* pView, const CReceiverTableModel* pModel, const QSortFilterProxyModel* pProxy,
                  const CPortFilter* pPortFilter);

    // Each returns whether the filter changed; EHealthState bits, 0 for none.
    bool SetState(uint32_t nState);
    uint32_t State() const { return m_nState; }
    bool SetText(const QString& strText);
    const QString& Text() const { return m_strText; }
    bool IsActive() const { return m_nState != 0 || !m_strText.isEmpty(); }
    // Whether the last pass hid rows.
    bool HasHidden() const { return m_nShownRows != m_nPassRows; }

    // Hides the rows one of the three filters does not accept and shows the
    // others; returns the rows shown. With bAll every row is handed to the
    // tree view, as the port filter always did; without, only the rows whose
    // shown state changed since the last pass, when that pass is still known.
    int Apply(bool bAll);
    // The rows moved (bAllShown false) or were replaced, all shown again by
    // the tree view (true): the next pass goes over all of them.
    void Forget(bool bAllShown);
    int ShownRowCount() const { return m_nShownRows; }
    // The rows the last pass went over; the model's rows when that pass
    // still holds.
    int PassRowCount() const { return m_nPassRows; }

private:
    // Within a pass: the search keys are matched with the text by then.
    bool Accepts(int nRow) const;
    bool MatchesText(int nRow) const;
    void SetHidden(int nRow, bool bHidden);
    // Whether only the rows the last pass showed need a look: the text grew
    // and nothing else the pass decided by changed since.
    bool IsNarrowing(bool bKnown) const;

    CReceiverListView* const m_pView;
    const CReceiverTableModel* const m_pModel;
    const QSortFilterProxyModel* const m_pProxy;
    const CPortFilter* const m_pPortFilter;
    uint32_t m_nState = 0;
    QString m_strText;
    // The text lower-cased, when it is ASCII: records are then matched on
    // their UTF-8 bytes with no string made per row.
    std::string m_strAsciiLower;
    bool m_bAsciiText = false;
    // Each model row's shown state after the last pass; empty when not known.
    std::vector<char> m_vecShown;
    int m_nShownRows = 0;
    int m_nPassRows = 0;
    CSearchKeys m_keys;
    // What the last pass decided by, as far as the model's rows do not say.
    QString m_strPassText;
    uint32_t m_nPassState = 0;
    int m_nPassPort = -1;
    quint64 m_nPassGeneration = 0;
};
