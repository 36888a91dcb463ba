#pragma once

#include "CAccessibleLeaf.h"

#include <QAccessibleWidget>
#include <QHash>
#include <QPersistentModelIndex>
#include <QPointer>

#include <vector>

class QTreeView;
class CReceiverListView;

// The receiver table for assistive technology, in place of Qt's own tree
// interface, which names the column headers by the model's numbers and gives
// an unchecked row (whose box shows only under the pointer) no checkable state.
// Children follow Qt's numbering, so the view's own focus and selection events
// name the same children: one header cell per column, then the shown rows'
// cells, row by row.
class CTableAccessible : public QAccessibleWidget, public QAccessibleTableInterface
{
public:
    explicit CTableAccessible(CReceiverListView* pView);
    ~CTableAccessible() override;

    QTreeView* View() const;
    // The shown row of a proxy row, -1 when hidden; and back.
    int VisualRow(int nProxyRow) const;
    QModelIndex IndexAt(int nVisualRow, int nColumn) const;
    int HeaderRows() const;

    void* interface_cast(QAccessible::InterfaceType eType) override;
    int childCount() const override;
    QAccessibleInterface* child(int nIndex) const override;
    int indexOfChild(const QAccessibleInterface* pChild) const override;
    QAccessibleInterface* childAt(int x, int y) const override;

    QAccessibleInterface* cellAt(int nRow, int nColumn) const override;
    QAccessibleInterface* caption() const override { return nullptr; }
    QAccessibleInterface* summary() const override { return nullptr; }
    QString columnDescription(int nColumn) const override;
    QString rowDescription(int) const override { return QString(); }
    int columnCount() const override;
    int rowCount() const override;
    int selectedCellCount() const override;
    int selectedColumnCount() const override { return 0; }
    int selectedRowCount() const override;
    QList<QAccessibleInterface*> selectedCells() const override;
    QList<int> selectedColumns() const override { return QList<int>(); }
    QList<int> selectedRows() const override;
    bool isColumnSelected(int) const override { return false; }
    bool isRowSelected(int nRow) const override;
    bool selectRow(int nRow) override;
    bool selectColumn(int) override { return false; }
    bool unselectRow(int nRow) override;
    bool unselectColumn(int) override { return false; }
    void modelChange(QAccessibleTableModelChangeEvent* pEvent) override;

private:
    // The rows as shown: hidden rows (the port filter) are left out.
    void UpdateRows() const;
    void ClearChildren();

    mutable QHash<int, QAccessible::Id> m_hashChild;
    mutable std::vector<int> m_vecShown;
    mutable std::vector<int> m_vecVisual;
    // What the row lists were made from; a port filter changes the last two.
    mutable qint64 m_nStamp = -1;
};

// One column header, named by the label the header paints.
class CColumnHeaderAccessible : public CAccessibleLeaf
{
public:
    CColumnHeaderAccessible(QTreeView* pView, int nColumn);

    bool isValid() const override;
    QAccessibleInterface* parent() const override;
    QString text(QAccessible::Text t) const override;
    QRect rect() const override;
    QAccessible::Role role() const override { return QAccessible::ColumnHeader; }
    QAccessible::State state() const override;
    int Column() const { return m_nColumn; }

private:
    QPointer<QTreeView> m_pView;
    int m_nColumn;
};

// One cell. The first cell of a row carries the row's check state, drawn or not.
class CTableCellAccessible : public CAccessibleLeaf, public QAccessibleTableCellInterface,
                             public QAccessibleActionInterface
{
public:
    CTableCellAccessible(QTreeView* pView, const QModelIndex& index);

    bool isValid() const override;
    QAccessibleInterface* parent() const override;
    QString text(QAccessible::Text t) const override;
    QRect rect() const override;
    QAccessible::Role role() const override { return QAccessible::TreeItem; }
    QAccessible::State state() const override;
    void* interface_cast(QAccessible::InterfaceType eType) override;

    bool isSelected() const override;
    QList<QAccessibleInterface*> columnHeaderCells() const override;
    QList<QAccessibleInterface*> rowHeaderCells() const override { return QList<QAccessibleInterface*>(); }
    int columnIndex() const override { return m_index.column(); }
    int rowIndex() const override;
    int columnExtent() const override { return 1; }
    int rowExtent() const override { return 1; }
    QAccessibleInterface* table() const override { return parent(); }

    QStringList actionNames() const override;
    void doAction(const QString& strAction) override;
    QStringList keyBindingsForAction(const QString&) const override { return QStringList(); }

    QModelIndex Index() const { return m_index; }

private:
    CTableAccessible* Table() const;

    QPointer<QTreeView> m_pView;
    QPersistentModelIndex m_index;
};
