#include "COverlayScrollBars.h"

#include "CScrollBar.h"

#include <QAbstractItemView>
#include <QScrollBar>

COverlayScrollBars::COverlayScrollBars(QAbstractScrollArea* pArea, QWidget* pHeader)
    : m_pArea(pArea)
    , m_pHeader(pHeader)
{
    pArea->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    pArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_pHScrollBar = new CScrollBar(Qt::Horizontal, pArea);
    m_pHScrollBar->ConnectSystem(pArea->horizontalScrollBar());
    m_pHScrollBar->hide();
    m_pVScrollBar = new CScrollBar(Qt::Vertical, pArea);
    m_pVScrollBar->ConnectSystem(pArea->verticalScrollBar());
    m_pVScrollBar->hide();
    // Rows come and go without a resize; the bars follow the range as well.
    QObject::connect(pArea->horizontalScrollBar(), &QScrollBar::rangeChanged, pArea, [this]() { Layout(); });
    QObject::connect(pArea->verticalScrollBar(), &QScrollBar::rangeChanged, pArea, [this]() { Layout(); });
}

void COverlayScrollBars::Layout()
{
    const QScrollBar* pH = m_pArea->horizontalScrollBar();
    const QScrollBar* pV = m_pArea->verticalScrollBar();
    m_pHScrollBar->setRange(pH->minimum(), pH->maximum());
    m_pHScrollBar->setPageStep(pH->pageStep());
    m_pHScrollBar->setSingleStep(pH->singleStep());
    m_pVScrollBar->setRange(pV->minimum(), pV->maximum());
    m_pVScrollBar->setPageStep(pV->pageStep());
    m_pVScrollBar->setSingleStep(pV->singleStep());

    const int W = m_pArea->width();
    const int H = m_pArea->height();
    if (W < 10 || H < 10) {
        m_pHScrollBar->hide();
        m_pVScrollBar->hide();
        return;
    }
    const bool bShowH = pH->minimum() != pH->maximum();
    const bool bShowV = pV->minimum() != pV->maximum();
    m_pHScrollBar->setVisible(bShowH);
    m_pVScrollBar->setVisible(bShowV);
    const int hh = m_pHScrollBar->sizeHint().height();
    const int vw = m_pVScrollBar->sizeHint().width();
    const int hd = m_pHeader->height();
    m_pHScrollBar->setGeometry(0, H - hh - 1, bShowV ? W - hh - 1 : W - 1, hh);
    m_pVScrollBar->setGeometry(W - vw - 1, hd + 1, vw, bShowH ? H - hd - vw - 1 : H - hd - 1);
    m_pHScrollBar->raise();
    m_pVScrollBar->raise();
}
