// A seeded random walk over the receiver view: host calls, mouse and keyboard
// gestures, detection jobs and topology changes, over controller data that is
// as hostile as a controller can make it. After every step the view's promises
// are checked: the model stays a sane model, every report to the runtime
// controller names exactly the checked rows, check marks change only through
// the paths that may change them, and the header box agrees with the rows.
//
// CMVIEW_STRESS_SEED (decimal or 0x...) and CMVIEW_STRESS_STEPS choose the walk;
// a failure prints both and the last actions, so any run can be replayed.

#include "CCMMainView.h"
#include "CPortSelectWidget.h"
#include "CReceiverListHeader.h"
#include "CReceiverListView.h"
#include "CMViewTestSupport.h"
#include "CSimWall.h"

#include <QAbstractItemModelTester>
#include <QApplication>
#include <QPushButton>
#include <QScrollBar>
#include <QSortFilterProxyModel>
#include <QThreadPool>
#include <QTranslator>
#include <QtTest>

#include <algorithm>
#include <atomic>
#include <cfloat>
#include <climits>
#include <cmath>
#include <memory>
#include <set>

namespace
{
// splitmix64: the same walk from the same seed on every platform and library.
class CRandom
{
public:
    explicit CRandom(quint64 nSeed = 0) : m_nState(nSeed) {}
    quint64 Next()
    {
        quint64 z = (m_nState += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    int Below(int n) { return n > 0 ? int(Next() % quint64(n)) : 0; }
    bool Percent(int n) { return Below(100) < n; }
    template <typename T> T Pick(std::initializer_list<T> list) { return *(list.begin() + Below(int(list.size()))); }

private:
    quint64 m_nState;
};

int HostileInt(CRandom& rng) { return rng.Pick<int>({ INT_MIN, INT_MIN + 1, -2, -1, 0, 1, 2, 3, 9, 10, 99, INT_MAX - 1, INT_MAX, rng.Below(6) }); }
quint32 HostileCount(CRandom& rng) { return rng.Pick<quint32>({ 0u, 1u, 999999u, 1000000u, 0x7FFFFFFFu, 0x80000000u, UINT32_MAX - 1, UINT32_MAX, quint32(rng.Next()) }); }
double HostileReal(CRandom& rng)
{
    return rng.Pick<double>({ std::nan(""), -std::nan(""), HUGE_VAL, -HUGE_VAL, DBL_MAX, -DBL_MAX, DBL_MIN, 4.9e-324, -0.0, 1e15, -273.15, 45.9, 5.04, rng.Below(4000) / 7.0 - 200.0 });
}

// Empty, huge, and never-valid UTF-8 texts (overlong, encoded surrogate,
// beyond U+10FFFF, truncated, embedded NUL).
std::string HostileText(CRandom& rng, bool bHuge)
{
    switch (rng.Below(9)) {
    case 0: return std::string();
    case 1: return bHuge && rng.Percent(25) ? std::string(65536, 'A') : std::string("AB-12 34/x");
    case 2: return "\xff\xfe\xfd";
    case 3: return "\xc0\xaf" "R10";
    case 4: return "\xed\xa0\x80" "S9";
    case 5: return std::string("a\0b", 3);
    case 6: return "\xf4\x90\x80\x80\xe2\x82";
    case 7: {
        std::string str(bHuge && rng.Percent(15) ? 65536 : 40, '\0');
        for (char& c : str)
            c = char(rng.Next());
        return str;
    }
    default: return "R" + std::to_string(rng.Below(30));
    }
}

SReceiverInfo Hostile(SReceiverInfo info, CRandom& rng)
{
    if (rng.Percent(25)) info.address.nPort = HostileInt(rng);
    if (rng.Percent(25)) info.address.nPosition = HostileInt(rng);
    if (rng.Percent(5)) info.address.nConnection = HostileInt(rng);
    if (rng.Percent(15)) info.nTypeCode = HostileInt(rng);
    if (rng.Percent(30)) info.strSerialNumber = HostileText(rng, true);
    if (rng.Percent(20)) info.strCabinetId = HostileText(rng, true);
    if (rng.Percent(20)) info.nVersionMajor = HostileInt(rng);
    if (rng.Percent(20)) info.nVersionMinor = HostileInt(rng);
    if (rng.Percent(40)) info.bTemperatureValid = rng.Percent(70), info.dTemperature = HostileReal(rng);
    if (rng.Percent(40)) info.bHumidityValid = rng.Percent(70), info.dHumidity = HostileReal(rng);
    if (rng.Percent(30)) info.nErrorPackets = HostileCount(rng);
    if (rng.Percent(30)) info.nTotalPackets = HostileCount(rng);
    if (rng.Percent(30)) info.nUptime = HostileCount(rng);
    if (rng.Percent(15)) info.nCabinetKeyHigh = HostileInt(rng), info.nCabinetKeyMid = HostileInt(rng), info.nCabinetKeyLow = HostileInt(rng);
    if (rng.Percent(25)) {
        info.mapModule.clear();
        for (int i = rng.Below(4); i > 0; --i)
            info.mapModule[HostileInt(rng)] = SModuleInfo { HostileInt(rng), HostileText(rng, false), rng.Percent(50), qint16(rng.Pick<int>({ -32768, -1, 0, 1, 255, 256, 32767 })) };
    }
    if (rng.Percent(25))
        info.mapSensor[rng.Percent(80) ? 3 : HostileInt(rng)] = SSensorValue { HostileInt(rng), rng.Percent(70), HostileReal(rng) };
    return info;
}

QString Describe(const std::vector<SReceiverAddress>& vec)
{
    QStringList list;
    for (const SReceiverAddress& a : vec)
        list << QStringLiteral("%1/%2/%3/%4:%5").arg(a.nConnection).arg(a.nDevice).arg(a.nSenderCard).arg(a.nPort).arg(a.nPosition);
    return QLatin1Char('[') + list.join(QLatin1Char(' ')) + QLatin1Char(']');
}

int Number(const cmtest::CCell& cell) { return cell ? cell.data(ReceiverRole::SortKey).toInt() : 0; }

enum class ERel { Same, Shrink, Grow };  // checked rows after the step (or its last report) against before
enum class EReport { None, Any, Some };
enum class EHeader { Free, Count, Summary, Checked, Unchecked };

// What the step just taken promises; Verify() holds the view to it.
struct SExpect
{
    ERel eRel = ERel::Same;
    EReport eReport = EReport::None;
    bool bReloaded = false;  // rows rebuilt from a fresh collection: one per receiver
    bool bRebuilt = false;   // rows rebuilt from the row list
    bool bRestored = false;  // check marks are exactly the stored selection
    bool bNoneChecked = false;
    int nSelectAll = -1;     // 1 / 0: SelectAll(true / false) had the last word
    EHeader eHeader = EHeader::Free;
    int nHeaderCount = -1;   // rows counted as restored; -1: the checked rows
};

struct SBefore
{
    std::set<quint64> setChecked;
    std::vector<SReceiverAddress> vecStored;
    bool bSameDevice = true;
    int nHeaderState = 0;
    int nSortColumn = 0;
    bool bSortFlag = true;
    int nAnchor = -1;
    bool bProgressing = false;
    bool bSplitCursor = false;
    int nHidden = 0;
};
}

class TestStress : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void randomWalk();
    void cleanup();

private:
    CReceiverTableModel* Model() const { return static_cast<CReceiverTableModel*>(m_pView->GetModel()); }
    QSortFilterProxyModel* Proxy() const { return m_pView->GetProxyModel(); }
    void Log(const QString& str) { m_listLog << QStringLiteral("%1: %2").arg(m_nStep).arg(str); while (m_listLog.size() > 16) m_listLog.removeFirst(); }
    void Settle() { QCoreApplication::processEvents(); }
    bool IsChecked(int r) const { const cmtest::CCell cell = Cell(r, 0); return cell && cell->checkState() == Qt::Checked; }
    cmtest::CCell Cell(int r, int c) const { return cmtest::CCell(Model(), r, c); }
    std::vector<int> ViewRows() const;
    std::set<quint64> CheckedItems() const;
    SReceiverAddress Address(int nPort, int nPosition) const;
    SReceiverAddress ReportAddress(int r) const;
    int SummaryState() const;
    int CountState(int nChecked) const;
    void OnReport();

    void Step();
    void ExpectClearingRefresh();
    void ActHost();
    void ActUpdateShow();
    void ActProgress();
    void ActLanguage();
    void ActHover();
    void ActRowClick();
    void ActHeader();
    void PressHeader(const QPoint& pos);
    void ExpectSort(int nSection);
    void Reset(const QPoint& pos);
    void ActPopup();
    void ActKeys();
    void ActReceivers();
    void ActWall();
    QString Verify();
    QString VerifyStructure();

    quint64 m_nSeed = 0;
    int m_nSteps = 0;
    int m_nStep = 0;
    CRandom m_rng;
    std::unique_ptr<CSimWall> m_pWall;
    std::unique_ptr<CCMMainView> m_pMain;
    std::unique_ptr<QAbstractItemModelTester> m_pTester;
    CReceiverListView* m_pView = nullptr;
    CReceiverListHeader* m_pHeader = nullptr;
    QList<SReceiverInfo> m_listBaseline;
    QMap<quint64, SCabinetInfo> m_mapBaseline;
    QTranslator m_translator;
    bool m_bHaveQm = false;
    bool m_bTranslated = false;
    QStringList m_listLog;

    SBefore m_before;
    SExpect m_expect;
    QString m_strError;
    int m_nReports = 0;
    std::set<quint64> m_setAtReport;
    int m_nLiveChecks = 0;
    int m_nDataChange = 0;
    int m_nShowPack = 0;
    int m_nFiltrate = 0;
    int m_nPopupClosed = 0;
    std::atomic<int> m_nClearCableError { 0 };
    int m_nKeyState = 0; // the hidden key sequence as the view should see it
    int m_nShowPackExpected = 0;
};

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

void TestStress::ActHost()
{
    switch (m_rng.Below(4)) {
    case 0:
        Log(QStringLiteral("SelectAll()"));
        m_pMain->SelectAll();
        m_expect.eReport = EReport::Some;
        m_expect.nSelectAll = 1;
        m_expect.eHeader = EHeader::Checked;
        break;
    case 1:
        Log(QStringLiteral("Quit()"));
        m_pMain->Quit();
        break;
    default:
        Log(QStringLiteral("RefreshShow()"));
        m_pMain->RefreshShow();
        ExpectClearingRefresh();
    }
}

void TestStress::ActUpdateShow()
{
    const bool bMustRebuild = Model()->rowCount() != m_pView->GetRowInfoList().size();
    Log(QStringLiteral("UpdateShow()"));
    m_pMain->UpdateShow();
    if (m_nReports > 0 || bMustRebuild) { // the full-refresh fallback
        ExpectClearingRefresh();
        return;
    }
    // Rows of receivers in the stored selection come back checked; the header
    // counts those receivers.
    m_expect.eRel = ERel::Grow;
    m_expect.eHeader = EHeader::Count;
    const std::set<SReceiverAddress> setStored(m_before.vecStored.begin(), m_before.vecStored.end());
    m_expect.nHeaderCount = 0;
    for (const SReceiverRowInfo& info : m_pView->GetRowInfoList()) {
        const SReceiverAddress address = Address(info.nPort, info.nPosition);
        m_expect.nHeaderCount += (!m_pView->IsShowPort() || m_before.bSameDevice) && setStored.count(address);
        bool bRow = false; // a row is known by its receiver's port, also without the Port column
        for (int r = 0; r < Model()->rowCount() && !bRow; ++r) {
            const cmtest::CCell pFirst = Cell(r, 0);
            const int nPort = m_pView->IsShowPort() ? Number(pFirst) : pFirst->data(ReceiverRole::RealPort).toInt();
            bRow = Address(nPort, Number(Cell(r, ReceiverColumn::Position - (m_pView->IsShowPort() ? 0 : 1)))) == address;
        }
        if (!bRow && m_strError.isEmpty())
            m_strError = QStringLiteral("UpdateShow left receiver %1:%2 without a row").arg(info.nPort).arg(info.nPosition);
    }
}

void TestStress::ActProgress()
{
    const int nCall = m_rng.Below(5);
    if (nCall == 0) {
        std::vector<SReceiverAddress> vecMembers;
        for (int r = 0; r < Model()->rowCount(); ++r) {
            if (m_rng.Percent(50))
                vecMembers.push_back(ReportAddress(r));
        }
        if (m_rng.Percent(30))
            vecMembers.push_back(Address(HostileInt(m_rng), HostileInt(m_rng)));
        Log(QStringLiteral("StartUpgrade(%1 members) + ProgressBegin()").arg(vecMembers.size()));
        m_pWall->StartUpgrade(vecMembers);
        m_pMain->ProgressBegin();
        if (!m_pView->IsProgressing() || m_pView->GetHoverRow() != -1)
            m_strError = QStringLiteral("ProgressBegin left the view idle or a hover row behind");
    } else if (nCall <= 2) {
        Log(QStringLiteral("StepUpgrade() + ProgressChanged()"));
        m_pWall->StepUpgrade();
        m_pMain->ProgressChanged();
    } else {
        Log(QStringLiteral("ProgressFinished()"));
        m_pMain->ProgressFinished();
        ExpectClearingRefresh();
        if (m_pView->IsProgressing())
            m_strError = QStringLiteral("still progressing after ProgressFinished");
    }
    m_expect.eRel = ERel::Shrink; // members of a running upgrade lose their check marks
}

void TestStress::ActLanguage()
{
    if (m_bHaveQm && m_rng.Percent(70)) {
        Log(m_bTranslated ? QStringLiteral("removeTranslator") : QStringLiteral("installTranslator"));
        if (m_bTranslated)
            QCoreApplication::removeTranslator(&m_translator);
        else
            QCoreApplication::installTranslator(&m_translator);
        m_bTranslated = !m_bTranslated;
        Settle(); // the change event is posted
    } else {
        Log(QStringLiteral("LanguageChange event"));
        QEvent event(QEvent::LanguageChange);
        QCoreApplication::sendEvent(m_pMain.get(), &event);
    }
    m_expect.eReport = EReport::Some;
    m_expect.bReloaded = m_expect.bRestored = true;
    m_expect.eHeader = EHeader::Count;
}

// ---- gestures

void TestStress::ActHover()
{
    QWidget* pViewport = m_pView->viewport();
    switch (m_rng.Below(7)) {
    case 0:
        Log(QStringLiteral("mouse leaves"));
        QTest::mouseMove(m_pMain.get(), QPoint(m_pMain->width() + 40, m_pMain->height() + 40));
        break;
    case 1: {
        const QPoint pos(m_rng.Below(m_pHeader->viewport()->width()), m_rng.Below(36));
        Log(QStringLiteral("hover header at %1,%2").arg(pos.x()).arg(pos.y()));
        QTest::mouseMove(m_pHeader->viewport(), pos);
        break;
    }
    case 2: {
        QScrollBar* pBar = m_pView->verticalScrollBar();
        const int nValue = pBar->minimum() + m_rng.Below(pBar->maximum() - pBar->minimum() + 1);
        Log(QStringLiteral("scroll to %1").arg(nValue));
        pBar->setValue(nValue);
        break;
    }
    default: {
        const QPoint pos(m_rng.Below(pViewport->width()), m_rng.Below(pViewport->height()));
        Log(QStringLiteral("hover rows at %1,%2").arg(pos.x()).arg(pos.y()));
        QTest::mouseMove(pViewport, pos);
    }
    }
}

void TestStress::ActRowClick()
{
    QWidget* pViewport = m_pView->viewport();
    std::vector<QRect> vecRows;
    int nBottom = 0;
    for (int p = 0; p < Proxy()->rowCount(); ++p) {
        const QRect rect = m_pView->visualRect(Proxy()->index(p, 0));
        if (!m_pView->isRowHidden(p, QModelIndex()) && rect.intersects(pViewport->rect()))
            vecRows.push_back(rect), nBottom = qMax(nBottom, rect.bottom() + 1);
    }
    QPoint pos(m_rng.Below(pViewport->width()), m_rng.Below(pViewport->height()));
    const int nWhere = m_rng.Below(10);
    if (nWhere < 2 && nBottom < pViewport->height() - 1) {
        pos.setY(nBottom + m_rng.Below(pViewport->height() - nBottom)); // empty space
    } else if (!vecRows.empty()) {
        const QRect rect = vecRows[size_t(m_rng.Below(int(vecRows.size())))];
        if (nWhere < 6) // the box, edges included
            pos = QPoint(15 + m_rng.Below(22), rect.top() + 6 + m_rng.Below(22));
        else
            pos = QPoint(m_rng.Percent(20) ? m_rng.Below(15) : 37 + m_rng.Below(pViewport->width() - 37), rect.top() + m_rng.Below(36));
    }
    if (pos.isNull())
        pos.setX(1); // QTest reads a null point as the centre
    const Qt::KeyboardModifiers mods = m_rng.Pick<Qt::KeyboardModifiers>({ Qt::NoModifier, Qt::NoModifier, Qt::NoModifier, Qt::ControlModifier,
        Qt::ControlModifier, Qt::ShiftModifier, Qt::ShiftModifier, Qt::ControlModifier | Qt::ShiftModifier, Qt::AltModifier });
    const bool bMove = m_rng.Percent(75);
    const bool bDouble = m_rng.Percent(8);
    Log(QStringLiteral("%1%2click rows at %3,%4 modifiers %5").arg(bMove ? "move, " : "", bDouble ? "double " : "").arg(pos.x()).arg(pos.y()).arg(int(mods), 0, 16));
    if (bMove) // as a user's hand does, which shows the row's box first
        QTest::mouseMove(pViewport, pos);
    QTest::mouseClick(pViewport, Qt::LeftButton, mods, pos);
    if (bDouble)
        QTest::mouseDClick(pViewport, Qt::LeftButton, mods, pos);
    if (m_before.bProgressing)
        return; // presses do nothing while an upgrade runs
    m_expect.eReport = EReport::Any;
    if (m_nLiveChecks > 0)
        m_expect.eHeader = EHeader::Summary;
}

void TestStress::ActHeader()
{
    QPoint pos;
    switch (m_rng.Below(8)) {
    case 0: pos = m_pHeader->GetCheckRect().center(); break;
    case 1: pos = m_pHeader->GetFilterRect().center(); break;
    case 2: pos = m_pHeader->GetResetRect().center(); break;
    default: {
        const int nSection = m_rng.Below(m_pHeader->count());
        const int nLeft = m_pHeader->sectionViewportPosition(nSection);
        const int nSize = m_pHeader->sectionSize(nSection);
        pos = QPoint(m_rng.Percent(10) ? nLeft + nSize - 1 : nLeft + nSize / 2, 32);
    }
    }
    // Nothing painted there yet, off the header, or a null point (QTest's "centre").
    if (!pos.isNull() && m_pHeader->viewport()->rect().contains(pos))
        PressHeader(pos);
}

// Clicks the header and expects what its press handler dispatches to,
// decided on the header as it stands before the press.
void TestStress::PressHeader(const QPoint& pos)
{
    if (m_pHeader->GetResetRect().contains(pos) && !m_before.bProgressing) {
        Reset(pos);
        return;
    }
    Log(QStringLiteral("click header at %1,%2").arg(pos.x()).arg(pos.y()));
    const bool bFilter = m_pHeader->GetFilterRect().contains(pos) && m_pHeader->GetLabels().size() == ReceiverColumn::Count;
    const bool bFilterUsable = m_pHeader->IsFilterEnabled();
    const bool bCheck = !bFilter && m_pHeader->GetCheckRect().contains(pos) && m_pHeader->HasRows();
    const bool bWasVisible = m_pView->GetPortSelectWidget()->isVisible();
    const int nClears = m_pWall->CallCount("ClearCableErrors");
    const int nSection = m_pHeader->logicalIndexAt(pos.x());
    QTest::mouseClick(m_pHeader->viewport(), Qt::LeftButton, Qt::NoModifier, pos);
    if (m_before.bProgressing) {
        if (m_pHeader->GetSortColumn() != m_before.nSortColumn || m_pHeader->GetSortFlag() != m_before.bSortFlag
            || m_pWall->CallCount("ClearCableErrors") != nClears || m_pView->GetPortSelectWidget()->isVisible() != bWasVisible)
            m_strError = QStringLiteral("a header press acted while the header is disabled");
    } else if (bFilter) {
        if (m_pView->GetPortSelectWidget()->isVisible() != (bFilterUsable || bWasVisible))
            m_strError = QStringLiteral("the Filter button (usable %1) left the popup %2").arg(bFilterUsable).arg(bWasVisible ? "shown" : "hidden");
    } else if (bCheck) {
        const bool bUncheck = m_before.nHeaderState == Qt::Checked;
        m_expect.eReport = EReport::Some;
        m_expect.nSelectAll = bUncheck ? 0 : 1;
        m_expect.eHeader = bUncheck ? EHeader::Unchecked : EHeader::Checked;
    } else {
        ExpectSort(nSection);
    }
}

void TestStress::ExpectSort(int nSection)
{
    const int H = m_before.nHidden;
    const bool bSorts = !m_before.bSplitCursor && nSection != ReceiverColumn::Progress - H; // not a border, not Progress
    const int nKey = nSection + H;
    const bool bListSort = bSorts && (nKey == ReceiverColumn::Port || nKey == ReceiverColumn::Position || nKey == ReceiverColumn::SerialNumber || nKey == ReceiverColumn::Packets);
    int nColumn = bSorts ? nSection : m_before.nSortColumn;
    const bool bFlag = !bSorts ? m_before.bSortFlag : nSection == m_before.nSortColumn ? !m_before.bSortFlag : true;
    // The refresh after a list sort re-lays the columns for a changed
    // preference and keeps the sort on the same logical column.
    if (bListSort && int(m_pWall->IsPortHidden()) != H)
        nColumn = qMax(0, nColumn + (H ? 1 : -1));
    if (m_pHeader->GetSortColumn() != nColumn || m_pHeader->GetSortFlag() != bFlag) {
        m_strError = QStringLiteral("header sort %1/%2, expected %3/%4").arg(m_pHeader->GetSortColumn()).arg(m_pHeader->GetSortFlag()).arg(nColumn).arg(bFlag);
        return;
    }
    if (!bSorts)
        return;
    if (bListSort) {
        m_expect.eReport = EReport::Some;
        m_expect.bRebuilt = m_expect.bRestored = true;
        m_expect.eHeader = EHeader::Count;
    } else if (Proxy()->sortColumn() != nSection || Proxy()->sortOrder() != (bFlag ? Qt::AscendingOrder : Qt::DescendingOrder)) {
        m_strError = QStringLiteral("the proxy does not sort by section %1").arg(nSection);
    }
    // Outside multi-check mode the anchor moves to the first checked row.
    int nAnchor = bListSort ? -1 : m_before.nAnchor;
    for (const int r : ViewRows()) {
        if (!m_pView->IsMultiCheck() && IsChecked(r) && Cell(r, 0)->isCheckable()) {
            nAnchor = r;
            break;
        }
    }
    if (m_pView->GetAnchorRow() != nAnchor && m_strError.isEmpty())
        m_strError = QStringLiteral("anchor row %1 after a header sort, expected %2").arg(m_pView->GetAnchorRow()).arg(nAnchor);
}

// Reset: clear the cable errors and detect on a pool thread; sometimes with a
// second click or a host call while the job runs.
void TestStress::Reset(const QPoint& pos)
{
    const int nVariant = m_rng.Below(6);
    Log(QStringLiteral("Reset at %1,%2 variant %3").arg(pos.x()).arg(pos.y()).arg(nVariant));
    const int nRows = Model()->rowCount();
    const int nClears = m_pWall->CallCount("ClearCableErrors");
    const int nDetects = m_pWall->DetectAllCount() + m_pWall->DetectReceiversCount();
    const bool bDetects = m_pWall->IsPortHidden() || !m_pWall->DeviceId().isNull();
    QTest::mouseClick(m_pHeader->viewport(), Qt::LeftButton, Qt::NoModifier, pos);
    const int nClicks = nVariant == 1 ? 2 : 1;
    if (nVariant == 1)
        QTest::mouseClick(m_pHeader->viewport(), Qt::LeftButton, Qt::NoModifier, pos);
    else if (nVariant == 2)
        m_pMain->RefreshShow();
    else if (nVariant == 3)
        m_pWall->Tick(), m_pMain->UpdateShow();
    QThreadPool::globalInstance()->waitForDone();
    Settle(); // the view hears of the job's end through a queued call
    const int nSignals = m_nClearCableError;
    const int nDetected = m_pWall->DetectAllCount() + m_pWall->DetectReceiversCount() - nDetects;
    if (m_pWall->CallCount("ClearCableErrors") - nClears != nClicks || nSignals < 1 || nSignals > nClicks
        || nDetected != (bDetects ? nSignals : 0) || CReceiverListHeader::IsDetecting())
        m_strError = QStringLiteral("Reset: %1 clears, %2 job ends, %3 detections").arg(m_pWall->CallCount("ClearCableErrors") - nClears).arg(nSignals).arg(nDetected);
    if (nVariant >= 1 && nVariant <= 3) {
        m_expect.eReport = EReport::Any;
        m_expect.eRel = nVariant == 3 ? ERel::Grow : ERel::Same;
    } else if (m_pWall->ReceiverCount() != nRows) {
        if (m_nDataChange != 1)
            m_strError = QStringLiteral("the receiver count changed, but DataChange came %1 times").arg(m_nDataChange);
        ExpectClearingRefresh();
    } else if (m_nDataChange != 0) {
        m_strError = QStringLiteral("DataChange without a change of the receiver count");
    }
}

void TestStress::ActPopup()
{
    CPortSelectWidget* pPopup = m_pView->GetPortSelectWidget();
    if (!pPopup->isVisible()) {
        if (!m_pHeader->GetFilterRect().isNull())
            PressHeader(m_pHeader->GetFilterRect().center());
        return;
    }
    const QMap<int, QPushButton*> mapButtons = pPopup->GetPortButtons();
    const int nChoice = m_rng.Below(3);
    int nFilter = m_pWall->FilterPort();
    if (nChoice == 0 || (nChoice == 1 && mapButtons.isEmpty())) {
        Log(QStringLiteral("popup: All"));
        QTest::mouseClick(pPopup->GetAllButton(), Qt::LeftButton);
        nFilter = -1;
    } else if (nChoice == 1) {
        nFilter = mapButtons.keys().at(m_rng.Below(mapButtons.size()));
        Log(QStringLiteral("popup: port %1").arg(nFilter));
        QTest::mouseClick(mapButtons.value(nFilter), Qt::LeftButton);
    } else {
        Log(QStringLiteral("popup: dismissed"));
        pPopup->hide();
    }
    if (m_nPopupClosed != 1 || m_nFiltrate != 1 || pPopup->isVisible() || m_pWall->FilterPort() != nFilter) {
        m_strError = QStringLiteral("popup closing: %1 SignalClicked, %2 SignalFiltrate, filter %3 (expected %4)")
                         .arg(m_nPopupClosed).arg(m_nFiltrate).arg(m_pWall->FilterPort()).arg(nFilter);
    } else if (m_pView->IsShowPort()) {
        // Re-filtering unchecks every row unless the header box was unchecked.
        m_expect.eHeader = EHeader::Unchecked;
        if (m_before.nHeaderState != Qt::Unchecked) {
            m_expect.eReport = EReport::Some;
            m_expect.nSelectAll = 0;
        }
    }
}

void TestStress::ActKeys()
{
    // The walk's expectations model keys that never check a row; Space as a
    // box click is compared with the click itself in the operator suite.
    m_pMain->SetKeyboardChecking(false);
    for (int i = 1 + m_rng.Below(4); i > 0; --i) {
        const Qt::Key key = m_rng.Percent(60) ? m_rng.Pick<Qt::Key>({ Qt::Key_1, Qt::Key_5, Qt::Key_9 })
                                              : m_rng.Pick<Qt::Key>({ Qt::Key_2, Qt::Key_A, Qt::Key_Space, Qt::Key_Down, Qt::Key_Up, Qt::Key_Home,
                                                                      Qt::Key_End, Qt::Key_PageDown, Qt::Key_Return, Qt::Key_Escape, Qt::Key_F2 });
        // A key typed while a cell editor has the focus goes to the editor, as a user's would.
        QWidget* pFocus = QApplication::focusWidget();
        QWidget* pTarget = pFocus && pFocus != m_pView && m_pView->isAncestorOf(pFocus) ? pFocus : m_pView;
        Log(QStringLiteral("key %1 to %2").arg(QKeySequence(key).toString(), QString::fromLatin1(pTarget->metaObject()->className())));
        if (pTarget == m_pView) {
            const int nState = m_nKeyState;
            m_nKeyState = (key == Qt::Key_1 && nState == 0) ? 1 : (key == Qt::Key_5 && nState == 1) ? 2 : 0;
            m_nShowPackExpected += key == Qt::Key_9 && nState == 2;
        }
        QTest::keyClick(pTarget, key);
        if (pTarget != m_pView) { // what the editor leaves alone travels on to the view
            m_nKeyState = m_pView->GetServiceKeyStep();
            m_nShowPackExpected = m_nShowPack;
        }
    }
}

// ---- controller data

void TestStress::ActReceivers()
{
    QList<SReceiverInfo> list;
    if (m_rng.Percent(40)) { // a sane wall, maybe smaller
        for (const SReceiverInfo& info : qAsConst(m_listBaseline)) {
            if (m_rng.Percent(85))
                list.append(info);
        }
        Log(QStringLiteral("sane wall of %1").arg(list.size()));
        m_pWall->SetReceivers(list);
        m_pWall->SetCabinetMap(m_mapBaseline);
        m_pWall->SetPortAddressOverride({});
        m_pWall->ResetPortCount();
        return;
    }
    for (int n = m_rng.Percent(6) ? 0 : 1 + m_rng.Below(24); n > 0; --n) {
        SReceiverInfo info = Hostile(m_listBaseline.at(m_rng.Below(m_listBaseline.size())), m_rng);
        if (!list.isEmpty() && m_rng.Percent(10))
            info.address = list.at(m_rng.Below(list.size())).address; // duplicate address
        list.append(info);
    }
    Log(QStringLiteral("SetReceivers(%1 hostile)").arg(list.size()));
    m_pWall->SetReceivers(list);
    if (m_rng.Percent(30)) {
        QMap<quint64, SCabinetInfo> map = m_mapBaseline;
        for (const SReceiverInfo& info : qAsConst(list)) {
            if (m_rng.Percent(30))
                map.insert(CSimWall::CabinetKeyOf(info), SCabinetInfo { HostileText(m_rng, true), m_rng.Percent(70) ? info.strCabinetId : HostileText(m_rng, false) });
        }
        m_pWall->SetCabinetMap(map);
    }
}

void TestStress::ActWall()
{
    switch (m_rng.Below(10)) {
    case 0: { // GetPortAddress answers that do not match the asked port
        const int nMode = m_rng.Below(5);
        const int nSalt = HostileInt(m_rng);
        const int nCount = m_rng.Pick<int>({ INT_MIN, -1, 0, 1, 3, 4, 9, 40 });
        Log(QStringLiteral("port answers mode %1 salt %2 count %3").arg(nMode).arg(nSalt).arg(nCount));
        if (nMode == 0)
            m_pWall->SetPortAddressOverride({});
        else if (nMode == 1)
            m_pWall->SetPortAddressOverride([](int) { return SPortAddress { 1, 2, 3, 7 }; });
        else if (nMode == 2)
            m_pWall->SetPortAddressOverride([](int n) { return SPortAddress { 0, 0, 0, int(unsigned(n) + 1u) }; });
        else if (nMode == 3)
            m_pWall->SetPortAddressOverride([nSalt](int n) { return SPortAddress { nSalt, n ^ nSalt, 0, n }; });
        else
            m_pWall->SetPortAddressOverride([](int n) { return n >= 0 && n < 4 ? CSimWall::DefaultPortAddress(n) : SPortAddress { INT_MIN, INT_MAX, -1, n }; });
        m_rng.Percent(50) ? m_pWall->SetPortCount(nCount) : m_pWall->ResetPortCount();
        break;
    }
    case 1: { // null and changing device ids
        const int nKind = m_rng.Below(3);
        const QUuid id = nKind == 0 ? QUuid() : nKind == 1 ? CSimWall::DefaultDeviceId(quint32(m_nSeed))
                                                           : QUuid(uint(m_rng.Next()), 1, 2, 0, 0, 0, 0, 0, 0, 0, uchar(m_rng.Next()));
        Log(QStringLiteral("SetDeviceId(%1)").arg(id.toString()));
        m_pWall->SetDeviceId(id);
        break;
    }
    case 2:
    case 3: { // a stored selection: stale, duplicated, of another device, naming nobody
        std::vector<SReceiverAddress> vec;
        for (int r = 0; r < Model()->rowCount(); ++r) {
            if (m_rng.Percent(30))
                vec.push_back(ReportAddress(r));
        }
        for (int n = m_rng.Below(3); n > 0; --n)
            vec.push_back(m_rng.Percent(50) && !vec.empty() ? vec.front() : Address(HostileInt(m_rng), HostileInt(m_rng)));
        const bool bOtherDevice = m_rng.Percent(25);
        Log(QStringLiteral("stored selection %1%2").arg(Describe(vec), bOtherDevice ? QStringLiteral(" of another device") : QString()));
        m_pWall->SetSelectedReceivers(vec);
        m_pWall->SetSelectionDeviceId(bOtherDevice ? QUuid(0x1234u, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10) : m_pWall->DeviceId());
        break;
    }
    case 4: {
        const int nPort = m_rng.Pick<int>({ -1, -1, 0, 1, 2, 3, 99, INT_MIN, INT_MAX });
        Log(QStringLiteral("SetFilterPort(%1), operating/busy").arg(nPort));
        m_pWall->SetFilterPort(nPort);
        m_pWall->SetOperating(m_rng.Percent(20));
        m_pWall->SetBusy(m_rng.Percent(20));
        break;
    }
    case 5:
    case 6: {
        const bool bPort = m_rng.Percent(70);
        Log(bPort ? QStringLiteral("SetPortHidden(%1)").arg(!m_pWall->IsPortHidden()) : QStringLiteral("SetFahrenheit(%1)").arg(!m_pWall->IsFahrenheit()));
        bPort ? m_pWall->SetPortHidden(!m_pWall->IsPortHidden()) : m_pWall->SetFahrenheit(!m_pWall->IsFahrenheit());
        break;
    }
    case 7: { // seen at the next detection, or at once
        const int nPort = m_rng.Below(5);
        const bool bPlug = m_rng.Percent(50);
        const bool bNow = m_rng.Percent(40);
        Log(QStringLiteral("%1Receiver(%2)%3").arg(bPlug ? "Plug" : "Unplug").arg(nPort).arg(bNow ? " + ApplyTopologyNow()" : ""));
        bPlug ? m_pWall->PlugReceiver(nPort) : m_pWall->UnplugReceiver(nPort);
        if (bNow)
            m_pWall->ApplyTopologyNow();
        break;
    }
    default:
        Log(QStringLiteral("Tick()"));
        m_pWall->Tick();
    }
}

// ---- checks

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
#include "tst_stress.moc"
