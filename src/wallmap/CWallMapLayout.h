#pragma once

#include <cstddef>
#include <vector>

class CReceiverTableModel;

// Where each card sits on the wall map: one line per output port in port
// order, one cell per position on the port's string in string order. A card
// sits at its position's column, so a missing card leaves a gap; a card whose
// position is taken already, negative or absurdly far out goes to the next
// free column of its line, so no card is ever lost from the map.
class CWallMapLayout
{
public:
    // Positions from here on are not given their own column: a corrupt
    // address must not make the map millions of cells wide.
    static constexpr int c_nMaxColumn = 4096;

    struct SCell
    {
        int nLine = -1;
        int nColumn = -1;
    };

    // Lays out every row of the model.
    void Build(const CReceiverTableModel& model);
    // Whether a row in the range now has another port or position than it
    // was laid out with.
    bool IsStale(const CReceiverTableModel& model, int nFirstRow, int nLastRow) const;

    int RowCount() const { return int(m_vecCell.size()); }
    int LineCount() const { return int(m_vecPorts.size()); }
    int ColumnCount() const { return m_nColumns; }
    // The port a line shows, as the model numbers it (0-based).
    int LinePort(int nLine) const;
    SCell CellOfRow(int nRow) const;
    // The model row at a cell; -1 for a gap or outside the map.
    int RowAt(int nLine, int nColumn) const;
    // The model rows line by line, each line in column order: the order a
    // Shift range on the map runs in.
    const std::vector<int>& Order() const { return m_vecOrder; }
    // A line's rows in column order: [LineBegin, LineEnd) within Order().
    int LineBegin(int nLine) const { return m_vecLineStart[std::size_t(nLine)]; }
    int LineEnd(int nLine) const { return m_vecLineStart[std::size_t(nLine) + 1]; }
    // The first place in the line, within Order(), whose column is nColumn or
    // after; LineEnd() when none is.
    int LowerBound(int nLine, int nColumn) const;
    // A row's place in Order().
    int OrderPosition(int nRow) const;

private:
    std::vector<int> m_vecPorts;
    std::vector<int> m_vecRowPort;
    std::vector<int> m_vecRowPosition;
    std::vector<SCell> m_vecCell;
    std::vector<int> m_vecOrder;
    std::vector<int> m_vecOrderPosition;
    // Where each line's rows start in m_vecOrder, and one past the last line.
    // Kept by card, not by cell: a hostile address cannot make the map a
    // grid of millions of empty cells.
    std::vector<int> m_vecLineStart;
    int m_nColumns = 0;
};
