// Health events the demo's live ticks play out on top of the readings' drift,
// so every card state turns up in realistic numbers and goes away again.

#include "CSimWall.h"

#include "CSimWallLocker.h"

#include <algorithm>
#include <cmath>
#include <functional>

namespace
{
constexpr int c_nVoltageSensorKind = 3;

// Phases of the cycle, in ticks.
constexpr int c_nHeatEnd = 20;      // hot cards warm up until here, then cool
constexpr int c_nCoolEnd = 40;
constexpr int c_nSagBegin = 10;     // one port's supply sags in between
constexpr int c_nSagEnd = 35;
constexpr int c_nFailAt = 15;       // modules fail here and are mended later
constexpr int c_nMendAt = 50;
constexpr int c_nHumidBegin = 20;   // a few cards turn humid in between
constexpr int c_nHumidEnd = 45;

// Up to nWanted different places below nCount.
std::vector<int> Pick(CSimRandom& random, int nCount, int nWanted)
{
    std::vector<int> vec;
    for (int nTry = 0; nCount > 0 && int(vec.size()) < std::min(nWanted, nCount) && nTry < 4 * nWanted; ++nTry) {
        const int n = random.RangeInt(0, nCount - 1);
        if (std::find(vec.begin(), vec.end(), n) == vec.end())
            vec.push_back(n);
    }
    return vec;
}
}

void CSimWall::SetHealthEvents(bool bOn)
{
    CSimWallLocker locker(&m_mutex);
    m_bHealthEvents = bOn;
}

bool CSimWall::HasHealthEvents() const
{
    CSimWallLocker locker(&m_mutex);
    return m_bHealthEvents;
}

void CSimWall::PlayHealthEventsLocked()
{
    const int nCount = m_listReceivers.size();
    const int nPhase = (m_nTickCount - 1) % c_nHealthCycleTicks;
    const int nCycle = (m_nTickCount - 1) / c_nHealthCycleTicks;
    if (nPhase == 0) {
        m_vecHotCards = Pick(m_random, nCount, std::max(2, nCount / 40));
        m_vecHumidCards = Pick(m_random, nCount, std::max(1, nCount / 80));
    }
    // Cards may have been unplugged since they were picked.
    auto fnEach = [this, nCount](const std::vector<int>& vec, const std::function<void(SReceiverInfo&)>& fn) {
        for (const int n : vec)
            if (n < nCount)
                fn(m_listReceivers[n]);
    };
    if (nPhase < c_nHeatEnd)
        fnEach(m_vecHotCards, [](SReceiverInfo& info) { info.dTemperature = std::min(info.dTemperature + 2.0, 78.0); });
    else if (nPhase < c_nCoolEnd)
        fnEach(m_vecHotCards, [](SReceiverInfo& info) { info.dTemperature = std::max(info.dTemperature - 2.5, 45.0); });

    if (nPhase >= c_nHumidBegin && nPhase < c_nHumidEnd)
        fnEach(m_vecHumidCards, [](SReceiverInfo& info) { info.dHumidity = std::min(info.dHumidity + 3.0, 88.0); });
    else if (nPhase == c_nHumidEnd)
        fnEach(m_vecHumidCards, [](SReceiverInfo& info) { info.dHumidity = std::min(info.dHumidity, 55.0); });

    // The readings' own drift pulls a sagged voltage back once this stops.
    if (nPhase >= c_nSagBegin && nPhase < c_nSagEnd && m_config.nPortCount > 0) {
        const int nPort = nCycle % m_config.nPortCount;
        for (SReceiverInfo& info : m_listReceivers) {
            const auto it = info.mapSensor.find(c_nVoltageSensorKind);
            if (info.address.nPort == nPort && it != info.mapSensor.end() && it->second.bValid)
                it->second.dValue = std::round(m_random.Real(4.30, 4.46) * 100.0) / 100.0;
        }
    }

    if (nPhase == c_nFailAt) {
        m_vecFailedModules.clear();
        for (const int n : Pick(m_random, nCount, std::max(1, nCount / 60))) {
            for (auto& entry : m_listReceivers[n].mapModule) {
                if (entry.second.bOk) {
                    entry.second.bOk = false;
                    m_vecFailedModules.emplace_back(n, entry.first);
                    break;
                }
            }
        }
    } else if (nPhase == c_nMendAt) {
        for (const auto& failed : m_vecFailedModules) {
            if (failed.first >= nCount)
                continue;
            auto& mapModule = m_listReceivers[failed.first].mapModule;
            const auto it = mapModule.find(failed.second);
            if (it != mapModule.end())
                it->second.bOk = true;
        }
        m_vecFailedModules.clear();
    }
}
