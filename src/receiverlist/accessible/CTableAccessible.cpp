#include "CTableAccessible.h"

#include "CReceiverListHeader.h"
#include "CReceiverListView.h"
#include "RowBoxAccessible.h"

#include <QHeaderView>
#include <QItemSelectionModel>
#include <QTreeView>

#include <utility>

namespace
{
QRect GlobalRect(const QWidget* pWidget, const QRect& rectLocal)
{
    return rectLocal.isEmpty() ? QRect() : QRect(pWidget->mapToGlobal(rectLocal.topLeft()), rectLocal.size());
}
}

CTableAccessible::CTableAccessible(CReceiverListView* pView)
    : QAccessibleWidget(pView, QAccessible::Tree)
{
}

CTableAccessible::~CTableAccessible()
{
    ClearChildren();
}

QTreeView* CTableAccessible::View() const
{
    return qobject_cast<QTreeView*>(object());
}

void CTableAccessible::ClearChildren()
{
    for (const QAccessible::Id id : std::as_const(m_hashChild))
        QAccessible::deleteAccessibleInterface(id);
    m_hashChild.clear();
}

void CTableAccessible::UpdateRows() const
{
    const auto* pView = qobject_cast<const CReceiverListView*>(object());
    const QAbstractItemModel* pModel = pView ? pView->model() : nullptr;
    const int nRows = pModel ? pModel->rowCount(pView->rootIndex()) : 0;
    // Rows are hidden only by the port filter; model changes arrive as events.
    const qint64 nStamp = (qint64(nRows) << 40) ^ (qint64(pView ? pView->GetFilterPort() + 1 : 0) << 20)
        ^ qint64(pView ? pView->GetFilterRowCount() : 0);
    if (nStamp == m_nStamp)
        return;
    m_nStamp = nStamp;
    m_vecShown.clear();
    m_vecVisual.assign(size_t(nRows), -1);
    for (int r = 0; r < nRows; ++r) {
        if (pView->isRowHidden(r, pView->rootIndex()))
            continue;
        m_vecVisual[size_t(r)] = int(m_vecShown.size());
        m_vecShown.push_back(r);
    }
}

int CTableAccessible::VisualRow(int nProxyRow) const
{
    UpdateRows();
    return nProxyRow >= 0 && size_t(nProxyRow) < m_vecVisual.size() ? m_vecVisual[size_t(nProxyRow)] : -1;
}

QModelIndex CTableAccessible::IndexAt(int nVisualRow, int nColumn) const
{
    UpdateRows();
    const QTreeView* pView = View();
    if (!pView || !pView->model() || nVisualRow < 0 || size_t(nVisualRow) >= m_vecShown.size())
        return QModelIndex();
    return pView->model()->index(m_vecShown[size_t(nVisualRow)], nColumn, pView->rootIndex());
}

int CTableAccessible::HeaderRows() const
{
    const QTreeView* pView = View();
    return pView && pView->header() && !pView->header()->isHidden() ? 1 : 0;
}

void* CTableAccessible::interface_cast(QAccessible::InterfaceType eType)
{
    if (eType == QAccessible::TableInterface)
        return static_cast<QAccessibleTableInterface*>(this);
    return QAccessibleWidget::interface_cast(eType);
}

int CTableAccessible::columnCount() const
{
    const QTreeView* pView = View();
    return pView && pView->model() ? pView->model()->columnCount(pView->rootIndex()) : 0;
}

int CTableAccessible::rowCount() const
{
    UpdateRows();
    return int(m_vecShown.size());
}

int CTableAccessible::childCount() const
{
    return (rowCount() + HeaderRows()) * columnCount();
}

QAccessibleInterface* CTableAccessible::child(int nIndex) const
{
    const int nColumns = columnCount();
    if (nIndex < 0 || nIndex >= childCount())
        return nullptr;
    const bool bHeader = nIndex < nColumns * HeaderRows();
    const QModelIndex index = bHeader ? QModelIndex() : IndexAt(nIndex / nColumns - HeaderRows(), nIndex % nColumns);
    if (!bHeader && !index.isValid())
        return nullptr;
    const auto it = m_hashChild.constFind(nIndex);
    if (it != m_hashChild.cend()) {
        QAccessibleInterface* pCached = QAccessible::accessibleInterface(it.value());
        const auto* pCell = dynamic_cast<const CTableCellAccessible*>(pCached);
        if (pCached && (bHeader || (pCell && pCell->Index() == index)))
            return pCached;
        // The port filter moved another row to this place.
        if (pCached)
            QAccessible::deleteAccessibleInterface(it.value());
    }
    QAccessibleInterface* pChild = nullptr;
    if (bHeader)
        pChild = new CColumnHeaderAccessible(View(), nIndex);
    else
        pChild = new CTableCellAccessible(View(), index);
    m_hashChild.insert(nIndex, QAccessible::registerAccessibleInterface(pChild));
    return pChild;
}

int CTableAccessible::indexOfChild(const QAccessibleInterface* pChild) const
{
    if (const auto* pHeader = dynamic_cast<const CColumnHeaderAccessible*>(pChild))
        return HeaderRows() && pHeader->parent() == this ? pHeader->Column() : -1;
    const auto* pCell = dynamic_cast<const CTableCellAccessible*>(pChild);
    if (!pCell || !pCell->isValid() || pCell->parent() != this)
        return -1;
    const int nRow = VisualRow(pCell->Index().row());
    return nRow < 0 ? -1 : (nRow + HeaderRows()) * columnCount() + pCell->Index().column();
}

QAccessibleInterface* CTableAccessible::childAt(int x, int y) const
{
    const QTreeView* pView = View();
    if (!pView)
        return nullptr;
    const QHeaderView* pHeader = pView->header();
    if (HeaderRows()) {
        const QPoint posHeader = pHeader->viewport()->mapFromGlobal(QPoint(x, y));
        if (pHeader->viewport()->rect().contains(posHeader)) {
            const int nColumn = pHeader->logicalIndexAt(posHeader.x());
            return nColumn >= 0 ? child(nColumn) : nullptr;
        }
    }
    const QModelIndex index = pView->indexAt(pView->viewport()->mapFromGlobal(QPoint(x, y)));
    const int nRow = index.isValid() ? VisualRow(index.row()) : -1;
    return nRow < 0 ? nullptr : cellAt(nRow, index.column());
}

QAccessibleInterface* CTableAccessible::cellAt(int nRow, int nColumn) const
{
    if (nRow < 0 || nRow >= rowCount() || nColumn < 0 || nColumn >= columnCount())
        return nullptr;
    return child((nRow + HeaderRows()) * columnCount() + nColumn);
}

QString CTableAccessible::columnDescription(int nColumn) const
{
    CColumnHeaderAccessible header(View(), nColumn);
    return header.text(QAccessible::Name);
}

int CTableAccessible::selectedCellCount() const
{
    const QTreeView* pView = View();
    return pView && pView->selectionModel() ? pView->selectionModel()->selectedIndexes().size() : 0;
}

QList<QAccessibleInterface*> CTableAccessible::selectedCells() const
{
    QList<QAccessibleInterface*> listCells;
    const QTreeView* pView = View();
    if (!pView || !pView->selectionModel())
        return listCells;
    for (const QModelIndex& index : pView->selectionModel()->selectedIndexes()) {
        if (QAccessibleInterface* pCell = cellAt(VisualRow(index.row()), index.column()))
            listCells.append(pCell);
    }
    return listCells;
}

int CTableAccessible::selectedRowCount() const
{
    return selectedRows().size();
}

QList<int> CTableAccessible::selectedRows() const
{
    QList<int> listRows;
    const QTreeView* pView = View();
    if (!pView || !pView->selectionModel())
        return listRows;
    for (const QModelIndex& index : pView->selectionModel()->selectedRows()) {
        const int nRow = VisualRow(index.row());
        if (nRow >= 0)
            listRows.append(nRow);
    }
    return listRows;
}

bool CTableAccessible::isRowSelected(int nRow) const
{
    const QTreeView* pView = View();
    const QModelIndex index = IndexAt(nRow, 0);
    return index.isValid() && pView->selectionModel() && pView->selectionModel()->isRowSelected(index.row(), index.parent());
}

bool CTableAccessible::selectRow(int nRow)
{
    QTreeView* pView = View();
    const QModelIndex index = IndexAt(nRow, 0);
    if (!index.isValid() || !pView->selectionModel() || pView->selectionMode() == QAbstractItemView::NoSelection)
        return false;
    const auto eFlags = pView->selectionMode() == QAbstractItemView::SingleSelection ? QItemSelectionModel::ClearAndSelect
                                                                                     : QItemSelectionModel::Select;
    pView->selectionModel()->select(index, eFlags | QItemSelectionModel::Rows);
    return true;
}

bool CTableAccessible::unselectRow(int nRow)
{
    QTreeView* pView = View();
    const QModelIndex index = IndexAt(nRow, 0);
    if (!index.isValid() || !pView->selectionModel() || pView->selectionMode() == QAbstractItemView::NoSelection)
        return false;
    pView->selectionModel()->select(index, QItemSelectionModel::Deselect | QItemSelectionModel::Rows);
    return true;
}

void CTableAccessible::modelChange(QAccessibleTableModelChangeEvent* pEvent)
{
    // Changed values keep every cell; anything else may move rows.
    if (pEvent->modelChangeType() == QAccessibleTableModelChangeEvent::DataChanged)
        return;
    ClearChildren();
    m_nStamp = -1;
}

// ---- column headers

CColumnHeaderAccessible::CColumnHeaderAccessible(QTreeView* pView, int nColumn)
    : m_pView(pView)
    , m_nColumn(nColumn)
{
}

bool CColumnHeaderAccessible::isValid() const
{
    return m_pView && m_pView->model() && m_nColumn < m_pView->model()->columnCount(m_pView->rootIndex());
}

QAccessibleInterface* CColumnHeaderAccessible::parent() const
{
    return m_pView ? QAccessible::queryAccessibleInterface(m_pView.data()) : nullptr;
}

QString CColumnHeaderAccessible::text(QAccessible::Text t) const
{
    if (!isValid())
        return QString();
    const QAbstractItemModel* pModel = m_pView->model();
    if (t == QAccessible::Description)
        return pModel->headerData(m_nColumn, Qt::Horizontal, Qt::AccessibleDescriptionRole).toString();
    if (t != QAccessible::Name)
        return QString();
    // The header paints its own labels; the model only numbers its columns.
    if (const auto* pHeader = qobject_cast<const CReceiverListHeader*>(m_pView->header())) {
        if (m_nColumn < pHeader->GetLabels().size())
            return pHeader->GetLabels().at(m_nColumn);
    }
    const QString strName = pModel->headerData(m_nColumn, Qt::Horizontal, Qt::AccessibleTextRole).toString();
    return strName.isEmpty() ? pModel->headerData(m_nColumn, Qt::Horizontal, Qt::DisplayRole).toString() : strName;
}

QRect CColumnHeaderAccessible::rect() const
{
    if (!isValid())
        return QRect();
    const QHeaderView* pHeader = m_pView->header();
    const QRect rectLocal(pHeader->sectionViewportPosition(m_nColumn), 0, pHeader->sectionSize(m_nColumn), pHeader->height());
    return GlobalRect(pHeader->viewport(), rectLocal);
}

QAccessible::State CColumnHeaderAccessible::state() const
{
    QAccessible::State state;
    if (!isValid())
        return state;
    const QHeaderView* pHeader = m_pView->header();
    state.invisible = !pHeader->isVisible() || pHeader->isSectionHidden(m_nColumn);
    state.disabled = !pHeader->isEnabled();
    return state;
}

// ---- cells

CTableCellAccessible::CTableCellAccessible(QTreeView* pView, const QModelIndex& index)
    : m_pView(pView)
    , m_index(index)
{
}

bool CTableCellAccessible::isValid() const
{
    return m_pView && m_index.isValid() && m_index.model() == m_pView->model();
}

QAccessibleInterface* CTableCellAccessible::parent() const
{
    return m_pView ? QAccessible::queryAccessibleInterface(m_pView.data()) : nullptr;
}

CTableAccessible* CTableCellAccessible::Table() const
{
    return dynamic_cast<CTableAccessible*>(parent());
}

QString CTableCellAccessible::text(QAccessible::Text t) const
{
    if (!isValid())
        return QString();
    if (t == QAccessible::Description)
        return m_index.data(Qt::AccessibleDescriptionRole).toString();
    if (t != QAccessible::Name)
        return QString();
    const QString strName = m_index.data(Qt::AccessibleTextRole).toString();
    return strName.isEmpty() ? m_index.data(Qt::DisplayRole).toString() : strName;
}

QRect CTableCellAccessible::rect() const
{
    return isValid() ? GlobalRect(m_pView->viewport(), m_pView->visualRect(m_index)) : QRect();
}

QAccessible::State CTableCellAccessible::state() const
{
    QAccessible::State state;
    if (!isValid())
        return state;
    const QRect rectView(m_pView->mapToGlobal(QPoint(0, 0)), m_pView->size());
    state.invisible = !rectView.intersects(rect());
    const QItemSelectionModel* pSelection = m_pView->selectionModel();
    state.selected = pSelection && pSelection->isSelected(m_index);
    state.focused = pSelection && pSelection->currentIndex() == QModelIndex(m_index);
    const Qt::ItemFlags flags = m_index.flags();
    if (flags & Qt::ItemIsSelectable) {
        state.selectable = true;
        state.focusable = true;
        state.multiSelectable = m_pView->selectionMode() == QAbstractItemView::MultiSelection;
        state.extSelectable = m_pView->selectionMode() == QAbstractItemView::ExtendedSelection;
    }
    // The row's box: checkable whether or not it is drawn right now.
    if (m_index.column() == 0) {
        state.checkable = true;
        state.checked = RowBoxAccessible::IsChecked(m_index);
    }
    return state;
}

void* CTableCellAccessible::interface_cast(QAccessible::InterfaceType eType)
{
    if (eType == QAccessible::TableCellInterface)
        return static_cast<QAccessibleTableCellInterface*>(this);
    if (eType == QAccessible::ActionInterface)
        return static_cast<QAccessibleActionInterface*>(this);
    return nullptr;
}

bool CTableCellAccessible::isSelected() const
{
    return isValid() && m_pView->selectionModel() && m_pView->selectionModel()->isSelected(m_index);
}

QList<QAccessibleInterface*> CTableCellAccessible::columnHeaderCells() const
{
    QList<QAccessibleInterface*> listHeaders;
    CTableAccessible* pTable = Table();
    if (pTable && pTable->HeaderRows())
        listHeaders.append(pTable->child(m_index.column()));
    return listHeaders;
}

int CTableCellAccessible::rowIndex() const
{
    const CTableAccessible* pTable = Table();
    return pTable && isValid() ? pTable->VisualRow(m_index.row()) : -1;
}

QStringList CTableCellAccessible::actionNames() const
{
    return QStringList(toggleAction());
}

void CTableCellAccessible::doAction(const QString& strAction)
{
    // As Qt's own cells: toggles the selection, which this view does not keep.
    CTableAccessible* pTable = Table();
    if (strAction != toggleAction() || !pTable || !isValid())
        return;
    if (isSelected())
        pTable->unselectRow(rowIndex());
    else
        pTable->selectRow(rowIndex());
}
