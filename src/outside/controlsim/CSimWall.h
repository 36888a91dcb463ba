#pragma once
// A simulated LED wall behind the seven controller interfaces, used by the demo
// host, the test suites and the benchmarks in place of real hardware.
//
// Everything is generated from the seed, so equal configs give equal walls, and
// nothing changes on its own: values move only through Tick(), topology only
// through Plug/Unplug plus a detection, upgrades only through StepUpgrade().
// All state sits behind one mutex; every public call, including the controller
// calls the view makes from pool threads, is thread-safe.
//
// Host-side calls on CSimWall itself are not counted; CallCount()/CallLog()
// record only calls that arrive through the controller interfaces.

#include "TavrelCMControl.h"

#include "CSimRandom.h"

#include <QList>
#include <QMap>
#include <QMutex>
#include <QStringList>
#include <QThread>
#include <QUuid>

#include <array>
#include <functional>
#include <map>
#include <memory>
#include <unordered_map>
#include <vector>

struct SSimWallConfig
{
    int nPortCount = 4;
    int nReceiversPerPort = 24;
    quint32 nSeed = 1;
    bool bPortHidden = false;
    bool bFahrenheit = false;
};

class CSimWall
{
public:
    // Result codes of an upgrade member at stage 2.
    static constexpr int c_nUpgradeResultOk = 0;
    static constexpr int c_nUpgradeResultCancelled = -4; // failures proper are -1..-3

    explicit CSimWall(const SSimWallConfig& config = {});
    ~CSimWall();
    CSimWall(const CSimWall&) = delete;
    CSimWall& operator=(const CSimWall&) = delete;

    // Publishing through the g_p... globals.
    void Install();
    void Uninstall();
    bool IsInstalled() const;

    // The controller objects, for code that wants them without the globals.
    CRuntimeControl* RuntimeControl() const;
    COutputPortControl* OutputPortControl() const;
    CReceiverControl* ReceiverControl() const;
    CPreferenceControl* PreferenceControl() const;
    CDetectControl* DetectControl() const;
    CCabinetLibControl* CabinetLibControl() const;
    CUpgradeConfigControl* UpgradeConfigControl() const;

    SSimWallConfig Config() const;

    // Runtime state.
    void SetDeviceId(const QUuid& idDevice); // null = no device
    QUuid DeviceId() const;
    void SetSelectedReceivers(const std::vector<SReceiverAddress>& vecReceivers);
    std::vector<SReceiverAddress> GetSelectedReceivers() const;
    void SetSelectionDeviceId(const QUuid& idDevice);
    QUuid SelectionDeviceId() const;
    void SetFilterPort(int nPort);
    int FilterPort() const;
    void SetOperating(bool bOperating);
    bool IsOperating() const;
    void SetBusy(bool bBusy);
    bool IsBusy() const;

    // Preferences.
    void SetPortHidden(bool bHidden);
    bool IsPortHidden() const;
    void SetFahrenheit(bool bFahrenheit);
    bool IsFahrenheit() const;

    // Direct data access. SetReceivers() takes anything as given (duplicates,
    // negative ports, NaN...), which is what hostile-data runs want.
    QList<SReceiverInfo> Receivers() const;
    void SetReceivers(const QList<SReceiverInfo>& listReceivers);
    // One receiver's readings, by its place in the list, as a sensor would
    // report them; NaN marks a reading as not read. False for a place out of range.
    bool SetReadings(int nIndex, double dTemperature, double dHumidity, double dVoltage);
    int ReceiverCount() const;
    QMap<quint64, SCabinetInfo> CabinetMap() const;
    void SetCabinetMap(const QMap<quint64, SCabinetInfo>& mapCabinet);
    // Answers GetPortAddress/GetPortByIndex for any argument; empty = default.
    void SetPortAddressOverride(std::function<SPortAddress(int)> fnPortAddress);
    // Forces the GetPortCount answer (0 and negative included).
    void SetPortCount(int nCount);
    void ResetPortCount();

    // Simulation.
    void Tick();
    int TickCount() const;
    // Ticks also play out health events, in a cycle of c_nHealthCycleTicks:
    // a few cards run hot and cool down, one port's voltage sags and
    // recovers, a few cards turn humid, and modules fail and are mended. Off
    // by default: ticks then only drift the readings within their normal range.
    static constexpr int c_nHealthCycleTicks = 60;
    void SetHealthEvents(bool bOn);
    bool HasHealthEvents() const;
    void ClearCableErrors();

    // Topology changes wait for the next detection (DetectAll, or DetectReceivers
    // for the current device), as on real hardware. Ports outside the generated
    // range are ignored.
    void PlugReceiver(int nPort);
    void UnplugReceiver(int nPort);
    void ApplyTopologyNow();
    bool HasPendingTopology() const;

    // Detection. The hook runs outside the lock at the start of every detection
    // so a test can hold one open; the delay (ms, default 0) follows the hook.
    // Counts, device and thread are recorded when a detection finishes, so a
    // count of N means the Nth detection's topology is visible.
    void SetDetectHook(std::function<void()> fnHook);
    void SetDetectDelay(int nMilliseconds);
    int DetectAllCount() const;
    int DetectReceiversCount() const;
    QUuid LastDetectedDevice() const; // DetectAll records the current device
    Qt::HANDLE LastDetectThread() const;

    // Upgrade run stepped by the host. Empty members = every receiver present.
    // Without an explicit failing set about one member in ten fails.
    void StartUpgrade(const std::vector<SReceiverAddress>& vecMembers = {});
    void StartUpgrade(
        const std::vector<SReceiverAddress>& vecMembers, const std::vector<SReceiverAddress>& vecFailing);
    void StepUpgrade();
    bool IsUpgradeRunning() const;
    bool QuitUpgrade(); // true if a run was active
    void ClearUpgrade();
    std::vector<SReceiverAddress> UpgradeMembers() const;

    // Call accounting for the controller interfaces. Counting is always on and
    // cheap; the ordered log is off by default.
    int CallCount(const char* pszOperation) const;
    int TotalCallCount() const;
    void ResetCallCounts();
    QStringList CallLog() const;
    void ClearCallLog();
    void SetCallLogEnabled(bool bEnabled);

    // Deterministic facts of every wall, handy for checks.
    static SPortAddress DefaultPortAddress(int nPort);
    static QUuid DefaultDeviceId(quint32 nSeed);
    static quint64 CabinetKeyOf(const SReceiverInfo& info);
    static QString TypeName(int nTypeCode);
    static QList<int> TypeCodes();
    static int UnknownTypeCode();

private:
    class CSimRuntimeControl;
    class CSimOutputPortControl;
    class CSimReceiverControl;
    class CSimPreferenceControl;
    class CSimDetectControl;
    class CSimCabinetLibControl;
    class CSimUpgradeConfigControl;

    enum EOperation : int
    {
        OpGetCurrentDeviceId,
        OpSetSelectedReceivers,
        OpGetSelectedReceivers,
        OpSetSelectionDeviceId,
        OpGetSelectionDeviceId,
        OpIsOperating,
        OpIsBusy,
        OpSetFilterPort,
        OpGetFilterPort,
        OpGetPortCount,
        OpGetPortByIndex,
        OpGetPortAddress,
        OpClearCableErrors,
        OpGetReceiverTypeName,
        OpGetReceiverList,
        OpIsTemperatureFahrenheit,
        OpIsPortHidden,
        OpDetectAll,
        OpDetectReceivers,
        OpGetCabinetMap,
        OpQuitUpgrade,
        OpGetUpgradeProgress,
        OpGetUpgradeResult,
        OpGetUpgradeStage,
        OpGetUpgradeReceivers,
        OpCount
    };

    struct SUpgradeMember
    {
        int nStage = 1;
        int nResult = 0;
        double dProgress = 0.0;
        double dStep = 0.1;
        double dFailAt = 1.0;
        bool bFail = false;
    };

    struct STopologyChange
    {
        int nPort = 0;
        bool bPlug = true;
    };

    static const char* OperationName(EOperation eOperation);

    // All *Locked helpers expect m_mutex to be held.
    void CountCallLocked(EOperation eOperation);
    int PortCountLocked() const;
    SPortAddress PortAddressAnswer(EOperation eOperation, int nPort);
    void RunDetection(EOperation eOperation, const QUuid& idDevice);
    void ApplyTopologyLocked();
    void PlugLocked(int nPort);
    void UnplugLocked(int nPort);
    void OwnReceiversLocked();
    void PlayHealthEventsLocked();
    void ClearCableErrorsLocked();
    void StartUpgradeLocked(
        const std::vector<SReceiverAddress>& vecMembers, const std::vector<SReceiverAddress>* pFailing);
    bool QuitUpgradeLocked();
    void ClearUpgradeLocked();
    const SUpgradeMember* UpgradeMemberLocked(const SReceiverAddress& address) const;

    mutable QMutex m_mutex;
    const SSimWallConfig m_config;

    std::unique_ptr<CSimRuntimeControl> m_pRuntimeControl;
    std::unique_ptr<CSimOutputPortControl> m_pOutputPortControl;
    std::unique_ptr<CSimReceiverControl> m_pReceiverControl;
    std::unique_ptr<CSimPreferenceControl> m_pPreferenceControl;
    std::unique_ptr<CSimDetectControl> m_pDetectControl;
    std::unique_ptr<CSimCabinetLibControl> m_pCabinetLibControl;
    std::unique_ptr<CSimUpgradeConfigControl> m_pUpgradeConfigControl;

    // Wall content. m_vecErrorMode runs parallel to m_listReceivers.
    QList<SReceiverInfo> m_listReceivers;
    mutable bool m_bReceiversShared = false; // m_listReceivers handed out since the last change
    std::vector<quint8> m_vecErrorMode;
    QMap<quint64, SCabinetInfo> m_mapCabinet;
    std::function<SPortAddress(int)> m_fnPortAddress;
    bool m_bPortCountForced = false;
    int m_nForcedPortCount = 0;
    CSimRandom m_random;
    int m_nTickCount = 0;
    // Health events (SetHealthEvents): the cards each one plays on, by their
    // place in m_listReceivers, and the failed modules as card place and key.
    bool m_bHealthEvents = false;
    std::vector<int> m_vecHotCards;
    std::vector<int> m_vecHumidCards;
    std::vector<std::pair<int, int>> m_vecFailedModules;
    std::vector<STopologyChange> m_vecPendingTopology;

    // Runtime state and preferences.
    QUuid m_idDevice;
    QUuid m_idSelectionDevice;
    std::vector<SReceiverAddress> m_vecSelected;
    int m_nFilterPort = -1;
    bool m_bOperating = false;
    bool m_bBusy = false;
    bool m_bPortHidden = false;
    bool m_bFahrenheit = false;

    // Detection.
    std::function<void()> m_fnDetectHook;
    int m_nDetectDelayMs = 0;
    int m_nDetectAllCount = 0;
    int m_nDetectReceiversCount = 0;
    QUuid m_idLastDetected;
    Qt::HANDLE m_hLastDetectThread = nullptr;

    // Upgrade. The members' states lie in one array in member order, with a
    // hashed index, as a controller serving a large wall would keep them: the
    // view asks three questions per member on every progress tick, mostly
    // walking the members in the order they were listed.
    struct SAddressHasher
    {
        size_t operator()(const SReceiverAddress& address) const;
    };
    std::vector<SReceiverAddress> m_vecUpgradeMembers;
    std::vector<SUpgradeMember> m_vecUpgradeState; // parallel to m_vecUpgradeMembers
    std::unordered_map<SReceiverAddress, size_t, SAddressHasher> m_mapUpgradeIndex;
    // The member last asked about; the next question is mostly about it or
    // the member after it.
    mutable size_t m_nLastMember = 0;
    int m_nUpgradeRunning = 0;

    // Call accounting.
    std::array<int, OpCount> m_arrCallCount {};
    bool m_bCallLogEnabled = false;
    std::vector<quint8> m_vecCallLog; // EOperation values
};
