#include "CCompanionWidgetPlugin.h"

#include "CReceiverStatusList.h"
#include "CWallMapView.h"

#include <QIcon>

#include <utility>

CCompanionWidgetPlugin::SEntry CCompanionWidgetPlugin::StatusListEntry()
{
    return { QStringLiteral("CReceiverStatusList"), QStringLiteral("statusList"),
             tr("Card states with their counts; a click filters the receiver table"),
             tr("One line per receiver card state with its count. Bind it to the receiver view in code with "
                "SetView(); a click on a line then shows only the cards in that state."),
             QStringLiteral(":/image/status/attention.svg"), QSize(200, 240),
             [](QWidget* parent) { return new CReceiverStatusList(nullptr, parent); } };
}

CCompanionWidgetPlugin::SEntry CCompanionWidgetPlugin::WallMapEntry()
{
    return { QStringLiteral("CWallMapView"), QStringLiteral("wallMap"),
             tr("The wall as a map of its cards, one line per port"),
             tr("Every receiver card as a cell coloured by its state or a reading. Bind it to the receiver "
                "view in code with SetView(); a click on a cell then selects the card's row."),
             QStringLiteral(":/image/status/all.svg"), QSize(320, 240),
             [](QWidget* parent) { return new CWallMapView(nullptr, parent); } };
}

CCompanionWidgetPlugin::CCompanionWidgetPlugin(SEntry entry, QObject* parent)
    : QObject(parent)
    , m_entry(std::move(entry))
{
}

QString CCompanionWidgetPlugin::group() const
{
    return tr("LED Display Control");
}

QIcon CCompanionWidgetPlugin::icon() const
{
    return QIcon(m_entry.strIcon);
}

QString CCompanionWidgetPlugin::domXml() const
{
    return QStringLiteral(
               "<ui language=\"c++\">\n"
               " <widget class=\"%1\" name=\"%2\">\n"
               "  <property name=\"geometry\">\n"
               "   <rect><x>0</x><y>0</y><width>%3</width><height>%4</height></rect>\n"
               "  </property>\n"
               " </widget>\n"
               "</ui>\n")
        .arg(m_entry.strClass, m_entry.strObjectName)
        .arg(m_entry.sizeDefault.width())
        .arg(m_entry.sizeDefault.height());
}
