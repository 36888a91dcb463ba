// The compiled Simplified Chinese catalogue, loaded the way a host loads it.
// Completeness of the catalogue is checked by the cmview_zh_CN_complete CTest
// test; this one checks that the built .qm really reaches the widgets.

#include "CPortSelectWidget.h"
#include "CColumnMap.h"
#include "CReceiverListHeader.h"
#include "CSimWall.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QPushButton>
#include <QTranslator>
#include <QtTest>

namespace
{
const QString s_strQmName = QStringLiteral("cmview_zh_CN.qm");

// CMVIEW_QM_DIR overrides; otherwise the build tree layout: <build>/tests/ and
// <build>/resources/translations/.
QString FindQm()
{
    QStringList listDirs;
    const QString strEnv = qEnvironmentVariable("CMVIEW_QM_DIR");
    if (!strEnv.isEmpty())
        listDirs << strEnv;
    listDirs << QCoreApplication::applicationDirPath() + QStringLiteral("/../resources/translations");
    for (const QString& strDir : qAsConst(listDirs)) {
        const QFileInfo info(QDir(strDir), s_strQmName);
        if (info.isFile())
            return info.absoluteFilePath();
    }
    return QString();
}
}

class TestTranslations : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();
    void headerLabels();
    void portPopupFollowsLanguageChange();

private:
    void Install();

    QTranslator m_translator;
    bool m_bInstalled = false;
};

void TestTranslations::initTestCase()
{
    const QString strQm = FindQm();
    QVERIFY2(!strQm.isEmpty(), qPrintable(s_strQmName + QStringLiteral(" not found; build cmview_translations")));
    QVERIFY2(m_translator.load(strQm), qPrintable(strQm));
    QVERIFY(!m_translator.isEmpty());
}

void TestTranslations::Install()
{
    QVERIFY(QCoreApplication::installTranslator(&m_translator));
    m_bInstalled = true;
}

void TestTranslations::cleanup()
{
    if (m_bInstalled)
        QCoreApplication::removeTranslator(&m_translator);
    m_bInstalled = false;
}

void TestTranslations::headerLabels()
{
    Install();
    CReceiverListHeader header;
    const CColumnMap columnsWithPort(true);
    const CColumnMap columnsWithoutPort(false);
    header.SetColumnMap(&columnsWithPort);
    const QStringList listExpected = {QStringLiteral("端口"), QStringLiteral("级联位置"), QStringLiteral("类型"),
        QStringLiteral("序列号"), QStringLiteral("固件版本"), QStringLiteral("误码/总包数"), QStringLiteral("进度"),
        QStringLiteral("故障模组"), QStringLiteral("温度"), QStringLiteral("湿度"), QStringLiteral("电压"),
        QStringLiteral("运行时间")};
    QCOMPARE(header.GetLabels(), listExpected);

    header.SetColumnMap(&columnsWithoutPort);
    QCOMPARE(header.GetLabels(), listExpected.mid(1));
}

void TestTranslations::portPopupFollowsLanguageChange()
{
    SSimWallConfig config;
    config.nPortCount = 3;
    config.nReceiversPerPort = 1;
    CSimWall wall(config);
    wall.Install();

    CPortSelectWidget popup;
    const QMap<int, QPushButton*> mapButtons = popup.GetPortButtons();
    QCOMPARE(mapButtons.size(), 3);
    QCOMPARE(popup.GetAllButton()->text(), QStringLiteral("All"));

    // The popup already exists when the host switches language.
    Install();
    QTRY_COMPARE(popup.GetAllButton()->text(), QStringLiteral("全部"));
    for (auto it = mapButtons.cbegin(); it != mapButtons.cend(); ++it)
        QCOMPARE(it.value()->text(), QStringLiteral("端口 ") + QString::number(it.key() + 1));

    // And back, when the translator goes away again.
    cleanup();
    QTRY_COMPARE(popup.GetAllButton()->text(), QStringLiteral("All"));
    for (auto it = mapButtons.cbegin(); it != mapButtons.cend(); ++it)
        QCOMPARE(it.value()->text(), QStringLiteral("Port ") + QString::number(it.key() + 1));

    wall.Uninstall();
}

QTEST_MAIN(TestTranslations)
#include "tst_translations.moc"
