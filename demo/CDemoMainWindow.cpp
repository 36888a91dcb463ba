#include "CDemoMainWindow.h"

#include "CCMMainView.h"
#include "CDemoLanguage.h"
#include "CDemoOperatorTools.h"
#include "CPortSelectWidget.h"
#include "CColumnMap.h"
#include "CReceiverListHeader.h"
#include "CReceiverListView.h"
#include "CSimWall.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QDockWidget>
#include <QFontMetrics>
#include <QFormLayout>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPixmap>
#include <QPushButton>
#include <QSortFilterProxyModel>
#include <QAbstractItemModel>
#include <QStatusBar>
#include <QThreadPool>
#include <QTimer>
#include <QToolBar>
#include <QWindow>

#include <cstdio>
#include <set>

namespace
{
constexpr int s_nLiveIntervalMs = 1000;
constexpr int s_nUpgradeIntervalMs = 400;
constexpr int s_nStatusMessageMs = 6000;

// Rows of the diagnostics panel.
enum EDiagnostic
{
    DiagReceivers,
    DiagPorts,
    DiagDevice,
    DiagTicks,
    DiagDetections,
    DiagCableErrors,
    DiagPending,
    DiagUpgrade,
    DiagCount
};
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
    FitColumns();
    // The operator's own layout wins over the fitted one.
    m_pOperatorTools->RestoreLayout();
    Retranslate();
    m_pMainView->GetReceiverListView()->setFocus();
    UpdateActions();

    if (m_options.bE2E) {
        // A fixed place and size, so the positions printed for the X input
        // driver stay where it clicks.
        setGeometry(0, 0, 1400, 800);
        QTimer::singleShot(0, this, &CDemoMainWindow::PrintTargetsWhenPainted);
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

void CDemoMainWindow::InitActions()
{
    auto make = [this](const char* szName, bool bCheckable) {
        auto* pAction = new QAction(this);
        pAction->setObjectName(QLatin1String(szName));
        pAction->setCheckable(bCheckable);
        return pAction;
    };
    m_pActLive = make("live", true);
    m_pActLive->setChecked(true);
    m_pActRefresh = make("refresh", false);
    m_pActRefresh->setShortcut(QKeySequence::Refresh);
    m_pActSelectAll = make("selectall", false);
    m_pActPlug = make("plug", false);
    m_pActUnplug = make("unplug", false);
    m_pActApply = make("apply", false);
    m_pActStartUpgrade = make("startupgrade", false);
    m_pActQuitUpgrade = make("quitupgrade", false);
    m_pActPortHidden = make("porthidden", true);
    m_pActPortHidden->setChecked(m_options.wall.bPortHidden);
    m_pActFahrenheit = make("fahrenheit", true);
    m_pActFahrenheit->setChecked(m_options.wall.bFahrenheit);
    m_pActQuit = make("quit", false);
    m_pActQuit->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
    m_pActQuit->setShortcutContext(Qt::ApplicationShortcut);

    // Each language is named in itself, so a reader lost in the other one
    // still finds the way back; these two never go through tr().
    m_pLanguageGroup = new QActionGroup(this);
    m_pActEnglish = make("english", true);
    m_pActEnglish->setText(QStringLiteral("English"));
    m_pActChinese = make("chinese", true);
    m_pActChinese->setText(QStringLiteral("\u7B80\u4F53\u4E2D\u6587"));
    m_pLanguageGroup->addAction(m_pActEnglish);
    m_pLanguageGroup->addAction(m_pActChinese);
    const bool bChinese = m_pLanguage && m_pLanguage->Current() == QLatin1String("zh_CN");
    (bChinese ? m_pActChinese : m_pActEnglish)->setChecked(true);
}

void CDemoMainWindow::InitMenus()
{
    m_pMenuFile = menuBar()->addMenu(QString());
    m_pMenuFile->addAction(m_pActQuit);
    m_pMenuEdit = menuBar()->addMenu(QString());

    m_pMenuView = menuBar()->addMenu(QString());
    m_pMenuView->addAction(m_pActLive);
    m_pMenuView->addAction(m_pActRefresh);
    m_pMenuView->addAction(m_pActSelectAll);

    m_pMenuWall = menuBar()->addMenu(QString());
    m_pMenuWall->addAction(m_pActPlug);
    m_pMenuWall->addAction(m_pActUnplug);
    m_pMenuWall->addAction(m_pActApply);

    m_pMenuUpgrade = menuBar()->addMenu(QString());
    m_pMenuUpgrade->addAction(m_pActStartUpgrade);
    m_pMenuUpgrade->addAction(m_pActQuitUpgrade);

    m_pMenuPreferences = menuBar()->addMenu(QString());
    m_pMenuPreferences->addAction(m_pActPortHidden);
    m_pMenuPreferences->addAction(m_pActFahrenheit);
    m_pMenuLanguage = m_pMenuPreferences->addMenu(QString());
    m_pMenuLanguage->addAction(m_pActEnglish);
    m_pMenuLanguage->addAction(m_pActChinese);
    m_pOperatorTools->AddToMenus(m_pMenuFile, m_pActQuit, m_pMenuEdit, m_pMenuView);

    m_pToolBar = addToolBar(QString());
    m_pToolBar->setObjectName(QStringLiteral("DemoToolBar"));
    m_pToolBar->setMovable(false);
    m_pToolBar->setToolButtonStyle(Qt::ToolButtonTextOnly);
    m_pToolBar->addAction(m_pActLive);
    m_pToolBar->addAction(m_pActRefresh);
    m_pToolBar->addAction(m_pActSelectAll);
    m_pToolBar->addSeparator();
    m_pToolBar->addAction(m_pActPlug);
    m_pToolBar->addAction(m_pActUnplug);
    m_pToolBar->addAction(m_pActApply);
    m_pToolBar->addSeparator();
    m_pToolBar->addAction(m_pActStartUpgrade);
    m_pToolBar->addAction(m_pActQuitUpgrade);
    m_pToolBar->addSeparator();
    m_pToolBar->addAction(m_pActPortHidden);
    m_pToolBar->addAction(m_pActFahrenheit);
    m_pToolBar->addSeparator();
    m_pToolBar->addAction(m_pActEnglish);
    m_pToolBar->addAction(m_pActChinese);
}

void CDemoMainWindow::InitDiagnostics()
{
    m_pDiagnosticsDock = new QDockWidget(this);
    m_pDiagnosticsDock->setObjectName(QStringLiteral("DiagnosticsDock"));
    m_pDiagnosticsDock->setAllowedAreas(Qt::RightDockWidgetArea | Qt::LeftDockWidgetArea);
    m_pDiagnosticsDock->setFeatures(QDockWidget::DockWidgetClosable | QDockWidget::DockWidgetMovable);

    auto* pPanel = new QWidget(m_pDiagnosticsDock);
    pPanel->setObjectName(QStringLiteral("DiagnosticsPanel"));
    auto* pLayout = new QFormLayout(pPanel);
    pLayout->setContentsMargins(12, 10, 12, 10);
    pLayout->setHorizontalSpacing(16);
    pLayout->setVerticalSpacing(8);
    for (int i = 0; i < DiagCount; ++i) {
        auto* pName = new QLabel(pPanel);
        pName->setObjectName(QStringLiteral("DiagName"));
        auto* pValue = new QLabel(pPanel);
        pValue->setObjectName(QStringLiteral("DiagValue"));
        pValue->setTextInteractionFlags(Qt::TextSelectableByMouse);
        pLayout->addRow(pName, pValue);
        m_vecDiagNames.append(pName);
        m_vecDiagValues.append(pValue);
    }
    m_pDiagnosticsDock->setWidget(pPanel);
    addDockWidget(Qt::RightDockWidgetArea, m_pDiagnosticsDock);
    m_pDiagnosticsDock->hide();
    m_pMenuView->addSeparator();
    m_pMenuView->addAction(m_pDiagnosticsDock->toggleViewAction());
}

void CDemoMainWindow::SetLayout()
{
    setCentralWidget(m_pMainView);
    statusBar()->setSizeGripEnabled(false);
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

    m_pMainView->GetReceiverListView()->GetPortSelectWidget()->installEventFilter(this);
}

void CDemoMainWindow::Retranslate()
{
    setWindowTitle(tr("CMView Demo - Receiver Cards"));

    m_pMenuFile->setTitle(tr("&File"));
    m_pMenuEdit->setTitle(tr("&Edit"));
    m_pMenuView->setTitle(tr("&View"));
    m_pMenuWall->setTitle(tr("&Wall"));
    m_pMenuUpgrade->setTitle(tr("&Upgrade"));
    m_pMenuPreferences->setTitle(tr("&Preferences"));
    m_pMenuLanguage->setTitle(tr("Language"));
    m_pToolBar->setWindowTitle(tr("Main tool bar"));

    m_pActLive->setText(tr("Live updates"));
    m_pActLive->setToolTip(tr("Update the receiver values every second"));
    m_pActRefresh->setText(tr("Refresh"));
    m_pActRefresh->setToolTip(tr("Rebuild the table from the controllers"));
    m_pActSelectAll->setText(tr("Check all"));
    m_pActSelectAll->setToolTip(tr("Check every receiver the port filter shows"));
    m_pActPlug->setText(tr("Plug card"));
    m_pActPlug->setToolTip(
        tr("Add a card at the end of the filtered port's string (the last port when all are shown); "
           "the next detection finds it"));
    m_pActUnplug->setText(tr("Unplug card"));
    m_pActUnplug->setToolTip(
        tr("Remove the last card of the filtered port's string (the last port when all are shown); "
           "the next detection notices it"));
    m_pActApply->setText(tr("Apply now"));
    m_pActApply->setToolTip(tr("Apply the plugged and unplugged cards without a detection and refresh"));
    m_pActStartUpgrade->setText(tr("Start upgrade"));
    m_pActStartUpgrade->setToolTip(tr("Upgrade the checked receivers, or all of them when none is checked"));
    m_pActQuitUpgrade->setText(tr("Quit upgrade"));
    m_pActQuitUpgrade->setToolTip(tr("Stop the running upgrade"));
    m_pActPortHidden->setText(tr("Hide Port column"));
    m_pActFahrenheit->setText(tr("Fahrenheit"));
    m_pActFahrenheit->setToolTip(tr("Show temperatures in degrees Fahrenheit"));
    m_pActQuit->setText(tr("Quit"));

    m_pDiagnosticsDock->setWindowTitle(tr("Diagnostics"));
    m_vecDiagNames[DiagReceivers]->setText(tr("Receivers"));
    m_vecDiagNames[DiagPorts]->setText(tr("Output ports"));
    m_vecDiagNames[DiagDevice]->setText(tr("Sending device"));
    m_vecDiagNames[DiagTicks]->setText(tr("Value updates"));
    m_vecDiagNames[DiagDetections]->setText(tr("Detections"));
    m_vecDiagNames[DiagCableErrors]->setText(tr("Cards with cable errors"));
    m_vecDiagNames[DiagPending]->setText(tr("Pending topology changes"));
    m_vecDiagNames[DiagUpgrade]->setText(tr("Upgrade"));
    m_pOperatorTools->Retranslate();

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
            FitColumns();
            if (m_pMainView->IsProgressing())
                m_pMainView->ProgressChanged();
            // Texts changed length, so the controls moved.
            if (m_options.bE2E && isVisible())
                QTimer::singleShot(100, this, &CDemoMainWindow::PrintTargets);
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

bool CDemoMainWindow::eventFilter(QObject* pWatched, QEvent* e)
{
    if (m_options.bE2E && e->type() == QEvent::Show && m_pMainView
        && pWatched == m_pMainView->GetReceiverListView()->GetPortSelectWidget()) {
        // The popup lays its entries out as it shows; read them once settled.
        QTimer::singleShot(150, this, &CDemoMainWindow::PrintPopupTargets);
    }
    return QMainWindow::eventFilter(pWatched, e);
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
    Log(QStringLiteral("Action ApplyTopology receivers=%1").arg(TableRowCount()));
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
    FitColumns();
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
    Log(QStringLiteral("RcvSelectChanged checked=%1").arg(m_pWall->GetSelectedReceivers().size()));
    UpdateStatus();
}

void CDemoMainWindow::OnDataChange()
{
    const int nRows = TableRowCount();
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

// ---- status and diagnostics

void CDemoMainWindow::FitColumns()
{
    // Widths that show each column's label on one line and its texts whole,
    // measured with the fonts the header and the cells are painted in.
    CReceiverListView* pView = m_pMainView->GetReceiverListView();
    const QAbstractItemModel* pModel = pView->GetModel();
    const QStringList listLabels = pView->GetHeader()->GetLabels();
    const CColumnMap& columns = pView->GetColumnMap();

    QFont fontLabel(QStringLiteral("normal"));
    fontLabel.setPixelSize(12);
    fontLabel.setWeight(QFont::Bold);
    QFont fontSmall = pView->font();
    fontSmall.setPixelSize(12);
    const QFontMetrics fmLabel(fontLabel);
    const QFontMetrics fmCell(pView->font());
    const QFontMetrics fmSmall(fontSmall);
    const int nMinimum = pView->GetHeader()->minimumSectionSize();
    const int nRows = qMin(pModel->rowCount(), 2000);

    // The progress text follows a bar of up to 140 px that starts 14 px in.
    int nProgress = 0;
    for (const char* szText : { "Succeeded", "Failed" })
        nProgress = qMax(nProgress, fmSmall.horizontalAdvance(QCoreApplication::translate("CReceiverListView", szText)));
    nProgress += 14 + 140 + 7 + 8;

    for (int c = 0; c < pModel->columnCount(); ++c) {
        const int nKey = columns.KeyOf(c);
        int nLabel = fmLabel.horizontalAdvance(listLabels.value(c)) + 20;
        if (c == 0)
            nLabel += 24; // check box in front of the label
        if (nKey == ReceiverColumn::Port || nKey == ReceiverColumn::Packets)
            nLabel += 26; // Filter or Reset button after it

        int nContent = 0;
        if (nKey == ReceiverColumn::Packets) {
            nContent = fmSmall.horizontalAdvance(QStringLiteral("9999 / 99999999")) + 28;
        } else if (nKey == ReceiverColumn::Progress) {
            nContent = nProgress;
        } else {
            for (int r = 0; r < nRows; ++r) {
                nContent = qMax(nContent, fmCell.horizontalAdvance(pModel->index(r, c).data().toString()));
            }
            nContent += c == 0 ? 50 : 26;
        }
        pView->setColumnWidth(c, qMax(nMinimum, qMax(nLabel, nContent)));
    }
}

int CDemoMainWindow::TableRowCount() const
{
    return m_pMainView ? m_pMainView->GetReceiverListView()->GetModel()->rowCount() : 0;
}

int CDemoMainWindow::ShownRowCount() const
{
    if (!m_pMainView)
        return 0;
    const CReceiverListView* pView = m_pMainView->GetReceiverListView();
    const int nRows = pView->GetProxyModel()->rowCount();
    int nShown = 0;
    for (int r = 0; r < nRows; ++r) {
        if (!pView->isRowHidden(r, QModelIndex()))
            ++nShown;
    }
    return nShown;
}

CDemoMainWindow::SUpgradeTally CDemoMainWindow::TallyUpgrade() const
{
    SUpgradeTally tally;
    CUpgradeConfigControl* pUpgrade = m_pWall->UpgradeConfigControl();
    for (const SReceiverAddress& address : m_pWall->UpgradeMembers()) {
        ++tally.nMembers;
        const int nStage = pUpgrade->GetUpgradeStage(address);
        if (nStage == 1)
            ++tally.nRunning;
        else if (nStage == 2 && pUpgrade->GetUpgradeResult(address) < 0)
            ++tally.nFailed;
        else if (nStage == 2)
            ++tally.nSucceeded;
    }
    return tally;
}

void CDemoMainWindow::UpdateStatus()
{
    if (!m_pMainView)
        return;
    const int nChecked = int(m_pWall->GetSelectedReceivers().size());
    const int nFilter = m_pWall->FilterPort();
    const bool bFiltering = nFilter >= 0 && !m_pWall->IsPortHidden();
    const int nRows = TableRowCount();
    const int nShown = ShownRowCount();

    m_pLblChecked->setText(nChecked == 1 ? tr("1 receiver checked") : tr("%1 receivers checked").arg(nChecked));
    m_pLblFilter->setText(bFiltering ? tr("Filter: port %1").arg(nFilter + 1) : tr("Filter: all ports"));
    if (nShown != nRows)
        m_pLblReceivers->setText(tr("%1 of %2 receivers shown").arg(nShown).arg(nRows));
    else
        m_pLblReceivers->setText(nRows == 1 ? tr("1 receiver") : tr("%1 receivers").arg(nRows));

    if (m_pMainView->IsProgressing()) {
        const SUpgradeTally tally = TallyUpgrade();
        m_pLblUpgrade->setText(tr("Upgrading: %1 of %2 done, %3 failed")
                                   .arg(tally.nMembers - tally.nRunning)
                                   .arg(tally.nMembers)
                                   .arg(tally.nFailed));
        m_pLblUpgrade->show();
    } else {
        m_pLblUpgrade->hide();
    }

    const QString strStatus = QStringLiteral("Status checked=%1 filter=%2 receivers=%3 shown=%4")
                                  .arg(nChecked)
                                  .arg(nFilter)
                                  .arg(nRows)
                                  .arg(nShown);
    if (strStatus != m_strLastStatus) {
        m_strLastStatus = strStatus;
        Log(strStatus);
    }
}

void CDemoMainWindow::UpdateDiagnostics()
{
    if (!m_pDiagnosticsDock || !m_pDiagnosticsDock->isVisible())
        return;
    const QList<SReceiverInfo> listReceivers = m_pWall->Receivers();
    int nCableErrors = 0;
    for (const SReceiverInfo& info : listReceivers) {
        if (info.nErrorPackets > 0)
            ++nCableErrors;
    }
    const QUuid idDevice = m_pWall->DeviceId();
    const SUpgradeTally tally = TallyUpgrade();

    m_vecDiagValues[DiagReceivers]->setText(QString::number(listReceivers.size()));
    m_vecDiagValues[DiagPorts]->setText(QString::number(m_options.wall.nPortCount));
    m_vecDiagValues[DiagDevice]->setText(idDevice.isNull() ? tr("none") : idDevice.toString(QUuid::WithoutBraces));
    m_vecDiagValues[DiagTicks]->setText(QString::number(m_pWall->TickCount()));
    m_vecDiagValues[DiagDetections]->setText(tr("%1 by device, %2 of all devices")
                                                 .arg(m_pWall->DetectReceiversCount())
                                                 .arg(m_pWall->DetectAllCount()));
    m_vecDiagValues[DiagCableErrors]->setText(QString::number(nCableErrors));
    m_vecDiagValues[DiagPending]->setText(m_pWall->HasPendingTopology() ? tr("yes, waiting for a detection") : tr("no"));
    m_vecDiagValues[DiagUpgrade]->setText(tally.nMembers == 0
                                              ? tr("none")
                                              : tr("%1 cards: %2 running, %3 succeeded, %4 failed")
                                                    .arg(tally.nMembers)
                                                    .arg(tally.nRunning)
                                                    .arg(tally.nSucceeded)
                                                    .arg(tally.nFailed));
}

void CDemoMainWindow::UpdateActions()
{
    const bool bProgressing = m_pMainView && m_pMainView->IsProgressing();
    m_pActStartUpgrade->setEnabled(!bProgressing);
    m_pActQuitUpgrade->setEnabled(bProgressing);
    m_pActSelectAll->setEnabled(!bProgressing);
    m_pActApply->setEnabled(m_pWall->HasPendingTopology());
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
    m_pMainView->GetReceiverListView()->RefreshShow(true, false);

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

// ---- --e2e targets

void CDemoMainWindow::PrintTarget(const QString& strName, const QPoint& posGlobal) const
{
    Log(QStringLiteral("Target %1 %2 %3").arg(strName).arg(posGlobal.x()).arg(posGlobal.y()));
}

void CDemoMainWindow::PrintTargetsWhenPainted()
{
    // The header records its hit rectangles while painting, so wait until the
    // window is on screen and the header has been painted once.
    const CReceiverListHeader* pHeader = m_pMainView->GetReceiverListView()->GetHeader();
    const bool bExposed = windowHandle() && windowHandle()->isExposed();
    const bool bPainted = !pHeader->GetCheckRect().isEmpty() && !pHeader->GetResetRect().isEmpty()
        && (m_pWall->IsPortHidden() || !pHeader->GetFilterRect().isEmpty());
    if (!bExposed || !bPainted) {
        QTimer::singleShot(50, this, &CDemoMainWindow::PrintTargetsWhenPainted);
        return;
    }
    // One more round so the geometry of late layouts has settled.
    QTimer::singleShot(200, this, &CDemoMainWindow::PrintTargets);
}

void CDemoMainWindow::PrintTargets()
{
    CReceiverListView* pView = m_pMainView->GetReceiverListView();
    const CReceiverListHeader* pHeader = pView->GetHeader();
    Log(QStringLiteral("Window %1").arg(quint64(winId())));
    PrintTarget(QStringLiteral("header-check"), pHeader->mapToGlobal(pHeader->GetCheckRect().center()));
    if (!m_pWall->IsPortHidden())
        PrintTarget(QStringLiteral("filter"), pHeader->mapToGlobal(pHeader->GetFilterRect().center()));
    PrintTarget(QStringLiteral("reset"), pHeader->mapToGlobal(pHeader->GetResetRect().center()));
    const int nTypeSection = pView->GetColumnMap().ColumnOf(ReceiverColumn::Type);
    PrintTarget(QStringLiteral("header-type"),
                pHeader->viewport()->mapToGlobal(QPoint(pHeader->sectionViewportPosition(nTypeSection) + 40, 30)));

    // Row centres over the Type column, clear of the check box at the left.
    const QAbstractItemModel* pModel = pView->model();
    const int nTypeColumn = pView->GetColumnMap().ColumnOf(ReceiverColumn::Type);
    const QRect rectViewport = pView->viewport()->rect();
    int nBottom = 0;
    int nPrinted = 0;
    for (int r = 0; r < pModel->rowCount() && nPrinted < 12; ++r) {
        if (pView->isRowHidden(r, QModelIndex()))
            continue;
        const QRect rect = pView->visualRect(pModel->index(r, nTypeColumn));
        if (!rectViewport.contains(rect.center()))
            break;
        PrintTarget(QStringLiteral("row%1").arg(r), pView->viewport()->mapToGlobal(rect.center()));
        nBottom = rect.bottom();
        ++nPrinted;
    }
    const QPoint posEmpty(rectViewport.center().x(), nBottom + 60);
    if (rectViewport.contains(posEmpty))
        PrintTarget(QStringLiteral("table-empty"), pView->viewport()->mapToGlobal(posEmpty));

    for (QAction* pAction : m_pToolBar->actions()) {
        const QWidget* pButton = m_pToolBar->widgetForAction(pAction);
        if (pButton && !pAction->isSeparator() && pButton->isVisible())
            PrintTarget(QStringLiteral("tool-") + pAction->objectName(), pButton->mapToGlobal(pButton->rect().center()));
    }
    Log(QStringLiteral("Ready"));
}

void CDemoMainWindow::PrintPopupTargets()
{
    const CPortSelectWidget* pPopup = m_pMainView->GetReceiverListView()->GetPortSelectWidget();
    if (!pPopup->isVisible())
        return;
    if (const QPushButton* pAll = pPopup->GetAllButton())
        PrintTarget(QStringLiteral("popup-all"), pAll->mapToGlobal(pAll->rect().center()));
    const QMap<int, QPushButton*> mapButtons = pPopup->GetPortButtons();
    for (auto it = mapButtons.cbegin(); it != mapButtons.cend(); ++it) {
        const QPushButton* pButton = it.value();
        if (pButton && pButton->isVisible())
            PrintTarget(QStringLiteral("popup-port%1").arg(it.key() + 1), pButton->mapToGlobal(pButton->rect().center()));
    }
    Log(QStringLiteral("PopupReady"));
}
