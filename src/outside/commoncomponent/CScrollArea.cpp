#include "CScrollArea.h"

#include <QScrollBar>

CScrollArea::CScrollArea(QWidget* parent)
    : QScrollArea(parent)
{
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
}

void CScrollArea::SetNeedEnter(bool bNeedEnter)
{
    m_bNeedEnter = bNeedEnter;
    UpdateBarPolicy(underMouse());
}

void CScrollArea::enterEvent(QEvent* e)
{
    UpdateBarPolicy(true);
    QScrollArea::enterEvent(e);
}

void CScrollArea::leaveEvent(QEvent* e)
{
    UpdateBarPolicy(false);
    QScrollArea::leaveEvent(e);
}

void CScrollArea::UpdateBarPolicy(bool bInside)
{
    if (!m_bNeedEnter)
        setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    else
        setVerticalScrollBarPolicy(bInside ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
}
