#pragma once

#include <QObject>
#include <QString>

#include <functional>

class QComboBox;
class QDockWidget;
class QMainWindow;
class QMenu;
class CCMMainView;
class CWallMapView;

// The demo's map of the wall: docked beside the table, its measure chosen
// from a combo box above it.
//
// With --log-events it adds these lines to the demo's log:
//   Action MapMeasure measure=<CWallMapView::EMeasure>
//   Current row=<CCMMainView::CurrentRow()>
class CDemoWallMap : public QObject
{
    Q_OBJECT

public:
    using FnLog = std::function<void(const QString&)>;

    CDemoWallMap(CCMMainView* pView, QMainWindow* pWindow, const FnLog& fnLog);

    QDockWidget* Dock() const { return m_pDock; }
    CWallMapView* Map() const { return m_pMap; }
    void AddToMenus(QMenu* pMenuView);
    void Retranslate();

private:
    void InitControl();
    void SetConnect();

    CCMMainView* m_pView;
    QMainWindow* m_pWindow;
    FnLog m_fnLog;

    QDockWidget* m_pDock = nullptr;
    QComboBox* m_pComboMeasure = nullptr;
    CWallMapView* m_pMap = nullptr;
};
