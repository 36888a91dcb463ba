#pragma once
// The seven controller implementations of CSimWall. Each is a thin shell over
// the wall's shared state: take the lock, count the call, answer.

#include "CSimWall.h"

class CSimWall::CSimRuntimeControl final : public CRuntimeControl
{
public:
    explicit CSimRuntimeControl(CSimWall* pWall) : m_pWall(pWall) {}

    QUuid GetCurrentDeviceId() override;
    void SetSelectedReceivers(const std::vector<SReceiverAddress>& vecReceivers) override;
    void GetSelectedReceivers(std::vector<SReceiverAddress>& vecReceivers) override;
    void SetSelectionDeviceId(const QUuid& idDevice) override;
    QUuid GetSelectionDeviceId() override;
    bool IsOperating() override;
    bool IsBusy() override;
    void SetFilterPort(int nPort) override;
    int GetFilterPort() override;

private:
    CSimWall* m_pWall;
};

class CSimWall::CSimOutputPortControl final : public COutputPortControl
{
public:
    explicit CSimOutputPortControl(CSimWall* pWall) : m_pWall(pWall) {}

    int GetPortCount() override;
    SPortAddress GetPortByIndex(int nIndex) override;
    SPortAddress GetPortAddress(int nPort) override;

private:
    CSimWall* m_pWall;
};

class CSimWall::CSimReceiverControl final : public CReceiverControl
{
public:
    explicit CSimReceiverControl(CSimWall* pWall) : m_pWall(pWall) {}

    void ClearCableErrors() override;
    QString GetReceiverTypeName(int nTypeCode) override;
    void GetReceiverList(QList<SReceiverInfo>& listReceivers) override;

private:
    CSimWall* m_pWall;
};

class CSimWall::CSimPreferenceControl final : public CPreferenceControl
{
public:
    explicit CSimPreferenceControl(CSimWall* pWall) : m_pWall(pWall) {}

    bool IsTemperatureFahrenheit() override;
    bool IsPortHidden() override;

private:
    CSimWall* m_pWall;
};

class CSimWall::CSimDetectControl final : public CDetectControl
{
public:
    explicit CSimDetectControl(CSimWall* pWall) : m_pWall(pWall) {}

    void DetectAll(bool bAll) override;
    void DetectReceivers(QUuid idDevice) override;

private:
    CSimWall* m_pWall;
};

class CSimWall::CSimCabinetLibControl final : public CCabinetLibControl
{
public:
    explicit CSimCabinetLibControl(CSimWall* pWall) : m_pWall(pWall) {}

    void GetCabinetMap(QMap<quint64, SCabinetInfo>& mapCabinet) override;

private:
    CSimWall* m_pWall;
};

class CSimWall::CSimUpgradeConfigControl final : public CUpgradeConfigControl
{
public:
    explicit CSimUpgradeConfigControl(CSimWall* pWall) : m_pWall(pWall) {}

    bool QuitUpgrade() override;
    float GetUpgradeProgress(const SReceiverAddress& address) override;
    int GetUpgradeResult(const SReceiverAddress& address) override;
    int GetUpgradeStage(const SReceiverAddress& address) override;
    void GetUpgradeReceivers(std::vector<SReceiverAddress>& vecReceivers) override;

private:
    CSimWall* m_pWall;
};
