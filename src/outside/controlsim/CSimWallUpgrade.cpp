// The simulated upgrade run: members, their progress per step, and which fail.

#include "CSimWall.h"

#include "CSimWallGenerator.h"
#include "CSimWallLocker.h"

#include <algorithm>

namespace
{
constexpr quint64 c_nUpgradeSalt = 0x0F1A5E0ULL;
constexpr quint64 c_nUpgradeFailSalt = 0xFA11ED0ULL;
}

void CSimWall::StartUpgrade(const std::vector<SReceiverAddress>& vecMembers)
{
    CSimWallLocker locker(&m_mutex);
    StartUpgradeLocked(vecMembers, nullptr);
}

void CSimWall::StartUpgrade(
    const std::vector<SReceiverAddress>& vecMembers, const std::vector<SReceiverAddress>& vecFailing)
{
    CSimWallLocker locker(&m_mutex);
    StartUpgradeLocked(vecMembers, &vecFailing);
}

void CSimWall::StartUpgradeLocked(
    const std::vector<SReceiverAddress>& vecMembers, const std::vector<SReceiverAddress>* pFailing)
{
    ClearUpgradeLocked();

    std::vector<SReceiverAddress> vecAll;
    if (vecMembers.empty()) {
        vecAll.reserve(size_t(m_listReceivers.size()));
        for (const SReceiverInfo& info : qAsConst(m_listReceivers))
            vecAll.push_back(info.address);
    }
    const std::vector<SReceiverAddress>& vecSource = vecMembers.empty() ? vecAll : vecMembers;

    const quint64 nSalt = quint64(m_config.nSeed) ^ c_nUpgradeSalt;
    m_vecUpgradeMembers.reserve(vecSource.size());
    m_vecUpgradeState.reserve(vecSource.size());
    m_mapUpgradeIndex.reserve(vecSource.size());
    for (const SReceiverAddress& address : vecSource) {
        if (!m_mapUpgradeIndex.emplace(address, m_vecUpgradeMembers.size()).second)
            continue; // listed twice
        m_vecUpgradeMembers.push_back(address);
        m_vecUpgradeState.emplace_back();
        const quint64 nHash = CSimWallGenerator::AddressHash(address, nSalt);
        SUpgradeMember& member = m_vecUpgradeState.back();
        member.dStep = 0.04 + double(nHash % 12) / 100.0;
        member.dFailAt = 0.15 + double((nHash >> 16) % 70) / 100.0;
        ++m_nUpgradeRunning;
    }

    if (pFailing) {
        for (const SReceiverAddress& address : *pFailing) {
            const auto it = m_mapUpgradeIndex.find(address);
            if (it != m_mapUpgradeIndex.end())
                m_vecUpgradeState[it->second].bFail = true;
        }
        return;
    }

    // One member in ten (rounded) fails, picked by hash so the choice does not
    // depend on the order the host listed them in.
    const size_t nFail = (m_vecUpgradeMembers.size() + 5) / 10;
    if (nFail == 0)
        return;
    const quint64 nFailSalt = quint64(m_config.nSeed) ^ c_nUpgradeFailSalt;
    std::vector<std::pair<quint64, size_t>> vecRank;
    vecRank.reserve(m_vecUpgradeMembers.size());
    for (size_t i = 0; i < m_vecUpgradeMembers.size(); ++i)
        vecRank.emplace_back(CSimWallGenerator::AddressHash(m_vecUpgradeMembers[i], nFailSalt), i);
    std::partial_sort(vecRank.begin(), vecRank.begin() + std::ptrdiff_t(nFail), vecRank.end());
    for (size_t i = 0; i < nFail; ++i)
        m_vecUpgradeState[vecRank[i].second].bFail = true;
}

void CSimWall::StepUpgrade()
{
    CSimWallLocker locker(&m_mutex);
    for (size_t i = 0; i < m_vecUpgradeState.size(); ++i) {
        SUpgradeMember& member = m_vecUpgradeState[i];
        if (member.nStage != 1)
            continue;
        member.dProgress += member.dStep;
        if (member.bFail && member.dProgress >= member.dFailAt) {
            member.dProgress = member.dFailAt;
            member.nStage = 2;
            member.nResult = -1 - int(CSimWallGenerator::AddressHash(m_vecUpgradeMembers[i], c_nUpgradeFailSalt) % 3);
            --m_nUpgradeRunning;
        } else if (member.dProgress >= 1.0) {
            member.dProgress = 1.0;
            member.nStage = 2;
            member.nResult = c_nUpgradeResultOk;
            --m_nUpgradeRunning;
        }
    }
}

bool CSimWall::IsUpgradeRunning() const
{
    CSimWallLocker locker(&m_mutex);
    return m_nUpgradeRunning > 0;
}

bool CSimWall::QuitUpgrade()
{
    CSimWallLocker locker(&m_mutex);
    return QuitUpgradeLocked();
}

bool CSimWall::QuitUpgradeLocked()
{
    if (m_nUpgradeRunning <= 0)
        return false;
    for (SUpgradeMember& member : m_vecUpgradeState) {
        if (member.nStage == 1) {
            member.nStage = 2;
            member.nResult = c_nUpgradeResultCancelled;
        }
    }
    m_nUpgradeRunning = 0;
    return true;
}

void CSimWall::ClearUpgrade()
{
    CSimWallLocker locker(&m_mutex);
    ClearUpgradeLocked();
}

void CSimWall::ClearUpgradeLocked()
{
    m_vecUpgradeMembers.clear();
    m_vecUpgradeState.clear();
    m_mapUpgradeIndex.clear();
    m_nLastMember = 0;
    m_nUpgradeRunning = 0;
}

std::vector<SReceiverAddress> CSimWall::UpgradeMembers() const
{
    CSimWallLocker locker(&m_mutex);
    return m_vecUpgradeMembers;
}

size_t CSimWall::SAddressHasher::operator()(const SReceiverAddress& address) const
{
    return size_t(CSimWallGenerator::AddressHash(address, 0));
}

const CSimWall::SUpgradeMember* CSimWall::UpgradeMemberLocked(const SReceiverAddress& address) const
{
    const size_t nCount = m_vecUpgradeMembers.size();
    for (size_t i = m_nLastMember; i < nCount && i <= m_nLastMember + 1; ++i) {
        if (m_vecUpgradeMembers[i] == address) {
            m_nLastMember = i;
            return &m_vecUpgradeState[i];
        }
    }
    const auto it = m_mapUpgradeIndex.find(address);
    if (it == m_mapUpgradeIndex.end())
        return nullptr;
    m_nLastMember = it->second;
    return &m_vecUpgradeState[it->second];
}
