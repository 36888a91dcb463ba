#pragma once

#include "WallMapMeasure.h"

#include <QWidget>

// The wall map's legend, above its cells: a gradient with its ends and middle
// named for a scale, a row of named swatches otherwise.
class CWallMapLegend : public QWidget
{
    Q_OBJECT

public:
    explicit CWallMapLegend(QWidget* parent = nullptr);

    void SetLegend(const WallMapMeasure::SLegend& legend);
    const WallMapMeasure::SLegend& Legend() const { return m_legend; }
    // The height the legend needs at a width: swatches wrap onto more lines.
    int HeightForWidth(int nWidth) const;

protected:
    void paintEvent(QPaintEvent* e) override;

private:
    // Each swatch's rectangle at the width, in this widget's coordinates.
    QVector<QRect> SwatchRects(int nWidth) const;
    int LineHeight() const;

    WallMapMeasure::SLegend m_legend;
};
