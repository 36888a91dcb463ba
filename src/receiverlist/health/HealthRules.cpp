#include "HealthRules.h"

namespace
{
// From here up a port is counted in the map: a stray number does not grow the vector.
constexpr int c_nPortsByPlace = 4096;

int CountTrailingZeros(uint32_t n)
{
    int i = 0;
    while (!(n & 1u)) {
        n >>= 1;
        ++i;
    }
    return i;
}
}

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
    m_vecPort.clear();
    m_mapPort.clear();
}

CHealthTally::Counts& CHealthTally::PortCounts(int nPort)
{
    if (nPort < 0 || nPort >= c_nPortsByPlace)
        return m_mapPort[nPort];
    if (size_t(nPort) >= m_vecPort.size())
        m_vecPort.resize(size_t(nPort) + 1, Counts {});
    return m_vecPort[size_t(nPort)];
}

void CHealthTally::Add(int nPort, uint32_t nStates, int nDelta)
{
    if (!nStates)
        return;
    Counts& arrPort = PortCounts(nPort);
    for (uint32_t nBits = nStates; nBits; nBits &= nBits - 1) {
        const size_t i = size_t(CountTrailingZeros(nBits));
        if (i >= size_t(c_nHealthStateCount))
            break;
        m_arrAll[i] += nDelta;
        arrPort[i] += nDelta;
    }
}

CHealthTally::Counts CHealthTally::Port(int nPort) const
{
    if (nPort >= 0 && nPort < c_nPortsByPlace)
        return size_t(nPort) < m_vecPort.size() ? m_vecPort[size_t(nPort)] : Counts {};
    const auto it = m_mapPort.find(nPort);
    return it == m_mapPort.end() ? Counts {} : it->second;
}
