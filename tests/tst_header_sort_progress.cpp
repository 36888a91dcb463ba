// The header driven as a user drives it (mouse on sections, borders and the
// painted controls), the row order both sort mechanisms leave in the view, and
// what an upgrade run writes into the rows and does to the header.

#include "CMViewTestSupport.h"

#include "CPortSelectWidget.h"

using namespace cmtest;

namespace
{
// S/N, (port, position), (errors, total) and firmware major all order differently.
QList<SReceiverInfo> FourRows()
{
    return { Receiver(0, 5, "R10", 0, 10, 2), Receiver(0, 2, "R2", 4294967295u, 1, 1), Receiver(1, 0, "a1", 5, 100, 4),
             Receiver(1, 2, "A1", 5, 7, 3) };
}

// A shown main view over the rows, with the fake upgrade controller in place.
struct SHeaderRig : CRig
{
    SHeaderRig(const QList<SReceiverInfo>& listRows, bool bPortHidden = false, const FnPrepare& fnPrepare = {})
        : CRig(SSimWallConfig { 3, 2, 1, bPortHidden, false }, listRows, fnPrepare), upgrade(FakeUpgrade())
    {
        bShown = Show(QSize(1000, 400)) && !Header()->GetCheckRect().isNull();
    }
    int CheckedRows() const { return Checked().size(); }
    // The box, Filter and Reset icons by name, "-" for none.
    QString Icons() const
    {
        QStringList list;
        for (const QString& str : { Header()->GetCheckIcon(), Header()->GetFilterIcon(), Header()->GetResetIcon() })
            list << (str.isEmpty() ? QStringLiteral("-") : QString(str).remove(":/image/control/").remove(".svg"));
        return list.join(' ');
    }
    SRowProgressInfo ProgressOf(const QString& strSN) const
    {
        return Cell(Model(), SourceRowOf(strSN), ReceiverColumn::Progress - Hidden())->data(ReceiverRole::Extra).value<SRowProgressInfo>();
    }
    CFakeUpgrade& upgrade;
    bool bShown = false;
};
}

struct SFilterCase { bool bPortHidden, bNoDevice, bOperating, bOpens; };
struct SSortCase { bool bPortHidden; int nKey; bool bAscending; QStringList listSN; };
struct SProgressCase { int nStage, nResult; float fProgress; int nState, nPercent; QString strText; };
Q_DECLARE_METATYPE(SFilterCase)
Q_DECLARE_METATYPE(SSortCase)
Q_DECLARE_METATYPE(SProgressCase)

class TestHeaderSortProgress : public QObject
{
    Q_OBJECT

private slots:
    void sortClicks_data()
    {
        QTest::addColumn<bool>("bPortHidden");
        QTest::newRow("port shown") << false;
        QTest::newRow("port hidden") << true;
    }

    void sortClicks()
    {
        QFETCH(bool, bPortHidden);
        SHeaderRig rig(FourRows(), bPortHidden);
        QVERIFY(rig.bShown);
        QSignalSpy spy(rig.Header(), &CReceiverListHeader::SortColumn);

        // Section 0 starts as the ascending sort column.
        rig.ClickSection(0);
        rig.ClickSection(2);
        rig.ClickSection(2);
        QCOMPARE(spy, (QList<QVariantList> { { 0, false }, { 2, true }, { 2, false } }));

        // The Progress column never sorts.
        const QStringList listBefore = rig.ViewColumn(ReceiverColumn::SerialNumber);
        rig.ClickSection(ReceiverColumn::Progress - rig.Hidden());
        QCOMPARE(spy.count(), 3);
        QCOMPARE(rig.Header()->GetSortColumn(), 2);
        QCOMPARE(rig.Header()->GetSortFlag(), false);
        QCOMPARE(rig.ViewColumn(ReceiverColumn::SerialNumber), listBefore);

        // On a border the press starts a resize, never a sort.
        const QPoint posBorder(rig.Header()->sectionViewportPosition(4) + 1, 32);
        rig.MoveHeader(posBorder);
        QCOMPARE(rig.Header()->cursor().shape(), Qt::SplitHCursor);
        QTest::mouseClick(rig.Header()->viewport(), Qt::LeftButton, Qt::NoModifier, posBorder);
        QCOMPARE(spy.count(), 3);
        rig.ClickSection(3);
        QCOMPARE(spy.last(), (QVariantList { 3, true }));
    }

    void checkBoxAndHoverIcons()
    {
        SHeaderRig rig(FourRows());
        QVERIFY(rig.bShown);
        CReceiverListHeader* pHeader = rig.Header();
        QSignalSpy spy(pHeader, &CReceiverListHeader::SetAllChecked);
        QCOMPARE(rig.Icons(), QStringLiteral("- filtrate/normal reset/normal"));
        rig.HoverRow(0);
        QVERIFY(rig.View()->GetHoverRow() != -1);

        // Coming from the rows, the header's enter drops the view's hover row.
        QSignalSpy spyEnter(pHeader, &CReceiverListHeader::MouseEnter);
        rig.MoveHeader(rig.SectionPoint(2));
        QCOMPARE(spyEnter.count(), 1);
        QCOMPARE(rig.View()->GetHoverRow(), -1);
        rig.MoveHeader(pHeader->GetFilterRect().center());
        QCOMPARE(rig.Icons(), QStringLiteral("- filtrate/hover reset/normal"));
        rig.MoveHeader(pHeader->GetResetRect().center());
        QCOMPARE(rig.Icons(), QStringLiteral("- filtrate/normal reset/down"));
        rig.MoveHeader(pHeader->GetCheckRect().center());
        QCOMPARE(rig.Icons(), QStringLiteral("checkBox/normal filtrate/normal reset/normal"));

        rig.ClickBox();
        QCOMPARE(spy.takeFirst().at(0).toBool(), true);
        QCOMPARE(rig.Icons(), QStringLiteral("checkBox/down filtrate/normal reset/normal"));
        QCOMPARE(rig.CheckedRows(), 4);
        // A checked box unchecks all and stays drawn, unchecked, under the mouse.
        rig.ClickBox();
        QCOMPARE(spy.takeFirst().at(0).toBool(), false);
        QCOMPARE(pHeader->GetCheckBoxState(), int(Qt::Unchecked));
        QCOMPARE(rig.Icons(), QStringLiteral("checkBox/normal filtrate/normal reset/normal"));
        QCOMPARE(rig.CheckedRows(), 0);
        rig.MoveHeader(rig.SectionPoint(2));
        QCOMPARE(rig.Icons(), QStringLiteral("- filtrate/normal reset/normal"));
        QCOMPARE(spyEnter.count(), 1);

        // A partially checked box checks all.
        rig.ClickRow(1);
        QCOMPARE(pHeader->GetCheckBoxState(), int(Qt::PartiallyChecked));
        rig.ClickBox();
        QCOMPARE(spy.takeFirst().at(0).toBool(), true);
        QCOMPARE(pHeader->GetCheckBoxState(), int(Qt::Checked));
        QCOMPARE(rig.CheckedRows(), 4);
        QVERIFY(spy.isEmpty());
    }

    void filterButton_data()
    {
        QTest::addColumn<SFilterCase>("c");
        QTest::newRow("usable") << SFilterCase { false, false, false, true };
        QTest::newRow("no device") << SFilterCase { false, true, false, false };
        QTest::newRow("port hidden") << SFilterCase { true, false, false, false };
        // The click itself is not pinned here: only the icon follows IsOperating().
        QTest::newRow("operating") << SFilterCase { false, false, true, false };
    }

    void filterButton()
    {
        QFETCH(SFilterCase, c);
        const bool bPortHidden = c.bPortHidden, bOpens = c.bOpens;
        SHeaderRig rig(FourRows(), bPortHidden, [&](CSimWall& wall) {
            if (c.bNoDevice)
                wall.SetDeviceId(QUuid());
            wall.SetOperating(c.bOperating);
        });
        QVERIFY(rig.bShown);
        QCOMPARE(rig.Header()->GetFilterIcon(), QStringLiteral(":/image/control/filtrate/%1.svg").arg(bOpens ? "normal" : "disable"));
        QCOMPARE(rig.Header()->GetFilterRect().isNull(), bPortHidden);
        if (c.bOperating)
            return;

        QSignalSpy spy(rig.Header(), &CReceiverListHeader::FiltrateClicked);
        rig.ClickHeader(bPortHidden ? QPoint(75, 18) : rig.Header()->GetFilterRect().center());
        QCOMPARE(spy.count(), bOpens ? 1 : 0);
        QCOMPARE(rig.View()->GetPortSelectWidget()->isVisible(), bOpens);
        QCOMPARE(rig.Header()->GetFilterIcon(), QStringLiteral(":/image/control/filtrate/%1.svg").arg(bOpens ? "down" : "disable"));
        rig.View()->GetPortSelectWidget()->hide();
    }

    void sortOrder_data()
    {
        QTest::addColumn<SSortCase>("c");
        using namespace ReceiverColumn;
        // Rows: R10 (0,5) 0/10 V2, R2 (0,2) 4294967295/1 V1, a1 (1,0) 5/100 V4, A1 (1,2) 5/7 V3.
        QTest::newRow("port asc") << SSortCase { false, Port, true, { "R2", "R10", "a1", "A1" } };
        QTest::newRow("port desc") << SSortCase { false, Port, false, { "A1", "a1", "R10", "R2" } };
        QTest::newRow("position asc") << SSortCase { false, Position, true, { "a1", "R2", "A1", "R10" } };
        QTest::newRow("position desc") << SSortCase { false, Position, false, { "R10", "A1", "R2", "a1" } };
        QTest::newRow("sn asc") << SSortCase { false, SerialNumber, true, { "a1", "A1", "R2", "R10" } };
        QTest::newRow("sn desc") << SSortCase { false, SerialNumber, false, { "R10", "R2", "A1", "a1" } };
        QTest::newRow("packets asc") << SSortCase { false, Packets, true, { "R10", "A1", "a1", "R2" } };
        QTest::newRow("packets desc") << SSortCase { false, Packets, false, { "R2", "a1", "A1", "R10" } };
        QTest::newRow("firmware asc") << SSortCase { false, Firmware, true, { "R2", "R10", "A1", "a1" } };
        QTest::newRow("firmware desc") << SSortCase { false, Firmware, false, { "a1", "A1", "R10", "R2" } };
        QTest::newRow("hidden position desc") << SSortCase { true, Position, false, { "R10", "A1", "R2", "a1" } };
        QTest::newRow("hidden packets asc") << SSortCase { true, Packets, true, { "R10", "A1", "a1", "R2" } };
        QTest::newRow("hidden firmware desc") << SSortCase { true, Firmware, false, { "a1", "A1", "R10", "R2" } };
    }

    void sortOrder()
    {
        QFETCH(SSortCase, c);
        SHeaderRig rig(FourRows(), c.bPortHidden);
        QVERIFY(rig.bShown);

        // Section 0 is already the ascending sort column: one click turns it round.
        const int nSection = c.nKey - rig.Hidden();
        for (int i = (nSection == 0) == c.bAscending ? 2 : 1; i > 0; --i)
            rig.ClickSection(nSection);
        QCOMPARE(rig.Header()->GetSortFlag(), c.bAscending);
        using namespace ReceiverColumn;
        const bool bListSorted = c.nKey == Port || c.nKey == Position || c.nKey == SerialNumber || c.nKey == Packets;
        QCOMPARE(rig.Proxy()->sortColumn(), bListSorted ? -1 : nSection);
        // A refresh and an update keep the order.
        QCOMPARE(rig.ViewColumn(SerialNumber), c.listSN);
        rig.Main()->RefreshShow();
        QCOMPARE(rig.ViewColumn(SerialNumber), c.listSN);
        rig.Main()->UpdateShow();
        QCOMPARE(rig.ViewColumn(SerialNumber), c.listSN);
    }

    // Equal serial numbers end where the row list's quicksort (median of three,
    // not stable) leaves them; descending works on the list as ascending left it.
    void equalSerialNumbersKeepQuickSortOrder()
    {
        const QVector<int> vecKey { 2, 1, 2, 3, 1, 2, 2, 3, 1, 2, 1, 3, 2 };
        QList<SReceiverInfo> listRows;
        for (int i = 0; i < vecKey.size(); ++i)
            listRows << Receiver(0, i, QStringLiteral("K%1").arg(vecKey[i]));
        SHeaderRig rig(listRows);
        QVERIFY(rig.bShown);
        // Positions in view order; a stable sort would give 2 5 9 11 1 3 6 7 10 13 4 8 12.
        rig.ClickSection(ReceiverColumn::SerialNumber);
        QCOMPARE(rig.ViewColumn(ReceiverColumn::Position).join(' '), QStringLiteral("5 9 11 2 10 13 7 3 1 6 4 12 8"));
        rig.ClickSection(ReceiverColumn::SerialNumber);
        QCOMPARE(rig.ViewColumn(ReceiverColumn::Position).join(' '), QStringLiteral("12 4 8 1 6 3 7 13 10 9 11 2 5"));
        // The packet re-read sorts the list it reads again, ascending as the
        // header says; the next click turns that list round, as above.
        rig.ClickSection(ReceiverColumn::SerialNumber);
        rig.View()->UpdatePacketCount();
        rig.ClickSection(ReceiverColumn::SerialNumber);
        QCOMPARE(rig.ViewColumn(ReceiverColumn::Position).join(' '), QStringLiteral("12 4 8 1 6 3 7 13 10 9 11 2 5"));
    }

    // Serial numbers that change between two sorts of a wall of the same
    // size, new ones or swapped ones, sort on their new texts: nothing kept
    // from the earlier sort may decide the order.
    void serialNumbersChangedBetweenSorts()
    {
        const QStringList listFirst { "R7", "R1", "R30", "R4" };
        QList<SReceiverInfo> listRows;
        for (int i = 0; i < listFirst.size(); ++i)
            listRows << Receiver(0, i, listFirst[i]);
        SHeaderRig rig(listRows);
        QVERIFY(rig.bShown);
        rig.ClickSection(ReceiverColumn::SerialNumber);
        QCOMPARE(rig.ViewColumn(ReceiverColumn::SerialNumber), QStringList({ "R1", "R4", "R7", "R30" }));
        // Type, then S/N again: the same wall, sorted the same.
        rig.ClickSection(ReceiverColumn::Type);
        rig.ClickSection(ReceiverColumn::SerialNumber);
        QCOMPARE(rig.ViewColumn(ReceiverColumn::SerialNumber), QStringList({ "R1", "R4", "R7", "R30" }));
        const QList<QStringList> listWalls {
            { "R7", "R1", "R30", "R2" },  // one new
            { "R2", "R30", "R1", "R7" },  // the same texts on other receivers
            { "A9", "R30", "B1", "R7" },  // two new, sorting before the rest
        };
        for (const QStringList& listSN : listWalls) {
            for (int i = 0; i < listSN.size(); ++i)
                listRows[i] = Receiver(0, i, listSN[i]);
            rig.pWall->SetReceivers(listRows);
            rig.Main()->RefreshShow();
            QStringList listSorted = listSN;
            std::sort(listSorted.begin(), listSorted.end(), [](const QString& a, const QString& b) {
                return a.at(0) != b.at(0) ? a.at(0) < b.at(0) : a.mid(1).toInt() < b.mid(1).toInt();
            });
            const bool bAscending = rig.Header()->GetSortFlag();
            if (!bAscending)
                std::reverse(listSorted.begin(), listSorted.end());
            QCOMPARE(rig.ViewColumn(ReceiverColumn::SerialNumber), listSorted);
            rig.ClickSection(ReceiverColumn::SerialNumber);
            std::reverse(listSorted.begin(), listSorted.end());
            QCOMPARE(rig.ViewColumn(ReceiverColumn::SerialNumber), listSorted);
        }
    }

    // Text columns sort in the proxy on keys read ahead; the rows must come out
    // exactly as a plain proxy orders them, ties (many equal types) included,
    // and also when the host left a key that is no text.
    void proxySortMatchesPlainProxy()
    {
        CRig rig(SSimWallConfig { 3, 8, 5, false, false });
        QVERIFY(rig.Show(QSize(1700, 400)));
        QSortFilterProxyModel plain;
        plain.setSortRole(ReceiverRole::SortKey);
        plain.setSourceModel(rig.Model());
        const auto order = [](const QSortFilterProxyModel* pProxy) {
            QVector<int> vec;
            for (int p = 0; p < pProxy->rowCount(); ++p)
                vec << pProxy->mapToSource(pProxy->index(p, 0)).row();
            return vec;
        };
        using namespace ReceiverColumn;
        for (const bool bForeignKey : { false, true }) {
            if (bForeignKey)
                Cell(rig.Model(), 3, Type)->setData(7, ReceiverRole::SortKey);
            for (const int nKey : { Type, Firmware, FailedModule, Temperature, Humidity, Voltage, Uptime }) {
                for (const Qt::SortOrder eOrder : { Qt::AscendingOrder, Qt::DescendingOrder }) {
                    rig.View()->SortByColumn(nKey, eOrder == Qt::AscendingOrder, true);
                    plain.sort(nKey, eOrder);
                    QCOMPARE(rig.Proxy()->sortColumn(), nKey);
                    QCOMPARE(order(rig.Proxy()), order(&plain));
                }
            }
        }
    }

    void sortMovesAnchor()
    {
        SHeaderRig rig(FourRows());
        QVERIFY(rig.bShown);
        rig.pWall->SetSelectedReceivers({ Address(0, 5), Address(1, 0) }); // R10, a1
        rig.pWall->SetSelectionDeviceId(rig.pWall->DeviceId());
        rig.Main()->UpdateShow();
        QCOMPARE(rig.CheckedRows(), 2);
        QVERIFY(!rig.View()->IsMultiCheck());
        QCOMPARE(rig.View()->GetAnchorRow(), -1);

        // The anchor moves to the first checked row in the new order. List
        // sorts rebuild the rows; the Qt sort leaves them where they are.
        const QList<QPair<int, QString>> listSteps = { { ReceiverColumn::SerialNumber, "a1" }, // a1 A1 R2 R10
                                                       { ReceiverColumn::SerialNumber, "R10" }, // R10 R2 A1 a1
                                                       { ReceiverColumn::Firmware, "R10" },     // R2 R10 A1 a1
                                                       { ReceiverColumn::Firmware, "a1" } };    // a1 A1 R10 R2
        for (const auto& step : listSteps) {
            rig.ClickSection(step.first);
            QCOMPARE(rig.View()->GetAnchorRow(), rig.SourceRowOf(step.second));
        }
        QCOMPARE(rig.Proxy()->sortColumn(), int(ReceiverColumn::Firmware));

        // Check all turns multi-check on; a sort then leaves the anchor alone.
        rig.ClickBox();
        QVERIFY(rig.View()->IsMultiCheck());
        QCOMPARE(rig.View()->GetAnchorRow(), -1);
        // A list sort drops the proxy's sort: the rows show the list order.
        rig.ClickSection(ReceiverColumn::SerialNumber);
        QCOMPARE(rig.Proxy()->sortColumn(), -1);
        QCOMPARE(rig.ViewColumn(ReceiverColumn::SerialNumber), (QStringList { "a1", "A1", "R2", "R10" }));
        QCOMPARE(rig.View()->GetAnchorRow(), -1);
    }

    void progressRecords_data()
    {
        QTest::addColumn<SProgressCase>("c");
        QTest::newRow("running") << SProgressCase { 1, 0, 0.456f, 2, 45, "45%" };
        QTest::newRow("running, over 100") << SProgressCase { 1, -3, 1.5f, 2, 100, "100%" };
        QTest::newRow("running, negative") << SProgressCase { 1, 0, -0.256f, 2, -25, "-25%" };
        QTest::newRow("failed") << SProgressCase { 2, -1, 0.5f, 3, 50, "Failed" };
        QTest::newRow("succeeded") << SProgressCase { 2, 0, 1.0f, 4, 100, "Succeeded" };
        QTest::newRow("succeeded, positive result") << SProgressCase { 2, 7, 0.3f, 4, 30, "Succeeded" };
        QTest::newRow("ended at 0%") << SProgressCase { 2, 0, 0.0f, 4, 0, "" };
        // 0.7f * 100 is 70 in single precision, 69.99... in double.
        QTest::newRow("stage 0") << SProgressCase { 0, -1, 0.7f, 0, 70, "" };
        QTest::newRow("stage 3") << SProgressCase { 3, 0, 0.2f, 0, 20, "" };
    }

    void progressRecords()
    {
        QFETCH(SProgressCase, c);
        SHeaderRig rig({ Receiver(0, 0, "M"), Receiver(0, 1, "N") });
        QVERIFY(rig.bShown);
        rig.ClickBox();
        QCOMPARE(rig.CheckedRows(), 2);

        rig.upgrade.vecMembers = { Address(0, 0) };
        rig.upgrade.mapAnswer[Address(0, 0)] = { c.nStage, c.nResult, c.fProgress };
        rig.Main()->ProgressBegin();
        const SRowProgressInfo member = rig.ProgressOf("M");
        QCOMPARE(member.nState, c.nState);
        QCOMPARE(member.nProgress, c.nPercent);
        QCOMPARE(member.strText, c.strText);
        const SRowProgressInfo other = rig.ProgressOf("N");
        QCOMPARE(QString("%1 %2 %3").arg(other.nState).arg(other.nProgress).arg(other.strText), QStringLiteral("0 0 N/A"));

        // A member at stage 1 loses its check mark and carries the upgrade mark.
        const CCell pMember = Cell(rig.Model(), rig.SourceRowOf("M"), 0);
        const CCell pOther = Cell(rig.Model(), rig.SourceRowOf("N"), 0);
        QCOMPARE(pMember->data(Qt::CheckStateRole).isValid(), c.nStage != 1);
        QCOMPARE(pMember->data(ReceiverRole::UpgradeMark).toBool(), c.nStage == 1);
        QCOMPARE(pOther->checkState(), Qt::Checked);
        QVERIFY(!pOther->data(ReceiverRole::UpgradeMark).toBool());
    }

    void progressCalls_data()
    {
        QTest::addColumn<bool>("bPortHidden");
        QTest::addColumn<int>("nMemberRows");
        QTest::addColumn<int>("nPortCalls");
        QTest::addColumn<QStringList>("listTexts");

        QTest::newRow("port shown") << false << 3 << 3 << QStringList { "Succeeded", "50%", "Failed", "N/A", "N/A" };
        // Without the Port column every row is on port 0: duplicates share a record.
        QTest::newRow("port hidden") << true << 5 << 1 << QStringList { "Succeeded", "50%", "Succeeded", "50%", "Succeeded" };
    }

    void progressCalls()
    {
        QFETCH(bool, bPortHidden);
        QFETCH(int, nMemberRows);
        QFETCH(int, nPortCalls);
        QFETCH(QStringList, listTexts);
        SHeaderRig rig({ Receiver(0, 0, "P"), Receiver(0, 1, "Q"), Receiver(1, 0, "R"), Receiver(1, 1, "S"), Receiver(2, 0, "T") }, bPortHidden);
        QVERIFY(rig.bShown);
        rig.upgrade.vecMembers = { Address(0, 0), Address(0, 1), Address(1, 0), Address(0, 0) };
        rig.upgrade.mapAnswer[Address(0, 0)] = { 2, 0, 1.0f };
        rig.upgrade.mapAnswer[Address(0, 1)] = { 1, 0, 0.5f };
        rig.upgrade.mapAnswer[Address(1, 0)] = { 2, -2, 0.4f };

        rig.pWall->ResetCallCounts();
        rig.Main()->ProgressChanged();
        QStringList listExpected { "Receivers" };
        for (int i = 0; i < nMemberRows; ++i)
            listExpected << "Result" << "Progress" << "Stage";
        QCOMPARE(rig.upgrade.listCalls, listExpected);
        QCOMPARE(rig.pWall->CallCount("GetPortAddress"), nPortCalls);
        QStringList listSeen;
        for (const char* pszSN : { "P", "Q", "R", "S", "T" })
            listSeen << rig.ProgressOf(pszSN).strText;
        QCOMPARE(listSeen, listTexts);
    }

    void progressRunDisablesHeader()
    {
        SHeaderRig rig(FourRows());
        QVERIFY(rig.bShown);
        CReceiverListHeader* pHeader = rig.Header();
        rig.ClickRow(0);
        rig.HoverRow(2);
        const CCell pHover = Cell(rig.Model(), rig.View()->GetHoverRow(), 0);
        QVERIFY(pHover->isCheckable());

        // The controller reports busy while it upgrades; the Filter icon follows that.
        rig.pWall->SetBusy(true);
        rig.Main()->ProgressBegin();
        QVERIFY(rig.Main()->IsProgressing());
        QCOMPARE(rig.Icons(), QStringLiteral("checkBox/indeterminateDisable filtrate/disable reset/disable"));
        // The hover box goes at the start of the run.
        QCOMPARE(rig.View()->GetHoverRow(), -1);
        QVERIFY(!pHover->isCheckable() && !pHover->data(Qt::CheckStateRole).isValid() && !pHover->data(ReceiverRole::Extra).toBool());

        // Every press is ignored and hovering changes no icon.
        QSignalSpy spyAll(pHeader, &CReceiverListHeader::SetAllChecked);
        QSignalSpy spyFilter(pHeader, &CReceiverListHeader::FiltrateClicked);
        QSignalSpy spySort(pHeader, &CReceiverListHeader::SortColumn);
        rig.pWall->ResetCallCounts();
        rig.ClickBox();
        rig.ClickFilter();
        rig.ClickReset();
        QCOMPARE(rig.Icons(), QStringLiteral("checkBox/indeterminateDisable filtrate/disable reset/disable"));
        rig.ClickSection(2);
        QCOMPARE(spyAll.count() + spyFilter.count() + spySort.count(), 0);
        QCOMPARE(rig.pWall->CallCount("ClearCableErrors"), 0);
        QCOMPARE(pHeader->GetSortColumn(), 0);
        QCOMPARE(pHeader->GetCheckBoxState(), int(Qt::PartiallyChecked));

        rig.pWall->SetBusy(false);
        rig.Main()->ProgressFinished();
        QVERIFY(!rig.Main()->IsProgressing());
        QCOMPARE(rig.Icons(), QStringLiteral("- filtrate/normal reset/normal"));
    }
};

QTEST_MAIN(TestHeaderSortProgress)
#include "tst_header_sort_progress.moc"
