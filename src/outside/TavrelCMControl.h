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

struct SPortAddress
{
    int32_t nConnection = 0;
    int32_t nDevice = 0;
    int32_t nSenderCard = 0;
    int32_t nPort = -1;
};

inline bool operator==(const SPortAddress& a, const SPortAddress& b)
{
    return a.nConnection == b.nConnection && a.nDevice == b.nDevice && a.nSenderCard == b.nSenderCard
        && a.nPort == b.nPort;
}
inline bool operator!=(const SPortAddress& a, const SPortAddress& b) { return !(a == b); }

struct SReceiverAddress : SPortAddress
{
    int32_t nPosition = 0;
};

inline bool operator==(const SReceiverAddress& a, const SReceiverAddress& b)
{
    return static_cast<const SPortAddress&>(a) == static_cast<const SPortAddress&>(b)
        && a.nPosition == b.nPosition;
}
inline bool operator!=(const SReceiverAddress& a, const SReceiverAddress& b) { return !(a == b); }
inline bool operator<(const SReceiverAddress& a, const SReceiverAddress& b)
{
    return std::tie(a.nConnection, a.nDevice, a.nSenderCard, a.nPort, a.nPosition)
        < std::tie(b.nConnection, b.nDevice, b.nSenderCard, b.nPort, b.nPosition);
}

struct SModuleInfo
{
    int32_t nIndex = 0;
    std::string strName;
    bool bOk = true;
    int16_t nCabinetCode = 0;
};

struct SSensorValue
{
    int32_t nKind = 0;
    bool bValid = false;
    double dValue = 0.0;
};

struct SReceiverInfo
{
    SReceiverAddress address;
    int32_t nTypeCode = 0;
    std::string strSerialNumber;
    std::string strCabinetId;
    int32_t nVersionMajor = 0;
    int32_t nVersionMinor = 0;
    bool bTemperatureValid = false;
    double dTemperature = 0.0;
    bool bHumidityValid = false;
    double dHumidity = 0.0;
    uint32_t nErrorPackets = 0;
    uint32_t nTotalPackets = 0;
    uint32_t nUptime = 0;
    int32_t nCabinetKeyHigh = 0;
    int32_t nCabinetKeyMid = 0;
    int32_t nCabinetKeyLow = 0;
    std::map<int, SModuleInfo> mapModule;
    std::map<int, SSensorValue> mapSensor;
};

struct SCabinetInfo
{
    std::string strName;
    std::string strIdentifier;
};

class CMVIEW_EXPORT CRuntimeControl
{
public:
    virtual ~CRuntimeControl();
    virtual QUuid GetCurrentDeviceId() = 0;
    virtual void SetSelectedReceivers(const std::vector<SReceiverAddress>& vecReceivers) = 0;
    virtual void GetSelectedReceivers(std::vector<SReceiverAddress>& vecReceivers) = 0;
    virtual void SetSelectionDeviceId(const QUuid& idDevice) = 0;
    virtual QUuid GetSelectionDeviceId() = 0;
    virtual bool IsOperating() = 0;
    virtual bool IsBusy() = 0;
    virtual void SetFilterPort(int nPort) = 0;
    virtual int GetFilterPort() = 0;
};

class CMVIEW_EXPORT COutputPortControl
{
public:
    virtual ~COutputPortControl();
    virtual int GetPortCount() = 0;
    virtual SPortAddress GetPortByIndex(int nIndex) = 0;
    virtual SPortAddress GetPortAddress(int nPort) = 0;
};

class CMVIEW_EXPORT CReceiverControl
{
public:
    virtual ~CReceiverControl();
    virtual void ClearCableErrors() = 0;
    virtual QString GetReceiverTypeName(int nTypeCode) = 0;
    virtual void GetReceiverList(QList<SReceiverInfo>& listReceivers) = 0;
};

class CMVIEW_EXPORT CPreferenceControl
{
public:
    virtual ~CPreferenceControl();
    virtual bool IsTemperatureFahrenheit() = 0;
    virtual bool IsPortHidden() = 0;
};

class CMVIEW_EXPORT CDetectControl
{
public:
    virtual ~CDetectControl();
    virtual void DetectAll(bool bAll) = 0;
    virtual void DetectReceivers(QUuid idDevice) = 0;
};

class CMVIEW_EXPORT CCabinetLibControl
{
public:
    virtual ~CCabinetLibControl();
    virtual void GetCabinetMap(QMap<quint64, SCabinetInfo>& mapCabinet) = 0;
};

class CMVIEW_EXPORT CUpgradeConfigControl
{
public:
    virtual ~CUpgradeConfigControl();
    virtual bool QuitUpgrade() = 0;
    virtual float GetUpgradeProgress(const SReceiverAddress& address) = 0;
    virtual int GetUpgradeResult(const SReceiverAddress& address) = 0;
    virtual int GetUpgradeStage(const SReceiverAddress& address) = 0;
    virtual void GetUpgradeReceivers(std::vector<SReceiverAddress>& vecReceivers) = 0;
};

extern CMVIEW_EXPORT CRuntimeControl* g_pRuntimeControl;
extern CMVIEW_EXPORT COutputPortControl* g_pOutputPortControl;
extern CMVIEW_EXPORT CReceiverControl* g_pReceiverControl;
extern CMVIEW_EXPORT CPreferenceControl* g_pPreferenceControl;
extern CMVIEW_EXPORT CDetectControl* g_pDetectControl;
extern CMVIEW_EXPORT CCabinetLibControl* g_pCabinetLibControl;
extern CMVIEW_EXPORT CUpgradeConfigControl* g_pUpgradeConfigControl;
