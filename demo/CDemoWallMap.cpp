#include "CDemoWallMap.h"

#include "CCMMainView.h"
#include "CWallMapView.h"

#include <QComboBox>
#include <QDockWidget>
#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QVBoxLayout>

CDemoWallMap::CDemoWallMap(CCMMainView* pView, QMainWindow* pWindow, const FnLog& fnLog)
    : QObject(pWindow)
    , m_pView(pView)
    , m_pWindow(pWindow)
    , m_fnLog(fnLog)
{
    InitControl();
    SetConnect();
}

void CDemoWallMap::InitControl()
{
    m_pDock = new QDockWidget(m_pWindow);
    m_pDock->setObjectName(QStringLiteral("WallMapDock"));
    m_pDock->setAllowedAreas(Qt::LeftDockWidgetArea | Qt::RightDockWidgetArea | Qt::BottomDockWidgetArea);
    m_pDock->setFeatures(QDockWidget::DockWidgetClosable | QDockWidget::DockWidgetMovable);
    auto* pPanel = new QWidget(m_pDock);
    m_pComboMeasure = new QComboBox(pPanel);
    m_pComboMeasure->setObjectName(QStringLiteral("MapMeasure"));
    for (int i = 0; i < CWallMapView::MeasureCount; ++i)
        m_pComboMeasure->addItem(QString(), i);
    m_pMap = new CWallMapView(m_pView, pPanel);
    m_pMap->setMinimumSize(260, 200);
    auto* pLayout = new QVBoxLayout(pPanel);
    pLayout->setContentsMargins(4, 4, 4, 4);
    pLayout->setSpacing(4);
    pLayout->addWidget(m_pComboMeasure);
    pLayout->addWidget(m_pMap, 1);
    m_pDock->setWidget(pPanel);
    m_pWindow->addDockWidget(Qt::RightDockWidgetArea, m_pDock);
    // Below the state list, which needs only its nine lines: the map takes
    // the rest of the height and room for a wall's width.
    m_pWindow->resizeDocks({ m_pDock }, { 440 }, Qt::Horizontal);
    if (auto* pStates = m_pWindow->findChild<QDockWidget*>(QStringLiteral("StatusListDock")))
        m_pWindow->resizeDocks({ pStates, m_pDock }, { 200, 520 }, Qt::Vertical);
}

void CDemoWallMap::SetConnect()
{
    connect(m_pComboMeasure, QOverload<int>::of(&QComboBox::currentIndexChanged), this, [this](int nIndex) {
        m_pMap->SetMeasure(CWallMapView::EMeasure(m_pComboMeasure->itemData(nIndex).toInt()));
        m_fnLog(QStringLiteral("Action MapMeasure measure=%1").arg(int(m_pMap->Measure())));
    });
    connect(m_pView, &CCMMainView::CurrentRowChanged, this,
            [this]() { m_fnLog(QStringLiteral("Current row=%1").arg(m_pView->CurrentRow())); });
}

void CDemoWallMap::AddToMenus(QMenu* pMenuView)
{
    pMenuView->addAction(m_pDock->toggleViewAction());
}

void CDemoWallMap::Retranslate()
{
    m_pDock->setWindowTitle(tr("Wall map"));
    m_pMap->setAccessibleName(tr("Wall map"));
    m_pComboMeasure->setAccessibleName(tr("Map colours"));
    for (int i = 0; i < m_pComboMeasure->count(); ++i)
        m_pComboMeasure->setItemText(i, CWallMapView::MeasureName(CWallMapView::EMeasure(i)));
}
