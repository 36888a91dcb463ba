// --e2e: the screen positions of the demo's controls for the X input driver
// of demo/e2e. The end-to-end scripts are moving to finding their targets
// through the accessibility bus; until then this file, and only this file,
// reads the receiver list behind the view for them.

#include "CDemoMainWindow.h"

#include "CCMMainView.h"
#include "CPortSelectWidget.h"
#include "CReceiverListHeader.h"
#include "CColumnMap.h"
#include "CReceiverListView.h"
#include "CSimWall.h"

#include <QAbstractItemModel>
#include <QPushButton>
#include <QTimer>
#include <QToolBar>
#include <QWindow>

void CDemoMainWindow::WatchPopupForTargets()
{
    m_pMainView->GetReceiverListView()->GetPortSelectWidget()->installEventFilter(this);
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
