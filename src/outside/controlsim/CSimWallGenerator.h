#pragma once
// Content of the simulated wall: receivers, card types, the cabinet library and
// the fate of each card in an upgrade run. Pure functions of their inputs, so
// the same seed always yields the same wall.

#include "TavrelCMControl.h"

#include "CSimRandom.h"

#include <QList>
#include <QMap>
#include <QString>
#include <QUuid>

#include <vector>

struct SSimWallConfig;

// How a receiver behaves on Tick(): which ones keep collecting cable errors,
// and whether at a rate above or below one error per million packets.
enum ESimErrorMode : quint8
{
    SimErrorNone = 0,
    SimErrorLow = 1,
    SimErrorHigh = 2,
};

class CSimWallGenerator
{
public:
    // Receivers of a freshly built wall, ordered by port then position, plus
    // the error behaviour of each (same index).
    static void Generate(const SSimWallConfig& config, QList<SReceiverInfo>& listReceivers,
        std::vector<quint8>& vecErrorMode);

    // One healthy receiver (valid sensors, no errors, no failed modules), as a
    // freshly plugged card looks.
    static void FillReceiver(SReceiverInfo& info, CSimRandom& random, const SPortAddress& port, int nPosition,
        quint32 nUptime);

    static SPortAddress PortAddress(int nPort);
    static QMap<quint64, SCabinetInfo> CabinetLibrary();
    static QString TypeName(int nTypeCode);
    static QList<int> TypeCodes();
    static int UnknownTypeCode();
    static QUuid DeviceId(quint32 nSeed);

    // ((high & 0xFFFF) << 16) | ((mid & 0xFF) << 8) | low byte, where the low byte
    // comes from the first healthy module carrying a positive cabinet code and
    // only otherwise from nCabinetKeyLow.
    static quint64 CabinetKey(const SReceiverInfo& info);

    // Error behaviour guessed from the counters, for data handed in from outside.
    static quint8 ErrorModeOf(const SReceiverInfo& info);

    static quint64 AddressHash(const SReceiverAddress& address, quint64 nSalt);
};
