// Live data: the host's periodic UpdateShow, the packet re-read after a Reset,
// and the detection job a Reset click starts on the global thread pool.

#include "CMViewTestSupport.h"

#include <QCollator>

#include <algorithm>

using namespace cmtest;

namespace
{
constexpr quint32 s_nSeed = 7;

// A shown main view over a generated wall, counting the end-of-detection signal
// as the view receives it.
struct SLiveRig : CRig
{
    SLiveRig(int nPorts, int nPerPort, bool bPortHidden = false)
        : CRig(SSimWallConfig { nPorts, nPerPort, s_nSeed, bPortHidden, false })
        , cleared(Header(), &CReceiverListHeader::ClearCableError)
    {
        bShown = Show(QSize(1700, 800));
    }

    // A full rebuild shows exactly the wall's receivers, with every mark dropped
    // and the empty selection stored.
    bool RebuiltFromWall() const
    {
        std::vector<SReceiverAddress> vecWall;
        for (const SReceiverInfo& info : pWall->Receivers())
            vecWall.push_back(info.address);
        QStringList listWall = Describe(vecWall), listShown = ViewAddresses();
        listWall.sort();
        listShown.sort();
        return listShown == listWall && Checked().isEmpty() && pWall->GetSelectedReceivers().empty();
    }
    bool HasErrorsShown() const
    {
        for (const QString& strKey : ViewColumn(ReceiverColumn::Packets, ReceiverRole::SortKey))
            if (strKey.toDouble() >= 1.0)
                return true;
        return false;
    }

    CSignalCounter cleared;
    bool bShown = false;
};
}

class TestLiveData : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        // A second job must be able to start while the first one is held in its detection.
        if (QThreadPool::globalInstance()->maxThreadCount() < 2)
            QThreadPool::globalInstance()->setMaxThreadCount(2);
    }

    void detectionBranch_data()
    {
        QTest::addColumn<bool>("bPortHidden");
        QTest::addColumn<QUuid>("idDevice");
        QTest::addColumn<QStringList>("listJobCalls");

        // The controller calls of one Reset: the click's own, then the job's.
        const QStringList listAsk { "ClearCableErrors", "IsPortHidden", "GetCurrentDeviceId" };
        const QUuid idDefault = CSimWall::DefaultDeviceId(s_nSeed);
        QTest::newRow("port hidden: everything") << true << idDefault << QStringList { "ClearCableErrors", "IsPortHidden", "DetectAll" };
        QTest::newRow("current device") << false << idDefault << listAsk + QStringList { "DetectReceivers" };
        QTest::newRow("no device") << false << QUuid() << listAsk;
        // All zero bytes but a final 1 is a device, not the null id.
        QTest::newRow("nearly null device") << false << QUuid(0u, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1) << listAsk + QStringList { "DetectReceivers" };
    }

    void detectionBranch()
    {
        QFETCH(bool, bPortHidden);
        QFETCH(QUuid, idDevice);
        QFETCH(QStringList, listJobCalls);
        SLiveRig rig(1, 12, bPortHidden);
        QVERIFY(rig.bShown);
        rig.pWall->SetDeviceId(idDevice);
        rig.HoldDetection();
        QVERIFY(rig.HasErrorsShown());
        rig.pWall->ResetCallCounts();
        rig.pWall->SetCallLogEnabled(true);

        rig.ClickReset();
        const bool bDetects = listJobCalls.last().startsWith(QLatin1String("Detect"));
        if (bDetects) {
            QVERIFY(rig.DetectionEntered());
            // Held inside the detection: nothing has reached the view yet.
            QCOMPARE(rig.cleared.nCount, 0);
            QVERIFY(rig.HasErrorsShown());
            rig.ReleaseDetection();
        }
        QVERIFY(rig.WaitForJobs());
        QCOMPARE(rig.cleared.nCount, 1);
        // The view re-read the counters the Reset cleared.
        QVERIFY(!rig.HasErrorsShown());

        const QStringList listTracked { "ClearCableErrors", "IsPortHidden", "GetCurrentDeviceId", "DetectAll", "DetectReceivers" };
        QStringList listCalls = rig.pWall->CallLog();
        listCalls.erase(std::remove_if(listCalls.begin(), listCalls.end(), [&](const QString& str) { return !listTracked.contains(str); }),
                        listCalls.end());
        QCOMPARE(listCalls, listJobCalls);
        QCOMPARE(rig.pWall->DetectAllCount() + rig.pWall->DetectReceiversCount(), bDetects ? 1 : 0);
        if (bDetects) {
            QVERIFY(rig.pWall->LastDetectThread() != nullptr && rig.pWall->LastDetectThread() != QThread::currentThreadId());
            if (!bPortHidden)
                QCOMPARE(rig.pWall->LastDetectedDevice(), idDevice);
        }
    }

    void resetWhileDetecting()
    {
        SLiveRig rig(2, 6);
        QVERIFY(rig.bShown);
        rig.HoldDetection();
        rig.pWall->ResetCallCounts();

        rig.ClickReset();
        QVERIFY(rig.DetectionEntered());
        QVERIFY(CReceiverListHeader::IsDetecting());
        rig.ClickReset();
        // The second job finds the first one detecting and ends at once.
        QTRY_COMPARE_WITH_TIMEOUT(QThreadPool::globalInstance()->activeThreadCount(), 1, c_nWaitMs);
        QCOMPARE(rig.pWall->CallCount("ClearCableErrors"), 2);
        rig.ReleaseDetection();
        QVERIFY(rig.WaitForJobs());
        QCOMPARE(rig.pWall->CallCount("IsPortHidden"), 1);
        QCOMPARE(rig.pWall->CallCount("DetectReceivers"), 1);
        QCOMPARE(rig.cleared.nCount, 1);

        // The flag is down again: the next Reset detects.
        rig.ClickReset();
        QVERIFY(rig.DetectionEntered());
        rig.ReleaseDetection();
        QVERIFY(rig.WaitForJobs());
        QCOMPARE(rig.pWall->DetectReceiversCount(), 2);
        QCOMPARE(rig.cleared.nCount, 2);
    }

    void destroyViewWhileDetecting()
    {
        SLiveRig rig(2, 6);
        QVERIFY(rig.bShown);
        rig.HoldDetection();
        rig.ClickReset();
        QVERIFY(rig.DetectionEntered());
        rig.DestroyView();
        rig.ReleaseDetection();
        QVERIFY(rig.WaitForJobs());
        QCOMPARE(rig.pWall->DetectReceiversCount(), 1);
        QCOMPARE(rig.cleared.nCount, 0);
    }

    // A Reset that finds the same receivers re-reads the packet counts and nothing else.
    void packetCountAfterDetection()
    {
        SLiveRig rig(3, 5);
        QVERIFY(rig.bShown);
        QSignalSpy spyDataChange(rig.Main(), &CCMMainView::DataChange);
        rig.ClickRow(2);
        QCOMPARE(rig.Checked(), QStringList(rig.ViewAddresses().at(2)));
        const QStringList listSelected = rig.Reported();
        QCOMPARE(listSelected, rig.Checked());
        rig.pWall->Tick();

        // Every column but the packet counts, with the check marks, row by row.
        const auto rowTexts = [&rig]() {
            QStringList list = rig.ViewColumn(ReceiverColumn::Port, Qt::CheckStateRole);
            for (int nKey = 0; nKey < ReceiverColumn::Count; ++nKey)
                if (nKey != ReceiverColumn::Packets)
                    list += rig.ViewColumn(nKey, ReceiverRole::SortKey);
            return list;
        };
        const QStringList listBefore = rowTexts();
        const QStringList listKeysBefore = rig.ViewColumn(ReceiverColumn::Packets, ReceiverRole::SortKey);
        rig.ClickReset();
        QVERIFY(rig.WaitForJobs());
        QCOMPARE(rig.cleared.nCount, 1);
        QCOMPARE(spyDataChange.count(), 0);
        QCOMPARE(rowTexts(), listBefore);
        const QStringList listKeys = rig.ViewColumn(ReceiverColumn::Packets, ReceiverRole::SortKey);
        for (int p = 0; p < listKeys.size(); ++p) {
            // Errors cleared, totals moved on by the tick.
            QVERIFY(listKeys.at(p) != listKeysBefore.at(p));
            QVERIFY(listKeys.at(p).toDouble() < 1.0);
        }
        QCOMPARE(rig.Reported(), listSelected);
    }

    void rebuilds_data()
    {
        QTest::addColumn<int>("nChange"); // a receiver plugged (1), unplugged (-1) or exchanged (0)
        QTest::addColumn<bool>("bReset"); // seen by a Reset's detection, else by the host's updates
        QTest::newRow("plugged, Reset") << 1 << true;
        QTest::newRow("unplugged, Reset") << -1 << true;
        QTest::newRow("unplugged, update") << -1 << false;
        QTest::newRow("exchanged, same count, update") << 0 << false;
    }

    void rebuilds()
    {
        QFETCH(int, nChange);
        QFETCH(bool, bReset);
        SLiveRig rig(2, 6);
        QVERIFY(rig.bShown);
        QSignalSpy spyDataChange(rig.Main(), &CCMMainView::DataChange);
        const int nRows = rig.Model()->rowCount();
        rig.ClickRow(1);
        QCOMPARE(rig.Reported().size(), 1);

        if (nChange > 0)
            rig.pWall->PlugReceiver(1);
        else if (nChange < 0)
            rig.pWall->UnplugReceiver(1);
        if (nChange == 0) {
            QList<SReceiverInfo> listReceivers = rig.pWall->Receivers();
            listReceivers[4].address.nPosition = 40;
            rig.pWall->SetReceivers(listReceivers);
            rig.Main()->UpdateShow();
        } else if (bReset) {
            rig.ClickReset();
            QVERIFY(rig.WaitForJobs());
            QCOMPARE(rig.cleared.nCount, 1);
        } else {
            rig.pWall->ApplyTopologyNow();
            // The first call collects the shorter list; the next one finds the
            // rows no longer matching that collection.
            rig.Main()->UpdateShow();
            rig.Main()->UpdateShow();
        }
        QCOMPARE(rig.Model()->rowCount(), nRows + nChange);
        QVERIFY(rig.RebuiltFromWall());
        // The detection's rebuild tells the host, exactly once; an update's does not.
        QCOMPARE(spyDataChange.count(), bReset ? 1 : 0);
    }

    void updateShowInPlace_data()
    {
        QTest::addColumn<int>("nKey");
        QTest::newRow("sorted by packets, in the row list") << int(ReceiverColumn::Packets);
        QTest::newRow("sorted by temperature, in the proxy") << int(ReceiverColumn::Temperature);
    }

    void updateShowInPlace()
    {
        QFETCH(int, nKey);
        const bool bListSorted = nKey == ReceiverColumn::Packets;
        const int nFilterPort = 1;
        SLiveRig rig(3, 6);
        QVERIFY(rig.bShown);
        rig.pWall->SetFilterPort(nFilterPort);
        rig.Main()->RefreshShow();
        rig.ClickSection(nKey);
        QCOMPARE(rig.Header()->GetSortColumn(), nKey);
        rig.Main()->SelectAll();

        CReceiverTableModel* pModel = rig.Model();
        const int nRows = pModel->rowCount();
        QVector<quint64> vecRowIds;
        for (int r = 0; r < nRows; ++r)
            vecRowIds << pModel->RowId(r);
        QSignalSpy spyReset(pModel, &QAbstractItemModel::modelReset);
        QSignalSpy spyLayout(pModel, &QAbstractItemModel::layoutChanged);
        QSignalSpy spyRemoved(pModel, &QAbstractItemModel::rowsRemoved);
        const QStringList listOrderBefore = rig.ViewAddresses();
        const QStringList listSelected = rig.Reported();
        QCOMPARE(listSelected.size(), rig.View()->GetFilterRowCount());

        rig.pWall->Tick();
        if (bListSorted) {
            // Ticks only nudge the totals; make the first row's counts belong at the end.
            QList<SReceiverInfo> listReceivers = rig.pWall->Receivers();
            for (SReceiverInfo& info : listReceivers)
                if (info.address == rig.ViewAddress(0))
                    info.nErrorPackets += 100000;
            rig.pWall->SetReceivers(listReceivers);
        }
        rig.Main()->UpdateShow();

        // The same rows, rewritten where they stand.
        QCOMPARE(pModel->rowCount(), nRows);
        for (int r = 0; r < nRows; ++r)
            QCOMPARE(pModel->RowId(r), vecRowIds.at(r));
        QCOMPARE(spyReset.count() + spyLayout.count() + spyRemoved.count(), 0);

        QMap<QString, double> mapKey;
        for (const SReceiverInfo& info : rig.pWall->Receivers())
            mapKey[Describe({ info.address }).first()] = QStringLiteral("%1.%2").arg(info.nErrorPackets).arg(info.nTotalPackets).toDouble();
        const QStringList listTemperatures = rig.ViewColumn(ReceiverColumn::Temperature);
        for (int p = 0; p < nRows; ++p) {
            const SReceiverAddress address = rig.ViewAddress(p);
            QCOMPARE(rig.Item(p, ReceiverColumn::Packets)->data(ReceiverRole::SortKey).toDouble(), mapKey.value(rig.ViewAddresses().at(p), -1.0));
            // The filter is applied again, and the hidden rows stay unchecked.
            const bool bShown = address.nPort == nFilterPort;
            QCOMPARE(rig.View()->isRowHidden(p, QModelIndex()), !bShown);
            QCOMPARE(rig.First(p)->checkState(), bShown ? Qt::Checked : Qt::Unchecked);
            if (!bListSorted && p > 0)
                QVERIFY2(QString::compare(listTemperatures.at(p - 1), listTemperatures.at(p)) <= 0, qPrintable(listTemperatures.at(p)));
        }
        QCOMPARE(rig.Header()->GetCheckBoxState(), int(Qt::Checked));
        QCOMPARE(rig.Reported(), listSelected);
        // A list sort keeps the rows where it put them; the proxy sorts anew.
        QCOMPARE(rig.ViewAddresses() == listOrderBefore, bListSorted);
    }

    // A header sort of the row list moves the rows in one layout change and
    // then announces only cells that read differently from before the move:
    // none on an unchanged wall, a host's edit the sort writes over exactly
    // where it shows.
    void sortAnnouncesOnlyChangedCells()
    {
        SLiveRig rig(3, 6);
        QVERIFY(rig.bShown);
        CReceiverTableModel* pModel = rig.Model();
        QVector<QRect> vecNotices;
        connect(pModel, &QAbstractItemModel::dataChanged, pModel, [&](const QModelIndex& tl, const QModelIndex& br) {
            vecNotices << QRect(QPoint(tl.column(), tl.row()), QPoint(br.column(), br.row()));
        });
        // The first sort brings back the stored selection's check marks;
        // the next two change nothing but the order.
        rig.ClickSection(ReceiverColumn::SerialNumber);
        vecNotices.clear();
        QSignalSpy spyLayout(pModel, &QAbstractItemModel::layoutChanged);
        rig.ClickSection(ReceiverColumn::SerialNumber);
        rig.ClickSection(ReceiverColumn::SerialNumber);
        QCOMPARE(spyLayout.count(), 2);
        QCOMPARE(vecNotices, QVector<QRect>());

        // A host's edit is written over by the next sort, and only its cell
        // is announced.
        const int nEdited = 7;
        const QString strType = Cell(pModel, nEdited, ReceiverColumn::Type)->text();
        QVERIFY(pModel->setData(pModel->index(nEdited, ReceiverColumn::Type), QStringLiteral("edited")));
        const quint64 nEditedId = pModel->RowId(nEdited);
        vecNotices.clear();
        rig.ClickSection(ReceiverColumn::SerialNumber);
        int nEditedRow = -1;
        for (int r = 0; r < pModel->rowCount(); ++r) {
            if (pModel->RowId(r) == nEditedId)
                nEditedRow = r;
        }
        QVERIFY(nEditedRow >= 0);
        QCOMPARE(Cell(pModel, nEditedRow, ReceiverColumn::Type)->text(), strType);
        QCOMPARE(vecNotices, QVector<QRect>({ QRect(ReceiverColumn::Type, nEditedRow, 1, 1) }));
    }

    // An update rewrites only what changed since the view last wrote a row; the
    // table must still read exactly as a rebuild from the same data reads,
    // also after the host touched the model behind the view's back.
    void updateMatchesRebuild_data()
    {
        QTest::addColumn<QString>("strCase");
        QTest::addColumn<bool>("bPortHidden");
        for (const char* szCase : { "ticks", "host edits texts", "host sorts the model", "counts past 2^31" }) {
            QTest::newRow(szCase) << QString::fromLatin1(szCase) << false;
            QTest::newRow(qPrintable(QStringLiteral("%1, Port hidden").arg(QLatin1String(szCase)))) << QString::fromLatin1(szCase) << true;
        }
    }

    void updateMatchesRebuild()
    {
        QFETCH(QString, strCase);
        QFETCH(bool, bPortHidden);
        SLiveRig rig(3, 5, bPortHidden);
        QVERIFY(rig.bShown);
        CReceiverTableModel* pModel = rig.Model();
        const int H = rig.Hidden();
        // Every text and key of every cell, by the row's receiver.
        const auto table = [&]() {
            QMap<QString, QStringList> map;
            for (int r = 0; r < pModel->rowCount(); ++r) {
                const CCell pFirst = Cell(pModel, r, 0);
                const int nPort = H ? pFirst->data(ReceiverRole::RealPort).toInt() : pFirst->data(ReceiverRole::SortKey).toInt();
                const int nPosition = Cell(pModel, r, ReceiverColumn::Position - H)->data(ReceiverRole::SortKey).toInt();
                QStringList& list = map[QStringLiteral("%1:%2").arg(nPort).arg(nPosition)];
                for (int c = 0; c < pModel->columnCount(); ++c) {
                    const CCell pItem = Cell(pModel, r, c);
                    list << pItem->text() << pItem->data(ReceiverRole::SortKey).toString()
                         << pItem->data(ReceiverRole::PlainText).toString();
                    if (c == ReceiverColumn::Packets - H)
                        list << pItem->data(ReceiverRole::Extra).toString();
                }
            }
            return map;
        };

        for (int nRound = 0; nRound < 3; ++nRound) {
            rig.pWall->Tick();
            if (strCase == QLatin1String("host edits texts")) {
                Cell(pModel, nRound, ReceiverColumn::Type - H)->setText(QStringLiteral("edited"));
                Cell(pModel, nRound + 1, ReceiverColumn::Packets - H)->setData(0.5, ReceiverRole::SortKey);
            } else if (strCase == QLatin1String("host sorts the model")) {
                pModel->sort(ReceiverColumn::SerialNumber - H, nRound % 2 ? Qt::AscendingOrder : Qt::DescendingOrder);
            } else if (strCase == QLatin1String("counts past 2^31")) {
                QList<SReceiverInfo> listReceivers = rig.pWall->Receivers();
                listReceivers[nRound].nErrorPackets = 3000000000u;
                listReceivers[nRound + 1].nTotalPackets = 4000000000u;
                rig.pWall->SetReceivers(listReceivers);
                // The re-read prints counts unsigned, a rebuild signed.
                rig.View()->UpdatePacketCount();
            }
            rig.Main()->UpdateShow();
            const QMap<QString, QStringList> mapUpdated = table();
            QCOMPARE(mapUpdated.size(), rig.pWall->ReceiverCount());
            rig.Main()->RefreshShow();
            QCOMPARE(mapUpdated, table());
        }
    }

    void portPreferenceFlip_data()
    {
        QTest::addColumn<int>("nKey");
        QTest::addColumn<QString>("strLabel");
        QTest::newRow("S/N, sorted in the row list") << int(ReceiverColumn::SerialNumber) << QStringLiteral("S/N");
        QTest::newRow("Type, sorted in the proxy") << int(ReceiverColumn::Type) << QStringLiteral("Type");
    }

    void portPreferenceFlip()
    {
        QFETCH(int, nKey);
        QFETCH(QString, strLabel);
        // One port, so that a row's position alone names its receiver once the Port column is gone.
        SLiveRig rig(1, 12);
        QVERIFY(rig.bShown);
        rig.ClickSection(nKey);
        rig.pWall->SetPortHidden(true);
        rig.Main()->UpdateShow();
        QCOMPARE(rig.Header()->GetSortColumn(), nKey);

        // The next refresh re-lays the columns; it and the updates after it keep the order.
        QCollator collator(QLocale(QLocale::Chinese, QLocale::China));
        collator.setNumericMode(true);
        collator.setCaseSensitivity(Qt::CaseSensitive);
        for (int nStep = 0; nStep < 3; ++nStep) {
            if (nStep == 0) {
                rig.Main()->RefreshShow();
                QCOMPARE(rig.Hidden(), 1);
            } else {
                rig.pWall->Tick();
                rig.Main()->UpdateShow();
            }
            QCOMPARE(rig.Header()->GetSortColumn(), nKey - 1);
            QCOMPARE(rig.Header()->GetLabels().value(nKey - 1), strLabel);
            const QStringList listTexts = rig.ViewColumn(nKey);
            for (int p = 1; p < listTexts.size(); ++p) {
                const int nOrder = nKey == ReceiverColumn::SerialNumber ? collator.compare(listTexts.at(p - 1), listTexts.at(p))
                                                                        : QString::compare(listTexts.at(p - 1), listTexts.at(p));
                QVERIFY2(nOrder <= 0, qPrintable(listTexts.at(p - 1) + " before " + listTexts.at(p)));
            }
        }

        // A click on a view row checks and reports that row's receiver.
        rig.ClickRow(3);
        QCOMPARE(rig.First(3)->checkState(), Qt::Checked);
        QCOMPARE(rig.Reported(), QStringList(rig.ViewAddresses().at(3)));
    }
};

QTEST_MAIN(TestLiveData)
#include "tst_livedata.moc"
