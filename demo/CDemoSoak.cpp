#include "CDemoSoak.h"

#include "CCMMainView.h"

#include <QAction>
#include <QCoreApplication>
#include <QMainWindow>
#include <QMouseEvent>
#include <QTimer>

#include <cstdio>

CDemoSoak::CDemoSoak(QMainWindow* pWindow, CCMMainView* pView, int nIntervalMs)
    : QObject(pWindow)
    , m_pWindow(pWindow)
    , m_pView(pView)
    , m_pTimer(new QTimer(this))
{
    m_pTimer->setInterval(nIntervalMs);
    connect(m_pTimer, &QTimer::timeout, this, &CDemoSoak::OnStep);
    m_pTimer->start();
}

void CDemoSoak::Trigger(const char* szAction)
{
    if (auto* pAction = m_pWindow->findChild<QAction*>(QLatin1String(szAction)); pAction && pAction->isEnabled())
        pAction->trigger();
}

void CDemoSoak::ClickReset()
{
    // The header's buttons are painted, not widgets: press and release inside
    // the rectangle the header last painted Reset into, on the widget there.
    const QRect rect = m_pView->HeaderControlRect(CCMMainView::HeaderResetButton);
    QWidget* pTarget = rect.isEmpty() ? nullptr : m_pView->childAt(rect.center());
    if (!pTarget)
        return;
    const QPoint pos = pTarget->mapFrom(m_pView, rect.center());
    for (const QEvent::Type eType : { QEvent::MouseButtonPress, QEvent::MouseButtonRelease }) {
        QMouseEvent event(eType, pos, pTarget->mapToGlobal(pos), Qt::LeftButton,
                          eType == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(pTarget, &event);
    }
}

void CDemoSoak::OnStep()
{
    // One cycle touches every kind of change; the live wall ticks underneath
    // all the time, and upgrade runs step on their own timer.
    switch (m_nStep++ % 12) {
    case 0: Trigger("plug"); break;
    case 1: ClickReset(); break;
    case 2: Trigger("unplug"); break;
    case 3: ClickReset(); break;
    case 4: Trigger("startupgrade"); break;
    case 5: Trigger("chinese"); break;
    case 6: Trigger("english"); break;
    // A run of the whole wall outlasts a cycle: most end by quitting, the
    // rest when they finish on their own.
    case 7: Trigger("quitupgrade"); break;
    case 8: Trigger("selectall"); break;
    case 9: Trigger("startupgrade"); break;
    case 10: Trigger("refresh"); break;
    default: Trigger("apply"); break;
    }
    if (m_nStep % 100 == 0) {
        std::printf("Soak steps=%d\n", m_nStep);
        std::fflush(stdout);
    }
}
