#include "ControllerReading.h"

#include "ReceiverCellText.h"

namespace ControllerReading
{
bool IsPortHidden()
{
    return g_pPreferenceControl && g_pPreferenceControl->IsPortHidden();
}

QUuid CurrentDeviceId()
{
    return g_pRuntimeControl ? g_pRuntimeControl->GetCurrentDeviceId() : QUuid();
}

SPortAddress PortAddress(int nPort)
{
    return g_pOutputPortControl ? g_pOutputPortControl->GetPortAddress(nPort) : SPortAddress();
}

int FilterPort()
{
    return g_pRuntimeControl ? g_pRuntimeControl->GetFilterPort() : -1;
}

QList<SReceiverInfo> ReceiverList()
{
    QList<SReceiverInfo> listReceivers;
    if (g_pReceiverControl)
        g_pReceiverControl->GetReceiverList(listReceivers);
    return listReceivers;
}

QVector<SReceiverRowInfo> ReadRowInfo()
{
    const QList<SReceiverInfo> listReceivers = ReceiverList();
    QMap<quint64, SCabinetInfo> mapCabinet;
    if (g_pCabinetLibControl)
        g_pCabinetLibControl->GetCabinetMap(mapCabinet);
    const bool bFahrenheit = g_pPreferenceControl && g_pPreferenceControl->IsTemperatureFahrenheit();

    QVector<SReceiverRowInfo> listInfo;
    listInfo.reserve(listReceivers.size());
    // A wall has a handful of types: a name like the one before is not
    // converted again.
    QString strLastName;
    std::string strTypeName;
    for (const SReceiverInfo& receiver : listReceivers) {
        if (g_pReceiverControl) {
            const QString strName = g_pReceiverControl->GetReceiverTypeName(receiver.nTypeCode);
            if (strName != strLastName) {
                strTypeName = strName.toUtf8().toStdString();
                strLastName = strName;
            }
        }
        listInfo.append(ReceiverCellText::MakeRowInfo(receiver, strTypeName, mapCabinet, bFahrenheit));
        listInfo.last().readings = SensorReadings(receiver);
    }
    return listInfo;
}

SSensorReadings SensorReadings(const SReceiverInfo& receiver)
{
    // Kind 3 is the voltage, as the cell text reads it.
    constexpr int c_nVoltageKind = 3;
    SSensorReadings readings;
    if (receiver.bTemperatureValid)
        readings.dTemperature = receiver.dTemperature;
    if (receiver.bHumidityValid)
        readings.dHumidity = receiver.dHumidity;
    const auto itVoltage = receiver.mapSensor.find(c_nVoltageKind);
    if (itVoltage != receiver.mapSensor.end() && itVoltage->second.bValid)
        readings.dVoltage = itVoltage->second.dValue;
    return readings;
}

SPortAddress CPortCache::Get(int nPort)
{
    if (m_bHasLast && nPort == m_nLastPort)
        return m_addressLastPort;
    auto it = m_mapPort.find(nPort);
    if (it == m_mapPort.end())
        it = m_mapPort.insert(nPort, PortAddress(nPort));
    m_nLastPort = nPort;
    m_addressLastPort = it.value();
    m_bHasLast = true;
    return m_addressLastPort;
}

SReceiverAddress CPortCache::Address(int nPort, int nPosition)
{
    SReceiverAddress address;
    static_cast<SPortAddress&>(address) = Get(nPort);
    address.nPosition = nPosition;
    return address;
}

SStoredSelection ReadStoredSelection()
{
    SStoredSelection selection;
    if (!g_pRuntimeControl)
        return selection;
    std::vector<SReceiverAddress> vecSelected;
    g_pRuntimeControl->GetSelectedReceivers(vecSelected);
    const QUuid idSelection = g_pRuntimeControl->GetSelectionDeviceId();
    const QUuid idCurrent = g_pRuntimeControl->GetCurrentDeviceId();
    selection.setAddresses.insert(vecSelected.begin(), vecSelected.end());
    selection.bSameDevice = idSelection == idCurrent;
    return selection;
}
}
