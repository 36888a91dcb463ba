#pragma once

#include "CMViewExport.h"

#include <QPointer>
#include <QScrollBar>

// An overlay scroll bar that mirrors a view's own (hidden) scroll bar.
class CMVIEW_EXPORT CScrollBar : public QScrollBar
{
    Q_OBJECT

public:
    CScrollBar(Qt::Orientation orientation, QWidget* parent = nullptr);

    // Ties this bar to the system bar both ways: moving either moves the other,
    // and range changes of the system bar are followed.
    void ConnectSystem(QScrollBar* pSystem);

private:
    QPointer<QScrollBar> m_pSystem;
};
