// Whether the view is told: after each step every cell whose data changed is
// covered by a change notice of the table model and of the proxy, and every
// row on screen whose painting changed is repainted. The cases aim at the
// places where a notice is cut to size (the rows on screen, the columns a row
// write touched, the range of a Shift click) and at the row an update writes.

#include "CMViewTestSupport.h"
#include "CNoticeRecorder.h"

#include <QScrollBar>

using namespace cmtest;

namespace
{
constexpr int c_nRowHeight = 36;

// Four ports of ten receivers; temperatures differ so that a Temperature sort
// moves rows.
QList<SReceiverInfo> Wall()
{
    QList<SReceiverInfo> list;
    for (int nPort = 0; nPort < 4; ++nPort) {
        for (int nPosition = 0; nPosition < 10; ++nPosition) {
            SReceiverInfo info = Receiver(nPort, nPosition);
            info.dTemperature = 20.0 + (nPort * 10 + nPosition) * 37 % 41;
            list << info;
        }
    }
    return list;
}

// A main view about ten rows high with a recorder on its table.
struct SNoticeRig : CRig
{
    explicit SNoticeRig(bool bPortHidden, const QList<SReceiverInfo>& listWall = Wall())
        : CRig(SSimWallConfig { 4, 10, 3, bPortHidden, false }, listWall)
    {
        bShown = Show(QSize(1500, 420));
        recorder.reset(new CNoticeRecorder(Model(), Proxy(), View()));
    }

    void ScrollTo(int nPixels) { View()->verticalScrollBar()->setValue(nPixels); }
    // The view row at the top edge of the viewport.
    int TopRow() const { return View()->indexAt(QPoint(1, 0)).row(); }
    int BottomRow() const { return View()->indexAt(QPoint(1, View()->viewport()->height() - 1)).row(); }

    // The receiver of view row p; its port is kept on the first cell when the
    // Port column is hidden.
    SReceiverAddress RealAddress(int p) const
    {
        const int nPort = Hidden() ? First(p).data(ReceiverRole::RealPort).toInt() : Item(p, ReceiverColumn::Port).data(ReceiverRole::SortKey).toInt();
        return Address(nPort, Item(p, ReceiverColumn::Position).data(ReceiverRole::SortKey).toInt());
    }
    int ViewRowOf(const SReceiverAddress& address) const
    {
        for (int p = 0; p < Proxy()->rowCount(); ++p)
            if (RealAddress(p) == address)
                return p;
        return -1;
    }
    // Rewrites the wall's receivers that view row p shows.
    void EditReceiver(int p, const std::function<void(SReceiverInfo&)>& fnEdit)
    {
        const QString strAddress = Describe({ RealAddress(p) }).constFirst();
        QList<SReceiverInfo> list = pWall->Receivers();
        for (SReceiverInfo& info : list) {
            if (Describe({ info.address }).constFirst() == strAddress)
                fnEdit(info);
        }
        pWall->SetReceivers(list);
    }
    void StoreSelection(const std::vector<SReceiverAddress>& vec)
    {
        pWall->SetSelectedReceivers(vec);
        pWall->SetSelectionDeviceId(pWall->DeviceId());
    }

    std::unique_ptr<CNoticeRecorder> recorder;
    bool bShown = false;
};

std::vector<SReceiverAddress> ViewRowAddresses(const SNoticeRig& rig, const QList<int>& listRows)
{
    std::vector<SReceiverAddress> vec;
    for (const int p : listRows)
        vec.push_back(rig.ViewAddress(p));
    return vec;
}

// A seeded walk over the steps a wall sees, the view told after each one.
// CMVIEW_NOTICE_SEED and CMVIEW_NOTICE_STEPS choose the walk.
class CNoticeWalk
{
public:
    CNoticeWalk(SNoticeRig& rig, quint64 nSeed)
        : m_rig(rig)
        , m_nState(nSeed)
    {
    }

    // Takes one step and names it.
    QString Step()
    {
        switch (Below(15)) {
        case 0: m_rig.Refresh(); return QStringLiteral("refresh");
        case 1: case 2: return Update();
        case 3: return PacketReRead();
        case 4: return Progress();
        case 5: case 6: return Click(Qt::NoModifier, false);
        case 7: return Click(Qt::ControlModifier, false);
        case 8: return Click(Qt::ShiftModifier, false);
        case 9: return Click(Qt::NoModifier, true);
        case 10:
            // Every mark at once with the model's signals blocked, then one repaint.
            m_rig.recorder->AllowSilent(0, { Qt::CheckStateRole });
            m_rig.Main()->SelectAll();
            return QStringLiteral("select all");
        case 11: return Filter();
        case 12: return Sort();
        case 13: return Scroll();
        default: return Hover();
        }
    }

private:
    // splitmix64: the same walk from the same seed everywhere.
    int Below(int n)
    {
        quint64 z = (m_nState += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return n > 0 ? int((z ^ (z >> 31)) % quint64(n)) : 0;
    }
    int ViewRows() const { return m_rig.Proxy()->rowCount(); }
    // A row on screen and not hidden, -1 when there is none.
    int RowOnScreen()
    {
        std::vector<int> vec;
        const QRect rectViewport = m_rig.View()->viewport()->rect();
        for (int p = 0; p < ViewRows(); ++p) {
            const QRect rect = m_rig.View()->visualRect(m_rig.Proxy()->index(p, 0));
            if (!m_rig.View()->isRowHidden(p, QModelIndex()) && rectViewport.contains(QPoint(30, rect.top() + 18)))
                vec.push_back(p);
        }
        return vec.empty() ? -1 : vec[size_t(Below(int(vec.size())))];
    }

    // New readings on some receivers, a host's edit on some cell, and now and
    // then a stored selection, then the host's update.
    QString Update()
    {
        QList<SReceiverInfo> list = m_rig.pWall->Receivers();
        for (int i = Below(6); i > 0 && !list.isEmpty(); --i) {
            SReceiverInfo& info = list[Below(int(list.size()))];
            info.dTemperature = Below(900) / 10.0;
            info.dHumidity = Below(100);
            info.nUptime = quint32(Below(100000));
            if (Below(3) == 0)
                info.strSerialNumber = "SN-" + std::to_string(Below(1000));
        }
        m_rig.pWall->SetReceivers(list);
        if (ViewRows() > 0 && Below(2) == 0)
            Cell(m_rig.Model(), Below(ViewRows()), Below(m_rig.Model()->columnCount())).setText(QStringLiteral("host"));
        if (ViewRows() > 0 && Below(3) == 0)
            m_rig.StoreSelection({ m_rig.ViewAddress(Below(ViewRows())), m_rig.ViewAddress(Below(ViewRows())) });
        m_rig.Main()->UpdateShow();
        return QStringLiteral("update");
    }
    QString PacketReRead()
    {
        QList<SReceiverInfo> list = m_rig.pWall->Receivers();
        for (int i = Below(8); i > 0 && !list.isEmpty(); --i)
            list[Below(int(list.size()))].nErrorPackets = quint32(Below(50));
        m_rig.pWall->SetReceivers(list);
        m_rig.View()->UpdatePacketCount();
        return QStringLiteral("packet re-read");
    }
    QString Progress()
    {
        // Members lose their check marks and get the upgrade mark with the
        // model's signals blocked; the Progress column is announced.
        m_rig.recorder->AllowSilent(0, { Qt::CheckStateRole, ReceiverRole::UpgradeMark });
        if (!m_rig.View()->IsProgressing()) {
            std::vector<SReceiverAddress> vec;
            for (int p = 0; p < ViewRows(); ++p)
                if (Below(3) == 0)
                    vec.push_back(m_rig.ViewAddress(p));
            m_rig.pWall->StartUpgrade(vec);
            m_rig.Main()->ProgressBegin();
            return QStringLiteral("progress begins, %1 members").arg(vec.size());
        }
        if (Below(4) == 0) {
            m_rig.Main()->ProgressFinished();
            return QStringLiteral("progress finished");
        }
        m_rig.pWall->StepUpgrade();
        m_rig.Main()->ProgressChanged();
        return QStringLiteral("progress changed");
    }
    QString Click(Qt::KeyboardModifiers modifiers, bool bBox)
    {
        const int p = RowOnScreen();
        if (p < 0)
            return QStringLiteral("no row to click");
        if (bBox) {
            CRig::Click(m_rig.View()->viewport(), m_rig.RowPoint(p, 25), modifiers);
        } else {
            // The hand comes from outside the row: a row click under a pointer
            // that already rests on the row repaints too little (checkOnRowUnderPointer).
            CRig::Move(m_rig.Main(), QPoint(m_rig.Main()->width() - 2, 2));
            m_rig.ClickRow(p, modifiers);
        }
        return QStringLiteral("%1click on view row %2, modifiers %3").arg(bBox ? "box " : "").arg(p).arg(int(modifiers), 0, 16);
    }
    QString Filter()
    {
        const int nPort = Below(5) - 1;
        const bool bClear = Below(2) == 0;
        m_rig.recorder->AllowSilent(0, { Qt::CheckStateRole }); // SelectAll(false) when it clears
        m_rig.pWall->SetFilterPort(nPort);
        m_rig.View()->FiltratePort(bClear);
        return QStringLiteral("filter port %1, clearing %2").arg(nPort).arg(bClear);
    }
    QString Sort()
    {
        const int nSection = Below(m_rig.Header()->count());
        m_rig.ClickSection(nSection);
        return QStringLiteral("sort by section %1").arg(nSection);
    }
    QString Scroll()
    {
        QScrollBar* pBar = m_rig.View()->verticalScrollBar();
        const int nValue = pBar->minimum() + Below(pBar->maximum() - pBar->minimum() + 1);
        pBar->setValue(nValue);
        return QStringLiteral("scroll to %1").arg(nValue);
    }
    QString Hover()
    {
        const int p = RowOnScreen();
        if (p < 0 || Below(4) == 0) {
            CRig::Move(m_rig.Main(), QPoint(m_rig.Main()->width() - 2, 2));
            return QStringLiteral("hover leaves the rows");
        }
        m_rig.HoverRow(p);
        return QStringLiteral("hover view row %1").arg(p);
    }

    SNoticeRig& m_rig;
    quint64 m_nState;
};
}

class TestNotices : public QObject
{
    Q_OBJECT

private slots:
    void shiftRange_data();
    void shiftRange();
    void packetReRead_data();
    void packetReRead();
    void rowWrites_data();
    void rowWrites();
    void updateWritesFirstOfEqualAddresses_data();
    void updateWritesFirstOfEqualAddresses();
    void checkOnRowUnderPointer_data();
    void checkOnRowUnderPointer();
    void randomSteps_data();
    void randomSteps();
};

void TestNotices::shiftRange_data()
{
    QTest::addColumn<bool>("bPortHidden");
    QTest::addColumn<int>("nSortKey"); // -1: the refresh's own order
    QTest::addColumn<int>("nScroll");
    QTest::addColumn<int>("nAnchor");
    QTest::addColumn<int>("nTarget");

    QTest::newRow("down") << false << -1 << 0 << 1 << 6;
    QTest::newRow("up") << false << -1 << 0 << 7 << 2;
    QTest::newRow("port hidden") << true << -1 << 0 << 0 << 8;
    QTest::newRow("scrolled") << false << -1 << 14 * c_nRowHeight + 10 << 16 << 20;
    QTest::newRow("proxy sort by temperature") << false << int(ReceiverColumn::Temperature) << 0 << 2 << 7;
    QTest::newRow("proxy sort, port hidden") << true << int(ReceiverColumn::Temperature) << 0 << 6 << 1;
}

// A Shift click checks the rows between the anchor and the clicked row; every
// one of them is announced and repainted, not only the first.
void TestNotices::shiftRange()
{
    QFETCH(bool, bPortHidden);
    QFETCH(int, nSortKey);
    QFETCH(int, nScroll);
    QFETCH(int, nAnchor);
    QFETCH(int, nTarget);
    SNoticeRig rig(bPortHidden);
    QVERIFY(rig.bShown);
    if (nSortKey >= 0) {
        rig.ClickSection(nSortKey - rig.Hidden());
        QCOMPARE(rig.Proxy()->sortColumn(), nSortKey - rig.Hidden());
    }
    rig.ScrollTo(nScroll);
    rig.ClickRow(nAnchor);
    QCOMPARE(rig.Checked().size(), 1);

    rig.recorder->Begin();
    rig.ClickRow(nTarget, Qt::ShiftModifier);
    rig.recorder->End();
    QCOMPARE(rig.Checked().size(), qAbs(nTarget - nAnchor) + 1);
    QVERIFY(rig.recorder->ChangedCellCount() >= qAbs(nTarget - nAnchor));
    QVERIFY2(rig.recorder->Problems().isEmpty(), qPrintable(rig.recorder->Problems()));
    QCOMPARE(rig.Reported(), rig.Checked());
}

void TestNotices::packetReRead_data()
{
    QTest::addColumn<bool>("bPortHidden");
    QTest::addColumn<int>("nSortKey");            // Type: a proxy sort that keeps the rows' order
    QTest::addColumn<int>("nScroll");
    QTest::addColumn<QList<int>>("listFromEdge"); // changed rows, ascending, counted from the edge row on screen
    QTest::addColumn<bool>("bBottom");            // the edge is the bottom row, not the top row

    const int T = ReceiverColumn::Type;
    QTest::newRow("top row and the one above") << false << T << 10 * c_nRowHeight << QList<int> { -1, 0 } << false;
    QTest::newRow("top two and the one above") << false << T << 10 * c_nRowHeight << QList<int> { -1, 0, 1 } << false;
    QTest::newRow("top row half shown") << false << T << 10 * c_nRowHeight + 20 << QList<int> { -1, 0 } << false;
    QTest::newRow("top rows, port hidden") << true << T << 5 * c_nRowHeight << QList<int> { -2, 0 } << false;
    QTest::newRow("bottom row and the one below") << false << T << 3 * c_nRowHeight << QList<int> { 0, 1 } << true;
    QTest::newRow("bottom two and the one below") << false << T << 3 * c_nRowHeight + 7 << QList<int> { -1, 0, 1 } << true;
    QTest::newRow("around the screen") << false << T << 12 * c_nRowHeight << QList<int> { -2, 12 } << false;
    QTest::newRow("above the screen only") << false << T << 12 * c_nRowHeight << QList<int> { -3, -1 } << false;
    QTest::newRow("below the screen only") << false << T << 2 * c_nRowHeight << QList<int> { 1, 4 } << true;
    QTest::newRow("first rows, not scrolled") << false << T << 0 << QList<int> { 0, 1 } << false;
    // A list sort re-sorts the row list at the re-read, and the view lays out anew.
    QTest::newRow("list sort, top row and the one above") << false << -1 << 10 * c_nRowHeight << QList<int> { -1, 0 } << false;
}

// The packet re-read after a Reset announces one range of rows in one column;
// the view passes on only the rows on screen, and must keep the edge rows.
void TestNotices::packetReRead()
{
    QFETCH(bool, bPortHidden);
    QFETCH(int, nSortKey);
    QFETCH(int, nScroll);
    QFETCH(QList<int>, listFromEdge);
    QFETCH(bool, bBottom);
    SNoticeRig rig(bPortHidden);
    QVERIFY(rig.bShown);
    if (nSortKey >= 0) {
        rig.ClickSection(nSortKey - rig.Hidden());
        QCOMPARE(rig.Proxy()->sortColumn(), nSortKey - rig.Hidden());
    }
    for (int p = 0; p < rig.Proxy()->rowCount(); ++p)
        QCOMPARE(rig.SourceRow(p), p); // one range of rows is one range on screen
    rig.ScrollTo(nScroll);
    QCoreApplication::processEvents();
    const int nEdge = bBottom ? rig.BottomRow() : rig.TopRow();
    QVERIFY(nEdge >= 0);
    const bool bOnScreen = nEdge + listFromEdge.constLast() >= rig.TopRow() && nEdge + listFromEdge.constFirst() <= rig.BottomRow();

    rig.recorder->Begin();
    for (const int nOffset : listFromEdge) {
        const int p = nEdge + nOffset;
        QVERIFY(p >= 0 && p < rig.Proxy()->rowCount());
        rig.EditReceiver(p, [p](SReceiverInfo& info) { info.nErrorPackets = quint32(p + 1); info.nTotalPackets = 1000; });
    }
    rig.View()->UpdatePacketCount();
    rig.recorder->End();
    QCOMPARE(rig.recorder->ChangedCellCount(), listFromEdge.size());
    QVERIFY2(rig.recorder->Problems().isEmpty(), qPrintable(rig.recorder->Problems()));
    if (!bOnScreen && nSortKey >= 0) // nothing to repaint: the notice is dropped whole
        QVERIFY2(rig.recorder->Painted().isEmpty(), qPrintable(CNoticeRecorder::Text(rig.recorder->Painted().boundingRect())));
}

void TestNotices::rowWrites_data()
{
    QTest::addColumn<bool>("bPortHidden");
    QTest::addColumn<int>("nEditKey");   // the column a host writes over, -1: none
    QTest::addColumn<bool>("bStore");     // the host stores a selection of rows 2 and 5
    QTest::addColumn<bool>("bHeaderSort"); // a header click on Position (a list sort) instead of an update

    QTest::newRow("first cell edited, update") << false << int(ReceiverColumn::Port) << false << false;
    QTest::newRow("first cell edited, port hidden") << true << int(ReceiverColumn::Position) << false << false;
    QTest::newRow("position edited, update") << false << int(ReceiverColumn::Position) << false << false;
    QTest::newRow("S/N edited, update") << false << int(ReceiverColumn::SerialNumber) << false << false;
    QTest::newRow("stored selection, update") << false << -1 << true << false;
    QTest::newRow("stored selection, port hidden") << true << -1 << true << false;
    QTest::newRow("first cell edited and stored, update") << false << int(ReceiverColumn::Port) << true << false;
    QTest::newRow("first cell edited, header sort") << false << int(ReceiverColumn::Port) << false << true;
    QTest::newRow("first cell edited, header sort, port hidden") << true << int(ReceiverColumn::Position) << false << true;
    QTest::newRow("uptime edited, header sort") << false << int(ReceiverColumn::Uptime) << false << true;
}

// A row write copies only the fields that changed and announces the columns it
// touched: a host's edit it writes over and a check mark it restores from the
// stored selection are changes of the row too.
void TestNotices::rowWrites()
{
    QFETCH(bool, bPortHidden);
    QFETCH(int, nEditKey);
    QFETCH(bool, bStore);
    QFETCH(bool, bHeaderSort);
    SNoticeRig rig(bPortHidden);
    QVERIFY(rig.bShown);
    const int nRow = rig.SourceRow(3);
    QString strOriginal;
    if (nEditKey >= 0) {
        const CCell cell = rig.Item(3, nEditKey);
        strOriginal = cell.text();
        cell.setText(QStringLiteral("edited by the host"));
        QCOMPARE(cell.text(), QStringLiteral("edited by the host"));
    }
    if (bStore)
        rig.StoreSelection(ViewRowAddresses(rig, { 2, 5 }));

    rig.recorder->Begin();
    if (bHeaderSort)
        rig.ClickSection(ReceiverColumn::Position - rig.Hidden());
    else
        rig.Main()->UpdateShow();
    rig.recorder->End();
    QVERIFY2(rig.recorder->Problems().isEmpty(), qPrintable(rig.recorder->Problems()));
    QVERIFY(rig.recorder->ChangedCellCount() > 0);
    if (nEditKey >= 0 && !bStore && !bHeaderSort)
        QCOMPARE(Cell(rig.Model(), nRow, nEditKey - rig.Hidden()).text(), strOriginal);
    if (bStore)
        QCOMPARE(rig.Checked(), Describe(ViewRowAddresses(rig, { 2, 5 })));
}

void TestNotices::updateWritesFirstOfEqualAddresses_data()
{
    QTest::addColumn<bool>("bPortHidden");
    QTest::addColumn<bool>("bFirmwareSort"); // descending: the later receiver shows first
    QTest::newRow("port shown") << false << false;
    QTest::newRow("port hidden") << true << false;
    QTest::newRow("proxy sort turns the pair round") << false << true;
}

// Two receivers on one address: the update finds the row of the first of them
// in view order and writes both records there; the other row keeps its values.
void TestNotices::updateWritesFirstOfEqualAddresses()
{
    QFETCH(bool, bPortHidden);
    QFETCH(bool, bFirmwareSort);
    QList<SReceiverInfo> list = Wall();
    list.insert(25, list.at(23)); // port 2, position 3, twice
    list[25].nVersionMajor = 4;
    SNoticeRig rig(bPortHidden, list);
    QVERIFY(rig.bShown);
    if (bFirmwareSort) {
        rig.ClickSection(ReceiverColumn::Firmware - rig.Hidden());
        rig.ClickSection(ReceiverColumn::Firmware - rig.Hidden());
        QCOMPARE(rig.Proxy()->sortOrder(), Qt::DescendingOrder);
    }
    std::vector<int> vecPair; // source rows, in view order
    for (int p = 0; p < rig.Proxy()->rowCount(); ++p)
        if (rig.RealAddress(p) == Address(2, 3))
            vecPair.push_back(rig.SourceRow(p));
    QCOMPARE(int(vecPair.size()), 2);
    QCOMPARE(vecPair[0] > vecPair[1], bFirmwareSort); // view order against model order
    const int nColumn = ReceiverColumn::Temperature - rig.Hidden();
    const QString strBefore = Cell(rig.Model(), vecPair[0], nColumn).text();
    QCOMPARE(Cell(rig.Model(), vecPair[1], nColumn).text(), strBefore);

    rig.EditReceiver(rig.ViewRowOf(Address(2, 3)), [](SReceiverInfo& info) { info.dTemperature = 71.0; });
    rig.recorder->Begin();
    rig.Main()->UpdateShow();
    rig.recorder->End();
    QCOMPARE(rig.Model()->rowCount(), list.size()); // updated in place, not rebuilt
    QVERIFY(Cell(rig.Model(), vecPair[0], nColumn).text() != strBefore);
    QCOMPARE(Cell(rig.Model(), vecPair[1], nColumn).text(), strBefore);
    QVERIFY2(rig.recorder->Problems().isEmpty(), qPrintable(rig.recorder->Problems()));
}

void TestNotices::checkOnRowUnderPointer_data()
{
    QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
    QTest::newRow("Ctrl-click") << Qt::KeyboardModifiers(Qt::ControlModifier);
    QTest::newRow("plain click on the anchor row") << Qt::KeyboardModifiers(Qt::NoModifier);
}

// A second click on the row under a resting pointer flips its mark, and with it
// the background drawn across the whole row.
void TestNotices::checkOnRowUnderPointer()
{
    QFETCH(Qt::KeyboardModifiers, modifiers);
    SNoticeRig rig(false);
    QVERIFY(rig.bShown);
    rig.ClickRow(4, modifiers);
    QCOMPARE(rig.Checked().size(), 1);
    rig.recorder->Begin();
    rig.ClickRow(4, modifiers);
    rig.recorder->End();
    QVERIFY(rig.Checked().isEmpty());
    QVERIFY2(rig.recorder->UnannouncedCells().isEmpty(), qPrintable(rig.recorder->Problems()));
    QVERIFY2(rig.recorder->UnpaintedRows().isEmpty(), qPrintable(rig.recorder->Problems()));
}

void TestNotices::randomSteps_data()
{
    QTest::addColumn<bool>("bPortHidden");
    QTest::newRow("port shown") << false;
    QTest::newRow("port hidden") << true;
}

// Any step of a random walk: every changed cell announced by both models,
// every changed row on screen repainted.
void TestNotices::randomSteps()
{
    QFETCH(bool, bPortHidden);
    bool bOk = false;
    quint64 nSeed = qEnvironmentVariable("CMVIEW_NOTICE_SEED").toULongLong(&bOk, 0);
    if (!bOk)
        nSeed = 20261206;
    int nSteps = qEnvironmentVariableIntValue("CMVIEW_NOTICE_STEPS", &bOk);
    if (!bOk || nSteps < 1)
        nSteps = 150;
    SNoticeRig rig(bPortHidden);
    QVERIFY(rig.bShown);
    CNoticeWalk walk(rig, nSeed + bPortHidden);
    QStringList listLog;
    for (int nStep = 0; nStep < nSteps; ++nStep) {
        rig.recorder->Begin();
        listLog << QStringLiteral("%1: %2").arg(nStep).arg(walk.Step());
        rig.recorder->End();
        while (listLog.size() > 8)
            listLog.removeFirst();
        const QString strProblems = rig.recorder->Problems();
        if (!strProblems.isEmpty())
            QFAIL(qPrintable(QStringLiteral("CMVIEW_NOTICE_SEED=%1, last steps:\n  %2\n%3").arg(nSeed).arg(listLog.join(QStringLiteral("\n  ")), strProblems)));
    }
}

QTEST_MAIN(TestNotices)
#include "tst_notices.moc"
