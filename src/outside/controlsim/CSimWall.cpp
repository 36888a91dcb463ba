#include "CSimWall.h"

#include "CSimWallControls.h"
#include "CSimWallGenerator.h"

#include "CSimWallLocker.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <utility>

namespace
{
// Indexed by CSimWall::EOperation; the names are the interface method names.
const char* const c_arrOperationNames[] = {
    "GetCurrentDeviceId",
    "SetSelectedReceivers",
    "GetSelectedReceivers",
    "SetSelectionDeviceId",
    "GetSelectionDeviceId",
    "IsOperating",
    "IsBusy",
    "SetFilterPort",
    "GetFilterPort",
    "GetPortCount",
    "GetPortByIndex",
    "GetPortAddress",
    "ClearCableErrors",
    "GetReceiverTypeName",
    "GetReceiverList",
    "IsTemperatureFahrenheit",
    "IsPortHidden",
    "DetectAll",
    "DetectReceivers",
    "GetCabinetMap",
    "QuitUpgrade",
    "GetUpgradeProgress",
    "GetUpgradeResult",
    "GetUpgradeStage",
    "GetUpgradeReceivers",
};

constexpr int c_nVoltageSensorKind = 3;

// Salts keep the runtime streams independent of the wall layout stream.
constexpr quint64 c_nRuntimeSalt = 0x71C4A11ULL;

double Drift(double dValue, double dDelta, double dStep, double dLow, double dHigh)
{
    return qBound(dLow, std::round((dValue + dDelta) / dStep) * dStep, dHigh);
}
} // namespace

CSimWall::CSimWall(const SSimWallConfig& config)
    : m_config(config)
    , m_pRuntimeControl(std::make_unique<CSimRuntimeControl>(this))
    , m_pOutputPortControl(std::make_unique<CSimOutputPortControl>(this))
    , m_pReceiverControl(std::make_unique<CSimReceiverControl>(this))
    , m_pPreferenceControl(std::make_unique<CSimPreferenceControl>(this))
    , m_pDetectControl(std::make_unique<CSimDetectControl>(this))
    , m_pCabinetLibControl(std::make_unique<CSimCabinetLibControl>(this))
    , m_pUpgradeConfigControl(std::make_unique<CSimUpgradeConfigControl>(this))
    , m_random(CSimRandom::Mix(quint64(config.nSeed) ^ c_nRuntimeSalt))
{
    static_assert(sizeof(c_arrOperationNames) / sizeof(c_arrOperationNames[0]) == size_t(OpCount),
        "one name per operation");
    CSimWallGenerator::Generate(m_config, m_listReceivers, m_vecErrorMode);
    m_mapCabinet = CSimWallGenerator::CabinetLibrary();
    m_idDevice = CSimWallGenerator::DeviceId(config.nSeed);
    m_bPortHidden = config.bPortHidden;
    m_bFahrenheit = config.bFahrenheit;
}

CSimWall::~CSimWall() { Uninstall(); }

// ---- publishing

void CSimWall::Install()
{
    g_pRuntimeControl = m_pRuntimeControl.get();
    g_pOutputPortControl = m_pOutputPortControl.get();
    g_pReceiverControl = m_pReceiverControl.get();
    g_pPreferenceControl = m_pPreferenceControl.get();
    g_pDetectControl = m_pDetectControl.get();
    g_pCabinetLibControl = m_pCabinetLibControl.get();
    g_pUpgradeConfigControl = m_pUpgradeConfigControl.get();
}

void CSimWall::Uninstall()
{
    // Leave globals alone that another wall has taken over since.
    auto reset = [](auto*& pGlobal, const auto* pMine) {
        if (pGlobal == pMine)
            pGlobal = nullptr;
    };
    reset(g_pRuntimeControl, m_pRuntimeControl.get());
    reset(g_pOutputPortControl, m_pOutputPortControl.get());
    reset(g_pReceiverControl, m_pReceiverControl.get());
    reset(g_pPreferenceControl, m_pPreferenceControl.get());
    reset(g_pDetectControl, m_pDetectControl.get());
    reset(g_pCabinetLibControl, m_pCabinetLibControl.get());
    reset(g_pUpgradeConfigControl, m_pUpgradeConfigControl.get());
}

bool CSimWall::IsInstalled() const
{
    return g_pRuntimeControl == m_pRuntimeControl.get() && g_pOutputPortControl == m_pOutputPortControl.get()
        && g_pReceiverControl == m_pReceiverControl.get() && g_pPreferenceControl == m_pPreferenceControl.get()
        && g_pDetectControl == m_pDetectControl.get() && g_pCabinetLibControl == m_pCabinetLibControl.get()
        && g_pUpgradeConfigControl == m_pUpgradeConfigControl.get();
}

CRuntimeControl* CSimWall::RuntimeControl() const { return m_pRuntimeControl.get(); }
COutputPortControl* CSimWall::OutputPortControl() const { return m_pOutputPortControl.get(); }
CReceiverControl* CSimWall::ReceiverControl() const { return m_pReceiverControl.get(); }
CPreferenceControl* CSimWall::PreferenceControl() const { return m_pPreferenceControl.get(); }
CDetectControl* CSimWall::DetectControl() const { return m_pDetectControl.get(); }
CCabinetLibControl* CSimWall::CabinetLibControl() const { return m_pCabinetLibControl.get(); }
CUpgradeConfigControl* CSimWall::UpgradeConfigControl() const { return m_pUpgradeConfigControl.get(); }

SSimWallConfig CSimWall::Config() const { return m_config; }

// ---- runtime state and preferences

void CSimWall::SetDeviceId(const QUuid& idDevice)
{
    CSimWallLocker locker(&m_mutex);
    m_idDevice = idDevice;
}

QUuid CSimWall::DeviceId() const
{
    CSimWallLocker locker(&m_mutex);
    return m_idDevice;
}

void CSimWall::SetSelectedReceivers(const std::vector<SReceiverAddress>& vecReceivers)
{
    CSimWallLocker locker(&m_mutex);
    m_vecSelected = vecReceivers;
}

std::vector<SReceiverAddress> CSimWall::GetSelectedReceivers() const
{
    CSimWallLocker locker(&m_mutex);
    return m_vecSelected;
}

void CSimWall::SetSelectionDeviceId(const QUuid& idDevice)
{
    CSimWallLocker locker(&m_mutex);
    m_idSelectionDevice = idDevice;
}

QUuid CSimWall::SelectionDeviceId() const
{
    CSimWallLocker locker(&m_mutex);
    return m_idSelectionDevice;
}

void CSimWall::SetFilterPort(int nPort)
{
    CSimWallLocker locker(&m_mutex);
    m_nFilterPort = nPort;
}

int CSimWall::FilterPort() const
{
    CSimWallLocker locker(&m_mutex);
    return m_nFilterPort;
}

void CSimWall::SetOperating(bool bOperating)
{
    CSimWallLocker locker(&m_mutex);
    m_bOperating = bOperating;
}

bool CSimWall::IsOperating() const
{
    CSimWallLocker locker(&m_mutex);
    return m_bOperating;
}

void CSimWall::SetBusy(bool bBusy)
{
    CSimWallLocker locker(&m_mutex);
    m_bBusy = bBusy;
}

bool CSimWall::IsBusy() const
{
    CSimWallLocker locker(&m_mutex);
    return m_bBusy;
}

void CSimWall::SetPortHidden(bool bHidden)
{
    CSimWallLocker locker(&m_mutex);
    m_bPortHidden = bHidden;
}

bool CSimWall::IsPortHidden() const
{
    CSimWallLocker locker(&m_mutex);
    return m_bPortHidden;
}

void CSimWall::SetFahrenheit(bool bFahrenheit)
{
    CSimWallLocker locker(&m_mutex);
    m_bFahrenheit = bFahrenheit;
}

bool CSimWall::IsFahrenheit() const
{
    CSimWallLocker locker(&m_mutex);
    return m_bFahrenheit;
}

// ---- direct data access

QList<SReceiverInfo> CSimWall::Receivers() const
{
    CSimWallLocker locker(&m_mutex);
    m_bReceiversShared = true;
    return m_listReceivers;
}

void CSimWall::SetReceivers(const QList<SReceiverInfo>& listReceivers)
{
    CSimWallLocker locker(&m_mutex);
    m_listReceivers = listReceivers;
    m_bReceiversShared = true; // the caller still holds the same nodes
    m_vecErrorMode.assign(size_t(m_listReceivers.size()), SimErrorNone);
    for (int i = 0; i < m_listReceivers.size(); ++i)
        m_vecErrorMode[size_t(i)] = CSimWallGenerator::ErrorModeOf(m_listReceivers.at(i));
}

// A list handed out shares its nodes with ours, and Qt 5 decides whether to copy
// on write with a relaxed reference-count check, which is no proper hand-over
// between threads. So once ours may be shared, the next change works on a fresh
// deep copy rather than trusting detach.
void CSimWall::OwnReceiversLocked()
{
    if (!m_bReceiversShared)
        return;
    QList<SReceiverInfo> listOwn;
    listOwn.reserve(m_listReceivers.size());
    for (const SReceiverInfo& info : qAsConst(m_listReceivers))
        listOwn.append(info);
    m_listReceivers.swap(listOwn);
    m_bReceiversShared = false;
}

bool CSimWall::SetReadings(int nIndex, double dTemperature, double dHumidity, double dVoltage)
{
    CSimWallLocker locker(&m_mutex);
    if (nIndex < 0 || nIndex >= m_listReceivers.size())
        return false;
    OwnReceiversLocked();
    SReceiverInfo& info = m_listReceivers[nIndex];
    info.bTemperatureValid = !std::isnan(dTemperature);
    info.dTemperature = info.bTemperatureValid ? dTemperature : 0.0;
    info.bHumidityValid = !std::isnan(dHumidity);
    info.dHumidity = info.bHumidityValid ? dHumidity : 0.0;
    if (std::isnan(dVoltage))
        info.mapSensor.erase(c_nVoltageSensorKind);
    else
        info.mapSensor[c_nVoltageSensorKind] = SSensorValue { c_nVoltageSensorKind, true, dVoltage };
    return true;
}

int CSimWall::ReceiverCount() const
{
    CSimWallLocker locker(&m_mutex);
    return m_listReceivers.size();
}

QMap<quint64, SCabinetInfo> CSimWall::CabinetMap() const
{
    CSimWallLocker locker(&m_mutex);
    return m_mapCabinet;
}

void CSimWall::SetCabinetMap(const QMap<quint64, SCabinetInfo>& mapCabinet)
{
    CSimWallLocker locker(&m_mutex);
    m_mapCabinet = mapCabinet;
}

void CSimWall::SetPortAddressOverride(std::function<SPortAddress(int)> fnPortAddress)
{
    CSimWallLocker locker(&m_mutex);
    m_fnPortAddress = std::move(fnPortAddress);
}

void CSimWall::SetPortCount(int nCount)
{
    CSimWallLocker locker(&m_mutex);
    m_bPortCountForced = true;
    m_nForcedPortCount = nCount;
}

void CSimWall::ResetPortCount()
{
    CSimWallLocker locker(&m_mutex);
    m_bPortCountForced = false;
    m_nForcedPortCount = 0;
}

int CSimWall::PortCountLocked() const
{
    return m_bPortCountForced ? m_nForcedPortCount : std::max(0, m_config.nPortCount);
}

SPortAddress CSimWall::PortAddressAnswer(EOperation eOperation, int nPort)
{
    std::function<SPortAddress(int)> fnPortAddress;
    int nCount = 0;
    {
        CSimWallLocker locker(&m_mutex);
        CountCallLocked(eOperation);
        fnPortAddress = m_fnPortAddress;
        nCount = PortCountLocked();
    }
    // The override may call back into the wall, so it runs unlocked.
    if (fnPortAddress)
        return fnPortAddress(nPort);
    if (nPort < 0 || nPort >= nCount)
        return SPortAddress(); // nPort -1: no such port
    return CSimWallGenerator::PortAddress(nPort);
}

// ---- simulation

void CSimWall::Tick()
{
    CSimWallLocker locker(&m_mutex);
    ++m_nTickCount;
    OwnReceiversLocked();
    const int nCount = m_listReceivers.size();
    for (int i = 0; i < nCount; ++i) {
        SReceiverInfo& info = m_listReceivers[i];
        info.nTotalPackets += quint32(m_random.Range(20000, 60000));
        // Rates chosen so noisy cables stay below one error per million packets
        // and bad ones stay well above it.
        const quint8 nMode = size_t(i) < m_vecErrorMode.size() ? m_vecErrorMode[size_t(i)] : quint8(SimErrorNone);
        if (nMode == SimErrorHigh)
            info.nErrorPackets += quint32(m_random.Range(1, 6));
        else if (nMode == SimErrorLow && m_random.Percent(1))
            info.nErrorPackets += 1;
        if (info.bTemperatureValid)
            info.dTemperature = Drift(info.dTemperature, m_random.Real(-0.5, 0.5), 0.1, 15.0, 75.0);
        if (info.bHumidityValid)
            info.dHumidity = Drift(info.dHumidity, m_random.Real(-0.3, 0.3), 0.1, 5.0, 95.0);
        const auto itVoltage = info.mapSensor.find(c_nVoltageSensorKind);
        if (itVoltage != info.mapSensor.end() && itVoltage->second.bValid)
            itVoltage->second.dValue = Drift(itVoltage->second.dValue, m_random.Real(-0.01, 0.01), 0.01, 4.8, 5.3);
        info.nUptime += 1000;
    }
    if (m_bHealthEvents)
        PlayHealthEventsLocked();
}

int CSimWall::TickCount() const
{
    CSimWallLocker locker(&m_mutex);
    return m_nTickCount;
}

void CSimWall::ClearCableErrors()
{
    CSimWallLocker locker(&m_mutex);
    ClearCableErrorsLocked();
}

void CSimWall::ClearCableErrorsLocked()
{
    for (int i = 0; i < m_listReceivers.size(); ++i) {
        if (m_listReceivers.at(i).nErrorPackets != 0) { // copy only when something changes
            OwnReceiversLocked();
            m_listReceivers[i].nErrorPackets = 0;
        }
    }
}

// ---- topology

void CSimWall::PlugReceiver(int nPort)
{
    CSimWallLocker locker(&m_mutex);
    if (nPort >= 0 && nPort < m_config.nPortCount)
        m_vecPendingTopology.push_back({nPort, true});
}

void CSimWall::UnplugReceiver(int nPort)
{
    CSimWallLocker locker(&m_mutex);
    if (nPort >= 0 && nPort < m_config.nPortCount)
        m_vecPendingTopology.push_back({nPort, false});
}

void CSimWall::ApplyTopologyNow()
{
    CSimWallLocker locker(&m_mutex);
    ApplyTopologyLocked();
}

bool CSimWall::HasPendingTopology() const
{
    CSimWallLocker locker(&m_mutex);
    return !m_vecPendingTopology.empty();
}

void CSimWall::ApplyTopologyLocked()
{
    const std::vector<STopologyChange> vecChanges = std::move(m_vecPendingTopology);
    m_vecPendingTopology.clear();
    for (const STopologyChange& change : vecChanges) {
        if (change.bPlug)
            PlugLocked(change.nPort);
        else
            UnplugLocked(change.nPort);
    }
}

void CSimWall::PlugLocked(int nPort)
{
    // The new card goes to the end of its port's string.
    int nLast = -1;
    int nMaxPosition = -1;
    const int nCount = m_listReceivers.size();
    for (int i = 0; i < nCount; ++i) {
        const SReceiverAddress& address = m_listReceivers.at(i).address;
        if (address.nPort == nPort) {
            nLast = i;
            nMaxPosition = std::max(nMaxPosition, address.nPosition);
        }
    }

    int nInsertAt = nCount;
    SPortAddress port = CSimWallGenerator::PortAddress(nPort);
    if (nLast >= 0) {
        nInsertAt = nLast + 1;
        port = m_listReceivers.at(nLast).address;
    } else {
        for (int i = 0; i < nCount; ++i) {
            if (m_listReceivers.at(i).address.nPort > nPort) {
                nInsertAt = i;
                break;
            }
        }
    }

    SReceiverInfo info;
    const quint32 nUptime = quint32(m_random.Range(1000, 5000)); // just powered up
    const int nPosition = nMaxPosition < std::numeric_limits<int>::max() ? nMaxPosition + 1 : nMaxPosition;
    CSimWallGenerator::FillReceiver(info, m_random, port, nPosition, nUptime);
    OwnReceiversLocked();
    m_listReceivers.insert(nInsertAt, info);
    m_vecErrorMode.insert(m_vecErrorMode.begin() + nInsertAt, quint8(SimErrorNone));
}

void CSimWall::UnplugLocked(int nPort)
{
    // The last card of the string is the one that goes.
    int nVictim = -1;
    for (int i = 0; i < m_listReceivers.size(); ++i) {
        const SReceiverAddress& address = m_listReceivers.at(i).address;
        if (address.nPort == nPort
            && (nVictim < 0 || address.nPosition >= m_listReceivers.at(nVictim).address.nPosition))
            nVictim = i;
    }
    if (nVictim < 0)
        return;
    OwnReceiversLocked();
    m_listReceivers.removeAt(nVictim);
    if (size_t(nVictim) < m_vecErrorMode.size())
        m_vecErrorMode.erase(m_vecErrorMode.begin() + nVictim);
}

// ---- detection

void CSimWall::SetDetectHook(std::function<void()> fnHook)
{
    CSimWallLocker locker(&m_mutex);
    m_fnDetectHook = std::move(fnHook);
}

void CSimWall::SetDetectDelay(int nMilliseconds)
{
    CSimWallLocker locker(&m_mutex);
    m_nDetectDelayMs = std::max(0, nMilliseconds);
}

int CSimWall::DetectAllCount() const
{
    CSimWallLocker locker(&m_mutex);
    return m_nDetectAllCount;
}

int CSimWall::DetectReceiversCount() const
{
    CSimWallLocker locker(&m_mutex);
    return m_nDetectReceiversCount;
}

QUuid CSimWall::LastDetectedDevice() const
{
    CSimWallLocker locker(&m_mutex);
    return m_idLastDetected;
}

Qt::HANDLE CSimWall::LastDetectThread() const
{
    CSimWallLocker locker(&m_mutex);
    return m_hLastDetectThread;
}

void CSimWall::RunDetection(EOperation eOperation, const QUuid& idDevice)
{
    std::function<void()> fnHook;
    int nDelayMs = 0;
    {
        CSimWallLocker locker(&m_mutex);
        CountCallLocked(eOperation);
        fnHook = m_fnDetectHook;
        nDelayMs = m_nDetectDelayMs;
    }
    // Unlocked: a test may block in the hook while the GUI thread keeps reading.
    if (fnHook)
        fnHook();
    if (nDelayMs > 0)
        QThread::msleep(ulong(nDelayMs));

    CSimWallLocker locker(&m_mutex);
    if (eOperation == OpDetectAll) {
        ++m_nDetectAllCount;
        m_idLastDetected = m_idDevice;
        ApplyTopologyLocked();
    } else {
        ++m_nDetectReceiversCount;
        m_idLastDetected = idDevice;
        if (!idDevice.isNull() && idDevice == m_idDevice)
            ApplyTopologyLocked();
    }
    m_hLastDetectThread = QThread::currentThreadId();
}

// ---- call accounting

const char* CSimWall::OperationName(EOperation eOperation)
{
    return (eOperation >= 0 && eOperation < OpCount) ? c_arrOperationNames[eOperation] : "";
}

void CSimWall::CountCallLocked(EOperation eOperation)
{
    ++m_arrCallCount[size_t(eOperation)];
    if (m_bCallLogEnabled)
        m_vecCallLog.push_back(quint8(eOperation));
}

int CSimWall::CallCount(const char* pszOperation) const
{
    if (!pszOperation)
        return 0;
    CSimWallLocker locker(&m_mutex);
    for (int i = 0; i < OpCount; ++i) {
        if (std::strcmp(c_arrOperationNames[i], pszOperation) == 0)
            return m_arrCallCount[size_t(i)];
    }
    return 0;
}

int CSimWall::TotalCallCount() const
{
    CSimWallLocker locker(&m_mutex);
    int nTotal = 0;
    for (int nCount : m_arrCallCount)
        nTotal += nCount;
    return nTotal;
}

void CSimWall::ResetCallCounts()
{
    CSimWallLocker locker(&m_mutex);
    m_arrCallCount.fill(0);
}

QStringList CSimWall::CallLog() const
{
    CSimWallLocker locker(&m_mutex);
    // Built fresh, so nothing is shared with the log that keeps growing.
    QStringList listLog;
    listLog.reserve(int(m_vecCallLog.size()));
    for (quint8 nOperation : m_vecCallLog)
        listLog.append(QString::fromLatin1(OperationName(EOperation(nOperation))));
    return listLog;
}

void CSimWall::ClearCallLog()
{
    CSimWallLocker locker(&m_mutex);
    m_vecCallLog.clear();
}

void CSimWall::SetCallLogEnabled(bool bEnabled)
{
    CSimWallLocker locker(&m_mutex);
    m_bCallLogEnabled = bEnabled;
}

// ---- static facts

SPortAddress CSimWall::DefaultPortAddress(int nPort) { return CSimWallGenerator::PortAddress(nPort); }
QUuid CSimWall::DefaultDeviceId(quint32 nSeed) { return CSimWallGenerator::DeviceId(nSeed); }
quint64 CSimWall::CabinetKeyOf(const SReceiverInfo& info) { return CSimWallGenerator::CabinetKey(info); }
QString CSimWall::TypeName(int nTypeCode) { return CSimWallGenerator::TypeName(nTypeCode); }
QList<int> CSimWall::TypeCodes() { return CSimWallGenerator::TypeCodes(); }
int CSimWall::UnknownTypeCode() { return CSimWallGenerator::UnknownTypeCode(); }
