#pragma once

#include "CAccessibleLeaf.h"

#include <QAccessibleWidget>
#include <QHash>
#include <QPointer>

class CWallMapView;
class CWallMapViewPrivate;

// The wall map for assistive technology: a table whose rows are the ports
// and whose columns are the positions, each cell naming its card and state,
// so a screen reader can walk the wall as the operator sees it.
class CWallMapAccessible : public QAccessibleWidget, public QAccessibleTableInterface
{
public:
    explicit CWallMapAccessible(CWallMapView* pMap);
    ~CWallMapAccessible() override;

    // Makes QAccessible create this interface for every CWallMapView.
    static void InstallFactory();

    CWallMapView* Map() const;
    const CWallMapViewPrivate* Private() const;

    void* interface_cast(QAccessible::InterfaceType eType) override;
    int childCount() const override;
    QAccessibleInterface* child(int nIndex) const override;
    int indexOfChild(const QAccessibleInterface* pChild) const override;
    QAccessibleInterface* childAt(int x, int y) const override;

    QAccessibleInterface* cellAt(int nRow, int nColumn) const override;
    QAccessibleInterface* caption() const override { return nullptr; }
    QAccessibleInterface* summary() const override { return nullptr; }
    QString columnDescription(int nColumn) const override;
    QString rowDescription(int nRow) const override;
    int columnCount() const override;
    int rowCount() const override;
    int selectedCellCount() const override { return 0; }
    int selectedColumnCount() const override { return 0; }
    int selectedRowCount() const override { return 0; }
    QList<QAccessibleInterface*> selectedCells() const override { return {}; }
    QList<int> selectedColumns() const override { return {}; }
    QList<int> selectedRows() const override { return {}; }
    bool isColumnSelected(int) const override { return false; }
    bool isRowSelected(int) const override { return false; }
    bool selectRow(int) override { return false; }
    bool selectColumn(int) override { return false; }
    bool unselectRow(int) override { return false; }
    bool unselectColumn(int) override { return false; }
    void modelChange(QAccessibleTableModelChangeEvent*) override {}

private:
    // Drops the cells' interfaces when the map was laid out again.
    void CheckStamp() const;

    mutable QHash<int, QAccessible::Id> m_hashChild;
    mutable quint64 m_nStamp = 0;
};

// One cell of the map: the card at a port's position, or a gap.
class CWallMapCellAccessible : public CAccessibleLeaf, public QAccessibleTableCellInterface
{
public:
    CWallMapCellAccessible(CWallMapView* pMap, int nLine, int nColumn);

    bool isValid() const override;
    QAccessibleInterface* parent() const override;
    QString text(QAccessible::Text t) const override;
    QRect rect() const override;
    QAccessible::Role role() const override { return QAccessible::Cell; }
    QAccessible::State state() const override;
    void* interface_cast(QAccessible::InterfaceType eType) override;

    bool isSelected() const override { return false; }
    QList<QAccessibleInterface*> columnHeaderCells() const override { return {}; }
    QList<QAccessibleInterface*> rowHeaderCells() const override { return {}; }
    int columnIndex() const override { return m_nColumn; }
    int rowIndex() const override { return m_nLine; }
    int columnExtent() const override { return 1; }
    int rowExtent() const override { return 1; }
    QAccessibleInterface* table() const override { return parent(); }

private:
    // The card at the cell, -1 for a gap or a map no longer bound.
    int Row() const;

    QPointer<CWallMapView> m_pMap;
    int m_nLine;
    int m_nColumn;
};
