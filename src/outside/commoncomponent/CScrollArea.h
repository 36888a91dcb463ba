#pragma once

#include "CMViewExport.h"

#include <QScopedPointer>

#include <QScrollArea>

// A scroll area whose vertical bar, when SetNeedEnter(true) is set, shows only
// while the mouse is inside the area and there is something to scroll.
class CScrollAreaPrivate;

class CMVIEW_EXPORT CScrollArea : public QScrollArea
{
    Q_OBJECT

public:
    explicit CScrollArea(QWidget* parent = nullptr);
    ~CScrollArea() override;

    void SetNeedEnter(bool bNeedEnter);

protected:
#if QT_VERSION >= QT_VERSION_CHECK(6, 0, 0)
    void enterEvent(QEnterEvent* e) override;
#else
    void enterEvent(QEvent* e) override;
#endif
    void leaveEvent(QEvent* e) override;

private:
    void UpdateBarPolicy(bool bInside);

    const QScopedPointer<CScrollAreaPrivate> m_pPrivate;
    Q_DECLARE_PRIVATE_D(m_pPrivate, CScrollArea)
};
