#include "CWallMapLayout.h"

#include "CReceiverTableModel.h"

#include <algorithm>
#include <numeric>
#include <tuple>

void CWallMapLayout::Build(const CReceiverTableModel& model)
{
    const int nRows = model.rowCount();
    m_vecRowPort.resize(size_t(nRows));
    m_vecRowPosition.resize(size_t(nRows));
    for (int r = 0; r < nRows; ++r) {
        m_vecRowPort[size_t(r)] = model.RecordPort(r);
        m_vecRowPosition[size_t(r)] = model.RecordPosition(r);
    }
    m_vecOrder.resize(size_t(nRows));
    std::iota(m_vecOrder.begin(), m_vecOrder.end(), 0);
    std::sort(m_vecOrder.begin(), m_vecOrder.end(), [this](int a, int b) {
        const auto key = [this](int r) { return std::make_tuple(m_vecRowPort[size_t(r)], m_vecRowPosition[size_t(r)], r); };
        return key(a) < key(b);
    });

    m_vecPorts.clear();
    m_vecLineStart.clear();
    m_vecCell.assign(size_t(nRows), SCell());
    m_vecOrderPosition.assign(size_t(nRows), -1);
    m_nColumns = 0;
    int nNextColumn = 0;
    for (size_t i = 0; i < m_vecOrder.size(); ++i) {
        const int r = m_vecOrder[i];
        const int nPort = m_vecRowPort[size_t(r)];
        if (m_vecPorts.empty() || m_vecPorts.back() != nPort) {
            m_vecPorts.push_back(nPort);
            m_vecLineStart.push_back(int(i));
            nNextColumn = 0;
        }
        const int nPosition = m_vecRowPosition[size_t(r)];
        const int nColumn = nPosition >= nNextColumn && nPosition < c_nMaxColumn ? nPosition : nNextColumn;
        nNextColumn = nColumn + 1;
        m_vecCell[size_t(r)] = SCell { int(m_vecPorts.size()) - 1, nColumn };
        m_vecOrderPosition[size_t(r)] = int(i);
        m_nColumns = std::max(m_nColumns, nNextColumn);
    }
    m_vecLineStart.push_back(int(m_vecOrder.size()));
}

bool CWallMapLayout::IsStale(const CReceiverTableModel& model, int nFirstRow, int nLastRow) const
{
    if (model.rowCount() != RowCount())
        return true;
    for (int r = std::max(0, nFirstRow); r <= nLastRow && r < RowCount(); ++r) {
        if (model.RecordPort(r) != m_vecRowPort[size_t(r)] || model.RecordPosition(r) != m_vecRowPosition[size_t(r)])
            return true;
    }
    return false;
}

int CWallMapLayout::LinePort(int nLine) const
{
    return nLine >= 0 && nLine < LineCount() ? m_vecPorts[size_t(nLine)] : -1;
}

CWallMapLayout::SCell CWallMapLayout::CellOfRow(int nRow) const
{
    return nRow >= 0 && nRow < RowCount() ? m_vecCell[size_t(nRow)] : SCell();
}

int CWallMapLayout::LowerBound(int nLine, int nColumn) const
{
    const auto itBegin = m_vecOrder.begin() + LineBegin(nLine);
    const auto itEnd = m_vecOrder.begin() + LineEnd(nLine);
    const auto it = std::lower_bound(itBegin, itEnd, nColumn,
                                     [this](int r, int n) { return m_vecCell[size_t(r)].nColumn < n; });
    return int(it - m_vecOrder.begin());
}

int CWallMapLayout::RowAt(int nLine, int nColumn) const
{
    if (nLine < 0 || nLine >= LineCount() || nColumn < 0 || nColumn >= m_nColumns)
        return -1;
    const int i = LowerBound(nLine, nColumn);
    if (i == LineEnd(nLine))
        return -1;
    const int r = m_vecOrder[size_t(i)];
    return m_vecCell[size_t(r)].nColumn == nColumn ? r : -1;
}

int CWallMapLayout::OrderPosition(int nRow) const
{
    return nRow >= 0 && nRow < RowCount() ? m_vecOrderPosition[size_t(nRow)] : -1;
}
