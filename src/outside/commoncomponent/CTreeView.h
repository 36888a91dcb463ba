#pragma once

#include "CMViewExport.h"

#include <QModelIndex>
#include <QScopedPointer>
#include <QTreeView>

class CTreeViewPrivate;

// Flat-table base of the receiver list: uniform rows, no tree decoration, and
// the row under the mouse for the hover highlight.
class CMVIEW_EXPORT CTreeView : public QTreeView
{
    Q_OBJECT

public:
    explicit CTreeView(QWidget* parent = nullptr);
    ~CTreeView() override;

    // The row under the mouse, while the mouse is over a row.
    bool IsHovering() const;
    QModelIndex HoverIndex() const;
    void SetHoverIndex(const QModelIndex& index);
    void ClearHover();

protected:
    bool event(QEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;

private:
    const QScopedPointer<CTreeViewPrivate> m_pPrivate;
    Q_DECLARE_PRIVATE_D(m_pPrivate, CTreeView)
};
