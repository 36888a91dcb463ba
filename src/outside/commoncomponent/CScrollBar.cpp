#include "CScrollBar.h"

// Private state behind the d-pointer: later releases can change it and keep
// binary compatibility.
class CScrollBarPrivate
{
public:
    QPointer<QScrollBar> m_pSystem;
};

CScrollBar::CScrollBar(Qt::Orientation orientation, QWidget* parent)
    : QScrollBar(orientation, parent)
    , m_pPrivate(new CScrollBarPrivate)
{
}

void CScrollBar::ConnectSystem(QScrollBar* pSystem)
{
    if (m_pPrivate->m_pSystem)
        disconnect(m_pPrivate->m_pSystem, nullptr, this, nullptr);
    m_pPrivate->m_pSystem = pSystem;
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

CScrollBar::~CScrollBar() = default;
