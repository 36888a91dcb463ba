// The table model on its own, watched by QAbstractItemModelTester: rebuilds,
// moves, updates that announce only what changed, values written by others,
// and the first cell's check marks; and the address table rows are matched by.

#include "CReceiverTableModel.h"
#include "ControllerReading.h"
#include "ReceiverCellText.h"

#include <QAbstractItemModelTester>
#include <QtTest>

namespace
{
SReceiverRowInfo Info(int nPort, int nPosition, const char* szSN)
{
    SReceiverRowInfo info;
    info.nPort = nPort;
    info.nPosition = nPosition;
    info.strTypeName = "RV-908";
    info.strType = "Cabinet A";
    info.strSN = szSN;
    info.strVersion = "3.07";
    info.nErrorPackets = 3;
    info.nTotalPackets = 1500;
    info.strFailedModule = "N/A";
    info.strTemperature = "30.00\xC2\xB0" "C";
    info.strHumidity = "40%";
    info.strVoltage = "5.0V";
    info.strUptime = "0:01:00";
    return info;
}

QVector<SReceiverRowInfo> ThreeRows()
{
    return { Info(0, 0, "A"), Info(0, 1, "B"), Info(1, 0, "C") };
}

uint32_t Bit(int nKey) { return 1u << nKey; }
}

class TestModel : public QObject
{
    Q_OBJECT

private slots:
    // Rows move with their records, ids and marks; persistent indexes follow.
    void permuteMovesRowsWhole()
    {
        CReceiverTableModel model;
        QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
        model.Rebuild(ThreeRows(), { 0, 1, 0 });
        const quint64 nIdB = model.RowId(1);
        const QPersistentModelIndex indexB(model.index(1, 3));
        QSignalSpy spyLayout(&model, &QAbstractItemModel::layoutChanged);
        model.Permute({ 2, 1, 0 });
        model.Permute({ 1, 0, 2 }); // B, C, A
        QCOMPARE(spyLayout.count(), 2);
        QCOMPARE(model.index(0, 3).data().toString(), QStringLiteral("B"));
        QCOMPARE(model.RowId(0), nIdB);
        QVERIFY(model.IsChecked(0) && model.IsCheckable(0) && !model.IsChecked(2));
        QCOMPARE(indexB.row(), 0);
        QCOMPARE(indexB.data().toString(), QStringLiteral("B"));
        // Numbers and progress are kept apart from the texts; they move too.
        QVERIFY(model.WritePacketCounts(2, 7, 1000));
        SRowProgressInfo progress;
        progress.nState = 2;
        progress.nProgress = 30;
        QVERIFY(model.WriteProgress(2, progress));
        model.Permute({ 2, 0, 1 }); // A, B, C
        QCOMPARE(model.index(0, 3).data().toString(), QStringLiteral("A"));
        QCOMPARE(model.RecordPort(2), 1);
        QCOMPARE(model.index(0, ReceiverColumn::Packets).data(ReceiverRole::SortKey).toDouble(), 7.1);
        QCOMPARE(model.index(0, ReceiverColumn::Progress).data(ReceiverRole::Extra).value<SRowProgressInfo>(), progress);
        QCOMPARE(spyLayout.count(), 3);
    }

    // An update names exactly the columns whose cells read differently.
    void writeRowReportsChangedColumns_data()
    {
        QTest::addColumn<bool>("portHidden");
        QTest::addColumn<QString>("field");
        QTest::addColumn<uint32_t>("keys");
        using namespace ReceiverColumn;
        for (const bool bHidden : { false, true }) {
            const char* szHidden = bHidden ? ", Port hidden" : "";
            QTest::newRow(qPrintable(QStringLiteral("nothing%1").arg(szHidden))) << bHidden << "" << 0u;
            QTest::newRow(qPrintable(QStringLiteral("port%1").arg(szHidden))) << bHidden << "port" << Bit(bHidden ? Position : Port);
            QTest::newRow(qPrintable(QStringLiteral("type name%1").arg(szHidden))) << bHidden << "typename" << Bit(Firmware);
            QTest::newRow(qPrintable(QStringLiteral("temperature%1").arg(szHidden))) << bHidden << "temperature" << Bit(Temperature);
            QTest::newRow(qPrintable(QStringLiteral("total%1").arg(szHidden))) << bHidden << "total" << Bit(Packets);
            QTest::newRow(qPrintable(QStringLiteral("progress%1").arg(szHidden))) << bHidden << "progress" << Bit(Progress);
        }
    }

    void writeRowReportsChangedColumns()
    {
        QFETCH(bool, portHidden);
        QFETCH(QString, field);
        QFETCH(uint32_t, keys);
        CReceiverTableModel model;
        QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
        model.SetPortShown(!portHidden);
        model.Rebuild(ThreeRows(), {});
        SReceiverRowInfo info = ThreeRows().at(1);
        SRowProgressInfo progress;
        if (field == QLatin1String("port"))
            info.nPort = 7;
        else if (field == QLatin1String("typename"))
            info.strTypeName = "RV-909";
        else if (field == QLatin1String("temperature"))
            info.strTemperature = "31.00\xC2\xB0" "C";
        else if (field == QLatin1String("total"))
            info.nTotalPackets = 1501;
        else if (field == QLatin1String("progress"))
            progress.nState = 2;
        QCOMPARE(model.WriteRow(1, info, progress), keys);
        QCOMPARE(model.WriteRow(1, info, progress), 0u);
        const int nFirm = model.Columns().ColumnOf(ReceiverColumn::Firmware);
        QCOMPARE(model.index(1, nFirm).data().toString(), ReceiverCellText::FirmwareText(info));
    }

    // A value written by anybody else shows until the view writes the row
    // again; mirrored keys follow a written text; an equal write sends nothing.
    void writesFromElsewhere()
    {
        CReceiverTableModel model;
        QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
        model.Rebuild(ThreeRows(), {});
        QSignalSpy spy(&model, &QAbstractItemModel::dataChanged);
        const QModelIndex indexType = model.index(0, ReceiverColumn::Type);
        QVERIFY(model.setData(indexType, QStringLiteral("Cabinet A")));
        QCOMPARE(spy.count(), 0);
        QVERIFY(model.setData(indexType, QStringLiteral("edited")));
        QCOMPARE(spy.count(), 1);
        QCOMPARE(spy.at(0).at(2).value<QVector<int>>(), (QVector<int> { Qt::DisplayRole, Qt::EditRole }));
        QCOMPARE(indexType.data(ReceiverRole::SortKey).toString(), QStringLiteral("edited"));
        QCOMPARE(indexType.data(ReceiverRole::PlainText).toString(), QStringLiteral("edited"));
        QVERIFY(model.setData(model.index(0, ReceiverColumn::Port), 9, ReceiverRole::SortKey));
        QCOMPARE(model.RowNumber(0, ReceiverColumn::Port), 9);
        QCOMPARE(model.WriteRow(0, ThreeRows().at(0), SRowProgressInfo()), Bit(ReceiverColumn::Port) | Bit(ReceiverColumn::Type));
        QCOMPARE(indexType.data().toString(), QStringLiteral("Cabinet A"));
        QCOMPARE(model.RowNumber(0, ReceiverColumn::Port), 0);
        // The packet re-read takes back only the packet cell's values.
        const QModelIndex indexPackets = model.index(0, ReceiverColumn::Packets);
        QVERIFY(model.setData(indexType, QStringLiteral("edited")));
        QVERIFY(model.setData(indexPackets, 1.5, ReceiverRole::SortKey));
        QVERIFY(model.WritePacketCounts(0, 3, 1500));
        QCOMPARE(indexPackets.data(ReceiverRole::SortKey).toDouble(), 3.15);
        QCOMPARE(indexType.data().toString(), QStringLiteral("edited"));
        QCOMPARE(model.RecordPort(0), 0);
        // A progress record compares by value: handed back as read, or built
        // anew with its own copy of the text, it is no change either.
        const QModelIndex indexProgress = model.index(0, ReceiverColumn::Progress);
        QSignalSpy spyProgress(&model, &QAbstractItemModel::dataChanged);
        QVERIFY(model.setData(indexProgress, indexProgress.data(ReceiverRole::Extra), ReceiverRole::Extra));
        SRowProgressInfo progress;
        progress.strText = QString::fromLatin1("N/") + QLatin1Char('A');
        QVERIFY(model.setData(indexProgress, QVariant::fromValue(progress), ReceiverRole::Extra));
        QCOMPARE(spyProgress.count(), 0);
        progress.nProgress = 40;
        QVERIFY(model.setData(indexProgress, QVariant::fromValue(progress), ReceiverRole::Extra));
        QCOMPARE(spyProgress.count(), 1);
        QCOMPARE(indexProgress.data(ReceiverRole::Extra).value<SRowProgressInfo>().nProgress, 40);
    }

    // The packet key is printed signed by rebuilds and updates, unsigned by
    // the packet re-read, and an update prints it signed again.
    void packetKeys()
    {
        CReceiverTableModel model;
        SReceiverRowInfo info = Info(0, 0, "A");
        info.nErrorPackets = 3000000000u;
        model.Rebuild({ info }, {});
        const QModelIndex index = model.index(0, ReceiverColumn::Packets);
        int nDigits = 0;
        const double dSigned = ReceiverCellText::PacketKey(int32_t(info.nErrorPackets), 1500, &nDigits);
        QCOMPARE(index.data(ReceiverRole::SortKey).toDouble(), dSigned);
        QVERIFY(model.WritePacketCounts(0, info.nErrorPackets, 1500));
        QCOMPARE(index.data(ReceiverRole::SortKey).toDouble(), 3000000000.15);
        QVERIFY(!model.WritePacketCounts(0, info.nErrorPackets, 1500));
        QCOMPARE(model.WriteRow(0, info, SRowProgressInfo()), Bit(ReceiverColumn::Packets));
        QCOMPARE(index.data(ReceiverRole::SortKey).toDouble(), dSigned);
        QCOMPARE(index.data(ReceiverRole::Extra).toInt(), 4);
    }

    // The first cell's box: a shown box holds a state, a hidden one none; only
    // the first cell of a checkable row is user-checkable, and no cell editable.
    void firstCellMarks()
    {
        CReceiverTableModel model;
        QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
        model.Rebuild(ThreeRows(), {});
        const QModelIndex index = model.index(1, 0);
        QVERIFY(!index.data(Qt::CheckStateRole).isValid() && !index.data(ReceiverRole::Extra).isValid());
        model.ShowBox(1);
        QCOMPARE(index.data(Qt::CheckStateRole), QVariant(int(Qt::Unchecked)));
        QCOMPARE(index.data(ReceiverRole::Extra), QVariant(true));
        QVERIFY(index.flags() & Qt::ItemIsUserCheckable);
        QVERIFY(!(model.index(1, 1).flags() & Qt::ItemIsUserCheckable));
        QSignalSpy spy(&model, &QAbstractItemModel::dataChanged);
        QVERIFY(model.SetCheckStateLive(1, Qt::Checked));
        QVERIFY(!model.SetCheckStateLive(1, Qt::Checked));
        QCOMPARE(spy.count(), 1);
        model.HideBox(1);
        QVERIFY(!index.data(Qt::CheckStateRole).isValid() && !(index.flags() & Qt::ItemIsUserCheckable));
        QCOMPARE(index.data(ReceiverRole::Extra), QVariant(false));
        for (int c = 0; c < model.columnCount(); ++c)
            QVERIFY(!(model.index(0, c).flags() & Qt::ItemIsEditable));
    }

    // Far more addresses than announced, repeated ones, and addresses that
    // differ in one field only: each finds its own value.
    void addressTable()
    {
        CAddressTable<int> table(1);
        auto address = [](int n) {
            SReceiverAddress a;
            a.nConnection = n % 3;
            a.nSenderCard = n % 5;
            a.nPort = n / 100;
            a.nPosition = n % 100;
            return a;
        };
        for (int n = 0; n < 5000; ++n) {
            const auto slot = table.Insert(address(n));
            QVERIFY(slot.second);
            *slot.first = n;
        }
        const auto again = table.Insert(address(42));
        QVERIFY(!again.second);
        QCOMPARE(*again.first, 42);
        QCOMPARE(table.Size(), size_t(5000));
        for (int n = 0; n < 5000; ++n) {
            const int* pValue = table.Find(address(n));
            QVERIFY(pValue);
            QCOMPARE(*pValue, n);
        }
        SReceiverAddress absent = address(7);
        absent.nDevice = 1;
        QVERIFY(!table.Find(absent));
        QVERIFY(!CAddressTable<int>(0).Find(absent));
        // The batch look-up answers as one look-up each, in order.
        std::vector<SReceiverAddress> vecAsked;
        for (int n = 4999; n >= 0; n -= 7)
            vecAsked.push_back(n % 5 == 0 ? absent : address(n));
        size_t nNext = 0;
        table.FindEach(vecAsked, [&](size_t i, const int* pValue) {
            QCOMPARE(i, nNext++);
            QCOMPARE(pValue, table.Find(vecAsked[i]));
        });
        QCOMPARE(nNext, vecAsked.size());
    }
};

QTEST_MAIN(TestModel)
#include "tst_model.moc"
