#pragma once
// The wall map's state: the view it follows, where each card sits, and each
// cell as last painted, so a change repaints only the cells it altered.

#include "CWallMapLayout.h"
#include "CWallMapView.h"

#include <QPointer>
#include <QRect>
#include <QVector>

#include <cstdint>
#include <vector>

class CCMMainView;
class CReceiverListView;
class CReceiverTableModel;
class CWallMapLegend;
class QRegion;

class CWallMapViewPrivate
{
public:
    // What a cell shows besides its colour.
    enum ECellFlag : uint8_t
    {
        CellChecked = 1u << 0,
        CellHidden = 1u << 1
    };

    explicit CWallMapViewPrivate(CWallMapView* pMap);

    // Follows the view's table (CWallMapViewBinding.cpp).
    void Bind(CCMMainView* pView);
    // The model belongs to the view's table: once the table is gone (its
    // view going down), the model is not asked any more.
    bool IsBound() const;
    // Lays out every card again and repaints the whole map.
    void Rebuild();
    void OnDataChanged(int nFirstRow, int nLastRow);
    void OnRowsHiddenChanged();
    void OnCurrentChanged();
    // Every cell's colour again (a measure or limit change).
    void RestyleAll();
    // Works out the row's cell as it should be painted; true when it differs
    // from what was painted.
    bool Restyle(int nRow);
    // Marks the row hidden by the filters or not; true when that changed.
    bool SetHidden(int nRow, bool bHidden);
    // Repaints the cells of the rows; the whole viewport for many.
    void UpdateRows(const std::vector<int>& vecRows);
    void UpdateCells(const std::vector<CWallMapLayout::SCell>& vecCells);
    // What one card's cell shows: its place (line and column) and its colour,
    // flags and frame, packed.
    struct SCellShown
    {
        uint64_t nCell;
        uint64_t nShown;
    };
    // Every card's cell as shown, in cell order: what a rebuild compares to
    // repaint only what it changed.
    std::vector<SCellShown> CellSnapshot() const;
    static std::vector<CWallMapLayout::SCell> ChangedCells(const std::vector<SCellShown>& vecBefore,
                                                          const std::vector<SCellShown>& vecAfter);

    // Geometry (CWallMapView.cpp).
    int Pitch() const { return nCellSize; }
    int ContentX() const;
    int ContentY() const;
    QRect CellRect(int nLine, int nColumn) const;
    // The rectangle a row's cell and its frames repaint.
    QRect RowUpdateRect(int nRow) const;
    QRect CellUpdateRect(const CWallMapLayout::SCell& cell) const;
    // The card under a viewport point, -1 for none.
    int RowAt(const QPoint& pos) const;
    void UpdateGeometry();
    void UpdateLegend();
    int GutterWidth() const { return nGutter; }
    // Measures the port labels' column again (a new layout or font).
    void UpdateGutter();

    // Painting (CWallMapPaint.cpp).
    void PaintCells(QPainter& painter, const QRect& rectDirty) const;
    void PaintCurrent(QPainter& painter) const;
    void PaintGutter(QPainter& painter, const QRect& rectDirty) const;

    CWallMapView* const q;
    QPointer<CCMMainView> pMainView;
    QPointer<CReceiverListView> pList;
    CReceiverTableModel* pModel = nullptr;
    QVector<QMetaObject::Connection> vecConnection;

    CWallMapLayout layout;
    // Counts the layouts: the accessible cells of an older one are stale.
    quint64 nLayoutStamp = 1;
    // Per model row: the colour painted (dimmed when hidden) and the flags.
    std::vector<QRgb> vecColour;
    std::vector<uint8_t> vecFlags;
    int nCurrentRow = -1;
    SHealthLimits limitsPainted;
    bool bFahrenheit = false;

    CWallMapView::EMeasure eMeasure = CWallMapView::MeasureHealth;
    int nZoomSize = 0;   // 0: fit the widget
    int nCellSize = CWallMapView::c_nMinCellSize;
    int nGutter = 0;
    CWallMapLegend* pLegend = nullptr;
};
