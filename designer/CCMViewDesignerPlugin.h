#pragma once
// Qt Designer's entry to CCMMainView: the widget box entry (icon, tool tip,
// the form's default XML) and the view it places in a form. Designer has no
// controllers of its own, so the view then shows a small simulated wall; a
// host that published controllers (one loading forms with QUiLoader) keeps
// its own and gets the view exactly as it would construct it.

#include <QObject>
#include <QtUiPlugin/QDesignerCustomWidgetCollectionInterface>
#include <QtUiPlugin/QDesignerCustomWidgetInterface>

class CCMMainViewPlugin : public QObject, public QDesignerCustomWidgetInterface
{
    Q_OBJECT
    Q_INTERFACES(QDesignerCustomWidgetInterface)

public:
    explicit CCMMainViewPlugin(QObject* parent = nullptr);

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

    // Publishes the sample wall when no controller at all is published; true
    // when the sample wall is the one published.
    static bool PublishSampleWall();

private:
    bool m_bInitialized = false;
};

class CCMViewDesignerPlugins : public QObject, public QDesignerCustomWidgetCollectionInterface
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID "org.qt-project.Qt.QDesignerCustomWidgetCollectionInterface" FILE "cmview_designer.json")
    Q_INTERFACES(QDesignerCustomWidgetCollectionInterface)

public:
    explicit CCMViewDesignerPlugins(QObject* parent = nullptr);

    QList<QDesignerCustomWidgetInterface*> customWidgets() const override;

private:
    QList<QDesignerCustomWidgetInterface*> m_listWidgets;
};
