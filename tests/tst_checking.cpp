// Checking receivers the way a user does: hovering rows, clicking their boxes,
// Ctrl and Shift gestures, the header's select-all box, the port popup and the
// service key sequence. After every gesture the check marks, the selection the
// runtime controller holds and the header's box have to agree.

#include "CCMMainView.h"
#include "CPortSelectWidget.h"
#include "CReceiverListHeader.h"
#include "CReceiverListView.h"
#include "CScrollArea.h"
#include "CSimWall.h"
#include "SReceiverRowInfo.h"

#include <QAbstractItemModelTester>
#include <QCursor>
#include <QLayout>
#include <QPushButton>
#include <QSortFilterProxyModel>
#include <QStandardItemModel>
#include <QtTest>

#include <functional>
#include <memory>

namespace
{
// Three ports of four receivers; sorted by port, view rows 0-3 are port 0,
// 4-7 port 1 and 8-11 port 2.
constexpr int s_nRows = 12;

SSimWallConfig WallConfig()
{
    SSimWallConfig config;
    config.nPortCount = 3;
    config.nReceiversPerPort = 4;
    config.nSeed = 7;
    return config;
}

QStringList Describe(const std::vector<SReceiverAddress>& vecAddresses)
{
    QStringList list;
    for (const SReceiverAddress& a : vecAddresses)
        list << QStringLiteral("%1.%2.%3.%4/%5").arg(a.nConnection).arg(a.nDevice).arg(a.nSenderCard).arg(a.nPort).arg(a.nPosition);
    return list;
}

// One host window over one simulated wall. The wall is installed before the
// view exists, as a host does: the port popup reads the device then.
class CSession
{
public:
    explicit CSession(const std::function<void(CSimWall&)>& fnPrepare = {})
        : pWall(std::make_unique<CSimWall>(WallConfig()))
    {
        if (fnPrepare)
            fnPrepare(*pWall);
        pWall->Install();
        pMain = std::make_unique<CCMMainView>();
        list = pMain->GetReceiverListView();
        new QAbstractItemModelTester(list->GetModel(), QAbstractItemModelTester::FailureReportingMode::QtTest, pMain.get());
        QObject::connect(pMain.get(), &CCMMainView::RcvSelectChanged, [this]() { ++nSelect; });
        QObject::connect(pMain.get(), &CCMMainView::SignalShowPack, [this](bool bShow) { listShowPack << bShow; });
        // The host must hear of the choice while the rows still show the old filter.
        QObject::connect(pMain.get(), &CCMMainView::SignalFiltrate, [this]() { listHiddenAtFiltrate << HiddenRows(); });
        QObject::connect(Popup(), &CPortSelectWidget::SignalClicked, [this]() { ++nPopupClosed; });
    }
    ~CSession()
    {
        pMain.reset();
        pWall->Uninstall();
    }

    bool Start()
    {
        // The cursor outlives every window: park it where none is, so the
        // first hover of this session is a real move.
        QCursor::setPos(799, 599);
        pMain->setGeometry(0, 0, 790, 560);
        pMain->show();
        if (!QTest::qWaitForWindowExposed(pMain.get()))
            return false;
        pMain->RefreshShow();
        Header()->viewport()->repaint(); // records the hit rectangles
        nSelect = 0;
        return Proxy()->rowCount() == s_nRows && !Header()->GetCheckRect().isNull();
    }

    CReceiverListHeader* Header() const { return list->GetHeader(); }
    QSortFilterProxyModel* Proxy() const { return list->GetProxyModel(); }
    CPortSelectWidget* Popup() const { return list->GetPortSelectWidget(); }
    QVariant Cell(int p, int nColumn, int nRole = Qt::UserRole) const { return Proxy()->index(p, nColumn).data(nRole); }

    int HiddenRows() const
    {
        int n = 0;
        for (int p = 0; p < s_nRows; ++p)
            n += list->isRowHidden(p, QModelIndex());
        return n;
    }

    // Per view row: 'x' checked, 'o' box shown unchecked, '.' no box,
    // '?' when box flag, checkable flag and check state disagree.
    QString Marks() const
    {
        QString str;
        for (int p = 0; p < Proxy()->rowCount(); ++p) {
            const QStandardItem* pItem = list->GetModel()->itemFromIndex(Proxy()->mapToSource(Proxy()->index(p, 0)));
            const QVariant varState = pItem->data(Qt::CheckStateRole);
            if (pItem->isCheckable() != pItem->data(ReceiverRole::Extra).toBool() || (!pItem->isCheckable() && varState.isValid()))
                str += QLatin1Char('?');
            else
                str += !pItem->isCheckable() ? QLatin1Char('.') : varState.toInt() == Qt::Checked ? QLatin1Char('x') : QLatin1Char('o');
        }
        return str;
    }

    // The checked receivers in view order, hidden rows included.
    QStringList CheckedAddresses() const
    {
        std::vector<SReceiverAddress> vec;
        for (int p = 0; p < Proxy()->rowCount(); ++p) {
            if (!Cell(p, 0, Qt::CheckStateRole).isValid() || Cell(p, 0, Qt::CheckStateRole).toInt() != Qt::Checked)
                continue;
            SReceiverAddress address;
            static_cast<SPortAddress&>(address) = pWall->OutputPortControl()->GetPortAddress(Cell(p, 0).toInt());
            address.nPosition = Cell(p, 1).toInt();
            vec.push_back(address);
        }
        return Describe(vec);
    }
    QStringList Reported() const { return Describe(pWall->GetSelectedReceivers()); }

    QPoint RowPoint(int p, int x = 200) const { return QPoint(x, list->visualRect(Proxy()->index(p, 0)).top() + 18); }
    // Below the last row, which every filter used here leaves visible.
    QPoint EmptyPoint() const { return RowPoint(s_nRows - 1) + QPoint(0, 36); }
    // A hand is never quite still: when rows moved under a resting cursor
    // (a filter), the next hover is a real move all the same.
    void Hover(const QPoint& pos)
    {
        if (QCursor::pos() == list->viewport()->mapToGlobal(pos))
            QTest::mouseMove(list->viewport(), pos + QPoint(1, 0));
        QTest::mouseMove(list->viewport(), pos);
    }
    void Click(const QPoint& pos, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        Hover(pos);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, modifiers, pos);
    }
    void ClickHeader(const QPoint& pos)
    {
        QTest::mouseMove(Header()->viewport(), pos);
        QTest::mouseClick(Header()->viewport(), Qt::LeftButton, Qt::NoModifier, pos);
    }

    bool OpenPopup()
    {
        ClickHeader(Header()->GetFilterRect().center());
        return Popup()->isVisible();
    }
    QList<QPushButton*> PopupButtons() const
    {
        QList<QPushButton*> listButtons;
        const QLayout* pLayout = Popup()->GetScrollArea()->widget()->layout();
        for (int i = 0; pLayout && i < pLayout->count(); ++i) {
            if (auto* pButton = qobject_cast<QPushButton*>(pLayout->itemAt(i)->widget()))
                listButtons << pButton;
        }
        return listButtons;
    }
    QStringList PopupEntries() const
    {
        QStringList listTexts;
        for (const QPushButton* pButton : PopupButtons())
            listTexts << pButton->text();
        return listTexts;
    }
    // An entry's text, "outside" (a click beside the popup) or "hide".
    void ClosePopup(const QString& strHow)
    {
        if (strHow == QLatin1String("hide"))
            Popup()->hide();
        else if (strHow == QLatin1String("outside"))
            QTest::mouseClick(Popup()->windowHandle(), Qt::LeftButton, Qt::NoModifier, QPoint(-30, -30));
        for (QPushButton* pButton : PopupButtons()) {
            if (pButton->text() == strHow)
                QTest::mouseClick(pButton, Qt::LeftButton);
        }
    }

    // Space-separated gestures on view rows: cN click, CN Ctrl-click, SN
    // Shift-click, bN click inside the box, hN hover, kN Ctrl-click without
    // hovering first, e / E click / Shift-click below the rows, A the header's
    // box, FN filter port N set by the host followed by its UpdateShow.
    void Run(const QString& strScript)
    {
        for (const QString& strStep : strScript.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
            const char c = strStep.at(0).toLatin1();
            const int n = strStep.mid(1).toInt();
            switch (c) {
            case 'c': Click(RowPoint(n)); break;
            case 'C': Click(RowPoint(n), Qt::ControlModifier); break;
            case 'S': Click(RowPoint(n), Qt::ShiftModifier); break;
            case 'b': Click(RowPoint(n, 25) - QPoint(0, 2)); break;
            case 'h': Hover(RowPoint(n)); break;
            case 'k': QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::ControlModifier, RowPoint(n)); break;
            case 'e': Click(EmptyPoint()); break;
            case 'E': Click(EmptyPoint(), Qt::ShiftModifier); break;
            case 'A': ClickHeader(Header()->GetCheckRect().center()); break;
            case 'F':
                pWall->SetFilterPort(n);
                pMain->UpdateShow();
                break;
            default: QFAIL(qPrintable(strStep));
            }
        }
    }

    std::unique_ptr<CSimWall> pWall;
    std::unique_ptr<CCMMainView> pMain;
    CReceiverListView* list = nullptr;
    int nSelect = 0;
    int nPopupClosed = 0;
    QList<bool> listShowPack;
    QList<int> listHiddenAtFiltrate;
};
}

// Marks, the controller's copy of the selection, the header's box and the
// number of reports must all agree with what the user did.
#define VERIFY_VIEW(s, marks, boxState, selects)                                 \
    do {                                                                         \
        QCOMPARE((s).Marks(), QString(marks));                                   \
        QCOMPARE((s).Reported(), (s).CheckedAddresses());                        \
        QCOMPARE((s).pWall->SelectionDeviceId(), (s).pWall->DeviceId());         \
        QCOMPARE((s).Header()->GetCheckBoxState(), int(boxState));               \
        QCOMPARE((s).nSelect, int(selects));                                     \
    } while (false)

class TestChecking : public QObject
{
    Q_OBJECT

private slots:
    void gestures_data();
    void gestures();
    void boxEdges_data();
    void boxEdges();
    void hoverShowsOneBox();
    void selectAllWithFilter();
    void closingPopup_data();
    void closingPopup();
    void popupHeights_data();
    void popupHeights();
    void popupRebuildsForAnotherDeviceOnly();
    void keySequence_data();
    void keySequence();
    void mouseIgnoredDuringUpgrade();
    void sessionKeepsSelectionInStep();
};

void TestChecking::gestures_data()
{
    QTest::addColumn<int>("sortSection");
    QTest::addColumn<QString>("script");
    QTest::addColumn<QString>("marks");
    QTest::addColumn<int>("box");
    QTest::addColumn<int>("selects");

    const int P = Qt::PartiallyChecked;
    const int U = Qt::Unchecked;
    QTest::newRow("plain click checks") << -1 << "c2" << "..x........." << P << 1;
    QTest::newRow("single mode moves the mark") << -1 << "c2 c5" << ".....x......" << P << 2;
    QTest::newRow("click on the anchor unchecks") << -1 << "c2 c2" << "..o........." << U << 2;
    QTest::newRow("box click adds") << -1 << "b2 c5" << "..x..x......" << P << 2;
    QTest::newRow("box click toggles off") << -1 << "b2 b2" << "..o........." << U << 2;
    QTest::newRow("ctrl click adds") << -1 << "C2 c5" << "..x..x......" << P << 2;
    QTest::newRow("ctrl toggles off") << -1 << "C2 C2" << "..o........." << U << 2;
    QTest::newRow("ctrl without hover shows the box") << -1 << "k3 c6" << "...x..x....." << P << 2;
    QTest::newRow("nothing checked is single mode again") << -1 << "C2 C2 c4 c6" << "......x....." << P << 4;
    QTest::newRow("shift range upwards") << -1 << "c5 S2" << "..xxxx......" << P << 2;
    QTest::newRow("shift range downwards") << -1 << "c2 S5" << "..xxxx......" << P << 2;
    QTest::newRow("shift after a range toggles") << -1 << "c5 S2 S7" << "..xxxx.x...." << P << 3;
    QTest::newRow("shift on the anchor toggles it") << -1 << "c5 S5" << ".....o......" << U << 2;
    QTest::newRow("shift without anchor is a plain click") << -1 << "S4" << "....x......." << P << 1;
    QTest::newRow("empty click without anchor") << -1 << "e" << "............" << U << 0;
    QTest::newRow("empty click with anchor") << -1 << "c3 e" << "...x........" << P << 1;
    QTest::newRow("shift on empty space ranges from row 0") << -1 << "c3 E" << "xxxx........" << P << 2;
    QTest::newRow("select all, then clicks toggle") << -1 << "A c5" << "xxxxxoxxxxxx" << P << 2;
    // A filter set by the host hides a checked row; it stays checked and
    // reported, and the box summarises the visible rows only.
    QTest::newRow("hidden mark stays reported") << -1 << "c1 F1 C5" << ".x...x......" << P << 2;
    QTest::newRow("hidden rows do not count") << -1 << "c1 F1 C4 C5 C6 C7" << ".x..xxxx...." << int(Qt::Checked) << 5;
    // Firmware is sorted by the proxy: view rows are no longer model rows.
    QTest::newRow("sorted: single mode moves the mark") << 4 << "c2 c5" << ".....x......" << P << 2;
    QTest::newRow("sorted: shift range in view order") << 4 << "c7 S3" << "...xxxxx...." << P << 2;
    QTest::newRow("sorted: shift on empty space") << 4 << "c3 E" << "xxxx........" << P << 2;
    QTest::newRow("sorted: ctrl adds") << 4 << "C9 C1" << ".x.......x.." << P << 2;
}

void TestChecking::gestures()
{
    QFETCH(int, sortSection);
    QFETCH(QString, script);
    CSession s;
    QVERIFY(s.Start());
    if (sortSection >= 0) {
        s.ClickHeader(QPoint(s.Header()->sectionViewportPosition(sortSection) + 40, 18));
        bool bReordered = false;
        for (int p = 0; p < s_nRows; ++p)
            bReordered |= s.Proxy()->mapToSource(s.Proxy()->index(p, 0)).row() != p;
        QVERIFY2(bReordered, "the sort left the view in model order; pick another column");
        QCOMPARE(s.nSelect, 0);
    }
    s.Run(script);
    QFETCH(QString, marks);
    QFETCH(int, box);
    QFETCH(int, selects);
    VERIFY_VIEW(s, marks, box, selects);
}

void TestChecking::boxEdges_data()
{
    QTest::addColumn<bool>("filtered");
    QTest::addColumn<QPoint>("pos");
    QTest::addColumn<bool>("inBox");

    // The third visible row spans y 72..107, its box x 15..36, y 78..99.
    for (const bool bFiltered : { false, true }) {
        const char* pszTag = bFiltered ? "filtered" : "all ports";
        auto row = [&](const char* pszWhere, QPoint pos, bool bIn) {
            QTest::addRow("%s, %s", pszTag, pszWhere) << bFiltered << pos << bIn;
        };
        row("x 14", QPoint(14, 88), false);
        row("x 15", QPoint(15, 88), true);
        row("x 36", QPoint(36, 88), true);
        row("x 37", QPoint(37, 88), false);
        row("y 77", QPoint(25, 77), false);
        row("y 78", QPoint(25, 78), true);
        row("y 99", QPoint(25, 99), true);
        row("y 100", QPoint(25, 100), false);
    }
}

void TestChecking::boxEdges()
{
    QFETCH(bool, filtered);
    QFETCH(QPoint, pos);
    QFETCH(bool, inBox);
    CSession s([filtered](CSimWall& wall) { wall.SetFilterPort(filtered ? 1 : -1); });
    QVERIFY(s.Start());
    const int nFirst = filtered ? 4 : 0;
    const int nThird = filtered ? 6 : 2;
    QCOMPARE(s.list->visualRect(s.Proxy()->index(nThird, 0)).top(), 72);

    // A plain click first: a hit on the box adds the row, a miss moves the mark.
    s.Run(QStringLiteral("c%1").arg(nFirst));
    s.Click(pos);
    QString strMarks(s_nRows, QLatin1Char('.'));
    strMarks[nThird] = QLatin1Char('x');
    if (inBox)
        strMarks[nFirst] = QLatin1Char('x');
    VERIFY_VIEW(s, strMarks, Qt::PartiallyChecked, 2);
}

void TestChecking::hoverShowsOneBox()
{
    CSession s;
    QVERIFY(s.Start());
    s.Run("h3");
    VERIFY_VIEW(s, "...o........", Qt::Unchecked, 0);
    QCOMPARE(s.list->GetHoverRow(), 3);
    s.Run("h5");
    VERIFY_VIEW(s, ".....o......", Qt::Unchecked, 0);
    s.Run("C5 h7");
    VERIFY_VIEW(s, ".....x.o....", Qt::PartiallyChecked, 1);

    // Entering the header or leaving the window takes the hover box away;
    // a checked row keeps its box.
    QTest::mouseMove(s.Header()->viewport(), QPoint(300, 18));
    VERIFY_VIEW(s, ".....x......", Qt::PartiallyChecked, 1);
    QCOMPARE(s.list->GetHoverRow(), -1);
    s.Run("h2");
    VERIFY_VIEW(s, "..o..x......", Qt::PartiallyChecked, 1);
    QTest::mouseMove(s.pMain.get(), QPoint(s.pMain->width() + 40, s.pMain->height() + 20));
    VERIFY_VIEW(s, ".....x......", Qt::PartiallyChecked, 1);
    QCOMPARE(s.list->GetHoverRow(), -1);
}

void TestChecking::selectAllWithFilter()
{
    CSession s([](CSimWall& wall) { wall.SetFilterPort(1); });
    QVERIFY(s.Start());
    QCOMPARE(s.HiddenRows(), 8);

    // Hidden rows end unchecked with their boxes shown; only port 1 is reported.
    s.pMain->SelectAll();
    VERIFY_VIEW(s, "ooooxxxxoooo", Qt::Checked, 1);
    QCOMPARE(s.Reported().size(), 4);

    // The summary counts visible rows only.
    s.Run("C6");
    VERIFY_VIEW(s, "....xxox....", Qt::PartiallyChecked, 2);
    s.Run("C6");
    VERIFY_VIEW(s, "....xxxx....", Qt::Checked, 3);

    // The header's box: checked -> uncheck all, unchecked -> check all visible.
    s.Run("A");
    VERIFY_VIEW(s, "............", Qt::Unchecked, 4);
    s.Run("A");
    VERIFY_VIEW(s, "ooooxxxxoooo", Qt::Checked, 5);
    s.Run("c5");
    VERIFY_VIEW(s, "....xoxx....", Qt::PartiallyChecked, 6);
}

void TestChecking::closingPopup_data()
{
    QTest::addColumn<int>("filterBefore");
    QTest::addColumn<QString>("setup");
    QTest::addColumn<QString>("close");
    QTest::addColumn<int>("filterAfter");
    QTest::addColumn<QString>("marks");
    QTest::addColumn<int>("selects");

    const QString strNone(s_nRows, QLatin1Char('.'));
    QTest::newRow("port chosen") << -1 << "" << "Port 2" << 1 << strNone << 0;
    QTest::newRow("other port chosen") << 2 << "" << "Port 1" << 0 << strNone << 0;
    QTest::newRow("all chosen") << 2 << "" << "All" << -1 << strNone << 0;
    QTest::newRow("click outside") << 2 << "" << "outside" << 2 << strNone << 0;
    QTest::newRow("hidden") << -1 << "" << "hide" << -1 << strNone << 0;
    // Any choice clears the marks unless the header's box reads unchecked.
    QTest::newRow("partially checked box") << -1 << "c1" << "Port 2" << 1 << strNone << 2;
    QTest::newRow("checked box") << -1 << "A" << "outside" << -1 << strNone << 2;
    QTest::newRow("unchecked box, hidden mark") << -1 << "c1 F1 C5 C5" << "All" << -1 << ".x.........." << 3;
}

void TestChecking::closingPopup()
{
    QFETCH(int, filterBefore);
    QFETCH(QString, setup);
    QFETCH(QString, close);
    QFETCH(int, filterAfter);
    CSession s([filterBefore](CSimWall& wall) { wall.SetFilterPort(filterBefore); });
    QVERIFY(s.Start());
    s.Run(setup);
    const int nHiddenBefore = s.HiddenRows();

    QVERIFY(s.OpenPopup());
    QCOMPARE(s.nPopupClosed, 0);
    s.ClosePopup(close);
    QVERIFY(!s.Popup()->isVisible());
    QCOMPARE(s.nPopupClosed, 1);
    QCOMPARE(s.pWall->FilterPort(), filterAfter);
    QCOMPARE(s.listHiddenAtFiltrate, QList<int>() << nHiddenBefore);
    for (int p = 0; p < s_nRows; ++p)
        QCOMPARE(s.list->isRowHidden(p, QModelIndex()), filterAfter != -1 && s.Cell(p, 0).toInt() != filterAfter);
    QCOMPARE(s.Header()->IsFilterDown(), filterAfter != -1);
    QFETCH(QString, marks);
    QFETCH(int, selects);
    VERIFY_VIEW(s, marks, Qt::Unchecked, selects);
}

void TestChecking::popupHeights_data()
{
    QTest::addColumn<int>("ports");
    QTest::addColumn<int>("areaHeight");

    QTest::newRow("no ports") << 0 << 32;
    QTest::newRow("one port") << 1 << 60;
    QTest::newRow("13 ports fit") << 13 << 396;
    QTest::newRow("14 ports scroll") << 14 << 404;
    QTest::newRow("40 ports scroll") << 40 << 404;
}

void TestChecking::popupHeights()
{
    QFETCH(int, ports);
    QFETCH(int, areaHeight);
    CSession s([ports](CSimWall& wall) { wall.SetPortCount(ports); });
    QVERIFY(s.Start());
    QVERIFY(s.OpenPopup());
    QCOMPARE(s.Popup()->GetScrollArea()->height(), areaHeight);
    QCOMPARE(s.Popup()->height(), areaHeight + 10);
    QStringList listExpected(QStringLiteral("All"));
    for (int n = 1; n <= ports; ++n)
        listExpected << QStringLiteral("Port %1").arg(n);
    QCOMPARE(s.PopupEntries(), listExpected);
    s.ClosePopup("hide");
    QCOMPARE(s.nPopupClosed, 1);
}

void TestChecking::popupRebuildsForAnotherDeviceOnly()
{
    CSession s;
    QVERIFY(s.Start());
    const QUuid idFirst = s.pWall->DeviceId();
    auto portEntries = [&s]() { return s.PopupEntries().size() - 1; };

    // Same device as at construction: the buttons of construction stay.
    s.pWall->SetPortCount(13);
    QVERIFY(s.OpenPopup());
    QCOMPARE(portEntries(), 3);
    QCOMPARE(s.Popup()->GetScrollArea()->height(), 116);
    s.ClosePopup("hide");

    // Another device: rebuilt at every showing.
    s.pWall->SetDeviceId(QUuid::createUuid());
    QVERIFY(s.OpenPopup());
    QCOMPARE(portEntries(), 13);
    QCOMPARE(s.Popup()->height(), 406);
    s.ClosePopup("hide");
    s.pWall->SetPortCount(2);
    QVERIFY(s.OpenPopup());
    QCOMPARE(s.PopupEntries(), QStringList() << "All" << "Port 1" << "Port 2");
    s.ClosePopup("hide");

    // Back on the first device: not rebuilt, whatever the port count says.
    s.pWall->SetDeviceId(idFirst);
    s.pWall->SetPortCount(5);
    QVERIFY(s.OpenPopup());
    QCOMPARE(portEntries(), 2);
    s.ClosePopup("hide");
    QCOMPARE(s.nPopupClosed, 4);
}

void TestChecking::keySequence_data()
{
    QTest::addColumn<QString>("keys");
    QTest::addColumn<int>("shown");

    // '|' hides and shows the window between two keys.
    QTest::newRow("sequence") << "159" << 1;
    QTest::newRow("twice") << "159159" << 2;
    QTest::newRow("first key twice") << "1159" << 0;
    QTest::newRow("first key thrice") << "11159" << 1;
    QTest::newRow("other key between") << "1x59" << 0;
    QTest::newRow("digit out of order") << "1959" << 0;
    QTest::newRow("second key first") << "5159" << 1;
    QTest::newRow("hidden after two keys") << "15|9" << 0;
    QTest::newRow("hidden before") << "|159" << 1;
}

void TestChecking::keySequence()
{
    QFETCH(QString, keys);
    QFETCH(int, shown);
    CSession s;
    QVERIFY(s.Start());
    for (const QChar c : keys) {
        if (c == QLatin1Char('|')) {
            s.pMain->hide();
            s.pMain->show();
            QVERIFY(QTest::qWaitForWindowExposed(s.pMain.get()));
        } else {
            QTest::keyClick(s.list, c.toLatin1());
        }
    }
    QCOMPARE(s.listShowPack, QVector<bool>(shown, true).toList());
    VERIFY_VIEW(s, "............", Qt::Unchecked, 0);
}

void TestChecking::mouseIgnoredDuringUpgrade()
{
    CSession s;
    QVERIFY(s.Start());
    s.Run("c6 h0");
    VERIFY_VIEW(s, "o.....x.....", Qt::PartiallyChecked, 1);

    // The receivers of view rows 0 and 1 take part in the upgrade.
    const QList<SReceiverInfo> listReceivers = s.pWall->Receivers();
    s.pWall->StartUpgrade({ listReceivers.at(0).address, listReceivers.at(1).address });
    s.pMain->ProgressBegin();
    QVERIFY(s.pMain->IsProgressing());
    QCOMPARE(s.list->GetHoverRow(), -1);
    VERIFY_VIEW(s, "......x.....", Qt::PartiallyChecked, 1);

    s.Run("h3 c3 b4 C5 S8 c6 e E A k2 C0 c1");
    VERIFY_VIEW(s, "......x.....", Qt::PartiallyChecked, 1);
    QCOMPARE(s.list->GetHoverRow(), -1);
}

void TestChecking::sessionKeepsSelectionInStep()
{
    CSession s;
    QVERIFY(s.Start());

    // Filter to the third port.
    QVERIFY(s.OpenPopup());
    s.ClosePopup("Port 3");
    QCOMPARE(s.listHiddenAtFiltrate, QList<int>() << 0);
    QCOMPARE(s.HiddenRows(), 8);
    VERIFY_VIEW(s, "............", Qt::Unchecked, 0);

    // Select all, and all again off.
    s.Run("A");
    VERIFY_VIEW(s, "ooooooooxxxx", Qt::Checked, 1);
    s.Run("A");
    VERIFY_VIEW(s, "............", Qt::Unchecked, 2);

    // Shift-extend from row 9 to the empty space below: the range starts at
    // row 0 and takes the rows the filter hides with it.
    s.Run("c9");
    VERIFY_VIEW(s, ".........x..", Qt::PartiallyChecked, 3);
    s.Run("E");
    VERIFY_VIEW(s, "xxxxxxxxxx..", Qt::PartiallyChecked, 4);

    // No visible row checked: the box reads unchecked.
    s.Run("C8 C9");
    VERIFY_VIEW(s, "xxxxxxxx.o..", Qt::Unchecked, 6);

    // Clearing the filter keeps the marks the box did not count.
    QVERIFY(s.OpenPopup());
    s.ClosePopup("All");
    QCOMPARE(s.listHiddenAtFiltrate, QList<int>() << 0 << 8);
    QCOMPARE(s.HiddenRows(), 0);
    VERIFY_VIEW(s, "xxxxxxxx....", Qt::Unchecked, 6);

    // A rebuild restores the stored selection, no more and no less.
    const QStringList listStored = s.Reported();
    s.list->RefreshShow(true, false);
    VERIFY_VIEW(s, "xxxxxxxx....", Qt::PartiallyChecked, 7);
    QCOMPARE(s.Reported(), listStored);

    // Still single mode: a click takes the mark from the first checked row.
    s.Run("c10");
    VERIFY_VIEW(s, ".xxxxxxx..x.", Qt::PartiallyChecked, 8);
}

QTEST_MAIN(TestChecking)
#include "tst_checking.moc"
