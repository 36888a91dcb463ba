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

// Port addresses by port, each asked once per pass.
class CPortCache
{
public:
    SPortAddress Get(int nPort);
    SReceiverAddress Address(int nPort, int nPosition);

private:
    QMap<int, SPortAddress> m_mapPort;
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

// Values by receiver address in one flat array (open addressing, linear
// probing): a look-up costs one cache miss where a node-based map costs
// several, which is the whole cost of matching tens of thousands of rows.
template <typename T>
class CAddressTable
{
public:
    explicit CAddressTable(size_t nCount)
    {
        size_t nSize = 16;
        while (nSize < nCount * 2)
            nSize <<= 1;
        m_vecSlots.resize(nSize);
        m_nMask = nSize - 1;
    }
    // The value under the address, and whether the address is new.
    std::pair<T*, bool> Insert(const SReceiverAddress& address)
    {
        for (size_t i = SAddressHash()(address) & m_nMask;; i = (i + 1) & m_nMask) {
            SSlot& slot = m_vecSlots[i];
            if (!slot.bUsed) {
                slot.bUsed = true;
                slot.address = address;
                return { &slot.value, true };
            }
            if (slot.address == address)
                return { &slot.value, false };
        }
    }
    const T* Find(const SReceiverAddress& address) const
    {
        for (size_t i = SAddressHash()(address) & m_nMask;; i = (i + 1) & m_nMask) {
            const SSlot& slot = m_vecSlots[i];
            if (!slot.bUsed)
                return nullptr;
            if (slot.address == address)
                return &slot.value;
        }
    }

private:
    struct SSlot
    {
        SReceiverAddress address;
        bool bUsed = false;
        T value {};
    };
    std::vector<SSlot> m_vecSlots;
    size_t m_nMask = 0;
};
