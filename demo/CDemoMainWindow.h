#pragma once

#include "SDemoOptions.h"

#include <QMainWindow>
#include <QPoint>
#include <QVector>

#include <memory>

class QAction;
class QActionGroup;
class QDockWidget;
class QLabel;
class QMenu;
class QTimer;
class QToolBar;
class CCMMainView;
class CDemoHealth;
class CDemoWallMap;
class CDemoLanguage;
class CDemoOperatorTools;
class CSimWall;

// The demo host: owns the simulated wall, embeds the receiver view as its
// central widget and drives it the way a control application does: periodic
// value updates, refreshes after its own changes, an upgrade run, preferences,
// run-time language switching, and a status bar fed by the view's signals.
//
// With --log-events every signal the host receives, what the host does and the
// status bar's figures whenever they change go to stdout, one line each,
// flushed at once:
//   RcvSelectChanged checked=<stored selection size>
//   DataChange receivers=<rows in the table after the rebuild>
//   SignalShowPack true|false
//   SignalFiltrate port=<port stored in the controller, 0-based; -1 all>
//   Status checked=<n> filter=<stored port, -1 all> receivers=<rows> shown=<rows the filter leaves>
//   Action <what the host did> [key=value...]
//   Upgrade begin members=<n> | Upgrade finished succeeded=<n> failed=<n>
//   Panel diagnostics visible=true|false
// CDemoHealth and CDemoOperatorTools add their own lines.
// With --e2e (which implies --log-events) the window takes a fixed place and
// size; the end-to-end runs find its controls through the accessibility bus.
class CDemoMainWindow : public QMainWindow
{
    Q_OBJECT

public:
    CDemoMainWindow(const SDemoOptions& options, CDemoLanguage* pLanguage, QWidget* parent = nullptr);
    ~CDemoMainWindow() override;

    CCMMainView* MainView() const { return m_pMainView; }

    // Starts an upgrade over the first cards with a fixed set of failing ones,
    // checks a few cards outside it, and steps until cards are upgrading,
    // failed and succeeded at the same time. The run then goes on by timer.
    void RunScriptedUpgrade();
    // Renders the window as it stands into a PNG.
    bool SaveScreenshot(const QString& strFile);

protected:
    void changeEvent(QEvent* e) override;
    void closeEvent(QCloseEvent* e) override;

private:
    struct SUpgradeTally
    {
        int nMembers = 0;
        int nRunning = 0;
        int nSucceeded = 0;
        int nFailed = 0;
    };

    void InitControl();
    void InitActions();
    void InitMenus();
    void InitDiagnostics();
    void SetLayout();
    void SetConnect();
    void Retranslate();

    // Host operations.
    void OnLiveToggled(bool bOn);
    void OnLiveTick();
    void OnRefresh();
    void OnSelectAll();
    void OnPlug();
    void OnUnplug();
    void OnApplyTopology();
    void OnStartUpgrade();
    void OnUpgradeStep();
    void OnQuitUpgrade();
    void OnPortHidden(bool bHidden);
    void OnFahrenheit(bool bFahrenheit);
    void OnLanguage(const QString& strLanguage);
    void BeginUpgrade();
    void FinishUpgrade();
    // A rebuild drops the progress cells; while an upgrade runs they are
    // written again right away.
    void AfterRebuild();

    // The view's four signals.
    void OnRcvSelectChanged();
    void OnDataChange();
    void OnShowPack(bool bShow);
    void OnFiltrate();

    int TargetPort() const;
    void Log(const QString& strLine) const;

    // Actions, menus and tool bar (CDemoActions.cpp).
    void RetranslateActions();
    void UpdateActions();

    // Status bar and diagnostics panel (CDemoStatus.cpp).
    void RetranslateDiagnostics();
    SUpgradeTally TallyUpgrade() const;
    void UpdateStatus();
    void UpdateDiagnostics();


    SDemoOptions m_options;
    CDemoLanguage* m_pLanguage = nullptr;
    std::unique_ptr<CSimWall> m_pWall;

    CCMMainView* m_pMainView = nullptr;
    CDemoOperatorTools* m_pOperatorTools = nullptr;
    CDemoHealth* m_pHealth = nullptr;
    CDemoWallMap* m_pWallMap = nullptr;
    QTimer* m_pLiveTimer = nullptr;
    QTimer* m_pUpgradeTimer = nullptr;

    QMenu* m_pMenuFile = nullptr;
    QMenu* m_pMenuEdit = nullptr;
    QMenu* m_pMenuView = nullptr;
    QMenu* m_pMenuWall = nullptr;
    QMenu* m_pMenuUpgrade = nullptr;
    QMenu* m_pMenuPreferences = nullptr;
    QMenu* m_pMenuLanguage = nullptr;
    QToolBar* m_pToolBar = nullptr;

    QAction* m_pActLive = nullptr;
    QAction* m_pActRefresh = nullptr;
    QAction* m_pActSelectAll = nullptr;
    QAction* m_pActPlug = nullptr;
    QAction* m_pActUnplug = nullptr;
    QAction* m_pActApply = nullptr;
    QAction* m_pActStartUpgrade = nullptr;
    QAction* m_pActQuitUpgrade = nullptr;
    QAction* m_pActPortHidden = nullptr;
    QAction* m_pActFahrenheit = nullptr;
    QAction* m_pActEnglish = nullptr;
    QAction* m_pActChinese = nullptr;
    QAction* m_pActQuit = nullptr;
    QActionGroup* m_pLanguageGroup = nullptr;

    QLabel* m_pLblUpgrade = nullptr;
    QLabel* m_pLblChecked = nullptr;
    QLabel* m_pLblFilter = nullptr;
    QLabel* m_pLblReceivers = nullptr;

    QDockWidget* m_pDiagnosticsDock = nullptr;
    QVector<QLabel*> m_vecDiagNames;
    QVector<QLabel*> m_vecDiagValues;

    QString m_strLastStatus;
};
