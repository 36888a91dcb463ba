// The demo host's actions, its menus and tool bar, and their texts.

#include "CDemoMainWindow.h"

#include "CCMMainView.h"
#include "CDemoHealth.h"
#include "CDemoLanguage.h"
#include "CDemoOperatorTools.h"
#include "CDemoWallMap.h"
#include "CSimWall.h"

#include <QAction>
#include <QActionGroup>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>

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
    m_pHealth->AddToMenus(m_pMenuView, m_pMenuPreferences);
    m_pWallMap->AddToMenus(m_pMenuView);

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

void CDemoMainWindow::RetranslateActions()
{
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
}

void CDemoMainWindow::UpdateActions()
{
    const bool bProgressing = m_pMainView && m_pMainView->IsProgressing();
    m_pActStartUpgrade->setEnabled(!bProgressing);
    m_pActQuitUpgrade->setEnabled(bProgressing);
    m_pActSelectAll->setEnabled(!bProgressing);
    m_pActApply->setEnabled(m_pWall->HasPendingTopology());
}
