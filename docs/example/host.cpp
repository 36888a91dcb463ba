// A complete, minimal host: one object answers all seven controller
// interfaces for a single port with three receiver cards.
#include "CCMMainView.h"
#include "TavrelCMControl.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QTranslator>

class CHostControllers : public CRuntimeControl, public COutputPortControl, public CReceiverControl,
                         public CPreferenceControl, public CDetectControl, public CCabinetLibControl,
                         public CUpgradeConfigControl
{
public:
    // Runtime: the device in use, the stored selection and the port filter.
    QUuid GetCurrentDeviceId() override { return m_idDevice; }
    void SetSelectedReceivers(const std::vector<SReceiverAddress>& vec) override { m_vecSelected = vec; }
    void GetSelectedReceivers(std::vector<SReceiverAddress>& vec) override { vec = m_vecSelected; }
    void SetSelectionDeviceId(const QUuid& id) override { m_idSelection = id; }
    QUuid GetSelectionDeviceId() override { return m_idSelection; }
    bool IsOperating() override { return false; }
    bool IsBusy() override { return false; }
    void SetFilterPort(int nPort) override { m_nFilterPort = nPort; }
    int GetFilterPort() override { return m_nFilterPort; }
    // Output ports.
    int GetPortCount() override { return 1; }
    SPortAddress GetPortByIndex(int nIndex) override { return GetPortAddress(nIndex); }
    SPortAddress GetPortAddress(int nPort) override { SPortAddress a; a.nPort = nPort; return a; }
    // Receivers.
    void ClearCableErrors() override {}
    QString GetReceiverTypeName(int) override { return QStringLiteral("RV-1"); }
    void GetReceiverList(QList<SReceiverInfo>& list) override
    {
        for (int i = 0; i < 3; ++i) {
            SReceiverInfo info;
            info.address.nPort = 0;
            info.address.nPosition = i;
            info.strSerialNumber = "SN-" + std::to_string(100 + i);
            info.bTemperatureValid = true;
            info.dTemperature = 35.5 + i;
            info.nTotalPackets = 1000000;
            list.append(info);
        }
    }
    // Preferences, detection, cabinets, upgrade.
    bool IsTemperatureFahrenheit() override { return false; }
    bool IsPortHidden() override { return false; }
    void DetectAll(bool) override {}                // called from a pool thread
    void DetectReceivers(QUuid) override {}         // called from a pool thread
    void GetCabinetMap(QMap<quint64, SCabinetInfo>&) override {}
    bool QuitUpgrade() override { return false; }
    float GetUpgradeProgress(const SReceiverAddress&) override { return 0.0f; }
    int GetUpgradeResult(const SReceiverAddress&) override { return 0; }
    int GetUpgradeStage(const SReceiverAddress&) override { return 0; }
    void GetUpgradeReceivers(std::vector<SReceiverAddress>&) override {}

private:
    QUuid m_idDevice = QUuid::createUuid();
    QUuid m_idSelection;
    std::vector<SReceiverAddress> m_vecSelected;
    int m_nFilterPort = -1;
};

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    CHostControllers controllers;
    g_pRuntimeControl = &controllers;
    g_pOutputPortControl = &controllers;
    g_pReceiverControl = &controllers;
    g_pPreferenceControl = &controllers;
    g_pDetectControl = &controllers;
    g_pCabinetLibControl = &controllers;
    g_pUpgradeConfigControl = &controllers;

    QTranslator translator; // installed as share/cmview/translations/cmview_zh_CN.qm
    if (translator.load(QStringLiteral("cmview_zh_CN"), QStringLiteral(CMVIEW_TRANSLATIONS_DIR)))
        app.installTranslator(&translator);

    CCMMainView view;
    QObject::connect(&view, &CCMMainView::RcvSelectChanged, [&controllers]() {
        std::vector<SReceiverAddress> vecChecked;
        controllers.GetSelectedReceivers(vecChecked);
        qInfo("%zu receivers checked", vecChecked.size());
    });
    view.resize(1200, 400);
    view.show();
    view.RefreshShow();
    view.FitColumnsToContents(); // every label and text whole, in this language
    view.setFocus();             // the keys go to the table
    if (app.arguments().contains(QStringLiteral("--once")))
        return 0;
    return app.exec();
}
