#pragma once

#include "CAccessibleLeaf.h"

#include <QAccessibleWidget>
#include <QCoreApplication>
#include <QPointer>

#include <array>

class CReceiverListHeader;

// The header's painted controls for assistive technology: the check box, the
// Filter and the Reset button are no widgets, so the header names them, gives
// their roles, states and places, and presses them the way a click does.
class CHeaderAccessible : public QAccessibleWidget
{
    Q_DECLARE_TR_FUNCTIONS(CHeaderAccessible)

public:
    enum EControl
    {
        CheckBox,
        Filter,
        Reset,
        ControlCount
    };

    explicit CHeaderAccessible(CReceiverListHeader* pHeader);
    ~CHeaderAccessible() override;

    // Installs, once, the factory that gives the header this interface and the
    // table, the main view and the port popup theirs.
    static void InstallFactory();

    int childCount() const override;
    QAccessibleInterface* child(int nIndex) const override;
    int indexOfChild(const QAccessibleInterface* pChild) const override;
    QAccessibleInterface* childAt(int x, int y) const override;
    QAccessibleInterface* parent() const override;
    QString text(QAccessible::Text t) const override;

private:
    std::array<QAccessible::Id, ControlCount> m_arrChild {};
};

// One painted control of the header.
class CHeaderControlAccessible : public CAccessibleLeaf, public QAccessibleActionInterface
{
public:
    CHeaderControlAccessible(CReceiverListHeader* pHeader, CHeaderAccessible::EControl eControl);

    bool isValid() const override;
    QAccessibleInterface* parent() const override;
    QString text(QAccessible::Text t) const override;
    QRect rect() const override;
    QAccessible::Role role() const override;
    QAccessible::State state() const override;
    void* interface_cast(QAccessible::InterfaceType eType) override;

    QStringList actionNames() const override;
    void doAction(const QString& strAction) override;
    QStringList keyBindingsForAction(const QString&) const override { return QStringList(); }

private:
    // The control's rectangle in the header's viewport.
    QRect LocalRect() const;

    QPointer<CReceiverListHeader> m_pHeader;
    CHeaderAccessible::EControl m_eControl;
};
