// The demo host's status bar figures and its diagnostics panel.

#include "CDemoMainWindow.h"

#include "CCMMainView.h"
#include "CDemoHealth.h"
#include "CSimWall.h"

#include <QDockWidget>
#include <QFormLayout>
#include <QLabel>
#include <QMenu>

namespace
{
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

void CDemoMainWindow::RetranslateDiagnostics()
{
    m_pDiagnosticsDock->setWindowTitle(tr("Diagnostics"));
    m_vecDiagNames[DiagReceivers]->setText(tr("Receivers"));
    m_vecDiagNames[DiagPorts]->setText(tr("Output ports"));
    m_vecDiagNames[DiagDevice]->setText(tr("Sending device"));
    m_vecDiagNames[DiagTicks]->setText(tr("Value updates"));
    m_vecDiagNames[DiagDetections]->setText(tr("Detections"));
    m_vecDiagNames[DiagCableErrors]->setText(tr("Cards with cable errors"));
    m_vecDiagNames[DiagPending]->setText(tr("Pending topology changes"));
    m_vecDiagNames[DiagUpgrade]->setText(tr("Upgrade"));
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
    const int nRows = m_pMainView->ReceiverCount();
    const int nShown = m_pMainView->ShownReceiverCount();

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
    m_pHealth->UpdateStatus();
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
