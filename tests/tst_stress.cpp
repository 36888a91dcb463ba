// A seeded random walk over the receiver view: host calls, mouse and keyboard
// gestures, detection jobs and topology changes, over controller data that is
// as hostile as a controller can make it. After every step the view's promises
// are checked: the model stays a sane model, every report to the runtime
// controller names exactly the checked rows, check marks change only through
// the paths that may change them, and the header box agrees with the rows.
//
// CMVIEW_STRESS_SEED (decimal or 0x...) and CMVIEW_STRESS_STEPS choose the walk;
// a failure prints both and the last actions, so any run can be replayed.

#include "TestStress.h"

#include "CPortSelectWidget.h"

#include <QApplication>
#include <QPushButton>
#include <QScrollBar>
#include <QThreadPool>
#include <QtTest>

#include <algorithm>

void TestStress::initTestCase()
{
    bool bOk = false;
    m_nSeed = qEnvironmentVariable("CMVIEW_STRESS_SEED").toULongLong(&bOk, 0);
    if (!bOk)
        m_nSeed = 20261205;
    m_nSteps = qEnvironmentVariableIntValue("CMVIEW_STRESS_STEPS", &bOk);
    if (!bOk || m_nSteps < 1)
        m_nSteps = 3000;
    qInfo("CMVIEW_STRESS_SEED=%llu CMVIEW_STRESS_STEPS=%d", m_nSeed, m_nSteps);

    const QStringList listDirs { qEnvironmentVariable("CMVIEW_QM_DIR"), QCoreApplication::applicationDirPath() + QStringLiteral("/../resources/translations") };
    for (const QString& strDir : listDirs) {
        if (!strDir.isEmpty() && m_translator.load(QStringLiteral("cmview_zh_CN.qm"), strDir)) {
            m_bHaveQm = true;
            break;
        }
    }
}

void TestStress::cleanup()
{
    QThreadPool::globalInstance()->waitForDone();
    if (m_bTranslated)
        QCoreApplication::removeTranslator(&m_translator);
    m_bTranslated = false;
    m_pTester.reset();
    m_pMap.reset();
    m_pMain.reset();
    m_pWall.reset();
}

void TestStress::randomWalk()
{
    m_rng = CRandom(m_nSeed);
    SSimWallConfig config;
    config.nPortCount = 4;
    config.nReceiversPerPort = 5;
    config.nSeed = quint32(m_nSeed);
    config.bPortHidden = m_rng.Percent(30);
    m_pWall.reset(new CSimWall(config));
    m_pWall->Install();
    m_listBaseline = m_pWall->Receivers();
    m_mapBaseline = m_pWall->CabinetMap();

    m_pMain.reset(new CCMMainView);
    m_pMain->resize(1500, 640);
    m_pMain->show();
    m_pMain->activateWindow(); // cell editors get the keyboard, as for a user
    QVERIFY(QTest::qWaitForWindowActive(m_pMain.get()));
    m_pView = m_pMain->GetReceiverListView();
    m_pHeader = m_pView->GetHeader();
    m_pTester.reset(new QAbstractItemModelTester(Model(), QAbstractItemModelTester::FailureReportingMode::QtTest));
    // The map follows the walk too, over the same hostile addresses. Not
    // under ThreadSanitizer: there its relayouts during a detection draw a
    // report with both accesses inside QtCore's uninstrumented code, whose
    // futex-based locks the sanitizer cannot see.
#if !defined(__SANITIZE_THREAD__)
    m_pMap.reset(new CWallMapView(m_pMain.get()));
    m_pMap->resize(400, 300);
    m_pMap->show();
#endif

    connect(m_pView, &CReceiverListView::RcvSelectChanged, this, &TestStress::OnReport);
    connect(m_pView, &CReceiverListView::DataChange, this, [this]() { ++m_nDataChange; });
    connect(m_pView, &CReceiverListView::SignalFiltrate, this, [this]() { ++m_nFiltrate; });
    connect(m_pView, &CReceiverListView::SignalShowPack, this, [this](bool bShow) { m_nShowPack += bShow ? 1 : 1000; });
    connect(m_pView->GetPortSelectWidget(), &CPortSelectWidget::SignalClicked, this, [this]() { ++m_nPopupClosed; });
    // Emitted on the pool thread; only counted there.
    connect(m_pHeader, &CReceiverListHeader::ClearCableError, this, [this]() { ++m_nClearCableError; }, Qt::DirectConnection);
    connect(Model(), &QAbstractItemModel::dataChanged, this, [this](const QModelIndex& tl, const QModelIndex& br, const QVector<int>& roles) {
        if (tl == br && tl.column() == 0 && roles.contains(Qt::CheckStateRole))
            ++m_nLiveChecks; // one check mark written with the model's signals live
    });

    m_pMain->RefreshShow();
    Settle();
    for (m_nStep = 0; m_nStep < m_nSteps; ++m_nStep) {
        Step();
        const QString strError = QTest::currentTestFailed() ? QStringLiteral("the model tester complained (above)") : Verify();
        if (!strError.isEmpty()) {
            const QString strReplay = QStringLiteral("replay: CMVIEW_STRESS_SEED=%1 CMVIEW_STRESS_STEPS=%2, failed at step %3\nlast actions:\n  %4\n")
                                          .arg(m_nSeed).arg(m_nSteps).arg(m_nStep).arg(m_listLog.join(QStringLiteral("\n  ")));
            QFAIL(qPrintable(strReplay + strError));
        }
    }
}

std::vector<int> TestStress::ViewRows() const
{
    std::vector<int> vec;
    for (int p = 0; p < Proxy()->rowCount(); ++p)
        vec.push_back(Proxy()->mapToSource(Proxy()->index(p, 0)).row());
    return vec;
}

std::set<quint64> TestStress::CheckedItems() const
{
    std::set<quint64> set;
    for (int r = 0; r < Model()->rowCount(); ++r) {
        if (IsChecked(r))
            set.insert(Model()->RowId(r));
    }
    return set;
}

SReceiverAddress TestStress::Address(int nPort, int nPosition) const
{
    SReceiverAddress address;
    static_cast<SPortAddress&>(address) = g_pOutputPortControl->GetPortAddress(nPort);
    address.nPosition = nPosition;
    return address;
}

// The address a report names for a checked row.
SReceiverAddress TestStress::ReportAddress(int r) const
{
    const bool bPort = m_pView->IsShowPort();
    const cmtest::CCell pFirst = Cell(r, 0);
    return Address(bPort ? Number(pFirst) : 0, bPort ? Number(Cell(r, 1)) : Number(pFirst));
}

// Three-state summary over the rows the view shows.
int TestStress::SummaryState() const
{
    bool bChecked = false;
    bool bUnchecked = false;
    for (int p = 0; p < Proxy()->rowCount(); ++p) {
        const cmtest::CCell pFirst = cmtest::CCell(Model(), Proxy()->mapToSource(Proxy()->index(p, 0)));
        if (!m_pView->isRowHidden(p, QModelIndex()))
            (pFirst && pFirst->isCheckable() && pFirst->checkState() == Qt::Checked ? bChecked : bUnchecked) = true;
    }
    return bChecked && bUnchecked ? Qt::PartiallyChecked : bChecked ? Qt::Checked : Qt::Unchecked;
}

// Header state after a full refresh or an incremental update, read off the
// rows: the rows that came back checked (a refresh: every checked row, hidden
// ones too; an update: the rows of stored receivers only) against the rows the
// view shows. Unlike the three-state summary it does not look at which rows are
// checked: a checked row the port filter hides stands in for a shown row that
// is not, and a row an update found checked but did not restore is not counted.
// The next summary (any check change) then sets the box from the shown rows.
int TestStress::CountState(int nChecked) const
{
    int nShown = 0;
    for (int p = 0; p < Proxy()->rowCount(); ++p)
        nShown += !m_pView->isRowHidden(p, QModelIndex());
    return nChecked == 0 ? Qt::Unchecked : nChecked == nShown ? Qt::Checked : Qt::PartiallyChecked;
}

void TestStress::OnReport()
{
    ++m_nReports;
    m_setAtReport = CheckedItems();
    std::vector<SReceiverAddress> vecChecked;
    for (const int r : ViewRows()) {
        if (IsChecked(r))
            vecChecked.push_back(ReportAddress(r));
    }
    const std::vector<SReceiverAddress> vecStored = m_pWall->GetSelectedReceivers();
    if (!m_strError.isEmpty())
        return;
    if (vecStored != vecChecked)
        m_strError = QStringLiteral("reported %1, but the checked rows in view order are %2").arg(Describe(vecStored), Describe(vecChecked));
    else if (m_pWall->SelectionDeviceId() != m_pWall->DeviceId())
        m_strError = QStringLiteral("the report carries another device id");
}

void TestStress::Step()
{
    m_before.setChecked = CheckedItems();
    m_before.vecStored = m_pWall->GetSelectedReceivers();
    m_before.bSameDevice = m_pWall->SelectionDeviceId() == m_pWall->DeviceId();
    m_before.nHeaderState = m_pHeader->GetCheckBoxState();
    m_before.nSortColumn = m_pHeader->GetSortColumn();
    m_before.bSortFlag = m_pHeader->GetSortFlag();
    m_before.nAnchor = m_pView->GetAnchorRow();
    m_before.bProgressing = m_pView->IsProgressing();
    m_before.bSplitCursor = m_pHeader->cursor().shape() == Qt::SplitHCursor;
    m_before.nHidden = (m_pView->IsShowPort() ? 0 : 1);
    m_expect = SExpect();
    m_nReports = m_nLiveChecks = m_nDataChange = m_nShowPack = m_nFiltrate = m_nPopupClosed = m_nShowPackExpected = 0;
    m_nClearCableError = 0;

    struct SAction { int nWeight; void (TestStress::*pfn)(); };
    static const SAction s_arrActions[] = {
        { 12, &TestStress::ActHost }, { 7, &TestStress::ActUpdateShow }, { 5, &TestStress::ActProgress },
        { 2, &TestStress::ActLanguage }, { 12, &TestStress::ActHover }, { 20, &TestStress::ActRowClick },
        { 10, &TestStress::ActHeader }, { 4, &TestStress::ActPopup }, { 6, &TestStress::ActKeys },
        { 7, &TestStress::ActReceivers }, { 16, &TestStress::ActWall },
    };
    int nTotal = 0;
    for (const SAction& action : s_arrActions)
        nTotal += action.nWeight;
    int nPick = m_rng.Below(nTotal);
    for (const SAction& action : s_arrActions) {
        if ((nPick -= action.nWeight) < 0) {
            (this->*action.pfn)();
            break;
        }
    }
    Settle();
}

// ---- host calls

// A full refresh that drops every check mark.
void TestStress::ExpectClearingRefresh()
{
    m_expect.eReport = EReport::Some;
    m_expect.bReloaded = m_expect.bNoneChecked = true;
    m_expect.eHeader = EHeader::Unchecked;
}

QString TestStress::Verify()
{
    if (!m_strError.isEmpty())
        return m_strError;
    if (m_expect.eReport == EReport::None && m_nReports > 0)
        return QStringLiteral("reported the selection %1 times, where nothing reports").arg(m_nReports);
    if (m_expect.eReport == EReport::Some && m_nReports == 0)
        return QStringLiteral("did not report the selection");
    if (m_nShowPack != m_nShowPackExpected || m_pView->GetServiceKeyStep() != m_nKeyState)
        return QStringLiteral("key sequence: state %1 (expected %2), SignalShowPack %3 (expected %4)")
            .arg(m_pView->GetServiceKeyStep()).arg(m_nKeyState).arg(m_nShowPack).arg(m_nShowPackExpected);

    // Check marks change only through a report, or in the one direction a silent path allows.
    const std::set<quint64> setNow = CheckedItems();
    const std::set<quint64>& setRef = m_nReports > 0 ? m_setAtReport : m_before.setChecked;
    const bool bKept = std::includes(setNow.begin(), setNow.end(), setRef.begin(), setRef.end());
    const bool bAdded = !std::includes(setRef.begin(), setRef.end(), setNow.begin(), setNow.end());
    if ((m_expect.eRel != ERel::Grow && bAdded) || (m_expect.eRel != ERel::Shrink && !bKept))
        return QStringLiteral("check marks changed without a report: %1 checked rows, %2 before").arg(setNow.size()).arg(setRef.size());

    const QString strStructure = VerifyStructure();
    if (!strStructure.isEmpty())
        return strStructure;

    const int nRows = Model()->rowCount();
    const int H = (m_pView->IsShowPort() ? 0 : 1);
    const QVector<SReceiverRowInfo>& listInfo = m_pView->GetRowInfoList();
    if (m_expect.bReloaded || m_expect.bRebuilt) {
        if (nRows != listInfo.size() || (m_expect.bReloaded && nRows != m_pWall->ReceiverCount()))
            return QStringLiteral("%1 rows for %2 records and %3 receivers after a refresh").arg(nRows).arg(listInfo.size()).arg(m_pWall->ReceiverCount());
        for (int r = 0; r < nRows; ++r) {
            if (Number(Cell(r, ReceiverColumn::Position - H)) != listInfo.at(r).nPosition || (!H && Number(Cell(r, 0)) != listInfo.at(r).nPort))
                return QStringLiteral("row %1 was not built from record %1").arg(r);
        }
    }
    if (m_expect.bRestored) {
        const std::set<SReceiverAddress> setStored(m_before.vecStored.begin(), m_before.vecStored.end());
        const bool bDevice = !m_pView->IsShowPort() || m_before.bSameDevice;
        for (int r = 0; r < nRows; ++r) {
            const bool bStored = bDevice && setStored.count(Address(listInfo.at(r).nPort, listInfo.at(r).nPosition));
            if (IsChecked(r) != bStored)
                return QStringLiteral("row %1 is %2checked, but its receiver is %3 in the stored selection").arg(r).arg(IsChecked(r) ? "" : "not ", bStored ? "" : "not");
        }
    }
    if (m_expect.bNoneChecked && !setNow.empty())
        return QStringLiteral("%1 rows checked after a refresh that clears").arg(setNow.size());
    if (m_expect.nSelectAll >= 0) {
        if (m_pView->IsMultiCheck() != bool(m_expect.nSelectAll))
            return QStringLiteral("multi-check mode not set by SelectAll");
        for (int p = 0; p < Proxy()->rowCount(); ++p) {
            const QModelIndex indexSource = Proxy()->mapToSource(Proxy()->index(p, 0));
            const cmtest::CCell pFirst = cmtest::CCell(Model(), indexSource);
            const bool bChecked = m_expect.nSelectAll && !m_pView->isRowHidden(p, QModelIndex());
            // A popup closing over the rows hands the pointer back to the view,
            // whose row under it shows its (unchecked) box again.
            const bool bHoverBox = !m_expect.nSelectAll && indexSource.row() == m_pView->GetHoverRow() && pFirst->checkState() == Qt::Unchecked;
            if (bHoverBox)
                continue;
            if (pFirst->isCheckable() != bool(m_expect.nSelectAll) || (pFirst->checkState() == Qt::Checked) != bChecked)
                return QStringLiteral("view row %1 after SelectAll(%2): checkable %3, state %4").arg(p).arg(m_expect.nSelectAll).arg(pFirst->isCheckable()).arg(pFirst->checkState());
        }
    }
    int nHeader = -1;
    switch (m_expect.eHeader) {
    case EHeader::Free: break;
    case EHeader::Count: nHeader = CountState(m_expect.nHeaderCount >= 0 ? m_expect.nHeaderCount : int(setNow.size())); break;
    case EHeader::Summary: nHeader = SummaryState(); break;
    case EHeader::Checked: nHeader = Qt::Checked; break;
    case EHeader::Unchecked: nHeader = Qt::Unchecked; break;
    }
    if (nHeader >= 0 && m_pHeader->GetCheckBoxState() != nHeader)
        return QStringLiteral("header box %1, expected %2").arg(m_pHeader->GetCheckBoxState()).arg(nHeader);
    return QString();
}

// What holds after every step, whatever it was.
QString TestStress::VerifyStructure()
{
    const int H = (m_pView->IsShowPort() ? 0 : 1);
    const int nRows = Model()->rowCount();
    if (m_pView->IsShowPort() == bool(H) || Model()->columnCount() != ReceiverColumn::Count - H || m_pHeader->GetLabels().size() != Model()->columnCount())
        return QStringLiteral("column layout: show port %1, %2 columns, %3 labels").arg(m_pView->IsShowPort()).arg(Model()->columnCount()).arg(m_pHeader->GetLabels().size());
    std::set<int> setPorts;
    for (int r = 0; m_pMap && r < nRows; ++r) {
        setPorts.insert(Model()->RecordPort(r));
        if (m_pMap->CellRect(Model()->RecordPort(r), Model()->RecordPosition(r)).isNull())
            return QStringLiteral("the map has no cell for row %1 (%2:%3)").arg(r).arg(Model()->RecordPort(r)).arg(Model()->RecordPosition(r));
    }
    if (m_pMap && m_pMap->LineCount() != int(setPorts.size()))
        return QStringLiteral("the map has %1 lines for %2 ports").arg(m_pMap->LineCount()).arg(setPorts.size());
    if (Proxy()->rowCount() != nRows || m_pView->GetAnchorRow() < -1 || m_pView->GetAnchorRow() >= nRows)
        return QStringLiteral("%1 view rows for %2 rows, anchor row %3").arg(Proxy()->rowCount()).arg(nRows).arg(m_pView->GetAnchorRow());
    if (m_pHeader->IsButtonsEnabled() == m_pView->IsProgressing() || CReceiverListHeader::IsDetecting())
        return QStringLiteral("header enabled %1 while progressing %2").arg(m_pHeader->IsButtonsEnabled()).arg(m_pView->IsProgressing());
    int nVisible = 0;
    for (int r = 0; r < nRows; ++r) {
        const cmtest::CCell pFirst = Cell(r, 0);
        if (!pFirst || pFirst->isCheckable() != pFirst->data(ReceiverRole::Extra).toBool() || (pFirst->checkState() == Qt::Checked && !pFirst->isCheckable()))
            return QStringLiteral("row %1: check box flag and checkable flag disagree").arg(r);
        for (int nKey = H; nKey <= ReceiverColumn::Position; ++nKey) { // Port and String position show their numbers
            const cmtest::CCell pItem = Cell(r, nKey - H);
            if (!pItem || pItem->text() != QString::number(qint64(Number(pItem)) + 1))
                return QStringLiteral("row %1 column %2 shows '%3' for the number %4").arg(r).arg(nKey - H).arg(pItem ? pItem->text().left(40) : QString()).arg(Number(pItem));
        }
        const bool bHidden = m_pView->isRowHidden(Proxy()->mapFromSource(Model()->index(r, 0)).row(), QModelIndex());
        const bool bShown = !m_pView->IsShowPort() || m_pView->GetFilterPort() == -1 || Number(pFirst) == m_pView->GetFilterPort();
        if (bHidden == bShown)
            return QStringLiteral("row %1 is %2 under port filter %3").arg(r).arg(bHidden ? "hidden" : "shown").arg(m_pView->GetFilterPort());
        nVisible += !bHidden;
    }
    if (m_pView->IsShowPort() && m_pView->GetFilterRowCount() != nVisible)
        return QStringLiteral("filter row count %1 for %2 visible rows").arg(m_pView->GetFilterRowCount()).arg(nVisible);
    return QString();
}

QTEST_MAIN(TestStress)
