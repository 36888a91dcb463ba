#include "CSimWallGenerator.h"

#include "CSimWall.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>

namespace
{
struct SSimType
{
    int nCode;
    const char* pszName;
    int nWeight; // percent of generated cards
};

constexpr SSimType c_arrTypes[] = {
    {0x0908, "RV-908", 45},
    {0x0916, "RV-916", 30},
    {0x0A08, "RV-A8", 15},
    {0x0D04, "RV-M4", 10},
};

// A card generation the host does not know yet; shows up as "Unknown".
constexpr int c_nUnknownTypeCode = 0x0E99;

struct SSimCabinet
{
    int nHigh;
    int nMid;
    int nLow;
    const char* pszName;
    const char* pszIdentifier;
};

constexpr SSimCabinet c_arrCabinets[] = {
    {0x1A01, 0x05, 0x11, "Cabinet 500x500", "CAB-0500-0500"},
    {0x1A01, 0x06, 0x12, "Cabinet 500x1000", "CAB-0500-1000"},
    {0x1A02, 0x05, 0x21, "Cabinet 640x480", "CAB-0640-0480"},
    {0x2B10, 0x01, 0x07, "Cabinet 960x960", "CAB-0960-0960"},
};
constexpr int c_nCabinetCount = int(sizeof(c_arrCabinets) / sizeof(c_arrCabinets[0]));

// Cabinets built on site: their key is in no library.
constexpr SSimCabinet c_cabUnlisted = {0x3C00, 0x09, 0x5A, "", "CAB-0750-0750"};

constexpr int c_nVoltageSensorKind = 3;

quint64 MakeKey(int nHigh, int nMid, int nLow)
{
    return (quint64(quint32(nHigh) & 0xFFFFu) << 16) | (quint64(quint32(nMid) & 0xFFu) << 8)
        | quint64(quint32(nLow) & 0xFFu);
}

double RoundTo(double dValue, double dStep) { return std::round(dValue / dStep) * dStep; }

std::string HexPrefix(CSimRandom& random)
{
    static const char c_szDigits[] = "0123456789ABCDEF";
    std::string str(3, '0');
    for (char& ch : str)
        ch = c_szDigits[random.Next() & 0xF];
    return str;
}

std::string MakeSerial(CSimRandom& random)
{
    const int nForm = random.RangeInt(0, 99);
    char szBuffer[64];
    if (nForm < 3) {
        // Older cards carry a bare running number.
        std::snprintf(szBuffer, sizeof(szBuffer), "R%d", random.RangeInt(1, 999999));
        return szBuffer;
    }
    const char chSeparator = nForm < 20 ? '/' : '-';
    // Drawn one per statement: argument evaluation order differs between
    // compilers, and the wall must not.
    const std::string strPrefix = HexPrefix(random);
    const int nBatch = random.RangeInt(0, 9999);
    const int nUnit = random.RangeInt(0, 99);
    std::snprintf(szBuffer, sizeof(szBuffer), "%s%c%04d%c%02d", strPrefix.c_str(), chSeparator, nBatch,
        chSeparator, nUnit);
    return szBuffer;
}

int PickType(CSimRandom& random)
{
    int nRoll = random.RangeInt(0, 99);
    for (const SSimType& type : c_arrTypes) {
        if (nRoll < type.nWeight)
            return type.nCode;
        nRoll -= type.nWeight;
    }
    return c_arrTypes[0].nCode;
}

// The cabinet key travels in several equivalent encodings on real cards; mix
// them so a reader that takes a shortcut gets some keys wrong.
void AssignCabinet(SReceiverInfo& info, CSimRandom& random, int nPreferredCabinet)
{
    const int nRoll = random.RangeInt(0, 99);
    const bool bListed = nRoll < 90;
    const SSimCabinet& cabinet = bListed
        ? c_arrCabinets[random.Percent(75) ? nPreferredCabinet : random.RangeInt(0, c_nCabinetCount - 1)]
        : c_cabUnlisted;

    if (bListed && nRoll < 80) {
        info.strCabinetId = cabinet.pszIdentifier;
    } else if (bListed) {
        char szBuffer[32];
        std::snprintf(szBuffer, sizeof(szBuffer), "USR-%04d", random.RangeInt(0, 9999));
        info.strCabinetId = szBuffer;
    } else {
        info.strCabinetId = random.Percent(50) ? std::string(cabinet.pszIdentifier) : std::string();
    }

    info.nCabinetKeyHigh = cabinet.nHigh | (random.Percent(5) ? 0x00A70000 : 0);
    info.nCabinetKeyMid = cabinet.nMid | (random.Percent(10) ? 0x1200 : 0);

    const int nModuleCount = random.RangeInt(2, 4);
    const bool bCodeOnModules = random.Percent(45);
    for (int nIndex = 0; nIndex < nModuleCount; ++nIndex) {
        SModuleInfo module;
        module.nIndex = nIndex;
        module.strName = "Module " + std::to_string(nIndex + 1);
        module.bOk = true;
        if (bCodeOnModules) {
            int nCode = random.Percent(30) ? (0x100 | cabinet.nLow) : cabinet.nLow;
            // A blank or garbled code on the first module must be skipped.
            if (nIndex == 0 && random.Percent(25))
                nCode = random.Percent(50) ? 0 : -5;
            module.nCabinetCode = qint16(nCode);
        }
        info.mapModule[nIndex] = module;
    }
    if (bCodeOnModules)
        info.nCabinetKeyLow = 0x100 | ((cabinet.nLow ^ 0x5A) & 0xFF); // stale value, must lose
    else
        info.nCabinetKeyLow = random.Percent(15) ? (0x300 | cabinet.nLow) : cabinet.nLow;
}

// k distinct indices out of [0, n), in pick order.
std::vector<int> PickDistinct(CSimRandom& random, int n, int k)
{
    std::vector<int> vecPicked;
    k = std::min(k, n);
    if (k <= 0)
        return vecPicked;
    vecPicked.reserve(size_t(k));
    if (k * 2 > n) {
        std::vector<int> vecAll(static_cast<size_t>(n));
        for (int i = 0; i < n; ++i)
            vecAll[size_t(i)] = i;
        for (int i = 0; i < k; ++i) {
            const int j = random.RangeInt(i, n - 1);
            std::swap(vecAll[size_t(i)], vecAll[size_t(j)]);
            vecPicked.push_back(vecAll[size_t(i)]);
        }
        return vecPicked;
    }
    std::vector<bool> vecTaken(static_cast<size_t>(n), false);
    while (int(vecPicked.size()) < k) {
        const int i = random.RangeInt(0, n - 1);
        if (vecTaken[size_t(i)])
            continue;
        vecTaken[size_t(i)] = true;
        vecPicked.push_back(i);
    }
    return vecPicked;
}

// Same characters apart from separators, so the two only collide once the
// separators are stripped.
std::string ResplitSerial(const std::string& strSerial)
{
    std::string str = strSerial;
    if (str.find('-') != std::string::npos) {
        std::replace(str.begin(), str.end(), '-', '/');
    } else if (str.find('/') != std::string::npos) {
        std::replace(str.begin(), str.end(), '/', '-');
    } else if (str.size() > 1) {
        str.insert(1, "-");
    } else {
        str += "/";
    }
    return str;
}

void FailModules(SReceiverInfo& info)
{
    // Keep the cabinet key intact: the first healthy module carries the real code.
    const quint64 nKey = CSimWallGenerator::CabinetKey(info);
    const int nLow = int(nKey & 0xFF);
    const int nModuleCount = std::max(3, int(info.mapModule.size()));
    info.mapModule.clear();
    for (int nIndex = 0; nIndex < nModuleCount; ++nIndex) {
        SModuleInfo module;
        module.nIndex = nIndex;
        module.strName = "Module " + std::to_string(nIndex + 1);
        module.bOk = !(nIndex == 0 || nIndex == nModuleCount - 1);
        module.nCabinetCode = qint16(nIndex == 0 ? (0x100 | (nLow ^ 0x33)) : nLow);
        info.mapModule[nIndex] = module;
    }
    if (nLow == 0) {
        // No positive code can carry a zero low byte; fall back to nCabinetKeyLow.
        for (auto& entry : info.mapModule) {
            if (entry.second.bOk)
                entry.second.nCabinetCode = 0;
        }
        info.nCabinetKeyLow = 0;
    }
}
} // namespace

void CSimWallGenerator::FillReceiver(
    SReceiverInfo& info, CSimRandom& random, const SPortAddress& port, int nPosition, quint32 nUptime)
{
    static_cast<SPortAddress&>(info.address) = port;
    info.address.nPosition = nPosition;
    info.nTypeCode = PickType(random);
    info.strSerialNumber = MakeSerial(random);
    info.nVersionMajor = random.RangeInt(3, 5);
    info.nVersionMinor = random.RangeInt(0, 24);
    info.bTemperatureValid = true;
    info.dTemperature = RoundTo(random.Real(20.0, 60.0), 0.1);
    info.bHumidityValid = true;
    info.dHumidity = RoundTo(random.Real(20.0, 70.0), 0.1);
    info.nErrorPackets = 0;
    info.nTotalPackets = quint32(random.Range(2000000, 60000000));
    info.nUptime = nUptime;

    const int nPreferredCabinet = (port.nPort >= 0 ? port.nPort : 0) % c_nCabinetCount;
    AssignCabinet(info, random, nPreferredCabinet);

    SSensorValue voltage;
    voltage.nKind = c_nVoltageSensorKind;
    voltage.bValid = true;
    voltage.dValue = RoundTo(random.Real(4.9, 5.2), 0.01);
    info.mapSensor[c_nVoltageSensorKind] = voltage;
}

namespace
{
// Odd ones out, exactly one of each where the wall has room for them.
void MarkOddOnes(CSimRandom& random, QList<SReceiverInfo>& listReceivers, int nTotal)
{
    const std::vector<int> vecSingles = PickDistinct(random, nTotal, 4);
    for (size_t i = 0; i < vecSingles.size(); ++i) {
        SReceiverInfo& info = listReceivers[vecSingles[i]];
        switch (i) {
        case 0:
            info.bTemperatureValid = false;
            info.dTemperature = 0.0;
            break;
        case 1:
            info.bHumidityValid = false;
            info.dHumidity = 0.0;
            break;
        case 2:
            FailModules(info);
            break;
        default:
            info.nTypeCode = c_nUnknownTypeCode;
            break;
        }
    }
}
}

void CSimWallGenerator::Generate(
    const SSimWallConfig& config, QList<SReceiverInfo>& listReceivers, std::vector<quint8>& vecErrorMode)
{
    listReceivers.clear();
    vecErrorMode.clear();
    const int nPortCount = std::max(0, config.nPortCount);
    const int nPerPort = std::max(0, config.nReceiversPerPort);
    const qint64 nTotal64 = qint64(nPortCount) * nPerPort;
    const int nTotal = int(std::min<qint64>(nTotal64, std::numeric_limits<int>::max() / 2));
    if (nTotal <= 0)
        return;

    CSimRandom random(CSimRandom::Mix(quint64(config.nSeed) ^ 0x5EED0000CAFEULL));
    listReceivers.reserve(nTotal);
    vecErrorMode.assign(size_t(nTotal), SimErrorNone);

    for (int nPort = 0; nPort < nPortCount && listReceivers.size() < nTotal; ++nPort) {
        const SPortAddress port = PortAddress(nPort);
        // Cards on one port are powered together; their clocks differ by seconds.
        const qint64 nPortUptime = random.Range(3600000, 2000000000);
        for (int nPosition = 0; nPosition < nPerPort && listReceivers.size() < nTotal; ++nPosition) {
            const quint32 nUptime = quint32(nPortUptime + random.Range(0, 4000));
            listReceivers.append(SReceiverInfo());
            FillReceiver(listReceivers.last(), random, port, nPosition, nUptime);
        }
    }

    MarkOddOnes(random, listReceivers, nTotal);

    // Serial numbers: short running numbers of different lengths, and pairs
    // that differ only in separators.
    const int nPairs = nTotal >= 8 ? std::max(1, nTotal / 48) : 0;
    const std::vector<int> vecSerials = PickDistinct(random, nTotal, 3 + 2 * nPairs);
    for (size_t i = 0; i < vecSerials.size(); ++i) {
        SReceiverInfo& info = listReceivers[vecSerials[i]];
        if (i == 0)
            info.strSerialNumber = "R" + std::to_string(random.RangeInt(2, 9));
        else if (i == 1)
            info.strSerialNumber = "R" + std::to_string(random.RangeInt(10, 99));
        else if (i == 2)
            info.strSerialNumber = "R" + std::to_string(random.RangeInt(100, 999));
        else if ((i - 3) % 2 == 1)
            info.strSerialNumber = ResplitSerial(listReceivers.at(vecSerials[i - 1]).strSerialNumber);
    }

    // Cards whose voltage sensor does not report at all.
    for (int nIndex : PickDistinct(random, nTotal, std::max(1, nTotal / 25)))
        listReceivers[nIndex].mapSensor.erase(c_nVoltageSensorKind);

    // Flaky cables, alternating between clearly bad and merely noisy.
    const std::vector<int> vecFlaky = PickDistinct(random, nTotal, std::max(2, nTotal / 30));
    for (size_t i = 0; i < vecFlaky.size(); ++i) {
        SReceiverInfo& info = listReceivers[vecFlaky[i]];
        if (i % 2 == 0) {
            const quint32 nMillions = std::max<quint32>(1, info.nTotalPackets / 1000000);
            info.nErrorPackets = nMillions * quint32(random.RangeInt(2, 40));
            vecErrorMode[size_t(vecFlaky[i])] = SimErrorHigh;
        } else {
            info.nTotalPackets = quint32(random.Range(10000000, 60000000));
            info.nErrorPackets = quint32(random.RangeInt(1, 5));
            vecErrorMode[size_t(vecFlaky[i])] = SimErrorLow;
        }
    }
}

SPortAddress CSimWallGenerator::PortAddress(int nPort)
{
    SPortAddress address;
    address.nConnection = 0;
    address.nDevice = 0;
    address.nSenderCard = nPort / 4;
    address.nPort = nPort;
    return address;
}

QMap<quint64, SCabinetInfo> CSimWallGenerator::CabinetLibrary()
{
    QMap<quint64, SCabinetInfo> mapCabinet;
    for (const SSimCabinet& cabinet : c_arrCabinets) {
        SCabinetInfo info;
        info.strName = cabinet.pszName;
        info.strIdentifier = cabinet.pszIdentifier;
        mapCabinet.insert(MakeKey(cabinet.nHigh, cabinet.nMid, cabinet.nLow), info);
    }
    return mapCabinet;
}

QString CSimWallGenerator::TypeName(int nTypeCode)
{
    for (const SSimType& type : c_arrTypes) {
        if (type.nCode == nTypeCode)
            return QString::fromLatin1(type.pszName);
    }
    return QStringLiteral("Unknown");
}

QList<int> CSimWallGenerator::TypeCodes()
{
    QList<int> listCodes;
    for (const SSimType& type : c_arrTypes)
        listCodes.append(type.nCode);
    return listCodes;
}

int CSimWallGenerator::UnknownTypeCode() { return c_nUnknownTypeCode; }

QUuid CSimWallGenerator::DeviceId(quint32 nSeed)
{
    CSimRandom random(CSimRandom::Mix(quint64(nSeed) ^ 0xD0E5DE71CE00ULL));
    const quint64 nHigh = random.Next();
    const quint64 nLow = random.Next();
    // Shaped like a random (version 4) id; the low bit keeps it non-null.
    return QUuid(uint(nHigh >> 32) | 1u, ushort(nHigh >> 16), ushort((nHigh & 0x0FFF) | 0x4000),
        uchar(((nLow >> 56) & 0x3F) | 0x80), uchar(nLow >> 48), uchar(nLow >> 40), uchar(nLow >> 32),
        uchar(nLow >> 24), uchar(nLow >> 16), uchar(nLow >> 8), uchar(nLow));
}

quint64 CSimWallGenerator::CabinetKey(const SReceiverInfo& info)
{
    int nLow = info.nCabinetKeyLow;
    for (const auto& entry : info.mapModule) {
        if (entry.second.bOk && entry.second.nCabinetCode > 0) {
            nLow = entry.second.nCabinetCode;
            break;
        }
    }
    return MakeKey(info.nCabinetKeyHigh, info.nCabinetKeyMid, nLow);
}

quint8 CSimWallGenerator::ErrorModeOf(const SReceiverInfo& info)
{
    if (info.nErrorPackets == 0)
        return SimErrorNone;
    return double(info.nErrorPackets) * 1e6 >= double(info.nTotalPackets) ? SimErrorHigh : SimErrorLow;
}

quint64 CSimWallGenerator::AddressHash(const SReceiverAddress& address, quint64 nSalt)
{
    quint64 n = CSimRandom::Mix(nSalt ^ 0xAD0125ULL);
    n = CSimRandom::Mix(n ^ quint32(address.nConnection));
    n = CSimRandom::Mix(n ^ quint32(address.nDevice));
    n = CSimRandom::Mix(n ^ quint32(address.nSenderCard));
    n = CSimRandom::Mix(n ^ quint32(address.nPort));
    return CSimRandom::Mix(n ^ quint32(address.nPosition));
}
