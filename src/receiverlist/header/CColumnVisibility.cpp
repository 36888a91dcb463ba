#include "CColumnVisibility.h"

#include "CColumnMap.h"
#include "CReceiverListHeader.h"
#include "CReceiverListView.h"

#include <QAction>
#include <QMenu>

namespace
{
constexpr int s_nKeys = ReceiverColumn::Count;
}

CColumnVisibility::CColumnVisibility(CReceiverListView* pView, CReceiverListHeader* pHeader, const CColumnMap* pColumns)
    : m_pView(pView)
    , m_pHeader(pHeader)
    , m_pColumns(pColumns)
{
    Q_ASSERT(pView && pHeader && pColumns);
    m_arrHiddenWidth.fill(-1);
}

int CColumnVisibility::DefaultWidth(int nKey, const CColumnMap& columns)
{
    static const int s_arrWidth[s_nKeys] = { 90, 90, 90, 130, 80, 160, 220, 120, 100, 100, 100, 100 };
    if (nKey < 0 || nKey >= s_nKeys)
        return -1;
    // Without the Port column the first column carries the check box and the
    // Filter button, and needs the room.
    if (nKey == columns.FirstKey() && nKey != ReceiverColumn::Port)
        return 125;
    return s_arrWidth[nKey];
}

void CColumnVisibility::SetDefaultWidths()
{
    for (int c = 0; c < m_pColumns->ColumnCount(); ++c)
        m_pView->setColumnWidth(c, DefaultWidth(m_pColumns->KeyOf(c), *m_pColumns));
}

bool CColumnVisibility::IsChoosable(int nKey) const
{
    // Every column but the first, which carries the check box.
    return m_pColumns->ColumnOf(nKey) > 0;
}

bool CColumnVisibility::IsEffectivelyHidden(int nKey) const
{
    return IsChoosable(nKey) && (m_nHiddenKeys & (1u << nKey));
}

bool CColumnVisibility::IsVisible(int nKey) const
{
    if (nKey < 0 || nKey >= s_nKeys)
        return false;
    if (nKey == ReceiverColumn::Port)
        return m_pColumns->IsPortShown();
    return !IsEffectivelyHidden(nKey);
}

bool CColumnVisibility::SetVisible(int nKey, bool bVisible)
{
    if (!IsChoosable(nKey))
        return false;
    if (bVisible)
        m_nHiddenKeys &= ~(1u << nKey);
    else
        m_nHiddenKeys |= 1u << nKey;
    Apply();
    return true;
}

void CColumnVisibility::SetHiddenKeys(uint32_t nHiddenKeys)
{
    // The Port column is never the operator's to hide.
    m_nHiddenKeys = nHiddenKeys & ((1u << s_nKeys) - 1) & ~1u;
    Apply();
}

void CColumnVisibility::Apply()
{
    for (int nColumn = 0; nColumn < m_pColumns->ColumnCount(); ++nColumn) {
        const int nKey = m_pColumns->KeyOf(nColumn);
        const bool bHide = IsEffectivelyHidden(nKey);
        if (bHide == m_pView->isColumnHidden(nColumn))
            continue;
        if (bHide) {
            m_arrHiddenWidth[size_t(nKey)] = m_pView->columnWidth(nColumn);
            m_pView->setColumnHidden(nColumn, true);
        } else {
            m_pView->setColumnHidden(nColumn, false);
            if (m_arrHiddenWidth[size_t(nKey)] > 0)
                m_pView->setColumnWidth(nColumn, m_arrHiddenWidth[size_t(nKey)]);
        }
    }
    m_pHeader->viewport()->update();
}

void CColumnVisibility::Reset()
{
    m_nHiddenKeys = 0;
    Apply();
    SetDefaultWidths();
}

int CColumnVisibility::Width(int nKey) const
{
    const int nColumn = m_pColumns->ColumnOf(nKey);
    if (nColumn == -1)
        return -1;
    if (m_pView->isColumnHidden(nColumn))
        return m_arrHiddenWidth[size_t(nKey)];
    return m_pView->columnWidth(nColumn);
}

void CColumnVisibility::SetWidth(int nKey, int nWidth)
{
    const int nColumn = m_pColumns->ColumnOf(nKey);
    if (nColumn == -1 || nWidth <= 0)
        return;
    if (m_pView->isColumnHidden(nColumn))
        m_arrHiddenWidth[size_t(nKey)] = nWidth;
    else
        m_pView->setColumnWidth(nColumn, nWidth);
}

void CColumnVisibility::ShowMenu(const QPoint& posGlobal)
{
    auto* pMenu = new QMenu(m_pHeader);
    pMenu->setObjectName(QStringLiteral("CMViewColumnMenu"));
    pMenu->setAttribute(Qt::WA_DeleteOnClose);
    // One entry per column but Port; the check box column is shown, fixed.
    for (int nKey = ReceiverColumn::Position; nKey < s_nKeys; ++nKey) {
        QAction* pAction = pMenu->addAction(CReceiverListHeader::Label(nKey));
        pAction->setCheckable(true);
        pAction->setChecked(IsVisible(nKey));
        pAction->setEnabled(IsChoosable(nKey));
        pAction->setData(nKey);
        QObject::connect(pAction, &QAction::toggled, pMenu, [this, nKey](bool bChecked) { SetVisible(nKey, bChecked); });
    }
    pMenu->addSeparator();
    QAction* pReset = pMenu->addAction(tr("Reset columns"));
    pReset->setObjectName(QStringLiteral("CMViewResetColumns"));
    QObject::connect(pReset, &QAction::triggered, pMenu, [this]() { Reset(); });
    pMenu->popup(posGlobal);
}
