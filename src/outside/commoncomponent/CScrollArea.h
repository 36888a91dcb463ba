#pragma once

#include "CMViewExport.h"

#include <QScrollArea>

// A scroll area whose vertical bar, when SetNeedEnter(true) is set, shows only
// while the mouse is inside the area and there is something to scroll.
class CMVIEW_EXPORT CScrollArea : public QScrollArea
{
    Q_OBJECT

public:
    explicit CScrollArea(QWidget* parent = nullptr);

    void SetNeedEnter(bool bNeedEnter);
    bool IsNeedEnter() const { return m_bNeedEnter; }

protected:
    void enterEvent(QEvent* e) override;
    void leaveEvent(QEvent* e) override;

private:
    void UpdateBarPolicy(bool bInside);

    bool m_bNeedEnter = false;
};
