#include "CScrollBar.h"

CScrollBar::CScrollBar(Qt::Orientation orientation, QWidget* parent)
    : QScrollBar(orientation, parent)
{
}

void CScrollBar::ConnectSystem(QScrollBar* pSystem)
{
    if (m_pSystem)
        disconnect(m_pSystem, nullptr, this, nullptr);
    m_pSystem = pSystem;
    if (!pSystem)
        return;
    setRange(pSystem->minimum(), pSystem->maximum());
    setPageStep(pSystem->pageStep());
    setSingleStep(pSystem->singleStep());
    setValue(pSystem->value());
    // setValue does nothing when the value is unchanged, so the pair cannot loop.
    connect(pSystem, &QScrollBar::valueChanged, this, &QScrollBar::setValue);
    connect(this, &QScrollBar::valueChanged, pSystem, &QScrollBar::setValue);
    connect(pSystem, &QScrollBar::rangeChanged, this, &QScrollBar::setRange);
}
