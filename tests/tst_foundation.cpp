// The receiver table as the host first meets it: cell texts from the
// controllers, item roles, the optional Port column, check marks restored from
// the stored selection, the header's tri-state box, and the main view's
// forwarding, all checked against a tiny hand-made receiver list.

#include "CCMMainView.h"
#include "CReceiverListHeader.h"
#include "CReceiverListView.h"
#include "CSimWall.h"

#include <QAbstractItemModelTester>
#include <QSignalSpy>
#include <QSortFilterProxyModel>
#include <QStandardItemModel>
#include <QtTest>

#include <algorithm>
#include <memory>

Q_DECLARE_METATYPE(SReceiverInfo)

namespace
{
constexpr int c_nTypeRv908 = 0x0908;

quint64 CabinetKey(int nHigh, int nMid, int nLow)
{
    return (quint64(quint32(nHigh) & 0xFFFFu) << 16) | (quint64(quint32(nMid) & 0xFFu) << 8) | (quint32(nLow) & 0xFFu);
}

QMap<quint64, SCabinetInfo> Cabinets()
{
    QMap<quint64, SCabinetInfo> map;
    map.insert(CabinetKey(0x1A01, 0x05, 0x11), SCabinetInfo { "Cabinet A", "CAB-A" });
    map.insert(CabinetKey(0x0002, 0x00, 0x01), SCabinetInfo { "Blank", "" });
    return map;
}

SReceiverAddress Address(int nPort, int nPosition)
{
    SReceiverAddress address;
    static_cast<SPortAddress&>(address) = CSimWall::DefaultPortAddress(nPort);
    address.nPosition = nPosition;
    return address;
}

// A plain card with no cabinet match and every reading valid.
SReceiverInfo Receiver(int nPort, int nPosition)
{
    SReceiverInfo info;
    info.address = Address(nPort, nPosition);
    info.nTypeCode = c_nTypeRv908;
    info.strSerialNumber = "SN" + std::to_string(nPort * 100 + nPosition);
    info.nVersionMajor = 3;
    info.nVersionMinor = 7;
    info.bTemperatureValid = true;
    info.dTemperature = 30.0;
    info.bHumidityValid = true;
    info.dHumidity = 40.0;
    info.nTotalPackets = 100;
    info.nUptime = 60000;
    info.mapSensor[3] = SSensorValue { 3, true, 5.0 };
    return info;
}

QList<SReceiverInfo> Receivers(const QList<QPair<int, int>>& listAddresses)
{
    QList<SReceiverInfo> list;
    for (const auto& pair : listAddresses)
        list.append(Receiver(pair.first, pair.second));
    return list;
}

QStringList Describe(const std::vector<SReceiverAddress>& vec)
{
    QStringList list;
    for (const SReceiverAddress& a : vec)
        list << QStringLiteral("%1/%2/%3/%4:%5").arg(a.nConnection).arg(a.nDevice).arg(a.nSenderCard).arg(a.nPort).arg(a.nPosition);
    return list;
}

// A simulated controller set with a chosen receiver list, a main view on it and
// a model tester watching every change of the source model.
class CRig
{
public:
    CRig(bool bPortHidden, const QList<SReceiverInfo>& listReceivers)
        : wall(SSimWallConfig { 4, 2, 1, bPortHidden, false })
    {
        wall.Install();
        wall.SetReceivers(listReceivers);
        wall.SetCabinetMap(Cabinets());
        pMain.reset(new CCMMainView);
        pTester.reset(new QAbstractItemModelTester(View()->GetModel(), QAbstractItemModelTester::FailureReportingMode::QtTest));
    }
    CReceiverListView* View() const { return pMain->GetReceiverListView(); }
    QStandardItemModel* Model() const { return View()->GetModel(); }
    CReceiverListHeader* Header() const { return View()->GetHeader(); }

    // Checked receivers in view order, as (port, position) of their cells.
    std::vector<SReceiverAddress> CheckedInViewOrder() const
    {
        std::vector<SReceiverAddress> vec;
        const QSortFilterProxyModel* pProxy = View()->GetProxyModel();
        const int H = View()->GetPortColumnHidden();
        for (int p = 0; p < pProxy->rowCount(); ++p) {
            const int r = pProxy->mapToSource(pProxy->index(p, 0)).row();
            if (Model()->item(r, 0)->checkState() != Qt::Checked)
                continue;
            const int nPort = H ? 0 : Model()->item(r, 0)->data(ReceiverRole::SortKey).toInt();
            vec.push_back(Address(nPort, Model()->item(r, ReceiverColumn::Position - H)->data(ReceiverRole::SortKey).toInt()));
        }
        return vec;
    }

    // Destroyed in reverse: the tester first, the wall with its globals last.
    CSimWall wall;
    std::unique_ptr<CCMMainView> pMain;
    std::unique_ptr<QAbstractItemModelTester> pTester;
};

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
    void cellTexts_data();
    void cellTexts();
    void packetKey_data();
    void packetKey();
    void cellRoles_data();
    void cellRoles();
    void columnLayout_data();
    void columnLayout();
    void sortColumnFollowsPortColumn_data();
    void sortColumnFollowsPortColumn();
    void restoreOnRefresh_data();
    void restoreOnRefresh();
    void refreshTalksToControllers();
    void emptyReceiverList();
    void nullControllers();
    void quitForwardsUpgradeAnswer();
};

void TestFoundation::cellTexts_data()
{
    QTest::addColumn<SReceiverInfo>("receiver");
    QTest::addColumn<bool>("fahrenheit");
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("text");

    const SReceiverInfo base = Receiver(0, 0);
    auto with = [&base](auto fnChange) {
        SReceiverInfo info = base;
        fnChange(info);
        return info;
    };
    using C = ReceiverColumn::EKey;

    QTest::newRow("serial separators dropped") << with([](SReceiverInfo& r) { r.strSerialNumber = "AB-12 34/x"; }) << false << int(C::SerialNumber) << "AB1234x";
    QTest::newRow("serial non-ASCII dropped") << with([](SReceiverInfo& r) { r.strSerialNumber = "S\xC3\xA9N_9"; }) << false << int(C::SerialNumber) << "SN9";
    QTest::newRow("serial empty") << with([](SReceiverInfo& r) { r.strSerialNumber.clear(); }) << false << int(C::SerialNumber) << "";

    auto modules = [](SReceiverInfo& r, std::initializer_list<bool> listOk) {
        int i = 0;
        for (bool bOk : listOk) {
            r.mapModule[i] = SModuleInfo { i, "m", bOk, 0 };
            ++i;
        }
    };
    QTest::newRow("failed modules 0 and 2") << with([&](SReceiverInfo& r) { modules(r, { false, true, false }); }) << false << int(C::FailedModule) << "1, 3";
    QTest::newRow("no module failed") << with([&](SReceiverInfo& r) { modules(r, { true, true }); }) << false << int(C::FailedModule) << "N/A";
    QTest::newRow("no modules") << base << false << int(C::FailedModule) << "N/A";

    QTest::newRow("celsius") << with([](SReceiverInfo& r) { r.dTemperature = 25.0; }) << false << int(C::Temperature) << QStringLiteral("25.00\u00B0C");
    QTest::newRow("fahrenheit") << with([](SReceiverInfo& r) { r.dTemperature = 25.0; }) << true << int(C::Temperature) << QStringLiteral("77.00\u00B0F");
    QTest::newRow("fahrenheit below zero") << with([](SReceiverInfo& r) { r.dTemperature = -40.0; }) << true << int(C::Temperature) << QStringLiteral("-40.00\u00B0F");
    QTest::newRow("temperature rounds as printf") << with([](SReceiverInfo& r) { r.dTemperature = 0.125; }) << false << int(C::Temperature) << QStringLiteral("0.12\u00B0C");
    QTest::newRow("temperature negative zero") << with([](SReceiverInfo& r) { r.dTemperature = -0.001; }) << false << int(C::Temperature) << QStringLiteral("-0.00\u00B0C");
    QTest::newRow("temperature invalid") << with([](SReceiverInfo& r) { r.bTemperatureValid = false; }) << true << int(C::Temperature) << "--";

    QTest::newRow("humidity truncated") << with([](SReceiverInfo& r) { r.dHumidity = 45.9; }) << false << int(C::Humidity) << "45%";
    QTest::newRow("humidity toward zero") << with([](SReceiverInfo& r) { r.dHumidity = -0.5; }) << false << int(C::Humidity) << "0%";
    QTest::newRow("humidity invalid") << with([](SReceiverInfo& r) { r.bHumidityValid = false; }) << false << int(C::Humidity) << "--";

    QTest::newRow("voltage one decimal") << with([](SReceiverInfo& r) { r.mapSensor[3].dValue = 5.04; }) << false << int(C::Voltage) << "5.0V";
    QTest::newRow("voltage rounds as printf") << with([](SReceiverInfo& r) { r.mapSensor[3].dValue = 5.05; }) << false << int(C::Voltage) << "5.0V";
    QTest::newRow("voltage invalid") << with([](SReceiverInfo& r) { r.mapSensor[3].bValid = false; }) << false << int(C::Voltage) << "--";
    QTest::newRow("voltage only other sensors") << with([](SReceiverInfo& r) { r.mapSensor.clear(); r.mapSensor[2] = SSensorValue { 2, true, 5.0 }; }) << false << int(C::Voltage) << "--";

    QTest::newRow("uptime zero") << with([](SReceiverInfo& r) { r.nUptime = 0; }) << false << int(C::Uptime) << "0:00:00";
    QTest::newRow("uptime 1:02:03") << with([](SReceiverInfo& r) { r.nUptime = 3723000; }) << false << int(C::Uptime) << "1:02:03";
    QTest::newRow("uptime past a day") << with([](SReceiverInfo& r) { r.nUptime = 90000000; }) << false << int(C::Uptime) << "25:00:00";
    QTest::newRow("uptime unsigned max") << with([](SReceiverInfo& r) { r.nUptime = 0xFFFFFFFFu; }) << false << int(C::Uptime) << "1193:02:47";

    QTest::newRow("firmware") << base << false << int(C::Firmware) << "RV-908 V3.07";
    QTest::newRow("firmware wide minor") << with([](SReceiverInfo& r) { r.nVersionMajor = 10; r.nVersionMinor = 123; }) << false << int(C::Firmware) << "RV-908 V10.123";

    auto cabinetA = [](SReceiverInfo& r) {
        r.nCabinetKeyHigh = 0x1A01;
        r.nCabinetKeyMid = 0x05;
        r.nCabinetKeyLow = 0x11;
        r.strCabinetId = "CAB-A";
    };
    QTest::newRow("cabinet match") << with(cabinetA) << false << int(C::Type) << "Cabinet A";
    QTest::newRow("firmware keeps type name") << with(cabinetA) << false << int(C::Firmware) << "RV-908 V3.07";
    QTest::newRow("cabinet key masked") << with([&](SReceiverInfo& r) { cabinetA(r); r.nCabinetKeyHigh = 0x7FFF1A01; r.nCabinetKeyMid = 0x305; r.nCabinetKeyLow = 0x411; }) << false << int(C::Type) << "Cabinet A";
    QTest::newRow("identifier mismatch") << with([&](SReceiverInfo& r) { cabinetA(r); r.strCabinetId = "CAB-B"; }) << false << int(C::Type) << "RV-908";
    QTest::newRow("low byte from first good module") << with([&](SReceiverInfo& r) {
        cabinetA(r);
        r.nCabinetKeyLow = 0x99;
        r.mapModule[0] = SModuleInfo { 0, "m", true, 0 };     // no code
        r.mapModule[1] = SModuleInfo { 1, "m", false, 0x22 }; // failed
        r.mapModule[2] = SModuleInfo { 2, "m", true, 0x111 }; // low byte 0x11
        r.mapModule[3] = SModuleInfo { 3, "m", true, 0x33 };
    }) << false << int(C::Type) << "Cabinet A";
    QTest::newRow("negative module code ignored") << with([&](SReceiverInfo& r) {
        cabinetA(r);
        r.mapModule[0] = SModuleInfo { 0, "m", true, int16_t(-222) }; // low byte 0x22
    }) << false << int(C::Type) << "Cabinet A";
    QTest::newRow("empty identifiers match") << with([](SReceiverInfo& r) { r.nCabinetKeyHigh = 2; r.nCabinetKeyLow = 1; }) << false << int(C::Type) << "Blank";
    QTest::newRow("unknown type, no cabinet") << with([](SReceiverInfo& r) { r.nTypeCode = CSimWall::UnknownTypeCode(); }) << false << int(C::Type) << "Unknown";
}

void TestFoundation::cellTexts()
{
    QFETCH(SReceiverInfo, receiver);
    QFETCH(bool, fahrenheit);
    QFETCH(int, key);
    QFETCH(QString, text);

    CRig rig(false, { receiver });
    rig.wall.SetFahrenheit(fahrenheit);
    rig.pMain->RefreshShow();

    QCOMPARE(rig.Model()->rowCount(), 1);
    const QStandardItem* pItem = rig.Model()->item(0, key);
    QVERIFY(pItem);
    QCOMPARE(pItem->text(), text);
    QCOMPARE(pItem->data(ReceiverRole::SortKey).toString(), text);
}

void TestFoundation::packetKey_data()
{
    QTest::addColumn<uint>("errors");
    QTest::addColumn<uint>("total");
    QTest::addColumn<double>("key");
    QTest::addColumn<int>("digits");

    QTest::newRow("3 of 1500") << 3u << 1500u << 3.15 << 4;
    QTest::newRow("trailing zeros of total") << 12u << 100u << 12.1 << 3;
    QTest::newRow("total zero") << 7u << 0u << 7.0 << 1;
    QTest::newRow("nothing") << 0u << 0u << 0.0 << 1;
}

void TestFoundation::packetKey()
{
    QFETCH(uint, errors);
    QFETCH(uint, total);
    QFETCH(double, key);
    QFETCH(int, digits);

    SReceiverInfo info = Receiver(0, 0);
    info.nErrorPackets = errors;
    info.nTotalPackets = total;
    CRig rig(false, { info });
    rig.pMain->RefreshShow();

    const QStandardItem* pItem = rig.Model()->item(0, ReceiverColumn::Packets);
    QCOMPARE(pItem->data(ReceiverRole::SortKey).userType(), int(QMetaType::Double));
    QCOMPARE(pItem->data(ReceiverRole::SortKey).toDouble(), key);
    QCOMPARE(pItem->data(ReceiverRole::Extra).toInt(), digits);
}

void TestFoundation::cellRoles_data()
{
    QTest::addColumn<bool>("portHidden");
    QTest::newRow("port shown") << false;
    QTest::newRow("port hidden") << true;
}

void TestFoundation::cellRoles()
{
    QFETCH(bool, portHidden);
    const int H = portHidden ? 1 : 0;
    SReceiverInfo info = Receiver(2, 4);
    info.nErrorPackets = 3;
    info.nTotalPackets = 1500;
    CRig rig(portHidden, { info });
    rig.pMain->RefreshShow();

    QStandardItemModel* pModel = rig.Model();
    QCOMPARE(pModel->rowCount(), 1);
    QCOMPARE(pModel->columnCount(), 12 - H);
    for (int c = 0; c < pModel->columnCount(); ++c) {
        const QStandardItem* pItem = pModel->item(0, c);
        QVERIFY2(pItem, qPrintable(QString::number(c)));
        QCOMPARE(pItem->data(Qt::SizeHintRole).toSize(), QSize(0, 36));
    }
    auto cell = [&](int nKey) { return pModel->item(0, nKey - H); };

    if (!portHidden) {
        QCOMPARE(cell(ReceiverColumn::Port)->data(ReceiverRole::SortKey).userType(), int(QMetaType::Int));
        QCOMPARE(cell(ReceiverColumn::Port)->data(ReceiverRole::SortKey).toInt(), 2);
        QCOMPARE(cell(ReceiverColumn::Port)->text(), QStringLiteral("3"));
    }
    QCOMPARE(cell(ReceiverColumn::Position)->data(ReceiverRole::SortKey).userType(), int(QMetaType::Int));
    QCOMPARE(cell(ReceiverColumn::Position)->data(ReceiverRole::SortKey).toInt(), 4);
    QCOMPARE(cell(ReceiverColumn::Position)->text(), QStringLiteral("5"));

    // Text columns sort by their own text; three of them carry it once more.
    const QList<int> listPlain = { ReceiverColumn::Type, ReceiverColumn::SerialNumber, ReceiverColumn::FailedModule };
    for (int nKey : { ReceiverColumn::Type, ReceiverColumn::SerialNumber, ReceiverColumn::Firmware, ReceiverColumn::FailedModule,
                      ReceiverColumn::Temperature, ReceiverColumn::Humidity, ReceiverColumn::Voltage, ReceiverColumn::Uptime }) {
        const QStandardItem* pItem = cell(nKey);
        QVERIFY2(!pItem->text().isEmpty(), qPrintable(QString::number(nKey)));
        QCOMPARE(pItem->data(ReceiverRole::SortKey), QVariant(pItem->text()));
        QCOMPARE(pItem->data(ReceiverRole::PlainText), listPlain.contains(nKey) ? QVariant(pItem->text()) : QVariant());
    }

    const QStandardItem* pPackets = cell(ReceiverColumn::Packets);
    QVERIFY(pPackets->text().isEmpty());
    QCOMPARE(pPackets->data(ReceiverRole::SortKey).toDouble(), 3.15);
    QCOMPARE(pPackets->data(ReceiverRole::Extra).toInt(), 4);

    const QStandardItem* pProgress = cell(ReceiverColumn::Progress);
    QVERIFY(pProgress->text().isEmpty());
    QVERIFY(!pProgress->data(ReceiverRole::SortKey).isValid());
    const QVariant varProgress = pProgress->data(ReceiverRole::Extra);
    QCOMPARE(varProgress.userType(), RowProgressInfoTypeId());
    const SRowProgressInfo progress = varProgress.value<SRowProgressInfo>();
    QCOMPARE(progress.nState, 0);
    QCOMPARE(progress.nProgress, 0);
    QCOMPARE(progress.strText, QStringLiteral("N/A"));

    // A host refresh brings no row back checked, so no box is shown.
    QVERIFY(!pModel->item(0, 0)->isCheckable());
    QVERIFY(!pModel->item(0, 0)->data(Qt::CheckStateRole).isValid());
}

void TestFoundation::columnLayout_data()
{
    QTest::addColumn<bool>("portHidden");
    QTest::newRow("port shown, then hidden") << false;
    QTest::newRow("port hidden, then shown") << true;
}

void TestFoundation::columnLayout()
{
    QFETCH(bool, portHidden);
    CRig rig(portHidden, Receivers({ { 0, 0 }, { 1, 0 } }));

    // Constructed with one preference, refreshed after the other: both layouts
    // must be complete, whichever came first.
    for (bool bHidden : { portHidden, !portHidden }) {
        rig.wall.SetPortHidden(bHidden);
        rig.pMain->RefreshShow();
        const QString strCase = bHidden ? QStringLiteral("hidden") : QStringLiteral("shown");
        const int H = bHidden ? 1 : 0;
        CReceiverListView* pView = rig.View();
        QCOMPARE(pView->IsShowPort(), !bHidden);
        QCOMPARE(pView->GetPortColumnHidden(), H);
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
        for (int nKey = H; nKey < ReceiverColumn::Count; ++nKey) {
            const int nWidth = pView->columnWidth(nKey - H);
            QVERIFY2(nWidth == qMax(arrWidth[nKey], 100),
                     qPrintable(QStringLiteral("%1, key %2: width %3").arg(strCase).arg(nKey).arg(nWidth)));
        }
        QCOMPARE(rig.Model()->item(0, ReceiverColumn::Uptime - H)->text(), QStringLiteral("0:01:00"));
    }
}

void TestFoundation::sortColumnFollowsPortColumn_data()
{
    QTest::addColumn<bool>("startHidden");
    QTest::addColumn<int>("sortColumn");
    QTest::addColumn<int>("expected");

    QTest::newRow("sorted by Port, Port goes") << false << 0 << 0;
    QTest::newRow("sorted by Uptime, Port goes") << false << 11 << 10;
    QTest::newRow("sorted by String position, Port comes") << true << 0 << 1;
    QTest::newRow("sorted by Uptime, Port comes") << true << 10 << 11;
}

void TestFoundation::sortColumnFollowsPortColumn()
{
    QFETCH(bool, startHidden);
    QFETCH(int, sortColumn);
    QFETCH(int, expected);

    // One port only, so the in-place update finds every row in both layouts.
    CRig rig(startHidden, Receivers({ { 0, 0 }, { 0, 1 }, { 0, 2 } }));
    CReceiverListHeader* pHeader = rig.Header();
    pHeader->SetSortColumn(sortColumn);
    rig.pMain->RefreshShow();
    QCOMPARE(pHeader->GetSortColumn(), sortColumn);

    rig.wall.SetPortHidden(!startHidden);
    rig.pMain->UpdateShow();
    QCOMPARE(pHeader->GetSortColumn(), sortColumn);

    rig.pMain->RefreshShow();
    QCOMPARE(pHeader->GetSortColumn(), expected);
    const int nUptimeColumn = ReceiverColumn::Uptime - rig.View()->GetPortColumnHidden();
    if (expected == nUptimeColumn)
        QCOMPARE(rig.View()->GetProxyModel()->sortColumn(), nUptimeColumn);

    // Later refreshes and updates leave it where it is.
    rig.pMain->UpdateShow();
    rig.pMain->RefreshShow();
    QCOMPARE(pHeader->GetSortColumn(), expected);
}

void TestFoundation::restoreOnRefresh_data()
{
    QTest::addColumn<bool>("portHidden");
    QTest::addColumn<bool>("otherDevice");
    QTest::addColumn<int>("path");
    QTest::addColumn<int>("filterPort");
    QTest::addColumn<QList<int>>("stored");
    QTest::addColumn<bool>("restored");
    QTest::addColumn<int>("state");

    const QList<int> listTwo = { 2, 0 };
    const QList<int> listAll = { 0, 1, 2 };
    QTest::newRow("shown, same device") << false << false << int(PathReload) << -1 << listTwo << true << int(Qt::PartiallyChecked);
    QTest::newRow("shown, other device") << false << true << int(PathReload) << -1 << listTwo << false << int(Qt::Unchecked);
    QTest::newRow("hidden, other device") << true << true << int(PathReload) << -1 << listTwo << true << int(Qt::PartiallyChecked);
    QTest::newRow("shown, language change") << false << false << int(PathLanguageChange) << -1 << listTwo << true << int(Qt::PartiallyChecked);
    QTest::newRow("hidden, language change") << true << false << int(PathLanguageChange) << -1 << listTwo << true << int(Qt::PartiallyChecked);
    QTest::newRow("shown, host refresh") << false << false << int(PathHostRefresh) << -1 << listAll << false << int(Qt::Unchecked);
    QTest::newRow("hidden, 3 of 3") << true << false << int(PathReload) << -1 << listAll << true << int(Qt::Checked);
    QTest::newRow("shown, 3 of 3") << false << false << int(PathReload) << -1 << listAll << true << int(Qt::Checked);
    QTest::newRow("shown, all of the filtered port") << false << false << int(PathReload) << 0 << QList<int> { 1, 0 } << true << int(Qt::Checked);
    QTest::newRow("shown, 1 of the filtered port") << false << false << int(PathReload) << 0 << QList<int> { 1 } << true << int(Qt::PartiallyChecked);
}

void TestFoundation::restoreOnRefresh()
{
    QFETCH(bool, portHidden);
    QFETCH(bool, otherDevice);
    QFETCH(int, path);
    QFETCH(int, filterPort);
    QFETCH(QList<int>, stored);
    QFETCH(bool, restored);
    QFETCH(int, state);

    // Without the Port column every row reads as port 0, so keep to one port there.
    // Either list is already in the order the default sort (column 0) gives.
    const QList<QPair<int, int>> listAddresses = portHidden ? QList<QPair<int, int>> { { 0, 0 }, { 0, 1 }, { 0, 2 } }
                                                            : QList<QPair<int, int>> { { 0, 0 }, { 0, 1 }, { 1, 0 } };
    auto address = [&listAddresses](int i) { return Address(listAddresses.at(i).first, listAddresses.at(i).second); };
    CRig rig(portHidden, Receivers(listAddresses));
    std::vector<SReceiverAddress> vecStored;
    for (int i : stored)
        vecStored.push_back(address(i));
    rig.wall.SetSelectedReceivers(vecStored);
    rig.wall.SetSelectionDeviceId(otherDevice ? QUuid::createUuid() : rig.wall.DeviceId());
    rig.wall.SetFilterPort(filterPort);

    QSignalSpy spyMain(rig.pMain.get(), &CCMMainView::RcvSelectChanged);
    QSignalSpy spyView(rig.View(), &CReceiverListView::RcvSelectChanged);
    if (path == PathReload) {
        rig.View()->RefreshShow(true, false);
    } else if (path == PathLanguageChange) {
        QEvent event(QEvent::LanguageChange);
        QCoreApplication::sendEvent(rig.pMain.get(), &event);
    } else {
        rig.pMain->RefreshShow();
    }

    QCOMPARE(rig.Model()->rowCount(), 3);
    std::vector<SReceiverAddress> vecExpected;
    if (restored) {
        std::sort(stored.begin(), stored.end());
        for (int i : stored)
            vecExpected.push_back(address(i));
    }
    QCOMPARE(Describe(rig.CheckedInViewOrder()), Describe(vecExpected));
    for (int r = 0; r < 3; ++r) {
        const QStandardItem* pFirst = rig.Model()->item(r, 0);
        if (pFirst->checkState() == Qt::Checked)
            QVERIFY(pFirst->isCheckable() && pFirst->data(ReceiverRole::Extra).toBool());
    }
    if (filterPort != -1)
        QCOMPARE(rig.View()->GetFilterRowCount(), 2);
    QCOMPARE(rig.Header()->GetCheckBoxState(), state);

    // The refresh hands the rows it checked back, for the current device, once.
    QCOMPARE(Describe(rig.wall.GetSelectedReceivers()), Describe(vecExpected));
    QCOMPARE(rig.wall.SelectionDeviceId(), rig.wall.DeviceId());
    QCOMPARE(spyView.count(), 1);
    QCOMPARE(spyMain.count(), 1);
}

void TestFoundation::refreshTalksToControllers()
{
    CRig rig(false, Receivers({ { 0, 0 }, { 0, 1 }, { 1, 0 }, { 1, 1 }, { 2, 0 }, { 2, 1 }, { 2, 2 } }));
    rig.wall.SetCallLogEnabled(true);
    QSignalSpy spy(rig.pMain.get(), &CCMMainView::RcvSelectChanged);

    for (int nRound = 0; nRound < 2; ++nRound) {
        rig.wall.ResetCallCounts();
        rig.wall.ClearCallLog();
        rig.pMain->RefreshShow();
        QCOMPARE(rig.Model()->rowCount(), 7);
        // One look-up per distinct port, and none kept from the last refresh.
        QCOMPARE(rig.wall.CallCount("GetPortAddress"), 3);
        QCOMPARE(rig.wall.CallCount("GetReceiverList"), 1);
        QCOMPARE(rig.wall.CallCount("GetCabinetMap"), 1);
        QCOMPARE(rig.wall.CallCount("IsTemperatureFahrenheit"), 1);

        const QStringList listLog = rig.wall.CallLog();
        const int nGet = listLog.indexOf(QStringLiteral("GetSelectedReceivers"));
        QVERIFY(nGet >= 0);
        QCOMPARE(listLog.mid(nGet, 3),
                 QStringList({ QStringLiteral("GetSelectedReceivers"), QStringLiteral("GetSelectionDeviceId"), QStringLiteral("GetCurrentDeviceId") }));
        QCOMPARE(listLog.count(QStringLiteral("SetSelectedReceivers")), 1);
        QCOMPARE(listLog.count(QStringLiteral("SetSelectionDeviceId")), 1);
        QCOMPARE(listLog.indexOf(QStringLiteral("SetSelectionDeviceId")), listLog.indexOf(QStringLiteral("SetSelectedReceivers")) + 1);
        QCOMPARE(spy.count(), nRound + 1);
    }
}

void TestFoundation::emptyReceiverList()
{
    CRig rig(false, Receivers({ { 0, 0 }, { 0, 1 } }));
    rig.pMain->RefreshShow();
    rig.pMain->SelectAll();
    QCOMPARE(rig.Header()->GetCheckBoxState(), int(Qt::Checked));

    rig.wall.SetReceivers({});
    QSignalSpy spy(rig.pMain.get(), &CCMMainView::RcvSelectChanged);
    rig.pMain->RefreshShow();
    QCOMPARE(rig.Model()->rowCount(), 0);
    QVERIFY(rig.View()->GetRowInfoList().isEmpty());
    QVERIFY(!rig.Header()->HasRows());
    QCOMPARE(rig.Header()->GetCheckBoxState(), int(Qt::Unchecked));
    QVERIFY(rig.wall.GetSelectedReceivers().empty());
    QCOMPARE(spy.count(), 1);
}

void TestFoundation::nullControllers()
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
    view.Quit();
    QCOMPARE(view.GetReceiverListView()->GetModel()->rowCount(), 0);
    QCOMPARE(view.GetReceiverListView()->GetModel()->columnCount(), 12);
    QVERIFY(spy.count() >= 1);
}

void TestFoundation::quitForwardsUpgradeAnswer()
{
    CRig rig(false, Receivers({ { 0, 0 }, { 0, 1 } }));
    rig.pMain->RefreshShow();
    rig.wall.StartUpgrade();
    rig.wall.ResetCallCounts();

    QCOMPARE(rig.pMain->Quit(), true);
    QCOMPARE(rig.pMain->Quit(), false); // nothing left to stop
    QCOMPARE(rig.wall.CallCount("QuitUpgrade"), 2);
    QCOMPARE(rig.wall.TotalCallCount(), 2);
    QCOMPARE(rig.Model()->rowCount(), 2);
}

QTEST_MAIN(TestFoundation)
#include "tst_foundation.moc"
