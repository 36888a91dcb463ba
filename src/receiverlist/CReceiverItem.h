#pragma once

#include "SReceiverRowInfo.h"

#include <QStandardItem>

// A table cell that answers the roles every cell shares without storing them:
// the 36-pixel size hint of every row, and for text columns the sort key (and
// the plain-text copy) that always equal the displayed text. Tens of thousands
// of rows then cost one stored value per text cell instead of three or four.
class CReceiverItem : public QStandardItem
{
public:
    enum EMirror
    {
        MirrorNone,       // every role stored as written
        MirrorSortKey,    // sort key = display text
        MirrorSortAndPlain // sort key and plain-text copy = display text
    };
    static constexpr int c_nType = QStandardItem::UserType + 0x434D;

    explicit CReceiverItem(EMirror eMirror)
        : m_eMirror(eMirror)
    {
    }

    int type() const override { return c_nType; }
    EMirror Mirror() const { return m_eMirror; }

    QVariant data(int role) const override
    {
        if (role == Qt::SizeHintRole) {
            const QVariant var = QStandardItem::data(role);
            return var.isValid() ? var : QVariant(QSize(0, 36));
        }
        if ((role == ReceiverRole::SortKey && m_eMirror != MirrorNone)
            || (role == ReceiverRole::PlainText && m_eMirror == MirrorSortAndPlain)) {
            const QVariant var = QStandardItem::data(role);
            return var.isValid() ? var : QStandardItem::data(Qt::DisplayRole);
        }
        return QStandardItem::data(role);
    }

    QStandardItem* clone() const override
    {
        return new CReceiverItem(*this);
    }

protected:
    CReceiverItem(const CReceiverItem& other)
        : QStandardItem(other)
        , m_eMirror(other.m_eMirror)
    {
    }

private:
    EMirror m_eMirror;
};
