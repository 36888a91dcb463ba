#include "ReceiverCellText.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace
{
// Number formatting without printf: the host's C locale may use a decimal
// comma, and the cell texts must not depend on it.
void AppendInt(std::string& str, long long nValue)
{
    char szBuffer[24];
    const auto result = std::to_chars(szBuffer, szBuffer + sizeof(szBuffer), nValue);
    str.append(szBuffer, result.ptr);
}

void AppendInt2(std::string& str, long long nValue)
{
    if (nValue >= 0 && nValue < 10)
        str.push_back('0');
    AppendInt(str, nValue);
}

void AppendFixed(std::string& str, double dValue, int nPrecision)
{
    if (std::isnan(dValue)) {
        str.append(std::signbit(dValue) ? "-nan" : "nan");
        return;
    }
    char szBuffer[400];
    const auto result = std::to_chars(szBuffer, szBuffer + sizeof(szBuffer), dValue, std::chars_format::fixed, nPrecision);
    if (result.ec == std::errc())
        str.append(szBuffer, result.ptr);
}

int ToIntTruncated(double dValue)
{
    if (dValue >= double(std::numeric_limits<int>::max()))
        return std::numeric_limits<int>::max();
    if (dValue <= double(std::numeric_limits<int>::min()))
        return std::numeric_limits<int>::min();
    return int(dValue);
}

// Only ASCII letters and digits survive, so filtering the UTF-8 bytes gives
// the same text as filtering characters.
std::string SerialText(const std::string& strRaw)
{
    std::string str;
    str.reserve(strRaw.size());
    for (const char c : strRaw) {
        if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9'))
            str.push_back(c);
    }
    return str;
}

std::string CabinetName(const SReceiverInfo& receiver, const QMap<quint64, SCabinetInfo>& mapCabinet, const std::string& strTypeName)
{
    quint32 nLowByte = quint32(receiver.nCabinetKeyLow) & 0xFF;
    for (const auto& module : receiver.mapModule) {
        if (module.second.bOk && module.second.nCabinetCode > 0) {
            nLowByte = quint32(module.second.nCabinetCode) & 0xFF;
            break;
        }
    }
    const quint64 nCabinetKey = ((quint32(receiver.nCabinetKeyHigh) & 0xFFFF) << 16)
        | ((quint32(receiver.nCabinetKeyMid) & 0xFF) << 8) | nLowByte;
    const auto itCabinet = mapCabinet.constFind(nCabinetKey);
    if (itCabinet != mapCabinet.constEnd() && itCabinet->strIdentifier == receiver.strCabinetId)
        return itCabinet->strName;
    return strTypeName;
}

std::string FailedModuleText(const SReceiverInfo& receiver)
{
    std::string str;
    for (const auto& module : receiver.mapModule) {
        if (module.second.bOk)
            continue;
        if (!str.empty())
            str += ", ";
        AppendInt(str, static_cast<long long>(module.second.nIndex) + 1);
    }
    return str.empty() ? std::string("N/A") : str;
}

void AppendSensorTexts(SReceiverRowInfo& info, const SReceiverInfo& receiver, bool bFahrenheit)
{
    if (!receiver.bTemperatureValid) {
        info.strTemperature = "--";
    } else {
        AppendFixed(info.strTemperature, bFahrenheit ? receiver.dTemperature * 1.8 + 32.0 : receiver.dTemperature, 2);
        info.strTemperature.append(bFahrenheit ? "\xC2\xB0" "F" : "\xC2\xB0" "C");
    }
    // A reading that is not a number has no integer part to show.
    if (!receiver.bHumidityValid || std::isnan(receiver.dHumidity)) {
        info.strHumidity = "--";
    } else {
        AppendInt(info.strHumidity, ToIntTruncated(receiver.dHumidity));
        info.strHumidity.push_back('%');
    }
    const auto itVoltage = receiver.mapSensor.find(3);
    if (itVoltage == receiver.mapSensor.end() || !itVoltage->second.bValid) {
        info.strVoltage = "--";
    } else {
        AppendFixed(info.strVoltage, itVoltage->second.dValue, 1);
        info.strVoltage.push_back('V');
    }
}

std::string UptimeText(uint32_t nUptime)
{
    std::string str;
    const uint32_t nHours = nUptime / 3600000u;
    const uint32_t nSecondsOfHour = (nUptime / 1000u) % 3600u;
    AppendInt(str, nHours);
    str.push_back(':');
    AppendInt2(str, nSecondsOfHour / 60u);
    str.push_back(':');
    AppendInt2(str, nSecondsOfHour % 60u);
    return str;
}
}

namespace ReceiverCellText
{
SReceiverRowInfo MakeRowInfo(const SReceiverInfo& receiver, const std::string& strTypeName,
                             const QMap<quint64, SCabinetInfo>& mapCabinet, bool bFahrenheit)
{
    SReceiverRowInfo info;
    info.nPort = receiver.address.nPort;
    info.nPosition = receiver.address.nPosition;
    info.strSN = SerialText(receiver.strSerialNumber);
    info.strTypeName = strTypeName;
    info.strType = CabinetName(receiver, mapCabinet, strTypeName);
    AppendInt(info.strVersion, receiver.nVersionMajor);
    info.strVersion.push_back('.');
    AppendInt2(info.strVersion, receiver.nVersionMinor);
    info.nErrorPackets = receiver.nErrorPackets;
    info.nTotalPackets = receiver.nTotalPackets;
    info.strFailedModule = FailedModuleText(receiver);
    AppendSensorTexts(info, receiver, bFahrenheit);
    info.strUptime = UptimeText(receiver.nUptime);
    return info;
}

double PacketKey(long long nErrors, long long nTotal, int* pDigits)
{
    char szBuffer[48];
    auto result = std::to_chars(szBuffer, szBuffer + 20, nErrors);
    char* pDot = result.ptr;
    *pDot = '.';
    result = std::to_chars(pDot + 1, szBuffer + sizeof(szBuffer), nTotal);
    *pDigits = int(result.ptr - (pDot + 1));
    double dValue = 0.0;
    const auto parsed = std::from_chars(szBuffer, result.ptr, dValue);
    if (parsed.ec != std::errc() || parsed.ptr != result.ptr)
        return 0.0;
    return dValue;
}

QString OrdinalText(int nNumber)
{
    return QString::number(qint64(nNumber) + 1);
}

QString FirmwareText(const SReceiverRowInfo& info)
{
    return Utf8Text(info.strTypeName + " V" + info.strVersion);
}

QString Utf8Text(const std::string& str)
{
    return QString::fromUtf8(str.data(), int(str.size()));
}
}
