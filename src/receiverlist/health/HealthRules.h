#pragma once
// Which states a card is in, as pure functions of its numbers, and the counts
// of cards per state kept as rows change.

#include "ReceiverHealth.h"
#include "SReceiverRowInfo.h"

#include <map>
#include <vector>

namespace HealthRules
{
// The states a limit decides.
constexpr uint32_t c_nLimitStates = HealthTooHot | HealthVoltageOutOfRange | HealthHumidityHigh;
constexpr uint32_t c_nProgressStates = HealthUpgrading | HealthUpgradeFailed;

// The readings beyond the limits that are set; an unread reading (NaN) is
// beyond none.
uint32_t LimitStates(const SSensorReadings& readings, const SHealthLimits& limits);
// The rule the packet cell is painted red by, on the counts as printed.
bool IsPacketError(long long nErrors, long long nTotal);
uint32_t ProgressStates(int32_t nProgressState);
// The states with HealthNeedsAttention set or cleared to match the others.
uint32_t WithAttention(uint32_t nStates);
}

// Cards per state over all rows and per port; changed by the difference when
// a row's states or port change, never recounted row by row.
class CHealthTally
{
public:
    using Counts = std::array<int, c_nHealthStateCount>;

    void Clear();
    // Counts the states in (nDelta 1) or out (nDelta -1) for the port.
    void Add(int nPort, uint32_t nStates, int nDelta);
    const Counts& All() const { return m_arrAll; }
    Counts Port(int nPort) const;

private:
    Counts& PortCounts(int nPort);

    Counts m_arrAll {};
    // Ports are small numbers from 0: their counts are looked up by place;
    // any other port goes to the map.
    std::vector<Counts> m_vecPort;
    std::map<int, Counts> m_mapPort;
};
