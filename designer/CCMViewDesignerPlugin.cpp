#include "CCMViewDesignerPlugin.h"

#include "CCMMainView.h"
#include "CCompanionWidgetPlugin.h"
#include "CSimWall.h"

#include <QIcon>

CCMMainViewPlugin::CCMMainViewPlugin(QObject* parent)
    : QObject(parent)
{
}

QString CCMMainViewPlugin::name() const
{
    return QStringLiteral("CCMMainView");
}

QString CCMMainViewPlugin::group() const
{
    return tr("LED Display Control");
}

QString CCMMainViewPlugin::toolTip() const
{
    return tr("Receiver card table: one row per receiver card of the LED wall");
}

QString CCMMainViewPlugin::whatsThis() const
{
    return tr("The receiver view of an LED display control application. It reads the receivers from the "
              "controllers the application publishes; in the form editor it shows a small simulated wall.");
}

QString CCMMainViewPlugin::includeFile() const
{
    return QStringLiteral("CCMMainView.h");
}

QIcon CCMMainViewPlugin::icon() const
{
    return QIcon(QStringLiteral(":/cmview/designer/cmview_designer.svg"));
}

bool CCMMainViewPlugin::isContainer() const
{
    return false;
}

bool CCMMainViewPlugin::PublishSampleWall()
{
    // Never deleted: views made from it may live until the form editor exits,
    // and a detection job may still be asking it then.
    static CSimWall* s_pWall = nullptr;
    if (s_pWall && s_pWall->IsInstalled())
        return true;
    // Any controller published means a host's: the view reads what it reads.
    if (g_pRuntimeControl || g_pOutputPortControl || g_pReceiverControl || g_pPreferenceControl || g_pDetectControl
        || g_pCabinetLibControl || g_pUpgradeConfigControl)
        return false;
    if (!s_pWall)
        s_pWall = new CSimWall(SSimWallConfig { 2, 4, 7, false, false });
    s_pWall->Install();
    return true;
}

QWidget* CCMMainViewPlugin::createWidget(QWidget* parent)
{
    const bool bSample = PublishSampleWall();
    CCMMainView* pView = new CCMMainView(parent);
    // A host's view stays empty until the host refreshes it, as when the host
    // constructs it; a refresh would also store a selection in its runtime.
    if (bSample)
        pView->RefreshShow();
    return pView;
}

bool CCMMainViewPlugin::isInitialized() const
{
    return m_bInitialized;
}

void CCMMainViewPlugin::initialize(QDesignerFormEditorInterface*)
{
    m_bInitialized = true;
}

QString CCMMainViewPlugin::domXml() const
{
    return QStringLiteral(
        "<ui language=\"c++\">\n"
        " <widget class=\"CCMMainView\" name=\"receiverView\">\n"
        "  <property name=\"geometry\">\n"
        "   <rect><x>0</x><y>0</y><width>800</width><height>240</height></rect>\n"
        "  </property>\n"
        " </widget>\n"
        "</ui>\n");
}

CCMViewDesignerPlugins::CCMViewDesignerPlugins(QObject* parent)
    : QObject(parent)
{
    m_listWidgets << new CCMMainViewPlugin(this)
                  << new CCompanionWidgetPlugin(CCompanionWidgetPlugin::StatusListEntry(), this)
                  << new CCompanionWidgetPlugin(CCompanionWidgetPlugin::WallMapEntry(), this);
}

QList<QDesignerCustomWidgetInterface*> CCMViewDesignerPlugins::customWidgets() const
{
    return m_listWidgets;
}
