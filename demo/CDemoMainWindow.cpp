// The demo host's window: the view at its centre, the host operations that
// drive it, and what the host does on the view's four signals. Its actions
// and menus are in CDemoActions.cpp, the status bar and diagnostics in
// CDemoStatus.cpp.

#include "CDemoMainWindow.h"

#include "CCMMainView.h"
#include "CDemoHealth.h"
#include "CDemoWallMap.h"
#include "CDemoLanguage.h"
#include "CDemoOperatorTools.h"
#include "CSimWall.h"

#include <QAction>
#include <QCloseEvent>
#include <QDockWidget>
#include <QLabel>
#include <QPixmap>
#include <QStatusBar>
#include <QThreadPool>
#include <QTimer>

#include <cstdio>

namespace
{
constexpr int s_nLiveIntervalMs = 1000;
constexpr int s_nUpgradeIntervalMs = 400;
constexpr int s_nStatusMessageMs = 6000;
}

CDemoMainWindow::CDemoMainWindow(const SDemoOptions& options, CDemoLanguage* pLanguage, QWidget* parent)
    : QMainWindow(parent)
    , m_options(options)
    , m_pLanguage(pLanguage)
    , m_pWall(std::make_unique<CSimWall>(options.wall))
{
    setObjectName(QStringLiteral("DemoMainWindow"));
    // The view reads the controllers from its constructor on, so they are
    // published before it exists.
    m_pWall->Install();

    InitControl();
    InitActions();
    InitMenus();
    InitDiagnostics();
    SetLayout();
    SetConnect();

    // The host's first refresh fills the table.
    m_pMainView->RefreshShow();
    m_pMainView->FitColumnsToContents();
    // The operator's own layout wins over the fitted one.
    m_pOperatorTools->RestoreLayout();
    Retranslate();
    m_pMainView->setFocus();
    UpdateActions();

    if (m_options.bE2E) {
        // A fixed place and size, so the end-to-end runs' screenshots compare.
        setGeometry(0, 0, 1400, 800);
    } else {
        // Wide enough for every column at its fitted width.
        resize(1520, 800);
    }
    m_pLiveTimer->start();
}

CDemoMainWindow::~CDemoMainWindow()
{
    m_pLiveTimer->stop();
    m_pUpgradeTimer->stop();
    // The view goes before the wall it reads; a detection job still running on
    // the pool calls the controllers, so it must end before they do.
    delete takeCentralWidget();
    m_pMainView = nullptr;
    QThreadPool::globalInstance()->waitForDone();
    m_pWall->Uninstall();
}

void CDemoMainWindow::InitControl()
{
    m_pMainView = new CCMMainView(this);
    // Screenshots, and end-to-end runs without a layout file of their own,
    // start from the view's layout and leave the user's alone.
    const bool bKeepLayout = m_options.strScreenshot.isEmpty() && (!m_options.bE2E || !m_options.strLayoutFile.isEmpty());
    m_pOperatorTools = new CDemoOperatorTools(m_pMainView, this, m_options.strLayoutFile, bKeepLayout,
                                              [this](const QString& strLine) { Log(strLine); });
    m_pHealth = new CDemoHealth(m_pMainView, this, [this](const QString& strLine) { Log(strLine); });
    m_pWallMap = new CDemoWallMap(m_pMainView, this, [this](const QString& strLine) { Log(strLine); });
    // Live ticks play out cards running hot, sagging voltage and failing
    // modules, so every state of the list turns up.
    m_pWall->SetHealthEvents(true);
    m_pLiveTimer = new QTimer(this);
    m_pLiveTimer->setInterval(s_nLiveIntervalMs);
    m_pUpgradeTimer = new QTimer(this);
    m_pUpgradeTimer->setInterval(s_nUpgradeIntervalMs);

    m_pLblUpgrade = new QLabel(this);
    m_pLblChecked = new QLabel(this);
    m_pLblFilter = new QLabel(this);
    m_pLblReceivers = new QLabel(this);
    for (QLabel* pLabel : { m_pLblUpgrade, m_pLblChecked, m_pLblFilter, m_pLblReceivers })
        pLabel->setObjectName(QStringLiteral("StatusFigure"));
}

void CDemoMainWindow::SetLayout()
{
    setCentralWidget(m_pHealth->Centre());
    statusBar()->setSizeGripEnabled(false);
    statusBar()->addPermanentWidget(m_pHealth->HiddenLabel());
    statusBar()->addPermanentWidget(m_pLblUpgrade);
    statusBar()->addPermanentWidget(m_pLblChecked);
    statusBar()->addPermanentWidget(m_pLblFilter);
    statusBar()->addPermanentWidget(m_pLblReceivers);
}

void CDemoMainWindow::SetConnect()
{
    connect(m_pMainView, &CCMMainView::RcvSelectChanged, this, &CDemoMainWindow::OnRcvSelectChanged);
    connect(m_pMainView, &CCMMainView::DataChange, this, &CDemoMainWindow::OnDataChange);
    connect(m_pMainView, &CCMMainView::SignalShowPack, this, &CDemoMainWindow::OnShowPack);
    connect(m_pMainView, &CCMMainView::SignalFiltrate, this, &CDemoMainWindow::OnFiltrate);
    // A status filter shows cards as they enter and leave its state.
    connect(m_pMainView, &CCMMainView::StatusFilterChanged, this, &CDemoMainWindow::UpdateStatus);
    connect(m_pMainView, &CCMMainView::StatusCountsChanged, this, &CDemoMainWindow::UpdateStatus);
    connect(m_pHealth, &CDemoHealth::FiltersChanged, this, &CDemoMainWindow::UpdateStatus);

    connect(m_pLiveTimer, &QTimer::timeout, this, &CDemoMainWindow::OnLiveTick);
    connect(m_pUpgradeTimer, &QTimer::timeout, this, &CDemoMainWindow::OnUpgradeStep);

    connect(m_pActLive, &QAction::toggled, this, &CDemoMainWindow::OnLiveToggled);
    connect(m_pActRefresh, &QAction::triggered, this, &CDemoMainWindow::OnRefresh);
    connect(m_pActSelectAll, &QAction::triggered, this, &CDemoMainWindow::OnSelectAll);
    connect(m_pActPlug, &QAction::triggered, this, &CDemoMainWindow::OnPlug);
    connect(m_pActUnplug, &QAction::triggered, this, &CDemoMainWindow::OnUnplug);
    connect(m_pActApply, &QAction::triggered, this, &CDemoMainWindow::OnApplyTopology);
    connect(m_pActStartUpgrade, &QAction::triggered, this, &CDemoMainWindow::OnStartUpgrade);
    connect(m_pActQuitUpgrade, &QAction::triggered, this, &CDemoMainWindow::OnQuitUpgrade);
    connect(m_pActPortHidden, &QAction::toggled, this, &CDemoMainWindow::OnPortHidden);
    connect(m_pActFahrenheit, &QAction::toggled, this, &CDemoMainWindow::OnFahrenheit);
    connect(m_pActEnglish, &QAction::triggered, this, [this]() { OnLanguage(QStringLiteral("en")); });
    connect(m_pActChinese, &QAction::triggered, this, [this]() { OnLanguage(QStringLiteral("zh_CN")); });
    connect(m_pActQuit, &QAction::triggered, this, &QWidget::close);
    connect(m_pDiagnosticsDock, &QDockWidget::visibilityChanged, this, [this](bool bVisible) {
        Log(QStringLiteral("Panel diagnostics visible=%1").arg(bVisible ? QStringLiteral("true") : QStringLiteral("false")));
        if (bVisible)
            UpdateDiagnostics();
    });

}

void CDemoMainWindow::Retranslate()
{
    setWindowTitle(tr("CMView Demo - Receiver Cards"));

    RetranslateActions();
    RetranslateDiagnostics();
    m_pOperatorTools->Retranslate();
    m_pHealth->Retranslate();
    m_pWallMap->Retranslate();

    UpdateStatus();
    UpdateDiagnostics();
}

void CDemoMainWindow::changeEvent(QEvent* e)
{
    if (e->type() == QEvent::LanguageChange) {
        Retranslate();
        // The view rebuilds its rows on the same event, after this window.
        // Then the labels have their new lengths, and during an upgrade the
        // progress cells need writing again.
        QTimer::singleShot(0, this, [this]() {
            if (!m_pMainView)
                return;
            m_pMainView->FitColumnsToContents();
            if (m_pMainView->IsProgressing())
                m_pMainView->ProgressChanged();
        });
    }
    QMainWindow::changeEvent(e);
}

void CDemoMainWindow::closeEvent(QCloseEvent* e)
{
    m_pLiveTimer->stop();
    m_pUpgradeTimer->stop();
    m_pOperatorTools->SaveLayout();
    QMainWindow::closeEvent(e);
}

// ---- host operations

void CDemoMainWindow::OnLiveToggled(bool bOn)
{
    if (bOn)
        m_pLiveTimer->start();
    else
        m_pLiveTimer->stop();
    Log(QStringLiteral("Action Live %1").arg(bOn ? QStringLiteral("on") : QStringLiteral("off")));
}

void CDemoMainWindow::OnLiveTick()
{
    m_pWall->Tick();
    m_pMainView->UpdateShow();
    if (m_pMainView->IsProgressing())
        m_pMainView->ProgressChanged();
    // A detection may have taken up the pending cards without changing the count.
    UpdateActions();
    UpdateStatus();
    UpdateDiagnostics();
}

void CDemoMainWindow::OnRefresh()
{
    Log(QStringLiteral("Action Refresh"));
    m_pMainView->RefreshShow();
    AfterRebuild();
}

void CDemoMainWindow::OnSelectAll()
{
    Log(QStringLiteral("Action SelectAll"));
    m_pMainView->SelectAll();
    UpdateStatus();
}

int CDemoMainWindow::TargetPort() const
{
    const int nFilter = m_pWall->FilterPort();
    if (!m_pWall->IsPortHidden() && nFilter >= 0 && nFilter < m_options.wall.nPortCount)
        return nFilter;
    return m_options.wall.nPortCount - 1;
}

void CDemoMainWindow::OnPlug()
{
    const int nPort = TargetPort();
    m_pWall->PlugReceiver(nPort);
    Log(QStringLiteral("Action PlugReceiver port=%1").arg(nPort));
    statusBar()->showMessage(
        tr("A card was plugged on port %1. Click Reset in the table header to detect it.").arg(nPort + 1),
        s_nStatusMessageMs);
    UpdateActions();
    UpdateDiagnostics();
}

void CDemoMainWindow::OnUnplug()
{
    const int nPort = TargetPort();
    m_pWall->UnplugReceiver(nPort);
    Log(QStringLiteral("Action UnplugReceiver port=%1").arg(nPort));
    statusBar()->showMessage(
        tr("A card was unplugged from port %1. Click Reset in the table header to detect it.").arg(nPort + 1),
        s_nStatusMessageMs);
    UpdateActions();
    UpdateDiagnostics();
}

void CDemoMainWindow::OnApplyTopology()
{
    // The host changed the wall itself, so it rebuilds the table itself; the
    // view's DataChange() is only for what a detection finds.
    m_pWall->ApplyTopologyNow();
    m_pMainView->RefreshShow();
    Log(QStringLiteral("Action ApplyTopology receivers=%1").arg(m_pMainView->ReceiverCount()));
    AfterRebuild();
}

void CDemoMainWindow::OnStartUpgrade()
{
    if (m_pMainView->IsProgressing())
        return;
    // The checked receivers, or every receiver when none is checked.
    m_pWall->StartUpgrade(m_pWall->GetSelectedReceivers());
    BeginUpgrade();
}

void CDemoMainWindow::BeginUpgrade()
{
    m_pMainView->ProgressBegin();
    m_pUpgradeTimer->start();
    Log(QStringLiteral("Upgrade begin members=%1").arg(m_pWall->UpgradeMembers().size()));
    UpdateActions();
    UpdateStatus();
    UpdateDiagnostics();
}

void CDemoMainWindow::OnUpgradeStep()
{
    m_pWall->StepUpgrade();
    m_pMainView->ProgressChanged();
    if (!m_pWall->IsUpgradeRunning())
        FinishUpgrade();
    else
        UpdateStatus();
}

void CDemoMainWindow::OnQuitUpgrade()
{
    if (!m_pMainView->IsProgressing())
        return;
    Log(QStringLiteral("Action QuitUpgrade"));
    m_pMainView->Quit();
    FinishUpgrade();
}

void CDemoMainWindow::FinishUpgrade()
{
    m_pUpgradeTimer->stop();
    if (!m_pMainView->IsProgressing())
        return;
    m_pMainView->ProgressFinished();
    const SUpgradeTally tally = TallyUpgrade();
    Log(QStringLiteral("Upgrade finished succeeded=%1 failed=%2").arg(tally.nSucceeded).arg(tally.nFailed));
    statusBar()->showMessage(tr("Upgrade finished: %1 succeeded, %2 failed.").arg(tally.nSucceeded).arg(tally.nFailed),
                             s_nStatusMessageMs);
    UpdateActions();
    UpdateStatus();
    UpdateDiagnostics();
}

void CDemoMainWindow::AfterRebuild()
{
    if (m_pMainView->IsProgressing())
        m_pMainView->ProgressChanged();
    UpdateActions();
    UpdateStatus();
    UpdateDiagnostics();
}

void CDemoMainWindow::OnPortHidden(bool bHidden)
{
    m_pWall->SetPortHidden(bHidden);
    Log(QStringLiteral("Action PortHidden %1").arg(bHidden ? QStringLiteral("on") : QStringLiteral("off")));
    m_pMainView->RefreshShow();
    // The view re-laid its columns with its own widths.
    m_pMainView->FitColumnsToContents();
    AfterRebuild();
}

void CDemoMainWindow::OnFahrenheit(bool bFahrenheit)
{
    m_pWall->SetFahrenheit(bFahrenheit);
    Log(QStringLiteral("Action Fahrenheit %1").arg(bFahrenheit ? QStringLiteral("on") : QStringLiteral("off")));
    m_pMainView->RefreshShow();
    AfterRebuild();
}

void CDemoMainWindow::OnLanguage(const QString& strLanguage)
{
    if (!m_pLanguage)
        return;
    if (!m_pLanguage->Apply(strLanguage)) {
        // Keep the check mark on the language actually in use.
        (m_pLanguage->Current() == QLatin1String("zh_CN") ? m_pActChinese : m_pActEnglish)->setChecked(true);
        statusBar()->showMessage(tr("No translation catalogue found for %1.").arg(strLanguage), s_nStatusMessageMs);
        Log(QStringLiteral("Action Language %1 missing").arg(strLanguage));
        return;
    }
    Log(QStringLiteral("Action Language %1").arg(strLanguage));
}

// ---- the view's signals

void CDemoMainWindow::OnRcvSelectChanged()
{
    // The first card stored, as the table shows its port and position.
    const auto listSelected = m_pWall->GetSelectedReceivers();
    const QString strFirst = listSelected.empty() ? QString()
        : QStringLiteral(" first=%1:%2").arg(qint64(listSelected.front().nPort) + 1).arg(qint64(listSelected.front().nPosition) + 1);
    Log(QStringLiteral("RcvSelectChanged checked=%1%2").arg(listSelected.size()).arg(strFirst));
    UpdateStatus();
}

void CDemoMainWindow::OnDataChange()
{
    const int nRows = m_pMainView->ReceiverCount();
    Log(QStringLiteral("DataChange receivers=%1").arg(nRows));
    statusBar()->showMessage(tr("Detection found a changed wall: %1 receivers now.").arg(nRows), s_nStatusMessageMs);
    UpdateActions();
    UpdateStatus();
    UpdateDiagnostics();
}

void CDemoMainWindow::OnShowPack(bool bShow)
{
    Log(QStringLiteral("SignalShowPack %1").arg(bShow ? QStringLiteral("true") : QStringLiteral("false")));
    m_pDiagnosticsDock->setVisible(bShow);
    if (bShow) {
        m_pDiagnosticsDock->raise();
        UpdateDiagnostics();
    }
}

void CDemoMainWindow::OnFiltrate()
{
    // Sent before the view hides the rows of other ports; the controller
    // already holds the choice, the shown count follows once the view is done.
    Log(QStringLiteral("SignalFiltrate port=%1").arg(m_pWall->FilterPort()));
    UpdateStatus();
    QTimer::singleShot(0, this, &CDemoMainWindow::UpdateStatus);
}

void CDemoMainWindow::Log(const QString& strLine) const
{
    if (!m_options.bLogEvents)
        return;
    const QByteArray bytes = strLine.toUtf8();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

// ---- scripted runs

void CDemoMainWindow::RunScriptedUpgrade()
{
    if (m_pMainView->IsProgressing())
        return;
    const QList<SReceiverInfo> listReceivers = m_pWall->Receivers();
    const int nCount = listReceivers.size();
    if (nCount == 0)
        return;

    // The first cards upgrade, one in four of them failing; three cards right
    // after them are checked, so all row looks appear near the top.
    const int nMembers = qBound(1, nCount / 2, 12);
    std::vector<SReceiverAddress> vecMembers;
    std::vector<SReceiverAddress> vecFailing;
    for (int i = 0; i < nMembers; ++i) {
        vecMembers.push_back(listReceivers.at(i).address);
        if (i % 4 == 1)
            vecFailing.push_back(listReceivers.at(i).address);
    }
    std::vector<SReceiverAddress> vecChecked;
    for (const int i : { nMembers + 1, nMembers + 2, nMembers + 4 }) {
        if (i < nCount)
            vecChecked.push_back(listReceivers.at(i).address);
    }
    m_pWall->SetSelectedReceivers(vecChecked);
    m_pWall->SetSelectionDeviceId(m_pWall->DeviceId());
    m_pMainView->RefreshShowKeepChecks();

    m_pWall->StartUpgrade(vecMembers, vecFailing);
    BeginUpgrade();
    for (int nStep = 0; nStep < 40 && m_pWall->IsUpgradeRunning(); ++nStep) {
        const SUpgradeTally tally = TallyUpgrade();
        if (tally.nSucceeded > 0 && tally.nFailed > 0 && tally.nRunning > 0)
            break;
        m_pWall->StepUpgrade();
        m_pMainView->ProgressChanged();
    }
    if (!m_pWall->IsUpgradeRunning())
        FinishUpgrade();
    UpdateStatus();
    UpdateDiagnostics();
}

bool CDemoMainWindow::SaveScreenshot(const QString& strFile)
{
    const QPixmap pixmap = grab();
    return !pixmap.isNull() && pixmap.save(strFile, "PNG");
}
