// The view as assistive technology walks it from the window down: the header's
// painted controls beside the table, column headers named by their labels,
// each row's check state whether its box is drawn or not, the port popup and
// its buttons, and the children's numbering under a port filter.

#include "CMViewTestSupport.h"

#include <QAccessible>
#include "CPortSelectWidget.h"

#include <QPushButton>

using namespace cmtest;

namespace
{
// Three ports of four receivers, the main view shown as its own window.
class CTreeSession : public CRig
{
public:
    CTreeSession()
        : CRig(SSimWallConfig { 3, 4, 7, false, false }, ThreeByFour())
        , select(Main(), &CCMMainView::RcvSelectChanged)
    {
        bShown = Show(QSize(1900, 560)) && !Header()->GetCheckRect().isNull();
        select.nCount = 0;
    }

    static QList<SReceiverInfo> ThreeByFour()
    {
        QList<SReceiverInfo> list;
        for (int i = 0; i < 12; ++i)
            list << Receiver(i / 4, i % 4);
        return list;
    }

    QAccessibleInterface* Root() const { return QAccessible::queryAccessibleInterface(Main()); }
    QAccessibleInterface* Bar() const { return Root()->child(0); }
    QAccessibleInterface* Table() const
    {
        for (int i = 0; i < Root()->childCount(); ++i) {
            if (Root()->child(i)->object() == View())
                return Root()->child(i);
        }
        return nullptr;
    }

    // The first descendant with this role and name, depth first.
    static QAccessibleInterface* Find(QAccessibleInterface* pFrom, QAccessible::Role eRole, const QString& strName)
    {
        if (!pFrom)
            return nullptr;
        if (pFrom->role() == eRole && pFrom->text(QAccessible::Name) == strName)
            return pFrom;
        for (int i = 0; i < pFrom->childCount(); ++i) {
            if (QAccessibleInterface* pFound = Find(pFrom->child(i), eRole, strName))
                return pFound;
        }
        return nullptr;
    }

    CSignalCounter select;
    bool bShown = false;
};

// Every shown row's first cell: checkable, and checked as the row is.
QString RowStates(QAccessibleTableInterface* pTable)
{
    QString strStates;
    for (int r = 0; r < pTable->rowCount(); ++r) {
        const QAccessible::State state = pTable->cellAt(r, 0)->state();
        strStates += !state.checkable ? QLatin1Char('-') : state.checked ? QLatin1Char('x') : QLatin1Char('o');
    }
    return strStates;
}
}

class TestAccessibility : public QObject
{
    Q_OBJECT

private slots:
    void headerControlsBesideTheTable()
    {
        CTreeSession s;
        QVERIFY(s.bShown);
        QAccessibleInterface* pRoot = s.Root();
        QAccessibleInterface* pBar = s.Bar();
        QAccessibleInterface* pTable = s.Table();
        QVERIFY(pBar && pTable);
        // The window lists the bar and the bar names the window as its parent.
        QCOMPARE(pBar->object(), static_cast<QObject*>(s.Header()));
        QCOMPARE(pBar->parent(), pRoot);
        QCOMPARE(pRoot->indexOfChild(pBar), 0);
        QCOMPARE(pRoot->indexOfChild(pTable), pRoot->childCount() - 1);
        QCOMPARE(pTable->parent(), pRoot);
        QCOMPARE(pBar->child(0)->role(), QAccessible::CheckBox);
        // A point on a painted control leads to it from the window down.
        QAccessibleInterface* pReset = pBar->child(2);
        const QPoint posReset = pReset->rect().center();
        QCOMPARE(pRoot->childAt(posReset.x(), posReset.y()), pBar);
        QCOMPARE(pBar->childAt(posReset.x(), posReset.y()), pReset);

        // Toggling the box reached from the window checks every row.
        pBar->child(0)->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
        QCOMPARE(s.select.nCount, 1);
        QCOMPARE(RowStates(pTable->tableInterface()), QString(12, QLatin1Char('x')));

        // Filter is disabled while the host is busy, as its icon shows.
        QAccessibleInterface* pFilter = pBar->child(1);
        QVERIFY(!pFilter->state().disabled);
        s.pWall->SetBusy(true);
        QVERIFY(pFilter->state().disabled);
        QVERIFY(pFilter->actionInterface()->actionNames().isEmpty());
        s.pWall->SetBusy(false);
        QVERIFY(!pFilter->state().disabled);
    }

    void columnHeadersAndRows()
    {
        CTreeSession s;
        QVERIFY(s.bShown);
        QAccessibleInterface* pTable = s.Table();
        QAccessibleTableInterface* pCells = pTable->tableInterface();
        QVERIFY(pCells);
        const int nColumns = pCells->columnCount();
        QCOMPARE(nColumns, s.Header()->GetLabels().size());
        for (int c = 0; c < nColumns; ++c) {
            QAccessibleInterface* pHead = pTable->child(c);
            QCOMPARE(pHead->role(), QAccessible::ColumnHeader);
            QCOMPARE(pHead->text(QAccessible::Name), s.Header()->GetLabels().at(c));
            QCOMPARE(pTable->indexOfChild(pHead), c);
            const QPoint pos = pHead->rect().center();
            QCOMPARE(pTable->childAt(pos.x(), pos.y()), pHead);
        }
        QCOMPARE(pTable->child(2)->text(QAccessible::Name), QStringLiteral("Type"));

        // No box is drawn on an unchecked row, yet every row is checkable.
        QCOMPARE(pCells->rowCount(), 12);
        QCOMPARE(RowStates(pCells), QString(12, QLatin1Char('o')));
        s.ClickRow(3);
        QCOMPARE(RowStates(pCells), QStringLiteral("oooxoooooooo"));
        QCOMPARE(pCells->cellAt(3, 0)->text(QAccessible::Description), QStringLiteral("Receiver checked"));
        // Only the first cell carries the row's box.
        QVERIFY(!pCells->cellAt(3, 2)->state().checkable);

        // A cell's number among the children, its row and its place agree.
        QAccessibleInterface* pCell = pCells->cellAt(5, 3);
        QCOMPARE(pTable->indexOfChild(pCell), (5 + 1) * nColumns + 3);
        QCOMPARE(pTable->child((5 + 1) * nColumns + 3), pCell);
        QCOMPARE(pCell->tableCellInterface()->rowIndex(), 5);
        QCOMPARE(pCell->tableCellInterface()->columnHeaderCells().value(0), pTable->child(3));
        const QPoint pos = pCell->rect().center();
        QCOMPARE(pTable->childAt(pos.x(), pos.y()), pCell);
        QVERIFY(!pTable->child(13 * nColumns));
    }

    void popupAndFilteredRows()
    {
        CTreeSession s;
        QVERIFY(s.bShown);
        QAccessibleInterface* pRoot = s.Root();
        const int nChildren = pRoot->childCount();
        s.Bar()->child(1)->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        QVERIFY(s.View()->GetPortSelectWidget()->isVisible());
        // The open popup is listed under the window, with its buttons.
        QCOMPARE(pRoot->childCount(), nChildren + 1);
        QAccessibleInterface* pPopup = pRoot->child(1);
        QCOMPARE(pPopup->role(), QAccessible::PopupMenu);
        QCOMPARE(pPopup->parent(), pRoot);
        QVERIFY(CTreeSession::Find(pPopup, QAccessible::Button, QStringLiteral("All")));
        QAccessibleInterface* pPort2 = CTreeSession::Find(pPopup, QAccessible::Button, QStringLiteral("Port 2"));
        QVERIFY(pPort2);
        pPort2->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        QTRY_VERIFY(!s.View()->GetPortSelectWidget()->isVisible());
        QCOMPARE(pRoot->childCount(), nChildren);

        // Only port 2's rows are children now, numbered as shown.
        QAccessibleInterface* pTable = s.Table();
        QAccessibleTableInterface* pCells = pTable->tableInterface();
        QCOMPARE(pCells->rowCount(), 4);
        QCOMPARE(pTable->childCount(), 5 * pCells->columnCount());
        for (int r = 0; r < 4; ++r) {
            QAccessibleInterface* pCell = pCells->cellAt(r, 0);
            QCOMPARE(pCell->text(QAccessible::Name), QStringLiteral("2"));
            QCOMPARE(pCell->tableCellInterface()->rowIndex(), r);
            QCOMPARE(pTable->indexOfChild(pCell), (r + 1) * pCells->columnCount());
        }
        QVERIFY(!pCells->cellAt(4, 0));

        // All again: the first rows are port 1's, not the cells cached before.
        s.pWall->SetFilterPort(-1);
        s.View()->FiltratePort(false);
        QCOMPARE(pCells->rowCount(), 12);
        QCOMPARE(pCells->cellAt(0, 0)->text(QAccessible::Name), QStringLiteral("1"));
        QCOMPARE(pCells->cellAt(3, 0)->tableCellInterface()->rowIndex(), 3);
    }
};

QTEST_MAIN(TestAccessibility)
#include "tst_accessibility.moc"
