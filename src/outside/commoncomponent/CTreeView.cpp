#include "CTreeView.h"

#include <QEvent>
#include <QMouseEvent>
#include <QPersistentModelIndex>

class CTreeViewPrivate
{
public:
    bool bHover = false;
    QPersistentModelIndex indexHover;
};

CTreeView::CTreeView(QWidget* parent)
    : QTreeView(parent)
    , m_pPrivate(new CTreeViewPrivate)
{
    // Every row has the same height, so the view never walks row heights.
    setUniformRowHeights(true);
    setRootIsDecorated(false);
    setItemsExpandable(false);
    setAllColumnsShowFocus(true);
    setFrameShape(QFrame::NoFrame);
    setMouseTracking(true);
}

CTreeView::~CTreeView() = default;

bool CTreeView::IsHovering() const
{
    Q_D(const CTreeView);
    return d->bHover && d->indexHover.isValid();
}

QModelIndex CTreeView::HoverIndex() const
{
    Q_D(const CTreeView);
    return d->indexHover;
}

void CTreeView::SetHoverIndex(const QModelIndex& index)
{
    Q_D(CTreeView);
    d->indexHover = index;
    d->bHover = index.isValid();
}

void CTreeView::ClearHover()
{
    Q_D(CTreeView);
    d->bHover = false;
}

bool CTreeView::event(QEvent* e)
{
    Q_D(CTreeView);
    if (e->type() == QEvent::Leave && d->bHover) {
        d->bHover = false;
        viewport()->update();
    }
    return QTreeView::event(e);
}

void CTreeView::mouseMoveEvent(QMouseEvent* e)
{
    Q_D(CTreeView);
    QTreeView::mouseMoveEvent(e);
    const QModelIndex index = indexAt(e->pos());
    const bool bHover = index.isValid();
    if (bHover == d->bHover && (!bHover || (d->indexHover.row() == index.row() && d->indexHover.parent() == index.parent())))
        return;
    d->bHover = bHover;
    d->indexHover = bHover ? QPersistentModelIndex(index) : QPersistentModelIndex();
    viewport()->update();
}
