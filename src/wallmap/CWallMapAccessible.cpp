#include "CWallMapAccessible.h"

#include "CReceiverTableModel.h"
#include "CWallMapView.h"
#include "CWallMapView_p.h"
#include "WallMapMeasure.h"

#include <QCoreApplication>

namespace
{
QAccessibleInterface* WallMapFactory(const QString& strClass, QObject* pObject)
{
    if (strClass == QLatin1String("CWallMapView") && pObject && pObject->isWidgetType())
        return new CWallMapAccessible(static_cast<CWallMapView*>(pObject));
    return nullptr;
}
}

void CWallMapAccessible::InstallFactory()
{
    static const bool s_bInstalled = []() {
        QAccessible::installFactory(WallMapFactory);
        return true;
    }();
    Q_UNUSED(s_bInstalled)
}

CWallMapAccessible::CWallMapAccessible(CWallMapView* pMap)
    : QAccessibleWidget(pMap, QAccessible::Table)
{
}

CWallMapAccessible::~CWallMapAccessible()
{
    for (const QAccessible::Id id : std::as_const(m_hashChild))
        QAccessible::deleteAccessibleInterface(id);
}

CWallMapView* CWallMapAccessible::Map() const
{
    return static_cast<CWallMapView*>(widget());
}

const CWallMapViewPrivate* CWallMapAccessible::Private() const
{
    return Map()->d_func();
}

void CWallMapAccessible::CheckStamp() const
{
    if (Private()->nLayoutStamp == m_nStamp)
        return;
    m_nStamp = Private()->nLayoutStamp;
    for (const QAccessible::Id id : std::as_const(m_hashChild))
        QAccessible::deleteAccessibleInterface(id);
    m_hashChild.clear();
}

void* CWallMapAccessible::interface_cast(QAccessible::InterfaceType eType)
{
    if (eType == QAccessible::TableInterface)
        return static_cast<QAccessibleTableInterface*>(this);
    return QAccessibleWidget::interface_cast(eType);
}

int CWallMapAccessible::rowCount() const
{
    return Private()->layout.LineCount();
}

int CWallMapAccessible::columnCount() const
{
    return Private()->layout.ColumnCount();
}

int CWallMapAccessible::childCount() const
{
    return rowCount() * columnCount();
}

QAccessibleInterface* CWallMapAccessible::cellAt(int nRow, int nColumn) const
{
    if (nRow < 0 || nRow >= rowCount() || nColumn < 0 || nColumn >= columnCount())
        return nullptr;
    CheckStamp();
    const int nIndex = nRow * columnCount() + nColumn;
    const auto it = m_hashChild.constFind(nIndex);
    if (it != m_hashChild.cend())
        return QAccessible::accessibleInterface(it.value());
    QAccessibleInterface* pCell = new CWallMapCellAccessible(Map(), nRow, nColumn);
    m_hashChild.insert(nIndex, QAccessible::registerAccessibleInterface(pCell));
    return pCell;
}

QAccessibleInterface* CWallMapAccessible::child(int nIndex) const
{
    const int nColumns = columnCount();
    return nColumns > 0 && nIndex >= 0 ? cellAt(nIndex / nColumns, nIndex % nColumns) : nullptr;
}

int CWallMapAccessible::indexOfChild(const QAccessibleInterface* pChild) const
{
    if (!pChild || pChild->role() != QAccessible::Cell || pChild->parent() != this)
        return -1;
    const auto* pCell = static_cast<const CWallMapCellAccessible*>(pChild);
    return pCell->rowIndex() * columnCount() + pCell->columnIndex();
}

QAccessibleInterface* CWallMapAccessible::childAt(int x, int y) const
{
    const QPoint pos = Map()->viewport()->mapFromGlobal(QPoint(x, y));
    const CWallMapViewPrivate* d = Private();
    const int r = d->RowAt(pos);
    if (r < 0)
        return nullptr;
    const CWallMapLayout::SCell cell = d->layout.CellOfRow(r);
    return cellAt(cell.nLine, cell.nColumn);
}

QString CWallMapAccessible::rowDescription(int nRow) const
{
    const int nPort = Private()->layout.LinePort(nRow);
    return nPort < 0 ? QString() : QCoreApplication::translate("CWallMapView", "Port %1").arg(qint64(nPort) + 1);
}

QString CWallMapAccessible::columnDescription(int nColumn) const
{
    return nColumn < 0 || nColumn >= columnCount() ? QString() : QCoreApplication::translate("CWallMapView", "Position %1").arg(nColumn + 1);
}

CWallMapCellAccessible::CWallMapCellAccessible(CWallMapView* pMap, int nLine, int nColumn)
    : m_pMap(pMap)
    , m_nLine(nLine)
    , m_nColumn(nColumn)
{
}

bool CWallMapCellAccessible::isValid() const
{
    return m_pMap;
}

QAccessibleInterface* CWallMapCellAccessible::parent() const
{
    return m_pMap ? QAccessible::queryAccessibleInterface(m_pMap.data()) : nullptr;
}

int CWallMapCellAccessible::Row() const
{
    if (!m_pMap)
        return -1;
    const auto* pTable = static_cast<const CWallMapAccessible*>(parent());
    const CWallMapViewPrivate* d = pTable->Private();
    return d->IsBound() ? d->layout.RowAt(m_nLine, m_nColumn) : -1;
}

QString CWallMapCellAccessible::text(QAccessible::Text t) const
{
    if (!m_pMap || (t != QAccessible::Name && t != QAccessible::Description))
        return QString();
    const auto* pTable = static_cast<const CWallMapAccessible*>(parent());
    const CWallMapViewPrivate* d = pTable->Private();
    const int r = Row();
    const QString strPort = pTable->rowDescription(m_nLine);
    if (r < 0)
        return t == QAccessible::Name ? QCoreApplication::translate("CWallMapView", "%1, position %2: no card").arg(strPort).arg(m_nColumn + 1) : QString();
    const CReceiverTableModel& model = *d->pModel;
    if (t == QAccessible::Description) {
        return CWallMapView::MeasureName(d->eMeasure) + QStringLiteral(": ")
            + WallMapMeasure::ValueText(d->eMeasure, model, r);
    }
    const QString strSN = model.data(model.index(r, model.Columns().ColumnOf(ReceiverColumn::SerialNumber))).toString();
    return QCoreApplication::translate("CWallMapView", "%1, position %2: S/N %3, %4")
        .arg(strPort)
        .arg(qint64(model.RecordPosition(r)) + 1)
        .arg(strSN, WallMapMeasure::StatesText(model.HealthStates(r)));
}

QRect CWallMapCellAccessible::rect() const
{
    if (!m_pMap)
        return QRect();
    const QRect rect = m_pMap->CellRectAt(m_nLine, m_nColumn);
    return QRect(m_pMap->viewport()->mapToGlobal(rect.topLeft()), rect.size());
}

QAccessible::State CWallMapCellAccessible::state() const
{
    QAccessible::State state;
    const int r = Row();
    if (r < 0)
        return state;
    const auto* pTable = static_cast<const CWallMapAccessible*>(parent());
    const CWallMapViewPrivate* d = pTable->Private();
    state.checkable = true;
    state.checked = d->pModel->IsChecked(r);
    state.focusable = true;
    state.focused = r == d->nCurrentRow && m_pMap->hasFocus();
    state.active = r == d->nCurrentRow;
    const QRect rectCell = m_pMap->CellRectAt(m_nLine, m_nColumn);
    state.invisible = !m_pMap->viewport()->rect().intersects(rectCell);
    state.offscreen = state.invisible;
    return state;
}

void* CWallMapCellAccessible::interface_cast(QAccessible::InterfaceType eType)
{
    return eType == QAccessible::TableCellInterface ? static_cast<QAccessibleTableCellInterface*>(this) : nullptr;
}
