#include "CToolTip.h"

#include <QApplication>
#include <QCursor>
#include <QLabel>
#include <QPointer>
#include <QScreen>
#include <QTimer>

namespace
{
class CToolTipLabel : public QLabel
{
public:
    CToolTipLabel()
        : QLabel(nullptr, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus)
    {
        setObjectName("CToolTip");
        setAttribute(Qt::WA_ShowWithoutActivating);
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setMargin(6);
        setStyleSheet("QLabel#CToolTip { background: #2F3237; color: #E3E5E8; border: 1px solid #51575F; border-radius: 3px; }");
        m_timer.setSingleShot(true);
        QObject::connect(&m_timer, &QTimer::timeout, [this]() { ShowNow(); });
    }

    void ShowNow()
    {
        m_timer.stop();
        setText(m_strPending);
        adjustSize();
        QPoint pos = QCursor::pos() + QPoint(12, 18);
        if (const QScreen* pScreen = QGuiApplication::screenAt(QCursor::pos())) {
            const QRect rectScreen = pScreen->availableGeometry();
            pos.setX(qMin(pos.x(), rectScreen.right() - width()));
            pos.setY(qMin(pos.y(), rectScreen.bottom() - height()));
        }
        move(pos);
        show();
        raise();
    }

    QString m_strPending;
    QTimer m_timer;
};

CToolTipLabel* Label(bool bCreate)
{
    static QPointer<CToolTipLabel> s_pLabel;
    if (!s_pLabel && bCreate && qApp) {
        s_pLabel = new CToolTipLabel;
        // A window without a parent outlives everything else: delete it while
        // the application is being torn down.
        qAddPostRoutine([]() { delete s_pLabel.data(); });
    }
    return s_pLabel.data();
}
}

void CToolTip::ShowText(const QString& strText)
{
    if (CToolTipLabel* pLabel = Label(true)) {
        pLabel->m_strPending = strText;
        pLabel->ShowNow();
    }
}

void CToolTip::ShowTextDelay(const QString& strText, int nDelay)
{
    CToolTipLabel* pLabel = Label(true);
    if (!pLabel)
        return;
    if (pLabel->isVisible() && pLabel->text() == strText)
        return;
    pLabel->m_strPending = strText;
    pLabel->m_timer.start(qMax(0, nDelay));
}

void CToolTip::HideText()
{
    if (CToolTipLabel* pLabel = Label(false)) {
        pLabel->m_timer.stop();
        pLabel->m_strPending.clear();
        pLabel->hide();
    }
}

bool CToolTip::IsVisible()
{
    const CToolTipLabel* pLabel = Label(false);
    return pLabel && pLabel->isVisible();
}

QString CToolTip::Text()
{
    const CToolTipLabel* pLabel = Label(false);
    if (!pLabel)
        return QString();
    return pLabel->m_timer.isActive() ? pLabel->m_strPending : (pLabel->isVisible() ? pLabel->text() : QString());
}
