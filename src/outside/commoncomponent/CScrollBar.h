#pragma once

#include "CMViewExport.h"

#include <QScopedPointer>

#include <QPointer>
#include <QScrollBar>

// An overlay scroll bar that mirrors a view's own (hidden) scroll bar.
class CScrollBarPrivate;

class CMVIEW_EXPORT CScrollBar : public QScrollBar
{
    Q_OBJECT

public:
    CScrollBar(Qt::Orientation orientation, QWidget* parent = nullptr);
    ~CScrollBar() override;

    // Ties this bar to the system bar both ways: moving either moves the other,
    // and range changes of the system bar are followed.
    void ConnectSystem(QScrollBar* pSystem);

private:
    const QScopedPointer<CScrollBarPrivate> m_pPrivate;
    Q_DECLARE_PRIVATE_D(m_pPrivate, CScrollBar)
};
