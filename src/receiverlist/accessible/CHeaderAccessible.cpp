#include "CHeaderAccessible.h"

#include "CMainViewAccessible.h"
#include "CReceiverListHeader.h"
#include "CReceiverListView.h"
#include "CTableAccessible.h"
#include "TavrelCMControl.h"

#include <QMouseEvent>

namespace
{
// The view's widgets as assistive technology sees them, by class name.
QAccessibleInterface* HeaderFactory(const QString& strClass, QObject* pObject)
{
    if (!pObject || !pObject->isWidgetType())
        return nullptr;
    auto* pWidget = static_cast<QWidget*>(pObject);
    if (strClass == QLatin1String("CReceiverListHeader"))
        return new CHeaderAccessible(static_cast<CReceiverListHeader*>(pObject));
    if (strClass == QLatin1String("CReceiverListView"))
        return new CTableAccessible(static_cast<CReceiverListView*>(pObject));
    if (strClass == QLatin1String("CCMMainView"))
        return new CMainViewAccessible(pWidget);
    if (strClass == QLatin1String("CPortSelectWidget"))
        return new CPopupAccessible(pWidget);
    return nullptr;
}

// Filter and Reset look disabled while the host is busy or operating, too.
bool IsHostBusy()
{
    return g_pRuntimeControl && (g_pRuntimeControl->IsOperating() || g_pRuntimeControl->IsBusy());
}
}

void CHeaderAccessible::InstallFactory()
{
    static const bool s_bInstalled = []() {
        QAccessible::installFactory(HeaderFactory);
        return true;
    }();
    Q_UNUSED(s_bInstalled)
}

CHeaderAccessible::CHeaderAccessible(CReceiverListHeader* pHeader)
    : QAccessibleWidget(pHeader, QAccessible::ToolBar)
{
    // The cache owns the controls' interfaces; they go with this one.
    for (int i = 0; i < ControlCount; ++i)
        m_arrChild[size_t(i)] = QAccessible::registerAccessibleInterface(new CHeaderControlAccessible(pHeader, EControl(i)));
}

CHeaderAccessible::~CHeaderAccessible()
{
    for (const QAccessible::Id id : m_arrChild)
        QAccessible::deleteAccessibleInterface(id);
}

int CHeaderAccessible::childCount() const
{
    return ControlCount;
}

QAccessibleInterface* CHeaderAccessible::child(int nIndex) const
{
    return nIndex >= 0 && nIndex < ControlCount ? QAccessible::accessibleInterface(m_arrChild[size_t(nIndex)]) : nullptr;
}

int CHeaderAccessible::indexOfChild(const QAccessibleInterface* pChild) const
{
    for (int i = 0; i < ControlCount; ++i) {
        if (QAccessible::accessibleInterface(m_arrChild[size_t(i)]) == pChild)
            return i;
    }
    return -1;
}

QAccessibleInterface* CHeaderAccessible::childAt(int x, int y) const
{
    for (int i = 0; i < ControlCount; ++i) {
        QAccessibleInterface* pChild = child(i);
        if (pChild && !pChild->state().invisible && pChild->rect().contains(x, y))
            return pChild;
    }
    return nullptr;
}

QAccessibleInterface* CHeaderAccessible::parent() const
{
    // Listed by the main view, beside the table, which lists only cells.
    const auto* pView = qobject_cast<const CReceiverListView*>(widget()->parentWidget());
    if (QWidget* pMainView = CMainViewAccessible::MainViewOf(pView))
        return QAccessible::queryAccessibleInterface(pMainView);
    return QAccessibleWidget::parent();
}

QString CHeaderAccessible::text(QAccessible::Text t) const
{
    if (t == QAccessible::Name)
        return tr("Receiver table header");
    return QAccessibleWidget::text(t);
}

CHeaderControlAccessible::CHeaderControlAccessible(CReceiverListHeader* pHeader, CHeaderAccessible::EControl eControl)
    : m_pHeader(pHeader)
    , m_eControl(eControl)
{
}

bool CHeaderControlAccessible::isValid() const
{
    return !m_pHeader.isNull();
}

QAccessibleInterface* CHeaderControlAccessible::parent() const
{
    return m_pHeader ? QAccessible::queryAccessibleInterface(m_pHeader.data()) : nullptr;
}

QString CHeaderControlAccessible::text(QAccessible::Text t) const
{
    if (t != QAccessible::Name)
        return QString();
    switch (m_eControl) {
    case CHeaderAccessible::CheckBox:
        return CHeaderAccessible::tr("Check all receivers");
    case CHeaderAccessible::Filter:
        return CReceiverListHeader::tr("Filter");
    default:
        return CReceiverListHeader::tr("Reset");
    }
}

QRect CHeaderControlAccessible::LocalRect() const
{
    if (!m_pHeader)
        return QRect();
    switch (m_eControl) {
    case CHeaderAccessible::CheckBox:
        return m_pHeader->GetCheckRect();
    case CHeaderAccessible::Filter:
        return m_pHeader->IsPortShown() ? m_pHeader->GetFilterRect() : QRect();
    default:
        return m_pHeader->GetResetRect();
    }
}

QRect CHeaderControlAccessible::rect() const
{
    const QRect rectLocal = LocalRect();
    if (!m_pHeader || rectLocal.isNull())
        return QRect();
    return QRect(m_pHeader->viewport()->mapToGlobal(rectLocal.topLeft()), rectLocal.size());
}

QAccessible::Role CHeaderControlAccessible::role() const
{
    return m_eControl == CHeaderAccessible::CheckBox ? QAccessible::CheckBox : QAccessible::Button;
}

QAccessible::State CHeaderControlAccessible::state() const
{
    QAccessible::State state;
    if (!m_pHeader)
        return state;
    state.invisible = LocalRect().isNull() || !m_pHeader->isVisible();
    const bool bEnabled = m_pHeader->IsButtonsEnabled();
    switch (m_eControl) {
    case CHeaderAccessible::CheckBox:
        state.checkable = true;
        state.checked = m_pHeader->GetCheckBoxState() == Qt::Checked;
        state.checkStateMixed = m_pHeader->GetCheckBoxState() == Qt::PartiallyChecked;
        state.disabled = !bEnabled || !m_pHeader->HasRows();
        break;
    case CHeaderAccessible::Filter:
        state.disabled = !bEnabled || !m_pHeader->IsFilterEnabled() || IsHostBusy();
        state.pressed = m_pHeader->IsFilterDown();
        state.hasPopup = true;
        break;
    default:
        state.disabled = !bEnabled;
        break;
    }
    return state;
}

void* CHeaderControlAccessible::interface_cast(QAccessible::InterfaceType eType)
{
    return eType == QAccessible::ActionInterface ? static_cast<QAccessibleActionInterface*>(this) : nullptr;
}

QStringList CHeaderControlAccessible::actionNames() const
{
    if (state().disabled || state().invisible)
        return QStringList();
    return QStringList(m_eControl == CHeaderAccessible::CheckBox ? toggleAction() : pressAction());
}

void CHeaderControlAccessible::doAction(const QString& strAction)
{
    if (!actionNames().contains(strAction))
        return;
    // The same press a pointer gives, so every rule of the header applies.
    const QPointF pos = LocalRect().center();
    const QPointF posGlobal = m_pHeader->viewport()->mapToGlobal(LocalRect().center());
    QMouseEvent press(QEvent::MouseButtonPress, pos, posGlobal, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(m_pHeader->viewport(), &press);
    QMouseEvent release(QEvent::MouseButtonRelease, pos, posGlobal, Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(m_pHeader->viewport(), &release);
}
