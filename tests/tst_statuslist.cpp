// The state list beside the table: its lines count what the simulated records
// and the limits say, its clicks and keys set and clear the view's status
// filter, it follows a filter the host sets, and it outlives its view.

#include "CMViewTestSupport.h"

#include "CPortSelectWidget.h"
#include "CReceiverStatusList.h"

#include <QTranslator>

using namespace cmtest;

namespace
{
constexpr int s_nPorts = 3;
constexpr int s_nPerPort = 6;

QList<SReceiverInfo> Wall()
{
    QList<SReceiverInfo> list;
    for (int nPort = 0; nPort < s_nPorts; ++nPort) {
        for (int nPosition = 0; nPosition < s_nPerPort; ++nPosition) {
            const int i = nPort * s_nPerPort + nPosition;
            SReceiverInfo info = Receiver(nPort, nPosition, QString(), i % 5 == 0 ? 2 : 0, 100, 3);
            info.dTemperature = 40.0 + 6.0 * (i % 4);
            info.dHumidity = 50.0 + 10.0 * (i % 3);
            info.mapSensor[3].dValue = 4.4 + 0.3 * (i % 5);
            if (i % 7 == 2)
                info.mapModule[1] = SModuleInfo { 1, "module", false, 0 };
            list << info;
        }
    }
    return list;
}

SHealthLimits Limits()
{
    SHealthLimits limits;
    limits.optTemperatureHigh = 50.0;
    limits.optVoltageLow = 4.5;
    limits.optVoltageHigh = 5.5;
    limits.optHumidityHigh = 65.0;
    return limits;
}

// The list's lines as "All (18)", "Too hot (9)", ... worked out from the records.
QStringList ExpectedLines(const QList<SReceiverInfo>& list, const SHealthLimits& limits, int nPort)
{
    const QStringList listNames { "All", "Packet errors", "Too hot", "Voltage out of range", "Humidity high",
                                  "Failed modules", "Upgrading", "Upgrade failed", "Needs attention" };
    QVector<int> vecCount(listNames.size(), 0);
    for (const SReceiverInfo& info : list) {
        if (nPort != -1 && info.address.nPort != nPort)
            continue;
        ++vecCount[0];
        const uint32_t n = ExpectedStates(info, limits);
        for (int i = 0; i < c_nHealthStateCount; ++i)
            vecCount[i + 1] += (n >> i) & 1u;
    }
    QStringList listLines;
    for (int i = 0; i < listNames.size(); ++i)
        listLines << QStringLiteral("%1 (%2)").arg(listNames.at(i)).arg(vecCount.at(i));
    return listLines;
}

QStringList Lines(const CReceiverStatusList& list)
{
    QStringList listLines;
    for (int r = 0; r < list.model()->rowCount(); ++r)
        listLines << list.model()->index(r, 0).data().toString();
    return listLines;
}

// The line that is selected, -1 for none, -2 for several.
int ChosenRow(const CReceiverStatusList& list)
{
    const QModelIndexList listSelected = list.selectionModel()->selectedIndexes();
    return listSelected.isEmpty() ? -1 : listSelected.size() > 1 ? -2 : listSelected.first().row();
}

int ShownCards(const CRig& rig)
{
    int nShown = 0;
    for (int p = 0; p < rig.Proxy()->rowCount(); ++p)
        nShown += rig.View()->isRowHidden(p, QModelIndex()) ? 0 : 1;
    return nShown;
}

int ExpectedShown(const QList<SReceiverInfo>& list, const SHealthLimits& limits, EHealthState eState)
{
    int n = 0;
    for (const SReceiverInfo& info : list)
        n += (eState == HealthNone || (ExpectedStates(info, limits) & eState)) ? 1 : 0;
    return n;
}

struct SListRig : CRig
{
    SListRig()
        : CRig(SSimWallConfig { s_nPorts, s_nPerPort, 1, false, false }, Wall())
    {
        Refresh();
        pList.reset(new CReceiverStatusList(Main()));
        new QAbstractItemModelTester(pList->model(), QAbstractItemModelTester::FailureReportingMode::QtTest, pList->model());
    }
    ~SListRig() { pList.reset(); }
    bool ShowList()
    {
        pList->resize(220, 320);
        pList->show();
        return QTest::qWaitForWindowExposed(pList.get());
    }
    void ClickLine(int nRow)
    {
        const QRect rect = pList->visualRect(pList->model()->index(nRow, 0));
        Click(pList->viewport(), rect.center());
    }
    void ChoosePort(int nPort)
    {
        pWall->SetFilterPort(nPort);
        emit View()->GetPortSelectWidget()->SignalClicked();
    }
    std::unique_ptr<CReceiverStatusList> pList;
};
}

class TestStatusList : public QObject
{
    Q_OBJECT

private slots:
    // The lines count what the records and the limits make of the cards, over
    // the cards the port filter shows, and follow updates, limits and ports.
    void countsFollowTheWall()
    {
        SListRig rig;
        QCOMPARE(Lines(*rig.pList), ExpectedLines(rig.pWall->Receivers(), SHealthLimits(), -1));
        rig.Main()->SetHealthLimits(Limits());
        QCOMPARE(Lines(*rig.pList), ExpectedLines(rig.pWall->Receivers(), Limits(), -1));
        // Every state the wall can show without an upgrade has cards in it.
        for (const EHealthState eState : { HealthPacketErrors, HealthTooHot, HealthVoltageOutOfRange, HealthHumidityHigh,
                                           HealthFailedModules, HealthNeedsAttention })
            QVERIFY(!Lines(*rig.pList).at(CReceiverStatusList::RowOfState(eState)).endsWith(QLatin1String("(0)")));

        QVERIFY(rig.pWall->SetReadings(1, 30.0, 40.0, 5.0));
        QVERIFY(rig.pWall->SetReadings(4, 70.0, 90.0, 6.0));
        rig.Main()->UpdateShow();
        QCOMPARE(Lines(*rig.pList), ExpectedLines(rig.pWall->Receivers(), Limits(), -1));

        rig.ChoosePort(2);
        QCOMPARE(Lines(*rig.pList), ExpectedLines(rig.pWall->Receivers(), Limits(), 2));
        // The status and text filters hide cards but change no count.
        rig.Main()->SetStatusFilter(HealthTooHot);
        rig.Main()->SetTextFilter(QStringLiteral("no such card"));
        QCOMPARE(Lines(*rig.pList), ExpectedLines(rig.pWall->Receivers(), Limits(), 2));
        rig.ChoosePort(-1);
        QCOMPARE(Lines(*rig.pList), ExpectedLines(rig.pWall->Receivers(), Limits(), -1));
        rig.Main()->SetHealthLimits(SHealthLimits());
        QCOMPARE(Lines(*rig.pList), ExpectedLines(rig.pWall->Receivers(), SHealthLimits(), -1));
    }

    // A click on a line shows its cards; a second click, or "All", shows every
    // card again. Enter and Space on the current line act the same.
    void clicksAndKeysFilter()
    {
        SListRig rig;
        rig.Main()->SetHealthLimits(Limits());
        QVERIFY(rig.ShowList());
        const QList<SReceiverInfo> list = rig.pWall->Receivers();
        QCOMPARE(ChosenRow(*rig.pList), 0);

        rig.ClickLine(CReceiverStatusList::RowOfState(HealthTooHot));
        QCOMPARE(rig.Main()->StatusFilter(), HealthTooHot);
        QCOMPARE(ShownCards(rig), ExpectedShown(list, Limits(), HealthTooHot));
        QVERIFY(ShownCards(rig) > 0 && ShownCards(rig) < list.size());
        QCOMPARE(ChosenRow(*rig.pList), CReceiverStatusList::RowOfState(HealthTooHot));
        rig.ClickLine(CReceiverStatusList::RowOfState(HealthTooHot));
        QCOMPARE(rig.Main()->StatusFilter(), HealthNone);
        QCOMPARE(ShownCards(rig), int(list.size()));
        QCOMPARE(ChosenRow(*rig.pList), 0);

        rig.ClickLine(CReceiverStatusList::RowOfState(HealthFailedModules));
        QCOMPARE(ShownCards(rig), ExpectedShown(list, Limits(), HealthFailedModules));
        rig.ClickLine(0);
        QCOMPARE(rig.Main()->StatusFilter(), HealthNone);
        rig.ClickLine(0); // "All" twice stays on all
        QCOMPARE(rig.Main()->StatusFilter(), HealthNone);
        QCOMPARE(ChosenRow(*rig.pList), 0);

        // Keys: Down moves the current line only; Space and Enter choose it.
        rig.pList->setFocus();
        rig.pList->setCurrentIndex(rig.pList->model()->index(0, 0));
        QTest::keyClick(rig.pList.get(), Qt::Key_Down);
        QTest::keyClick(rig.pList.get(), Qt::Key_Down);
        QCOMPARE(rig.Main()->StatusFilter(), HealthNone);
        QCOMPARE(ChosenRow(*rig.pList), 0);
        QTest::keyClick(rig.pList.get(), Qt::Key_Space);
        QCOMPARE(rig.Main()->StatusFilter(), HealthTooHot);
        QCOMPARE(ChosenRow(*rig.pList), 2);
        QTest::keyClick(rig.pList.get(), Qt::Key_Return);
        QCOMPARE(rig.Main()->StatusFilter(), HealthNone);
        QTest::keyClick(rig.pList.get(), Qt::Key_Up);
        QTest::keyClick(rig.pList.get(), Qt::Key_Enter, Qt::KeypadModifier);
        QCOMPARE(rig.Main()->StatusFilter(), HealthPacketErrors);
        QCOMPARE(ShownCards(rig), ExpectedShown(list, Limits(), HealthPacketErrors));
        // The checks stay: the list never touches the selection.
        QCOMPARE(rig.Main()->CheckedHiddenCount(), 0);
    }

    // A filter the host sets through the view shows as the chosen line, and a
    // click then works from it.
    void followsTheViewsFilter()
    {
        SListRig rig;
        rig.Main()->SetHealthLimits(Limits());
        QVERIFY(rig.ShowList());
        rig.Main()->SetStatusFilter(HealthVoltageOutOfRange);
        QCOMPARE(ChosenRow(*rig.pList), CReceiverStatusList::RowOfState(HealthVoltageOutOfRange));
        rig.ClickLine(CReceiverStatusList::RowOfState(HealthVoltageOutOfRange));
        QCOMPARE(rig.Main()->StatusFilter(), HealthNone);
        rig.Main()->SetStatusFilter(HealthNeedsAttention);
        QCOMPARE(ChosenRow(*rig.pList), c_nHealthStateCount);
        rig.Main()->SetStatusFilter(HealthNone);
        QCOMPARE(ChosenRow(*rig.pList), 0);
        // A port filter change keeps the status filter and its line.
        rig.Main()->SetStatusFilter(HealthTooHot);
        rig.ChoosePort(1);
        QCOMPARE(ChosenRow(*rig.pList), CReceiverStatusList::RowOfState(HealthTooHot));
    }

    // Unbound, or once its view is gone, the list counts nothing and a click
    // reaches nothing; bound again it follows the view at once.
    void bindingAndViewEnd()
    {
        SListRig rig;
        rig.Main()->SetHealthLimits(Limits());
        rig.Main()->SetStatusFilter(HealthHumidityHigh);
        QCOMPARE(ChosenRow(*rig.pList), CReceiverStatusList::RowOfState(HealthHumidityHigh));
        const QStringList listNone = ExpectedLines({}, SHealthLimits(), -1);

        rig.pList->SetView(nullptr);
        QCOMPARE(rig.pList->View(), nullptr);
        QCOMPARE(Lines(*rig.pList), listNone);
        QCOMPARE(ChosenRow(*rig.pList), 0);
        rig.Main()->SetStatusFilter(HealthNone);
        rig.Main()->SetHealthLimits(SHealthLimits());
        QCOMPARE(Lines(*rig.pList), listNone);

        rig.pList->SetView(rig.Main());
        rig.Main()->SetHealthLimits(Limits());
        QCOMPARE(Lines(*rig.pList), ExpectedLines(rig.pWall->Receivers(), Limits(), -1));

        QVERIFY(rig.ShowList());
        rig.DestroyView();
        QCOMPARE(rig.pList->View(), nullptr);
        QCOMPARE(Lines(*rig.pList), listNone);
        rig.ClickLine(CReceiverStatusList::RowOfState(HealthTooHot));
        QTest::keyClick(rig.pList.get(), Qt::Key_Space);
        QCOMPARE(ChosenRow(*rig.pList), 0);
    }

    // The simulated wall's health events, which only the demo turns on: over
    // one cycle every limit state and failed modules turn up on a few cards,
    // and by its end the cards are back within the limits.
    void simulatedHealthEvents()
    {
        SHealthLimits limits;
        limits.optTemperatureHigh = 70.0;
        limits.optVoltageLow = 4.5;
        limits.optVoltageHigh = 5.5;
        limits.optHumidityHigh = 80.0;
        const QList<EHealthState> listStates { HealthTooHot, HealthVoltageOutOfRange, HealthHumidityHigh, HealthFailedModules };
        auto fnCount = [&limits](const CSimWall& wall, EHealthState eState) {
            int n = 0;
            for (const SReceiverInfo& info : wall.Receivers())
                n += (ExpectedStates(info, limits) & eState) ? 1 : 0;
            return n;
        };
        CSimWall wall(SSimWallConfig { 4, 24, 3, false, false });
        QVERIFY(!wall.HasHealthEvents());
        wall.SetHealthEvents(true);
        QMap<EHealthState, int> mapStart, mapMost;
        for (const EHealthState eState : listStates)
            mapStart[eState] = fnCount(wall, eState);
        for (int t = 0; t < CSimWall::c_nHealthCycleTicks; ++t) {
            wall.Tick();
            for (const EHealthState eState : listStates)
                mapMost[eState] = qMax(mapMost[eState], fnCount(wall, eState) - mapStart[eState]);
        }
        for (const EHealthState eState : listStates) {
            QVERIFY2(mapMost[eState] > 0, qPrintable(QString::number(eState)));
            // A few cards, not the wall: one port of four at most.
            QVERIFY(mapMost[eState] <= wall.ReceiverCount() / 4);
            QCOMPARE(fnCount(wall, eState), mapStart[eState]);
        }
    }

    // The lines read as the catalogue has them and change with the language.
    void namesAndLanguage()
    {
        SListRig rig;
        QCOMPARE(CReceiverStatusList::StateOfRow(0), HealthNone);
        QCOMPARE(CReceiverStatusList::StateOfRow(c_nHealthStateCount), HealthNeedsAttention);
        QCOMPARE(CReceiverStatusList::StateOfRow(c_nHealthStateCount + 1), HealthNone);
        QCOMPARE(CReceiverStatusList::RowOfState(EHealthState(HealthTooHot | HealthUpgrading)), 0);
        for (int r = 0; r < rig.pList->model()->rowCount(); ++r)
            QVERIFY(!rig.pList->model()->index(r, 0).data(Qt::DecorationRole).value<QIcon>().isNull());

        QTranslator translator;
        QVERIFY(translator.load(QStringLiteral("cmview_zh_CN.qm"),
                                QCoreApplication::applicationDirPath() + QStringLiteral("/../resources/translations")));
        QCoreApplication::installTranslator(&translator);
        const QString strAll = rig.pList->model()->index(0, 0).data().toString();
        const QString strHot = rig.pList->model()->index(2, 0).data().toString();
        QCoreApplication::removeTranslator(&translator);
        QVERIFY(!strAll.startsWith(QLatin1String("All")));
        QVERIFY(strAll.endsWith(QString::number(s_nPorts * s_nPerPort) + QChar(0xFF09)));
        QVERIFY(!strHot.startsWith(QLatin1String("Too hot")));
        QCOMPARE(rig.pList->model()->index(0, 0).data().toString(), QStringLiteral("All (18)"));
    }
};

QTEST_MAIN(TestStatusList)
#include "tst_statuslist.moc"
