#pragma once

#include <QObject>

class QMainWindow;
class QTimer;
class CCMMainView;

// Drives the demo host for a soak run, as an operator would over a long day:
// with the live wall on, it cycles through plugging and unplugging cards,
// detections started from the header's Reset button, upgrade runs, select-all,
// refreshes and language switches, one step per interval. It goes through the
// window's own actions and real mouse events, never behind the host's back.
class CDemoSoak : public QObject
{
    Q_OBJECT

public:
    CDemoSoak(QMainWindow* pWindow, CCMMainView* pView, int nIntervalMs);

    int Steps() const { return m_nStep; }

private:
    void OnStep();
    void Trigger(const char* szAction);
    void ClickReset();

    QMainWindow* m_pWindow = nullptr;
    CCMMainView* m_pView = nullptr;
    QTimer* m_pTimer = nullptr;
    int m_nStep = 0;
};
