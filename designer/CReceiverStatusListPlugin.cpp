#include "CReceiverStatusListPlugin.h"

#include "CReceiverStatusList.h"

#include <QIcon>

CReceiverStatusListPlugin::CReceiverStatusListPlugin(QObject* parent)
    : QObject(parent)
{
}

QString CReceiverStatusListPlugin::name() const
{
    return QStringLiteral("CReceiverStatusList");
}

QString CReceiverStatusListPlugin::group() const
{
    return tr("LED Display Control");
}

QString CReceiverStatusListPlugin::toolTip() const
{
    return tr("Card states with their counts; a click filters the receiver table");
}

QString CReceiverStatusListPlugin::whatsThis() const
{
    return tr("One line per receiver card state with its count. Bind it to the receiver view in code with "
              "SetView(); a click on a line then shows only the cards in that state.");
}

QString CReceiverStatusListPlugin::includeFile() const
{
    return QStringLiteral("CReceiverStatusList.h");
}

QIcon CReceiverStatusListPlugin::icon() const
{
    return QIcon(QStringLiteral(":/image/status/attention.svg"));
}

bool CReceiverStatusListPlugin::isContainer() const
{
    return false;
}

QWidget* CReceiverStatusListPlugin::createWidget(QWidget* parent)
{
    return new CReceiverStatusList(nullptr, parent);
}

bool CReceiverStatusListPlugin::isInitialized() const
{
    return m_bInitialized;
}

void CReceiverStatusListPlugin::initialize(QDesignerFormEditorInterface*)
{
    m_bInitialized = true;
}

QString CReceiverStatusListPlugin::domXml() const
{
    return QStringLiteral(
        "<ui language=\"c++\">\n"
        " <widget class=\"CReceiverStatusList\" name=\"statusList\">\n"
        "  <property name=\"geometry\">\n"
        "   <rect><x>0</x><y>0</y><width>200</width><height>240</height></rect>\n"
        "  </property>\n"
        " </widget>\n"
        "</ui>\n");
}
