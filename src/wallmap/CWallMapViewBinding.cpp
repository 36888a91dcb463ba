// How the wall map follows its view: the table model's notices tell which
// rows changed, and only the cells whose colour or marks changed with them
// are repainted.

#include "CWallMapView_p.h"

#include "CCMMainView.h"
#include "CReceiverListView.h"
#include "CReceiverTableModel.h"
#include "TavrelCMControl.h"
#include "WallMapMeasure.h"

#include <QRegion>
#include <QScrollBar>

namespace
{
// Past this many changed cells one repaint of the viewport is cheaper than a
// region of rectangles.
constexpr size_t c_nMaxCellRects = 2048;

bool IsFahrenheit()
{
    return g_pPreferenceControl && g_pPreferenceControl->IsTemperatureFahrenheit();
}
}

CWallMapViewPrivate::CWallMapViewPrivate(CWallMapView* pMap)
    : q(pMap)
{
}

bool CWallMapViewPrivate::IsBound() const
{
    return pModel && pList;
}

void CWallMapViewPrivate::Bind(CCMMainView* pView)
{
    for (const QMetaObject::Connection& connection : std::as_const(vecConnection))
        QObject::disconnect(connection);
    vecConnection.clear();
    pMainView = pView;
    pList = pView ? pView->GetReceiverListView() : nullptr;
    pModel = pList ? pList->GetTableModel() : nullptr;
    if (pModel) {
        const auto rebuild = [this]() { Rebuild(); };
        vecConnection
            << QObject::connect(pModel, &QAbstractItemModel::dataChanged, q,
                                [this](const QModelIndex& topLeft, const QModelIndex& bottomRight) {
                                    OnDataChanged(topLeft.row(), bottomRight.row());
                                })
            << QObject::connect(pModel, &QAbstractItemModel::modelReset, q, rebuild)
            << QObject::connect(pModel, &QAbstractItemModel::layoutChanged, q, rebuild)
            << QObject::connect(pModel, &QAbstractItemModel::rowsInserted, q, rebuild)
            << QObject::connect(pModel, &QAbstractItemModel::rowsRemoved, q, rebuild)
            << QObject::connect(pList, &CReceiverListView::RowsHiddenChanged, q, [this]() { OnRowsHiddenChanged(); })
            << QObject::connect(pList, &CReceiverListView::CurrentRowChanged, q, [this]() { OnCurrentChanged(); })
            << QObject::connect(pList, &CReceiverListView::HealthLimitsChanged, q, [this]() { RestyleAll(); })
            // A widget tells of its end before its guards are cleared, its
            // children already gone: unbind first.
            << QObject::connect(pView, &QObject::destroyed, q, [this]() { Bind(nullptr); });
    }
    Rebuild();
}

std::vector<CWallMapViewPrivate::SCellShown> CWallMapViewPrivate::CellSnapshot() const
{
    // In Order(): line by line, each in column order.
    std::vector<SCellShown> vec;
    vec.reserve(layout.Order().size());
    for (int r : layout.Order()) {
        const CWallMapLayout::SCell cell = layout.CellOfRow(r);
        const uint64_t nShown =
            (uint64_t(r == nCurrentRow) << 40) | (uint64_t(vecColour[size_t(r)]) << 8) | vecFlags[size_t(r)];
        vec.push_back({ (uint64_t(uint32_t(cell.nLine)) << 32) | uint32_t(cell.nColumn), nShown });
    }
    return vec;
}

std::vector<CWallMapLayout::SCell> CWallMapViewPrivate::ChangedCells(const std::vector<SCellShown>& vecBefore,
                                                                     const std::vector<SCellShown>& vecAfter)
{
    // Both in cell order: a merge finds the cells that came, went or changed.
    std::vector<CWallMapLayout::SCell> vecCells;
    const auto add = [&vecCells](uint64_t nCell) { vecCells.push_back({ int(nCell >> 32), int(uint32_t(nCell)) }); };
    size_t i = 0;
    size_t j = 0;
    while (i < vecBefore.size() || j < vecAfter.size()) {
        if (j == vecAfter.size() || (i < vecBefore.size() && vecBefore[i].nCell < vecAfter[j].nCell)) {
            add(vecBefore[i++].nCell);
        } else if (i == vecBefore.size() || vecAfter[j].nCell < vecBefore[i].nCell) {
            add(vecAfter[j++].nCell);
        } else {
            if (vecBefore[i].nShown != vecAfter[j].nShown)
                add(vecAfter[j].nCell);
            ++i;
            ++j;
        }
    }
    return vecCells;
}

void CWallMapViewPrivate::Rebuild()
{
    ++nLayoutStamp;
    // What the map showed, to repaint only what a rebuild changed: a sort,
    // a refresh of the same wall or a detection that swaps a card.
    const std::vector<SCellShown> vecBefore = CellSnapshot();
    std::vector<int> vecPortsBefore;
    for (int nLine = 0; nLine < layout.LineCount(); ++nLine)
        vecPortsBefore.push_back(layout.LinePort(nLine));
    const int nColumnsBefore = layout.ColumnCount();
    const int nCellBefore = nCellSize;
    const int nGutterBefore = nGutter;
    if (!IsBound()) {
        layout = CWallMapLayout();
        vecColour.clear();
        vecFlags.clear();
        nCurrentRow = -1;
    } else {
        layout.Build(*pModel);
        vecColour.assign(size_t(layout.RowCount()), 0);
        vecFlags.assign(size_t(layout.RowCount()), 0);
        const bool bNoneHidden = pList->GetShownRowCount() == layout.RowCount();
        for (int r = 0; r < layout.RowCount(); ++r) {
            SetHidden(r, !bNoneHidden && pList->IsModelRowHidden(r));
            Restyle(r);
        }
        nCurrentRow = pList->GetCurrentModelRow();
    }
    limitsPainted = IsBound() ? pModel->HealthLimits() : SHealthLimits();
    bFahrenheit = IsFahrenheit();
    UpdateLegend();
    std::vector<int> vecPorts;
    for (int nLine = 0; nLine < layout.LineCount(); ++nLine)
        vecPorts.push_back(layout.LinePort(nLine));
    if (vecPorts != vecPortsBefore || layout.ColumnCount() != nColumnsBefore || nCellSize != nCellBefore
        || nGutter != nGutterBefore) {
        q->viewport()->update();
        return;
    }
    UpdateCells(ChangedCells(vecBefore, CellSnapshot()));
}

void CWallMapViewPrivate::RestyleAll()
{
    if (IsBound()) {
        for (int r = 0; r < layout.RowCount(); ++r)
            Restyle(r);
        limitsPainted = pModel->HealthLimits();
        bFahrenheit = IsFahrenheit();
    }
    UpdateLegend();
    q->viewport()->update();
}

bool CWallMapViewPrivate::Restyle(int nRow)
{
    Q_ASSERT(pModel && nRow >= 0 && size_t(nRow) < vecColour.size());
    // The hidden flag is the filters' answer as last asked (OnRowsHiddenChanged):
    // an update does not hide rows, the filter pass after it tells.
    const bool bHidden = vecFlags[size_t(nRow)] & CellHidden;
    const uint8_t nFlags = uint8_t((pModel->IsChecked(nRow) ? CellChecked : 0) | (bHidden ? CellHidden : 0));
    QRgb rgb = WallMapMeasure::Colour(eMeasure, *pModel, nRow);
    if (bHidden)
        rgb = WallMapMeasure::Dimmed(rgb);
    if (rgb == vecColour[size_t(nRow)] && nFlags == vecFlags[size_t(nRow)])
        return false;
    vecColour[size_t(nRow)] = rgb;
    vecFlags[size_t(nRow)] = nFlags;
    return true;
}

bool CWallMapViewPrivate::SetHidden(int nRow, bool bHidden)
{
    uint8_t& nFlags = vecFlags[size_t(nRow)];
    if (bool(nFlags & CellHidden) == bHidden)
        return false;
    nFlags = uint8_t(bHidden ? nFlags | CellHidden : nFlags & ~CellHidden);
    // The colour was painted for the other state: work it out again.
    vecColour[size_t(nRow)] = 0;
    return true;
}

void CWallMapViewPrivate::OnDataChanged(int nFirstRow, int nLastRow)
{
    if (!IsBound())
        return;
    if (layout.IsStale(*pModel, nFirstRow, nLastRow)) {
        Rebuild();
        return;
    }
    // The unit and the limits come with updates and refreshes; the legend
    // (and a scale that ends at a limit) follow.
    if (IsFahrenheit() != bFahrenheit || pModel->HealthLimits() != limitsPainted) {
        RestyleAll();
        return;
    }
    std::vector<int> vecRows;
    for (int r = qMax(0, nFirstRow); r <= nLastRow && r < layout.RowCount(); ++r) {
        if (Restyle(r))
            vecRows.push_back(r);
    }
    UpdateRows(vecRows);
}

void CWallMapViewPrivate::OnRowsHiddenChanged()
{
    if (!IsBound())
        return;
    // Every refresh and update passes the filters again; with nothing hidden
    // no row needs asking.
    const bool bNoneHidden = pList->GetShownRowCount() == layout.RowCount();
    std::vector<int> vecRows;
    for (int r = 0; r < layout.RowCount(); ++r) {
        const bool bChanged = bNoneHidden ? SetHidden(r, false) : SetHidden(r, pList->IsModelRowHidden(r));
        if (bChanged && Restyle(r))
            vecRows.push_back(r);
    }
    UpdateRows(vecRows);
}

void CWallMapViewPrivate::OnCurrentChanged()
{
    if (!pList)
        return;
    const int nPrevious = nCurrentRow;
    nCurrentRow = pList->GetCurrentModelRow();
    if (nCurrentRow == nPrevious)
        return;
    UpdateRows({ nPrevious, nCurrentRow });
    if (nCurrentRow >= 0) {
        // Keep the framed card in sight, as the table does its row.
        const QRect rect = RowUpdateRect(nCurrentRow);
        const QRect rectArea = q->viewport()->rect().adjusted(GutterWidth(), 0, 0, 0);
        if (!rectArea.contains(rect)) {
            const QPoint ptCentre = rect.center();
            q->horizontalScrollBar()->setValue(ContentX() + ptCentre.x() - (rectArea.left() + rectArea.width() / 2));
            q->verticalScrollBar()->setValue(ContentY() + ptCentre.y() - rectArea.height() / 2);
        }
    }
}

void CWallMapViewPrivate::UpdateRows(const std::vector<int>& vecRows)
{
    std::vector<CWallMapLayout::SCell> vecCells;
    vecCells.reserve(vecRows.size());
    for (int r : vecRows) {
        const CWallMapLayout::SCell cell = layout.CellOfRow(r);
        if (cell.nLine >= 0)
            vecCells.push_back(cell);
    }
    UpdateCells(vecCells);
}

void CWallMapViewPrivate::UpdateCells(const std::vector<CWallMapLayout::SCell>& vecCells)
{
    if (vecCells.empty())
        return;
    if (vecCells.size() > c_nMaxCellRects) {
        q->viewport()->update();
        return;
    }
    QRegion region;
    const QRect rectArea = q->viewport()->rect();
    for (const CWallMapLayout::SCell& cell : vecCells) {
        const QRect rect = CellUpdateRect(cell) & rectArea;
        if (!rect.isEmpty())
            region += rect;
    }
    if (!region.isEmpty())
        q->viewport()->update(region);
}
