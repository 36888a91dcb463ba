#include "CColumnFitting.h"

#include "CColumnMap.h"
#include "CReceiverListDelegate.h"
#include "CReceiverListHeader.h"
#include "CReceiverListView.h"
#include "CUpgradeProgress.h"
#include "DelegateGeometry.h"
#include "HeaderGeometry.h"
#include "ShownCellText.h"

#include <QAbstractItemModel>
#include <QStyleOptionViewItem>

namespace
{
// Room right of a label or button, clear of the section's separator lines.
constexpr int s_nLabelMargin = 6;
// Room right of a cell's text, so neighbouring columns' texts do not meet.
constexpr int s_nCellMargin = 12;
// Packet counts grow while the wall runs: the column is at least as wide as
// counts of this size, so it does not have to be fitted again as they climb.
const QString s_strPacketsReference = QStringLiteral("9999 / 99999999");
}

CColumnFitting::CColumnFitting(const CReceiverListView* pView)
    : m_pView(pView)
    , m_pColumns(&pView->GetColumnMap())
    , m_fmLabel(HeaderGeometry::LabelFont())
    , m_fmCell(pView->font())
    , m_fmSmall(DelegateGeometry::CellFont(pView->font()))
{
}

int CColumnFitting::LabelWidth(int nColumn) const
{
    const int nKey = m_pColumns->KeyOf(nColumn);
    const int w = m_fmLabel.horizontalAdvance(m_pView->GetHeader()->GetLabels().value(nColumn));
    const int nButton = HeaderGeometry::nButtonGap + HeaderGeometry::nButtonSize;
    int nRight = HeaderGeometry::nLabelLeft + w;
    if (nColumn == 0) {
        nRight = HeaderGeometry::nCheckLeft + HeaderGeometry::nCheckIconSize + HeaderGeometry::nCheckLabelGap + w;
        if (nKey == ReceiverColumn::Port)
            nRight = qMax(nRight, HeaderGeometry::nFilterLabelLeft + w + nButton);
    } else if (nKey == ReceiverColumn::Packets) {
        nRight = qMax(HeaderGeometry::nLabelLeft + w + HeaderGeometry::nResetReserve,
                      HeaderGeometry::nResetLabelLeft + w + nButton);
    }
    return nRight + s_nLabelMargin;
}

int CColumnFitting::CellWidth(int nColumn) const
{
    const int nKey = m_pColumns->KeyOf(nColumn);
    const QAbstractItemModel* pModel = m_pView->GetModel();
    if (nKey == ReceiverColumn::Packets) {
        int w = m_fmSmall.horizontalAdvance(s_strPacketsReference);
        for (int r = 0; r < pModel->rowCount(); ++r)
            w = qMax(w, m_fmSmall.horizontalAdvance(ShownCellText::Text(pModel->index(r, nColumn), nKey)));
        return DelegateGeometry::nTextLeft + qMin(w, DelegateGeometry::nTextMaxWidth) + s_nCellMargin;
    }
    if (nKey == ReceiverColumn::Progress) {
        // Every text a member's cell can show beside a whole bar.
        int w = 0;
        for (const int nResult : { -1, 0 })
            w = qMax(w, m_fmSmall.horizontalAdvance(CUpgradeProgress::MakeProgressInfo(CUpgradeProgress::StageFinished, nResult, 1.0f).strText));
        w = qMax(w, m_fmSmall.horizontalAdvance(CUpgradeProgress::MakeProgressInfo(CUpgradeProgress::StageUpgrading, 0, 1.0f).strText));
        const int nBar = DelegateGeometry::nBarMaxWidth;
        return qMax(DelegateGeometry::nTextLeft + nBar + DelegateGeometry::nBarTextGap + w + s_nCellMargin,
                    nBar + DelegateGeometry::nBarReserve);
    }
    return TextCellWidth(nColumn);
}

int CColumnFitting::TextCellWidth(int nColumn) const
{
    // The widest text by its font, then the size the delegate's styled
    // painting needs for that cell: the style's margins and, in the first
    // column, the row's box.
    const QAbstractItemModel* pModel = m_pView->GetModel();
    int nWidest = -1;
    QModelIndex indexWidest;
    for (int r = 0; r < pModel->rowCount(); ++r) {
        const QModelIndex index = pModel->index(r, nColumn);
        const int w = m_fmCell.horizontalAdvance(index.data(Qt::DisplayRole).toString());
        if (w > nWidest) {
            nWidest = w;
            indexWidest = index;
        }
    }
    if (!indexWidest.isValid())
        return 0;
    QStyleOptionViewItem option;
    option.initFrom(m_pView);
    option.font = m_pView->font();
    option.widget = m_pView;
    const CReceiverListDelegate* pDelegate = m_pView->GetDelegate();
    int nWidth = pDelegate->ContentSize(option, indexWidest).width();
    if (nColumn == 0) {
        // Rows without a check state have no box in front of their text;
        // the widest text still needs room for one when others have it.
        if (indexWidest.data(Qt::CheckStateRole).isNull()) {
            for (int r = 0; r < pModel->rowCount(); ++r) {
                const QModelIndex index = pModel->index(r, 0);
                if (index.data(Qt::CheckStateRole).isNull())
                    continue;
                const int nBox = pDelegate->ContentSize(option, index).width()
                    - m_fmCell.horizontalAdvance(index.data(Qt::DisplayRole).toString());
                nWidth = qMax(nWidth, nBox + nWidest);
                break;
            }
        }
        nWidth += DelegateGeometry::nFirstCellIndent;
    }
    return nWidth + s_nCellMargin;
}

int CColumnFitting::Width(int nColumn) const
{
    const int nMinimum = m_pView->GetHeader()->minimumSectionSize();
    return qMax(nMinimum, qMax(LabelWidth(nColumn), CellWidth(nColumn)));
}

void CColumnFitting::Apply(CReceiverListView* pView)
{
    const CColumnFitting fitting(pView);
    const int nColumns = pView->GetModel()->columnCount();
    for (int c = 0; c < nColumns; ++c) {
        if (!pView->isColumnHidden(c))
            pView->setColumnWidth(c, fitting.Width(c));
    }
}
