#pragma once

#include <QAccessibleWidget>

class CReceiverListView;

// The exported view's widget for assistive technology. Besides its own child
// widgets it lists the header's painted controls (the table lists only cells,
// so nothing else would reach them from the application) and, while shown,
// the port popup (a popup window, which the application lists nowhere).
class CMainViewAccessible : public QAccessibleWidget
{
public:
    explicit CMainViewAccessible(QWidget* pMainView);

    // The list view inside a main view widget, or null.
    static CReceiverListView* ListViewOf(const QWidget* pMainView);
    // The main view that holds a list view, or null.
    static QWidget* MainViewOf(const CReceiverListView* pView);

    int childCount() const override;
    QAccessibleInterface* child(int nIndex) const override;
    int indexOfChild(const QAccessibleInterface* pChild) const override;
    QAccessibleInterface* childAt(int x, int y) const override;

private:
    // The children this class adds in front of the widget's own, in order.
    QList<QAccessibleInterface*> AddedChildren() const;
};

// A popup placed under the main view in the tree instead of under the
// application, which lists no popup windows.
class CPopupAccessible : public QAccessibleWidget
{
public:
    explicit CPopupAccessible(QWidget* pPopup);

    QAccessibleInterface* parent() const override;
    QString text(QAccessible::Text t) const override;
};
