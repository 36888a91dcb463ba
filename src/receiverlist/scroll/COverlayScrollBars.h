#pragma once

class QAbstractScrollArea;
class QWidget;
class CScrollBar;

// The thin scroll bars drawn over the table instead of the platform's: they
// mirror the hidden system bars and sit along the right and bottom edges,
// below the header.
class COverlayScrollBars
{
public:
    COverlayScrollBars(QAbstractScrollArea* pArea, QWidget* pHeader);

    void Layout();
    CScrollBar* Horizontal() const { return m_pHScrollBar; }
    CScrollBar* Vertical() const { return m_pVScrollBar; }

private:
    QAbstractScrollArea* m_pArea;
    QWidget* m_pHeader;
    CScrollBar* m_pHScrollBar = nullptr;
    CScrollBar* m_pVScrollBar = nullptr;
};
