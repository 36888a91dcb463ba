#include "WallMapMeasure.h"

#include "CReceiverTableModel.h"

#include <QCoreApplication>

#include <algorithm>
#include <cmath>

namespace
{
const char* const c_szContext = "CWallMapView";

QString Tr(const char* szText)
{
    return QCoreApplication::translate(c_szContext, szText);
}

constexpr QRgb c_rgbOk = 0xFF3A9D5D;
constexpr QRgb c_rgbCool = 0xFF3B7DDD;
constexpr QRgb c_rgbWarm = 0xFFF2D43B;
constexpr QRgb c_rgbHot = 0xFFE5484D;
constexpr QRgb c_rgbIdle = 0xFF4A4F57;
constexpr QRgb c_rgbProgressStart = 0xFF5A6270;
constexpr QRgb c_rgbProgressEnd = 0xFF3BA7F2;

// The states in the order a cell shows them: the first a card is in wins.
struct SStateColour
{
    EHealthState eState;
    QRgb rgb;
    const char* szName;
};
const SStateColour c_arrStates[] = {
    { HealthUpgradeFailed, 0xFFB0343A, QT_TRANSLATE_NOOP("CWallMapView", "Upgrade failed") },
    { HealthFailedModules, 0xFFC050D0, QT_TRANSLATE_NOOP("CWallMapView", "Failed modules") },
    { HealthPacketErrors, c_rgbHot, QT_TRANSLATE_NOOP("CWallMapView", "Packet errors") },
    { HealthTooHot, 0xFFF2A93B, QT_TRANSLATE_NOOP("CWallMapView", "Too hot") },
    { HealthVoltageOutOfRange, c_rgbWarm, QT_TRANSLATE_NOOP("CWallMapView", "Voltage out of range") },
    { HealthHumidityHigh, 0xFF4EA8F2, QT_TRANSLATE_NOOP("CWallMapView", "Humidity high") },
    { HealthUpgrading, 0xFF7C83F2, QT_TRANSLATE_NOOP("CWallMapView", "Upgrading") },
};

QRgb Mix(QRgb a, QRgb b, double t)
{
    t = std::clamp(t, 0.0, 1.0);
    const auto channel = [t](int x, int y) { return int(std::lround(x + (y - x) * t)); };
    return qRgb(channel(qRed(a), qRed(b)), channel(qGreen(a), qGreen(b)), channel(qBlue(a), qBlue(b)));
}

// Low to high over three colours: blue, green in the middle, red.
QRgb Ramp(double dValue, double dLow, double dHigh, QRgb rgbMid)
{
    const double t = (dValue - dLow) / (dHigh - dLow);
    return t < 0.5 ? Mix(c_rgbCool, rgbMid, t * 2.0) : Mix(rgbMid, c_rgbHot, t * 2.0 - 1.0);
}

// The temperature scale ends at the limit when one is set, so a card past it
// is as red as the scale goes.
void TemperatureScale(const SHealthLimits& limits, double& dLow, double& dHigh)
{
    dHigh = limits.optTemperatureHigh.value_or(70.0);
    dLow = dHigh - 50.0;
}

void VoltageScale(const SHealthLimits& limits, double& dLow, double& dHigh)
{
    dLow = limits.optVoltageLow.value_or(4.5);
    dHigh = limits.optVoltageHigh.value_or(5.5);
    if (dHigh <= dLow)
        dHigh = dLow + 1.0;
}

// Error ratio on a log scale: 1 in a million (the table's red rule) is the
// green end, 1 in a hundred the red one.
QRgb PacketColour(uint32_t nErrors, uint32_t nTotal)
{
    if (nTotal == 0)
        return nErrors == 0 ? WallMapMeasure::c_rgbMissing : c_rgbHot;
    if (nErrors == 0)
        return c_rgbOk;
    const double dLog = std::log10(std::min(1.0, double(nErrors) / double(nTotal)));
    return Ramp((dLog + 6.0) / 4.0, -1.0, 1.0, c_rgbWarm);
}

QRgb ProgressColour(const SRowProgressInfo& progress)
{
    switch (progress.nState) {
    case SRowProgressInfo::Upgrading:
        return Mix(c_rgbProgressStart, c_rgbProgressEnd, progress.nProgress / 100.0);
    case SRowProgressInfo::UpgradeFailed:
        return c_rgbHot;
    case SRowProgressInfo::UpgradeSucceeded:
        return c_rgbOk;
    default:
        return c_rgbIdle;
    }
}

QString Number(double dValue, int nDecimals)
{
    return QString::number(dValue, 'f', nDecimals);
}
}

namespace WallMapMeasure
{
QRgb Colour(CWallMapView::EMeasure eMeasure, const CReceiverTableModel& model, int nRow)
{
    const SHealthLimits& limits = model.HealthLimits();
    double dLow = 0.0;
    double dHigh = 0.0;
    switch (eMeasure) {
    case CWallMapView::MeasureHealth: {
        const uint32_t nStates = model.HealthStates(nRow);
        for (const SStateColour& state : c_arrStates) {
            if (nStates & state.eState)
                return state.rgb;
        }
        return c_rgbOk;
    }
    case CWallMapView::MeasureTemperature: {
        const double dValue = model.Readings(nRow).dTemperature;
        TemperatureScale(limits, dLow, dHigh);
        return std::isnan(dValue) ? c_rgbMissing : Ramp(dValue, dLow, dHigh, c_rgbOk);
    }
    case CWallMapView::MeasurePacketErrors:
        return PacketColour(model.ErrorPackets(nRow), model.TotalPackets(nRow));
    case CWallMapView::MeasureVoltage: {
        const double dValue = model.Readings(nRow).dVoltage;
        VoltageScale(limits, dLow, dHigh);
        return std::isnan(dValue) ? c_rgbMissing : Ramp(dValue, dLow, dHigh, c_rgbOk);
    }
    case CWallMapView::MeasureProgress:
        return ProgressColour(model.Progress(nRow));
    default:
        return c_rgbMissing;
    }
}

QRgb Dimmed(QRgb rgb)
{
    return Mix(c_rgbBackground, rgb, 0.3);
}

SLegend Legend(CWallMapView::EMeasure eMeasure, const SHealthLimits& limits, bool bFahrenheit)
{
    SLegend legend;
    double dLow = 0.0;
    double dHigh = 0.0;
    switch (eMeasure) {
    case CWallMapView::MeasureHealth:
        legend.vecStops.append({ c_rgbOk, QCoreApplication::translate("CWallMapView", "OK") });
        for (const SStateColour& state : c_arrStates)
            legend.vecStops.append({ state.rgb, Tr(state.szName) });
        break;
    case CWallMapView::MeasureTemperature: {
        TemperatureScale(limits, dLow, dHigh);
        const auto text = [bFahrenheit](double dCelsius) {
            return bFahrenheit ? Number(dCelsius * 1.8 + 32.0, 0) + QStringLiteral("°F") : Number(dCelsius, 0) + QStringLiteral("°C");
        };
        legend.bScale = true;
        legend.vecStops = { { c_rgbCool, text(dLow) }, { c_rgbOk, text((dLow + dHigh) / 2.0) }, { c_rgbHot, text(dHigh) } };
        break;
    }
    case CWallMapView::MeasurePacketErrors:
        legend.bScale = true;
        legend.vecStops = { { c_rgbOk, QCoreApplication::translate("CWallMapView", "1 ppm") }, { c_rgbWarm, QCoreApplication::translate("CWallMapView", "100 ppm") }, { c_rgbHot, QCoreApplication::translate("CWallMapView", "1%") } };
        break;
    case CWallMapView::MeasureVoltage:
        VoltageScale(limits, dLow, dHigh);
        legend.bScale = true;
        legend.vecStops = { { c_rgbCool, Number(dLow, 2) + QStringLiteral("V") },
                            { c_rgbOk, Number((dLow + dHigh) / 2.0, 2) + QStringLiteral("V") },
                            { c_rgbHot, Number(dHigh, 2) + QStringLiteral("V") } };
        break;
    case CWallMapView::MeasureProgress:
        legend.vecStops = { { c_rgbIdle, QCoreApplication::translate("CWallMapView", "Not upgrading") }, { c_rgbProgressStart, QCoreApplication::translate("CWallMapView", "0%") },
                            { c_rgbProgressEnd, QCoreApplication::translate("CWallMapView", "100%") }, { c_rgbOk, QCoreApplication::translate("CWallMapView", "Succeeded") }, { c_rgbHot, QCoreApplication::translate("CWallMapView", "Failed") } };
        break;
    default:
        break;
    }
    if (eMeasure != CWallMapView::MeasureHealth && eMeasure != CWallMapView::MeasureProgress)
        legend.vecStops.append({ c_rgbMissing, QCoreApplication::translate("CWallMapView", "No reading") });
    return legend;
}

QString ValueText(CWallMapView::EMeasure eMeasure, const CReceiverTableModel& model, int nRow)
{
    const auto cell = [&model, nRow](int nKey) {
        return model.data(model.index(nRow, model.Columns().ColumnOf(nKey)), Qt::DisplayRole).toString();
    };
    switch (eMeasure) {
    case CWallMapView::MeasureHealth:
        return StatesText(model.HealthStates(nRow));
    case CWallMapView::MeasureTemperature:
        return cell(ReceiverColumn::Temperature);
    case CWallMapView::MeasurePacketErrors:
        return cell(ReceiverColumn::Packets);
    case CWallMapView::MeasureVoltage:
        return cell(ReceiverColumn::Voltage);
    case CWallMapView::MeasureProgress:
        return model.Progress(nRow).nState == SRowProgressInfo::Upgrading
            ? QStringLiteral("%1%").arg(model.Progress(nRow).nProgress)
            : model.Progress(nRow).strText;
    default:
        return QString();
    }
}

QString StatesText(uint32_t nStates)
{
    QStringList listNames;
    for (const SStateColour& state : c_arrStates) {
        if (nStates & state.eState)
            listNames << Tr(state.szName);
    }
    return listNames.isEmpty() ? QCoreApplication::translate("CWallMapView", "OK") : listNames.join(QStringLiteral(", "));
}
}
