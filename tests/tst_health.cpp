// Wall health: the limits a host sets, the states and counts of the cards, and
// the status and text filters beside the port filter. Every expected count and
// every expected set of shown cards is worked out here from the simulated
// records and the limits, never read from the view's own counters.

#include "CMViewTestSupport.h"

#include "CPortSelectWidget.h"

#include <QBuffer>
#include <QSet>

#include <cmath>

using namespace cmtest;

namespace
{
const QColor s_colorRowOdd(0x13, 0x14, 0x16);
const QColor s_colorRowChecked(0x38, 0x3B, 0x42);

constexpr int s_nPorts = 3;
constexpr int s_nPerPort = 8;

// A small wall whose readings, packet counts, modules, types and firmware
// vary by the card's place, so that each state and each text field splits it.
QList<SReceiverInfo> HealthWall()
{
    QList<SReceiverInfo> list;
    const QList<int> listTypes = CSimWall::TypeCodes();
    for (int nPort = 0; nPort < s_nPorts; ++nPort) {
        for (int nPosition = 0; nPosition < s_nPerPort; ++nPosition) {
            const int i = nPort * s_nPerPort + nPosition;
            SReceiverInfo info = Receiver(nPort, nPosition, QString(), i % 4 == 0 ? 1 : 0, 100, 3 + i % 3);
            info.nTypeCode = listTypes.at(i % 2);
            info.dTemperature = 30.0 + 4.0 * (i % 6);
            info.dHumidity = 40.0 + 5.0 * (i % 5);
            info.mapSensor[3].dValue = 4.6 + 0.2 * (i % 5);
            if (i % 7 == 3)
                info.mapModule[1] = SModuleInfo { 1, "module", false, 0 };
            if (i % 9 == 5)
                info.bTemperatureValid = false;
            list << info;
        }
    }
    return list;
}

SHealthLimits Limits()
{
    SHealthLimits limits;
    limits.optTemperatureHigh = 42.0;
    limits.optVoltageLow = 4.7;
    limits.optVoltageHigh = 5.3;
    limits.optHumidityHigh = 55.0;
    return limits;
}

QString SerialOf(const SReceiverInfo& info)
{
    QString str;
    for (const QChar ch : QString::fromStdString(info.strSerialNumber))
        if (ch.isLetterOrNumber() && ch.unicode() < 0x80)
            str += ch;
    return str;
}

using FnProgress = std::function<int(const SReceiverInfo&)>;

SStatusCounts ExpectedCounts(const QList<SReceiverInfo>& list, const SHealthLimits& limits, int nFilterPort,
                             const FnProgress& fnProgress = {})
{
    SStatusCounts counts;
    for (const SReceiverInfo& info : list) {
        const uint32_t n = ExpectedStates(info, limits, fnProgress ? fnProgress(info) : 0);
        for (int i = 0; i < c_nHealthStateCount; ++i) {
            if (!(n & (1u << i)))
                continue;
            ++counts.arrAll[size_t(i)];
            if (nFilterPort == -1 || info.address.nPort == nFilterPort)
                ++counts.arrShown[size_t(i)];
        }
    }
    return counts;
}

QString Describe(const SStatusCounts& counts)
{
    QStringList list;
    for (int i = 0; i < c_nHealthStateCount; ++i)
        list << QStringLiteral("%1/%2").arg(counts.arrAll[size_t(i)]).arg(counts.arrShown[size_t(i)]);
    return list.join(QLatin1Char(' '));
}

#define COMPARE_COUNTS(actual, expected) QCOMPARE(Describe(actual), Describe(expected))

// The serial numbers of the cards the three filters accept, sorted.
QStringList ExpectedShown(const QList<SReceiverInfo>& list, const SHealthLimits& limits, int nPort, EHealthState eState,
                          const QString& strText)
{
    QStringList listShown;
    for (const SReceiverInfo& info : list) {
        const QString strType = CSimWall::TypeName(info.nTypeCode);
        const QString strFirmware = strType + QStringLiteral(" V%1.%2").arg(info.nVersionMajor).arg(info.nVersionMinor, 2, 10, QLatin1Char('0'));
        const bool bText = strText.isEmpty() || SerialOf(info).contains(strText, Qt::CaseInsensitive)
            || strType.contains(strText, Qt::CaseInsensitive) || strFirmware.contains(strText, Qt::CaseInsensitive);
        const bool bState = eState == HealthNone || (ExpectedStates(info, limits) & eState);
        if ((nPort == -1 || info.address.nPort == nPort) && bState && bText)
            listShown << SerialOf(info);
    }
    listShown.sort();
    return listShown;
}

struct SHealthRig : CRig
{
    explicit SHealthRig(bool bFahrenheit = false, bool bPortHidden = false)
        : CRig(SSimWallConfig { s_nPorts, s_nPerPort, 1, bPortHidden, bFahrenheit }, HealthWall())
    {
        Refresh();
    }
    QStringList Shown() const
    {
        QStringList list;
        for (int p = 0; p < Proxy()->rowCount(); ++p)
            if (!View()->isRowHidden(p, QModelIndex()))
                list << Item(p, ReceiverColumn::SerialNumber)->text();
        list.sort();
        return list;
    }
    int RowOfIndex(int nIndex) const { return SourceRowOf(SerialOf(pWall->Receivers().at(nIndex))); }
    CCell SourceCell(int nRow, int nKey) const { return Cell(Model(), nRow, nKey - Hidden()); }
    // A port chosen in the Filter popup.
    void ChoosePort(int nPort)
    {
        pWall->SetFilterPort(nPort);
        emit View()->GetPortSelectWidget()->SignalClicked();
    }
};
}

struct SFilterCase { int nPort; EHealthState eState; QString strText; bool bPortHidden; };
Q_DECLARE_METATYPE(SFilterCase)

class TestHealth : public QObject
{
    Q_OBJECT

private slots:
    // A host that sets no limits and no filter sees the table as before: no
    // colour or tooltip on any reading, every row shown, and only the states
    // that need no limit counted.
    void withoutLimitsNothingChanges()
    {
        SHealthRig rig;
        QVERIFY(!rig.Main()->HealthLimits().IsAnySet());
        const QList<SReceiverInfo> list = rig.pWall->Receivers();
        for (int r = 0; r < rig.Model()->rowCount(); ++r) {
            for (const int nKey : { ReceiverColumn::Temperature, ReceiverColumn::Humidity, ReceiverColumn::Voltage }) {
                QVERIFY(!rig.SourceCell(r, nKey)->data(Qt::ForegroundRole).isValid());
                QVERIFY(!rig.SourceCell(r, nKey)->data(Qt::ToolTipRole).isValid());
            }
        }
        COMPARE_COUNTS(rig.Main()->StatusCounts(), ExpectedCounts(list, SHealthLimits(), -1));
        QCOMPARE(rig.Main()->StatusCounts().All(HealthTooHot), 0);
        QVERIFY(rig.Main()->StatusCounts().All(HealthPacketErrors) > 0);
        QVERIFY(rig.Main()->StatusCounts().All(HealthFailedModules) > 0);
        QCOMPARE(rig.Shown().size(), list.size());
        // Clearing filters that were never set changes nothing either.
        rig.Main()->SetTextFilter(QString());
        rig.Main()->SetStatusFilter(HealthNone);
        QCOMPARE(rig.Shown().size(), list.size());
        QCOMPARE(rig.View()->GetFilterRowCount(), int(list.size()));
    }

    // Limits set: each reading beyond one has the warning colour and names the
    // limit in the operator's unit; the comparison is in Celsius either way.
    void limitsColourAndName_data()
    {
        QTest::addColumn<bool>("bFahrenheit");
        QTest::newRow("Celsius") << false;
        QTest::newRow("Fahrenheit") << true;
    }
    void limitsColourAndName()
    {
        QFETCH(bool, bFahrenheit);
        SHealthRig rig(bFahrenheit);
        CSignalCounter counter(rig.Main(), &CCMMainView::StatusCountsChanged);
        rig.Main()->SetHealthLimits(Limits());
        QCOMPARE(counter.nCount, 1);
        QVERIFY(rig.Main()->HealthLimits() == Limits());
        rig.Main()->SetHealthLimits(Limits()); // the same limits again: no news
        QCOMPARE(counter.nCount, 1);
        const QList<SReceiverInfo> list = rig.pWall->Receivers();
        COMPARE_COUNTS(rig.Main()->StatusCounts(), ExpectedCounts(list, Limits(), -1));
        QVERIFY(rig.Main()->StatusCounts().All(HealthTooHot) > 0);
        const QString strTemperatureLimit = bFahrenheit ? QStringLiteral("107.6 °F") : QStringLiteral("42 °C");
        for (int i = 0; i < list.size(); ++i) {
            const int r = rig.RowOfIndex(i);
            const uint32_t n = ExpectedStates(list.at(i), Limits());
            const struct { int nKey; uint32_t nState; QString strLimit; } arrCells[] = {
                { ReceiverColumn::Temperature, HealthTooHot, strTemperatureLimit },
                { ReceiverColumn::Humidity, HealthHumidityHigh, QStringLiteral("55%") },
                { ReceiverColumn::Voltage, HealthVoltageOutOfRange, QStringLiteral(" V") },
            };
            for (const auto& cell : arrCells) {
                const CCell pCell = rig.SourceCell(r, cell.nKey);
                QCOMPARE(pCell->data(Qt::ForegroundRole).isValid(), bool(n & cell.nState));
                const QString strTip = pCell->data(Qt::ToolTipRole).toString();
                QCOMPARE(strTip.contains(cell.strLimit), bool(n & cell.nState));
            }
            if (n & HealthVoltageOutOfRange) {
                const double dVoltage = list.at(i).mapSensor.at(3).dValue;
                const QString strTip = rig.SourceCell(r, ReceiverColumn::Voltage)->data(Qt::ToolTipRole).toString();
                QVERIFY2(strTip.contains(dVoltage < 4.7 ? QStringLiteral("4.7") : QStringLiteral("5.3")), qPrintable(strTip));
            }
        }
        // Unset again: as without limits.
        rig.Main()->SetHealthLimits(SHealthLimits());
        COMPARE_COUNTS(rig.Main()->StatusCounts(), ExpectedCounts(list, SHealthLimits(), -1));
        for (int r = 0; r < rig.Model()->rowCount(); ++r)
            QVERIFY(!rig.SourceCell(r, ReceiverColumn::Temperature)->data(Qt::ForegroundRole).isValid());
    }

    // A reading that crosses a limit between updates, packet counts read again
    // and a port filter each move the counts, and the signal tells once.
    void countsFollowUpdates()
    {
        SHealthRig rig(true);
        rig.Main()->SetHealthLimits(Limits());
        CSignalCounter counter(rig.Main(), &CCMMainView::StatusCountsChanged);
        rig.Main()->UpdateShow(); // nothing changed
        QCOMPARE(counter.nCount, 0);

        // Card 0 (30 °C, 40 %, 4.6 V) gets hot and humid with a fine voltage.
        QVERIFY(rig.pWall->SetReadings(0, 42.5, 55.4, 5.0));
        rig.Main()->UpdateShow();
        QCOMPARE(counter.nCount, 1);
        QList<SReceiverInfo> list = rig.pWall->Receivers();
        COMPARE_COUNTS(rig.Main()->StatusCounts(), ExpectedCounts(list, Limits(), -1));
        // Its humidity shows 55 % either way; its colour alone changed.
        QCOMPARE(rig.SourceCell(rig.RowOfIndex(0), ReceiverColumn::Humidity).text(), QStringLiteral("55%"));
        QVERIFY(rig.SourceCell(rig.RowOfIndex(0), ReceiverColumn::Humidity)->data(Qt::ForegroundRole).isValid());
        // Exactly at a limit is not beyond it.
        QVERIFY(rig.pWall->SetReadings(0, 42.0, 55.0, 5.3));
        rig.Main()->UpdateShow();
        list = rig.pWall->Receivers();
        COMPARE_COUNTS(rig.Main()->StatusCounts(), ExpectedCounts(list, Limits(), -1));
        QCOMPARE(ExpectedStates(list.at(0), Limits()) & (HealthTooHot | HealthVoltageOutOfRange | HealthHumidityHigh), 0u);

        // The simulation drifts readings and counts packets; ticks and updates.
        for (int t = 0; t < 5; ++t) {
            rig.pWall->Tick();
            rig.Main()->UpdateShow();
            COMPARE_COUNTS(rig.Main()->StatusCounts(), ExpectedCounts(rig.pWall->Receivers(), Limits(), -1));
        }
        // Cable errors cleared and the counts read again: no packet errors.
        const int nBefore = counter.nCount;
        rig.pWall->ClearCableErrors();
        rig.View()->UpdatePacketCount();
        QCOMPARE(rig.Main()->StatusCounts().All(HealthPacketErrors), 0);
        COMPARE_COUNTS(rig.Main()->StatusCounts(), ExpectedCounts(rig.pWall->Receivers(), Limits(), -1));
        QCOMPARE(counter.nCount, nBefore + 1);

        // The shown counts follow the port filter; the all counts stay.
        rig.ChoosePort(1);
        COMPARE_COUNTS(rig.Main()->StatusCounts(), ExpectedCounts(rig.pWall->Receivers(), Limits(), 1));
        rig.Main()->RefreshShow();
        COMPARE_COUNTS(rig.Main()->StatusCounts(), ExpectedCounts(rig.pWall->Receivers(), Limits(), 1));
    }

    // Upgrade progress puts members in Upgrading, then a failure in Upgrade
    // failed, which needs attention; an update tick (no progress) clears them.
    void countsFollowUpgrade()
    {
        SHealthRig rig;
        CFakeUpgrade& upgrade = rig.FakeUpgrade();
        const QList<SReceiverInfo> list = rig.pWall->Receivers();
        std::map<SReceiverAddress, int> mapState;
        for (int i = 0; i < 6; ++i) {
            upgrade.vecMembers.push_back(list.at(i).address);
            upgrade.mapAnswer[list.at(i).address] = CFakeUpgrade::SAnswer { 1, 0, 0.5f };
            mapState[list.at(i).address] = SRowProgressInfo::Upgrading;
        }
        const auto fnProgress = [&mapState](const SReceiverInfo& info) {
            const auto it = mapState.find(info.address);
            return it == mapState.end() ? 0 : it->second;
        };
        CSignalCounter counter(rig.Main(), &CCMMainView::StatusCountsChanged);
        rig.Main()->ProgressBegin();
        QCOMPARE(counter.nCount, 1);
        COMPARE_COUNTS(rig.Main()->StatusCounts(), ExpectedCounts(list, SHealthLimits(), -1, fnProgress));
        QCOMPARE(rig.Main()->StatusCounts().All(HealthUpgrading), 6);

        // Members 1 and 2 fail (card 1 has no other state), 3 succeeds.
        upgrade.mapAnswer[list.at(1).address] = CFakeUpgrade::SAnswer { 2, -1, 0.5f };
        upgrade.mapAnswer[list.at(2).address] = CFakeUpgrade::SAnswer { 2, -2, 0.7f };
        upgrade.mapAnswer[list.at(3).address] = CFakeUpgrade::SAnswer { 2, 0, 1.0f };
        mapState[list.at(1).address] = mapState[list.at(2).address] = SRowProgressInfo::UpgradeFailed;
        mapState[list.at(3).address] = SRowProgressInfo::UpgradeSucceeded;
        rig.Main()->ProgressChanged();
        COMPARE_COUNTS(rig.Main()->StatusCounts(), ExpectedCounts(list, SHealthLimits(), -1, fnProgress));
        QCOMPARE(rig.Main()->StatusCounts().All(HealthUpgradeFailed), 2);
        QVERIFY(rig.Model()->HealthStates(rig.RowOfIndex(1)) & HealthNeedsAttention);

        // A status filter on the failures follows the progress.
        rig.Main()->SetStatusFilter(HealthUpgradeFailed);
        QStringList listFailed { SerialOf(list.at(1)), SerialOf(list.at(2)) };
        listFailed.sort();
        QCOMPARE(rig.Shown(), listFailed);
        upgrade.mapAnswer[list.at(2).address] = CFakeUpgrade::SAnswer { 1, 0, 0.8f };
        mapState[list.at(2).address] = SRowProgressInfo::Upgrading;
        rig.Main()->ProgressChanged();
        QCOMPARE(rig.Shown(), QStringList { SerialOf(list.at(1)) });
        COMPARE_COUNTS(rig.Main()->StatusCounts(), ExpectedCounts(list, SHealthLimits(), -1, fnProgress));
    }

    // The three filters together show exactly the cards each accepts, with
    // the Port column shown and hidden.
    void filtersCombine_data()
    {
        QTest::addColumn<SFilterCase>("c");
        const QString strType = CSimWall::TypeName(CSimWall::TypeCodes().at(1));
        QTest::newRow("state") << SFilterCase { -1, HealthTooHot, QString(), false };
        QTest::newRow("text in S/N") << SFilterCase { -1, HealthNone, QStringLiteral("sn1"), false };
        QTest::newRow("text in firmware") << SFilterCase { -1, HealthNone, QStringLiteral("v4.07"), false };
        QTest::newRow("text in type") << SFilterCase { -1, HealthNone, strType.toLower(), false };
        QTest::newRow("port and state") << SFilterCase { 1, HealthNeedsAttention, QString(), false };
        QTest::newRow("port, state and text") << SFilterCase { 2, HealthPacketErrors, QStringLiteral("V4"), false };
        QTest::newRow("state and text") << SFilterCase { -1, HealthVoltageOutOfRange, QStringLiteral("SN2"), false };
        QTest::newRow("no match") << SFilterCase { 0, HealthHumidityHigh, QStringLiteral("zz"), false };
        QTest::newRow("port hidden, state and text") << SFilterCase { -1, HealthFailedModules, QStringLiteral("sn"), true };
    }
    void filtersCombine()
    {
        QFETCH(SFilterCase, c);
        SHealthRig rig(false, c.bPortHidden);
        rig.Main()->SetHealthLimits(Limits());
        const QList<SReceiverInfo> list = rig.pWall->Receivers();
        CSignalCounter counterSelect(rig.Main(), &CCMMainView::RcvSelectChanged);
        if (c.nPort != -1)
            rig.ChoosePort(c.nPort);
        rig.Main()->SetStatusFilter(c.eState);
        rig.Main()->SetTextFilter(c.strText);
        QCOMPARE(rig.Main()->StatusFilter(), c.eState);
        QCOMPARE(rig.Main()->TextFilter(), c.strText);
        // Without a Port column no port is filtered on.
        const int nPort = c.bPortHidden ? -1 : c.nPort;
        const QStringList listExpected = ExpectedShown(list, Limits(), nPort, c.eState, c.strText);
        // Each case hides some cards, and all but the last shows some.
        QVERIFY(listExpected.size() < list.size());
        QVERIFY(!listExpected.isEmpty() || c.strText == QLatin1String("zz"));
        QCOMPARE(rig.Shown(), listExpected);
        QCOMPARE(rig.View()->GetShownRowCount(), int(listExpected.size()));
        QCOMPARE(rig.Header()->HasRows(), !listExpected.isEmpty());
        // The filters survive an update and a refresh.
        rig.Main()->UpdateShow();
        QCOMPARE(rig.Shown(), listExpected);
        rig.Main()->RefreshShow();
        QCOMPARE(rig.Shown(), listExpected);
        // Clearing one filter at a time.
        rig.Main()->SetTextFilter(QString());
        QCOMPARE(rig.Shown(), ExpectedShown(list, Limits(), nPort, c.eState, QString()));
        rig.Main()->SetStatusFilter(HealthNone);
        QCOMPARE(rig.Shown(), ExpectedShown(list, Limits(), nPort, HealthNone, QString()));
        // Only the refresh reports a selection; nothing was checked to clear.
        QCOMPARE(counterSelect.nCount, 1);
    }

    // A status or text filter never changes the checks or the stored
    // selection; the header's box and SelectAll act on the shown cards only;
    // a port filter change still clears the checks.
    void filtersAndChecks()
    {
        SHealthRig rig;
        const QList<SReceiverInfo> list = rig.pWall->Receivers();
        rig.pWall->SetSelectedReceivers({ list.at(1).address, list.at(9).address, list.at(10).address, list.at(17).address });
        rig.View()->RefreshShow(true, false);
        const QStringList listChecked = rig.Checked();
        const QStringList listReported = rig.Reported();
        QCOMPARE(int(listChecked.size()), 4);
        CSignalCounter counterSelect(rig.Main(), &CCMMainView::RcvSelectChanged);

        // "SN1" matches SN1 and SN100..SN107: checked SN1 and SN101 stay
        // shown, SN102 (card 10) shows, SN201 (card 17) hides.
        rig.Main()->SetTextFilter(QStringLiteral("sn1"));
        QCOMPARE(rig.Checked(), listChecked);
        QCOMPARE(rig.Reported(), listReported);
        QCOMPARE(counterSelect.nCount, 0);
        QCOMPARE(rig.Main()->CheckedHiddenCount(), 1);
        QCOMPARE(rig.Header()->GetCheckBoxState(), int(Qt::PartiallyChecked));

        // The box checks exactly the shown cards; hidden ones end unchecked.
        rig.Main()->SelectAll();
        const QStringList listShown = ExpectedShown(list, SHealthLimits(), -1, HealthNone, QStringLiteral("sn1"));
        QStringList listReportedSN;
        for (const SReceiverAddress& address : rig.pWall->GetSelectedReceivers())
            for (const SReceiverInfo& info : list)
                if (info.address == address)
                    listReportedSN << SerialOf(info);
        listReportedSN.sort();
        QCOMPARE(listReportedSN, listShown);
        QCOMPARE(rig.Main()->CheckedHiddenCount(), 0);
        QCOMPARE(rig.Header()->GetCheckBoxState(), int(Qt::Checked));

        // Clearing the filter shows the others unchecked; checks stay.
        const QStringList listAllChecked = rig.Checked();
        const int nReports = counterSelect.nCount;
        rig.Main()->SetTextFilter(QString());
        QCOMPARE(rig.Checked(), listAllChecked);
        QCOMPARE(counterSelect.nCount, nReports);
        QCOMPARE(rig.Header()->GetCheckBoxState(), int(Qt::PartiallyChecked));

        // A state filter hiding checked cards: checks and selection stay.
        rig.Main()->SetStatusFilter(HealthFailedModules);
        QCOMPARE(rig.Checked(), listAllChecked);
        QCOMPARE(counterSelect.nCount, nReports);
        QVERIFY(rig.Main()->CheckedHiddenCount() > 0);

        // Copy, export and find see only the shown cards.
        QBuffer buffer;
        QVERIFY(buffer.open(QIODevice::WriteOnly));
        QVERIFY(rig.Main()->ExportCsv(&buffer));
        const QStringList listFailed = ExpectedShown(list, SHealthLimits(), -1, HealthFailedModules, QString());
        QCOMPARE(int(buffer.data().count(QByteArrayLiteral("\n"))), int(listFailed.size()) + 1);
        const QString strHiddenSN = SerialOf(list.at(0));
        QVERIFY(!listFailed.contains(strHiddenSN));
        QVERIFY(!rig.Main()->FindReceiver(strHiddenSN));
        QVERIFY(rig.Main()->FindReceiver(listFailed.first()));

        // The port filter, as before, clears the checks.
        rig.ChoosePort(2);
        QVERIFY(rig.Checked().isEmpty());
        QVERIFY(rig.pWall->GetSelectedReceivers().empty());
    }

    // The text filter matches as Qt's case-insensitive contains does, also
    // for type names beyond ASCII (the Kelvin sign folds to k), for a text
    // beyond ASCII, across the firmware's " V", in runs of equal types, and
    // on what a host wrote into a cell.
    void textFilterMatching_data()
    {
        QTest::addColumn<QString>("strText");
        QTest::addColumn<QStringList>("listShown"); // serial numbers
        QTest::newRow("ASCII text, Kelvin sign in a type") << QStringLiteral("kab") << QStringList { "SN1", "SN3" };
        QTest::newRow("text beyond ASCII") << QStringLiteral("STRASSE ä") << QStringList {};
        QTest::newRow("umlaut in any case") << QStringLiteral("ÄL") << QStringList { "SN1", "SN3" };
        QTest::newRow("across the firmware's V") << QStringLiteral("908 v4") << QStringList { "SN4" };
        QTest::newRow("host-written S/N") << QStringLiteral("written") << QStringList { "SN2" };
        QTest::newRow("nothing") << QStringLiteral("qq") << QStringList {};
    }
    void textFilterMatching()
    {
        QFETCH(QString, strText);
        QFETCH(QStringList, listShown);
        QList<SReceiverInfo> list = Receivers({ { 0, 0 }, { 0, 1 }, { 0, 2 }, { 0, 3 }, { 0, 4 }, { 0, 5 } });
        list[4].nVersionMajor = 4;
        QMap<quint64, SCabinetInfo> mapCabinet;
        for (const int i : { 1, 3 }) {
            list[i].strCabinetId = "cab";
            mapCabinet.insert(CSimWall::CabinetKeyOf(list.at(i)), SCabinetInfo { "\xE2\x84\xAA" "abinett \xC3\x84lt", "cab" });
        }
        CRig rig(SSimWallConfig { 1, 6, 1, false, false }, list, [&mapCabinet](CSimWall& wall) { wall.SetCabinetMap(mapCabinet); });
        rig.Refresh();
        Cell(rig.Model(), rig.SourceRowOf(QStringLiteral("SN2")), ReceiverColumn::SerialNumber).setText(QStringLiteral("WrittenSN"));
        rig.Main()->SetTextFilter(strText);
        QStringList listActual;
        for (int p = 0; p < rig.Proxy()->rowCount(); ++p)
            if (!rig.View()->isRowHidden(p, QModelIndex()))
                listActual << (rig.Item(p, ReceiverColumn::SerialNumber).text() == QLatin1String("WrittenSN") ? QStringLiteral("SN2") : rig.Item(p, ReceiverColumn::SerialNumber).text());
        listActual.sort();
        QCOMPARE(listActual, listShown);
        // A find sees the same cards.
        QCOMPARE(rig.Main()->FindReceiver(strText), !listShown.isEmpty());
    }

    // Typing a letter at a time (the text growing, then shrinking) under the
    // port and state filters shows exactly what a fresh filter would, also
    // after records are rewritten, a host writes a cell or the rows move
    // between two letters.
    void textFilterTyping_data()
    {
        QTest::addColumn<SFilterCase>("c");
        QTest::newRow("text alone") << SFilterCase { -1, HealthNone, QString(), false };
        QTest::newRow("with a port") << SFilterCase { 1, HealthNone, QString(), false };
        QTest::newRow("with a state") << SFilterCase { -1, HealthNeedsAttention, QString(), false };
        QTest::newRow("port, state, no Port column") << SFilterCase { 2, HealthNeedsAttention, QString(), true };
    }
    void textFilterTyping()
    {
        QFETCH(SFilterCase, c);
        SHealthRig rig(false, c.bPortHidden);
        rig.Main()->SetHealthLimits(Limits());
        QList<SReceiverInfo> list = rig.pWall->Receivers();
        if (c.nPort != -1)
            rig.ChoosePort(c.nPort);
        rig.Main()->SetStatusFilter(c.eState);
        const int nPort = c.bPortHidden ? -1 : c.nPort;
        const auto type = [&](const QString& strText) {
            rig.Main()->SetTextFilter(strText);
            const QStringList listExpected = ExpectedShown(list, Limits(), nPort, c.eState, strText);
            QCOMPARE(rig.Shown(), listExpected);
            QCOMPARE(rig.View()->GetShownRowCount(), int(listExpected.size()));
            QCOMPARE(rig.Main()->ShownReceiverCount(), int(listExpected.size()));
        };
        for (const char* psz : { "v", "V4", "v4.", "v4.0", "v4.07", "v4.0", "", "s", "sN", "sn2", "sn20", "sn2" })
            type(QString::fromLatin1(psz));

        // Firmware rewritten while a text is set: a hidden card comes to
        // match the longer text.
        type(QStringLiteral("v9"));
        for (int i = 0; i < list.size(); i += 3) {
            list[i].nVersionMajor = 9;
            list[i].nVersionMinor = 9 + i % 2;
        }
        rig.pWall->SetReceivers(list);
        rig.Main()->UpdateShow();
        QCOMPARE(rig.Shown(), ExpectedShown(list, Limits(), nPort, c.eState, QStringLiteral("v9")));
        type(QStringLiteral("v9."));
        type(QStringLiteral("v9.1"));
        type(QStringLiteral("v9.10"));

        // A host writes a hidden card's S/N so that it matches the next letter.
        type(QStringLiteral("sn2"));
        int nWritten = -1;
        for (int i = 0; i < list.size() && nWritten == -1; ++i) {
            const bool bPort = nPort == -1 || list.at(i).address.nPort == nPort;
            const bool bState = c.eState == HealthNone || (ExpectedStates(list.at(i), Limits()) & c.eState);
            if (bPort && bState && !SerialOf(list.at(i)).contains(QLatin1String("SN2")))
                nWritten = i;
        }
        QVERIFY(nWritten != -1);
        rig.SourceCell(rig.RowOfIndex(nWritten), ReceiverColumn::SerialNumber).setText(QStringLiteral("SN2099"));
        const std::string strSerial = list.at(nWritten).strSerialNumber;
        list[nWritten].strSerialNumber = "SN2099";
        type(QStringLiteral("sn20"));
        type(QStringLiteral("sn209"));

        // Rows sorted between two letters; the sort reads the rows again,
        // and the host's value goes.
        type(QStringLiteral("s"));
        rig.View()->SortByColumn(rig.View()->GetColumnMap().ColumnOf(ReceiverColumn::SerialNumber), false, true);
        list[nWritten].strSerialNumber = strSerial;
        type(QStringLiteral("sn"));
        type(QStringLiteral("sn1"));
        type(QString());
    }

    // A Shift range under a text filter checks the cards shown between its
    // ends, none of those the filter hides.
    void shiftRangeUnderFilter()
    {
        SHealthRig rig;
        QVERIFY(rig.Show(QSize(1700, 900)));
        rig.Main()->SetTextFilter(QStringLiteral("sn1"));
        QCoreApplication::processEvents();
        // Model order: SN0..SN7 on port 0, SN100..SN107 on port 1.
        QCOMPARE(rig.Item(1, ReceiverColumn::SerialNumber).text(), QStringLiteral("SN1"));
        QCOMPARE(rig.Item(15, ReceiverColumn::SerialNumber).text(), QStringLiteral("SN107"));
        rig.ClickRow(1);
        rig.ClickRow(15, Qt::ShiftModifier);
        QStringList listChecked;
        for (int p = 0; p < rig.Proxy()->rowCount(); ++p)
            if (rig.First(p)->data(Qt::CheckStateRole).toInt() == Qt::Checked)
                listChecked << rig.Item(p, ReceiverColumn::SerialNumber).text();
        listChecked.sort();
        QCOMPARE(listChecked, ExpectedShown(rig.pWall->Receivers(), SHealthLimits(), -1, HealthNone, QStringLiteral("sn1")));
        QCOMPARE(rig.Main()->CheckedHiddenCount(), 0);
        QCOMPARE(rig.Header()->GetCheckBoxState(), int(Qt::Checked));
    }

    // Cards enter and leave a state filter's view as limits and readings change.
    void stateFilterFollowsChanges()
    {
        SHealthRig rig;
        rig.Main()->SetStatusFilter(HealthTooHot);
        QVERIFY(rig.Shown().isEmpty()); // no limits: nobody is too hot
        QVERIFY(!rig.Header()->HasRows());
        rig.Main()->SetHealthLimits(Limits());
        QCOMPARE(rig.Shown(), ExpectedShown(rig.pWall->Receivers(), Limits(), -1, HealthTooHot, QString()));
        QVERIFY(rig.pWall->SetReadings(0, 60.0, 40.0, 5.0));
        rig.Main()->UpdateShow();
        QVERIFY(rig.Shown().contains(SerialOf(rig.pWall->Receivers().at(0))));
        QCOMPARE(rig.Shown(), ExpectedShown(rig.pWall->Receivers(), Limits(), -1, HealthTooHot, QString()));

        rig.Main()->SetStatusFilter(HealthPacketErrors);
        QCOMPARE(rig.Shown(), ExpectedShown(rig.pWall->Receivers(), Limits(), -1, HealthPacketErrors, QString()));
        rig.pWall->ClearCableErrors();
        rig.View()->UpdatePacketCount();
        QVERIFY(rig.Shown().isEmpty());
    }

    // The warning colour in painted pixels: a hot card's temperature cell has
    // amber ink, a cool card's has none, on odd and checked rows alike.
    void paintsWarningColour_data()
    {
        QTest::addColumn<bool>("bFahrenheit");
        QTest::addColumn<bool>("bChecked");
        QTest::newRow("Celsius") << false << false;
        QTest::newRow("Fahrenheit, checked") << true << true;
    }
    void paintsWarningColour()
    {
        QFETCH(bool, bFahrenheit);
        QFETCH(bool, bChecked);
        const QColor colorWarning(0xF2, 0xA9, 0x3B);
        CRig rig(SSimWallConfig { 1, 4, 1, false, bFahrenheit }, Receivers({ { 0, 0 }, { 0, 1 }, { 0, 2 }, { 0, 3 } }),
                 [](CSimWall& wall) { wall.SetReadings(1, 48.0, 40.0, 5.0); });
        QVERIFY(rig.Show(QSize(1700, 300)));
        if (bChecked)
            rig.Main()->SelectAll();
        const auto grab = [&rig]() { return rig.View()->viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32); };
        const int nColumn = ReceiverColumn::Temperature - rig.Hidden();
        const auto cellRect = [&](int p) { return rig.View()->visualRect(rig.Proxy()->index(p, nColumn)); };
        const auto amber = [&](const QImage& image, int p) {
            int n = 0;
            const QRect rect = cellRect(p) & image.rect();
            for (int y = rect.top(); y <= rect.bottom(); ++y)
                for (int x = rect.left(); x <= rect.right(); ++x) {
                    const QRgb rgb = image.pixel(x, y);
                    n += qAbs(qRed(rgb) - colorWarning.red()) <= 40 && qAbs(qGreen(rgb) - colorWarning.green()) <= 40
                            && qAbs(qBlue(rgb) - colorWarning.blue()) <= 40 ? 1 : 0;
                }
            return n;
        };
        QImage image = grab();
        QCOMPARE(amber(image, 1), 0); // no limits yet
        SHealthLimits limits;
        limits.optTemperatureHigh = 45.0;
        rig.Main()->SetHealthLimits(limits);
        QCoreApplication::processEvents();
        image = grab();
        QVERIFY2(amber(image, 1) >= 5, qPrintable(QString::number(amber(image, 1))));
        QCOMPARE(amber(image, 0), 0);
        QCOMPARE(amber(image, 2), 0);
        // The row background under it is still the row's own.
        const QRect rect = cellRect(1);
        const QRgb rgbCorner = image.pixel(rect.right() - 3, rect.top() + 2);
        const QColor colorRow = bChecked ? s_colorRowChecked : s_colorRowOdd;
        QVERIFY(qAbs(qRed(rgbCorner) - colorRow.red()) <= 1 && qAbs(qBlue(rgbCorner) - colorRow.blue()) <= 1);
    }

    // Status text of the pure pieces: the state index and the limits record.
    void healthRecords()
    {
        QCOMPARE(HealthStateIndex(HealthPacketErrors), 0);
        QCOMPARE(HealthStateIndex(HealthNeedsAttention), c_nHealthStateCount - 1);
        QCOMPARE(HealthStateIndex(HealthNone), -1);
        QCOMPARE(HealthStateIndex(EHealthState(HealthTooHot | HealthUpgrading)), -1);
        SStatusCounts counts;
        counts.arrAll[1] = 3;
        counts.arrShown[1] = 2;
        QCOMPARE(counts.All(HealthTooHot), 3);
        QCOMPARE(counts.Shown(HealthTooHot), 2);
        QCOMPARE(counts.All(HealthNone), 0);
        SHealthLimits limits;
        QVERIFY(!limits.IsAnySet());
        limits.optVoltageLow = 4.0;
        QVERIFY(limits.IsAnySet() && limits != SHealthLimits());
    }
};

QTEST_MAIN(TestHealth)
#include "tst_health.moc"
