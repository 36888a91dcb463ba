#include "CTreeView.h"

#include <QEvent>
#include <QMouseEvent>
#include <QStandardItemModel>

CTreeView::CTreeView(QWidget* parent)
    : QTreeView(parent)
{
    m_pModel = new QStandardItemModel(this);
    // Every row has the same height, so the view never walks row heights.
    setUniformRowHeights(true);
    setRootIsDecorated(false);
    setItemsExpandable(false);
    setAllColumnsShowFocus(true);
    setFrameShape(QFrame::NoFrame);
    setMouseTracking(true);
}

CTreeView::~CTreeView() = default;

bool CTreeView::event(QEvent* e)
{
    if (e->type() == QEvent::Leave && m_bHover) {
        m_bHover = false;
        viewport()->update();
    }
    return QTreeView::event(e);
}

void CTreeView::mouseMoveEvent(QMouseEvent* e)
{
    QTreeView::mouseMoveEvent(e);
    const QModelIndex index = indexAt(e->pos());
    const bool bHover = index.isValid();
    if (bHover == m_bHover && (!bHover || (m_indexHover.row() == index.row() && m_indexHover.parent() == index.parent())))
        return;
    m_bHover = bHover;
    m_indexHover = bHover ? QPersistentModelIndex(index) : QPersistentModelIndex();
    viewport()->update();
}
