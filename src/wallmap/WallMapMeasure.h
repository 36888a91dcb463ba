#pragma once
// What a wall map cell's colour says: each measure turns a card's numbers
// into a colour, and names its scale for the legend.

#include "CWallMapView.h"

#include <QColor>
#include <QString>
#include <QVector>

#include <cstdint>

class CReceiverTableModel;

namespace WallMapMeasure
{
// The map's background, and the colour of a card whose reading is missing.
constexpr QRgb c_rgbBackground = 0xFF1E2126;
constexpr QRgb c_rgbMissing = 0xFF5A5F66;

// The card's colour under the measure.
QRgb Colour(CWallMapView::EMeasure eMeasure, const CReceiverTableModel& model, int nRow);
// A cell's colour for a card a filter hides: faded into the background.
QRgb Dimmed(QRgb rgb);

// One entry of the legend: a colour and what it means. A scale's entries are
// its stops from low to high, to be drawn as a gradient.
struct SLegendStop
{
    QRgb rgb = 0;
    QString strText;

    bool operator==(const SLegendStop& other) const { return rgb == other.rgb && strText == other.strText; }
};
struct SLegend
{
    bool bScale = false;   // a gradient between the stops, else swatches
    QVector<SLegendStop> vecStops;

    bool operator==(const SLegend& other) const { return bScale == other.bScale && vecStops == other.vecStops; }
    bool operator!=(const SLegend& other) const { return !(*this == other); }
};
SLegend Legend(CWallMapView::EMeasure eMeasure, const SHealthLimits& limits, bool bFahrenheit);

// The measure's value for one card as the tooltip names it.
QString ValueText(CWallMapView::EMeasure eMeasure, const CReceiverTableModel& model, int nRow);
// The states of a card, named and joined, "OK" when it is in none.
QString StatesText(uint32_t nStates);
}
