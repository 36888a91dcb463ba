// libFuzzer target over the road from a controller's receiver records to the
// texts of the table's cells: the pure text functions, the list sort and the
// table model, with no QApplication. The input decodes into receiver records
// (every field, modules, sensors, texts of arbitrary bytes), a cabinet
// library, the type names the controller answers (arbitrary UTF-16), the sort
// column, the temperature unit and the port preference.
//
// Each record's texts are compared with the printf formats they are defined
// by, and each row with its record: any disagreement aborts, so libFuzzer
// keeps the input.

#include "CReceiverListSorter.h"
#include "CReceiverTableModel.h"
#include "CSimWall.h"
#include "ReceiverCellText.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <string>

namespace
{
// Reads the input front to back; past its end every read gives zeros.
class CReader
{
public:
    CReader(const uint8_t* pData, size_t nSize) : m_pData(pData), m_nLeft(nSize) {}

    template <typename T> T Read()
    {
        unsigned char arrBytes[sizeof(T)] = {};
        const size_t n = std::min(sizeof(T), m_nLeft);
        std::memcpy(arrBytes, m_pData, n);
        Skip(n);
        T value;
        std::memcpy(&value, arrBytes, sizeof(T));
        return value;
    }
    bool Bit(uint8_t nFlags, int nBit) const { return (nFlags >> nBit) & 1; }

    // Length byte: below 250 that many bytes; 250 a 64 KiB run of the next
    // byte; 251 a 16-bit length.
    std::string Text()
    {
        const uint8_t nLength = Read<uint8_t>();
        if (nLength == 250)
            return std::string(65536, char(Read<uint8_t>()));
        size_t n = nLength == 251 ? Read<uint16_t>() : nLength;
        n = std::min(n, m_nLeft);
        std::string str(reinterpret_cast<const char*>(m_pData), n);
        Skip(n);
        return str;
    }

    // UTF-16 code units as they come, lone surrogates included.
    QString Utf16()
    {
        QString str;
        for (int n = Read<uint8_t>() % 16; n > 0; --n)
            str.append(QChar(Read<uint16_t>()));
        return str;
    }

private:
    void Skip(size_t n) { m_pData += n, m_nLeft -= n; }

    const uint8_t* m_pData;
    size_t m_nLeft;
};

// The type names the receiver controller of the run answers, from the input.
QString TypeName(const QStringList& listNames, int nTypeCode)
{
    return listNames.isEmpty() ? QString::number(nTypeCode) : listNames.at(int(unsigned(nTypeCode) % unsigned(listNames.size())));
}

void Require(bool bOk, const char* pszWhat)
{
    if (bOk)
        return;
    std::fprintf(stderr, "fuzz_celltexts: %s\n", pszWhat);
    std::abort();
}

template <typename... Args> std::string Format(const char* pszFormat, Args... args)
{
    const int n = std::snprintf(nullptr, 0, pszFormat, args...);
    std::string str(size_t(n) + 1, '\0');
    std::snprintf(&str[0], str.size(), pszFormat, args...);
    str.resize(size_t(n));
    return str;
}

// The texts one record must give, by the formats that define them.
void CheckRecord(const SReceiverInfo& in, const SReceiverRowInfo& out, const QMap<quint64, SCabinetInfo>& mapCabinet,
                 const std::string& strTypeName, bool bFahrenheit)
{
    Require(out.nPort == in.address.nPort && out.nPosition == in.address.nPosition, "address");
    Require(out.nErrorPackets == in.nErrorPackets && out.nTotalPackets == in.nTotalPackets, "packet counts");

    std::string strSN;
    for (const char c : in.strSerialNumber) {
        if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9'))
            strSN.push_back(c);
    }
    Require(out.strSN == strSN, "S/N text");

    Require(out.strTypeName == strTypeName, "type name");
    quint32 nLow = quint32(in.nCabinetKeyLow) & 0xFF;
    for (const auto& module : in.mapModule) {
        if (module.second.bOk && module.second.nCabinetCode > 0) {
            nLow = quint32(module.second.nCabinetCode) & 0xFF;
            break;
        }
    }
    const quint64 nKey = ((quint64(quint32(in.nCabinetKeyHigh)) & 0xFFFF) << 16) | ((quint32(in.nCabinetKeyMid) & 0xFF) << 8) | nLow;
    const auto it = mapCabinet.constFind(nKey);
    const bool bCabinet = it != mapCabinet.constEnd() && it->strIdentifier == in.strCabinetId;
    Require(out.strType == (bCabinet ? it->strName : strTypeName), "type text");

    Require(out.strVersion == Format("%d.%02d", in.nVersionMajor, in.nVersionMinor), "firmware version");

    std::string strFailed;
    for (const auto& module : in.mapModule) {
        if (!module.second.bOk)
            strFailed += (strFailed.empty() ? "" : ", ") + std::to_string(static_cast<long long>(module.second.nIndex) + 1);
    }
    Require(out.strFailedModule == (strFailed.empty() ? "N/A" : strFailed), "failed modules");

    if (!in.bTemperatureValid)
        Require(out.strTemperature == "--", "invalid temperature");
    else if (bFahrenheit)
        Require(out.strTemperature == Format("%.2lf\xC2\xB0" "F", in.dTemperature * 1.8 + 32.0), "temperature in F");
    else
        Require(out.strTemperature == Format("%.2lf\xC2\xB0" "C", in.dTemperature), "temperature in C");

    // "%d" of the truncated humidity; a reading outside int has no printf text,
    // so only its shape is held to.
    if (!in.bHumidityValid || std::isnan(in.dHumidity))
        Require(out.strHumidity == "--", "invalid humidity");
    else if (std::fabs(in.dHumidity) < 2147483647.0)
        Require(out.strHumidity == Format("%d%%", int(in.dHumidity)), "humidity");
    else
        Require(out.strHumidity.size() > 1 && out.strHumidity.back() == '%', "huge humidity");

    const auto itVoltage = in.mapSensor.find(3);
    if (itVoltage == in.mapSensor.end() || !itVoltage->second.bValid)
        Require(out.strVoltage == "--", "missing voltage");
    else
        Require(out.strVoltage == Format("%.1lfV", itVoltage->second.dValue), "voltage");

    const quint32 nSeconds = (in.nUptime / 1000u) % 3600u;
    Require(out.strUptime == Format("%u:%02u:%02u", in.nUptime / 3600000u, nSeconds / 60u, nSeconds % 60u), "uptime");
}

// (QString::fromUtf8(QByteArray) would stop at an embedded NUL.)
bool RoundTrips(const QString& str)
{
    const QByteArray bytes = str.toUtf8();
    return QString::fromUtf8(bytes.constData(), bytes.size()) == str;
}

// Each row of the model reads as its record.
void CheckRows(const CReceiverTableModel& model, const QVector<SReceiverRowInfo>& listInfo, int H)
{
    auto text = [](const std::string& str) { return QString::fromUtf8(str.data(), int(str.size())); };
    for (int r = 0; r < listInfo.size(); ++r) {
        const SReceiverRowInfo& info = listInfo.at(r);
        for (int c = 0; c < model.columnCount(); ++c) {
            const QModelIndex index = model.index(r, c);
            Require(RoundTrips(index.data().toString()) && RoundTrips(index.data(ReceiverRole::SortKey).toString()), "cell text round-trips through UTF-8");
        }
        auto cell = [&](int nKey, int nRole = Qt::DisplayRole) { return model.index(r, nKey - H).data(nRole); };
        Require(cell(ReceiverColumn::Position, ReceiverRole::SortKey).toInt() == info.nPosition
                    && cell(ReceiverColumn::Position).toString() == QString::number(qint64(info.nPosition) + 1), "position cell");
        Require(H ? cell(ReceiverColumn::Position, ReceiverRole::RealPort).toInt() == info.nPort
                  : (cell(ReceiverColumn::Port, ReceiverRole::SortKey).toInt() == info.nPort
                     && cell(ReceiverColumn::Port).toString() == QString::number(qint64(info.nPort) + 1)), "port cell");
        Require(cell(ReceiverColumn::Type).toString() == text(info.strType) && cell(ReceiverColumn::SerialNumber).toString() == text(info.strSN)
                    && cell(ReceiverColumn::Firmware).toString() == text(info.strTypeName + " V" + info.strVersion)
                    && cell(ReceiverColumn::FailedModule).toString() == text(info.strFailedModule)
                    && cell(ReceiverColumn::Temperature).toString() == text(info.strTemperature)
                    && cell(ReceiverColumn::Humidity).toString() == text(info.strHumidity)
                    && cell(ReceiverColumn::Voltage).toString() == text(info.strVoltage)
                    && cell(ReceiverColumn::Uptime).toString() == text(info.strUptime), "cell texts are the record's");
        Require(cell(ReceiverColumn::Packets, ReceiverRole::Extra).toInt() == int(std::to_string(int32_t(info.nTotalPackets)).size())
                    && std::isfinite(cell(ReceiverColumn::Packets, ReceiverRole::SortKey).toDouble()), "packet key");
        const QVariant varProgress = cell(ReceiverColumn::Progress, ReceiverRole::Extra);
        Require(varProgress.canConvert<SRowProgressInfo>() && varProgress.value<SRowProgressInfo>().strText == QLatin1String("N/A"), "progress record");
        Require(!model.HasCheckState(r) && !model.IsCheckable(r), "no box on a new row");
    }
}

// The list sort keeps every record and puts them in order.
void CheckSort(const QVector<SReceiverRowInfo>& listBefore, const QVector<SReceiverRowInfo>& listAfter, const std::vector<int>& vecFrom, int nKey)
{
    Require(vecFrom.size() == size_t(listBefore.size()) && listAfter.size() == listBefore.size(), "sort keeps the count");
    std::vector<char> vecSeen(vecFrom.size(), 0);
    for (size_t i = 0; i < vecFrom.size(); ++i) {
        Require(vecFrom[i] >= 0 && size_t(vecFrom[i]) < vecFrom.size() && !vecSeen[size_t(vecFrom[i])], "sort is a permutation");
        vecSeen[size_t(vecFrom[i])] = 1;
        Require(listAfter.at(int(i)).strSN == listBefore.at(vecFrom[i]).strSN, "records move with the permutation");
        if (i == 0 || nKey != ReceiverColumn::Port)
            continue;
        const SReceiverRowInfo& a = listAfter.at(int(i) - 1);
        const SReceiverRowInfo& b = listAfter.at(int(i));
        Require(a.nPort < b.nPort || (a.nPort == b.nPort && a.nPosition <= b.nPosition), "ascending by port, then position");
    }
}
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t nSize)
{
    CReader reader(pData, nSize);
    const uint8_t nFlags = reader.Read<uint8_t>();
    const bool bFahrenheit = reader.Bit(nFlags, 0);
    const bool bPortHidden = reader.Bit(nFlags, 1);
    const int nSortColumn = int(reader.Read<uint8_t>() % 14) - 1; // -1 and 12 included
    const int nCount = reader.Read<uint8_t>() % 9;

    QList<SReceiverInfo> listRecords;
    for (int i = 0; i < nCount; ++i) {
        SReceiverInfo info;
        info.address.nConnection = reader.Read<int32_t>();
        info.address.nDevice = reader.Read<int32_t>();
        info.address.nSenderCard = reader.Read<int32_t>();
        info.address.nPort = reader.Read<int32_t>();
        info.address.nPosition = reader.Read<int32_t>();
        info.nTypeCode = reader.Read<int32_t>();
        info.strSerialNumber = reader.Text();
        info.strCabinetId = reader.Text();
        info.nVersionMajor = reader.Read<int32_t>();
        info.nVersionMinor = reader.Read<int32_t>();
        const uint8_t nRecordFlags = reader.Read<uint8_t>();
        info.bTemperatureValid = reader.Bit(nRecordFlags, 0);
        info.bHumidityValid = reader.Bit(nRecordFlags, 1);
        info.dTemperature = reader.Read<double>();
        info.dHumidity = reader.Read<double>();
        info.nErrorPackets = reader.Read<uint32_t>();
        info.nTotalPackets = reader.Read<uint32_t>();
        info.nUptime = reader.Read<uint32_t>();
        info.nCabinetKeyHigh = reader.Read<int32_t>();
        info.nCabinetKeyMid = reader.Read<int32_t>();
        info.nCabinetKeyLow = reader.Read<int32_t>();
        for (int n = reader.Read<uint8_t>() % 5; n > 0; --n) {
            SModuleInfo module;
            const int32_t nKey = reader.Read<int32_t>();
            module.nIndex = reader.Read<int32_t>();
            module.strName = reader.Text();
            module.bOk = reader.Bit(reader.Read<uint8_t>(), 0);
            module.nCabinetCode = reader.Read<int16_t>();
            info.mapModule[nKey] = module;
        }
        for (int n = reader.Read<uint8_t>() % 4; n > 0; --n) {
            SSensorValue sensor;
            const int32_t nKind = reader.Bit(reader.Read<uint8_t>(), 0) ? 3 : reader.Read<int32_t>();
            sensor.nKind = reader.Read<int32_t>();
            sensor.bValid = reader.Bit(reader.Read<uint8_t>(), 0);
            sensor.dValue = reader.Read<double>();
            info.mapSensor[nKind] = sensor;
        }
        listRecords.append(info);
    }
    QMap<quint64, SCabinetInfo> mapCabinet;
    for (int n = reader.Read<uint8_t>() % 5; n > 0; --n) {
        const uint8_t nOf = reader.Read<uint8_t>();
        const bool bOfRecord = nOf < listRecords.size();
        const quint64 nKey = bOfRecord ? CSimWall::CabinetKeyOf(listRecords.at(nOf)) : reader.Read<uint64_t>();
        SCabinetInfo cabinet;
        cabinet.strName = reader.Text();
        cabinet.strIdentifier = bOfRecord && reader.Bit(nOf, 7) ? listRecords.at(nOf).strCabinetId : reader.Text();
        mapCabinet.insert(nKey, cabinet);
    }
    QStringList listNames;
    for (int n = reader.Read<uint8_t>() % 4; n > 0; --n)
        listNames.append(reader.Utf16());

    // The records as the view collects them, in the controller's order.
    QVector<SReceiverRowInfo> listInfo;
    for (const SReceiverInfo& record : qAsConst(listRecords)) {
        const std::string strTypeName = TypeName(listNames, record.nTypeCode).toUtf8().toStdString();
        listInfo.append(ReceiverCellText::MakeRowInfo(record, strTypeName, mapCabinet, bFahrenheit));
        CheckRecord(record, listInfo.constLast(), mapCabinet, strTypeName, bFahrenheit);
    }

    // Sorted as a header click on a list-sorted column sorts them.
    const int H = bPortHidden ? 1 : 0;
    const int nKey = nSortColumn + H;
    if (CReceiverListSorter::IsListSortedKey(nKey)) {
        static CReceiverListSorter s_sorter;
        const QVector<SReceiverRowInfo> listBefore = listInfo;
        const std::vector<int> vecFrom = s_sorter.Sort(listInfo, nKey, true);
        CheckSort(listBefore, listInfo, vecFrom, nKey);
    }

    // The rows built from them.
    CReceiverTableModel model;
    model.SetPortShown(!bPortHidden);
    model.Rebuild(listInfo, {});
    Require(model.rowCount() == nCount && model.columnCount() == ReceiverColumn::Count - H, "one row per receiver, column layout");
    CheckRows(model, listInfo, H);
    return 0;
}
