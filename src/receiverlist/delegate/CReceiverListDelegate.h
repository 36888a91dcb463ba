#pragma once

#include "CMViewExport.h"

#include <QStyledItemDelegate>

// Paints the first column's disabled check box, the progress bars and the
// packet counts; everything else is Qt's styled painting.
class CMVIEW_EXPORT CReceiverListDelegate : public QStyledItemDelegate
{
    Q_OBJECT

public:
    explicit CReceiverListDelegate(QObject* parent = nullptr);
    ~CReceiverListDelegate() override;

    void SetShowPort(bool bShow) { m_bShowPort = bShow; }
    bool IsShowPort() const { return m_bShowPort; }

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;

private:
    bool m_bShowPort = false;
};
