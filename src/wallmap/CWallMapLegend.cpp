#include "CWallMapLegend.h"

#include <QLinearGradient>
#include <QPainter>

namespace
{
constexpr int c_nMargin = 4;
constexpr int c_nSwatch = 10;
constexpr int c_nSpacing = 12;
constexpr QRgb c_rgbText = 0xFFD7DAE0;
constexpr int c_nScaleWidth = 160;
}

CWallMapLegend::CWallMapLegend(QWidget* parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("WallMapLegend"));
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void CWallMapLegend::SetLegend(const WallMapMeasure::SLegend& legend)
{
    m_legend = legend;
    update();
}

int CWallMapLegend::LineHeight() const
{
    return qMax(fontMetrics().height(), c_nSwatch) + c_nMargin;
}

QVector<QRect> CWallMapLegend::SwatchRects(int nWidth) const
{
    QVector<QRect> vecRects;
    const QFontMetrics fm = fontMetrics();
    int x = c_nMargin;
    int y = c_nMargin;
    for (const WallMapMeasure::SLegendStop& stop : m_legend.vecStops) {
        const int nItem = c_nSwatch + 4 + fm.horizontalAdvance(stop.strText);
        if (x > c_nMargin && x + nItem > nWidth - c_nMargin) {
            x = c_nMargin;
            y += LineHeight();
        }
        vecRects.append(QRect(x, y, nItem, LineHeight() - c_nMargin));
        x += nItem + c_nSpacing;
    }
    return vecRects;
}

int CWallMapLegend::HeightForWidth(int nWidth) const
{
    if (m_legend.bScale)
        return 2 * LineHeight() + c_nMargin;
    const QVector<QRect> vecRects = SwatchRects(nWidth);
    return (vecRects.isEmpty() ? LineHeight() : vecRects.last().bottom() + 1) + c_nMargin;
}

void CWallMapLegend::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), QColor::fromRgb(WallMapMeasure::c_rgbBackground));
    painter.setPen(QColor::fromRgba(c_rgbText));
    const QFontMetrics fm = fontMetrics();
    QVector<WallMapMeasure::SLegendStop> vecSwatches = m_legend.vecStops;
    int y = c_nMargin;
    if (m_legend.bScale && vecSwatches.size() >= 2) {
        // The scale's stops, all but a trailing "no reading" swatch.
        const bool bMissing = vecSwatches.last().rgb == WallMapMeasure::c_rgbMissing;
        const QVector<WallMapMeasure::SLegendStop> vecScale = vecSwatches.mid(0, vecSwatches.size() - (bMissing ? 1 : 0));
        const QRect rectBar(c_nMargin, y, qMin(c_nScaleWidth, width() - 2 * c_nMargin), c_nSwatch);
        QLinearGradient gradient(rectBar.topLeft(), rectBar.topRight());
        for (int i = 0; i < vecScale.size(); ++i)
            gradient.setColorAt(vecScale.size() > 1 ? double(i) / (vecScale.size() - 1) : 0.0, QColor::fromRgb(vecScale[i].rgb));
        painter.fillRect(rectBar, gradient);
        const int yText = rectBar.bottom() + 2 + fm.ascent();
        for (int i = 0; i < vecScale.size(); ++i) {
            const int nText = fm.horizontalAdvance(vecScale[i].strText);
            const int x = rectBar.left() + (rectBar.width() - nText) * i / qMax(1, vecScale.size() - 1);
            painter.drawText(x, yText, vecScale[i].strText);
        }
        vecSwatches = bMissing ? vecSwatches.mid(vecSwatches.size() - 1) : QVector<WallMapMeasure::SLegendStop>();
        // The "no reading" swatch sits beside the bar.
        if (!vecSwatches.isEmpty()) {
            const QRect rectSwatch(rectBar.right() + c_nSpacing, y, c_nSwatch, c_nSwatch);
            painter.fillRect(rectSwatch, QColor::fromRgb(vecSwatches[0].rgb));
            painter.drawText(rectSwatch.right() + 5, y + (c_nSwatch + fm.ascent() - fm.descent()) / 2, vecSwatches[0].strText);
        }
        return;
    }
    const QVector<QRect> vecRects = SwatchRects(width());
    for (int i = 0; i < vecRects.size(); ++i) {
        const QRect& rectItem = vecRects[i];
        const QRect rectSwatch(rectItem.left(), rectItem.top() + (rectItem.height() - c_nSwatch) / 2, c_nSwatch, c_nSwatch);
        painter.fillRect(rectSwatch, QColor::fromRgb(m_legend.vecStops[i].rgb));
        painter.drawText(QRect(rectSwatch.right() + 5, rectItem.top(), rectItem.width(), rectItem.height()),
                         Qt::AlignLeft | Qt::AlignVCenter, m_legend.vecStops[i].strText);
    }
}
