#pragma once
// What the receiver view announced during one step, held against what changed.
//
// Begin() pictures every cell of the table model (watched roles and flags, by
// the row's identity, so rows that move are still the same rows) and the rows'
// places on screen; End() lets the posted repaints run and pictures again.
// Between the two the recorder keeps the change notices of the table model and
// of the proxy in front of it, and the regions the viewport painted. The checks
// then answer: was every cell whose data changed covered by a notice of each
// model, and was every on-screen row whose painting changed inside a painted
// region.

#include "CReceiverTableModel.h"
#include "SReceiverRowInfo.h"

#include <QAbstractItemView>
#include <QAbstractProxyModel>
#include <QPaintEvent>
#include <QRegion>
#include <QScrollBar>
#include <QtTest>

#include <map>
#include <set>
#include <utility>

namespace cmtest
{
class CNoticeRecorder : public QObject
{
public:
    CNoticeRecorder(CReceiverTableModel* pModel, QAbstractProxyModel* pProxy, QAbstractItemView* pView)
        : m_pModel(pModel)
        , m_pProxy(pProxy)
        , m_pView(pView)
    {
        Watch(pModel, m_source, [this](int r) { return Id(r); });
        Watch(pProxy, m_proxy, [this](int p) { return Id(m_pProxy->mapToSource(m_pProxy->index(p, 0)).row()); });
        pView->viewport()->installEventFilter(this);
    }

    // Lets what is pending paint, then forgets it and pictures the table.
    void Begin()
    {
        Settle();
        m_source = SNotices();
        m_proxy = SNotices();
        m_regionPainted = QRegion();
        m_setSilent.clear();
        m_before = Picture();
    }
    // Until the next Begin(): changes of these roles in this column need a
    // repaint but no notice (bulk writes made with the model's signals blocked
    // by design, such as SelectAll and the upgrade marks).
    void AllowSilent(int nColumn, const QVector<int>& vecRoles)
    {
        for (const int nRole : vecRoles)
            m_setSilent.insert({ nColumn, nRole });
    }
    void End()
    {
        Settle();
        m_after = Picture();
    }

    // Cells whose data changed without a notice of the table model (or the
    // proxy) that covers the cell and the changed role; empty when all were told.
    QStringList UnannouncedCells() const { return Unannounced(m_source); }
    QStringList UnannouncedProxyCells() const { return Unannounced(m_proxy); }
    // On-screen rows whose painting changed (a cell's data, the row's marks,
    // its place) outside every region the viewport painted.
    QStringList UnpaintedRows() const
    {
        QStringList list;
        const QRect rectViewport = m_pView->viewport()->rect();
        const std::map<CellKey, std::set<int>> mapChanged = ChangedCells();
        for (const auto& row : m_after.mapRows) {
            const SRowPlace& place = row.second;
            QRegion regionNeeded;
            const auto itBefore = m_before.mapRows.find(row.first);
            if (itBefore == m_before.mapRows.end() || itBefore->second.rectContent != place.rectContent)
                regionNeeded += place.rectRow;
            for (auto it = mapChanged.lower_bound({ row.first, INT_MIN }); it != mapChanged.end() && it->first.first == row.first; ++it) {
                const auto& cell = *it;
                regionNeeded += IsRowMark(cell.first.second, cell.second) ? place.rectRow : place.vecCells.value(cell.first.second);
            }
            const QRegion regionMissed = (regionNeeded & rectViewport) - m_regionPainted;
            if (!regionMissed.isEmpty())
                list << QStringLiteral("view row %1 (id %2): %3 not repainted, painted %4")
                            .arg(place.nViewRow).arg(row.first).arg(Text(regionMissed.boundingRect()), Text(m_regionPainted.boundingRect()));
        }
        return list;
    }
    // Every failure of the three checks, one per line, with the step's notices;
    // empty when the view was told everything.
    QString Problems() const
    {
        QStringList list;
        for (const QString& str : UnannouncedCells())
            list << QStringLiteral("model: ") + str;
        for (const QString& str : UnannouncedProxyCells())
            list << QStringLiteral("proxy: ") + str;
        list << UnpaintedRows();
        if (!list.isEmpty())
            list << QStringLiteral("model notices: ") + m_source.listLog.join(QStringLiteral("; "))
                 << QStringLiteral("proxy notices: ") + m_proxy.listLog.join(QStringLiteral("; "));
        return list.join(QLatin1Char('\n'));
    }
    // Cells whose data changed between Begin() and End().
    int ChangedCellCount() const { return int(ChangedCells().size()); }
    QRegion Painted() const { return m_regionPainted; }
    static QString Text(const QRect& rect) { return QStringLiteral("(%1,%2 %3x%4)").arg(rect.x()).arg(rect.y()).arg(rect.width()).arg(rect.height()); }

protected:
    bool eventFilter(QObject* pObject, QEvent* e) override
    {
        if (e->type() == QEvent::Paint && pObject == m_pView->viewport())
            m_regionPainted += static_cast<QPaintEvent*>(e)->region();
        return false;
    }

private:
    using CellKey = std::pair<quint64, int>; // row id, model column
    static constexpr int c_nFlags = -1;      // the cell's flags, told by any notice on the cell
    struct SNotices
    {
        std::map<CellKey, std::set<int>> mapCovered; // roles told; INT_MIN: every role
        bool bStructure = false;                     // a reset or rows or columns came or went
        QStringList listLog;
    };
    struct SRowPlace
    {
        int nViewRow = -1;
        QRect rectContent; // in the scrolled content, so a scroll alone moves nothing
        QRect rectRow;     // the whole row in the viewport
        QVector<QRect> vecCells;
    };
    struct SPicture
    {
        std::map<CellKey, std::map<int, QVariant>> mapCells;
        std::map<quint64, SRowPlace> mapRows; // rows on screen
        int nColumns = 0;
    };

    static const QVector<int>& Roles()
    {
        static const QVector<int> s_vecRoles { Qt::DisplayRole, Qt::DecorationRole, Qt::ToolTipRole, Qt::CheckStateRole,
            Qt::TextAlignmentRole, Qt::ForegroundRole, Qt::BackgroundRole, Qt::FontRole, ReceiverRole::SortKey,
            ReceiverRole::Extra, ReceiverRole::UpgradeMark, ReceiverRole::RealPort, ReceiverRole::PlainText };
        return s_vecRoles;
    }
    // Whether a change of this role of this cell repaints the row's background too.
    static bool IsRowMark(int nColumn, const std::set<int>& setRoles)
    {
        return nColumn == 0 && (setRoles.count(Qt::CheckStateRole) || setRoles.count(ReceiverRole::UpgradeMark) || setRoles.count(c_nFlags));
    }
    quint64 Id(int r) const { return r >= 0 && r < m_pModel->rowCount() ? m_pModel->RowId(r) : ~quint64(0); }
    static QString Text(const QVariant& value) { return value.isValid() ? value.toString().left(24) : QStringLiteral("<none>"); }

    template <typename FnId>
    void Watch(QAbstractItemModel* pModel, SNotices& notices, FnId fnId)
    {
        connect(pModel, &QAbstractItemModel::dataChanged, this,
                [&notices, fnId](const QModelIndex& tl, const QModelIndex& br, const QVector<int>& vecRoles) {
                    QStringList listRoles;
                    for (const int nRole : vecRoles)
                        listRoles << QString::number(nRole);
                    notices.listLog << QStringLiteral("data rows %1-%2 columns %3-%4 roles [%5]")
                                           .arg(tl.row()).arg(br.row()).arg(tl.column()).arg(br.column()).arg(listRoles.join(QLatin1Char(',')));
                    for (int r = tl.row(); r <= br.row(); ++r) {
                        const quint64 nId = fnId(r);
                        for (int c = tl.column(); c <= br.column(); ++c) {
                            std::set<int>& setRoles = notices.mapCovered[{ nId, c }];
                            if (vecRoles.isEmpty())
                                setRoles.insert(INT_MIN); // every role
                            setRoles.insert(vecRoles.begin(), vecRoles.end());
                            setRoles.insert(c_nFlags);
                        }
                    }
                });
        const auto structure = [&notices](const char* pName) {
            return [&notices, pName]() { notices.bStructure = true; notices.listLog << QString::fromLatin1(pName); };
        };
        connect(pModel, &QAbstractItemModel::modelReset, this, structure("reset"));
        connect(pModel, &QAbstractItemModel::rowsInserted, this, structure("rows inserted"));
        connect(pModel, &QAbstractItemModel::rowsRemoved, this, structure("rows removed"));
        connect(pModel, &QAbstractItemModel::rowsMoved, this, structure("rows moved"));
        connect(pModel, &QAbstractItemModel::columnsInserted, this, structure("columns inserted"));
        connect(pModel, &QAbstractItemModel::columnsRemoved, this, structure("columns removed"));
        // A layout change moves rows; it says nothing about their data.
        connect(pModel, &QAbstractItemModel::layoutChanged, this, [&notices]() { notices.listLog << QStringLiteral("layout"); });
    }

    static void Settle()
    {
        for (int i = 0; i < 3; ++i) {
            QCoreApplication::sendPostedEvents();
            QCoreApplication::processEvents();
        }
        QTest::qWait(20); // a top-level window repaints on its next update request
        QCoreApplication::processEvents();
    }

    SPicture Picture() const
    {
        SPicture picture;
        picture.nColumns = m_pModel->columnCount();
        for (int r = 0; r < m_pModel->rowCount(); ++r) {
            const quint64 nId = m_pModel->RowId(r);
            for (int c = 0; c < picture.nColumns; ++c) {
                const QModelIndex index = m_pModel->index(r, c);
                std::map<int, QVariant>& mapValues = picture.mapCells[{ nId, c }];
                for (const int nRole : Roles())
                    mapValues[nRole] = index.data(nRole);
                mapValues[c_nFlags] = int(index.flags());
            }
        }
        const QRect rectViewport = m_pView->viewport()->rect();
        const QPoint ptScroll(m_pView->horizontalScrollBar()->value(), m_pView->verticalScrollBar()->value());
        for (int p = 0; p < m_pProxy->rowCount(); ++p) {
            const QRect rectFirst = m_pView->visualRect(m_pProxy->index(p, 0));
            const QRect rectRow(rectViewport.left(), rectFirst.top(), rectViewport.width(), rectFirst.height());
            if (rectFirst.isEmpty() || !rectRow.intersects(rectViewport))
                continue;
            SRowPlace& place = picture.mapRows[m_pModel->RowId(m_pProxy->mapToSource(m_pProxy->index(p, 0)).row())];
            place.nViewRow = p;
            place.rectRow = rectRow;
            place.rectContent = rectFirst.translated(ptScroll);
            for (int c = 0; c < picture.nColumns; ++c)
                place.vecCells << m_pView->visualRect(m_pProxy->index(p, c));
        }
        return picture;
    }

    // Changed cells with their changed roles; none when the columns came or went.
    std::map<CellKey, std::set<int>> ChangedCells() const
    {
        std::map<CellKey, std::set<int>> mapChanged;
        if (m_before.nColumns != m_after.nColumns)
            return mapChanged;
        for (const auto& cell : m_after.mapCells) {
            const auto itBefore = m_before.mapCells.find(cell.first);
            if (itBefore == m_before.mapCells.end())
                continue; // a new row: told by its insertion or a reset
            for (const auto& value : cell.second) {
                if (!(itBefore->second.at(value.first) == value.second))
                    mapChanged[cell.first].insert(value.first);
            }
        }
        return mapChanged;
    }

    // A row's box shown or hidden while the row stays unchecked (the hover box,
    // the boxes a click or SelectAll(false) takes away) is written with the
    // model's signals blocked and drawn by a repaint of the view alone; a check
    // mark set or taken is always announced.
    bool IsBoxOnly(const CellKey& key, int nRole) const
    {
        if (key.second != 0 || (nRole != Qt::CheckStateRole && nRole != ReceiverRole::Extra && nRole != c_nFlags))
            return false;
        const auto checked = [key](const SPicture& picture) { return picture.mapCells.at(key).at(Qt::CheckStateRole) == int(Qt::Checked); };
        return nRole != Qt::CheckStateRole || (!checked(m_before) && !checked(m_after));
    }

    QStringList Unannounced(const SNotices& notices) const
    {
        QStringList list;
        if (notices.bStructure)
            return list;
        for (const auto& cell : ChangedCells()) {
            const auto itCovered = notices.mapCovered.find(cell.first);
            for (const int nRole : cell.second) {
                if (IsBoxOnly(cell.first, nRole) || m_setSilent.count({ cell.first.second, nRole }))
                    continue;
                if (itCovered != notices.mapCovered.end() && (itCovered->second.count(INT_MIN) || itCovered->second.count(nRole)))
                    continue;
                const auto itRow = m_after.mapRows.find(cell.first.first);
                list << QStringLiteral("row id %1 (view row %2) column %3 role %4: %5 -> %6")
                            .arg(cell.first.first).arg(itRow == m_after.mapRows.end() ? -1 : itRow->second.nViewRow)
                            .arg(cell.first.second).arg(nRole)
                            .arg(Text(m_before.mapCells.at(cell.first).at(nRole)), Text(m_after.mapCells.at(cell.first).at(nRole)));
            }
        }
        return list;
    }

    CReceiverTableModel* m_pModel;
    QAbstractProxyModel* m_pProxy;
    QAbstractItemView* m_pView;
    SNotices m_source;
    SNotices m_proxy;
    QRegion m_regionPainted;
    std::set<std::pair<int, int>> m_setSilent; // column, role
    SPicture m_before;
    SPicture m_after;
};
}
