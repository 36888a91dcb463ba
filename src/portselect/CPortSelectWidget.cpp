#include "CPortSelectWidget.h"

#include "TavrelCMControl.h"

#include "CScrollArea.h"
#include "ControllerLog.h"

#include <QEvent>
#include <QGraphicsDropShadowEffect>
#include <QPushButton>
#include <QSet>
#include <QVector>
#include <QVBoxLayout>

// Private state behind the d-pointer: later releases can change it and keep
// binary compatibility.
class CPortSelectWidgetPrivate
{
public:
    QPushButton* m_pAllBtn = nullptr;
    QMap<int, QPushButton*> m_mapPortBtn;
    QWidget* m_pContent = nullptr;
    QWidget* m_pFrame = nullptr;
    CScrollArea* m_pScrollArea = nullptr;
    QUuid m_idDevice;
    int m_nHeight = 284;
    bool m_bClicked = false;
};

namespace
{
constexpr int s_nEntryHeight = 28;
constexpr int s_nMaxAreaHeight = 404;
// A sending device has tens of output ports; a count far past that is a
// controller fault, and listing it would build a button per claimed port.
constexpr int s_nMaxPorts = 1024;

// The port numbers to list, each once, in the controller's index order.
// Negative numbers mean "no port" (and -1 would read as "All" once chosen), so
// they are skipped, as are repeats; one warning says what was left out.
QVector<int> ReadPorts(COutputPortControl* pControl)
{
    QVector<int> vecPorts;
    const int nCount = pControl ? pControl->GetPortCount() : 0;
    if (nCount < 0)
        qCWarning(lcController, "GetPortCount() answered %d; the port filter lists no ports", nCount);
    const int nRead = qBound(0, nCount, s_nMaxPorts);
    if (nCount > nRead)
        qCWarning(lcController, "GetPortCount() answered %d; the port filter lists the first %d", nCount, nRead);
    QSet<int> setSeen;
    int nNoPort = 0, nRepeated = 0;
    for (int i = 0; i < nRead; ++i) {
        const int nPort = pControl->GetPortByIndex(i).nPort;
        if (nPort < 0) {
            ++nNoPort;
        } else if (setSeen.contains(nPort)) {
            ++nRepeated;
        } else {
            setSeen.insert(nPort);
            vecPorts.append(nPort);
        }
    }
    if (nNoPort > 0 || nRepeated > 0)
        qCWarning(lcController, "GetPortByIndex() named no port %d time(s) and a port already listed %d time(s); "
                                "those entries are left out of the port filter", nNoPort, nRepeated);
    return vecPorts;
}
}

CPortSelectWidget::CPortSelectWidget(QWidget* parent)
    : QWidget(parent)
    , m_pPrivate(new CPortSelectWidgetPrivate)
{
    setFixedWidth(130);
    setMaximumHeight(414);
    setWindowFlags(Qt::Popup | Qt::FramelessWindowHint | Qt::NoDropShadowWindowHint);
    setAttribute(Qt::WA_TranslucentBackground);
    setAttribute(Qt::WA_MouseTracking);
    if (g_pRuntimeControl)
        m_pPrivate->m_idDevice = g_pRuntimeControl->GetCurrentDeviceId();
    InitControl();
    UpdatePortButtons(true);
    SetLayout();
    UpdateLayout();
    SetConnect();
}

CPortSelectWidget::~CPortSelectWidget() = default;

void CPortSelectWidget::InitControl()
{
    m_pPrivate->m_pScrollArea = new CScrollArea(this);
    m_pPrivate->m_pScrollArea->SetNeedEnter(true);
    m_pPrivate->m_pScrollArea->setWidgetResizable(true);
    m_pPrivate->m_pScrollArea->setFixedWidth(120);
    m_pPrivate->m_pScrollArea->setMaximumHeight(s_nMaxAreaHeight);
    m_pPrivate->m_pScrollArea->setAlignment(Qt::AlignTop);
    m_pPrivate->m_pScrollArea->setSizePolicy(QSizePolicy::MinimumExpanding, QSizePolicy::MinimumExpanding);

    m_pPrivate->m_pContent = new QWidget(m_pPrivate->m_pScrollArea);
    m_pPrivate->m_pContent->setObjectName(QStringLiteral("PortSelectWidget"));
    m_pPrivate->m_pContent->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Preferred);
    m_pPrivate->m_pScrollArea->setWidget(m_pPrivate->m_pContent);

    m_pPrivate->m_pAllBtn = new QPushButton(tr("All"), this);
    m_pPrivate->m_pAllBtn->setObjectName(QStringLiteral("PortBtn"));
    m_pPrivate->m_pAllBtn->setFixedWidth(106);

    m_pPrivate->m_pFrame = new QWidget(this);
    m_pPrivate->m_pFrame->setAttribute(Qt::WA_TranslucentBackground);
    m_pPrivate->m_pFrame->setAttribute(Qt::WA_MouseTracking);
    auto* pShadow = new QGraphicsDropShadowEffect(m_pPrivate->m_pFrame);
    pShadow->setOffset(0, 0);
    pShadow->setColor(Qt::black);
    pShadow->setBlurRadius(5);
    m_pPrivate->m_pFrame->setGraphicsEffect(pShadow);
}

void CPortSelectWidget::SetLayout()
{
    auto* pLayout = new QVBoxLayout(this);
    pLayout->setContentsMargins(5, 5, 5, 5);
    pLayout->addWidget(m_pPrivate->m_pFrame);

    auto* pFrameLayout = new QVBoxLayout(m_pPrivate->m_pFrame);
    pFrameLayout->setContentsMargins(0, 0, 0, 0);
    pFrameLayout->setSpacing(0);
    pFrameLayout->addWidget(m_pPrivate->m_pScrollArea);
}

void CPortSelectWidget::SetConnect()
{
    connect(m_pPrivate->m_pAllBtn, &QPushButton::clicked, this, [this]() { OnChoice(-1); });
}

void CPortSelectWidget::UpdatePortButtons(bool bForce)
{
    const QUuid id = g_pRuntimeControl ? g_pRuntimeControl->GetCurrentDeviceId() : QUuid();
    if (id == m_pPrivate->m_idDevice && !bForce)
        return;

    for (QPushButton* pButton : qAsConst(m_pPrivate->m_mapPortBtn))
        delete pButton;
    m_pPrivate->m_mapPortBtn.clear();

    for (const int nPort : ReadPorts(g_pOutputPortControl)) {
        auto* pButton = new QPushButton(this);
        pButton->setObjectName(QStringLiteral("PortBtn"));
        pButton->setFixedWidth(106);
        pButton->setText(tr("Port ") + QString::number(qint64(nPort) + 1));
        connect(pButton, &QPushButton::clicked, this, [this, nPort]() { OnChoice(nPort); });
        m_pPrivate->m_mapPortBtn.insert(nPort, pButton);
    }
    const int nEntries = m_pPrivate->m_mapPortBtn.size() + 1;
    m_pPrivate->m_nHeight = m_pPrivate->m_mapPortBtn.isEmpty() ? 32 : qMin(s_nEntryHeight * nEntries + 4, s_nMaxAreaHeight);
}

void CPortSelectWidget::UpdateLayout()
{
    delete m_pPrivate->m_pContent->layout();
    auto* pLayout = new QVBoxLayout(m_pPrivate->m_pContent);
    pLayout->setContentsMargins(4, 4, 4, 4);
    pLayout->setSpacing(4);
    pLayout->addWidget(m_pPrivate->m_pAllBtn);
    for (QPushButton* pButton : qAsConst(m_pPrivate->m_mapPortBtn))
        pLayout->addWidget(pButton);
}

void CPortSelectWidget::OnChoice(int nPort)
{
    m_pPrivate->m_bClicked = true;
    if (g_pRuntimeControl)
        g_pRuntimeControl->SetFilterPort(nPort);
    emit SignalClicked();
    hide();
}

void CPortSelectWidget::showEvent(QShowEvent* e)
{
    m_pPrivate->m_bClicked = false;
    UpdatePortButtons(false);
    UpdateLayout();
    m_pPrivate->m_pScrollArea->setFixedHeight(m_pPrivate->m_nHeight);
    setFixedHeight(m_pPrivate->m_nHeight + 10);
    QWidget::showEvent(e);
}

void CPortSelectWidget::hideEvent(QHideEvent* e)
{
    QWidget::hideEvent(e);
    if (!m_pPrivate->m_bClicked)
        emit SignalClicked();
}

void CPortSelectWidget::changeEvent(QEvent* e)
{
    if (e->type() == QEvent::LanguageChange) {
        m_pPrivate->m_pAllBtn->setText(tr("All"));
        for (auto it = m_pPrivate->m_mapPortBtn.cbegin(); it != m_pPrivate->m_mapPortBtn.cend(); ++it)
            it.value()->setText(tr("Port ") + QString::number(qint64(it.key()) + 1));
    }
    QWidget::changeEvent(e);
}

int CPortSelectWidget::GetContentHeight() const
{
    return m_pPrivate->m_nHeight;
}

QPushButton* CPortSelectWidget::GetAllButton() const
{
    return m_pPrivate->m_pAllBtn;
}

QMap<int, QPushButton*> CPortSelectWidget::GetPortButtons() const
{
    return m_pPrivate->m_mapPortBtn;
}

CScrollArea* CPortSelectWidget::GetScrollArea() const
{
    return m_pPrivate->m_pScrollArea;
}
