#include "CWallMapView.h"

#include "CCMMainView.h"
#include "CReceiverListView.h"
#include "CReceiverTableModel.h"
#include "CWallMapAccessible.h"
#include "CWallMapLegend.h"
#include "CWallMapView_p.h"
#include "WallMapMeasure.h"

#include <QEvent>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QToolTip>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>

namespace
{
// A wall that fits is drawn no larger than this.
constexpr int c_nMaxFitSize = 32;
constexpr int c_nGutterPadding = 6;
// The current card's frame reaches this far outside its cell.
constexpr int c_nFrameReach = 2;
constexpr double c_dZoomStep = 1.25;
}

CWallMapView::CWallMapView(CCMMainView* pView, QWidget* parent)
    : QAbstractScrollArea(parent)
    , m_pPrivate(new CWallMapViewPrivate(this))
{
    InitControl();
    SetConnect();
    SetView(pView);
}

CWallMapView::~CWallMapView()
{
    // No notice may reach a half-destroyed map.
    d_func()->Bind(nullptr);
}

void CWallMapView::InitControl()
{
    Q_D(CWallMapView);
    CWallMapAccessible::InstallFactory();
    setObjectName(QStringLiteral("WallMapView"));
    setFocusPolicy(Qt::StrongFocus);
    setFrameShape(QFrame::NoFrame);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    viewport()->setMouseTracking(true);
    d->pLegend = new CWallMapLegend(this);
    setMinimumSize(120, 80);
}

void CWallMapView::SetConnect()
{
}

void CWallMapView::SetView(CCMMainView* pView)
{
    d_func()->Bind(pView);
}

CCMMainView* CWallMapView::View() const
{
    return d_func()->pMainView.data();
}

void CWallMapView::SetMeasure(EMeasure eMeasure)
{
    Q_D(CWallMapView);
    if (eMeasure < MeasureHealth || eMeasure >= MeasureCount || eMeasure == d->eMeasure)
        return;
    d->eMeasure = eMeasure;
    // Restyles every cell and names the new scale in the legend.
    d->RestyleAll();
    emit MeasureChanged();
}

CWallMapView::EMeasure CWallMapView::Measure() const
{
    return d_func()->eMeasure;
}

QString CWallMapView::MeasureName(EMeasure eMeasure)
{
    switch (eMeasure) {
    case MeasureHealth:
        return tr("Health");
    case MeasureTemperature:
        return tr("Temperature");
    case MeasurePacketErrors:
        return tr("Packet errors");
    case MeasureVoltage:
        return tr("Voltage");
    case MeasureProgress:
        return tr("Upgrade progress");
    default:
        return QString();
    }
}

void CWallMapView::SetCellSize(int nPixels)
{
    Q_D(CWallMapView);
    d->nZoomSize = nPixels <= 0 ? 0 : std::clamp(nPixels, int(c_nMinCellSize), int(c_nMaxCellSize));
    d->UpdateGeometry();
    viewport()->update();
}

int CWallMapView::CellSize() const
{
    return d_func()->nCellSize;
}

bool CWallMapView::IsFitting() const
{
    return d_func()->nZoomSize == 0;
}

int CWallMapView::LineCount() const
{
    return d_func()->layout.LineCount();
}

int CWallMapView::ColumnCount() const
{
    return d_func()->layout.ColumnCount();
}

int CWallMapView::LinePort(int nLine) const
{
    return d_func()->layout.LinePort(nLine);
}

QRect CWallMapView::CellRect(int nPort, int nPosition) const
{
    Q_D(const CWallMapView);
    if (!d->IsBound())
        return QRect();
    for (int nLine = 0; nLine < d->layout.LineCount(); ++nLine) {
        if (d->layout.LinePort(nLine) != nPort)
            continue;
        for (int i = d->layout.LineBegin(nLine); i < d->layout.LineEnd(nLine); ++i) {
            const int r = d->layout.Order()[size_t(i)];
            if (d->pModel->RecordPosition(r) == nPosition)
                return d->CellRect(nLine, d->layout.CellOfRow(r).nColumn);
        }
    }
    return QRect();
}

QRect CWallMapView::CellRectAt(int nLine, int nColumn) const
{
    return d_func()->CellRect(nLine, nColumn);
}

// Geometry ------------------------------------------------------------------

void CWallMapViewPrivate::UpdateGutter()
{
    int nWidest = 1;
    for (int nLine = 0; nLine < layout.LineCount(); ++nLine)
        nWidest = qMax(nWidest, layout.LinePort(nLine));
    // Ports are shown counted from 1, as the table shows them.
    nGutter = q->fontMetrics().horizontalAdvance(QString::number(qint64(nWidest) + 1)) + 2 * c_nGutterPadding;
}

int CWallMapViewPrivate::ContentX() const
{
    return q->horizontalScrollBar()->value();
}

int CWallMapViewPrivate::ContentY() const
{
    return q->verticalScrollBar()->value();
}

QRect CWallMapViewPrivate::CellRect(int nLine, int nColumn) const
{
    const int nPitch = Pitch();
    return QRect(GutterWidth() + nColumn * nPitch - ContentX(), nLine * nPitch - ContentY(), nPitch - 1, nPitch - 1);
}

QRect CWallMapViewPrivate::RowUpdateRect(int nRow) const
{
    return CellUpdateRect(layout.CellOfRow(nRow));
}

QRect CWallMapViewPrivate::CellUpdateRect(const CWallMapLayout::SCell& cell) const
{
    if (cell.nLine < 0)
        return QRect();
    return CellRect(cell.nLine, cell.nColumn).adjusted(-c_nFrameReach, -c_nFrameReach, c_nFrameReach, c_nFrameReach);
}

int CWallMapViewPrivate::RowAt(const QPoint& pos) const
{
    const int nPitch = Pitch();
    const int x = pos.x() - GutterWidth() + ContentX();
    const int y = pos.y() + ContentY();
    if (pos.x() < GutterWidth() || x < 0 || y < 0)
        return -1;
    // The gap between cells belongs to no card.
    if (x % nPitch == nPitch - 1 || y % nPitch == nPitch - 1)
        return -1;
    return layout.RowAt(y / nPitch, x / nPitch);
}

void CWallMapViewPrivate::UpdateLegend()
{
    // Every refresh and update comes here: the legend is repainted and laid
    // out again only when it says something else.
    const WallMapMeasure::SLegend legend = WallMapMeasure::Legend(eMeasure, limitsPainted, bFahrenheit);
    if (legend != pLegend->Legend())
        pLegend->SetLegend(legend);
    UpdateGeometry();
}

void CWallMapViewPrivate::UpdateGeometry()
{
    UpdateGutter();
    const QRect rectFrame = q->contentsRect();
    const int nLegend = pLegend->HeightForWidth(rectFrame.width());
    const QRect rectLegend(rectFrame.left(), rectFrame.top(), rectFrame.width(), nLegend);
    if (pLegend->geometry() != rectLegend) {
        pLegend->setGeometry(rectLegend);
        q->setViewportMargins(0, nLegend, 0, 0);
    }

    const int nLines = qMax(1, layout.LineCount());
    const int nColumns = qMax(1, layout.ColumnCount());
    const QSize sizeArea = q->maximumViewportSize();
    const int nGutter = GutterWidth();
    if (nZoomSize > 0) {
        nCellSize = nZoomSize;
    } else {
        const int nFit = qMin((sizeArea.width() - nGutter) / nColumns, sizeArea.height() / nLines);
        nCellSize = std::clamp(nFit, int(CWallMapView::c_nMinCellSize), c_nMaxFitSize);
    }
    const QSize sizeViewport = q->viewport()->size();
    q->horizontalScrollBar()->setRange(0, qMax(0, nGutter + layout.ColumnCount() * nCellSize - sizeViewport.width()));
    q->verticalScrollBar()->setRange(0, qMax(0, layout.LineCount() * nCellSize - sizeViewport.height()));
    q->horizontalScrollBar()->setPageStep(sizeViewport.width());
    q->verticalScrollBar()->setPageStep(sizeViewport.height());
    q->horizontalScrollBar()->setSingleStep(nCellSize);
    q->verticalScrollBar()->setSingleStep(nCellSize);
}

// Events --------------------------------------------------------------------

void CWallMapView::paintEvent(QPaintEvent* e)
{
    Q_D(const CWallMapView);
    QPainter painter(viewport());
    d->PaintCells(painter, e->rect());
    d->PaintCurrent(painter);
    d->PaintGutter(painter, e->rect());
}

void CWallMapView::resizeEvent(QResizeEvent* e)
{
    QAbstractScrollArea::resizeEvent(e);
    d_func()->UpdateGeometry();
}

void CWallMapView::scrollContentsBy(int, int)
{
    viewport()->update();
}

void CWallMapView::mousePressEvent(QMouseEvent* e)
{
    Q_D(CWallMapView);
    setFocus(Qt::MouseFocusReason);
    if (e->button() != Qt::LeftButton || !d->pList || !d->pMainView || d->pMainView->IsProgressing())
        return;
    const int r = d->RowAt(e->pos());
    if (r < 0)
        return;
    const Qt::KeyboardModifiers modifiers = e->modifiers() & (Qt::ControlModifier | Qt::ShiftModifier);
    if (modifiers == Qt::NoModifier)
        d->pList->SetCurrentModelRow(r);
    else
        d->pList->PressModelRow(r, modifiers, d->layout.Order());
}

void CWallMapView::wheelEvent(QWheelEvent* e)
{
    Q_D(CWallMapView);
    if (!(e->modifiers() & Qt::ControlModifier)) {
        QAbstractScrollArea::wheelEvent(e);
        return;
    }
    const int nSteps = e->angleDelta().y() / 120;
    if (nSteps == 0)
        return;
    const double dFactor = std::pow(c_dZoomStep, nSteps);
    SetCellSize(int(std::lround(qMax(double(d->nCellSize) + (nSteps > 0 ? 1 : -1), d->nCellSize * dFactor))));
    e->accept();
}

bool CWallMapView::viewportEvent(QEvent* e)
{
    Q_D(CWallMapView);
    if (e->type() == QEvent::ToolTip) {
        const QHelpEvent* pHelp = static_cast<QHelpEvent*>(e);
        const int r = d->IsBound() ? d->RowAt(pHelp->pos()) : -1;
        if (r < 0) {
            QToolTip::hideText();
            e->ignore();
            return true;
        }
        const CReceiverTableModel& model = *d->pModel;
        const QString strSN = model.data(model.index(r, model.Columns().ColumnOf(ReceiverColumn::SerialNumber))).toString();
        const QString strText = tr("Port %1, position %2\nS/N %3\n%4: %5")
                                    .arg(qint64(model.RecordPort(r)) + 1)
                                    .arg(qint64(model.RecordPosition(r)) + 1)
                                    .arg(strSN, MeasureName(d->eMeasure),
                                         WallMapMeasure::ValueText(d->eMeasure, model, r));
        QToolTip::showText(pHelp->globalPos(), strText, viewport(), d->RowUpdateRect(r));
        return true;
    }
    return QAbstractScrollArea::viewportEvent(e);
}

void CWallMapView::changeEvent(QEvent* e)
{
    QAbstractScrollArea::changeEvent(e);
    if (e->type() == QEvent::LanguageChange || e->type() == QEvent::FontChange)
        d_func()->UpdateLegend();
}
