// The receiver table as the host first meets it: cell texts from the
// controllers, item roles, the optional Port column, check marks restored from
// the stored selection, the header's tri-state box, and the main view's
// forwarding, all checked against a tiny hand-made receiver list.

#include "CMViewTestSupport.h"

#include <algorithm>

using namespace cmtest;

struct SCellCase { SReceiverInfo receiver; bool bFahrenheit; int nKey; QString strText; };
struct SSortMove { bool bStartHidden; int nBefore, nAfter; }; // sort column before and after the Port column flips
struct SRestoreCase { bool bPortHidden, bOtherDevice; int nPath, nFilterPort; QList<int> listStored; bool bRestored; int nState; };
Q_DECLARE_METATYPE(SCellCase)
Q_DECLARE_METATYPE(SSortMove)
Q_DECLARE_METATYPE(SRestoreCase)

namespace
{
// Two cabinets in the library; a key is high << 16 | mid << 8 | low.
CRig Rig(bool bPortHidden, const QList<SReceiverInfo>& listReceivers)
{
    return CRig(SSimWallConfig { 4, 2, 1, bPortHidden, false }, listReceivers, [](CSimWall& wall) {
        wall.SetCabinetMap({ { 0x1A010511u, SCabinetInfo { "Cabinet A", "CAB-A" } }, { 0x20001u, SCabinetInfo { "Blank", "" } } });
    });
}

enum ERefreshPath
{
    PathReload,         // RefreshShow(true, false) on the list view
    PathLanguageChange, // a LanguageChange event reaching the main view
    PathHostRefresh     // the host's RefreshShow()
};
}

class TestFoundation : public QObject
{
    Q_OBJECT

private slots:
    void cellTexts_data()
    {
        QTest::addColumn<SCellCase>("c");

        const SReceiverInfo base = Receiver(0, 0);
        auto with = [&base](auto fnChange) {
            SReceiverInfo info = base;
            fnChange(info);
            return info;
        };
        auto packets = [&](quint32 nErrors, quint32 nTotal) { return with([=](SReceiverInfo& r) { r.nErrorPackets = nErrors; r.nTotalPackets = nTotal; }); };
        auto modules = [](SReceiverInfo& r, std::initializer_list<bool> listOk) {
            int i = 0;
            for (bool bOk : listOk) {
                r.mapModule[i] = SModuleInfo { i, "m", bOk, 0 };
                ++i;
            }
        };
        auto cabinetA = [](SReceiverInfo& r) {
            r.nCabinetKeyHigh = 0x1A01;
            r.nCabinetKeyMid = 0x05;
            r.nCabinetKeyLow = 0x11;
            r.strCabinetId = "CAB-A";
        };
        using C = ReceiverColumn::EKey;
        const QString D = QStringLiteral("\u00B0");

        QTest::newRow("serial separators dropped") << SCellCase { with([](SReceiverInfo& r) { r.strSerialNumber = "AB-12 34/x"; }), false, C::SerialNumber, "AB1234x" };
        QTest::newRow("serial non-ASCII dropped") << SCellCase { with([](SReceiverInfo& r) { r.strSerialNumber = "S\xC3\xA9N_9"; }), false, C::SerialNumber, "SN9" };
        QTest::newRow("serial empty") << SCellCase { with([](SReceiverInfo& r) { r.strSerialNumber.clear(); }), false, C::SerialNumber, "" };
        QTest::newRow("failed modules 0 and 2") << SCellCase { with([&](SReceiverInfo& r) { modules(r, { false, true, false }); }), false, C::FailedModule, "1, 3" };
        QTest::newRow("no module failed") << SCellCase { with([&](SReceiverInfo& r) { modules(r, { true, true }); }), false, C::FailedModule, "N/A" };
        QTest::newRow("no modules") << SCellCase { base, false, C::FailedModule, "N/A" };
        QTest::newRow("celsius") << SCellCase { with([](SReceiverInfo& r) { r.dTemperature = 25.0; }), false, C::Temperature, "25.00" + D + "C" };
        QTest::newRow("fahrenheit") << SCellCase { with([](SReceiverInfo& r) { r.dTemperature = 25.0; }), true, C::Temperature, "77.00" + D + "F" };
        QTest::newRow("fahrenheit below zero") << SCellCase { with([](SReceiverInfo& r) { r.dTemperature = -40.0; }), true, C::Temperature, "-40.00" + D + "F" };
        QTest::newRow("temperature rounds as printf") << SCellCase { with([](SReceiverInfo& r) { r.dTemperature = 0.125; }), false, C::Temperature, "0.12" + D + "C" };
        QTest::newRow("temperature negative zero") << SCellCase { with([](SReceiverInfo& r) { r.dTemperature = -0.001; }), false, C::Temperature, "-0.00" + D + "C" };
        QTest::newRow("temperature invalid") << SCellCase { with([](SReceiverInfo& r) { r.bTemperatureValid = false; }), true, C::Temperature, "--" };
        QTest::newRow("humidity truncated") << SCellCase { with([](SReceiverInfo& r) { r.dHumidity = 45.9; }), false, C::Humidity, "45%" };
        QTest::newRow("humidity toward zero") << SCellCase { with([](SReceiverInfo& r) { r.dHumidity = -0.5; }), false, C::Humidity, "0%" };
        QTest::newRow("humidity invalid") << SCellCase { with([](SReceiverInfo& r) { r.bHumidityValid = false; }), false, C::Humidity, "--" };
        QTest::newRow("voltage rounds as printf") << SCellCase { with([](SReceiverInfo& r) { r.mapSensor[3].dValue = 5.05; }), false, C::Voltage, "5.0V" };
        QTest::newRow("voltage invalid") << SCellCase { with([](SReceiverInfo& r) { r.mapSensor[3].bValid = false; }), false, C::Voltage, "--" };
        QTest::newRow("voltage only other sensors") << SCellCase { with([](SReceiverInfo& r) { r.mapSensor.clear(); r.mapSensor[2] = SSensorValue { 2, true, 5.0 }; }), false, C::Voltage, "--" };
        QTest::newRow("uptime zero") << SCellCase { with([](SReceiverInfo& r) { r.nUptime = 0; }), false, C::Uptime, "0:00:00" };
        QTest::newRow("uptime 1:02:03") << SCellCase { with([](SReceiverInfo& r) { r.nUptime = 3723000; }), false, C::Uptime, "1:02:03" };
        QTest::newRow("uptime past a day") << SCellCase { with([](SReceiverInfo& r) { r.nUptime = 90000000; }), false, C::Uptime, "25:00:00" };
        QTest::newRow("uptime unsigned max") << SCellCase { with([](SReceiverInfo& r) { r.nUptime = 0xFFFFFFFFu; }), false, C::Uptime, "1193:02:47" };
        QTest::newRow("firmware") << SCellCase { base, false, C::Firmware, "RV-908 V3.07" };
        QTest::newRow("firmware wide minor") << SCellCase { with([](SReceiverInfo& r) { r.nVersionMajor = 10; r.nVersionMinor = 123; }), false, C::Firmware, "RV-908 V10.123" };
        QTest::newRow("cabinet match") << SCellCase { with(cabinetA), false, C::Type, "Cabinet A" };
        QTest::newRow("firmware keeps type name") << SCellCase { with(cabinetA), false, C::Firmware, "RV-908 V3.07" };
        QTest::newRow("cabinet key masked") << SCellCase { with([&](SReceiverInfo& r) { cabinetA(r); r.nCabinetKeyHigh = 0x7FFF1A01; r.nCabinetKeyMid = 0x305; r.nCabinetKeyLow = 0x411; }), false, C::Type, "Cabinet A" };
        QTest::newRow("identifier mismatch") << SCellCase { with([&](SReceiverInfo& r) { cabinetA(r); r.strCabinetId = "CAB-B"; }), false, C::Type, "RV-908" };
        QTest::newRow("low byte from first good module") << SCellCase { with([&](SReceiverInfo& r) {
            cabinetA(r);
            r.nCabinetKeyLow = 0x99;
            r.mapModule[0] = SModuleInfo { 0, "m", true, 0 };     // no code
            r.mapModule[1] = SModuleInfo { 1, "m", false, 0x22 }; // failed
            r.mapModule[2] = SModuleInfo { 2, "m", true, 0x111 }; // low byte 0x11
            r.mapModule[3] = SModuleInfo { 3, "m", true, 0x33 };
        }), false, C::Type, "Cabinet A" };
        QTest::newRow("negative module code ignored") << SCellCase { with([&](SReceiverInfo& r) { cabinetA(r); r.mapModule[0] = SModuleInfo { 0, "m", true, int16_t(-222) }; }), false, C::Type, "Cabinet A" };
        QTest::newRow("empty identifiers match") << SCellCase { with([](SReceiverInfo& r) { r.nCabinetKeyHigh = 2; r.nCabinetKeyLow = 1; }), false, C::Type, "Blank" };
        QTest::newRow("unknown type, no cabinet") << SCellCase { with([](SReceiverInfo& r) { r.nTypeCode = CSimWall::UnknownTypeCode(); }), false, C::Type, "Unknown" };
        // Packets: no text; the key errors.total as a double, then the digits of the total.
        QTest::newRow("packets 3 of 1500") << SCellCase { packets(3, 1500), false, C::Packets, "3.15 4" };
        QTest::newRow("packets, trailing zeros of total") << SCellCase { packets(12, 100), false, C::Packets, "12.1 3" };
        QTest::newRow("packets, total zero") << SCellCase { packets(7, 0), false, C::Packets, "7 1" };
        QTest::newRow("packets, nothing") << SCellCase { packets(0, 0), false, C::Packets, "0 1" };
    }

    void cellTexts()
    {
        QFETCH(SCellCase, c);
        CRig rig = Rig(false, { c.receiver });
        rig.pWall->SetFahrenheit(c.bFahrenheit);
        rig.Main()->RefreshShow();
        QCOMPARE(rig.Model()->rowCount(), 1);
        const CCell pItem = Cell(rig.Model(), 0, c.nKey);
        if (c.nKey == ReceiverColumn::Packets) {
            QVERIFY(pItem->text().isEmpty());
            QCOMPARE(pItem->data(ReceiverRole::SortKey).userType(), int(QMetaType::Double));
            QCOMPARE(pItem->data(ReceiverRole::SortKey).toString() + ' ' + pItem->data(ReceiverRole::Extra).toString(), c.strText);
            return;
        }
        QCOMPARE(pItem->text(), c.strText);
        QCOMPARE(pItem->data(ReceiverRole::SortKey).toString(), c.strText);
    }

    void cellRoles_data()
    {
        QTest::addColumn<bool>("portHidden");
        QTest::newRow("port shown") << false;
        QTest::newRow("port hidden") << true;
    }

    void cellRoles()
    {
        QFETCH(bool, portHidden);
        CRig rig = Rig(portHidden, { Receiver(2, 4, "SN", 3, 1500) });
        rig.Main()->RefreshShow();
        CReceiverTableModel* pModel = rig.Model();
        QCOMPARE(pModel->columnCount(), portHidden ? 11 : 12);
        for (int c = 0; c < pModel->columnCount(); ++c)
            QCOMPARE(Cell(pModel, 0, c)->data(Qt::SizeHintRole).toSize(), QSize(0, 36));
        auto cell = [&](int nKey) { return rig.Item(0, nKey); };

        // Port and position: numeric keys, one-based texts.
        for (int nKey = rig.Hidden(); nKey <= ReceiverColumn::Position; ++nKey) {
            const QVariant varKey = cell(nKey)->data(ReceiverRole::SortKey);
            QCOMPARE(varKey.userType(), int(QMetaType::Int));
            QCOMPARE(QString("%1 %2").arg(varKey.toInt()).arg(cell(nKey)->text()), QString(nKey == ReceiverColumn::Port ? "2 3" : "4 5"));
        }

        // Text columns sort by their own text; three of them carry it once more.
        const QList<int> listPlain = { ReceiverColumn::Type, ReceiverColumn::SerialNumber, ReceiverColumn::FailedModule };
        for (int nKey : { ReceiverColumn::Type, ReceiverColumn::SerialNumber, ReceiverColumn::Firmware, ReceiverColumn::FailedModule,
                          ReceiverColumn::Temperature, ReceiverColumn::Humidity, ReceiverColumn::Voltage, ReceiverColumn::Uptime }) {
            const CCell pItem = cell(nKey);
            QVERIFY2(!pItem->text().isEmpty(), qPrintable(QString::number(nKey)));
            QCOMPARE(pItem->data(ReceiverRole::SortKey), QVariant(pItem->text()));
            QCOMPARE(pItem->data(ReceiverRole::PlainText), listPlain.contains(nKey) ? QVariant(pItem->text()) : QVariant());
        }

        const CCell pProgress = cell(ReceiverColumn::Progress);
        QVERIFY(pProgress->text().isEmpty() && !pProgress->data(ReceiverRole::SortKey).isValid());
        QCOMPARE(pProgress->data(ReceiverRole::Extra).userType(), RowProgressInfoTypeId());
        const SRowProgressInfo progress = pProgress->data(ReceiverRole::Extra).value<SRowProgressInfo>();
        QCOMPARE(QString("%1 %2 %3").arg(progress.nState).arg(progress.nProgress).arg(progress.strText), QStringLiteral("0 0 N/A"));

        // A host refresh brings no row back checked, so no box is shown.
        QVERIFY(!Cell(pModel, 0, 0)->isCheckable());
        QVERIFY(!Cell(pModel, 0, 0)->data(Qt::CheckStateRole).isValid());
    }

    void columnLayout_data()
    {
        QTest::addColumn<bool>("portHidden");
        QTest::newRow("port shown, then hidden") << false;
        QTest::newRow("port hidden, then shown") << true;
    }

    void columnLayout()
    {
        QFETCH(bool, portHidden);
        CRig rig = Rig(portHidden, Receivers({ { 0, 0 }, { 1, 0 } }));

        // Constructed with one preference, refreshed after the other: both layouts
        // must be complete, whichever came first.
        for (bool bHidden : { portHidden, !portHidden }) {
            rig.pWall->SetPortHidden(bHidden);
            rig.Main()->RefreshShow();
            const int H = bHidden ? 1 : 0;
            QCOMPARE(rig.View()->IsShowPort(), !bHidden);
            QCOMPARE(rig.Hidden(), H);
            QCOMPARE(rig.Model()->columnCount(), 12 - H);
            QCOMPARE(rig.Model()->rowCount(), 2);

            const QStringList listLabels = rig.Header()->GetLabels();
            QCOMPARE(listLabels.size(), 12 - H);
            QCOMPARE(listLabels.first(), bHidden ? QStringLiteral("String position") : QStringLiteral("Port"));
            QCOMPARE(listLabels.at(ReceiverColumn::Packets - H), QStringLiteral("Error/Total packets"));
            QCOMPARE(listLabels.last(), QStringLiteral("Uptime"));

            // Widths by logical key; Qt raises the narrower ones to the header's minimum.
            QCOMPARE(rig.Header()->minimumSectionSize(), 100);
            const int arrWidth[ReceiverColumn::Count] = { 90, bHidden ? 125 : 90, 90, 130, 80, 160, 220, 120, 100, 100, 100, 100 };
            for (int nKey = H; nKey < ReceiverColumn::Count; ++nKey)
                QVERIFY2(rig.View()->columnWidth(nKey - H) == qMax(arrWidth[nKey], 100), qPrintable(QString("key %1").arg(nKey)));
            QCOMPARE(rig.Item(0, ReceiverColumn::Uptime)->text(), QStringLiteral("0:01:00"));
        }
    }

    void sortColumnFollowsPortColumn_data()
    {
        QTest::addColumn<SSortMove>("c");
        QTest::newRow("sorted by Port, Port goes") << SSortMove { false, 0, 0 };
        QTest::newRow("sorted by Uptime, Port goes") << SSortMove { false, 11, 10 };
        QTest::newRow("sorted by String position, Port comes") << SSortMove { true, 0, 1 };
        QTest::newRow("sorted by Uptime, Port comes") << SSortMove { true, 10, 11 };
    }

    void sortColumnFollowsPortColumn()
    {
        QFETCH(SSortMove, c);
        const bool startHidden = c.bStartHidden;
        const int sortColumn = c.nBefore, expected = c.nAfter;
        // One port only, so the in-place update finds every row in both layouts.
        CRig rig = Rig(startHidden, Receivers({ { 0, 0 }, { 0, 1 }, { 0, 2 } }));
        CReceiverListHeader* pHeader = rig.Header();
        pHeader->SetSortColumn(sortColumn);
        rig.Main()->RefreshShow();
        QCOMPARE(pHeader->GetSortColumn(), sortColumn);

        // Only the next refresh re-lays the columns and moves the sort, once.
        rig.pWall->SetPortHidden(!startHidden);
        rig.Main()->UpdateShow();
        QCOMPARE(pHeader->GetSortColumn(), sortColumn);
        rig.Main()->RefreshShow();
        QCOMPARE(pHeader->GetSortColumn(), expected);
        if (expected == ReceiverColumn::Uptime - rig.Hidden())
            QCOMPARE(rig.Proxy()->sortColumn(), expected);
        rig.Main()->UpdateShow();
        rig.Main()->RefreshShow();
        QCOMPARE(pHeader->GetSortColumn(), expected);
    }

    void restoreOnRefresh_data()
    {
        QTest::addColumn<SRestoreCase>("c");
        const QList<int> listTwo = { 2, 0 }, listAll = { 0, 1, 2 };
        const int P = Qt::PartiallyChecked, U = Qt::Unchecked, C = Qt::Checked;
        QTest::newRow("shown, same device") << SRestoreCase { false, false, PathReload, -1, listTwo, true, P };
        QTest::newRow("shown, other device") << SRestoreCase { false, true, PathReload, -1, listTwo, false, U };
        QTest::newRow("hidden, other device") << SRestoreCase { true, true, PathReload, -1, listTwo, true, P };
        QTest::newRow("shown, language change") << SRestoreCase { false, false, PathLanguageChange, -1, listTwo, true, P };
        QTest::newRow("hidden, language change") << SRestoreCase { true, false, PathLanguageChange, -1, listTwo, true, P };
        QTest::newRow("shown, host refresh") << SRestoreCase { false, false, PathHostRefresh, -1, listAll, false, U };
        QTest::newRow("hidden, 3 of 3") << SRestoreCase { true, false, PathReload, -1, listAll, true, C };
        QTest::newRow("shown, 3 of 3") << SRestoreCase { false, false, PathReload, -1, listAll, true, C };
        QTest::newRow("shown, all of the filtered port") << SRestoreCase { false, false, PathReload, 0, { 1, 0 }, true, C };
        QTest::newRow("shown, 1 of the filtered port") << SRestoreCase { false, false, PathReload, 0, { 1 }, true, P };
    }

    void restoreOnRefresh()
    {
        QFETCH(SRestoreCase, c);
        // Without the Port column every row reads as port 0, so keep to one port there.
        // Either list is already in the order the default sort (column 0) gives.
        const QList<QPair<int, int>> listAddresses = c.bPortHidden ? QList<QPair<int, int>> { { 0, 0 }, { 0, 1 }, { 0, 2 } }
                                                                : QList<QPair<int, int>> { { 0, 0 }, { 0, 1 }, { 1, 0 } };
        auto addresses = [&listAddresses](QList<int> list) {
            std::vector<SReceiverAddress> vec;
            for (int i : list)
                vec.push_back(Address(listAddresses.at(i).first, listAddresses.at(i).second));
            return vec;
        };
        CRig rig = Rig(c.bPortHidden, Receivers(listAddresses));
        rig.pWall->SetSelectedReceivers(addresses(c.listStored));
        rig.pWall->SetSelectionDeviceId(c.bOtherDevice ? QUuid::createUuid() : rig.pWall->DeviceId());
        rig.pWall->SetFilterPort(c.nFilterPort);

        QSignalSpy spyMain(rig.Main(), &CCMMainView::RcvSelectChanged);
        QSignalSpy spyView(rig.View(), &CReceiverListView::RcvSelectChanged);
        QEvent event(QEvent::LanguageChange);
        if (c.nPath == PathReload)
            rig.View()->RefreshShow(true, false);
        else if (c.nPath == PathLanguageChange)
            QCoreApplication::sendEvent(rig.Main(), &event);
        else
            rig.Main()->RefreshShow();

        QCOMPARE(rig.Model()->rowCount(), 3);
        std::sort(c.listStored.begin(), c.listStored.end());
        const QStringList listExpected = Describe(addresses(c.bRestored ? c.listStored : QList<int>()));
        QCOMPARE(rig.Checked(), listExpected);
        for (int r = 0; r < 3; ++r) {
            const CCell pFirst = Cell(rig.Model(), r, 0);
            if (pFirst->checkState() == Qt::Checked)
                QVERIFY(pFirst->isCheckable() && pFirst->data(ReceiverRole::Extra).toBool());
        }
        if (c.nFilterPort != -1)
            QCOMPARE(rig.View()->GetFilterRowCount(), 2);
        QCOMPARE(rig.Header()->GetCheckBoxState(), c.nState);

        // The refresh hands the rows it checked back, for the current device, once.
        QCOMPARE(rig.Reported(), listExpected);
        QCOMPARE(rig.pWall->SelectionDeviceId(), rig.pWall->DeviceId());
        QCOMPARE(spyView.count(), 1);
        QCOMPARE(spyMain.count(), 1);
    }

    void refreshTalksToControllers()
    {
        CRig rig = Rig(false, Receivers({ { 0, 0 }, { 0, 1 }, { 1, 0 }, { 1, 1 }, { 2, 0 }, { 2, 1 }, { 2, 2 } }));
        rig.pWall->SetCallLogEnabled(true);
        QSignalSpy spy(rig.Main(), &CCMMainView::RcvSelectChanged);

        for (int nRound = 0; nRound < 2; ++nRound) {
            rig.pWall->ResetCallCounts();
            rig.pWall->ClearCallLog();
            rig.Main()->RefreshShow();
            QCOMPARE(rig.Model()->rowCount(), 7);
            // One look-up per distinct port, and none kept from the last refresh.
            QCOMPARE(rig.pWall->CallCount("GetPortAddress"), 3);
            for (const char* pszOnce : { "GetReceiverList", "GetCabinetMap", "IsTemperatureFahrenheit" })
                QVERIFY2(rig.pWall->CallCount(pszOnce) == 1, pszOnce);

            const QStringList listLog = rig.pWall->CallLog();
            const int nGet = listLog.indexOf(QStringLiteral("GetSelectedReceivers"));
            QCOMPARE(listLog.mid(nGet, 3), QStringList({ "GetSelectedReceivers", "GetSelectionDeviceId", "GetCurrentDeviceId" }));
            QCOMPARE(listLog.count(QStringLiteral("SetSelectedReceivers")), 1);
            QCOMPARE(listLog.count(QStringLiteral("SetSelectionDeviceId")), 1);
            QCOMPARE(listLog.indexOf(QStringLiteral("SetSelectionDeviceId")), listLog.indexOf(QStringLiteral("SetSelectedReceivers")) + 1);
            QCOMPARE(spy.count(), nRound + 1);
        }
    }

    void emptyReceiverList()
    {
        CRig rig = Rig(false, Receivers({ { 0, 0 }, { 0, 1 } }));
        rig.Main()->RefreshShow();
        rig.Main()->SelectAll();
        QCOMPARE(rig.Header()->GetCheckBoxState(), int(Qt::Checked));

        rig.pWall->SetReceivers({});
        QSignalSpy spy(rig.Main(), &CCMMainView::RcvSelectChanged);
        rig.Main()->RefreshShow();
        QCOMPARE(rig.Model()->rowCount(), 0);
        QVERIFY(rig.View()->GetRowInfoList().isEmpty());
        QVERIFY(!rig.Header()->HasRows());
        QCOMPARE(rig.Header()->GetCheckBoxState(), int(Qt::Unchecked));
        QVERIFY(rig.Reported().isEmpty());
        QCOMPARE(spy.count(), 1);
    }

    void nullControllers()
    {
        QVERIFY(!g_pRuntimeControl && !g_pOutputPortControl && !g_pReceiverControl && !g_pPreferenceControl
                && !g_pDetectControl && !g_pCabinetLibControl && !g_pUpgradeConfigControl);

        CCMMainView view;
        QCOMPARE(view.objectName(), QStringLiteral("CMMainView"));
        QAbstractItemModelTester tester(view.GetReceiverListView()->GetModel(), QAbstractItemModelTester::FailureReportingMode::QtTest);
        QSignalSpy spy(&view, &CCMMainView::RcvSelectChanged);
        view.RefreshShow();
        view.UpdateShow();
        QEvent event(QEvent::LanguageChange);
        QCoreApplication::sendEvent(&view, &event);
        view.SelectAll();
        view.ProgressBegin();
        view.ProgressChanged();
        view.ProgressFinished();
        QCOMPARE(view.Quit(), false);
        QCOMPARE(view.GetReceiverListView()->GetModel()->rowCount(), 0);
        QCOMPARE(view.GetReceiverListView()->GetModel()->columnCount(), 12);
        QVERIFY(spy.count() >= 1);
    }

    void quitForwardsUpgradeAnswer()
    {
        CRig rig = Rig(false, Receivers({ { 0, 0 }, { 0, 1 } }));
        rig.Main()->RefreshShow();
        rig.pWall->StartUpgrade();
        rig.pWall->ResetCallCounts();

        QCOMPARE(rig.Main()->Quit(), true);
        QCOMPARE(rig.Main()->Quit(), false); // nothing left to stop
        QCOMPARE(rig.pWall->CallCount("QuitUpgrade"), 2);
        QCOMPARE(rig.pWall->TotalCallCount(), 2);
        QCOMPARE(rig.Model()->rowCount(), 2);
    }
};

QTEST_MAIN(TestFoundation)
#include "tst_foundation.moc"
