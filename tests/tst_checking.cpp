// Checking receivers the way a user does: hovering rows, clicking their boxes,
// Ctrl and Shift gestures, the header's select-all box, the port popup and the
// service key sequence. After every gesture the check marks, the selection the
// runtime controller holds and the header's box have to agree.

#include "CMViewTestSupport.h"

#include "CPortSelectWidget.h"
#include "CScrollArea.h"

#include <QLayout>
#include <QLineEdit>
#include <QPushButton>

using namespace cmtest;

namespace
{
// Three ports of four receivers; sorted by port, view rows 0-3 are port 0,
// 4-7 port 1 and 8-11 port 2.
constexpr int s_nRows = 12;

class CSession : public CRig
{
public:
    explicit CSession(const FnPrepare& fnPrepare = {})
        : CRig(SSimWallConfig { 3, 4, 7, false, false }, {}, fnPrepare)
        , select(Main(), &CCMMainView::RcvSelectChanged)
        , popupClosed(Popup(), &CPortSelectWidget::SignalClicked)
    {
        QObject::connect(Main(), &CCMMainView::SignalShowPack, &select, [this](bool bShow) { listShowPack << bShow; });
        // The host must hear of the choice while the rows still show the old filter.
        QObject::connect(Main(), &CCMMainView::SignalFiltrate, &select, [this]() { listHiddenAtFiltrate << HiddenRows(); });
        bShown = Show(QSize(790, 560)) && !Header()->GetCheckRect().isNull();
        select.nCount = 0;
    }

    CPortSelectWidget* Popup() const { return View()->GetPortSelectWidget(); }
    int HiddenRows() const
    {
        int n = 0;
        for (int p = 0; p < s_nRows; ++p)
            n += View()->isRowHidden(p, QModelIndex());
        return n;
    }

    // Per view row: 'x' checked, 'o' box shown unchecked, '.' no box,
    // '?' when box flag, checkable flag and check state disagree.
    QString Marks() const
    {
        QString str;
        for (int p = 0; p < Proxy()->rowCount(); ++p) {
            const CCell pItem = First(p);
            const QVariant varState = pItem->data(Qt::CheckStateRole);
            if (pItem->isCheckable() != pItem->data(ReceiverRole::Extra).toBool() || (!pItem->isCheckable() && varState.isValid()))
                str += '?';
            else
                str += !pItem->isCheckable() ? '.' : varState.toInt() == Qt::Checked ? 'x' : 'o';
        }
        return str;
    }

    QList<QPushButton*> PopupButtons() const
    {
        QList<QPushButton*> listButtons;
        const QLayout* pLayout = Popup()->GetScrollArea()->widget()->layout();
        for (int i = 0; pLayout && i < pLayout->count(); ++i)
            if (auto* pButton = qobject_cast<QPushButton*>(pLayout->itemAt(i)->widget()))
                listButtons << pButton;
        return listButtons;
    }
    QStringList PopupEntries() const
    {
        QStringList listTexts;
        for (const QPushButton* pButton : PopupButtons())
            listTexts << pButton->text();
        return listTexts;
    }
    bool OpenPopup()
    {
        ClickFilter();
        return Popup()->isVisible();
    }
    // An entry's text, "outside" (a click beside the popup) or "hide".
    void ClosePopup(const QString& strHow)
    {
        if (strHow == QLatin1String("hide"))
            Popup()->hide();
        else if (strHow == QLatin1String("outside"))
            QTest::mouseClick(Popup()->windowHandle(), Qt::LeftButton, Qt::NoModifier, QPoint(-30, -30));
        for (QPushButton* pButton : PopupButtons())
            if (pButton->text() == strHow)
                QTest::mouseClick(pButton, Qt::LeftButton);
    }

    // Space-separated gestures on view rows: cN click, CN Ctrl-click, SN
    // Shift-click, bN click inside the box, hN hover, kN Ctrl-click without
    // hovering first, e / E click / Shift-click below the rows (which every
    // filter used here leaves visible), A the header's box, H the pointer into
    // the header, L out of the window. Host calls: FN filter port N followed
    // by UpdateShow, a SelectAll, U an upgrade of view rows 0 and 1 begins,
    // R the receivers of view rows 2, 5 and 8 stored as the selection and reloaded.
    void Run(const QString& strScript)
    {
        const QPoint posEmpty = RowPoint(s_nRows - 1) + QPoint(0, 36);
        for (const QString& strStep : strScript.split(' ', Qt::SkipEmptyParts)) {
            const int n = strStep.mid(1).toInt();
            switch (strStep.at(0).toLatin1()) {
            case 'c': ClickRow(n); break;
            case 'C': ClickRow(n, Qt::ControlModifier); break;
            case 'S': ClickRow(n, Qt::ShiftModifier); break;
            case 'b': Click(View()->viewport(), RowPoint(n, 25) - QPoint(0, 2)); break;
            case 'h': HoverRow(n); break;
            case 'k': QTest::mouseClick(View()->viewport(), Qt::LeftButton, Qt::ControlModifier, RowPoint(n)); break;
            case 'e': Click(View()->viewport(), posEmpty); break;
            case 'E': Click(View()->viewport(), posEmpty, Qt::ShiftModifier); break;
            case 'A': ClickBox(); break;
            case 'H': MoveHeader(QPoint(300, 18)); break;
            case 'L': QTest::mouseMove(Main(), QPoint(Main()->width() + 40, Main()->height() + 20)); break;
            case 'F':
                pWall->SetFilterPort(n);
                Main()->UpdateShow();
                break;
            case 'a': Main()->SelectAll(); break;
            case 'R':
                pWall->SetSelectedReceivers({ ViewAddress(2), ViewAddress(5), ViewAddress(8) });
                View()->RefreshShow(true, false);
                break;
            case 'U':
                pWall->StartUpgrade({ ViewAddress(0), ViewAddress(1) });
                Main()->ProgressBegin();
                break;
            default: QFAIL(qPrintable(strStep));
            }
        }
    }

    CSignalCounter select;
    CSignalCounter popupClosed;
    QList<bool> listShowPack;
    QList<int> listHiddenAtFiltrate;
    bool bShown = false;
};
}

struct SGesture { int nSortSection; QString strScript, strMarks; int nBox, nSelects; };
struct SClosing { int nFilterBefore; QString strSetup, strClose; int nFilterAfter; QString strMarks; int nSelects; };
Q_DECLARE_METATYPE(SGesture)
Q_DECLARE_METATYPE(SClosing)

// Marks, the controller's copy of the selection, the header's box and the
// number of reports must all agree with what the user did.
#define VERIFY_VIEW(s, marks, boxState, selects)                         \
    do {                                                                 \
        QCOMPARE((s).Marks(), QString(marks));                           \
        QCOMPARE((s).Reported(), (s).Checked());                         \
        QCOMPARE((s).pWall->SelectionDeviceId(), (s).pWall->DeviceId()); \
        QCOMPARE((s).Header()->GetCheckBoxState(), int(boxState));       \
        QCOMPARE((s).select.nCount, int(selects));                       \
    } while (false)

class TestChecking : public QObject
{
    Q_OBJECT

private slots:
    void gestures_data()
    {
        QTest::addColumn<SGesture>("c");
        const int P = Qt::PartiallyChecked, U = Qt::Unchecked, C = Qt::Checked;
        QTest::newRow("plain click checks") << SGesture { -1, "c2", "..x.........", P, 1 };
        QTest::newRow("single mode moves the mark") << SGesture { -1, "c2 c5", ".....x......", P, 2 };
        QTest::newRow("click on the anchor unchecks") << SGesture { -1, "c2 c2", "..o.........", U, 2 };
        QTest::newRow("box click adds") << SGesture { -1, "b2 c5", "..x..x......", P, 2 };
        QTest::newRow("box click toggles off") << SGesture { -1, "b2 b2", "..o.........", U, 2 };
        QTest::newRow("ctrl click adds") << SGesture { -1, "C2 c5", "..x..x......", P, 2 };
        QTest::newRow("ctrl toggles off") << SGesture { -1, "C2 C2", "..o.........", U, 2 };
        QTest::newRow("ctrl without hover shows the box") << SGesture { -1, "k3 c6", "...x..x.....", P, 2 };
        QTest::newRow("nothing checked is single mode again") << SGesture { -1, "C2 C2 c4 c6", "......x.....", P, 4 };
        QTest::newRow("shift range upwards") << SGesture { -1, "c5 S2", "..xxxx......", P, 2 };
        QTest::newRow("shift range downwards") << SGesture { -1, "c2 S5", "..xxxx......", P, 2 };
        QTest::newRow("shift after a range toggles") << SGesture { -1, "c5 S2 S7", "..xxxx.x....", P, 3 };
        QTest::newRow("shift on the anchor toggles it") << SGesture { -1, "c5 S5", ".....o......", U, 2 };
        QTest::newRow("shift without anchor is a plain click") << SGesture { -1, "S4", "....x.......", P, 1 };
        QTest::newRow("empty click without anchor") << SGesture { -1, "e", "............", U, 0 };
        QTest::newRow("empty click with anchor") << SGesture { -1, "c3 e", "...x........", P, 1 };
        QTest::newRow("shift on empty space ranges from row 0") << SGesture { -1, "c3 E", "xxxx........", P, 2 };
        QTest::newRow("select all, then clicks toggle") << SGesture { -1, "A c5", "xxxxxoxxxxxx", P, 2 };
        // A filter set by the host hides a checked row; it stays checked and
        // reported, and the box summarises the visible rows only.
        QTest::newRow("hidden mark stays reported") << SGesture { -1, "c1 F1 C5", ".x...x......", P, 2 };
        QTest::newRow("hidden rows do not count") << SGesture { -1, "c1 F1 C4 C5 C6 C7", ".x..xxxx....", C, 5 };
        QTest::newRow("filtered: shift range takes hidden rows") << SGesture { -1, "F2 c9 E", "xxxxxxxxxx..", P, 2 };
        QTest::newRow("filtered: no visible mark reads unchecked") << SGesture { -1, "F2 c9 E C8 C9", "xxxxxxxx.o..", U, 4 };
        // Single mode after a range: a click takes the mark from the first checked row only.
        QTest::newRow("single mode after a range") << SGesture { -1, "F2 c9 E C8 C9 F-1 c10", ".xxxxxxx..x.", P, 5 };
        // One hover box at a time; the header or leaving the window takes it away, a checked row keeps its box.
        QTest::newRow("hover shows a box") << SGesture { -1, "h3", "...o........", U, 0 };
        QTest::newRow("hover moves the box") << SGesture { -1, "h3 h5", ".....o......", U, 0 };
        QTest::newRow("hover beside a checked row") << SGesture { -1, "C5 h7", ".....x.o....", P, 1 };
        QTest::newRow("header takes the hover box") << SGesture { -1, "C5 h7 H", ".....x......", P, 1 };
        QTest::newRow("hover after the header") << SGesture { -1, "C5 h7 H h2", "..o..x......", P, 1 };
        QTest::newRow("leaving takes the hover box") << SGesture { -1, "C5 h7 H h2 L", ".....x......", P, 1 };
        // Select all with a filter: hidden rows end unchecked, boxes shown; the box counts visible rows only.
        QTest::newRow("select all, filtered") << SGesture { -1, "F1 a", "ooooxxxxoooo", C, 1 };
        QTest::newRow("select all, filtered, one off") << SGesture { -1, "F1 a C6", "....xxox....", P, 2 };
        QTest::newRow("select all, filtered, back on") << SGesture { -1, "F1 a C6 C6", "....xxxx....", C, 3 };
        QTest::newRow("header box, checked: uncheck all") << SGesture { -1, "F1 a C6 C6 A", "............", U, 4 };
        QTest::newRow("header box, unchecked: check visible") << SGesture { -1, "F1 a C6 C6 A A", "ooooxxxxoooo", C, 5 };
        QTest::newRow("header box, then a click") << SGesture { -1, "F1 a C6 C6 A A c5", "....xoxx....", P, 6 };
        // While an upgrade runs the mouse changes nothing; its members lose marks and the hover box.
        QTest::newRow("upgrade begins") << SGesture { -1, "c6 h0 U", "......x.....", P, 1 };
        QTest::newRow("gestures during an upgrade") << SGesture { -1, "c6 h0 U h3 c3 b4 C5 S8 c6 e E A k2 C0 c1", "......x.....", P, 1 };
        // Firmware is sorted by the proxy: view rows are no longer model rows.
        QTest::newRow("sorted: single mode moves the mark") << SGesture { 4, "c2 c5", ".....x......", P, 2 };
        QTest::newRow("sorted: shift range in view order") << SGesture { 4, "c7 S3", "...xxxxx....", P, 2 };
        QTest::newRow("sorted: shift on empty space") << SGesture { 4, "c3 E", "xxxx........", P, 2 };
        // Restored marks leave no anchor: a click takes the mark from the first checked row in view order.
        QTest::newRow("sorted: restored, then a click") << SGesture { 4, "R c7", ".....x.xx...", P, 2 };
        QTest::newRow("sorted: ctrl adds") << SGesture { 4, "C9 C1", ".x.......x..", P, 2 };
    }

    void gestures()
    {
        QFETCH(SGesture, c);
        CSession s;
        QVERIFY(s.bShown);
        if (c.nSortSection >= 0) {
            s.ClickSection(c.nSortSection);
            bool bReordered = false;
            for (int p = 0; p < s_nRows; ++p)
                bReordered |= s.SourceRow(p) != p;
            QVERIFY2(bReordered, "the sort left the view in model order; pick another column");
            QCOMPARE(s.select.nCount, 0);
        }
        s.Run(c.strScript);
        VERIFY_VIEW(s, c.strMarks, c.nBox, c.nSelects);
    }

    void boxEdges_data()
    {
        QTest::addColumn<bool>("filtered");
        QTest::addColumn<QPoint>("pos");
        QTest::addColumn<bool>("inBox");

        // The third visible row spans y 72..107, its box x 15..36, y 78..99.
        for (const bool bFiltered : { false, true }) {
            const char* pszTag = bFiltered ? "filtered" : "all ports";
            const QList<QPair<QPoint, bool>> listPoints = { { { 14, 88 }, false }, { { 15, 88 }, true }, { { 36, 88 }, true },
                                                            { { 37, 88 }, false }, { { 25, 77 }, false }, { { 25, 78 }, true },
                                                            { { 25, 99 }, true }, { { 25, 100 }, false } };
            for (const auto& point : listPoints)
                QTest::addRow("%s, (%d, %d)", pszTag, point.first.x(), point.first.y()) << bFiltered << point.first << point.second;
        }
    }

    void boxEdges()
    {
        QFETCH(bool, filtered);
        QFETCH(QPoint, pos);
        QFETCH(bool, inBox);
        CSession s([filtered](CSimWall& wall) { wall.SetFilterPort(filtered ? 1 : -1); });
        QVERIFY(s.bShown);
        const int nFirst = filtered ? 4 : 0;
        const int nThird = filtered ? 6 : 2;
        QCOMPARE(s.View()->visualRect(s.Proxy()->index(nThird, 0)).top(), 72);

        // A plain click first: a hit on the box adds the row, a miss moves the mark.
        s.Run(QStringLiteral("c%1").arg(nFirst));
        CRig::Click(s.View()->viewport(), pos);
        QString strMarks(s_nRows, '.');
        strMarks[nThird] = 'x';
        if (inBox)
            strMarks[nFirst] = 'x';
        VERIFY_VIEW(s, strMarks, Qt::PartiallyChecked, 2);
    }

    void closingPopup_data()
    {
        QTest::addColumn<SClosing>("c");
        const QString strNone(s_nRows, '.');
        QTest::newRow("port chosen") << SClosing { -1, "", "Port 2", 1, strNone, 0 };
        QTest::newRow("other port chosen") << SClosing { 2, "", "Port 1", 0, strNone, 0 };
        QTest::newRow("all chosen") << SClosing { 2, "", "All", -1, strNone, 0 };
        QTest::newRow("click outside") << SClosing { 2, "", "outside", 2, strNone, 0 };
        QTest::newRow("hidden") << SClosing { -1, "", "hide", -1, strNone, 0 };
        // Any choice clears the marks unless the header's box reads unchecked.
        QTest::newRow("partially checked box") << SClosing { -1, "c1", "Port 2", 1, strNone, 2 };
        QTest::newRow("checked box") << SClosing { -1, "A", "outside", -1, strNone, 2 };
        QTest::newRow("unchecked box, hidden mark") << SClosing { -1, "c1 F1 C5 C5", "All", -1, ".x..........", 3 };
    }

    void closingPopup()
    {
        QFETCH(SClosing, c);
        CSession s([&c](CSimWall& wall) { wall.SetFilterPort(c.nFilterBefore); });
        QVERIFY(s.bShown);
        s.Run(c.strSetup);
        const int nHiddenBefore = s.HiddenRows();

        QVERIFY(s.OpenPopup());
        QCOMPARE(s.popupClosed.nCount, 0);
        s.ClosePopup(c.strClose);
        QVERIFY(!s.Popup()->isVisible());
        QCOMPARE(s.popupClosed.nCount, 1);
        QCOMPARE(s.pWall->FilterPort(), c.nFilterAfter);
        QCOMPARE(s.listHiddenAtFiltrate, QList<int>() << nHiddenBefore);
        for (int p = 0; p < s_nRows; ++p)
            QCOMPARE(s.View()->isRowHidden(p, QModelIndex()), c.nFilterAfter != -1 && s.Item(p, ReceiverColumn::Port)->data(ReceiverRole::SortKey).toInt() != c.nFilterAfter);
        QCOMPARE(s.Header()->IsFilterDown(), c.nFilterAfter != -1);
        VERIFY_VIEW(s, c.strMarks, Qt::Unchecked, c.nSelects);
    }

    void popupHeights_data()
    {
        QTest::addColumn<int>("ports");
        QTest::addColumn<int>("areaHeight");

        QTest::newRow("no ports") << 0 << 32;
        QTest::newRow("one port") << 1 << 60;
        QTest::newRow("13 ports fit") << 13 << 396;
        QTest::newRow("14 ports scroll") << 14 << 404;
        QTest::newRow("40 ports scroll") << 40 << 404;
    }

    void popupHeights()
    {
        QFETCH(int, ports);
        QFETCH(int, areaHeight);
        CSession s([ports](CSimWall& wall) { wall.SetPortCount(ports); });
        QVERIFY(s.bShown);
        QVERIFY(s.OpenPopup());
        QCOMPARE(s.Popup()->GetScrollArea()->height(), areaHeight);
        QCOMPARE(s.Popup()->height(), areaHeight + 10);
        QStringList listExpected("All");
        for (int n = 1; n <= ports; ++n)
            listExpected << QStringLiteral("Port %1").arg(n);
        QCOMPARE(s.PopupEntries(), listExpected);
    }

    // What the popup builds from the output port controller's answers: absurd
    // counts are cut with one warning, ports that cannot be told apart are left
    // out, and every port answered correctly keeps its entry.
    void popupLimits_data()
    {
        QTest::addColumn<int>("count");
        QTest::addColumn<QString>("numbering"); // port number per index
        QTest::addColumn<int>("entries");       // port entries after "All"
        QTest::addColumn<QString>("warning");   // regular expression; empty: none

        QTest::newRow("INT_MAX ports") << INT_MAX << "index" << 1024 << "answered 2147483647; .* first 1024";
        QTest::newRow("1025 ports") << 1025 << "index" << 1024 << "answered 1025; .* first 1024";
        QTest::newRow("1024 ports: none cut") << 1024 << "index" << 1024 << "";
        QTest::newRow("negative count") << -7 << "index" << 0 << "answered -7; .* no ports";
        QTest::newRow("INT_MIN count") << INT_MIN << "index" << 0 << "answered -2147483648";
        QTest::newRow("repeated ports") << 9 << "mod3" << 3 << "no port 0 time.* already listed 6 time";
        QTest::newRow("no-port answers") << 4 << "none" << 0 << "no port 4 time";
        QTest::newRow("negative port numbers") << 5 << "negodd" << 3 << "no port 2 time";
    }

    void popupLimits()
    {
        QFETCH(int, count);
        QFETCH(QString, numbering);
        QFETCH(int, entries);
        QFETCH(QString, warning);
        CSession s([&](CSimWall& wall) {
            wall.SetPortCount(count);
            wall.SetPortAddressOverride([numbering](int nIndex) {
                SPortAddress address = CSimWall::DefaultPortAddress(nIndex);
                if (numbering == QLatin1String("mod3"))
                    address.nPort = nIndex % 3;
                else if (numbering == QLatin1String("none"))
                    address = SPortAddress();
                else if (numbering == QLatin1String("negodd") && nIndex % 2 == 1)
                    address.nPort = -nIndex;
                return address;
            });
        });
        QVERIFY(s.bShown);
        s.pWall->ResetCallCounts();
        s.pWall->SetDeviceId(QUuid::createUuid()); // the popup rebuilds at the next showing
        if (!warning.isEmpty())
            QTest::ignoreMessage(QtWarningMsg, QRegularExpression(warning));
        QVERIFY(s.OpenPopup());
        QVERIFY(s.pWall->CallCount("GetPortByIndex") <= 1024);
        const QStringList listEntries = s.PopupEntries();
        QCOMPARE(listEntries.size() - 1, entries);
        QCOMPARE(QSet<QString>(listEntries.begin(), listEntries.end()).size(), listEntries.size());
        QVERIFY(!listEntries.contains(QStringLiteral("Port 0")));
        QCOMPARE(s.Popup()->GetScrollArea()->height(), entries == 0 ? 32 : qMin(28 * (entries + 1) + 4, 404));
        // The entries that were listed still filter.
        if (entries > 0) {
            const QString strLast = listEntries.constLast();
            s.ClosePopup(strLast);
            QCOMPARE(s.pWall->FilterPort(), strLast.mid(5).toInt() - 1);
        }
    }

    void popupRebuildsForAnotherDeviceOnly()
    {
        CSession s;
        QVERIFY(s.bShown);
        const QUuid idFirst = s.pWall->DeviceId(), idOther = QUuid::createUuid();
        // Port count to set, device (null: the first), entries expected after "All".
        const QList<std::tuple<int, QUuid, int>> listSteps = {
            { 13, QUuid(), 3 },                  // same device as at construction: its buttons stay
            { 13, idOther, 13 },                 // another device: rebuilt at every showing
            { 2, idOther, 2 },
            { 5, QUuid(), 2 },                   // back on the first: not rebuilt, whatever the count
        };
        for (const auto& step : listSteps) {
            s.pWall->SetPortCount(std::get<0>(step));
            s.pWall->SetDeviceId(std::get<1>(step).isNull() ? idFirst : std::get<1>(step));
            QVERIFY(s.OpenPopup());
            QCOMPARE(s.PopupEntries().size() - 1, std::get<2>(step));
            s.ClosePopup("hide");
        }
        QCOMPARE(s.popupClosed.nCount, 4);
    }

    // No way Qt offers to edit a cell changes a text or a check mark, and none
    // opens an editor, whatever edit triggers a host sets.
    void noEditPath()
    {
        CSession s;
        QVERIFY(s.bShown);
        for (int r = 0; r < s.Model()->rowCount(); ++r)
            for (int c = 0; c < s.Model()->columnCount(); ++c)
                QVERIFY(!(s.Model()->flags(s.Model()->index(r, c)) & Qt::ItemIsEditable));
        s.View()->setEditTriggers(QAbstractItemView::AllEditTriggers);
        // Space as the view's own box click is another suite's; here it must
        // not reach the delegate either.
        s.Main()->SetKeyboardChecking(false);
        s.Run("c0 h1");
        s.View()->setFocus();
        for (const int nColumn : { 0, 2 }) {
            const QModelIndex index = s.Proxy()->index(1, nColumn);
            const QString strText = index.data().toString();
            const QString strMarks = s.Marks();
            const int nSelects = s.select.nCount;
            const int nBox = s.Header()->GetCheckBoxState();
            s.View()->setCurrentIndex(index);
            for (const Qt::Key key : { Qt::Key_F2, Qt::Key_A, Qt::Key_Space, Qt::Key_Return })
                QTest::keyClick(s.View(), key);
            s.View()->edit(index);
            s.View()->openPersistentEditor(index);
            QVERIFY(!s.View()->isPersistentEditorOpen(index));
            VERIFY_VIEW(s, strMarks, nBox, nSelects);
            // A double click is a gesture of the view's own, never an edit.
            QTest::mouseDClick(s.View()->viewport(), Qt::LeftButton, Qt::NoModifier, s.View()->visualRect(index).center());
            QVERIFY(s.View()->findChildren<QLineEdit*>().isEmpty());
            QVERIFY(!s.View()->indexWidget(index));
            QCOMPARE(index.data().toString(), strText);
        }
    }

    void keySequence_data()
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

    void keySequence()
    {
        QFETCH(QString, keys);
        QFETCH(int, shown);
        CSession s;
        QVERIFY(s.bShown);
        for (const QChar c : keys) {
            if (c == '|') {
                s.Main()->hide();
                s.Main()->show();
                QVERIFY(QTest::qWaitForWindowExposed(s.Main()));
            } else {
                QTest::keyClick(s.View(), c.toLatin1());
            }
        }
        QCOMPARE(s.listShowPack, QVector<bool>(shown, true).toList());
        VERIFY_VIEW(s, "............", Qt::Unchecked, 0);
    }

    // The header's box counts the stored checks against the rows the filter
    // shows; a pointer entering a shown, unchecked row shows its box as a
    // single change, after which the box summarises the shown rows again.
    void enteringRowSummarisesHeader()
    {
        CSession s;
        QVERIFY(s.bShown);
        s.pWall->SetSelectedReceivers({ Address(0, 0), Address(0, 1), Address(1, 0), Address(1, 1) });
        s.pWall->SetFilterPort(1);
        s.View()->RefreshShow(true, false);
        QCOMPARE(s.Header()->GetCheckBoxState(), int(Qt::Checked)); // four checks for four shown rows
        const QRect rect = s.View()->visualRect(s.Proxy()->index(6, 0));
        QVERIFY(!s.View()->isRowHidden(6, QModelIndex()) && s.Marks().at(6) == '.');
        const QPoint pos = rect.center() + QPoint(0, 40); // the view looks 40 px above an entry
        QEnterEvent enter(pos, s.View()->mapToGlobal(pos), s.View()->mapToGlobal(pos));
        QCoreApplication::sendEvent(s.View(), &enter);
        QCOMPARE(s.Marks().at(6), QLatin1Char('o'));
        QCOMPARE(s.Header()->GetCheckBoxState(), int(Qt::PartiallyChecked));
    }

};

QTEST_MAIN(TestChecking)
#include "tst_checking.moc"
