// The wall map beside the table: where its cells are and what colour they
// show, read back from the painted pixels; its gestures against the same
// gestures on the table; how it follows the table's changes, repainting only
// what changed; and its zoom. Every expected place, colour class and set of
// checked cards is worked out here from the simulated records (port,
// position, readings, limits), never from the map's own reckoning.

#include "CMViewTestSupport.h"

#include "CPortSelectWidget.h"
#include "CWallMapView.h"

#include <QScrollBar>
#include <QWheelEvent>

#include <algorithm>

using namespace cmtest;

namespace
{
using SCard = QPair<int, int>; // port, position

// Every card of the ports at 30 degrees, listed in port and position order or
// backwards (as some controllers list them); a gap can be left at (1, 3).
QList<SReceiverInfo> MapWall(int nPorts, int nPerPort, bool bBackwards, bool bGap)
{
    QList<SReceiverInfo> list;
    for (int nPort = 0; nPort < nPorts; ++nPort)
        for (int nPosition = 0; nPosition < nPerPort; ++nPosition)
            if (!bGap || nPort != 1 || nPosition != 3)
                list << Receiver(nPort, nPosition);
    if (bBackwards)
        std::reverse(list.begin(), list.end());
    return list;
}

SHealthLimits HotAt(double dTemperature)
{
    SHealthLimits limits;
    limits.optTemperatureHigh = dTemperature;
    return limits;
}

// Colour classes a reader of the map tells apart at a glance.
bool IsGreen(const QColor& c) { return c.green() > c.red() + 30 && c.green() > c.blue(); }
bool IsHot(const QColor& c) { return c.red() > c.green() + 30 && c.red() > c.blue() + 60; }
int Warmth(const QColor& c) { return c.red() - c.blue(); }

QStringList Sorted(QStringList list)
{
    list.sort();
    return list;
}
QString AddressText(const SCard& card) { return Describe({ Address(card.first, card.second) }).first(); }

struct SMapRig : CRig
{
    explicit SMapRig(const QList<SReceiverInfo>& listCards, bool bPortHidden = false, const QSize& sizeMap = QSize(460, 320),
                     const SSimWallConfig& config = {})
        : CRig(WallConfig(config, listCards, bPortHidden), listCards)
        , map(Main())
        , select(Main(), &CCMMainView::RcvSelectChanged)
    {
        bShown = Show(QSize(790, 560));
        map.setGeometry(QRect(QPoint(800, 0), sizeMap));
        map.show();
        bShown = bShown && QTest::qWaitForWindowExposed(&map);
        Settle();
        select.nCount = 0;
    }
    // A wall given by its records has as many ports as they use: the
    // controller answers for those ports only.
    static SSimWallConfig WallConfig(SSimWallConfig config, const QList<SReceiverInfo>& listCards, bool bPortHidden)
    {
        for (const SReceiverInfo& info : listCards) {
            config.nPortCount = qMax(config.nPortCount, info.address.nPort + 1);
            config.nReceiversPerPort = qMax(config.nReceiversPerPort, qMin(info.address.nPosition + 1, 256));
        }
        config.bPortHidden = bPortHidden;
        return config;
    }
    static void Settle()
    {
        for (int i = 0; i < 3; ++i)
            QCoreApplication::processEvents();
    }

    QImage Grab()
    {
        Settle();
        return map.viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    }
    static QColor Pixel(const QImage& image, const QPoint& pos) { return image.pixelColor(pos); }
    QColor Centre(const QImage& image, int nPort, int nPosition) const
    {
        return Pixel(image, map.CellRect(nPort, nPosition).center());
    }
    // The middle of the cell's top edge, where a check's outline runs.
    QPoint OutlinePoint(int nPort, int nPosition) const
    {
        const QRect rect = map.CellRect(nPort, nPosition);
        return QPoint(rect.center().x(), rect.top());
    }
    // A point of the viewport right of the longest line: never a cell.
    QColor Background(const QImage& image) const
    {
        return Pixel(image, QPoint(map.CellRectAt(0, map.ColumnCount()).center().x(), map.CellRectAt(0, 0).center().y()));
    }

    QList<SCard> Cards() const
    {
        QList<SCard> list;
        for (const SReceiverInfo& info : pWall->Receivers())
            list << SCard(info.address.nPort, info.address.nPosition);
        return list;
    }
    // The card's row in the table as the table shows it now.
    int ViewRowOf(int nPort, int nPosition) const
    {
        for (int r = 0; r < Model()->rowCount(); ++r)
            if (Model()->RecordPort(r) == nPort && Model()->RecordPosition(r) == nPosition)
                return Proxy()->mapFromSource(Model()->index(r, 0)).row();
        return -1;
    }
    void ClickCell(int nPort, int nPosition, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        Click(map.viewport(), map.CellRect(nPort, nPosition).center(), modifiers);
    }
    void ClickTableRow(int nPort, int nPosition, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        ClickRow(ViewRowOf(nPort, nPosition), modifiers);
    }
    void LeaveTable() { QTest::mouseMove(Main(), QPoint(Main()->width() + 40, Main()->height() + 20)); }
    void SetReadings(int nPort, int nPosition, double dTemperature)
    {
        QVERIFY(pWall->SetReadings(Cards().indexOf(SCard(nPort, nPosition)), dTemperature, 40.0, 5.0));
    }
    // What a host and the operator see of the checks, sorted.
    QString CheckState() const
    {
        return QStringLiteral("checked %1 | stored %2 | signals %3 | box %4")
            .arg(Sorted(Checked()).join(' '), Sorted(Reported()).join(' '))
            .arg(select.nCount)
            .arg(Header()->GetCheckBoxState());
    }

    CWallMapView map;
    CSignalCounter select;
    bool bShown = false;
};

// The cards between two, both included, in the order the wall runs: port by
// port, each port's string in order.
QStringList WallRange(const QList<SCard>& listCards, const SCard& from, const SCard& to)
{
    QList<SCard> listSorted = listCards;
    std::sort(listSorted.begin(), listSorted.end());
    std::vector<SReceiverAddress> vec;
    for (const SCard& card : listSorted)
        if (!(card < qMin(from, to)) && !(qMax(from, to) < card))
            vec.push_back(Address(card.first, card.second));
    return Sorted(Describe(vec));
}

// A gesture script: "C1.2" Ctrl-click, "S1.2" Shift-click on port 1,
// position 2; "t1.2" a plain click on its row in the table, which checks the
// card and sets the anchor (a plain click on the map only makes it current).
struct SGesture
{
    QChar chKind;
    int nPort;
    int nPosition;
};
QList<SGesture> Script(const QString& strScript)
{
    QList<SGesture> list;
    for (const QString& str : strScript.split(' ', Qt::SkipEmptyParts)) {
        const QStringList listParts = str.mid(1).split('.');
        list << SGesture { str[0], listParts.at(0).toInt(), listParts.at(1).toInt() };
    }
    return list;
}
}

class TestWallMap : public QObject
{
    Q_OBJECT

private slots:
    void cellsFollowTheRecords_data()
    {
        QTest::addColumn<bool>("bBackwards");
        QTest::addColumn<bool>("bPortHidden");
        QTest::newRow("listed in order") << false << false;
        QTest::newRow("listed backwards") << true << false;
        QTest::newRow("listed backwards, Port column hidden") << true << true;
    }

    // One line per port in port order and one cell per position in string
    // order, whatever order the controller lists them in and whether the
    // table shows the port; a missing card leaves background.
    void cellsFollowTheRecords()
    {
        QFETCH(bool, bBackwards);
        QFETCH(bool, bPortHidden);
        SMapRig rig(MapWall(3, 8, bBackwards, true), bPortHidden);
        QVERIFY(rig.bShown);
        QCOMPARE(rig.Hidden(), bPortHidden ? 1 : 0);
        QCOMPARE(rig.map.LineCount(), 3);
        QCOMPARE(rig.map.ColumnCount(), 8);
        for (int nLine = 0; nLine < 3; ++nLine)
            QCOMPARE(rig.map.LinePort(nLine), nLine);

        // A small wall fits without scrolling.
        const int nPitch = rig.map.CellSize();
        QVERIFY(nPitch >= 6 && rig.map.IsFitting());
        QCOMPARE(rig.map.horizontalScrollBar()->maximum() + rig.map.verticalScrollBar()->maximum(), 0);
        const QPoint ptOrigin = rig.map.CellRectAt(0, 0).topLeft();
        const QImage image = rig.Grab();
        const QColor colorBackground = rig.Background(image);
        for (const SCard& card : rig.Cards()) {
            const QRect rect = rig.map.CellRect(card.first, card.second);
            QCOMPARE(rect.topLeft() - ptOrigin, QPoint(card.second * nPitch, card.first * nPitch));
            QVERIFY(rect.width() >= nPitch - 1 && rect.width() <= nPitch && rect.height() == rect.width());
            QVERIFY(image.rect().contains(rect));
            const QColor color = rig.Centre(image, card.first, card.second);
            QVERIFY2(IsGreen(color), qPrintable(color.name()));
        }
        QVERIFY(rig.map.CellRect(1, 3).isEmpty());
        QCOMPARE(SMapRig::Pixel(image, rig.map.CellRectAt(1, 3).center()), colorBackground);
        QVERIFY(colorBackground != rig.Centre(image, 1, 2));
    }

    void cellColours_data()
    {
        QTest::addColumn<int>("eMeasure");
        QTest::addColumn<double>("dHot");         // the alarming card's temperature
        QTest::addColumn<quint32>("nHotErrors");  // its error packets of 100
        QTest::addColumn<bool>("bAlarm");         // whether it must read as an alarm
        QTest::newRow("health, too hot") << int(CWallMapView::MeasureHealth) << 50.0 << 0u << true;
        QTest::newRow("health, packet errors") << int(CWallMapView::MeasureHealth) << 30.0 << 5u << true;
        QTest::newRow("temperature, below the limit") << int(CWallMapView::MeasureTemperature) << 41.0 << 0u << false;
        QTest::newRow("temperature, past the limit") << int(CWallMapView::MeasureTemperature) << 55.0 << 0u << true;
        QTest::newRow("packet errors, 1%") << int(CWallMapView::MeasurePacketErrors) << 30.0 << 1u << true;
    }

    // Under each measure the alarming card (1, 2) reads warmer than a calm
    // card at 30 degrees without errors; past a limit it reads as an alarm.
    void cellColours()
    {
        QFETCH(int, eMeasure);
        QFETCH(double, dHot);
        QFETCH(quint32, nHotErrors);
        QFETCH(bool, bAlarm);
        QList<SReceiverInfo> list = MapWall(3, 8, false, false);
        list[8 + 2].dTemperature = dHot;
        list[8 + 2].nErrorPackets = nHotErrors;
        list[8 + 5].dTemperature = 22.0;
        SMapRig rig(list);
        QVERIFY(rig.bShown);
        rig.Main()->SetHealthLimits(HotAt(42.0));
        QSignalSpy spyMeasure(&rig.map, &CWallMapView::MeasureChanged);
        rig.map.SetMeasure(CWallMapView::EMeasure(eMeasure));
        QCOMPARE(spyMeasure.count(), eMeasure == CWallMapView::MeasureHealth ? 0 : 1);
        const QImage image = rig.Grab();
        const QColor colorHot = rig.Centre(image, 1, 2);
        const QColor colorCalm = rig.Centre(image, 0, 0);
        QVERIFY2(Warmth(colorHot) > Warmth(colorCalm), qPrintable(colorHot.name() + " vs " + colorCalm.name()));
        if (bAlarm)
            QVERIFY2(IsHot(colorHot), qPrintable(colorHot.name()));
        if (eMeasure == CWallMapView::MeasureHealth)
            QVERIFY2(IsGreen(colorCalm) && !IsHot(colorCalm), qPrintable(colorCalm.name()));
        if (eMeasure == CWallMapView::MeasureTemperature)
            QVERIFY(Warmth(rig.Centre(image, 1, 5)) < Warmth(colorCalm)); // 22 degrees: cooler still
    }

    void gesturesMatchTheTable_data()
    {
        QTest::addColumn<QString>("strScript");
        QTest::newRow("Ctrl-click one") << "C1.4";
        QTest::newRow("Ctrl-click two, one again") << "C0.2 C2.5 C0.2";
        QTest::newRow("Shift range across ports") << "t0.5 S1.2";
        QTest::newRow("Shift range back over a port") << "t2.6 S0.6";
        QTest::newRow("Shift on the anchor") << "t1.1 S1.1";
        QTest::newRow("Ctrl on the anchor, then Shift") << "C1.1 S1.1";
        QTest::newRow("Shift range, then Ctrl inside it") << "t0.6 S1.1 C0.7";
        QTest::newRow("Shift after Ctrl") << "C0.5 S1.2";
        QTest::newRow("Shift without an anchor") << "S1.1";
    }

    // The same gestures on the map and on the table (sorted by port, as the
    // map runs) leave the same checks, stored selection, signals and box;
    // on the map the checked cells, and only they, are outlined.
    void gesturesMatchTheTable()
    {
        QFETCH(QString, strScript);
        const auto run = [&strScript](bool bOnMap, QString& strState, QString& strOutlines) {
            SMapRig rig(MapWall(3, 8, false, false));
            QVERIFY(rig.bShown);
            for (const SGesture& g : Script(strScript)) {
                const Qt::KeyboardModifiers modifiers = g.chKind == 'C' ? Qt::ControlModifier
                    : g.chKind == 'S'                                 ? Qt::ShiftModifier
                                                                      : Qt::NoModifier;
                if (bOnMap && g.chKind != 't')
                    rig.ClickCell(g.nPort, g.nPosition, modifiers);
                else
                    rig.ClickTableRow(g.nPort, g.nPosition, modifiers);
            }
            rig.LeaveTable();
            strState = rig.CheckState();
            const QImage image = rig.Grab();
            const QStringList listChecked = rig.Checked();
            for (const SCard& card : rig.Cards()) {
                const bool bOutlined = SMapRig::Pixel(image, rig.OutlinePoint(card.first, card.second)) == Qt::white;
                const bool bChecked = listChecked.contains(AddressText(card));
                strOutlines += bOutlined != bChecked ? '?' : bChecked ? 'x' : '.';
                QVERIFY(IsGreen(rig.Centre(image, card.first, card.second)));
            }
        };
        QString strOnMap, strOnTable, strOutlinesOnMap, strOutlinesOnTable;
        run(true, strOnMap, strOutlinesOnMap);
        run(false, strOnTable, strOutlinesOnTable);
        QVERIFY2(!(strOutlinesOnMap + strOutlinesOnTable).contains('?'), qPrintable(strOutlinesOnMap + " " + strOutlinesOnTable));
        // A Shift-click that makes no range is a plain click in the table: it
        // checks the card, though on the map no hover showed its box first.
        QCOMPARE(strOnMap, strOnTable);
    }

    // A Shift range on the map runs line by line from the table's anchor,
    // skipping a missing card, while the table is sorted by temperature (a
    // range in its order would take other cards).
    void shiftRangeRunsInMapOrder()
    {
        QList<SReceiverInfo> list = MapWall(3, 8, true, true);
        for (int i = 0; i < list.size(); ++i)
            list[i].dTemperature = 20.0 + (i * 7) % 23;
        SMapRig rig(list);
        QVERIFY(rig.bShown);
        rig.View()->SortByColumn(ReceiverColumn::Temperature, true, true);
        const QStringList listExpected = WallRange(rig.Cards(), SCard(0, 5), SCard(1, 6));
        QCOMPARE(listExpected.size(), 9);
        const int p0 = rig.ViewRowOf(0, 5), p1 = rig.ViewRowOf(1, 6);
        QStringList listTableRange = rig.ViewAddresses().mid(qMin(p0, p1), qAbs(p1 - p0) + 1);
        QVERIFY(Sorted(listTableRange) != listExpected);

        rig.ClickTableRow(0, 5);
        rig.LeaveTable();
        rig.select.nCount = 0;
        rig.ClickCell(1, 6, Qt::ShiftModifier);
        QCOMPARE(Sorted(rig.Checked()), listExpected);
        QCOMPARE(Sorted(rig.Reported()), listExpected);
        QCOMPARE(rig.select.nCount, 1);
        // The range ended the anchor: a second Shift-click makes no new range.
        rig.ClickCell(2, 2, Qt::ShiftModifier);
        QVERIFY(!rig.Checked().contains(AddressText(SCard(2, 1))));
    }

    // A click makes the card the table's current row, in view; the keys move
    // it over the map and the table follows. No check changes.
    void clickAndKeysMoveTheCurrentCard()
    {
        SMapRig rig(MapWall(8, 24, true, false));
        QVERIFY(rig.bShown);
        const auto isCurrent = [&rig](int nPort, int nPosition) {
            const int p = rig.ViewRowOf(nPort, nPosition);
            const QRect rectRow = rig.View()->visualRect(rig.Proxy()->index(p, 0));
            return rig.Main()->CurrentRow() == p && rig.View()->viewport()->rect().intersects(rectRow);
        };
        rig.ClickCell(6, 10);
        QVERIFY(isCurrent(6, 10));
        rig.map.setFocus();
        const struct { Qt::Key eKey; int nPort; int nPosition; } arrSteps[] = {
            { Qt::Key_Right, 6, 11 }, { Qt::Key_Down, 7, 11 }, { Qt::Key_Down, 7, 11 }, { Qt::Key_Left, 7, 10 },
            { Qt::Key_Up, 6, 10 },    { Qt::Key_Home, 0, 0 },  { Qt::Key_Left, 0, 0 },  { Qt::Key_Up, 0, 0 },
            { Qt::Key_End, 7, 23 },   { Qt::Key_Right, 7, 23 },
        };
        for (const auto& step : arrSteps) {
            QTest::keyClick(&rig.map, step.eKey);
            QVERIFY2(isCurrent(step.nPort, step.nPosition), qPrintable(QStringLiteral("%1.%2").arg(step.nPort).arg(step.nPosition)));
        }
        QVERIFY(rig.Checked().isEmpty() && rig.Reported().isEmpty());
        QCOMPARE(rig.select.nCount, 0);
        // Space checks the current card as a Ctrl-click would, unless the host turned keyboard checking off.
        QTest::keyClick(&rig.map, Qt::Key_Space);
        QCOMPARE(rig.Reported(), QStringList(AddressText(SCard(7, 23))));
        rig.Main()->SetKeyboardChecking(false);
        QTest::keyClick(&rig.map, Qt::Key_Space);
        QCOMPARE(rig.Reported(), QStringList(AddressText(SCard(7, 23))));
    }

    // While an upgrade is shown no click acts; once it finishes they do again.
    void noClickDuringUpgrade()
    {
        SMapRig rig(MapWall(3, 8, false, false));
        QVERIFY(rig.bShown);
        CFakeUpgrade& upgrade = rig.FakeUpgrade();
        upgrade.vecMembers = { Address(0, 0) };
        upgrade.mapAnswer[Address(0, 0)] = CFakeUpgrade::SAnswer { 1, 0, 0.5f };
        rig.ClickCell(2, 2);
        rig.Main()->ProgressBegin();
        QVERIFY(rig.Main()->IsProgressing());
        const int nCurrent = rig.Main()->CurrentRow();
        const QString strBefore = rig.CheckState();
        rig.select.nCount = 0;
        rig.ClickCell(1, 1);
        rig.ClickCell(1, 2, Qt::ControlModifier);
        rig.ClickCell(2, 4, Qt::ShiftModifier);
        QCOMPARE(rig.Main()->CurrentRow(), nCurrent);
        QCOMPARE(rig.CheckState(), strBefore);
        QCOMPARE(rig.select.nCount, 0);

        rig.Main()->ProgressFinished();
        rig.ClickCell(1, 2, Qt::ControlModifier);
        QCOMPARE(rig.Reported(), QStringList(AddressText(SCard(1, 2))));
    }

    // Sorting does not move a pixel, the current card's frame and a check's
    // outline included; filters dim the cards they hide and leave the others
    // as they were; limits and updates recolour the cards they concern.
    void mapFollowsTheTable()
    {
        SMapRig rig(MapWall(3, 8, true, true));
        QVERIFY(rig.bShown);
        rig.Main()->SetHealthLimits(HotAt(42.0));
        rig.SetReadings(1, 2, 50.0);
        rig.Main()->UpdateShow();
        rig.ClickCell(2, 5);
        rig.ClickCell(0, 4, Qt::ControlModifier);
        const QPoint ptOutline = rig.OutlinePoint(0, 4);
        const QImage imageStart = rig.Grab();
        QVERIFY(IsHot(rig.Centre(imageStart, 1, 2)));
        QCOMPARE(SMapRig::Pixel(imageStart, ptOutline), QColor(Qt::white));

        for (const int nKey : { int(ReceiverColumn::Temperature), int(ReceiverColumn::SerialNumber), int(ReceiverColumn::Port) }) {
            rig.ClickSection(nKey - rig.Hidden());
            QCOMPARE(rig.Grab(), imageStart);
        }

        // Each filter against the cards the records say it hides.
        using FnHidden = std::function<bool(const SCard&)>;
        const auto checkDimmed = [&rig, &imageStart](const FnHidden& fnHidden) {
            const QImage image = rig.Grab();
            for (const SCard& card : rig.Cards()) {
                const QColor colorBefore = rig.Centre(imageStart, card.first, card.second);
                const QColor color = rig.Centre(image, card.first, card.second);
                if (!fnHidden(card)) {
                    if (color != colorBefore)
                        return QStringLiteral("%1.%2 changed").arg(card.first).arg(card.second);
                } else if (color.value() >= colorBefore.value() || color == rig.Background(image)) {
                    return QStringLiteral("%1.%2 not dimmed: %3").arg(card.first).arg(card.second).arg(color.name());
                }
            }
            return QString();
        };
        rig.Main()->SetStatusFilter(HealthTooHot);
        QCOMPARE(checkDimmed([](const SCard& card) { return card != SCard(1, 2); }), QString());
        // A card an update makes too hot comes out of the dimmed ones.
        rig.SetReadings(2, 6, 50.0);
        rig.Main()->UpdateShow();
        QImage image = rig.Grab();
        QVERIFY2(IsHot(rig.Centre(image, 2, 6)), qPrintable(rig.Centre(image, 2, 6).name()));
        QCOMPARE(rig.Centre(image, 2, 6), rig.Centre(image, 1, 2));
        rig.SetReadings(2, 6, 30.0);
        rig.Main()->UpdateShow();
        rig.Main()->SetStatusFilter(HealthNone);
        QCOMPARE(rig.Grab(), imageStart);
        rig.Main()->SetTextFilter(QStringLiteral("SN10"));
        QCOMPARE(checkDimmed([](const SCard& card) { return card.first != 1; }), QString());
        rig.Main()->SetTextFilter(QString());
        QCOMPARE(rig.Grab(), imageStart);

        // A lower limit makes every card too hot; none brings them back.
        rig.Main()->SetHealthLimits(HotAt(25.0));
        image = rig.Grab();
        for (const SCard& card : rig.Cards())
            QVERIFY(IsHot(rig.Centre(image, card.first, card.second)));
        rig.Main()->SetHealthLimits(HotAt(42.0));
        QCOMPARE(rig.Grab(), imageStart);

        rig.pWall->SetFilterPort(2);
        emit rig.View()->GetPortSelectWidget()->SignalClicked();
        QCOMPARE(checkDimmed([](const SCard& card) { return card.first != 2; }), QString());
        rig.pWall->SetFilterPort(-1);
        emit rig.View()->GetPortSelectWidget()->SignalClicked();

        // A refresh drops the checks and their outlines.
        rig.ClickCell(0, 4, Qt::ControlModifier);
        QCOMPARE(SMapRig::Pixel(rig.Grab(), ptOutline), QColor(Qt::white));
        rig.Main()->RefreshShow();
        QVERIFY(rig.Checked().isEmpty());
        image = rig.Grab();
        QCOMPARE(SMapRig::Pixel(image, ptOutline), rig.Centre(image, 0, 4));
    }

    void detectionsAddAndRemoveCells_data()
    {
        QTest::addColumn<int>("nChange");
        QTest::addColumn<bool>("bReset"); // seen by a Reset's detection, else by the host's updates
        QTest::newRow("plugged, update") << 1 << false;
        QTest::newRow("unplugged, update") << -1 << false;
        QTest::newRow("plugged, Reset") << 1 << true;
        QTest::newRow("unplugged, Reset") << -1 << true;
    }

    // A card plugged or unplugged on port 1 appears or leaves its cell once
    // the host's updates see it; every other card keeps its cell.
    void detectionsAddAndRemoveCells()
    {
        QFETCH(int, nChange);
        QFETCH(bool, bReset);
        SMapRig rig(QList<SReceiverInfo>(), false, QSize(460, 320), SSimWallConfig { 3, 6, 5, false, false });
        QVERIFY(rig.bShown);
        const QList<SCard> listBefore = rig.Cards();
        QMap<SCard, QRect> mapRects;
        for (const SCard& card : listBefore)
            mapRects[card] = rig.map.CellRect(card.first, card.second);
        nChange > 0 ? rig.pWall->PlugReceiver(1) : rig.pWall->UnplugReceiver(1);
        if (bReset) {
            rig.ClickReset();
            QVERIFY(rig.WaitForJobs());
        } else {
            rig.pWall->ApplyTopologyNow();
            // The first update collects the new list, the next one rebuilds.
            rig.Main()->UpdateShow();
            rig.Main()->UpdateShow();
        }
        const QList<SCard> listAfter = rig.Cards();
        QCOMPARE(listAfter.size(), listBefore.size() + nChange);
        QCOMPARE(rig.Model()->rowCount(), listAfter.size());

        const QImage image = rig.Grab();
        const QColor colorBackground = rig.Background(image);
        for (const SCard& card : listAfter) {
            const QRect rect = rig.map.CellRect(card.first, card.second);
            QVERIFY(!rect.isEmpty());
            QVERIFY(rig.Centre(image, card.first, card.second) != colorBackground);
            if (mapRects.contains(card))
                QCOMPARE(rect, mapRects.value(card));
        }
        for (const SCard& card : listBefore) {
            if (listAfter.contains(card))
                continue;
            QVERIFY(rig.map.CellRect(card.first, card.second).isEmpty());
            QCOMPARE(SMapRig::Pixel(image, mapRects.value(card).center()), colorBackground);
        }
    }

    void repaintsOnlyChangedCells_data()
    {
        QTest::addColumn<QString>("strChange");
        QTest::newRow("an update makes two cards of 192 too hot") << "update";
        QTest::newRow("a Ctrl-click checks a card") << "check";
        QTest::newRow("a key moves the current card") << "key";
    }

    // A change repaints the cells of the cards it concerns (with the reach of
    // the current card's frame) and nothing else of the viewport.
    void repaintsOnlyChangedCells()
    {
        QFETCH(QString, strChange);
        SMapRig rig(MapWall(8, 24, false, false));
        QVERIFY(rig.bShown);
        rig.ClickCell(0, 0);
        rig.Main()->SetHealthLimits(HotAt(42.0));
        rig.Grab();
        QList<SCard> listConcerned;
        if (strChange == QLatin1String("update")) {
            listConcerned = { SCard(2, 7), SCard(5, 20) };
            for (const SCard& card : listConcerned)
                rig.SetReadings(card.first, card.second, 60.0);
        } else if (strChange == QLatin1String("check")) {
            listConcerned = { SCard(3, 9) };
        } else {
            listConcerned = { SCard(0, 0), SCard(0, 1) };
        }
        QRegion regionAllowed;
        for (const SCard& card : listConcerned)
            regionAllowed += rig.map.CellRect(card.first, card.second).adjusted(-2, -2, 2, 2);

        CPaintRecorder recorder(rig.map.viewport());
        if (strChange == QLatin1String("update"))
            rig.Main()->UpdateShow();
        else if (strChange == QLatin1String("check"))
            rig.ClickCell(3, 9, Qt::ControlModifier);
        else
            QTest::keyClick(&rig.map, Qt::Key_Right);
        SMapRig::Settle();
        QVERIFY(recorder.nCount > 0);
        const QRect rect = (recorder.region - regionAllowed).boundingRect(); // painted beyond the cells concerned
        QCOMPARE(QList<int>({ rect.x(), rect.y(), rect.width(), rect.height() }), QList<int>({ 0, 0, 0, 0 }));
        if (strChange == QLatin1String("update")) {
            const QImage image = rig.Grab();
            for (const SCard& card : listConcerned)
                QVERIFY(IsHot(rig.Centre(image, card.first, card.second)));
        }
    }

    // Cards whose addresses collide or make no sense still each get a cell,
    // on their port's line, and the map stays as wide as the real string.
    void noCardIsLost()
    {
        QList<SReceiverInfo> list = MapWall(3, 8, false, false);
        list << Receiver(1, 2, QStringLiteral("DUP")) << Receiver(2, -1, QStringLiteral("NEG"))
             << Receiver(0, 1 << 30, QStringLiteral("FAR"));
        SMapRig rig(list);
        QVERIFY(rig.bShown);
        QCOMPARE(rig.map.LineCount(), 3);
        QVERIFY(rig.map.ColumnCount() >= 9 && rig.map.ColumnCount() <= 16);
        const QImage image = rig.Grab();
        const QColor colorBackground = rig.Background(image);
        QList<int> listPerLine;
        for (int nLine = 0; nLine < rig.map.LineCount(); ++nLine) {
            int nCells = 0;
            for (int nColumn = 0; nColumn < rig.map.ColumnCount(); ++nColumn)
                nCells += SMapRig::Pixel(image, rig.map.CellRectAt(nLine, nColumn).center()) != colorBackground;
            listPerLine << nCells;
        }
        QCOMPARE(listPerLine, QList<int>({ 9, 9, 9 }));
    }

    // A wall too big to fit keeps cells of at least the smallest size and
    // scrolls; zooming by call, by Ctrl+wheel and back to fit by Ctrl+0.
    void bigWallScrollsAndZooms()
    {
        SMapRig rig(QList<SReceiverInfo>(), false, QSize(460, 320), SSimWallConfig { 40, 120, 9, false, false });
        QVERIFY(rig.bShown);
        CWallMapView& map = rig.map;
        const int nFit = map.CellSize();
        QVERIFY(nFit >= CWallMapView::c_nMinCellSize);
        QVERIFY(map.horizontalScrollBar()->maximum() > 0);

        map.SetCellSize(12);
        QCOMPARE(map.CellSize(), 12);
        QVERIFY(!map.IsFitting());
        QCOMPARE(map.CellRectAt(0, 1).left() - map.CellRectAt(0, 0).left(), 12);
        for (const int nSize : { 1000, 1 }) {
            map.SetCellSize(nSize);
            QCOMPARE(map.CellSize(), nSize > 1 ? int(CWallMapView::c_nMaxCellSize) : int(CWallMapView::c_nMinCellSize));
        }
        map.SetCellSize(0);
        QVERIFY(map.IsFitting());
        QCOMPARE(map.CellSize(), nFit);

        const auto wheel = [&map](int nDelta, Qt::KeyboardModifiers modifiers) {
            const QPointF pos = map.viewport()->rect().center();
            QWheelEvent e(pos, map.viewport()->mapToGlobal(pos.toPoint()), QPoint(), QPoint(0, nDelta), Qt::NoButton,
                          modifiers, Qt::NoScrollPhase, false);
            QCoreApplication::sendEvent(map.viewport(), &e);
        };
        map.SetCellSize(10);
        wheel(120, Qt::ControlModifier);
        QVERIFY(map.CellSize() > 10);
        const int nZoomed = map.CellSize();
        wheel(-120, Qt::ControlModifier);
        QVERIFY(map.CellSize() < nZoomed);
        // Without Ctrl the wheel scrolls and leaves the size.
        const int nSize = map.CellSize();
        const int nScroll = map.verticalScrollBar()->value();
        wheel(-120, Qt::NoModifier);
        QCOMPARE(map.CellSize(), nSize);
        QVERIFY(map.verticalScrollBar()->value() > nScroll);
        QTest::keyClick(&map, Qt::Key_0, Qt::ControlModifier);
        QVERIFY(map.IsFitting());
        QCOMPARE(map.CellSize(), nFit);

        // Zoomed in, the map scrolls to the table's current card wherever it
        // is, and a click on the scrolled map finds the card under it.
        map.SetCellSize(16);
        rig.View()->setFocus();
        QTest::keyClick(rig.View(), Qt::Key_End);
        const int nRow = rig.SourceRow(rig.Main()->CurrentRow());
        const SCard last(rig.Model()->RecordPort(nRow), rig.Model()->RecordPosition(nRow));
        QVERIFY(map.horizontalScrollBar()->value() > 0 || map.verticalScrollBar()->value() > 0);
        QVERIFY(map.viewport()->rect().contains(map.CellRect(last.first, last.second)));
        const SCard neighbour(last.first == 0 ? 1 : last.first - 1, last.second);
        QVERIFY(map.viewport()->rect().contains(map.CellRect(neighbour.first, neighbour.second)));
        rig.ClickCell(neighbour.first, neighbour.second);
        QCOMPARE(rig.Main()->CurrentRow(), rig.ViewRowOf(neighbour.first, neighbour.second));
    }

    // Once its view is gone the map shows no card and ignores gestures.
    void viewDestroyed()
    {
        SMapRig rig(MapWall(3, 8, false, false));
        QVERIFY(rig.bShown);
        const QPoint ptCell = rig.map.CellRect(1, 1).center();
        rig.DestroyView();
        QVERIFY(!rig.map.View());
        QCOMPARE(rig.map.LineCount(), 0);
        QVERIFY(rig.map.CellRect(1, 1).isEmpty());
        CRig::Click(rig.map.viewport(), ptCell, Qt::ControlModifier);
        QTest::keyClick(&rig.map, Qt::Key_Down);
        const QImage image = rig.Grab();
        QCOMPARE(SMapRig::Pixel(image, ptCell), rig.Background(image));
    }
};

QTEST_MAIN(TestWallMap)
#include "tst_wallmap.moc"
