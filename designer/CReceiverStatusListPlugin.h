#pragma once
// Qt Designer's entry to CReceiverStatusList. A form cannot name the view the
// list follows, so the list comes unbound; the host calls SetView() on it.

#include <QObject>
#include <QtUiPlugin/QDesignerCustomWidgetInterface>

class CReceiverStatusListPlugin : public QObject, public QDesignerCustomWidgetInterface
{
    Q_OBJECT
    Q_INTERFACES(QDesignerCustomWidgetInterface)

public:
    explicit CReceiverStatusListPlugin(QObject* parent = nullptr);

    QString name() const override;
    QString group() const override;
    QString toolTip() const override;
    QString whatsThis() const override;
    QString includeFile() const override;
    QIcon icon() const override;
    bool isContainer() const override;
    QWidget* createWidget(QWidget* parent) override;
    bool isInitialized() const override;
    void initialize(QDesignerFormEditorInterface* pCore) override;
    QString domXml() const override;

private:
    bool m_bInitialized = false;
};
