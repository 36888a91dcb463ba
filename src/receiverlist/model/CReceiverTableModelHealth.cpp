// The rows' health: their states as the limits and the written values decide
// them, the counts per state, and the warning colour and tooltip of a reading
// beyond a limit.

#include "CReceiverTableModel.h"

#include <QBrush>
#include <QColor>

namespace
{
// Amber: reads on every row background (#131416, #26282C, #383B42) and stays
// apart from the red of the packet counts.
const QColor s_colorWarning(0xF2, 0xA9, 0x3B);

// The limit as the tooltip names it: no digits beyond what it was set with.
QString LimitText(double dValue)
{
    return QString::number(dValue, 'g', 12);
}

bool EndsWith(const std::string& str, const char* pszEnd)
{
    const size_t nEnd = std::char_traits<char>::length(pszEnd);
    return str.size() >= nEnd && str.compare(str.size() - nEnd, nEnd, pszEnd) == 0;
}
}

uint32_t CReceiverTableModel::Restate(size_t nRow, uint32_t nMask, uint32_t nStates, int nOldPort)
{
    SRowHot& hot = m_vecHot[nRow];
    const int nPort = hot.nPort;
    const uint32_t nOld = hot.nStates;
    const uint32_t nNew = HealthRules::WithAttention((nOld & ~nMask) | (nStates & nMask));
    if (nNew == nOld && nPort == nOldPort)
        return 0;
    m_tally.Add(nOldPort, nOld, -1);
    m_tally.Add(nPort, nNew, 1);
    hot.nStates = uint8_t(nNew);
    ++m_nGeneration;
    return nNew ^ nOld;
}

bool CReceiverTableModel::IsPacketError(const SRowHot& hot) const
{
    // The counts as the cell prints them: signed after a rebuild, unsigned
    // after a packet re-read.
    if (hot.bUnsignedKey)
        return HealthRules::IsPacketError(hot.nErrorPackets, hot.nTotalPackets);
    return HealthRules::IsPacketError(int32_t(hot.nErrorPackets), int32_t(hot.nTotalPackets));
}

void CReceiverTableModel::SetHealthLimits(const SHealthLimits& limits)
{
    if (limits == m_limits)
        return;
    m_limits = limits;
    m_bAnyLimit = limits.IsAnySet();
    uint32_t nKeys = 0;
    int nFirstRow = rowCount();
    int nLastRow = -1;
    for (size_t r = 0; r < m_vecHot.size(); ++r) {
        const uint32_t nStates = LimitStates(m_vecRows[r].info.readings);
        const uint32_t nChanged = Restate(r, HealthRules::c_nLimitStates, nStates, m_vecHot[r].nPort);
        if (!(nChanged & HealthRules::c_nLimitStates))
            continue;
        nKeys |= (nChanged & HealthTooHot) ? 1u << ReceiverColumn::Temperature : 0u;
        nKeys |= (nChanged & HealthVoltageOutOfRange) ? 1u << ReceiverColumn::Voltage : 0u;
        nKeys |= (nChanged & HealthHumidityHigh) ? 1u << ReceiverColumn::Humidity : 0u;
        nFirstRow = qMin(nFirstRow, int(r));
        nLastRow = int(r);
    }
    KeysChanged(nFirstRow, nLastRow, nKeys);
}

QVariant CReceiverTableModel::HealthData(size_t nRow, int nKey, int nRole) const
{
    const uint32_t nStates = m_vecHot[nRow].nStates;
    const SSensorReadings& readings = m_vecRows[nRow].info.readings;
    QString strTip;
    switch (nKey) {
    case ReceiverColumn::Temperature: {
        if (!(nStates & HealthTooHot))
            return QVariant();
        // The limit in the unit the cell shows.
        const bool bFahrenheit = EndsWith(m_vecRows[nRow].info.strTemperature, "\xC2\xB0" "F");
        const double dLimit = *m_limits.optTemperatureHigh;
        strTip = bFahrenheit ? tr("Above the temperature limit of %1 °F").arg(LimitText(dLimit * 1.8 + 32.0))
                             : tr("Above the temperature limit of %1 °C").arg(LimitText(dLimit));
        break;
    }
    case ReceiverColumn::Voltage:
        if (!(nStates & HealthVoltageOutOfRange))
            return QVariant();
        if (m_limits.optVoltageLow && readings.dVoltage < *m_limits.optVoltageLow)
            strTip = tr("Below the voltage limit of %1 V").arg(LimitText(*m_limits.optVoltageLow));
        else
            strTip = tr("Above the voltage limit of %1 V").arg(LimitText(m_limits.optVoltageHigh.value_or(0.0)));
        break;
    case ReceiverColumn::Humidity:
        if (!(nStates & HealthHumidityHigh))
            return QVariant();
        strTip = tr("Above the humidity limit of %1%").arg(LimitText(*m_limits.optHumidityHigh));
        break;
    default:
        return QVariant();
    }
    if (nRole == Qt::ForegroundRole)
        return QBrush(s_colorWarning);
    return strTip;
}
