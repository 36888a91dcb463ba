#include "CSimWallControls.h"

#include "CSimWallGenerator.h"

#include "CSimWallLocker.h"

// ---- CSimRuntimeControl

QUuid CSimWall::CSimRuntimeControl::GetCurrentDeviceId()
{
    CSimWallLocker locker(&m_pWall->m_mutex);
    m_pWall->CountCallLocked(OpGetCurrentDeviceId);
    return m_pWall->m_idDevice;
}

void CSimWall::CSimRuntimeControl::SetSelectedReceivers(const std::vector<SReceiverAddress>& vecReceivers)
{
    CSimWallLocker locker(&m_pWall->m_mutex);
    m_pWall->CountCallLocked(OpSetSelectedReceivers);
    m_pWall->m_vecSelected = vecReceivers;
}

void CSimWall::CSimRuntimeControl::GetSelectedReceivers(std::vector<SReceiverAddress>& vecReceivers)
{
    CSimWallLocker locker(&m_pWall->m_mutex);
    m_pWall->CountCallLocked(OpGetSelectedReceivers);
    vecReceivers = m_pWall->m_vecSelected;
}

void CSimWall::CSimRuntimeControl::SetSelectionDeviceId(const QUuid& idDevice)
{
    CSimWallLocker locker(&m_pWall->m_mutex);
    m_pWall->CountCallLocked(OpSetSelectionDeviceId);
    m_pWall->m_idSelectionDevice = idDevice;
}

QUuid CSimWall::CSimRuntimeControl::GetSelectionDeviceId()
{
    CSimWallLocker locker(&m_pWall->m_mutex);
    m_pWall->CountCallLocked(OpGetSelectionDeviceId);
    return m_pWall->m_idSelectionDevice;
}

bool CSimWall::CSimRuntimeControl::IsOperating()
{
    CSimWallLocker locker(&m_pWall->m_mutex);
    m_pWall->CountCallLocked(OpIsOperating);
    return m_pWall->m_bOperating;
}

bool CSimWall::CSimRuntimeControl::IsBusy()
{
    CSimWallLocker locker(&m_pWall->m_mutex);
    m_pWall->CountCallLocked(OpIsBusy);
    return m_pWall->m_bBusy;
}

void CSimWall::CSimRuntimeControl::SetFilterPort(int nPort)
{
    CSimWallLocker locker(&m_pWall->m_mutex);
    m_pWall->CountCallLocked(OpSetFilterPort);
    m_pWall->m_nFilterPort = nPort;
}

int CSimWall::CSimRuntimeControl::GetFilterPort()
{
    CSimWallLocker locker(&m_pWall->m_mutex);
    m_pWall->CountCallLocked(OpGetFilterPort);
    return m_pWall->m_nFilterPort;
}

// ---- CSimOutputPortControl

int CSimWall::CSimOutputPortControl::GetPortCount()
{
    CSimWallLocker locker(&m_pWall->m_mutex);
    m_pWall->CountCallLocked(OpGetPortCount);
    return m_pWall->PortCountLocked();
}

SPortAddress CSimWall::CSimOutputPortControl::GetPortByIndex(int nIndex)
{
    return m_pWall->PortAddressAnswer(OpGetPortByIndex, nIndex);
}

SPortAddress CSimWall::CSimOutputPortControl::GetPortAddress(int nPort)
{
    return m_pWall->PortAddressAnswer(OpGetPortAddress, nPort);
}

// ---- CSimReceiverControl

void CSimWall::CSimReceiverControl::ClearCableErrors()
{
    CSimWallLocker locker(&m_pWall->m_mutex);
    m_pWall->CountCallLocked(OpClearCableErrors);
    m_pWall->ClearCableErrorsLocked();
}

QString CSimWall::CSimReceiverControl::GetReceiverTypeName(int nTypeCode)
{
    {
        CSimWallLocker locker(&m_pWall->m_mutex);
        m_pWall->CountCallLocked(OpGetReceiverTypeName);
    }
    return CSimWallGenerator::TypeName(nTypeCode);
}

void CSimWall::CSimReceiverControl::GetReceiverList(QList<SReceiverInfo>& listReceivers)
{
    // Implicitly shared: the copy is a reference bump. The wall copies before
    // its next change (OwnReceiversLocked).
    CSimWallLocker locker(&m_pWall->m_mutex);
    m_pWall->CountCallLocked(OpGetReceiverList);
    m_pWall->m_bReceiversShared = true;
    listReceivers = m_pWall->m_listReceivers;
}

// ---- CSimPreferenceControl

bool CSimWall::CSimPreferenceControl::IsTemperatureFahrenheit()
{
    CSimWallLocker locker(&m_pWall->m_mutex);
    m_pWall->CountCallLocked(OpIsTemperatureFahrenheit);
    return m_pWall->m_bFahrenheit;
}

bool CSimWall::CSimPreferenceControl::IsPortHidden()
{
    CSimWallLocker locker(&m_pWall->m_mutex);
    m_pWall->CountCallLocked(OpIsPortHidden);
    return m_pWall->m_bPortHidden;
}

// ---- CSimDetectControl

void CSimWall::CSimDetectControl::DetectAll(bool bAll)
{
    Q_UNUSED(bAll) // the simulated wall has a single device; both forms rescan it
    m_pWall->RunDetection(OpDetectAll, QUuid());
}

void CSimWall::CSimDetectControl::DetectReceivers(QUuid idDevice)
{
    m_pWall->RunDetection(OpDetectReceivers, idDevice);
}

// ---- CSimCabinetLibControl

void CSimWall::CSimCabinetLibControl::GetCabinetMap(QMap<quint64, SCabinetInfo>& mapCabinet)
{
    CSimWallLocker locker(&m_pWall->m_mutex);
    m_pWall->CountCallLocked(OpGetCabinetMap);
    mapCabinet = m_pWall->m_mapCabinet;
}

// ---- CSimUpgradeConfigControl

bool CSimWall::CSimUpgradeConfigControl::QuitUpgrade()
{
    CSimWallLocker locker(&m_pWall->m_mutex);
    m_pWall->CountCallLocked(OpQuitUpgrade);
    return m_pWall->QuitUpgradeLocked();
}

float CSimWall::CSimUpgradeConfigControl::GetUpgradeProgress(const SReceiverAddress& address)
{
    CSimWallLocker locker(&m_pWall->m_mutex);
    m_pWall->CountCallLocked(OpGetUpgradeProgress);
    const SUpgradeMember* pMember = m_pWall->UpgradeMemberLocked(address);
    return pMember ? float(pMember->dProgress) : 0.0f;
}

int CSimWall::CSimUpgradeConfigControl::GetUpgradeResult(const SReceiverAddress& address)
{
    CSimWallLocker locker(&m_pWall->m_mutex);
    m_pWall->CountCallLocked(OpGetUpgradeResult);
    const SUpgradeMember* pMember = m_pWall->UpgradeMemberLocked(address);
    return pMember ? pMember->nResult : 0;
}

int CSimWall::CSimUpgradeConfigControl::GetUpgradeStage(const SReceiverAddress& address)
{
    CSimWallLocker locker(&m_pWall->m_mutex);
    m_pWall->CountCallLocked(OpGetUpgradeStage);
    const SUpgradeMember* pMember = m_pWall->UpgradeMemberLocked(address);
    return pMember ? pMember->nStage : 0;
}

void CSimWall::CSimUpgradeConfigControl::GetUpgradeReceivers(std::vector<SReceiverAddress>& vecReceivers)
{
    CSimWallLocker locker(&m_pWall->m_mutex);
    m_pWall->CountCallLocked(OpGetUpgradeReceivers);
    vecReceivers = m_pWall->m_vecUpgradeMembers;
}
