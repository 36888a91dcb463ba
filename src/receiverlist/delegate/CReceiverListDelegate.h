#pragma once

#include "CMViewExport.h"

#include <QScopedPointer>

#include <QStyledItemDelegate>

// Paints the first column's disabled check box, the progress bars and the
// packet counts; everything else is Qt's styled painting.
class CReceiverListDelegatePrivate;
class CColumnMap;

class CMVIEW_EXPORT CReceiverListDelegate : public QStyledItemDelegate
{
    Q_OBJECT

public:
    explicit CReceiverListDelegate(QObject* parent = nullptr);
    ~CReceiverListDelegate() override;

    // The column layout the cells are painted for; the view's model owns it
    // and it must outlive this delegate's painting.
    void SetColumnMap(const CColumnMap* pColumns);

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    // The size the styled painting needs for a text cell's box and text,
    // whatever size hint the model gives its rows.
    QSize ContentSize(const QStyleOptionViewItem& option, const QModelIndex& index) const;

    // The cells are read-only views of the controllers' data, and check marks
    // change only through the view's own gestures, which report them to the
    // runtime controller. Every path Qt has for editing a cell (edit triggers,
    // a host's edit() or openPersistentEditor(), Space and clicks handed to
    // the delegate) ends in these two, so nothing is ever edited.
    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    bool editorEvent(QEvent* event, QAbstractItemModel* model, const QStyleOptionViewItem& option,
                     const QModelIndex& index) override;

protected:
    // Rows look only as the view's own background rules say: the platform
    // style's focus, selection and hover looks are never drawn into a cell.
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override;

private:
    const QScopedPointer<CReceiverListDelegatePrivate> m_pPrivate;
    Q_DECLARE_PRIVATE_D(m_pPrivate, CReceiverListDelegate)
};
