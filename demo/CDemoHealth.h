#pragma once

#include "ReceiverHealth.h"

#include <QObject>
#include <QString>

#include <functional>

class QAction;
class QDockWidget;
class QLabel;
class QLineEdit;
class QMainWindow;
class QMenu;
class QWidget;
class CCMMainView;
class CReceiverStatusList;

// The demo's view of the wall's health: the state list docked beside the
// table, a filter box above it, the limits under Preferences, and a status
// bar figure for the checked cards the filters hide.
//
// With --log-events it adds these lines to the demo's log:
//   Action TextFilter text=<text> shown=<rows shown>
//   Action Limits temperature=<°C|off> voltage=<low|off>-<high|off> humidity=<%|off>
//   Filters state=<EHealthState bits, 0 none> text=<text> hidden=<checked cards hidden>
class CDemoHealth : public QObject
{
    Q_OBJECT

public:
    using FnLog = std::function<void(const QString&)>;

    CDemoHealth(CCMMainView* pView, QMainWindow* pWindow, const FnLog& fnLog);

    // The filter box above the view, for the window's centre.
    QWidget* Centre() const { return m_pCentre; }
    QLabel* HiddenLabel() const { return m_pLblHidden; }
    void AddToMenus(QMenu* pMenuView, QMenu* pMenuPreferences);
    void Retranslate();
    // The status bar figure and the Filters log line, when they changed.
    void UpdateStatus();
    // The limits the demo starts with: warnings show without any setting.
    static SHealthLimits DefaultLimits();

signals:
    // The text filter changed: the shown rows did.
    void FiltersChanged();

private:
    void InitControl();
    void SetConnect();
    void OnTextEdited(const QString& strText);
    void OnLimits();
    void ApplyLimits(const SHealthLimits& limits);

    CCMMainView* m_pView;
    QMainWindow* m_pWindow;
    FnLog m_fnLog;

    QWidget* m_pCentre = nullptr;
    QLineEdit* m_pEditFilter = nullptr;
    QDockWidget* m_pDock = nullptr;
    CReceiverStatusList* m_pStatusList = nullptr;
    QAction* m_pActLimits = nullptr;
    QLabel* m_pLblHidden = nullptr;
    QString m_strLastFilters;
};
