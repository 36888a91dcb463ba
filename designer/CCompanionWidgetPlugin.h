#pragma once
// Qt Designer's entries to the widgets that accompany a CCMMainView (the
// state list, the wall map). A form cannot name the view they follow, so they
// come unbound; the host calls SetView() on them.

#include <QObject>
#include <QtUiPlugin/QDesignerCustomWidgetInterface>

#include <functional>

class CCompanionWidgetPlugin : public QObject, public QDesignerCustomWidgetInterface
{
    Q_OBJECT
    Q_INTERFACES(QDesignerCustomWidgetInterface)

public:
    // What tells one companion from another.
    struct SEntry
    {
        QString strClass;
        QString strObjectName;   // the name a new instance gets in a form
        QString strToolTip;
        QString strWhatsThis;
        QString strIcon;         // a resource path
        QSize sizeDefault;
        std::function<QWidget*(QWidget*)> fnCreate;
    };

    // The state list's and the wall map's entries.
    static SEntry StatusListEntry();
    static SEntry WallMapEntry();

    CCompanionWidgetPlugin(SEntry entry, QObject* parent = nullptr);

    QString name() const override { return m_entry.strClass; }
    QString group() const override;
    QString toolTip() const override { return m_entry.strToolTip; }
    QString whatsThis() const override { return m_entry.strWhatsThis; }
    QString includeFile() const override { return m_entry.strClass + QStringLiteral(".h"); }
    QIcon icon() const override;
    bool isContainer() const override { return false; }
    QWidget* createWidget(QWidget* parent) override { return m_entry.fnCreate(parent); }
    bool isInitialized() const override { return m_bInitialized; }
    void initialize(QDesignerFormEditorInterface*) override { m_bInitialized = true; }
    QString domXml() const override;

private:
    SEntry m_entry;
    bool m_bInitialized = false;
};
