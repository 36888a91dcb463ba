// libFuzzer target over the road from a controller's receiver records to the
// texts of the table's cells: CollectReceiverInfo() and a full refresh on one
// view made at start-up. The input decodes into receiver records (every field,
// modules, sensors, texts of arbitrary bytes), a cabinet library, the type
// names the controller answers (arbitrary UTF-16), a stored selection, the
// sort column, the temperature unit and the port preference.
//
// Each record's texts are compared with the printf formats they are defined
// by, and each row with its record: any disagreement aborts, so libFuzzer
// keeps the input.

#include "CReceiverListDelegate.h"
#include "CReceiverListHeader.h"
#include "CReceiverListView.h"
#include "CSimWall.h"

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QSortFilterProxyModel>
#include <QStandardItemModel>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <set>
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

// The receiver controller of the run: records and type names from the input.
class CFuzzReceiverControl : public CReceiverControl
{
public:
    void ClearCableErrors() override {}
    QString GetReceiverTypeName(int nTypeCode) override
    {
        return listNames.isEmpty() ? QString::number(nTypeCode) : listNames.at(int(unsigned(nTypeCode) % unsigned(listNames.size())));
    }
    void GetReceiverList(QList<SReceiverInfo>& listReceivers) override { listReceivers = listRecords; }

    QList<SReceiverInfo> listRecords;
    QStringList listNames;
};

CSimWall* s_pWall = nullptr;
CFuzzReceiverControl* s_pReceivers = nullptr;
CReceiverListView* s_pView = nullptr;

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
void CheckRecord(const SReceiverInfo& in, const SReceiverRowInfo& out, const QMap<quint64, SCabinetInfo>& mapCabinet, bool bFahrenheit)
{
    Require(out.nPort == in.address.nPort && out.nPosition == in.address.nPosition, "address");
    Require(out.nErrorPackets == in.nErrorPackets && out.nTotalPackets == in.nTotalPackets, "packet counts");

    std::string strSN;
    for (const char c : in.strSerialNumber) {
        if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9'))
            strSN.push_back(c);
    }
    Require(out.strSN == strSN, "S/N text");

    const std::string strTypeName = s_pReceivers->GetReceiverTypeName(in.nTypeCode).toUtf8().toStdString();
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

SReceiverAddress Address(int nPort, int nPosition)
{
    SReceiverAddress address;
    static_cast<SPortAddress&>(address) = g_pOutputPortControl->GetPortAddress(nPort);
    address.nPosition = nPosition;
    return address;
}
}

extern "C" int LLVMFuzzerInitialize(int* /*argc*/, char*** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // Qt keeps argc by reference and may strip arguments; libFuzzer's stay
    // untouched. Everything made here lives until the process ends.
    static int s_nArgc = 1;
    static char* s_arrArgv[] = { (*argv)[0], nullptr };
    new QApplication(s_nArgc, s_arrArgv);

    SSimWallConfig config;
    config.nPortCount = 3;
    s_pWall = new CSimWall(config);
    s_pWall->Install();
    s_pReceivers = new CFuzzReceiverControl;
    g_pReceiverControl = s_pReceivers;

    s_pView = new CReceiverListView;
    s_pView->resize(1400, 400);
    s_pView->show();
    QCoreApplication::processEvents();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t nSize)
{
    CReader reader(pData, nSize);
    const uint8_t nFlags = reader.Read<uint8_t>();
    const bool bFahrenheit = reader.Bit(nFlags, 0);
    const bool bPortHidden = reader.Bit(nFlags, 1);
    const bool bPaint = reader.Bit(nFlags, 2);
    const int nSortColumn = int(reader.Read<uint8_t>() % 14) - 1; // -1 and 12 included
    const int nCount = reader.Read<uint8_t>() % 9;

    QList<SReceiverInfo> listRecords;
    std::vector<SReceiverAddress> vecStored;
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
        if (reader.Bit(nRecordFlags, 2))
            vecStored.push_back(Address(info.address.nPort, info.address.nPosition));
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

    s_pReceivers->listRecords = listRecords;
    s_pReceivers->listNames = listNames;
    s_pWall->SetCabinetMap(mapCabinet);
    s_pWall->SetFahrenheit(bFahrenheit);
    s_pWall->SetPortHidden(bPortHidden);
    s_pWall->SetSelectedReceivers(vecStored);
    s_pWall->SetSelectionDeviceId(s_pWall->DeviceId());

    // The records as collected, in the controller's order.
    s_pView->CollectReceiverInfo();
    const QVector<SReceiverRowInfo>& listInfo = s_pView->GetRowInfoList();
    Require(listInfo.size() == nCount, "one record per receiver");
    for (int i = 0; i < nCount; ++i)
        CheckRecord(listRecords.at(i), listInfo.at(i), mapCabinet, bFahrenheit);

    // The rows built from them (in the list's sorted order), checks restored.
    s_pView->GetHeader()->SetSortColumn(nSortColumn);
    s_pView->RefreshShow(true, false);
    const QStandardItemModel* pModel = s_pView->GetModel();
    const int H = s_pView->GetPortColumnHidden();
    Require(pModel->rowCount() == nCount && listInfo.size() == nCount && s_pView->GetProxyModel()->rowCount() == nCount, "one row per receiver");
    Require(pModel->columnCount() == ReceiverColumn::Count - H && H == int(bPortHidden), "column layout");
    const std::set<SReceiverAddress> setStored(vecStored.begin(), vecStored.end());
    int nChecked = 0;
    for (int r = 0; r < nCount; ++r) {
        const SReceiverRowInfo& info = listInfo.at(r);
        for (int c = 0; c < pModel->columnCount(); ++c) {
            const QStandardItem* pItem = pModel->item(r, c);
            Require(pItem && RoundTrips(pItem->text()) && RoundTrips(pItem->data(ReceiverRole::SortKey).toString()), "cell text round-trips through UTF-8");
        }
        auto cell = [&](int nKey) { return pModel->item(r, nKey - H); };
        auto text = [](const std::string& str) { return QString::fromUtf8(str.data(), int(str.size())); };
        Require(cell(ReceiverColumn::Position)->data(ReceiverRole::SortKey).toInt() == info.nPosition
                    && cell(ReceiverColumn::Position)->text() == QString::number(qint64(info.nPosition) + 1), "position cell");
        Require(H || (cell(ReceiverColumn::Port)->data(ReceiverRole::SortKey).toInt() == info.nPort
                      && cell(ReceiverColumn::Port)->text() == QString::number(qint64(info.nPort) + 1)), "port cell");
        Require(cell(ReceiverColumn::Type)->text() == text(info.strType) && cell(ReceiverColumn::SerialNumber)->text() == text(info.strSN)
                    && cell(ReceiverColumn::Firmware)->text() == text(info.strTypeName + " V" + info.strVersion)
                    && cell(ReceiverColumn::FailedModule)->text() == text(info.strFailedModule)
                    && cell(ReceiverColumn::Temperature)->text() == text(info.strTemperature)
                    && cell(ReceiverColumn::Humidity)->text() == text(info.strHumidity)
                    && cell(ReceiverColumn::Voltage)->text() == text(info.strVoltage)
                    && cell(ReceiverColumn::Uptime)->text() == text(info.strUptime), "cell texts are the record's");
        const QStandardItem* pPackets = cell(ReceiverColumn::Packets);
        Require(pPackets->data(ReceiverRole::Extra).toInt() == int(std::to_string(int32_t(info.nTotalPackets)).size())
                    && std::isfinite(pPackets->data(ReceiverRole::SortKey).toDouble()), "packet key");
        const QVariant varProgress = cell(ReceiverColumn::Progress)->data(ReceiverRole::Extra);
        Require(varProgress.canConvert<SRowProgressInfo>() && varProgress.value<SRowProgressInfo>().strText == QLatin1String("N/A"), "progress record");

        const bool bStored = setStored.count(Address(info.nPort, info.nPosition)) > 0;
        const QStandardItem* pFirst = pModel->item(r, 0);
        Require((pFirst->checkState() == Qt::Checked) == bStored && pFirst->isCheckable() == bStored, "check mark restored from the stored selection");
        nChecked += bStored;
    }
    const int nAll = H ? nCount : s_pView->GetFilterRowCount();
    const int nState = nChecked == 0 ? Qt::Unchecked : nChecked == nAll ? Qt::Checked : Qt::PartiallyChecked;
    Require(s_pView->GetHeader()->GetCheckBoxState() == nState, "header box state");

    // The delegate's own painting (first column, packet counts, progress) on
    // every row, in a cell as wide as the input asks.
    if (bPaint) {
        const int nWidth = 40 + nFlags;
        QImage image(nWidth, 36, QImage::Format_ARGB32_Premultiplied);
        QPainter painter(&image);
        QStyleOptionViewItem option;
        option.initFrom(s_pView);
        option.widget = s_pView;
        option.rect = QRect(0, 0, nWidth, 36);
        const QAbstractItemModel* pView = s_pView->model();
        for (int p = 0; p < nCount; ++p) {
            for (const int nKey : { int(H ? ReceiverColumn::Position : ReceiverColumn::Port), int(ReceiverColumn::Packets), int(ReceiverColumn::Progress) })
                s_pView->GetDelegate()->paint(&painter, option, pView->index(p, nKey - H));
        }
    }
    return 0;
}
