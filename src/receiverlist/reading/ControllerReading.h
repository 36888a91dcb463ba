#pragma once
// What the view reads from the host's controllers. The controllers belong to
// the host; until it publishes them the view reads an empty wall instead of
// crashing.

#include "SReceiverRowInfo.h"
#include "TavrelCMControl.h"

#include <QMap>
#include <QUuid>
#include <QVector>

#include <cstdint>
#include <set>
#include <utility>
#include <vector>

namespace ControllerReading
{
bool IsPortHidden();
QUuid CurrentDeviceId();
SPortAddress PortAddress(int nPort);
int FilterPort();
QList<SReceiverInfo> ReceiverList();

// Every receiver's row record, in the controller's order.
QVector<SReceiverRowInfo> ReadRowInfo();
// The receiver's readings as numbers; the texts show them rounded and in the
// operator's unit, the health limits compare these.
SSensorReadings SensorReadings(const SReceiverInfo& receiver);

// Port addresses by port, each asked once per pass.
class CPortCache
{
public:
    SPortAddress Get(int nPort);
    SReceiverAddress Address(int nPort, int nPosition);

private:
    QMap<int, SPortAddress> m_mapPort;
    // Rows come port by port: the port asked last is mostly asked again.
    int m_nLastPort = 0;
    SPortAddress m_addressLastPort;
    bool m_bHasLast = false;
};

// The runtime controller's stored selection, read once per rebuild or update.
struct SStoredSelection
{
    std::set<SReceiverAddress> setAddresses;
    bool bSameDevice = true;

    // With the Port column, a selection made on another device restores nothing.
    bool Contains(const SReceiverAddress& address, bool bCompareDevice) const
    {
        return (!bCompareDevice || bSameDevice) && setAddresses.count(address) > 0;
    }
};
SStoredSelection ReadStoredSelection();
}

// Asks for the memory at p ahead of its use; a hint, nothing more.
inline void PrefetchForRead(const void* p)
{
#if defined(__GNUC__) || defined(__clang__)
    __builtin_prefetch(p);
#else
    (void)p;
#endif
}

struct SAddressHash
{
    size_t operator()(const SReceiverAddress& a) const
    {
        uint64_t h = 1469598103934665603ull;
        for (int32_t n : { a.nConnection, a.nDevice, a.nSenderCard, a.nPort, a.nPosition })
            h = (h ^ uint32_t(n)) * 1099511628211ull;
        // Fold the high bits down: the table below keeps only the low ones.
        h ^= h >> 29;
        h *= 0xbf58476d1ce4e5b9ull;
        h ^= h >> 32;
        return size_t(h);
    }
};

// Values by receiver address, for matching tens of thousands of rows at once.
// The values lie in one array in the order they were inserted; the index over
// them (open addressing, linear probing) holds 8 bytes a slot: part of the
// hash, so that a probe rarely reads an entry it does not want, and the
// entry's place. Both stay small enough for the cache on a large wall, where
// a table of whole addresses would cost a cache and TLB miss per look-up.
template <typename T>
class CAddressTable
{
public:
    explicit CAddressTable(size_t nCount)
    {
        m_vecEntries.reserve(nCount);
        Resize(nCount);
    }
    // The value under the address, and whether the address is new. The
    // pointer holds until the next insertion.
    std::pair<T*, bool> Insert(const SReceiverAddress& address)
    {
        if ((m_vecEntries.size() + 1) * 2 > m_vecSlots.size())
            Resize(m_vecEntries.size() + 1);
        const size_t nHash = SAddressHash()(address);
        const uint32_t nTag = Tag(nHash);
        for (size_t i = nHash & m_nMask;; i = (i + 1) & m_nMask) {
            SSlot& slot = m_vecSlots[i];
            if (slot.nEntry == 0) {
                m_vecEntries.push_back({ address, T {} });
                slot = { nTag, uint32_t(m_vecEntries.size()) };
                return { &m_vecEntries.back().second, true };
            }
            auto& entry = m_vecEntries[slot.nEntry - 1];
            if (slot.nTag == nTag && entry.first == address)
                return { &entry.second, false };
        }
    }
    const T* Find(const SReceiverAddress& address) const { return Find(address, SAddressHash()(address)); }
    // Looks every address up, in order: fnFound(i, value or null). Slots are
    // asked for two steps ahead and the entries they name one step ahead, so
    // that on a table larger than the cache the misses overlap instead of
    // coming one after the other.
    template <typename Fn>
    void FindEach(const std::vector<SReceiverAddress>& vecAddresses, const Fn& fnFound) const
    {
        constexpr size_t c_nStep = 8;
        const size_t nCount = vecAddresses.size();
        std::vector<size_t> vecHash(nCount);
        for (size_t i = 0; i < nCount; ++i)
            vecHash[i] = SAddressHash()(vecAddresses[i]);
        for (size_t i = 0; i < nCount; ++i) {
            if (i + 2 * c_nStep < nCount)
                PrefetchForRead(&m_vecSlots[vecHash[i + 2 * c_nStep] & m_nMask]);
            if (i + c_nStep < nCount) {
                const SSlot& slot = m_vecSlots[vecHash[i + c_nStep] & m_nMask];
                if (slot.nEntry != 0)
                    PrefetchForRead(&m_vecEntries[slot.nEntry - 1]);
            }
            fnFound(i, Find(vecAddresses[i], vecHash[i]));
        }
    }
    size_t Size() const { return m_vecEntries.size(); }

private:
    const T* Find(const SReceiverAddress& address, size_t nHash) const
    {
        const uint32_t nTag = Tag(nHash);
        for (size_t i = nHash & m_nMask;; i = (i + 1) & m_nMask) {
            const SSlot& slot = m_vecSlots[i];
            if (slot.nEntry == 0)
                return nullptr;
            const auto& entry = m_vecEntries[slot.nEntry - 1];
            if (slot.nTag == nTag && entry.first == address)
                return &entry.second;
        }
    }
    struct SSlot
    {
        uint32_t nTag = 0;
        uint32_t nEntry = 0; // place in m_vecEntries plus one; 0 = free
    };
    // The slot index takes the hash's low bits, the tag its high ones.
    static uint32_t Tag(size_t nHash) { return uint32_t(uint64_t(nHash) >> 32); }
    // Room for nCount entries at half load at most, the entries re-indexed.
    void Resize(size_t nCount)
    {
        size_t nSize = 16;
        while (nSize < nCount * 2)
            nSize <<= 1;
        m_vecSlots.assign(nSize, SSlot());
        m_nMask = nSize - 1;
        for (size_t n = 0; n < m_vecEntries.size(); ++n) {
            const size_t nHash = SAddressHash()(m_vecEntries[n].first);
            size_t i = nHash & m_nMask;
            while (m_vecSlots[i].nEntry != 0)
                i = (i + 1) & m_nMask;
            m_vecSlots[i] = { Tag(nHash), uint32_t(n + 1) };
        }
    }

    std::vector<SSlot> m_vecSlots;
    std::vector<std::pair<SReceiverAddress, T>> m_vecEntries;
    size_t m_nMask = 0;
};
