#include "CReceiverListDelegate.h"

#include "CColumnMap.h"
#include "CIconCache.h"
#include "DelegateGeometry.h"
#include "SReceiverRowInfo.h"
#include "ShownCellText.h"

#include <QApplication>
#include <QPainter>
#include <QTextOption>

// Private state behind the d-pointer: later releases can change it and keep
// binary compatibility.
class CReceiverListDelegatePrivate
{
public:
    const CColumnMap* m_pColumns = nullptr;
};

namespace
{
const QColor s_colorTrack(0x2F, 0x32, 0x37);
const QColor s_colorUpgrading(0xA9, 0xB3, 0xBC);
const QColor s_colorFailed(0xC2, 0x41, 0x41);
const QColor s_colorSucceeded(0x43, 0xC2, 0x41);
const QColor s_colorPacketError(0xD7, 0x45, 0x3D);
const QString s_strCheckDisable = QStringLiteral(":/image/control/checkBox/checkDisable.svg");

void SetCellFont(QPainter* painter)
{
    painter->setFont(DelegateGeometry::CellFont(painter->font()));
}
}

CReceiverListDelegate::CReceiverListDelegate(QObject* parent)
    : QStyledItemDelegate(parent)
    , m_pPrivate(new CReceiverListDelegatePrivate)
{
}

CReceiverListDelegate::~CReceiverListDelegate() = default;

QWidget* CReceiverListDelegate::createEditor(QWidget*, const QStyleOptionViewItem&, const QModelIndex&) const
{
    return nullptr;
}

bool CReceiverListDelegate::editorEvent(QEvent*, QAbstractItemModel*, const QStyleOptionViewItem&, const QModelIndex&)
{
    return false;
}

void CReceiverListDelegate::initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const
{
    QStyledItemDelegate::initStyleOption(option, index);
    option->state &= ~(QStyle::State_HasFocus | QStyle::State_Selected | QStyle::State_MouseOver);
}

void CReceiverListDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    painter->setRenderHint(QPainter::Antialiasing);
    const QRect& rect = option.rect;
    const int nColumn = index.column();

    QStyleOptionViewItem optionCell(option);
    if (nColumn == 0) {
        const bool bBoxShown = ReceiverRole::IsBoxShown(index);
        const bool bNoState = index.data(Qt::CheckStateRole).isNull();
        optionCell.rect.setLeft(rect.left() + DelegateGeometry::nFirstCellIndent);
        if (bBoxShown && bNoState)
            CIconCache::Draw(painter, QRectF(rect.left() + 16, rect.top() + 10, 16, 16), s_strCheckDisable);
    }
    QStyledItemDelegate::paint(painter, optionCell, index);

    Q_ASSERT(m_pPrivate->m_pColumns);
    const int nKey = m_pPrivate->m_pColumns->IsColumn(nColumn) ? int(m_pPrivate->m_pColumns->KeyOf(nColumn)) : -1;

    if (nKey == ReceiverColumn::Progress) {
        SetCellFont(painter);
        const SRowProgressInfo info = ReceiverRole::ProgressRecord(index);
        if (info.nState == SRowProgressInfo::NotUpgrading || info.nState == SRowProgressInfo::Unused) {
            painter->drawText(QRectF(rect.left() + DelegateGeometry::nTextLeft, rect.top(), DelegateGeometry::nTextMaxWidth,
                                     rect.height()),
                              info.strText, QTextOption(Qt::AlignLeft | Qt::AlignVCenter));
            return;
        }
        const int w = rect.width();
        const int h = rect.height();
        // A cell narrower than the reserve has no room for a bar; never draw left of it.
        const int nBarMax = DelegateGeometry::nBarMaxWidth;
        const int b = qMax(0, qMin(nBarMax, w - DelegateGeometry::nBarReserve));
        const int x0 = rect.left() + DelegateGeometry::nTextLeft;
        const int y0 = rect.top() + (h - 6) / 2;
        painter->save();
        painter->setPen(Qt::NoPen);
        painter->setBrush(s_colorTrack);
        painter->drawRoundedRect(QRectF(x0, y0, b, 6), 2.0, 2.0, Qt::AbsoluteSize);
        const int f = qMin(b * info.nProgress / 100, info.nProgress * nBarMax / 100);
        if (info.nState == SRowProgressInfo::Upgrading)
            painter->setBrush(s_colorUpgrading);
        else if (info.nState == SRowProgressInfo::UpgradeFailed)
            painter->setBrush(s_colorFailed);
        else if (info.nState == SRowProgressInfo::UpgradeSucceeded)
            painter->setBrush(s_colorSucceeded);
        painter->drawRoundedRect(QRectF(x0, y0, f, 6), 2.0, 2.0, Qt::AbsoluteSize);
        painter->restore();
        const QRect rectText(QPoint(x0 + b + DelegateGeometry::nBarTextGap, rect.top()), QPoint(rect.right(), rect.bottom()));
        if (rectText.left() < rect.right())
            painter->drawText(rectText, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, info.strText);
        return;
    }

    if (nKey == ReceiverColumn::Packets) {
        SetCellFont(painter);
        QString strErrors;
        QString strTotal;
        ShownCellText::PacketParts(index, &strErrors, &strTotal);
        const qint64 nErrors = strErrors.toLongLong();
        const qint64 nTotal = strTotal.toLongLong();
        const QPen penOld = painter->pen();
        if (nErrors * 1000000 > nTotal)
            painter->setPen(s_colorPacketError);
        painter->drawText(QRectF(rect.left() + DelegateGeometry::nTextLeft, rect.top(), DelegateGeometry::nTextMaxWidth, rect.height()),
                          strErrors + QLatin1String(" / ") + strTotal, QTextOption(Qt::AlignLeft | Qt::AlignVCenter));
        painter->setPen(penOld);
    }
}

QSize CReceiverListDelegate::ContentSize(const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    QStyleOptionViewItem optionCell(option);
    initStyleOption(&optionCell, index);
    const QWidget* pWidget = option.widget;
    const QStyle* pStyle = pWidget ? pWidget->style() : QApplication::style();
    return pStyle->sizeFromContents(QStyle::CT_ItemViewItem, &optionCell, QSize(), pWidget);
}

void CReceiverListDelegate::SetColumnMap(const CColumnMap* pColumns)
{
    m_pPrivate->m_pColumns = pColumns;
}
