#pragma once

#include <QAccessibleInterface>

// An element assistive technology sees inside a widget that has no object of
// its own and no children (a painted control, a cell): what every such leaf
// answers alike, so each says only what it is.
class CAccessibleLeaf : public QAccessibleInterface
{
public:
    QObject* object() const override { return nullptr; }
    // The window of the widget the leaf is painted in.
    QWindow* window() const override
    {
        QAccessibleInterface* pParent = parent();
        return pParent ? pParent->window() : nullptr;
    }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    void setText(QAccessible::Text, const QString&) override {}
};
