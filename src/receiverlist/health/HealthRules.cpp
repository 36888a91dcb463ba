#include "HealthRules.h"

namespace HealthRules
{
uint32_t LimitStates(const SSensorReadings& readings, const SHealthLimits& limits)
{
    // Comparisons with NaN are false: an unread value is beyond nothing.
    uint32_t nStates = 0;
    if (limits.optTemperatureHigh && readings.dTemperature > *limits.optTemperatureHigh)
        nStates |= HealthTooHot;
    if ((limits.optVoltageLow && readings.dVoltage < *limits.optVoltageLow)
        || (limits.optVoltageHigh && readings.dVoltage > *limits.optVoltageHigh))
        nStates |= HealthVoltageOutOfRange;
    if (limits.optHumidityHigh && readings.dHumidity > *limits.optHumidityHigh)
        nStates |= HealthHumidityHigh;
    return nStates;
}

bool IsPacketError(long long nErrors, long long nTotal)
{
    // A negative total prints as no number, which the cell shows as 0 / 0.
    return nTotal >= 0 && nErrors > 0 && nErrors * 1000000 > nTotal;
}

uint32_t ProgressStates(int32_t nProgressState)
{
    if (nProgressState == SRowProgressInfo::Upgrading)
        return HealthUpgrading;
    if (nProgressState == SRowProgressInfo::UpgradeFailed)
        return HealthUpgradeFailed;
    return 0;
}

uint32_t WithAttention(uint32_t nStates)
{
    constexpr uint32_t c_nAttention = HealthPacketErrors | HealthTooHot | HealthVoltageOutOfRange | HealthHumidityHigh
        | HealthFailedModules | HealthUpgradeFailed;
    return (nStates & c_nAttention) ? nStates | HealthNeedsAttention : nStates & ~uint32_t(HealthNeedsAttention);
}
}

void CHealthTally::Clear()
{
    m_arrAll.fill(0);
    m_mapPort.clear();
}

void CHealthTally::Add(int nPort, uint32_t nStates, int nDelta)
{
    if (!nStates)
        return;
    Counts& arrPort = m_mapPort[nPort];
    for (int i = 0; i < c_nHealthStateCount; ++i) {
        if (nStates & (1u << i)) {
            m_arrAll[size_t(i)] += nDelta;
            arrPort[size_t(i)] += nDelta;
        }
    }
}

CHealthTally::Counts CHealthTally::Port(int nPort) const
{
    const auto it = m_mapPort.find(nPort);
    return it == m_mapPort.end() ? Counts {} : it->second;
}
