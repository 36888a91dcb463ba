// The CSV export opened where an operator opens it: LibreOffice Calc,
// headless, imports the file with formulas evaluated and writes it back as
// flat OpenDocument, whose cells tell their type, value and formula. Texts
// from the wall's hardware that a spreadsheet would run arrive as text; the
// view's numbers and readings arrive as they are shown, numbers as numbers.
// A control line with a plain formula appended to the export must be evaluated,
// or the run proves nothing.

#include "CMViewTestSupport.h"

#include <QBuffer>
#include <QProcess>
#include <QTemporaryDir>
#include <QXmlStreamReader>

using namespace cmtest;

namespace
{
struct SSheetCell
{
    QString strType;    // office:value-type: string, float, percentage...
    QString strValue;   // office:value
    QString strFormula; // table:formula
    QString strText;    // what the cell shows
};
using Sheet = QList<QList<SSheetCell>>;

Sheet ReadFlatOds(QIODevice* pDevice)
{
    Sheet sheet;
    QXmlStreamReader xml(pDevice);
    while (!xml.atEnd()) {
        xml.readNext();
        if (!xml.isStartElement())
            continue;
        if (xml.qualifiedName() == QLatin1String("table:table-row")) {
            sheet.append(QList<SSheetCell>());
        } else if (xml.qualifiedName() == QLatin1String("table:table-cell") && !sheet.isEmpty()) {
            const QXmlStreamAttributes attrs = xml.attributes();
            SSheetCell cell { attrs.value(QLatin1String("office:value-type")).toString(),
                attrs.value(QLatin1String("office:value")).toString(),
                attrs.value(QLatin1String("table:formula")).toString(), QString() };
            const int nRepeat = qBound(1, attrs.value(QLatin1String("table:number-columns-repeated")).toInt(), 64);
            // The file is indented: the text around the paragraph is layout.
            cell.strText = xml.readElementText(QXmlStreamReader::IncludeChildElements).trimmed();
            for (int i = 0; i < nRepeat; ++i)
                sheet.last().append(cell);
        }
    }
    return sheet;
}

// The row whose cells include one showing this text.
const QList<SSheetCell>* RowWith(const Sheet& sheet, const QString& strText)
{
    for (const QList<SSheetCell>& row : sheet)
        for (const SSheetCell& cell : row)
            if (cell.strText == strText)
                return &row;
    return nullptr;
}

SReceiverInfo CabinetCard(int nPosition, const std::string& strSN, int nCabinet)
{
    SReceiverInfo info = Receiver(0, nPosition, QString::fromStdString(strSN));
    info.nCabinetKeyHigh = nCabinet;
    info.strCabinetId = "CAB" + std::to_string(nCabinet);
    return info;
}
}

class TestSpreadsheet : public QObject
{
    Q_OBJECT

private slots:
    void exportOpensSafely()
    {
        // Cards as a tampered wall reports them: a serial number and cabinet
        // names (shown as the Type) that are formulas, and a freezing card.
        QList<SReceiverInfo> list;
        list << Receiver(0, 0, QStringLiteral("=1+1")) << CabinetCard(1, "SNLINK", 1) << CabinetCard(2, "SNAT", 2)
             << CabinetCard(3, "SNMINUS", 3) << Receiver(0, 4, QStringLiteral("SNCOLD")) << Receiver(0, 5, QStringLiteral("SNHOST"));
        list[4].dTemperature = -5.0;
        list[4].mapSensor[3].dValue = -0.1;
        QMap<quint64, SCabinetInfo> mapCabinet;
        mapCabinet[quint64(1) << 16] = SCabinetInfo { "=HYPERLINK(\"http://example.invalid/\",\"update\")", "CAB1" };
        mapCabinet[quint64(2) << 16] = SCabinetInfo { "@SUM(1+1)", "CAB2" };
        mapCabinet[quint64(3) << 16] = SCabinetInfo { "-2+3", "CAB3" };
        CRig rig(SSimWallConfig { 1, 6, 3, false, false }, list, [&](CSimWall& wall) { wall.SetCabinetMap(mapCabinet); });
        QVERIFY(rig.Show(QSize(1900, 400)));
        // Cells a host wrote itself: a formula and a plain negative reading.
        const int nHostRow = rig.Proxy()->rowCount() - 1;
        QCOMPARE(rig.Item(nHostRow, ReceiverColumn::SerialNumber).text(), QStringLiteral("SNHOST"));
        rig.Item(nHostRow, ReceiverColumn::SerialNumber).setText(QStringLiteral("=1+1"));
        rig.Item(nHostRow, ReceiverColumn::Temperature).setText(QStringLiteral("-5.0"));

        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        QFile file(dir.filePath(QStringLiteral("cards.csv")));
        QVERIFY(file.open(QIODevice::WriteOnly));
        QVERIFY(rig.Main()->ExportCsv(&file));
        file.write("=1+1\r\n");
        file.close();

        QProcess soffice;
        soffice.setProcessChannelMode(QProcess::MergedChannels);
        const QString strProgram = qEnvironmentVariable("CMVIEW_SOFFICE", QStringLiteral("soffice"));
        soffice.start(strProgram, { QStringLiteral("-env:UserInstallation=file://") + dir.filePath(QStringLiteral("profile")),
            QStringLiteral("--headless"), QStringLiteral("--norestore"),
            // Comma, double quote, UTF-8, from line 1, US English, formulas evaluated.
            QStringLiteral("--infilter=CSV:44,34,76,1,,1033,false,true,false,false,false,-1,true"),
            QStringLiteral("--convert-to"), QStringLiteral("fods"), QStringLiteral("--outdir"), dir.path(), file.fileName() });
        QVERIFY2(soffice.waitForFinished(240000), qPrintable(strProgram + ": " + soffice.errorString()));
        QFile fods(dir.filePath(QStringLiteral("cards.fods")));
        QVERIFY2(fods.open(QIODevice::ReadOnly), soffice.readAll().constData());
        const Sheet sheet = ReadFlatOds(&fods);

        // The control line: this import runs formulas.
        QVERIFY(sheet.size() >= 8);
        const QList<SSheetCell>& control = sheet.at(7);
        QVERIFY(!control.isEmpty());
        QCOMPARE(control.at(0).strFormula, QStringLiteral("of:=1+1"));
        QCOMPARE(control.at(0).strValue, QStringLiteral("2"));

        // No other cell holds a formula.
        for (int r = 0; r < 7; ++r)
            for (const SSheetCell& cell : sheet.at(r))
                QVERIFY2(cell.strFormula.isEmpty(), qPrintable(cell.strFormula));
        // Cabinet names arrive as text, with the quote that made them text.
        const int nType = ReceiverColumn::Type;
        for (const char* pszName : { "=HYPERLINK(\"http://example.invalid/\",\"update\")", "@SUM(1+1)", "-2+3" }) {
            const QString strShown = QLatin1Char('\'') + QString::fromUtf8(pszName);
            const QList<SSheetCell>* pRow = RowWith(sheet, strShown);
            QVERIFY2(pRow, pszName);
            QCOMPARE(pRow->at(nType).strType, QStringLiteral("string"));
        }
        // The hardware's =1+1 serial number: the view keeps letters and
        // digits only, so it arrives as the number 11, never as a formula.
        const QList<SSheetCell>* pRow = RowWith(sheet, QStringLiteral("11"));
        QVERIFY(pRow);
        QCOMPARE(pRow->at(ReceiverColumn::SerialNumber).strType, QStringLiteral("float"));
        // A freezing card's readings arrive as shown, sign and unit kept.
        pRow = RowWith(sheet, QStringLiteral("SNCOLD"));
        QVERIFY(pRow);
        QCOMPARE(pRow->at(ReceiverColumn::Temperature).strText, QString::fromUtf8("-5.00°C"));
        QCOMPARE(pRow->at(ReceiverColumn::Voltage).strText, QStringLiteral("-0.1V"));
        // The host's cells: the formula as text, the plain reading a number.
        pRow = RowWith(sheet, QStringLiteral("'=1+1"));
        QVERIFY(pRow);
        QCOMPARE(pRow->at(ReceiverColumn::SerialNumber).strType, QStringLiteral("string"));
        QCOMPARE(pRow->at(ReceiverColumn::Temperature).strType, QStringLiteral("float"));
        QCOMPARE(pRow->at(ReceiverColumn::Temperature).strValue, QStringLiteral("-5"));
    }
};

QTEST_MAIN(TestSpreadsheet)
#include "tst_spreadsheet.moc"
