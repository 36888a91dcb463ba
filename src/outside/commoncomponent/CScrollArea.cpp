#include "CScrollArea.h"

#include <QScrollBar>

// Private state behind the d-pointer: later releases can change it and keep
// binary compatibility.
class CScrollAreaPrivate
{
public:
    bool m_bNeedEnter = false;
};

CScrollArea::CScrollArea(QWidget* parent)
    : QScrollArea(parent)
    , m_pPrivate(new CScrollAreaPrivate)
{
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
}

void CScrollArea::SetNeedEnter(bool bNeedEnter)
{
    m_pPrivate->m_bNeedEnter = bNeedEnter;
    UpdateBarPolicy(underMouse());
}

#if QT_VERSION >= QT_VERSION_CHECK(6, 0, 0)
void CScrollArea::enterEvent(QEnterEvent* e)
#else
void CScrollArea::enterEvent(QEvent* e)
#endif
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
    if (!m_pPrivate->m_bNeedEnter)
        setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    else
        setVerticalScrollBarPolicy(bInside ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
}

CScrollArea::~CScrollArea() = default;
