// The Qt Designer plugin as Designer and QUiLoader load it: its collection
// offers CCMMainView with an icon, a tool tip and form XML, and makes views
// that show a small simulated wall when nothing is published; a form using
// the widget loads through QUiLoader. A host's own controllers are never
// replaced. CMVIEW_DESIGNER_PLUGIN_DIR points the test at an installed copy.

#include "CCMMainView.h"
#include "CReceiverListView.h"
#include "CReceiverStatusList.h"
#include "CWallMapView.h"
#include "CSimWall.h"

#include <QAbstractItemModel>
#include <QDir>
#include <QFile>
#include <QPluginLoader>
#include <QThreadPool>
#include <QUiLoader>
#include <QtTest>
#include <QtUiPlugin/QDesignerCustomWidgetCollectionInterface>
#include <QtUiPlugin/QDesignerCustomWidgetInterface>

#include <memory>

namespace
{
QString PluginDir()
{
    const QString strDir = qEnvironmentVariable("CMVIEW_DESIGNER_PLUGIN_DIR");
    return strDir.isEmpty() ? QStringLiteral(CMVIEW_DESIGNER_PLUGIN_BUILD_DIR) : strDir;
}

int Rows(const CCMMainView* pView)
{
    return pView->GetReceiverListView()->GetModel()->rowCount();
}

bool AnyControllerPublished()
{
    return g_pRuntimeControl || g_pOutputPortControl || g_pReceiverControl || g_pPreferenceControl || g_pDetectControl
        || g_pCabinetLibControl || g_pUpgradeConfigControl;
}
}

class TestDesignerPlugin : public QObject
{
    Q_OBJECT

private:
    QDesignerCustomWidgetInterface* Entry(const QString& strName = QStringLiteral("CCMMainView"))
    {
        if (!m_loader.isLoaded() && !m_loader.load())
            qWarning("%s", qPrintable(m_loader.errorString()));
        auto* pCollection = qobject_cast<QDesignerCustomWidgetCollectionInterface*>(m_loader.instance());
        if (!pCollection)
            return nullptr;
        for (QDesignerCustomWidgetInterface* pEntry : pCollection->customWidgets())
            if (pEntry->name() == strName)
                return pEntry;
        return nullptr;
    }
    std::unique_ptr<QWidget> LoadForm()
    {
        QUiLoader loader;
        loader.clearPluginPaths();
        loader.addPluginPath(PluginDir());
        if (!loader.availableWidgets().contains(QStringLiteral("CCMMainView")))
            return nullptr;
        QFile form(QStringLiteral(CMVIEW_DESIGNER_FORM));
        if (!form.open(QIODevice::ReadOnly))
            return nullptr;
        std::unique_ptr<QWidget> pForm(loader.load(&form));
        if (!pForm)
            qWarning("%s", qPrintable(loader.errorString()));
        return pForm;
    }

    QPluginLoader m_loader { QDir(PluginDir()).filePath(QStringLiteral(CMVIEW_DESIGNER_PLUGIN_FILE)) };

private slots:
    // First, while nothing of the plugin's is published: a host that loads
    // forms at run time keeps its controllers, whole or partial, and its view
    // stays empty until it refreshes it itself.
    void hostControllersStay()
    {
        QDesignerCustomWidgetInterface* pEntry = Entry();
        QVERIFY(pEntry);
        CSimWall host(SSimWallConfig { 1, 3, 5, false, false });
        host.Install();
        std::unique_ptr<QWidget> pWidget(pEntry->createWidget(nullptr));
        auto* pView = qobject_cast<CCMMainView*>(pWidget.get());
        QVERIFY(pView);
        QVERIFY(host.IsInstalled());
        QCOMPARE(Rows(pView), 0);
        pView->RefreshShow();
        QCOMPARE(Rows(pView), 3);

        std::unique_ptr<QWidget> pForm = LoadForm();
        QVERIFY(pForm);
        QVERIFY(pForm->findChild<CCMMainView*>(QStringLiteral("receiverView")));
        QVERIFY(host.IsInstalled());
        pForm.reset();
        pWidget.reset();
        host.Uninstall();

        // One controller of the host's is enough to keep the sample out.
        g_pReceiverControl = host.ReceiverControl();
        pWidget.reset(pEntry->createWidget(nullptr));
        QVERIFY(qobject_cast<CCMMainView*>(pWidget.get()));
        QCOMPARE(Rows(static_cast<CCMMainView*>(pWidget.get())), 0);
        QVERIFY(g_pReceiverControl == host.ReceiverControl() && !g_pRuntimeControl && !g_pUpgradeConfigControl);
        pWidget.reset();
        g_pReceiverControl = nullptr;
        QThreadPool::globalInstance()->waitForDone();
    }

    // The widget box entry, and views in a form over the sample wall.
    void entry()
    {
        QVERIFY(!AnyControllerPublished());
        QCOMPARE(m_loader.metaData().value(QStringLiteral("IID")).toString(),
                 QStringLiteral("org.qt-project.Qt.QDesignerCustomWidgetCollectionInterface"));
        QDesignerCustomWidgetInterface* pEntry = Entry();
        QVERIFY(pEntry);
        QCOMPARE(pEntry->includeFile(), QStringLiteral("CCMMainView.h"));
        QVERIFY(!pEntry->isContainer());
        QVERIFY(!pEntry->toolTip().isEmpty());
        QVERIFY(!pEntry->whatsThis().isEmpty());
        QVERIFY(!pEntry->group().isEmpty());
        QVERIFY(!pEntry->icon().pixmap(32, 32).isNull());
        QVERIFY(pEntry->domXml().contains(QLatin1String("<widget class=\"CCMMainView\"")));

        std::unique_ptr<QWidget> pFirst(pEntry->createWidget(nullptr));
        auto* pView = qobject_cast<CCMMainView*>(pFirst.get());
        QVERIFY(pView);
        QCOMPARE(Rows(pView), 8);
        // A second view shows the same sample wall.
        CReceiverControl* pSample = g_pReceiverControl;
        QVERIFY(pSample);
        std::unique_ptr<QWidget> pSecond(pEntry->createWidget(nullptr));
        QCOMPARE(Rows(qobject_cast<CCMMainView*>(pSecond.get())), 8);
        QCOMPARE(g_pReceiverControl, pSample);
    }

    // A form that uses the widget, as an application loads it at run time.
    void formLoads()
    {
        std::unique_ptr<QWidget> pForm = LoadForm();
        QVERIFY(pForm);
        auto* pView = pForm->findChild<CCMMainView*>(QStringLiteral("receiverView"));
        QVERIFY(pView);
        QCOMPARE(Rows(pView), 8);
        pForm->resize(900, 560);
        pForm->show();
        QVERIFY(QTest::qWaitForWindowExposed(pForm.get()));
        QVERIFY(pView->height() > 100);
        // The state list comes unbound; bound in code it counts the view's cards.
        auto* pList = pForm->findChild<CReceiverStatusList*>(QStringLiteral("statusList"));
        QVERIFY(pList && !pList->View());
        pList->SetView(pView);
        QCOMPARE(pList->model()->index(0, 0).data().toString(), QStringLiteral("All (8)"));
        // So does the map: bound, it lays out the sample wall's two ports of four.
        auto* pMap = pForm->findChild<CWallMapView*>(QStringLiteral("wallMap"));
        QVERIFY(pMap && !pMap->View());
        pMap->SetView(pView);
        QCOMPARE(pMap->LineCount(), 2);
        QCOMPARE(pMap->ColumnCount(), 4);
    }

    // The companions' entries: each an unbound widget of its class.
    void companionEntries_data()
    {
        QTest::addColumn<QString>("strClass");
        QTest::newRow("state list") << QStringLiteral("CReceiverStatusList");
        QTest::newRow("wall map") << QStringLiteral("CWallMapView");
    }
    void companionEntries()
    {
        QFETCH(QString, strClass);
        QDesignerCustomWidgetInterface* pEntry = Entry(strClass);
        QVERIFY(pEntry);
        QCOMPARE(pEntry->includeFile(), strClass + QStringLiteral(".h"));
        QVERIFY(!pEntry->icon().pixmap(32, 32).isNull());
        QVERIFY(pEntry->domXml().contains(QStringLiteral("<widget class=\"%1\"").arg(strClass)));
        std::unique_ptr<QWidget> pWidget(pEntry->createWidget(nullptr));
        QCOMPARE(QString::fromLatin1(pWidget->metaObject()->className()), strClass);
        if (auto* pList = qobject_cast<CReceiverStatusList*>(pWidget.get())) {
            QVERIFY(!pList->View());
            QCOMPARE(pList->model()->rowCount(), c_nHealthStateCount + 1);
        } else {
            auto* pMap = qobject_cast<CWallMapView*>(pWidget.get());
            QVERIFY(pMap && !pMap->View());
            QCOMPARE(pMap->LineCount(), 0);
        }
    }

    void cleanupTestCase() { QThreadPool::globalInstance()->waitForDone(); }
};

QTEST_MAIN(TestDesignerPlugin)
#include "tst_designerplugin.moc"
