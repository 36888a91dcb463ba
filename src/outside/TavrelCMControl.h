#pragma once
// The controller library interface the view is written against. The host owns
// the seven controller objects and publishes them through the global pointers
// below before it creates the view.

#include <QList>
#include <QMap>
#include <QString>
#include <QUuid>
#include <QtGlobal>

#include <cstdint>
#include <map>
#include <string>
#include <tuple>
#include <vector>

#include "CMViewExport.h"

/**
 * @file
 * @brief The controller interface the view is written against.
 *
 * The host implements the seven abstract controller classes (one object may
 * implement several) and publishes them through the `g_p...` pointers before
 * it creates a CCMMainView. The view reaches them only through these
 * pointers, never deletes them and keeps no result beyond one call. A null
 * pointer makes the view skip the calls to it and use its fallbacks ("N/A",
 * "--", no ports, no upgrade).
 *
 * Threads: every operation is called from the GUI thread, except that the
 * detection job started by the header's Reset button calls
 * CPreferenceControl::IsPortHidden(), CRuntimeControl::GetCurrentDeviceId()
 * and one of CDetectControl::DetectAll() and CDetectControl::DetectReceivers()
 * from a thread of `QThreadPool::globalInstance()`. Those three must be safe
 * to call while the GUI thread calls the rest. Operations report no errors:
 * the view takes every result as it comes.
 */

/// Identifies one output port of the sending device.
struct SPortAddress
{
    /// Route to the device: passed on and compared, never interpreted by the view.
    int32_t nConnection = 0;
    /// Route to the device: passed on and compared, never interpreted by the view.
    int32_t nDevice = 0;
    /// Route to the device: passed on and compared, never interpreted by the view.
    int32_t nSenderCard = 0;
    /// Port number, counted from 0 (the table shows it plus one); -1 for no port.
    int32_t nPort = -1;
};

/// Equal when all four fields are equal.
inline bool operator==(const SPortAddress& a, const SPortAddress& b)
{
    return a.nConnection == b.nConnection && a.nDevice == b.nDevice && a.nSenderCard == b.nSenderCard
        && a.nPort == b.nPort;
}
/// Not equal in any field.
inline bool operator!=(const SPortAddress& a, const SPortAddress& b) { return !(a == b); }

/// Identifies one receiver card: its port and its position on that port's string.
struct SReceiverAddress : SPortAddress
{
    /// Position on the port's string, counted from 0 (the table shows it plus one).
    int32_t nPosition = 0;
};

/// Equal when the port address and the position are equal.
inline bool operator==(const SReceiverAddress& a, const SReceiverAddress& b)
{
    return static_cast<const SPortAddress&>(a) == static_cast<const SPortAddress&>(b)
        && a.nPosition == b.nPosition;
}
/// Not equal in any field.
inline bool operator!=(const SReceiverAddress& a, const SReceiverAddress& b) { return !(a == b); }
/// Field by field as signed numbers, in declaration order: a key for ordered maps.
inline bool operator<(const SReceiverAddress& a, const SReceiverAddress& b)
{
    return std::tie(a.nConnection, a.nDevice, a.nSenderCard, a.nPort, a.nPosition)
        < std::tie(b.nConnection, b.nDevice, b.nSenderCard, b.nPort, b.nPosition);
}

/// One module of a receiver card.
struct SModuleInfo
{
    /// Module number counted from 0; the Failed module column shows it plus one.
    int32_t nIndex = 0;
    /// Module name (UTF-8); not shown.
    std::string strName;
    /// False when the module failed.
    bool bOk = true;
    /// Above 0: its low byte completes the cabinet key (the first working module with one counts).
    int16_t nCabinetCode = 0;
};

/// One sensor reading of a receiver card.
struct SSensorValue
{
    /// Kind of sensor; the view reads the kind from the map key instead.
    int32_t nKind = 0;
    /// False when there is no reading: the table shows "--".
    bool bValid = false;
    /// The reading; for kind 3, the voltage in volts.
    double dValue = 0.0;
};

/// Everything the table shows of one receiver card, as CReceiverControl::GetReceiverList() reports it.
struct SReceiverInfo
{
    /// Where the card is: its row's identity for checks, updates and upgrades.
    SReceiverAddress address;
    /// Type code, named by CReceiverControl::GetReceiverTypeName().
    int32_t nTypeCode = 0;
    /// Serial number (UTF-8); the table keeps only its letters and digits.
    std::string strSerialNumber;
    /// Cabinet identifier (UTF-8), matched against SCabinetInfo::strIdentifier.
    std::string strCabinetId;
    /// Firmware version, major part.
    int32_t nVersionMajor = 0;
    /// Firmware version, minor part (shown with two digits: 3.07).
    int32_t nVersionMinor = 0;
    /// False when no temperature was read: the table shows "--".
    bool bTemperatureValid = false;
    /// Temperature in degrees Celsius.
    double dTemperature = 0.0;
    /// False when no humidity was read: the table shows "--".
    bool bHumidityValid = false;
    /// Relative humidity in percent.
    double dHumidity = 0.0;
    /// Packets received with errors since the cable errors were last cleared.
    uint32_t nErrorPackets = 0;
    /// Packets received in total; above one error in a million the count shows red.
    uint32_t nTotalPackets = 0;
    /// Running time in milliseconds.
    uint32_t nUptime = 0;
    /// Low 16 bits: bits 16 to 31 of the cabinet key.
    int32_t nCabinetKeyHigh = 0;
    /// Low byte: bits 8 to 15 of the cabinet key.
    int32_t nCabinetKeyMid = 0;
    /// Low byte: bits 0 to 7 of the cabinet key when no module supplies them.
    int32_t nCabinetKeyLow = 0;
    /// The card's modules by number.
    std::map<int, SModuleInfo> mapModule;
    /// Further sensor readings by kind; kind 3 is the voltage.
    std::map<int, SSensorValue> mapSensor;
};

/// One cabinet type of the host's cabinet library.
struct SCabinetInfo
{
    /// Display name (UTF-8), shown as the Type when the identifier matches.
    std::string strName;
    /// Must equal SReceiverInfo::strCabinetId byte for byte for the name to be shown.
    std::string strIdentifier;
};

/**
 * @brief The application's running state: the sending device in use, the
 * stored selection of receivers and the port filter.
 *
 * Published as #g_pRuntimeControl. GetCurrentDeviceId() is also called from
 * the detection job's pool thread.
 */
class CMVIEW_EXPORT CRuntimeControl
{
public:
    /// The host destroys its controllers; the view never does.
    virtual ~CRuntimeControl();
    /// The id of the sending device in use; the null id when there is none (then
    /// Reset detects nothing and the Filter popup lists no ports). Also called
    /// from the detection job's pool thread.
    virtual QUuid GetCurrentDeviceId() = 0;
    /// Stores the checked receivers, in the table's row order, each time the
    /// checks change or the table is rebuilt; followed at once by
    /// SetSelectionDeviceId() and CCMMainView::RcvSelectChanged().
    virtual void SetSelectedReceivers(const std::vector<SReceiverAddress>& vecReceivers) = 0;
    /// Fills the (empty) vector with the last stored selection. After a language
    /// change the view rebuilds with those rows checked again, when
    /// GetSelectionDeviceId() equals GetCurrentDeviceId().
    virtual void GetSelectedReceivers(std::vector<SReceiverAddress>& vecReceivers) = 0;
    /// Stores the id of the device the selection just stored belongs to (GetCurrentDeviceId() at that moment).
    virtual void SetSelectionDeviceId(const QUuid& idDevice) = 0;
    /// The stored selection's device id; the selection is restored only when it equals GetCurrentDeviceId().
    virtual QUuid GetSelectionDeviceId() = 0;
    /// True while the application runs an operation on the device: the Filter button is disabled.
    virtual bool IsOperating() = 0;
    /// True while the application is busy otherwise: the Filter button is disabled too.
    virtual bool IsBusy() = 0;
    /// Stores the port chosen in the Filter popup (its number counted from 0, -1 for All); CCMMainView::SignalFiltrate() follows.
    virtual void SetFilterPort(int nPort) = 0;
    /// The port the table is restricted to, -1 for none; read on every rebuild.
    virtual int GetFilterPort() = 0;
};

/// The output ports of the sending device, for the Filter popup and for the
/// addresses of the rows. Published as #g_pOutputPortControl; called from the
/// GUI thread only.
class CMVIEW_EXPORT COutputPortControl
{
public:
    /// The host destroys its controllers; the view never does.
    virtual ~COutputPortControl();
    /// Number of output ports; 0 or less lists none in the Filter popup.
    virtual int GetPortCount() = 0;
    /// The port at index 0 to GetPortCount() - 1, in the order the Filter popup lists them.
    virtual SPortAddress GetPortByIndex(int nIndex) = 0;
    /// The full address of the port with this number; the view completes a row's SReceiverAddress with it.
    virtual SPortAddress GetPortAddress(int nPort) = 0;
};

/// The receiver cards themselves. Published as #g_pReceiverControl; called from the GUI thread only.
class CMVIEW_EXPORT CReceiverControl
{
public:
    /// The host destroys its controllers; the view never does.
    virtual ~CReceiverControl();
    /// Resets the cards' error packet counters; called on a click on the header's Reset button, before the detection job starts.
    virtual void ClearCableErrors() = 0;
    /// Display name of a receiver type, shown as the Type unless the cabinet library names the card.
    virtual QString GetReceiverTypeName(int nTypeCode) = 0;
    /// Fills the (empty) list with every receiver card, one row each, in the
    /// order the table shows them unsorted. Read on every rebuild and update, and
    /// after a detection to see whether the number of cards changed.
    virtual void GetReceiverList(QList<SReceiverInfo>& listReceivers) = 0;
};

/// The user's display preferences. Published as #g_pPreferenceControl.
/// IsPortHidden() is also called from the detection job's pool thread.
class CMVIEW_EXPORT CPreferenceControl
{
public:
    /// The host destroys its controllers; the view never does.
    virtual ~CPreferenceControl();
    /// True to show temperatures in degrees Fahrenheit instead of Celsius; read on every rebuild and update.
    virtual bool IsTemperatureFahrenheit() = 0;
    /// True when the device has no separate ports to show: no Port column, no
    /// port filter, and Reset detects with CDetectControl::DetectAll(). Read at
    /// construction and on every rebuild, and from the detection job's pool thread.
    virtual bool IsPortHidden() = 0;
};

/**
 * @brief Detection of the receiver cards.
 *
 * Published as #g_pDetectControl. Both operations are called only from the
 * detection job on a thread of `QThreadPool::globalInstance()`, never from
 * the GUI thread, and at most one at a time in the whole process. They may
 * block as long as detection takes; when one returns, the job ends and the
 * view reads the receivers again in the GUI thread (CCMMainView::DataChange()
 * if their number changed). Keep the controllers alive until the pool is done.
 */
class CMVIEW_EXPORT CDetectControl
{
public:
    /// The host destroys its controllers; the view never does.
    virtual ~CDetectControl();
    /// Detects every receiver; used when CPreferenceControl::IsPortHidden() is true. @p bAll is always true. Pool thread.
    virtual void DetectAll(bool bAll) = 0;
    /// Detects the receivers of this device, the current one; not called while no device is in use (null id). Pool thread.
    virtual void DetectReceivers(QUuid idDevice) = 0;
};

/// The host's cabinet library, which names the cards by cabinet type. Published as #g_pCabinetLibControl; GUI thread only.
class CMVIEW_EXPORT CCabinetLibControl
{
public:
    /// The host destroys its controllers; the view never does.
    virtual ~CCabinetLibControl();
    /// Fills the (empty) map with the cabinet types by cabinet key (see
    /// SReceiverInfo::nCabinetKeyHigh and SModuleInfo::nCabinetCode); read once
    /// per rebuild or update.
    virtual void GetCabinetMap(QMap<quint64, SCabinetInfo>& mapCabinet) = 0;
};

/// The firmware upgrade run whose progress the table shows between
/// CCMMainView::ProgressBegin() and CCMMainView::ProgressFinished().
/// Published as #g_pUpgradeConfigControl; GUI thread only.
class CMVIEW_EXPORT CUpgradeConfigControl
{
public:
    /// The host destroys its controllers; the view never does.
    virtual ~CUpgradeConfigControl();
    /// Stops the running upgrade; CCMMainView::Quit() calls it and returns its result unchanged.
    virtual bool QuitUpgrade() = 0;
    /// Progress of this member from 0 to 1, shown as a bar and a percentage.
    virtual float GetUpgradeProgress(const SReceiverAddress& address) = 0;
    /// Result of a finished member: negative when it failed.
    virtual int GetUpgradeResult(const SReceiverAddress& address) = 0;
    /// Stage of this member: 1 upgrading, 2 finished; anything else shows nothing.
    virtual int GetUpgradeStage(const SReceiverAddress& address) = 0;
    /// Fills the (empty) vector with the members of the current upgrade run; the other rows show no progress.
    virtual void GetUpgradeReceivers(std::vector<SReceiverAddress>& vecReceivers) = 0;
};

/// The host's runtime controller; set before the view is created.
extern CMVIEW_EXPORT CRuntimeControl* g_pRuntimeControl;
/// The host's output port controller; set before the view is created.
extern CMVIEW_EXPORT COutputPortControl* g_pOutputPortControl;
/// The host's receiver controller; set before the view is created.
extern CMVIEW_EXPORT CReceiverControl* g_pReceiverControl;
/// The host's preference controller; set before the view is created.
extern CMVIEW_EXPORT CPreferenceControl* g_pPreferenceControl;
/// The host's detection controller, called from a pool thread; set before the view is created.
extern CMVIEW_EXPORT CDetectControl* g_pDetectControl;
/// The host's cabinet library controller; set before the view is created.
extern CMVIEW_EXPORT CCabinetLibControl* g_pCabinetLibControl;
/// The host's upgrade controller; set before the view is created.
extern CMVIEW_EXPORT CUpgradeConfigControl* g_pUpgradeConfigControl;
