// Live data: the host's periodic UpdateShow, the packet re-read after a Reset,
// and the detection job a Reset click starts on the global thread pool.

#include "CCMMainView.h"
#include "CReceiverListHeader.h"
#include "CReceiverListView.h"
#include "CSimWall.h"
#include "SReceiverRowInfo.h"

#include <QAbstractItemModelTester>
#include <QCollator>
#include <QPointer>
#include <QSemaphore>
#include <QSortFilterProxyModel>
#include <QStandardItemModel>
#include <QThreadPool>
#include <QtTest>

#include <algorithm>
#include <memory>

namespace
{
constexpr quint32 s_nSeed = 7;
constexpr int s_nWaitMs = 30000;

// The S/N column shows the serial number's ASCII letters and digits only.
QString ShownSerial(const SReceiverInfo& info)
{
    QString str;
    for (const char c : info.strSerialNumber) {
        if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9'))
            str += QLatin1Char(c);
    }
    return str;
}

QString AddressText(const SReceiverAddress& a)
{
    return QStringLiteral("%1/%2").arg(a.nPort).arg(a.nPosition);
}

const SReceiverInfo* FindReceiver(const QList<SReceiverInfo>& list, const SReceiverAddress& address)
{
    for (const SReceiverInfo& info : list) {
        if (info.address == address)
            return &info;
    }
    return nullptr;
}
}

class TestLiveData : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();
    void detectionBranch_data();
    void detectionBranch();
    void resetWhileDetecting();
    void destroyViewWhileDetecting();
    void packetCountAfterDetection_data();
    void packetCountAfterDetection();
    void updateShowInPlace_data();
    void updateShowInPlace();
    void updateShowRebuilds_data();
    void updateShowRebuilds();
    void portPreferenceFlip_data();
    void portPreferenceFlip();

private:
    bool Start(const SSimWallConfig& config);
    void HoldDetection();
    bool WaitForJobs();
    bool ClickReset();
    bool ClickSection(int nSection);
    bool ClickRow(int nViewRow, int nColumn);
    SReceiverAddress ViewRowAddress(int nViewRow) const;
    QStringList ViewAddresses() const;
    bool RebuiltFromWall() const;
    bool HasErrorsShown() const;

    std::unique_ptr<CSimWall> m_pWall;
    QPointer<CCMMainView> m_pMain;
    CReceiverListView* m_pView = nullptr;
    CReceiverListHeader* m_pHeader = nullptr;
    QSemaphore m_semEntered;
    QSemaphore m_semGate;
    int m_nClearSignals = 0;
};

void TestLiveData::initTestCase()
{
    // A second job must be able to start while the first one is held in its detection.
    QThreadPool* pPool = QThreadPool::globalInstance();
    if (pPool->maxThreadCount() < 2)
        pPool->setMaxThreadCount(2);
}

void TestLiveData::cleanup()
{
    // Never leave a job held or running into the next test.
    m_semGate.release(64);
    QVERIFY(WaitForJobs());
    m_semGate.tryAcquire(m_semGate.available());
    m_semEntered.tryAcquire(m_semEntered.available());
    delete m_pMain;
    QCoreApplication::processEvents();
    m_pView = nullptr;
    m_pHeader = nullptr;
    m_pWall.reset();
    m_nClearSignals = 0;
}

bool TestLiveData::Start(const SSimWallConfig& config)
{
    m_pWall = std::make_unique<CSimWall>(config);
    m_pWall->Install();
    m_pMain = new CCMMainView;
    m_pMain->resize(1700, 800);
    m_pView = m_pMain->GetReceiverListView();
    m_pHeader = m_pView->GetHeader();
    new QAbstractItemModelTester(m_pView->GetModel(), QAbstractItemModelTester::FailureReportingMode::QtTest,
                                 m_pView->GetModel());
    // Queued (the job emits from a pool thread) and connected after the view,
    // so the view's handler has run whenever this count moves.
    connect(m_pHeader, &CReceiverListHeader::ClearCableError, this, [this]() { ++m_nClearSignals; });
    m_pMain->show();
    if (!QTest::qWaitForWindowExposed(m_pMain))
        return false;
    m_pMain->RefreshShow();
    QCoreApplication::processEvents();
    return m_pView->GetModel()->rowCount() == m_pWall->ReceiverCount();
}

void TestLiveData::HoldDetection()
{
    m_pWall->SetDetectHook([this]() { m_semEntered.release(); m_semGate.acquire(); });
}

bool TestLiveData::WaitForJobs()
{
    const bool bDone = QThreadPool::globalInstance()->waitForDone(s_nWaitMs);
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
    return bDone && !CReceiverListHeader::IsDetecting();
}

bool TestLiveData::ClickReset()
{
    // The button's hit rectangle is recorded while the header paints.
    m_pHeader->viewport()->repaint();
    QCoreApplication::processEvents();
    const QRect rect = m_pHeader->GetResetRect();
    if (!rect.isValid() || !m_pHeader->viewport()->rect().contains(rect))
        return false;
    QTest::mouseClick(m_pHeader->viewport(), Qt::LeftButton, Qt::NoModifier, rect.center());
    return true;
}

bool TestLiveData::ClickSection(int nSection)
{
    m_pHeader->viewport()->repaint();
    QCoreApplication::processEvents();
    const QPoint pos(m_pHeader->sectionViewportPosition(nSection) + m_pHeader->sectionSize(nSection) / 2,
                     m_pHeader->height() / 2);
    if (m_pHeader->GetResetRect().contains(pos) || m_pHeader->GetCheckRect().contains(pos)
        || m_pHeader->GetFilterRect().contains(pos))
        return false;
    QTest::mouseClick(m_pHeader->viewport(), Qt::LeftButton, Qt::NoModifier, pos);
    return m_pHeader->GetSortColumn() == nSection;
}

bool TestLiveData::ClickRow(int nViewRow, int nColumn)
{
    const QRect rect = m_pView->visualRect(m_pView->model()->index(nViewRow, nColumn));
    if (!rect.isValid() || !m_pView->viewport()->rect().contains(rect.center()))
        return false;
    // The row's box appears under the mouse first, as it does for a real pointer.
    QMouseEvent move(QEvent::MouseMove, rect.center(), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(m_pView->viewport(), &move);
    QTest::mouseClick(m_pView->viewport(), Qt::LeftButton, Qt::NoModifier, rect.center());
    return true;
}

SReceiverAddress TestLiveData::ViewRowAddress(int nViewRow) const
{
    const QAbstractItemModel* pModel = m_pView->model();
    const int H = m_pView->GetPortColumnHidden();
    const int nPort = H ? 0 : pModel->index(nViewRow, ReceiverColumn::Port).data(ReceiverRole::SortKey).toInt();
    SReceiverAddress address;
    static_cast<SPortAddress&>(address) = CSimWall::DefaultPortAddress(nPort);
    address.nPosition = pModel->index(nViewRow, ReceiverColumn::Position - H).data(ReceiverRole::SortKey).toInt();
    return address;
}

QStringList TestLiveData::ViewAddresses() const
{
    QStringList list;
    for (int p = 0; p < m_pView->model()->rowCount(); ++p)
        list << AddressText(ViewRowAddress(p));
    return list;
}

// A full rebuild shows exactly the wall's receivers, with every mark dropped
// and the empty selection stored.
bool TestLiveData::RebuiltFromWall() const
{
    QStringList listWall;
    for (const SReceiverInfo& info : m_pWall->Receivers())
        listWall << AddressText(info.address);
    QStringList listShown = ViewAddresses();
    listWall.sort();
    listShown.sort();
    for (int p = 0; p < m_pView->model()->rowCount(); ++p) {
        if (m_pView->model()->index(p, 0).data(Qt::CheckStateRole).toInt() == Qt::Checked)
            return false;
    }
    return listShown == listWall && m_pWall->GetSelectedReceivers().empty();
}

bool TestLiveData::HasErrorsShown() const
{
    const int nColumn = ReceiverColumn::Packets - m_pView->GetPortColumnHidden();
    for (int p = 0; p < m_pView->model()->rowCount(); ++p) {
        if (m_pView->model()->index(p, nColumn).data(ReceiverRole::SortKey).toDouble() >= 1.0)
            return true;
    }
    return false;
}

void TestLiveData::detectionBranch_data()
{
    QTest::addColumn<bool>("bPortHidden");
    QTest::addColumn<QUuid>("idDevice");
    QTest::addColumn<QStringList>("listJobCalls");

    // The controller calls of one Reset: the click's own, then the job's.
    const QStringList listAsk { "ClearCableErrors", "IsPortHidden", "GetCurrentDeviceId" };
    const QUuid idDefault = CSimWall::DefaultDeviceId(s_nSeed);
    QTest::newRow("port hidden: everything") << true << idDefault
                                             << QStringList { "ClearCableErrors", "IsPortHidden", "DetectAll" };
    QTest::newRow("current device") << false << idDefault << listAsk + QStringList { "DetectReceivers" };
    QTest::newRow("no device") << false << QUuid() << listAsk;
    // All zero bytes but a final 1 is a device, not the null id.
    QTest::newRow("nearly null device") << false << QUuid(0u, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1)
                                        << listAsk + QStringList { "DetectReceivers" };
}

void TestLiveData::detectionBranch()
{
    QFETCH(bool, bPortHidden);
    QFETCH(QUuid, idDevice);
    QFETCH(QStringList, listJobCalls);

    QVERIFY(Start({ 1, 12, s_nSeed, bPortHidden, false }));
    m_pWall->SetDeviceId(idDevice);
    HoldDetection();
    QVERIFY(HasErrorsShown());
    m_pWall->ResetCallCounts();
    m_pWall->SetCallLogEnabled(true);

    QVERIFY(ClickReset());
    const bool bDetects = listJobCalls.last().startsWith(QLatin1String("Detect"));
    if (bDetects) {
        QVERIFY(m_semEntered.tryAcquire(1, s_nWaitMs));
        // Held inside the detection: nothing has reached the view yet.
        QCOMPARE(m_nClearSignals, 0);
        QVERIFY(HasErrorsShown());
        m_semGate.release();
    }
    QVERIFY(WaitForJobs());

    QCOMPARE(m_nClearSignals, 1);
    // The view re-read the counters the Reset cleared.
    QVERIFY(!HasErrorsShown());

    const QStringList listTracked { "ClearCableErrors", "IsPortHidden", "GetCurrentDeviceId", "DetectAll",
                                    "DetectReceivers" };
    QStringList listCalls = m_pWall->CallLog();
    listCalls.erase(std::remove_if(listCalls.begin(), listCalls.end(),
                                   [&](const QString& str) { return !listTracked.contains(str); }),
                    listCalls.end());
    QCOMPARE(listCalls, listJobCalls);
    QCOMPARE(m_pWall->DetectAllCount() + m_pWall->DetectReceiversCount(), bDetects ? 1 : 0);
    if (bDetects) {
        QVERIFY(m_pWall->LastDetectThread() != nullptr);
        QVERIFY(m_pWall->LastDetectThread() != QThread::currentThreadId());
        if (!bPortHidden)
            QCOMPARE(m_pWall->LastDetectedDevice(), idDevice);
    }
}

void TestLiveData::resetWhileDetecting()
{
    QVERIFY(Start({ 2, 6, s_nSeed, false, false }));
    HoldDetection();
    m_pWall->ResetCallCounts();

    QVERIFY(ClickReset());
    QVERIFY(m_semEntered.tryAcquire(1, s_nWaitMs));
    QVERIFY(CReceiverListHeader::IsDetecting());
    QVERIFY(ClickReset());
    // The second job finds the first one detecting and ends at once.
    QTRY_COMPARE_WITH_TIMEOUT(QThreadPool::globalInstance()->activeThreadCount(), 1, s_nWaitMs);
    QCOMPARE(m_pWall->CallCount("ClearCableErrors"), 2);
    m_semGate.release();
    QVERIFY(WaitForJobs());

    QCOMPARE(m_pWall->CallCount("IsPortHidden"), 1);
    QCOMPARE(m_pWall->CallCount("DetectReceivers"), 1);
    QCOMPARE(m_nClearSignals, 1);

    // The flag is down again: the next Reset detects.
    QVERIFY(ClickReset());
    QVERIFY(m_semEntered.tryAcquire(1, s_nWaitMs));
    m_semGate.release();
    QVERIFY(WaitForJobs());
    QCOMPARE(m_pWall->DetectReceiversCount(), 2);
    QCOMPARE(m_nClearSignals, 2);
}

void TestLiveData::destroyViewWhileDetecting()
{
    QVERIFY(Start({ 2, 6, s_nSeed, false, false }));
    HoldDetection();
    QVERIFY(ClickReset());
    QVERIFY(m_semEntered.tryAcquire(1, s_nWaitMs));

    delete m_pMain;
    m_pView = nullptr;
    m_pHeader = nullptr;
    m_semGate.release();
    QVERIFY(WaitForJobs());
    QCOMPARE(m_pWall->DetectReceiversCount(), 1);
    QCOMPARE(m_nClearSignals, 0);
}

void TestLiveData::packetCountAfterDetection_data()
{
    QTest::addColumn<int>("nCountChange");
    QTest::newRow("receiver plugged") << 1;
    QTest::newRow("receiver unplugged") << -1;
    QTest::newRow("count unchanged") << 0;
}

void TestLiveData::packetCountAfterDetection()
{
    QFETCH(int, nCountChange);

    QVERIFY(Start({ 3, 5, s_nSeed, false, false }));
    QSignalSpy spyDataChange(m_pMain.data(), &CCMMainView::DataChange);
    QStandardItemModel* pModel = m_pView->GetModel();
    const int nRows = pModel->rowCount();
    QVERIFY(ClickRow(2, ReceiverColumn::SerialNumber));
    const int nCheckedRow = m_pView->GetProxyModel()->mapToSource(m_pView->model()->index(2, 0)).row();
    QCOMPARE(pModel->item(nCheckedRow, 0)->checkState(), Qt::Checked);
    const std::vector<SReceiverAddress> vecSelected = m_pWall->GetSelectedReceivers();
    QCOMPARE(vecSelected.size(), size_t(1));

    if (nCountChange > 0)
        m_pWall->PlugReceiver(1);
    else if (nCountChange < 0)
        m_pWall->UnplugReceiver(1);
    m_pWall->Tick();

    // Every cell but the packet counts, with the check marks, row by row.
    const auto rowTexts = [pModel]() {
        QStringList list;
        for (int r = 0; r < pModel->rowCount(); ++r) {
            QString str = QString::number(pModel->item(r, 0)->checkState());
            for (int c = 0; c < pModel->columnCount(); ++c) {
                if (c != ReceiverColumn::Packets)
                    str += QLatin1Char('|') + pModel->item(r, c)->data(ReceiverRole::SortKey).toString();
            }
            list << str;
        }
        return list;
    };
    const QStringList listBefore = rowTexts();
    QVector<double> vecKeysBefore;
    for (int r = 0; r < nRows; ++r)
        vecKeysBefore << pModel->item(r, ReceiverColumn::Packets)->data(ReceiverRole::SortKey).toDouble();

    QVERIFY(ClickReset());
    QTRY_COMPARE_WITH_TIMEOUT(m_nClearSignals, 1, s_nWaitMs);
    QVERIFY(WaitForJobs());
    QCOMPARE(pModel->rowCount(), nRows + nCountChange);

    if (nCountChange != 0) {
        QCOMPARE(spyDataChange.count(), 1);
        QVERIFY(RebuiltFromWall());
        return;
    }

    QCOMPARE(spyDataChange.count(), 0);
    QCOMPARE(rowTexts(), listBefore);
    for (int r = 0; r < nRows; ++r) {
        // Errors cleared, totals moved on by the tick.
        const double dKey = pModel->item(r, ReceiverColumn::Packets)->data(ReceiverRole::SortKey).toDouble();
        QVERIFY(dKey != vecKeysBefore.at(r));
        QVERIFY(dKey < 1.0);
    }
    QCOMPARE(pModel->item(nCheckedRow, 0)->checkState(), Qt::Checked);
    QVERIFY(m_pWall->GetSelectedReceivers() == vecSelected);
}

void TestLiveData::updateShowInPlace_data()
{
    QTest::addColumn<int>("nKey");
    QTest::newRow("sorted by packets, in the row list") << int(ReceiverColumn::Packets);
    QTest::newRow("sorted by temperature, in the proxy") << int(ReceiverColumn::Temperature);
}

void TestLiveData::updateShowInPlace()
{
    QFETCH(int, nKey);
    const bool bListSorted = nKey == ReceiverColumn::Packets;
    const int nFilterPort = 1;

    QVERIFY(Start({ 3, 6, s_nSeed, false, false }));
    m_pWall->SetFilterPort(nFilterPort);
    m_pMain->RefreshShow();
    QVERIFY(ClickSection(nKey));
    m_pMain->SelectAll();

    QStandardItemModel* pModel = m_pView->GetModel();
    const int nRows = pModel->rowCount();
    QVector<QStandardItem*> vecItems;
    for (int r = 0; r < nRows; ++r) {
        for (int c = 0; c < pModel->columnCount(); ++c)
            vecItems << pModel->item(r, c);
    }
    const QStringList listOrderBefore = ViewAddresses();
    const std::vector<SReceiverAddress> vecSelected = m_pWall->GetSelectedReceivers();
    QCOMPARE(int(vecSelected.size()), m_pView->GetFilterRowCount());

    m_pWall->Tick();
    if (bListSorted) {
        // Ticks only nudge the totals; make the first row's counts belong at the end.
        QList<SReceiverInfo> listReceivers = m_pWall->Receivers();
        for (SReceiverInfo& info : listReceivers) {
            if (info.address == ViewRowAddress(0))
                info.nErrorPackets += 100000;
        }
        m_pWall->SetReceivers(listReceivers);
    }
    m_pMain->UpdateShow();

    // The same items, rewritten where they stand.
    QCOMPARE(pModel->rowCount(), nRows);
    int i = 0;
    for (int r = 0; r < nRows; ++r) {
        for (int c = 0; c < pModel->columnCount(); ++c)
            QCOMPARE(pModel->item(r, c), vecItems.at(i++));
    }

    const QList<SReceiverInfo> listReceivers = m_pWall->Receivers();
    QString strPreviousTemperature;
    for (int p = 0; p < nRows; ++p) {
        const SReceiverAddress address = ViewRowAddress(p);
        const SReceiverInfo* pInfo = FindReceiver(listReceivers, address);
        QVERIFY(pInfo);
        const QString strKey = QStringLiteral("%1.%2").arg(pInfo->nErrorPackets).arg(pInfo->nTotalPackets);
        QCOMPARE(m_pView->model()->index(p, ReceiverColumn::Packets).data(ReceiverRole::SortKey).toDouble(),
                 strKey.toDouble());
        const bool bShown = address.nPort == nFilterPort;
        QCOMPARE(m_pView->isRowHidden(p, QModelIndex()), !bShown);
        QCOMPARE(m_pView->model()->index(p, 0).data(Qt::CheckStateRole).toInt(),
                 int(bShown ? Qt::Checked : Qt::Unchecked));
        const QString strTemperature = m_pView->model()->index(p, ReceiverColumn::Temperature).data().toString();
        if (!bListSorted)
            QVERIFY2(QString::compare(strPreviousTemperature, strTemperature) <= 0, qPrintable(strTemperature));
        strPreviousTemperature = strTemperature;
    }
    QCOMPARE(m_pHeader->GetCheckBoxState(), int(Qt::Checked));
    QVERIFY(m_pWall->GetSelectedReceivers() == vecSelected);

    if (bListSorted) {
        // New counts appear, but the rows stay where the last sort put them.
        QCOMPARE(ViewAddresses(), listOrderBefore);
    } else {
        QVERIFY(ViewAddresses() != listOrderBefore);
    }
}

void TestLiveData::updateShowRebuilds_data()
{
    QTest::addColumn<bool>("bExchange");
    QTest::newRow("receiver unplugged") << false;
    QTest::newRow("receiver exchanged, same count") << true;
}

void TestLiveData::updateShowRebuilds()
{
    QFETCH(bool, bExchange);

    QVERIFY(Start({ 2, 6, s_nSeed, false, false }));
    QSignalSpy spyDataChange(m_pMain.data(), &CCMMainView::DataChange);
    QVERIFY(ClickRow(1, ReceiverColumn::SerialNumber));
    QCOMPARE(m_pWall->GetSelectedReceivers().size(), size_t(1));

    if (bExchange) {
        QList<SReceiverInfo> listReceivers = m_pWall->Receivers();
        listReceivers[4].address.nPosition = 40;
        m_pWall->SetReceivers(listReceivers);
        m_pMain->UpdateShow();
    } else {
        m_pWall->UnplugReceiver(1);
        m_pWall->ApplyTopologyNow();
        // The first call collects the shorter list; the next one finds the
        // rows no longer matching that collection.
        m_pMain->UpdateShow();
        m_pMain->UpdateShow();
    }

    QVERIFY(RebuiltFromWall());
    QCOMPARE(spyDataChange.count(), 0);
}

void TestLiveData::portPreferenceFlip_data()
{
    QTest::addColumn<int>("nKey");
    QTest::addColumn<QString>("strLabel");
    QTest::newRow("S/N, sorted in the row list") << int(ReceiverColumn::SerialNumber) << QStringLiteral("S/N");
    QTest::newRow("Type, sorted in the proxy") << int(ReceiverColumn::Type) << QStringLiteral("Type");
}

void TestLiveData::portPreferenceFlip()
{
    QFETCH(int, nKey);
    QFETCH(QString, strLabel);

    // One port, so that a row's position alone names its receiver once the Port column is gone.
    QVERIFY(Start({ 1, 12, s_nSeed, false, false }));
    QVERIFY(ClickSection(nKey));
    // Periodic updates run before and right after the flip; the columns are
    // laid out anew only by the next refresh, so neither may move the sort.
    m_pMain->UpdateShow();
    QCOMPARE(m_pHeader->GetSortColumn(), nKey);
    m_pWall->SetPortHidden(true);
    m_pMain->UpdateShow();
    QCOMPARE(m_pHeader->GetSortColumn(), nKey);

    QCollator collator(QLocale(QLocale::Chinese, QLocale::China));
    collator.setNumericMode(true);
    collator.setCaseSensitivity(Qt::CaseSensitive);
    const int nColumn = nKey - 1;
    for (int nStep = 0; nStep < 3; ++nStep) {
        if (nStep == 0) {
            m_pMain->RefreshShow();
            QCOMPARE(m_pView->GetPortColumnHidden(), 1);
        } else {
            m_pWall->Tick();
            m_pMain->UpdateShow();
        }
        QCOMPARE(m_pHeader->GetSortColumn(), nColumn);
        QCOMPARE(m_pHeader->GetLabels().value(nColumn), strLabel);
        for (int p = 1; p < m_pView->model()->rowCount(); ++p) {
            const QString strPrevious = m_pView->model()->index(p - 1, nColumn).data().toString();
            const QString strThis = m_pView->model()->index(p, nColumn).data().toString();
            const int nOrder = nKey == ReceiverColumn::SerialNumber ? collator.compare(strPrevious, strThis)
                                                                    : QString::compare(strPrevious, strThis);
            QVERIFY2(nOrder <= 0, qPrintable(strPrevious + QLatin1String(" before ") + strThis));
        }
    }

    const int nViewRow = 3;
    const QString strSerial = m_pView->model()->index(nViewRow, ReceiverColumn::SerialNumber - 1).data().toString();
    const QString strPosition = m_pView->model()->index(nViewRow, ReceiverColumn::Position - 1).data().toString();
    QVERIFY(ClickRow(nViewRow, ReceiverColumn::SerialNumber - 1));
    QCOMPARE(m_pView->model()->index(nViewRow, 0).data(Qt::CheckStateRole).toInt(), int(Qt::Checked));
    const std::vector<SReceiverAddress> vecSelected = m_pWall->GetSelectedReceivers();
    QCOMPARE(vecSelected.size(), size_t(1));
    const QList<SReceiverInfo> listReceivers = m_pWall->Receivers();
    const SReceiverInfo* pInfo = FindReceiver(listReceivers, vecSelected.front());
    QVERIFY(pInfo);
    QCOMPARE(ShownSerial(*pInfo), strSerial);
    QCOMPARE(QString::number(vecSelected.front().nPosition + 1), strPosition);
}

QTEST_MAIN(TestLiveData)
#include "tst_livedata.moc"
