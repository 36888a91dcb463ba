#pragma once

#include "TavrelCMControl.h"

#include <QPersistentModelIndex>
#include <QTreeView>

class QStandardItemModel;

// Flat-table base of the receiver list: owns the item model and tracks the
// row under the mouse for the hover highlight.
class CMVIEW_EXPORT CTreeView : public QTreeView
{
    Q_OBJECT

public:
    explicit CTreeView(QWidget* parent = nullptr);
    ~CTreeView() override;

protected:
    bool event(QEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;

    QStandardItemModel* m_pModel = nullptr;
    bool m_bHover = false;
    QPersistentModelIndex m_indexHover;
};
