// What an operator does with the table beyond checking: hiding columns from
// the header's menu, getting a saved layout back, copying and exporting what
// the view shows, finding a card, working from the keyboard, and reaching the
// painted controls through assistive technology.

#include "CMViewTestSupport.h"

#include <QAccessible>
#include <QBuffer>
#include <QClipboard>
#include <QMenu>

using namespace cmtest;

namespace
{
constexpr int s_nRows = 12;

// Three ports of four receivers, the view shown and sorted by port.
class CSession : public CRig
{
public:
    explicit CSession(bool bPortHidden = false, const QList<SReceiverInfo>& listReceivers = {})
        : CRig(SSimWallConfig { 3, 4, 7, bPortHidden, false }, listReceivers.isEmpty() ? DefaultReceivers() : listReceivers)
        , select(Main(), &CCMMainView::RcvSelectChanged)
    {
        QObject::connect(Main(), &CCMMainView::SignalShowPack, &select, [this](bool) { ++nShowPack; });
        bShown = Show(QSize(1900, 560)) && !Header()->GetCheckRect().isNull();
        select.nCount = 0;
    }

    // Twelve cards, every one with 0 of 100 packets bad and no upgrade.
    static QList<SReceiverInfo> DefaultReceivers()
    {
        QList<SReceiverInfo> list;
        for (int i = 0; i < s_nRows; ++i)
            list << Receiver(i / 4, i % 4);
        return list;
    }

    QMenu* OpenColumnMenu()
    {
        const QPoint pos = SectionPoint(2);
        QContextMenuEvent event(QContextMenuEvent::Mouse, pos, Header()->viewport()->mapToGlobal(pos));
        QCoreApplication::sendEvent(Header()->viewport(), &event);
        // A menu closed a moment ago may still wait for its deletion.
        for (QMenu* pMenu : Header()->findChildren<QMenu*>(QStringLiteral("CMViewColumnMenu")))
            if (pMenu->isVisible() && QTest::qWaitForWindowExposed(pMenu))
                return pMenu;
        return nullptr;
    }
    static QAction* Entry(QMenu* pMenu, const QString& strText)
    {
        for (QAction* pAction : pMenu->actions())
            if (pAction->text() == strText)
                return pAction;
        return nullptr;
    }
    static void ClickEntry(QMenu* pMenu, QAction* pAction)
    {
        QTest::mouseMove(pMenu, pMenu->actionGeometry(pAction).center());
        QTest::mouseClick(pMenu, Qt::LeftButton, Qt::NoModifier, pMenu->actionGeometry(pAction).center());
    }
    QString Label(int nKey) const { return Header()->GetLabels().value(nKey - Hidden()); }
    int Width(int nKey) const { return View()->columnWidth(nKey - Hidden()); }
    void ClickRowBox(int p) { Click(View()->viewport(), QPoint(25, View()->visualRect(Proxy()->index(p, 0)).top() + 16)); }
    void Key(int nKey, Qt::KeyboardModifiers modifiers = Qt::NoModifier) { QTest::keyClick(View(), Qt::Key(nKey), modifiers); }
    int CurrentRow() const { return View()->currentIndex().row(); }
    QString Marks() const
    {
        QString str;
        for (int p = 0; p < Proxy()->rowCount(); ++p)
            str += !First(p)->isCheckable() ? '.' : First(p)->checkState() == Qt::Checked ? 'x' : 'o';
        return str;
    }
    // The row as the operator reads it: each shown cell's text, progress as text.
    QStringList ShownTexts(int p) const
    {
        QStringList list;
        for (int nKey = Hidden(); nKey < ReceiverColumn::Count; ++nKey) {
            if (!Main()->IsColumnVisible(nKey))
                continue;
            if (nKey == ReceiverColumn::Packets)
                list << QStringLiteral("0 / 100");
            else if (nKey == ReceiverColumn::Progress)
                list << QStringLiteral("N/A");
            else
                list << Item(p, nKey).text();
        }
        return list;
    }
    QStringList ShownLabels() const
    {
        QStringList list;
        for (int nKey = Hidden(); nKey < ReceiverColumn::Count; ++nKey)
            if (Main()->IsColumnVisible(nKey))
                list << Label(nKey);
        return list;
    }

    CSignalCounter select;
    int nShowPack = 0;
    bool bShown = false;
};

// A device that takes a given number of bytes and then fails.
class CShortDevice : public QIODevice
{
public:
    explicit CShortDevice(qint64 nRoom) : m_nRoom(nRoom) { open(QIODevice::WriteOnly); }
    QByteArray bytes;

protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char* pData, qint64 nSize) override
    {
        if (bytes.size() + nSize > m_nRoom)
            return -1;
        bytes.append(pData, int(nSize));
        return nSize;
    }

private:
    qint64 m_nRoom;
};

QByteArray Csv(const CSession& s, bool bCheckedOnly = false)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    return s.Main()->ExportCsv(&buffer, bCheckedOnly) ? buffer.data() : QByteArray("failed");
}
}

class TestOperator : public QObject
{
    Q_OBJECT

private slots:
    // The header's menu: one entry per column but Port, labelled as the
    // header; the check box column fixed; choices that outlive refreshes,
    // preference flips and language changes.
    void columnMenu()
    {
        CSession s;
        QVERIFY(s.bShown);
        QMenu* pMenu = s.OpenColumnMenu();
        QVERIFY(pMenu);
        QStringList listEntries;
        for (QAction* pAction : pMenu->actions())
            if (pAction->isCheckable())
                listEntries << pAction->text();
        QStringList listExpected = s.Header()->GetLabels().mid(1);
        QCOMPARE(listEntries, listExpected);
        QVERIFY(CSession::Entry(pMenu, s.Label(ReceiverColumn::Position))->isEnabled());
        CSession::ClickEntry(pMenu, CSession::Entry(pMenu, s.Label(ReceiverColumn::Type)));
        QVERIFY(!pMenu->isVisible());
        QVERIFY(!s.Main()->IsColumnVisible(ReceiverColumn::Type));
        QVERIFY(s.View()->isColumnHidden(ReceiverColumn::Type));
        QCOMPARE(s.select.nCount, 0);

        s.Refresh();
        QVERIFY(s.View()->isColumnHidden(ReceiverColumn::Type));
        // The Port column goes: the choice stays on Type, one column left now.
        s.pWall->SetPortHidden(true);
        s.Refresh();
        QCOMPARE(s.Hidden(), 1);
        QVERIFY(s.View()->isColumnHidden(ReceiverColumn::Type - 1));
        QVERIFY(!s.View()->isColumnHidden(ReceiverColumn::Position - 1));
        QEvent eventLanguage(QEvent::LanguageChange);
        QCoreApplication::sendEvent(s.Main(), &eventLanguage);
        QVERIFY(s.View()->isColumnHidden(ReceiverColumn::Type - 1));

        // Now the first column carries the check box: fixed, in the menu and out of reach.
        s.Main()->SetColumnVisible(ReceiverColumn::Position, false);
        QVERIFY(s.Main()->IsColumnVisible(ReceiverColumn::Position));
        QVERIFY(!s.Main()->IsColumnVisible(ReceiverColumn::Port));
        s.Main()->SetColumnVisible(ReceiverColumn::Port, true);
        QVERIFY(!s.Main()->IsColumnVisible(ReceiverColumn::Port));
        QVERIFY(!s.Main()->IsColumnVisible(-1) && !s.Main()->IsColumnVisible(ReceiverColumn::Count));
        pMenu = s.OpenColumnMenu();
        QVERIFY(pMenu);
        QVERIFY(!CSession::Entry(pMenu, s.Label(ReceiverColumn::Position))->isEnabled());
        QVERIFY(!CSession::Entry(pMenu, s.Label(ReceiverColumn::Type))->isChecked());
        pMenu->close();

        // Reset columns: all back, at their first widths.
        s.View()->setColumnWidth(ReceiverColumn::Voltage - 1, 240);
        pMenu = s.OpenColumnMenu();
        CSession::ClickEntry(pMenu, pMenu->findChild<QAction*>(QStringLiteral("CMViewResetColumns")));
        QVERIFY(s.Main()->IsColumnVisible(ReceiverColumn::Type));
        QCOMPARE(s.Width(ReceiverColumn::Voltage), 100);
    }

    // Hidden columns leave the header's controls working, and a hidden sort
    // column keeps the rows in its order.
    void hiddenColumnsAndHeader()
    {
        QList<SReceiverInfo> list;
        for (int i = 0; i < s_nRows; ++i)
            list << Receiver(i / 4, i % 4, QStringLiteral("SN%1").arg((i * 7) % s_nRows));
        CSession s(false, list);
        QVERIFY(s.bShown);
        s.ClickSection(ReceiverColumn::SerialNumber);
        const QStringList listSorted = s.ViewColumn(ReceiverColumn::SerialNumber);
        s.Main()->SetColumnVisible(ReceiverColumn::SerialNumber, false);
        s.Main()->SetColumnVisible(ReceiverColumn::Packets, false);
        s.Refresh();
        s.RepaintHeader();
        QCOMPARE(s.ViewColumn(ReceiverColumn::SerialNumber), listSorted);
        QCOMPARE(s.Header()->GetSortColumn(), int(ReceiverColumn::SerialNumber));
        // No Reset button while its column is hidden: nothing to click at its old place.
        QVERIFY(s.Header()->GetResetRect().isNull());
        s.Main()->SetColumnVisible(ReceiverColumn::Packets, true);
        s.RepaintHeader();
        QVERIFY(!s.Header()->GetResetRect().isNull());
        // The header's box still checks every row.
        s.ClickBox();
        QCOMPARE(s.Reported().size(), s_nRows);
        // A right click only opens the menu: the sort stays.
        QTest::mouseClick(s.Header()->viewport(), Qt::RightButton, Qt::NoModifier, s.SectionPoint(ReceiverColumn::Type));
        QCOMPARE(s.Header()->GetSortColumn(), int(ReceiverColumn::SerialNumber));
    }

    void viewState()
    {
        CSession s;
        QVERIFY(s.bShown);
        const QByteArray bytesDefault = s.Main()->SaveViewState();
        const int nTypeWidth = s.Width(ReceiverColumn::Type);
        s.View()->setColumnWidth(ReceiverColumn::Type, 170);
        s.View()->setColumnWidth(ReceiverColumn::Humidity, 133);
        s.Main()->SetColumnVisible(ReceiverColumn::Firmware, false);
        s.ClickSection(ReceiverColumn::Temperature);
        s.ClickSection(ReceiverColumn::Temperature);
        const QByteArray bytesMade = s.Main()->SaveViewState();
        QVERIFY(s.Main()->RestoreViewState(bytesDefault));
        QCOMPARE(s.Width(ReceiverColumn::Type), nTypeWidth);
        QVERIFY(s.Main()->IsColumnVisible(ReceiverColumn::Firmware));
        QCOMPARE(s.Header()->GetSortColumn(), 0);

        QVERIFY(s.Main()->RestoreViewState(bytesMade));
        QCOMPARE(s.Width(ReceiverColumn::Type), 170);
        QCOMPARE(s.Width(ReceiverColumn::Humidity), 133);
        QVERIFY(!s.Main()->IsColumnVisible(ReceiverColumn::Firmware));
        QCOMPARE(s.Header()->GetSortColumn(), int(ReceiverColumn::Temperature));
        QCOMPARE(s.Header()->GetSortFlag(), false);
        QCOMPARE(s.Main()->SaveViewState(), bytesMade);
        // A hidden column keeps its width for when it comes back.
        s.Main()->SetColumnVisible(ReceiverColumn::Humidity, false);
        s.Main()->SetColumnVisible(ReceiverColumn::Humidity, true);
        QCOMPARE(s.Width(ReceiverColumn::Humidity), 133);
    }

    // Anything but a whole state of this version is refused and changes nothing.
    void viewStateBad()
    {
        CSession s;
        QVERIFY(s.bShown);
        s.View()->setColumnWidth(ReceiverColumn::Type, 150);
        const QByteArray bytesGood = s.Main()->SaveViewState();
        s.View()->setColumnWidth(ReceiverColumn::Type, 111);
        s.Main()->SetColumnVisible(ReceiverColumn::Voltage, false);
        const QByteArray bytesNow = s.Main()->SaveViewState();

        QList<QByteArray> listBad { QByteArray(), QByteArray("garbage"), QByteArray(bytesGood.size(), '\xFF'),
                                    bytesGood + QByteArray(1, '\0') };
        for (int n = 1; n < bytesGood.size(); ++n)
            listBad << bytesGood.left(n);
        QByteArray bytesVersion = bytesGood;
        bytesVersion[5] = char(bytesVersion[5] + 1);
        QByteArray bytesSort = bytesGood;
        bytesSort[bytesSort.size() - 2] = char(ReceiverColumn::Progress); // sort by Progress: no view writes it
        QByteArray bytesWidth = bytesGood;
        bytesWidth[7] = '\x7F'; // a width of two thousand million pixels
        listBad << bytesVersion << bytesSort << bytesWidth;
        for (const QByteArray& bytes : listBad) {
            QVERIFY2(!s.Main()->RestoreViewState(bytes), bytes.toHex().constData());
            QCOMPARE(s.Main()->SaveViewState(), bytesNow);
        }
        QCOMPARE(s.select.nCount, 0);
    }

    // A state from a view with the Port column shown, restored without it, and
    // the reverse: each width and choice stays on its own logical column.
    void viewStateAcrossPortPreference()
    {
        for (const bool bHiddenFirst : { false, true }) {
            QByteArray bytes;
            {
                CSession s(bHiddenFirst);
                QVERIFY(s.bShown);
                for (int nKey = s.Hidden(); nKey < ReceiverColumn::Count; ++nKey)
                    s.View()->setColumnWidth(nKey - s.Hidden(), 160 + nKey);
                s.Main()->SetColumnVisible(ReceiverColumn::Uptime, false);
                s.ClickSection(ReceiverColumn::Voltage - s.Hidden());
                bytes = s.Main()->SaveViewState();
            }
            CSession s(!bHiddenFirst);
            QVERIFY(s.bShown);
            const int nPortWidth = s.View()->columnWidth(0);
            QVERIFY(s.Main()->RestoreViewState(bytes));
            for (int nKey = ReceiverColumn::Position; nKey < ReceiverColumn::Count; ++nKey) {
                // Voltage is the last shown column now: it takes the room that is left.
                if (nKey != ReceiverColumn::Uptime && nKey != ReceiverColumn::Voltage)
                    QCOMPARE(s.Width(nKey), 160 + nKey);
            }
            QVERIFY(!s.Main()->IsColumnVisible(ReceiverColumn::Uptime));
            QCOMPARE(s.Header()->GetSortColumn() + s.Hidden(), int(ReceiverColumn::Voltage));
            if (!s.Hidden())
                QCOMPARE(s.View()->columnWidth(0), nPortWidth);
        }
    }

    // Ctrl+C: the checked rows, else the current row, as the view shows them.
    void copy()
    {
        CSession s;
        QVERIFY(s.bShown);
        // Nothing checked and no current row: the clipboard stays as it was.
        QApplication::clipboard()->setText(QStringLiteral("before"));
        s.View()->setCurrentIndex(QModelIndex());
        s.Main()->CopyToClipboard();
        QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("before"));
        s.View()->setFocus();

        s.Main()->SetColumnVisible(ReceiverColumn::Humidity, false);
        s.ClickSection(ReceiverColumn::SerialNumber);
        s.ClickSection(ReceiverColumn::SerialNumber);
        s.ClickRow(7);
        s.ClickRow(2, Qt::ControlModifier);
        s.Key(Qt::Key_C, Qt::ControlModifier);
        QStringList listLines { s.ShownLabels().join('\t'), s.ShownTexts(2).join('\t'), s.ShownTexts(7).join('\t') };
        QCOMPARE(QApplication::clipboard()->text(), listLines.join('\n') + '\n');
        QVERIFY(!QApplication::clipboard()->text().contains(s.Label(ReceiverColumn::Humidity)));

        // None checked: the current row the keys moved to.
        s.Main()->SelectAll();
        s.ClickBox();
        QCOMPARE(s.Reported().size(), 0);
        s.Key(Qt::Key_Home);
        s.Key(Qt::Key_Down);
        s.Key(Qt::Key_C, Qt::ControlModifier);
        listLines = QStringList { s.ShownLabels().join('\t'), s.ShownTexts(1).join('\t') };
        QCOMPARE(QApplication::clipboard()->text(), listLines.join('\n') + '\n');
    }

    void exportCsv()
    {
        CSession s;
        QVERIFY(s.bShown);
        // Texts a host wrote into cells: a comma, quotes, a line break, Chinese.
        s.Item(1, ReceiverColumn::SerialNumber).setText(QStringLiteral("A,\"B\""));
        s.Item(2, ReceiverColumn::FailedModule).setText(QStringLiteral("显示屏\n二"));
        s.Main()->SetColumnVisible(ReceiverColumn::Temperature, false);
        const QByteArray bytes = Csv(s);
        QVERIFY(bytes.startsWith("\xEF\xBB\xBF"));
        QVERIFY(bytes.endsWith("\r\n"));
        const QList<QByteArray> listLines = bytes.mid(3).split('\n');
        QCOMPARE(listLines.size(), 1 + s_nRows + 1 + 1); // the quoted line break splits one line
        QCOMPARE(listLines.at(0), (s.ShownLabels().join(',') + '\r').toUtf8());
        QCOMPARE(listLines.at(1), (s.ShownTexts(0).join(',') + '\r').toUtf8());
        QStringList listRow1 = s.ShownTexts(1);
        listRow1[ReceiverColumn::SerialNumber] = QStringLiteral("\"A,\"\"B\"\"\"");
        QCOMPARE(listLines.at(2), (listRow1.join(',') + '\r').toUtf8());
        QVERIFY(bytes.contains(",\"显示屏\n二\","));

        // Checked only, in view order; rows the port filter hides never.
        s.ClickRow(5);
        s.ClickRow(9, Qt::ControlModifier);
        QCOMPARE(Csv(s, true).mid(3).split('\n').size(), 1 + 2 + 1);
        QVERIFY(Csv(s, true).contains("SN201"));
        s.pWall->SetFilterPort(1);
        s.Refresh();
        const QByteArray bytesFiltered = Csv(s);
        QCOMPARE(bytesFiltered.mid(3).split('\n').size(), 1 + 4 + 1);
        QVERIFY(bytesFiltered.contains("SN101") && !bytesFiltered.contains("SN201"));

        // A device that cannot take the bytes.
        QVERIFY(!s.Main()->ExportCsv(nullptr));
        QBuffer closed;
        QVERIFY(!s.Main()->ExportCsv(&closed));
        QBuffer readOnly;
        readOnly.open(QIODevice::ReadOnly);
        QVERIFY(!s.Main()->ExportCsv(&readOnly));
        for (const qint64 nRoom : { qint64(0), qint64(2), qint64(3), qint64(40), qint64(bytesFiltered.size()) - 1 }) {
            CShortDevice device(nRoom);
            QVERIFY(!s.Main()->ExportCsv(&device));
        }
        CShortDevice roomy(bytesFiltered.size());
        QVERIFY(s.Main()->ExportCsv(&roomy));
        QCOMPARE(roomy.bytes, bytesFiltered);
    }

    // Texts from the wall's hardware that a spreadsheet would run get a quote
    // in front; the view's numbers and readings, negative ones too, do not.
    void exportCsvFormulas_data()
    {
        QTest::addColumn<QString>("cell");
        QTest::addColumn<QString>("field");
        QTest::newRow("equals") << "=1+1" << "'=1+1";
        QTest::newRow("hyperlink") << "=HYPERLINK(\"http://x\",\"y\")" << "\"'=HYPERLINK(\"\"http://x\"\",\"\"y\"\")\"";
        QTest::newRow("plus") << "+1+2" << "'+1+2";
        QTest::newRow("minus sum") << "-2+3" << "'-2+3";
        QTest::newRow("minus call") << "-cmd|' /C calc'!A0" << "'-cmd|' /C calc'!A0";
        QTest::newRow("at") << "@SUM(A1)" << "'@SUM(A1)";
        QTest::newRow("tab") << "\t=1" << "'\t=1";
        QTest::newRow("carriage return") << "\r=1" << "\"'\r=1\"";
        QTest::newRow("exponent") << "-1e5" << "'-1e5";
        QTest::newRow("negative nan") << QString::fromUtf8("-nan°C") << QString::fromUtf8("'-nan°C");
        QTest::newRow("unit and more") << QString::fromUtf8("-5.00°C+1") << QString::fromUtf8("'-5.00°C+1");
        QTest::newRow("bare dot") << "-.5" << "'-.5";
        QTest::newRow("trailing dot") << "-5." << "'-5.";
        QTest::newRow("other digits") << QString::fromUtf8("-٣") << QString::fromUtf8("'-٣");
        QTest::newRow("lone minus") << "-" << "'-";
        QTest::newRow("negative port") << "-4" << "-4";
        QTest::newRow("signed") << "+12" << "+12";
        QTest::newRow("fraction") << "-0.5" << "-0.5";
        QTest::newRow("celsius") << QString::fromUtf8("-5.00°C") << QString::fromUtf8("-5.00°C");
        QTest::newRow("fahrenheit") << QString::fromUtf8("-40.00°F") << QString::fromUtf8("-40.00°F");
        QTest::newRow("humidity") << "-3%" << "-3%";
        QTest::newRow("voltage") << "-0.1V" << "-0.1V";
        QTest::newRow("no reading") << "--" << "--";
        QTest::newRow("inside") << "A=1+1" << "A=1+1";
        QTest::newRow("empty") << "" << "";
    }
    void exportCsvFormulas()
    {
        QFETCH(QString, cell);
        QFETCH(QString, field);
        CSession s;
        QVERIFY(s.bShown);
        s.Item(0, ReceiverColumn::Type).setText(cell);
        const QString strCsv = QString::fromUtf8(Csv(s).mid(3));
        const QString strRow = strCsv.mid(strCsv.indexOf(QLatin1String("\r\n")) + 2);
        QVERIFY2(strRow.startsWith(QStringLiteral("1,1,") + field + QStringLiteral(",SN0,")), qPrintable(strRow));
        // The clipboard is not a file a spreadsheet opens: it keeps the text.
        s.ClickRow(0);
        QVERIFY(s.View()->CopyText().contains(QString(cell).replace('\t', ' ').replace('\r', ' ')));
    }

    // A freezing card's readings, through the whole road from its record.
    void exportCsvNegativeReadings()
    {
        QList<SReceiverInfo> list = CSession::DefaultReceivers();
        list[0].dTemperature = -5.0;
        list[0].dHumidity = -3.0;
        list[0].mapSensor[3].dValue = -0.1;
        CSession s(false, list);
        QVERIFY(s.bShown);
        const QByteArray bytes = Csv(s);
        QVERIFY2(bytes.contains(QString::fromUtf8(",-5.00°C,-3%,-0.1V,").toUtf8()), bytes.constData());
        QVERIFY(!bytes.contains('\''));
    }

    void find()
    {
        QList<SReceiverInfo> list;
        for (int i = 0; i < s_nRows; ++i)
            list << Receiver(i / 4, i % 4, QStringLiteral("Card%1").arg(i), 0, 100, i == 6 ? 4 : 3);
        list[9].strSerialNumber = "xCARD77";
        CSession s(false, list);
        QVERIFY(s.bShown);
        QVERIFY(s.Main()->FindReceiver(QStringLiteral("card7")));
        QCOMPARE(s.CurrentRow(), 7);
        QCOMPARE(s.View()->GetFoundRow(), s.SourceRow(7));
        QTRY_COMPARE(s.View()->GetFoundRow(), -1);
        // The next match after the current row, then round to the first again.
        QVERIFY(s.Main()->FindReceiver(QStringLiteral("card7")));
        QCOMPARE(s.CurrentRow(), 9);
        QVERIFY(s.Main()->FindReceiver(QStringLiteral("CARD7")));
        QCOMPARE(s.CurrentRow(), 7);
        QVERIFY(!s.Main()->FindReceiver(QStringLiteral("nothing")));
        QVERIFY(!s.Main()->FindReceiver(QString()));
        QCOMPARE(s.CurrentRow(), 7);
        // By firmware and by type.
        QVERIFY(s.Main()->FindReceiver(QStringLiteral(" v4.")));
        QCOMPARE(s.CurrentRow(), 6);
        const QString strType = s.Item(0, ReceiverColumn::Type).text();
        QVERIFY(!strType.isEmpty());
        QVERIFY(s.Main()->FindReceiver(strType.toLower()));
        QCOMPARE(s.CurrentRow(), 7);
        // Rows the port filter hides are not found.
        s.pWall->SetFilterPort(0);
        s.Refresh();
        QVERIFY(!s.Main()->FindReceiver(QStringLiteral("card77")));
        QVERIFY(s.Main()->FindReceiver(QStringLiteral("card")));
        QVERIFY(s.CurrentRow() < 4);
        QCOMPARE(s.select.nCount, 1); // the refresh's own report only
    }

    // Keys move a framed current row; Space and Shift+Space check as clicks
    // do, once the host turns them on.
    void keyboard()
    {
        CSession s;
        QVERIFY(s.bShown);
        s.View()->setFocus();
        s.Key(Qt::Key_End);
        QCOMPARE(s.CurrentRow(), s_nRows - 1);
        s.Key(Qt::Key_Home);
        s.Key(Qt::Key_Down);
        s.Key(Qt::Key_Down);
        QCOMPARE(s.CurrentRow(), 2);
        s.Key(Qt::Key_Up);
        QCOMPARE(s.CurrentRow(), 1);
        s.Key(Qt::Key_PageDown);
        QVERIFY(s.CurrentRow() > 1);
        s.Key(Qt::Key_PageUp);
        QCOMPARE(s.CurrentRow(), 0);
        s.Key(Qt::Key_Down);
        const QRect rect = s.View()->visualRect(s.Proxy()->index(1, 0));
        const QImage image = s.View()->viewport()->grab().toImage();
        const QColor color = image.pixelColor(rect.center().x(), rect.top());
        QVERIFY2(qAbs(color.red() - 0x6E) < 12 && qAbs(color.green() - 0x9B) < 12 && qAbs(color.blue() - 0xE8) < 12,
                 qPrintable(color.name()));
        // On by default: Space checks the current row, as a click on its box;
        // a host that turns it off keeps Space for itself.
        s.Key(Qt::Key_Space);
        QCOMPARE(s.Marks(), QStringLiteral(".x.........."));
        QCOMPARE(s.select.nCount, 1);
        s.Main()->SetKeyboardChecking(false);
        s.Key(Qt::Key_Down);
        s.Key(Qt::Key_Space);
        QCOMPARE(s.Marks(), QStringLiteral(".x.........."));
        QCOMPARE(s.select.nCount, 1);
    }

    // A row a key or a find makes current shows whole, its last pixel line
    // included, wherever it was.
    void currentRowWhollyVisible()
    {
        QList<SReceiverInfo> list;
        for (int i = 0; i < 60; ++i)
            list << Receiver(i / 20, i % 20, QStringLiteral("Card%1").arg(i));
        CSession s(false, list);
        QVERIFY(s.bShown);
        s.View()->setFocus();
        const auto wholly = [&s]() {
            const QRect rect = s.View()->visualRect(s.View()->currentIndex());
            return s.View()->viewport()->rect().contains(rect) ? QString() : QStringLiteral("row %1 at %2..%3 in a viewport of %4").arg(s.CurrentRow()).arg(rect.top()).arg(rect.bottom()).arg(s.View()->viewport()->height());
        };
        s.Key(Qt::Key_End);
        QCOMPARE(s.CurrentRow(), 59);
        QVERIFY2(wholly().isEmpty(), qPrintable(wholly()));
        s.Key(Qt::Key_Home);
        QVERIFY2(wholly().isEmpty(), qPrintable(wholly()));
        for (int i = 0; i < 3; ++i) {
            s.Key(Qt::Key_PageDown);
            QVERIFY2(wholly().isEmpty(), qPrintable(wholly()));
        }
        s.Key(Qt::Key_Home);
        QVERIFY(s.Main()->FindReceiver(QStringLiteral("card45")));
        QCOMPARE(s.CurrentRow(), 45);
        QVERIFY2(wholly().isEmpty(), qPrintable(wholly()));
        QVERIFY(s.Main()->FindReceiver(QStringLiteral("card3")));
        QVERIFY2(wholly().isEmpty(), qPrintable(wholly()));
    }

    // Space and Shift+Space against the clicks they stand for: the same marks,
    // selection, header box and reports after every step.
    void keyboardLikeClicks_data()
    {
        QTest::addColumn<QString>("steps");
        // b<p>: box of row p / Space on it; s<p>: Shift-click / Shift+Space;
        // c<p>: plain click (both sessions); u: upgrade begins; f: upgrade ends.
        QTest::newRow("boxes") << "b2 b5 b2 b11";
        QTest::newRow("single-check range") << "c1 s4";
        QTest::newRow("range back") << "c6 s2 s9";
        QTest::newRow("multi then shift") << "b3 s7";
        QTest::newRow("upgrade") << "c1 u b3 s5 f b4";
    }
    void keyboardLikeClicks()
    {
        QFETCH(QString, steps);
        const QStringList listMouse = RunSteps(steps, false);
        QCOMPARE(RunSteps(steps, true), listMouse);
    }

    void accessibility()
    {
        CSession s;
        QVERIFY(s.bShown);
        QAccessibleInterface* pHeader = QAccessible::queryAccessibleInterface(s.Header());
        QVERIFY(pHeader);
        QCOMPARE(pHeader->childCount(), 3);
        QAccessibleInterface* pBox = pHeader->child(0);
        QAccessibleInterface* pFilter = pHeader->child(1);
        QAccessibleInterface* pReset = pHeader->child(2);
        QCOMPARE(pBox->role(), QAccessible::CheckBox);
        QCOMPARE(pFilter->role(), QAccessible::Button);
        QCOMPARE(pFilter->text(QAccessible::Name), s.Header()->tr("Filter"));
        QCOMPARE(pReset->text(QAccessible::Name), s.Header()->tr("Reset"));
        QVERIFY(!pBox->text(QAccessible::Name).isEmpty());
        QCOMPARE(pBox->parent(), pHeader);
        QCOMPARE(pHeader->indexOfChild(pReset), 2);
        QCOMPARE(pHeader->childAt(pReset->rect().center().x(), pReset->rect().center().y()), pReset);
        QVERIFY(pBox->state().checkable && !pBox->state().checked);

        // Toggling the box through its action is a click: every row checked.
        pBox->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
        QCOMPARE(s.Reported().size(), s_nRows);
        QVERIFY(pBox->state().checked);
        s.ClickRow(3, Qt::ControlModifier);
        QVERIFY(pBox->state().checkStateMixed && !pBox->state().checked);

        // During an upgrade Filter and Reset are disabled and offer no action.
        s.FakeUpgrade().vecMembers = { Address(0, 0) };
        s.Main()->ProgressBegin();
        QVERIFY(pFilter->state().disabled && pReset->state().disabled && pBox->state().disabled);
        QVERIFY(pReset->actionInterface()->actionNames().isEmpty());
        s.Main()->ProgressFinished();
        QVERIFY(!pReset->state().disabled);
        s.Main()->SetColumnVisible(ReceiverColumn::Packets, false);
        s.RepaintHeader();
        QVERIFY(pReset->state().invisible);

        // Each row's box state, in words on its first cell.
        s.ClickRow(4);
        QAccessibleInterface* pTable = QAccessible::queryAccessibleInterface(s.View());
        QVERIFY(pTable && pTable->tableInterface());
        QAccessibleInterface* pChecked = pTable->tableInterface()->cellAt(4, 0);
        QAccessibleInterface* pUnchecked = pTable->tableInterface()->cellAt(5, 0);
        QVERIFY(pChecked && pUnchecked);
        QCOMPARE(pChecked->text(QAccessible::Description), QStringLiteral("Receiver checked"));
        QCOMPARE(pUnchecked->text(QAccessible::Description), QStringLiteral("Receiver not checked"));
        QVERIFY(pChecked->state().checked);
    }
private:
    // One session through the steps, by mouse or by keys; after each step its
    // checks, stored selection, header box, report count, anchor and mode.
    static QStringList RunSteps(const QString& strSteps, bool bKeys)
    {
        CSession s;
        if (!s.bShown)
            return { QStringLiteral("not shown") };
        s.Main()->SetKeyboardChecking(bKeys);
        QStringList listStates;
        for (const QString& strStep : strSteps.split(' ')) {
            const int p = strStep.mid(1).toInt();
            const char cStep = strStep.at(0).toLatin1();
            if (cStep == 'c') {
                s.ClickRow(p);
            } else if (cStep == 'u') {
                s.FakeUpgrade().vecMembers = { Address(0, 0) };
                s.Main()->ProgressBegin();
            } else if (cStep == 'f') {
                s.Main()->ProgressFinished();
            } else if (!bKeys) {
                if (cStep == 's')
                    s.ClickRow(p, Qt::ShiftModifier);
                else
                    s.ClickRowBox(p);
            } else {
                s.View()->setFocus();
                s.View()->setCurrentIndex(s.Proxy()->index(p, 0));
                s.Key(Qt::Key_Space, cStep == 's' ? Qt::ShiftModifier : Qt::NoModifier);
            }
            listStates << QStringLiteral("%1: %2 | %3 | box %4 | reports %5 | anchor %6 | multi %7")
                              .arg(strStep, s.Checked().join(','), s.Reported().join(','))
                              .arg(s.Header()->GetCheckBoxState())
                              .arg(s.select.nCount)
                              .arg(s.View()->GetAnchorRow())
                              .arg(s.View()->IsMultiCheck());
        }
        // The service sequence keeps its rules: Space breaks it like any other key.
        for (const int nKey : { Qt::Key_1, Qt::Key_5, Qt::Key_Space, Qt::Key_9, Qt::Key_1, Qt::Key_5, Qt::Key_9 })
            s.Key(nKey);
        listStates << QStringLiteral("show pack %1").arg(s.nShowPack);
        return listStates;
    }
};

QTEST_MAIN(TestOperator)
#include "tst_operator.moc"
