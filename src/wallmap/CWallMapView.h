#pragma once
/// @file CWallMapView.h
/// @brief A map of the wall: every card of a CCMMainView as a coloured cell,
/// one line per output port.

#include "CMViewExport.h"
#include "ReceiverHealth.h"

#include <QAbstractScrollArea>
#include <QScopedPointer>

class CCMMainView;
class CWallMapViewPrivate;

/**
 * @brief The wall as a picture, bound to a CCMMainView: one line per output
 * port in port order, the port's number at its start, and one cell per
 * position on the port's string, in string order.
 *
 * Each cell is coloured by the chosen measure (SetMeasure()): the card's
 * health state by default, or its temperature, packet error ratio, voltage or
 * upgrade progress; a legend above the cells gives the scale and its unit, the
 * temperature in the operator's unit. Cards the view's filters hide are
 * dimmed, not removed, so the wall keeps its shape; checked cards are
 * outlined and the table's current card is framed. The map follows every
 * RefreshShow(), UpdateShow(), packet re-read, upgrade progress, detection,
 * check, filter and limit change of the view, repainting only the cells that
 * changed. Sorting the table does not move the cells.
 *
 * Gestures: a click makes the card the table's current row and scrolls the
 * table to it; Ctrl-click toggles the card's check and Shift-click checks a
 * range as the same gestures do in the table, the range running in map order
 * (line by line) from the table's anchor, with the same stored selection and
 * signals. The arrow keys, Home and End move the current card; Space and
 * Shift+Space act as a Ctrl-click and a Shift-click on it when the view's
 * keyboard checking is on. No click or Space acts while an upgrade is shown.
 * Hovering a cell shows a tooltip with the port, position, S/N and the
 * measure's value.
 *
 * The cells fit the widget, at least c_nMinCellSize pixels each; a wall that
 * does not fit then scrolls. Ctrl+wheel and Ctrl+Plus / Ctrl+Minus zoom,
 * Ctrl+0 fits again. For assistive technology the map is a table: rows are
 * ports, columns positions, and each cell names its card and state.
 *
 * The map holds only a guarded pointer to the view and shows nothing once the
 * view is destroyed. Create and use it in the GUI thread.
 */
class CMVIEW_EXPORT CWallMapView : public QAbstractScrollArea
{
    Q_OBJECT

public:
    /// What the cells' colours show.
    enum EMeasure {
        MeasureHealth = 0,      ///< the card's state (EHealthState), the most serious first
        MeasureTemperature,     ///< a scale ending at the temperature limit, if set
        MeasurePacketErrors,    ///< error packets per packet, on a log scale from 1 ppm to 1%
        MeasureVoltage,         ///< a scale between the voltage limits, if set
        MeasureProgress,        ///< the card's upgrade: not upgrading, percent, succeeded, failed
        MeasureCount            ///< the number of measures, not a measure
    };

    /// The smallest cell, in pixels, including the one-pixel gap between cells.
    static constexpr int c_nMinCellSize = 4;
    /// The largest cell zooming reaches.
    static constexpr int c_nMaxCellSize = 64;

    /// Builds the map bound to pView (none when nullptr).
    explicit CWallMapView(CCMMainView* pView, QWidget* parent = nullptr);
    ~CWallMapView() override;

    /// Binds the map to another view, or to none for nullptr.
    void SetView(CCMMainView* pView);
    /// The view the map is bound to; nullptr when none or once it is destroyed.
    CCMMainView* View() const;

    /// Colours the cells by the measure; MeasureCount and other values are ignored.
    void SetMeasure(EMeasure eMeasure);
    /// The measure the cells show; MeasureHealth at first.
    EMeasure Measure() const;
    /// The measure's name in the current language, for a host's chooser.
    static QString MeasureName(EMeasure eMeasure);

    /**
     * @brief Sets the cell size in pixels (clamped to c_nMinCellSize to
     * c_nMaxCellSize), or 0 to fit the cells to the widget again (the default).
     */
    void SetCellSize(int nPixels);
    /// The cell size in use now, in pixels, gap included.
    int CellSize() const;
    /// Whether the cells are fitted to the widget rather than zoomed.
    bool IsFitting() const;

    /// The number of lines: one per port that has cards.
    int LineCount() const;
    /// The number of columns: the longest line's.
    int ColumnCount() const;
    /// The port a line shows, numbered as the controller numbers it
    /// (SPortAddress::nPort); -1 outside the map.
    int LinePort(int nLine) const;
    /**
     * @brief Where the card's cell is painted now, in the viewport's
     * coordinates; empty for a card not on the map.
     * @param nPort the port as the controller numbers it.
     * @param nPosition the position on the port's string, from 0.
     */
    QRect CellRect(int nPort, int nPosition) const;
    /// The card's cell at a line and column, in the viewport's coordinates;
    /// the rectangle also for a gap.
    QRect CellRectAt(int nLine, int nColumn) const;

signals:
    /// SetMeasure() set another measure.
    void MeasureChanged();

protected:
    /// Paints the cells, the current card's frame and the port numbers.
    void paintEvent(QPaintEvent* e) override;
    /// Fits the cells to the new size unless zoomed.
    void resizeEvent(QResizeEvent* e) override;
    /// A click, Ctrl-click or Shift-click on a cell (see the class description).
    void mousePressEvent(QMouseEvent* e) override;
    /// The arrows, Home, End, Space and the zoom keys.
    void keyPressEvent(QKeyEvent* e) override;
    /// Ctrl+wheel zooms; the wheel alone scrolls.
    void wheelEvent(QWheelEvent* e) override;
    /// Shows a cell's tooltip.
    bool viewportEvent(QEvent* e) override;
    /// Names the legend's entries again on a language change.
    void changeEvent(QEvent* e) override;
    /// Repaints the scrolled map.
    void scrollContentsBy(int dx, int dy) override;

private:
    friend class CWallMapAccessible;
    void InitControl();
    void SetConnect();

    const QScopedPointer<CWallMapViewPrivate> m_pPrivate;
    Q_DECLARE_PRIVATE_D(m_pPrivate, CWallMapView)
};
