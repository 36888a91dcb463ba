#include "CColumnVisibility.h"

#include "CReceiverListHeader.h"
#include "CReceiverListView_p.h"

#include <QAction>
#include <QMenu>

namespace
{
constexpr int s_nKeys = ReceiverColumn::Count;
}

CColumnVisibility::CColumnVisibility(CReceiverListViewPrivate& dPrivate)
    : d(dPrivate)
{
    m_arrHiddenWidth.fill(-1);
}

int CColumnVisibility::DefaultWidth(int nKey, bool bPortHidden)
{
    static const int s_arrWidth[s_nKeys] = { 90, 90, 90, 130, 80, 160, 220, 120, 100, 100, 100, 100 };
    if (nKey < 0 || nKey >= s_nKeys)
        return -1;
    // Without the Port column the first column carries the check box and the
    // Filter button, and needs the room.
    if (nKey == ReceiverColumn::Position && bPortHidden)
        return 125;
    return s_arrWidth[nKey];
}

bool CColumnVisibility::IsChoosable(int nKey) const
{
    return nKey > d.nPortColumnHidden && nKey < s_nKeys;
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
        return d.bShowPort;
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
    const int H = d.nPortColumnHidden;
    for (int nKey = H; nKey < s_nKeys; ++nKey) {
        const int nColumn = nKey - H;
        const bool bHide = IsEffectivelyHidden(nKey);
        if (bHide == d.q->isColumnHidden(nColumn))
            continue;
        if (bHide) {
            m_arrHiddenWidth[size_t(nKey)] = d.q->columnWidth(nColumn);
            d.q->setColumnHidden(nColumn, true);
        } else {
            d.q->setColumnHidden(nColumn, false);
            if (m_arrHiddenWidth[size_t(nKey)] > 0)
                d.q->setColumnWidth(nColumn, m_arrHiddenWidth[size_t(nKey)]);
        }
    }
    d.pHeader->viewport()->update();
}

void CColumnVisibility::Reset()
{
    m_nHiddenKeys = 0;
    Apply();
    const int H = d.nPortColumnHidden;
    for (int nKey = H; nKey < s_nKeys; ++nKey)
        d.q->setColumnWidth(nKey - H, DefaultWidth(nKey, H != 0));
}

int CColumnVisibility::Width(int nKey) const
{
    const int H = d.nPortColumnHidden;
    if (nKey < H || nKey >= s_nKeys)
        return -1;
    if (d.q->isColumnHidden(nKey - H))
        return m_arrHiddenWidth[size_t(nKey)];
    return d.q->columnWidth(nKey - H);
}

void CColumnVisibility::SetWidth(int nKey, int nWidth)
{
    const int H = d.nPortColumnHidden;
    if (nKey < H || nKey >= s_nKeys || nWidth <= 0)
        return;
    if (d.q->isColumnHidden(nKey - H))
        m_arrHiddenWidth[size_t(nKey)] = nWidth;
    else
        d.q->setColumnWidth(nKey - H, nWidth);
}

void CColumnVisibility::ShowMenu(const QPoint& posGlobal)
{
    auto* pMenu = new QMenu(d.pHeader);
    pMenu->setObjectName(QStringLiteral("CMViewColumnMenu"));
    pMenu->setAttribute(Qt::WA_DeleteOnClose);
    const QStringList& listLabels = d.pHeader->GetLabels();
    const int H = d.nPortColumnHidden;
    // One entry per column but Port; the check box column is shown, fixed.
    for (int nKey = ReceiverColumn::Position; nKey < s_nKeys; ++nKey) {
        QAction* pAction = pMenu->addAction(listLabels.value(nKey - H));
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
