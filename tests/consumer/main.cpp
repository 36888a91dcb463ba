// A minimal host: its own seven controller objects, a main view created before
// and after they are published, one refresh each. Exits 0 when all is well.

#include "CCMMainView.h"
#include "CReceiverListView.h"
#include "TavrelCMControl.h"

#include <QApplication>
#include <QStandardItemModel>

#include <cstdio>

namespace
{
class CHostRuntime : public CRuntimeControl
{
public:
    QUuid GetCurrentDeviceId() override { return m_idDevice; }
    void SetSelectedReceivers(const std::vector<SReceiverAddress>& vec) override { m_vecSelected = vec; }
    void GetSelectedReceivers(std::vector<SReceiverAddress>& vec) override { vec = m_vecSelected; }
    void SetSelectionDeviceId(const QUuid& id) override { m_idSelection = id; }
    QUuid GetSelectionDeviceId() override { return m_idSelection; }
    bool IsOperating() override { return false; }
    bool IsBusy() override { return false; }
    void SetFilterPort(int nPort) override { m_nFilterPort = nPort; }
    int GetFilterPort() override { return m_nFilterPort; }

    QUuid m_idDevice = QUuid::createUuid();
    QUuid m_idSelection;
    std::vector<SReceiverAddress> m_vecSelected;
    int m_nFilterPort = -1;
};

class CHostOutputPort : public COutputPortControl
{
public:
    int GetPortCount() override { return 1; }
    SPortAddress GetPortByIndex(int nIndex) override { return GetPortAddress(nIndex); }
    SPortAddress GetPortAddress(int nPort) override
    {
        SPortAddress address;
        address.nPort = nPort;
        return address;
    }
};

class CHostReceiver : public CReceiverControl
{
public:
    void ClearCableErrors() override {}
    QString GetReceiverTypeName(int) override { return QStringLiteral("Card"); }
    void GetReceiverList(QList<SReceiverInfo>& list) override
    {
        SReceiverInfo info;
        info.address.nPort = 0;
        info.address.nPosition = 0;
        info.strSerialNumber = "HOST-1";
        list.append(info);
    }
};

class CHostPreference : public CPreferenceControl
{
public:
    bool IsTemperatureFahrenheit() override { return false; }
    bool IsPortHidden() override { return false; }
};

class CHostDetect : public CDetectControl
{
public:
    void DetectAll(bool) override {}
    void DetectReceivers(QUuid) override {}
};

class CHostCabinetLib : public CCabinetLibControl
{
public:
    void GetCabinetMap(QMap<quint64, SCabinetInfo>&) override {}
};

class CHostUpgrade : public CUpgradeConfigControl
{
public:
    bool QuitUpgrade() override { return true; }
    float GetUpgradeProgress(const SReceiverAddress&) override { return 0.0f; }
    int GetUpgradeResult(const SReceiverAddress&) override { return 0; }
    int GetUpgradeStage(const SReceiverAddress&) override { return 0; }
    void GetUpgradeReceivers(std::vector<SReceiverAddress>&) override {}
};

int Fail(const char* pszWhat)
{
    std::fprintf(stderr, "cmview_consumer: %s\n", pszWhat);
    return 1;
}
}

int main(int argc, char** argv)
{
    QApplication app(argc, argv);

    {
        // Nothing published yet: the view must come up empty.
        CCMMainView view;
        view.RefreshShow();
        if (view.GetReceiverListView()->GetModel()->rowCount() != 0)
            return Fail("rows without controllers");
    }

    CHostRuntime runtime;
    CHostOutputPort outputPort;
    CHostReceiver receiver;
    CHostPreference preference;
    CHostDetect detect;
    CHostCabinetLib cabinetLib;
    CHostUpgrade upgrade;
    g_pRuntimeControl = &runtime;
    g_pOutputPortControl = &outputPort;
    g_pReceiverControl = &receiver;
    g_pPreferenceControl = &preference;
    g_pDetectControl = &detect;
    g_pCabinetLibControl = &cabinetLib;
    g_pUpgradeConfigControl = &upgrade;

    int nResult = 0;
    {
        CCMMainView view;
        int nSelectReports = 0;
        QObject::connect(&view, &CCMMainView::RcvSelectChanged, [&nSelectReports]() { ++nSelectReports; });
        view.show();
        view.RefreshShow();
        const QStandardItemModel* pModel = view.GetReceiverListView()->GetModel();
        if (pModel->rowCount() != 1 || pModel->columnCount() != 12)
            nResult = Fail("expected one row of twelve cells");
        else if (pModel->item(0, 3)->text() != QStringLiteral("HOST1"))
            nResult = Fail("unexpected S/N text");
        else if (nSelectReports != 1 || runtime.m_idSelection != runtime.m_idDevice)
            nResult = Fail("selection not reported");
        else if (!view.Quit())
            nResult = Fail("Quit() lost the upgrade controller's answer");
    }

    g_pRuntimeControl = nullptr;
    g_pOutputPortControl = nullptr;
    g_pReceiverControl = nullptr;
    g_pPreferenceControl = nullptr;
    g_pDetectControl = nullptr;
    g_pCabinetLibControl = nullptr;
    g_pUpgradeConfigControl = nullptr;
    if (nResult == 0)
        std::puts("cmview_consumer: ok");
    return nResult;
}
