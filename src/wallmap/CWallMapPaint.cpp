// Painting the wall map. The cells are written straight into an image of the
// dirty rectangle, a scan line at a time: a wall of 100,000 cards is then one
// pass over memory rather than 100,000 QPainter calls.

#include "CWallMapView_p.h"

#include "CReceiverTableModel.h"
#include "WallMapMeasure.h"

#include <QImage>
#include <QPainter>
#include <QWidget>

#include <algorithm>

namespace
{
constexpr QRgb c_rgbOutline = 0xFFFFFFFF;
constexpr QRgb c_rgbGutter = 0xFF2A2E34;
constexpr QRgb c_rgbLabel = 0xFFB4B9C1;
constexpr QRgb c_rgbFrame = 0xFFFFFFFF;
constexpr QRgb c_rgbFrameShadow = 0xFF000000;
// Cells this small show a check by a lighter fill: an outline would cover them.
constexpr int c_nMinOutlinedCell = 6;

QRgb Lighter(QRgb rgb)
{
    return qRgb((qRed(rgb) + 2 * 255) / 3, (qGreen(rgb) + 2 * 255) / 3, (qBlue(rgb) + 2 * 255) / 3);
}

// Fills the rectangle of the image with the colour; the rectangle lies inside.
void Fill(QImage& image, const QRect& rect, QRgb rgb)
{
    for (int y = rect.top(); y <= rect.bottom(); ++y) {
        QRgb* pLine = reinterpret_cast<QRgb*>(image.scanLine(y));
        std::fill(pLine + rect.left(), pLine + rect.right() + 1, rgb);
    }
}

// A cell, with a one-pixel outline when checked, clipped to the image.
void FillCell(QImage& image, const QRect& rectCell, QRgb rgb, bool bChecked)
{
    const QRect rectImage = image.rect();
    if (!bChecked) {
        Fill(image, rectCell & rectImage, rgb);
        return;
    }
    if (rectCell.width() < c_nMinOutlinedCell) {
        Fill(image, rectCell & rectImage, Lighter(rgb));
        return;
    }
    Fill(image, rectCell & rectImage, c_rgbOutline);
    Fill(image, rectCell.adjusted(1, 1, -1, -1) & rectImage, rgb);
}
}

void CWallMapViewPrivate::PaintCells(QPainter& painter, const QRect& rectDirty) const
{
    const int nGutter = GutterWidth();
    const QRect rectCells = rectDirty & QRect(nGutter, 0, q->viewport()->width() - nGutter, q->viewport()->height());
    if (rectCells.isEmpty())
        return;
    QImage image(rectCells.size(), QImage::Format_RGB32);
    image.fill(QColor::fromRgb(WallMapMeasure::c_rgbBackground));
    const int nPitch = Pitch();
    const int x0 = rectCells.left() - nGutter + ContentX();
    const int y0 = rectCells.top() + ContentY();
    const int nFirstLine = qMax(0, y0 / nPitch);
    const int nLastLine = qMin(layout.LineCount() - 1, (y0 + rectCells.height() - 1) / nPitch);
    const int nFirstColumn = qMax(0, x0 / nPitch);
    const int nLastColumn = qMin(layout.ColumnCount() - 1, (x0 + rectCells.width() - 1) / nPitch);
    // Cells in the image's coordinates: cell (0, 0) sits at ptZero.
    const QPoint ptOrigin = rectCells.topLeft();
    const QPoint ptZero = CellRect(0, 0).topLeft() - ptOrigin;
    // Each line's cards in the columns on screen, in column order.
    const std::vector<int>& vecOrder = layout.Order();
    for (int nLine = nFirstLine; nLine <= nLastLine; ++nLine) {
        for (int i = layout.LowerBound(nLine, nFirstColumn); i < layout.LineEnd(nLine); ++i) {
            const int r = vecOrder[size_t(i)];
            const int nColumn = layout.CellOfRow(r).nColumn;
            if (nColumn > nLastColumn)
                break;
            const QRect rectCell(ptZero.x() + nColumn * nPitch, ptZero.y() + nLine * nPitch, nPitch - 1, nPitch - 1);
            FillCell(image, rectCell, vecColour[size_t(r)], vecFlags[size_t(r)] & CellChecked);
        }
    }
    painter.drawImage(ptOrigin, image);
}

void CWallMapViewPrivate::PaintCurrent(QPainter& painter) const
{
    const CWallMapLayout::SCell cell = layout.CellOfRow(nCurrentRow);
    if (cell.nLine < 0)
        return;
    painter.save();
    painter.setClipRect(QRect(GutterWidth(), 0, q->viewport()->width(), q->viewport()->height()));
    const QRect rect = CellRect(cell.nLine, cell.nColumn);
    // White on a dark edge: the frame reads on every cell colour.
    painter.setPen(QColor::fromRgba(c_rgbFrameShadow));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(rect.adjusted(-2, -2, 1, 1));
    painter.setPen(QColor::fromRgba(c_rgbFrame));
    painter.drawRect(rect.adjusted(-1, -1, 0, 0));
    painter.restore();
}

void CWallMapViewPrivate::PaintGutter(QPainter& painter, const QRect& rectDirty) const
{
    const QRect rectGutter(0, 0, GutterWidth(), q->viewport()->height());
    if (!rectDirty.intersects(rectGutter))
        return;
    painter.fillRect(rectGutter, QColor::fromRgb(c_rgbGutter));
    painter.setPen(QColor::fromRgb(c_rgbLabel));
    const QFontMetrics fm = q->fontMetrics();
    const int nPitch = Pitch();
    // Lines smaller than the text get a label only where it does not
    // overlap the one above.
    int nFreeFrom = std::numeric_limits<int>::min();
    const int nFirstLine = qMax(0, (ContentY() - fm.height()) / nPitch);
    for (int nLine = nFirstLine; nLine < layout.LineCount(); ++nLine) {
        const int yCentre = nLine * nPitch - ContentY() + nPitch / 2;
        const int yTop = yCentre - fm.height() / 2;
        if (yTop > rectGutter.bottom())
            break;
        if (yTop < nFreeFrom)
            continue;
        painter.drawText(QRect(0, yTop, rectGutter.width() - 4, fm.height()), Qt::AlignRight | Qt::AlignVCenter,
                         QString::number(qint64(layout.LinePort(nLine)) + 1));
        nFreeFrom = yTop + fm.height();
    }
}
