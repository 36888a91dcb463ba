#include "CMainViewAccessible.h"

#include "CPortSelectWidget.h"
#include "CReceiverListView.h"

#include <QCoreApplication>
#include <QHeaderView>

CMainViewAccessible::CMainViewAccessible(QWidget* pMainView)
    : QAccessibleWidget(pMainView)
{
}

CReceiverListView* CMainViewAccessible::ListViewOf(const QWidget* pMainView)
{
    return pMainView ? pMainView->findChild<CReceiverListView*>(QString(), Qt::FindDirectChildrenOnly) : nullptr;
}

QWidget* CMainViewAccessible::MainViewOf(const CReceiverListView* pView)
{
    QWidget* pParent = pView ? pView->parentWidget() : nullptr;
    return pParent && pParent->inherits("CCMMainView") ? pParent : nullptr;
}

QList<QAccessibleInterface*> CMainViewAccessible::AddedChildren() const
{
    QList<QAccessibleInterface*> listAdded;
    const CReceiverListView* pView = ListViewOf(widget());
    if (!pView)
        return listAdded;
    if (QAccessibleInterface* pHeader = QAccessible::queryAccessibleInterface(pView->header()))
        listAdded.append(pHeader);
    QWidget* pPopup = pView->GetPortSelectWidget();
    if (pPopup && pPopup->isVisible()) {
        if (QAccessibleInterface* pPopupIface = QAccessible::queryAccessibleInterface(pPopup))
            listAdded.append(pPopupIface);
    }
    return listAdded;
}

int CMainViewAccessible::childCount() const
{
    return AddedChildren().size() + QAccessibleWidget::childCount();
}

QAccessibleInterface* CMainViewAccessible::child(int nIndex) const
{
    const QList<QAccessibleInterface*> listAdded = AddedChildren();
    if (nIndex >= 0 && nIndex < listAdded.size())
        return listAdded.at(nIndex);
    return QAccessibleWidget::child(nIndex - listAdded.size());
}

int CMainViewAccessible::indexOfChild(const QAccessibleInterface* pChild) const
{
    const QList<QAccessibleInterface*> listAdded = AddedChildren();
    const int nAdded = listAdded.indexOf(const_cast<QAccessibleInterface*>(pChild));
    if (nAdded >= 0)
        return nAdded;
    const int nOwn = QAccessibleWidget::indexOfChild(pChild);
    return nOwn < 0 ? -1 : nOwn + listAdded.size();
}

QAccessibleInterface* CMainViewAccessible::childAt(int x, int y) const
{
    // The header's controls lie over the table's column headers; the popup over anything.
    for (QAccessibleInterface* pAdded : AddedChildren()) {
        if (pAdded->childAt(x, y))
            return pAdded;
    }
    return QAccessibleWidget::childAt(x, y);
}

CPopupAccessible::CPopupAccessible(QWidget* pPopup)
    : QAccessibleWidget(pPopup, QAccessible::PopupMenu)
{
}

QAccessibleInterface* CPopupAccessible::parent() const
{
    const auto* pView = qobject_cast<const CReceiverListView*>(widget()->parentWidget());
    if (QWidget* pMainView = CMainViewAccessible::MainViewOf(pView))
        return QAccessible::queryAccessibleInterface(pMainView);
    return QAccessibleWidget::parent();
}

QString CPopupAccessible::text(QAccessible::Text t) const
{
    if (t == QAccessible::Name && widget()->accessibleName().isEmpty())
        return QCoreApplication::translate("CReceiverListHeader", "Filter");
    return QAccessibleWidget::text(t);
}
