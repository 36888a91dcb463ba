#pragma once

#include <QFontMetrics>
#include <QVector>

class CColumnMap;
class CReceiverListView;

// Column widths that show each column's label whole, with the header's check
// box, Filter and Reset buttons beside it, and each of its cells' texts whole:
// measured in the fonts and at the places the header and the delegate paint
// them (HeaderGeometry.h, DelegateGeometry.h).
class CColumnFitting
{
public:
    explicit CColumnFitting(const CReceiverListView* pView);

    // What the header paints into the model column's section.
    int LabelWidth(int nColumn) const;
    // What the delegate paints into the model column's cells: every row's
    // text; the packet counts and the progress texts as wide as they come.
    int CellWidth(int nColumn) const;
    // Both, and never below the header's minimum section size.
    int Width(int nColumn) const;

    // Gives every shown column its width; hidden columns keep theirs.
    static void Apply(CReceiverListView* pView);

private:
    int TextCellWidth(int nColumn) const;

    const CReceiverListView* m_pView;
    const CColumnMap* m_pColumns;
    QFontMetrics m_fmLabel;
    QFontMetrics m_fmCell;
    QFontMetrics m_fmSmall;
};
