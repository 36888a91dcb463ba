// The header driven as a user drives it (mouse on sections, borders and the
// painted controls), the row order both sort mechanisms leave in the view, and
// what an upgrade run writes into the rows and does to the header.

#include "CCMMainView.h"
#include "CPortSelectWidget.h"
#include "CReceiverListHeader.h"
#include "CReceiverListView.h"
#include "CSimWall.h"
#include "SReceiverRowInfo.h"

#include <QAbstractItemModelTester>
#include <QSignalSpy>
#include <QSortFilterProxyModel>
#include <QStandardItemModel>
#include <QThreadPool>
#include <QtTest>

#include <algorithm>
#include <functional>
#include <map>
#include <memory>
#include <numeric>

namespace
{
QString Icon(const char* szName)
{
    return QStringLiteral(":/image/control/%1.svg").arg(QLatin1String(szName));
}

// Exact answers per receiver, and every call in the order it came.
class CFakeUpgrade : public CUpgradeConfigControl
{
public:
    struct SAnswer { int nStage = 0; int nResult = 0; float fProgress = 0.0f; };

    bool QuitUpgrade() override { return false; }
    float GetUpgradeProgress(const SReceiverAddress& a) override { listCalls << "Progress"; return mapAnswer[a].fProgress; }
    int GetUpgradeResult(const SReceiverAddress& a) override { listCalls << "Result"; return mapAnswer[a].nResult; }
    int GetUpgradeStage(const SReceiverAddress& a) override { listCalls << "Stage"; return mapAnswer[a].nStage; }
    void GetUpgradeReceivers(std::vector<SReceiverAddress>& vec) override { listCalls << "Receivers"; vec = vecMembers; }

    std::vector<SReceiverAddress> vecMembers;
    std::map<SReceiverAddress, SAnswer> mapAnswer;
    QStringList listCalls;
};

SReceiverAddress Address(int nPort, int nPosition)
{
    SReceiverAddress address;
    static_cast<SPortAddress&>(address) = CSimWall::DefaultPortAddress(nPort);
    address.nPosition = nPosition;
    return address;
}

SReceiverInfo Receiver(int nPort, int nPosition, const QString& strSN, quint32 nErrors = 0, quint32 nTotal = 0, int nMajor = 1)
{
    SReceiverInfo info;
    info.address = Address(nPort, nPosition);
    info.nTypeCode = CSimWall::TypeCodes().value(0);
    info.strSerialNumber = strSN.toStdString();
    info.nVersionMajor = nMajor;
    info.nErrorPackets = nErrors;
    info.nTotalPackets = nTotal;
    return info;
}

// S/N, (port, position), (errors, total) and firmware major all order differently.
QList<SReceiverInfo> FourRows()
{
    return { Receiver(0, 5, "R10", 0, 10, 2), Receiver(0, 2, "R2", 4294967295u, 1, 1),
             Receiver(1, 0, "a1", 5, 100, 4), Receiver(1, 2, "A1", 5, 7, 3) };
}

// The row list's quicksort, step for step, over an index array.
template <typename Less>
void ReferenceQuickSort(QVector<int>& v, int nStart, int nEnd, const Less& less)
{
    const int nSpan = nEnd - nStart;
    if (nSpan < 2)
        return;
    const int nLast = nEnd - 1;
    const int nPivot = nStart + nSpan / 2;
    int nLow = nStart;
    int nHigh = nLast - 1;
    if (less(v[nLast], v[nStart]))
        std::swap(v[nLast], v[nStart]);
    if (nSpan == 2)
        return;
    if (less(v[nPivot], v[nStart]))
        std::swap(v[nPivot], v[nStart]);
    if (less(v[nLast], v[nPivot]))
        std::swap(v[nLast], v[nPivot]);
    if (nSpan == 3)
        return;
    std::swap(v[nPivot], v[nLast]);
    while (nLow < nHigh) {
        while (nLow < nHigh && less(v[nLow], v[nLast]))
            ++nLow;
        while (nHigh > nLow && less(v[nLast], v[nHigh]))
            --nHigh;
        if (nLow >= nHigh)
            break;
        std::swap(v[nLow++], v[nHigh--]);
    }
    if (less(v[nLow], v[nLast]))
        ++nLow;
    std::swap(v[nLast], v[nLow]);
    ReferenceQuickSort(v, nStart, nLow, less);
    ReferenceQuickSort(v, nLow + 1, nEnd, less);
}
}

class TestHeaderSortProgress : public QObject
{
    Q_OBJECT

private slots:
    void cleanup()
    {
        m_pMain.reset();
        QThreadPool::globalInstance()->waitForDone();
        g_pUpgradeConfigControl = nullptr;
        m_pUpgrade.reset();
        m_pWall.reset();
        m_pView = nullptr;
        m_pHeader = nullptr;
    }

    void sortClicks_data()
    {
        QTest::addColumn<bool>("bPortHidden");
        QTest::newRow("port shown") << false;
        QTest::newRow("port hidden") << true;
    }

    void sortClicks()
    {
        QFETCH(bool, bPortHidden);
        QVERIFY(Start(FourRows(), bPortHidden));
        const int nProgress = ReceiverColumn::Progress - m_pView->GetPortColumnHidden();
        QSignalSpy spy(m_pHeader, &CReceiverListHeader::SortColumn);

        // Section 0 starts as the ascending sort column.
        ClickHeader(SectionPoint(0));
        ClickHeader(SectionPoint(2));
        ClickHeader(SectionPoint(2));
        QCOMPARE(spy, (QList<QVariantList> { { 0, false }, { 2, true }, { 2, false } }));

        const QStringList listBefore = ViewColumn(ReceiverColumn::SerialNumber);
        ClickHeader(SectionPoint(nProgress));
        QCOMPARE(spy.count(), 3);
        QCOMPARE(m_pHeader->GetSortColumn(), 2);
        QCOMPARE(m_pHeader->GetSortFlag(), false);
        QCOMPARE(ViewColumn(ReceiverColumn::SerialNumber), listBefore);

        // On a border the press starts a resize, never a sort.
        const QPoint posBorder(m_pHeader->sectionViewportPosition(4) + 1, 32);
        MoveHeader(posBorder);
        QCOMPARE(m_pHeader->cursor().shape(), Qt::SplitHCursor);
        QTest::mouseClick(m_pHeader->viewport(), Qt::LeftButton, Qt::NoModifier, posBorder);
        QCOMPARE(spy.count(), 3);

        ClickHeader(SectionPoint(3));
        QCOMPARE(spy.last(), (QVariantList { 3, true }));
    }

    void checkBoxClicks()
    {
        QVERIFY(Start(FourRows()));
        QSignalSpy spy(m_pHeader, &CReceiverListHeader::SetAllChecked);
        const QPoint posBox = m_pHeader->GetCheckRect().center();
        QVERIFY(m_pHeader->GetCheckIcon().isEmpty());

        MoveHeader(posBox);
        QCOMPARE(m_pHeader->GetCheckIcon(), Icon("checkBox/normal"));
        ClickHeader(posBox);
        QCOMPARE(spy.takeFirst().at(0).toBool(), true);
        QCOMPARE(m_pHeader->GetCheckIcon(), Icon("checkBox/down"));
        QCOMPARE(CheckedRows(), 4);

        // A checked box unchecks all and stays drawn, unchecked, under the mouse.
        ClickHeader(posBox);
        QCOMPARE(spy.takeFirst().at(0).toBool(), false);
        QCOMPARE(m_pHeader->GetCheckBoxState(), int(Qt::Unchecked));
        QCOMPARE(m_pHeader->GetCheckIcon(), Icon("checkBox/normal"));
        QCOMPARE(CheckedRows(), 0);
        MoveHeader(SectionPoint(2));
        QVERIFY(m_pHeader->GetCheckIcon().isEmpty());

        ClickRow(1);
        QCOMPARE(m_pHeader->GetCheckBoxState(), int(Qt::PartiallyChecked));
        ClickHeader(posBox);
        QCOMPARE(spy.takeFirst().at(0).toBool(), true);
        QCOMPARE(m_pHeader->GetCheckBoxState(), int(Qt::Checked));
        QCOMPARE(m_pHeader->GetCheckIcon(), Icon("checkBox/down"));
        QCOMPARE(CheckedRows(), 4);
        QVERIFY(spy.isEmpty());
    }

    void filterButton_data()
    {
        QTest::addColumn<bool>("bPortHidden");
        QTest::addColumn<bool>("bNoDevice");
        QTest::addColumn<bool>("bOperating");
        QTest::addColumn<QString>("strIcon");
        QTest::addColumn<bool>("bOpens");

        QTest::newRow("usable") << false << false << false << Icon("filtrate/normal") << true;
        QTest::newRow("no device") << false << true << false << Icon("filtrate/disable") << false;
        QTest::newRow("port hidden") << true << false << false << Icon("filtrate/disable") << false;
        // The click itself is not pinned here: only the icon follows IsOperating().
        QTest::newRow("operating") << false << false << true << Icon("filtrate/disable") << false;
    }

    void filterButton()
    {
        QFETCH(bool, bPortHidden);
        QFETCH(bool, bNoDevice);
        QFETCH(bool, bOperating);
        QFETCH(QString, strIcon);
        QFETCH(bool, bOpens);
        QVERIFY(Start(FourRows(), bPortHidden, [&](CSimWall& wall) {
            if (bNoDevice)
                wall.SetDeviceId(QUuid());
            wall.SetOperating(bOperating);
        }));
        QCOMPARE(m_pHeader->GetFilterIcon(), strIcon);
        QCOMPARE(m_pHeader->GetFilterRect().isNull(), bPortHidden);
        if (bOperating)
            return;

        QSignalSpy spy(m_pHeader, &CReceiverListHeader::FiltrateClicked);
        ClickHeader(bPortHidden ? QPoint(75, 18) : m_pHeader->GetFilterRect().center());
        QCOMPARE(spy.count(), bOpens ? 1 : 0);
        QCOMPARE(m_pView->GetPortSelectWidget()->isVisible(), bOpens);
        QCOMPARE(m_pHeader->GetFilterIcon(), bOpens ? Icon("filtrate/down") : Icon("filtrate/disable"));
        m_pView->GetPortSelectWidget()->hide();
    }

    void hoverIconsEnterAndReset()
    {
        QVERIFY(Start(FourRows()));
        QTest::mouseMove(m_pView->viewport(), RowPoint(0));
        QVERIFY(m_pView->GetHoverRow() != -1);

        // Coming from the rows, the header's enter drops the view's hover row.
        QSignalSpy spyEnter(m_pHeader, &CReceiverListHeader::MouseEnter);
        MoveHeader(SectionPoint(2));
        QCOMPARE(spyEnter.count(), 1);
        QCOMPARE(m_pView->GetHoverRow(), -1);

        MoveHeader(m_pHeader->GetFilterRect().center());
        QCOMPARE(m_pHeader->GetFilterIcon(), Icon("filtrate/hover"));
        MoveHeader(m_pHeader->GetResetRect().center());
        QCOMPARE(m_pHeader->GetResetIcon(), Icon("reset/down"));
        QCOMPARE(m_pHeader->GetFilterIcon(), Icon("filtrate/normal"));
        MoveHeader(m_pHeader->GetCheckRect().center());
        QCOMPARE(m_pHeader->GetCheckIcon(), Icon("checkBox/normal"));
        QCOMPARE(m_pHeader->GetResetIcon(), Icon("reset/normal"));
        MoveHeader(SectionPoint(2));
        QVERIFY(m_pHeader->GetCheckIcon().isEmpty());
        QCOMPARE(spyEnter.count(), 1);

        // Reset clears the counters, then a detection ends with ClearCableError().
        QSignalSpy spyDone(m_pHeader, &CReceiverListHeader::ClearCableError);
        m_pWall->ResetCallCounts();
        ClickHeader(m_pHeader->GetResetRect().center());
        QCOMPARE(m_pWall->CallCount("ClearCableErrors"), 1);
        QTRY_COMPARE(spyDone.count(), 1);
        QCOMPARE(m_pWall->DetectReceiversCount(), 1);
    }

    void sortOrder_data()
    {
        QTest::addColumn<bool>("bPortHidden");
        QTest::addColumn<int>("nKey");
        QTest::addColumn<bool>("bAscending");
        QTest::addColumn<QStringList>("listSN");

        using namespace ReceiverColumn;
        // Rows: R10 (0,5) 0/10 V2, R2 (0,2) 4294967295/1 V1, a1 (1,0) 5/100 V4, A1 (1,2) 5/7 V3.
        QTest::newRow("port asc") << false << int(Port) << true << QStringList { "R2", "R10", "a1", "A1" };
        QTest::newRow("port desc") << false << int(Port) << false << QStringList { "A1", "a1", "R10", "R2" };
        QTest::newRow("position asc") << false << int(Position) << true << QStringList { "a1", "R2", "A1", "R10" };
        QTest::newRow("position desc") << false << int(Position) << false << QStringList { "R10", "A1", "R2", "a1" };
        QTest::newRow("sn asc") << false << int(SerialNumber) << true << QStringList { "a1", "A1", "R2", "R10" };
        QTest::newRow("sn desc") << false << int(SerialNumber) << false << QStringList { "R10", "R2", "A1", "a1" };
        QTest::newRow("packets asc") << false << int(Packets) << true << QStringList { "R10", "A1", "a1", "R2" };
        QTest::newRow("packets desc") << false << int(Packets) << false << QStringList { "R2", "a1", "A1", "R10" };
        QTest::newRow("firmware asc") << false << int(Firmware) << true << QStringList { "R2", "R10", "A1", "a1" };
        QTest::newRow("firmware desc") << false << int(Firmware) << false << QStringList { "a1", "A1", "R10", "R2" };
        QTest::newRow("hidden position desc") << true << int(Position) << false << QStringList { "R10", "A1", "R2", "a1" };
        QTest::newRow("hidden sn desc") << true << int(SerialNumber) << false << QStringList { "R10", "R2", "A1", "a1" };
        QTest::newRow("hidden packets asc") << true << int(Packets) << true << QStringList { "R10", "A1", "a1", "R2" };
        QTest::newRow("hidden firmware desc") << true << int(Firmware) << false << QStringList { "a1", "A1", "R10", "R2" };
    }

    void sortOrder()
    {
        QFETCH(bool, bPortHidden);
        QFETCH(int, nKey);
        QFETCH(bool, bAscending);
        QFETCH(QStringList, listSN);
        QVERIFY(Start(FourRows(), bPortHidden));

        // Section 0 is already the ascending sort column: one click turns it round.
        const int nSection = nKey - m_pView->GetPortColumnHidden();
        const int nClicks = (nSection == 0) == bAscending ? 2 : 1;
        for (int i = 0; i < nClicks; ++i)
            ClickHeader(SectionPoint(nSection));
        QCOMPARE(m_pHeader->GetSortFlag(), bAscending);

        using namespace ReceiverColumn;
        const bool bListSorted = nKey == Port || nKey == Position || nKey == SerialNumber || nKey == Packets;
        QCOMPARE(m_pView->GetProxyModel()->sortColumn(), bListSorted ? -1 : nSection);
        QCOMPARE(ViewColumn(SerialNumber), listSN);
        m_pMain->RefreshShow();
        QCOMPARE(ViewColumn(SerialNumber), listSN);
        m_pMain->UpdateShow();
        QCOMPARE(ViewColumn(SerialNumber), listSN);
    }

    void equalSerialNumbersKeepQuickSortOrder()
    {
        const QVector<int> vecKey { 2, 1, 2, 3, 1, 2, 2, 3, 1, 2, 1, 3, 2 };
        QList<SReceiverInfo> listRows;
        for (int i = 0; i < vecKey.size(); ++i)
            listRows << Receiver(0, i, QStringLiteral("K%1").arg(vecKey[i]));
        QVERIFY(Start(listRows));

        auto positions = [](const QVector<int>& vecOrder) {
            QStringList list;
            for (const int i : vecOrder)
                list << QString::number(i + 1);
            return list;
        };
        // The rows enter sorted by (port, position), i.e. in index order.
        QVector<int> vecOrder(vecKey.size());
        std::iota(vecOrder.begin(), vecOrder.end(), 0);
        QVector<int> vecStable = vecOrder;
        std::stable_sort(vecStable.begin(), vecStable.end(), [&](int a, int b) { return vecKey[a] < vecKey[b]; });

        ReferenceQuickSort(vecOrder, 0, vecOrder.size(), [&](int a, int b) { return vecKey[a] < vecKey[b]; });
        QVERIFY2(vecOrder != vecStable, "the keys must tell the quicksort from a stable sort");
        ClickHeader(SectionPoint(ReceiverColumn::SerialNumber));
        QCOMPARE(ViewColumn(ReceiverColumn::Position), positions(vecOrder));

        // Descending works on the list as the ascending sort left it.
        ReferenceQuickSort(vecOrder, 0, vecOrder.size(), [&](int a, int b) { return vecKey[a] > vecKey[b]; });
        ClickHeader(SectionPoint(ReceiverColumn::SerialNumber));
        QCOMPARE(ViewColumn(ReceiverColumn::Position), positions(vecOrder));
    }

    void sortSequence()
    {
        QVERIFY(Start(FourRows()));
        m_pWall->SetSelectedReceivers({ Address(0, 5), Address(1, 0) }); // R10, a1
        m_pWall->SetSelectionDeviceId(m_pWall->DeviceId());
        m_pMain->UpdateShow();
        QCOMPARE(CheckedRows(), 2);
        QVERIFY(!m_pView->IsMultiCheck());
        QCOMPARE(m_pView->GetAnchorRow(), -1);

        // The anchor moves to the first checked row in the new order. List
        // sorts rebuild the rows; the Qt sort leaves them where they are.
        ClickHeader(SectionPoint(ReceiverColumn::SerialNumber)); // a1 A1 R2 R10
        QCOMPARE(m_pView->GetAnchorRow(), SourceRowOf("a1"));
        ClickHeader(SectionPoint(ReceiverColumn::SerialNumber)); // R10 R2 A1 a1
        QCOMPARE(m_pView->GetAnchorRow(), SourceRowOf("R10"));
        ClickHeader(SectionPoint(ReceiverColumn::Firmware)); // R2 R10 A1 a1
        QCOMPARE(m_pView->GetAnchorRow(), SourceRowOf("R10"));
        ClickHeader(SectionPoint(ReceiverColumn::Firmware)); // a1 A1 R10 R2
        QCOMPARE(m_pView->GetAnchorRow(), SourceRowOf("a1"));

        QCOMPARE(m_pView->GetProxyModel()->sortColumn(), int(ReceiverColumn::Firmware));

        // Check all turns multi-check on; a sort then leaves the anchor alone.
        ClickHeader(m_pHeader->GetCheckRect().center());
        QVERIFY(m_pView->IsMultiCheck());
        QCOMPARE(m_pView->GetAnchorRow(), -1);
        // A list sort drops the proxy's sort: the rows show the list order.
        ClickHeader(SectionPoint(ReceiverColumn::SerialNumber));
        QCOMPARE(m_pView->GetProxyModel()->sortColumn(), -1);
        QCOMPARE(ViewColumn(ReceiverColumn::SerialNumber), (QStringList { "a1", "A1", "R2", "R10" }));
        QCOMPARE(m_pView->GetAnchorRow(), -1);
        ClickHeader(SectionPoint(ReceiverColumn::Type));
        QCOMPARE(m_pView->GetAnchorRow(), -1);
    }

    void progressRecords_data()
    {
        QTest::addColumn<int>("nStage");
        QTest::addColumn<int>("nResult");
        QTest::addColumn<float>("fProgress");
        QTest::addColumn<int>("nState");
        QTest::addColumn<int>("nPercent");
        QTest::addColumn<QString>("strText");

        QTest::newRow("running") << 1 << 0 << 0.456f << 2 << 45 << "45%";
        QTest::newRow("running, over 100") << 1 << -3 << 1.5f << 2 << 100 << "100%";
        QTest::newRow("running, negative") << 1 << 0 << -0.256f << 2 << -25 << "-25%";
        QTest::newRow("failed") << 2 << -1 << 0.5f << 3 << 50 << "Failed";
        QTest::newRow("succeeded") << 2 << 0 << 1.0f << 4 << 100 << "Succeeded";
        QTest::newRow("succeeded, positive result") << 2 << 7 << 0.3f << 4 << 30 << "Succeeded";
        QTest::newRow("ended at 0%") << 2 << 0 << 0.0f << 4 << 0 << "";
        // 0.7f * 100 is 70 in single precision, 69.99... in double.
        QTest::newRow("stage 0") << 0 << -1 << 0.7f << 0 << 70 << "";
        QTest::newRow("stage 3") << 3 << 0 << 0.2f << 0 << 20 << "";
    }

    void progressRecords()
    {
        QFETCH(int, nStage);
        QFETCH(int, nResult);
        QFETCH(float, fProgress);
        QFETCH(int, nState);
        QFETCH(int, nPercent);
        QFETCH(QString, strText);
        QVERIFY(Start({ Receiver(0, 0, "M"), Receiver(0, 1, "N") }));
        ClickHeader(m_pHeader->GetCheckRect().center());
        QCOMPARE(CheckedRows(), 2);

        m_pUpgrade->vecMembers = { Address(0, 0) };
        m_pUpgrade->mapAnswer[Address(0, 0)] = { nStage, nResult, fProgress };
        m_pMain->ProgressBegin();

        const SRowProgressInfo member = ProgressOf("M");
        QCOMPARE(member.nState, nState);
        QCOMPARE(member.nProgress, nPercent);
        QCOMPARE(member.strText, strText);
        const SRowProgressInfo other = ProgressOf("N");
        QCOMPARE(other.nState, 0);
        QCOMPARE(other.nProgress, 0);
        QCOMPARE(other.strText, QStringLiteral("N/A"));

        // A member at stage 1 loses its check mark and carries the upgrade mark.
        const QStandardItem* pMember = m_pView->GetModel()->item(SourceRowOf("M"), 0);
        const QStandardItem* pOther = m_pView->GetModel()->item(SourceRowOf("N"), 0);
        QCOMPARE(pMember->data(Qt::CheckStateRole).isValid(), nStage != 1);
        QCOMPARE(pMember->data(ReceiverRole::UpgradeMark).toBool(), nStage == 1);
        QCOMPARE(pOther->checkState(), Qt::Checked);
        QVERIFY(!pOther->data(ReceiverRole::UpgradeMark).toBool());
    }

    void progressCalls_data()
    {
        QTest::addColumn<bool>("bPortHidden");
        QTest::addColumn<int>("nMemberRows");
        QTest::addColumn<int>("nPortCalls");
        QTest::addColumn<QStringList>("listTexts");

        QTest::newRow("port shown") << false << 3 << 3 << QStringList { "Succeeded", "50%", "Failed", "N/A", "N/A" };
        // Without the Port column every row is on port 0: duplicates share a record.
        QTest::newRow("port hidden") << true << 5 << 1 << QStringList { "Succeeded", "50%", "Succeeded", "50%", "Succeeded" };
    }

    void progressCalls()
    {
        QFETCH(bool, bPortHidden);
        QFETCH(int, nMemberRows);
        QFETCH(int, nPortCalls);
        QFETCH(QStringList, listTexts);
        QVERIFY(Start({ Receiver(0, 0, "P"), Receiver(0, 1, "Q"), Receiver(1, 0, "R"), Receiver(1, 1, "S"),
                        Receiver(2, 0, "T") },
                      bPortHidden));
        m_pUpgrade->vecMembers = { Address(0, 0), Address(0, 1), Address(1, 0), Address(0, 0) };
        m_pUpgrade->mapAnswer[Address(0, 0)] = { 2, 0, 1.0f };
        m_pUpgrade->mapAnswer[Address(0, 1)] = { 1, 0, 0.5f };
        m_pUpgrade->mapAnswer[Address(1, 0)] = { 2, -2, 0.4f };

        m_pWall->ResetCallCounts();
        m_pMain->ProgressChanged();
        QStringList listExpected { "Receivers" };
        for (int i = 0; i < nMemberRows; ++i)
            listExpected << "Result" << "Progress" << "Stage";
        QCOMPARE(m_pUpgrade->listCalls, listExpected);
        QCOMPARE(m_pWall->CallCount("GetPortAddress"), nPortCalls);

        QStringList listSeen;
        for (const char* szSN : { "P", "Q", "R", "S", "T" })
            listSeen << ProgressOf(szSN).strText;
        QCOMPARE(listSeen, listTexts);
    }

    void progressRunDisablesHeader()
    {
        QVERIFY(Start(FourRows()));
        ClickRow(0);
        QTest::mouseMove(m_pView->viewport(), RowPoint(2));
        const int nHoverRow = m_pView->GetHoverRow();
        QVERIFY(nHoverRow != -1);
        const QStandardItem* pHover = m_pView->GetModel()->item(nHoverRow, 0);
        QVERIFY(pHover->isCheckable());

        // The controller reports busy while it upgrades; the Filter icon follows that.
        m_pWall->SetBusy(true);
        m_pMain->ProgressBegin();
        QVERIFY(m_pMain->IsProgressing());
        QCOMPARE(m_pHeader->GetCheckIcon(), Icon("checkBox/indeterminateDisable"));
        QCOMPARE(m_pHeader->GetFilterIcon(), Icon("filtrate/disable"));
        QCOMPARE(m_pHeader->GetResetIcon(), Icon("reset/disable"));
        // The hover box goes at the start of the run.
        QCOMPARE(m_pView->GetHoverRow(), -1);
        QVERIFY(!pHover->isCheckable());
        QVERIFY(!pHover->data(Qt::CheckStateRole).isValid());
        QVERIFY(!pHover->data(ReceiverRole::Extra).toBool());

        // Every press is ignored and hovering changes no icon.
        QSignalSpy spyAll(m_pHeader, &CReceiverListHeader::SetAllChecked);
        QSignalSpy spyFilter(m_pHeader, &CReceiverListHeader::FiltrateClicked);
        QSignalSpy spySort(m_pHeader, &CReceiverListHeader::SortColumn);
        m_pWall->ResetCallCounts();
        ClickHeader(m_pHeader->GetCheckRect().center());
        ClickHeader(m_pHeader->GetFilterRect().center());
        ClickHeader(m_pHeader->GetResetRect().center());
        QCOMPARE(m_pHeader->GetResetIcon(), Icon("reset/disable"));
        ClickHeader(SectionPoint(2));
        QCOMPARE(spyAll.count() + spyFilter.count() + spySort.count(), 0);
        QCOMPARE(m_pWall->CallCount("ClearCableErrors"), 0);
        QCOMPARE(m_pHeader->GetSortColumn(), 0);
        QCOMPARE(m_pHeader->GetCheckBoxState(), int(Qt::PartiallyChecked));

        m_pWall->SetBusy(false);
        m_pMain->ProgressFinished();
        QVERIFY(!m_pMain->IsProgressing());
        QCOMPARE(m_pHeader->GetResetIcon(), Icon("reset/normal"));
        QCOMPARE(m_pHeader->GetFilterIcon(), Icon("filtrate/normal"));
        QVERIFY(m_pHeader->GetCheckIcon().isEmpty());
    }

private:
    bool Start(const QList<SReceiverInfo>& listRows, bool bPortHidden = false,
               const std::function<void(CSimWall&)>& fnSetup = {})
    {
        m_pWall = std::make_unique<CSimWall>(SSimWallConfig { 3, 2, 1, bPortHidden, false });
        m_pWall->SetReceivers(listRows);
        if (fnSetup)
            fnSetup(*m_pWall);
        m_pWall->Install();
        m_pUpgrade = std::make_unique<CFakeUpgrade>();
        g_pUpgradeConfigControl = m_pUpgrade.get();

        m_pMain = std::make_unique<CCMMainView>();
        m_pView = m_pMain->GetReceiverListView();
        m_pHeader = m_pView->GetHeader();
        new QAbstractItemModelTester(m_pView->GetModel(), QAbstractItemModelTester::FailureReportingMode::QtTest, m_pView);
        m_pMain->resize(1000, 400);
        m_pMain->show();
        if (!QTest::qWaitForWindowExposed(m_pMain.get()))
            return false;
        m_pMain->RefreshShow();
        // Hit rectangles are recorded by painting.
        m_pHeader->viewport()->repaint();
        return m_pView->model()->rowCount() == listRows.size() && !m_pHeader->GetCheckRect().isNull();
    }

    QPoint SectionPoint(int nSection) const
    {
        // Below the painted controls, clear of the section borders.
        return QPoint(m_pHeader->sectionViewportPosition(nSection) + m_pHeader->sectionSize(nSection) / 2, 32);
    }

    QPoint RowPoint(int nViewRow) const
    {
        return m_pView->visualRect(m_pView->model()->index(nViewRow, 2)).center();
    }

    void ClickHeader(const QPoint& pos)
    {
        // The header decides "border or section" from the cursor the last move set.
        MoveHeader(pos);
        QTest::mouseClick(m_pHeader->viewport(), Qt::LeftButton, Qt::NoModifier, pos);
    }

    void ClickRow(int nViewRow)
    {
        const QPoint pos = RowPoint(nViewRow);
        QTest::mouseMove(m_pView->viewport(), pos);
        QTest::mouseClick(m_pView->viewport(), Qt::LeftButton, Qt::NoModifier, pos);
    }

    QStringList ViewColumn(int nKey) const
    {
        const QAbstractItemModel* pModel = m_pView->model();
        const int nColumn = nKey - m_pView->GetPortColumnHidden();
        QStringList list;
        for (int r = 0; r < pModel->rowCount(); ++r)
            list << pModel->index(r, nColumn).data().toString();
        return list;
    }

    int SourceRowOf(const QString& strSN) const
    {
        const QStandardItemModel* pModel = m_pView->GetModel();
        const int nColumn = ReceiverColumn::SerialNumber - m_pView->GetPortColumnHidden();
        for (int r = 0; r < pModel->rowCount(); ++r)
            if (pModel->item(r, nColumn)->text() == strSN)
                return r;
        return -1;
    }

    int CheckedRows() const
    {
        int n = 0;
        for (int r = 0; r < m_pView->GetModel()->rowCount(); ++r)
            n += m_pView->GetModel()->item(r, 0)->checkState() == Qt::Checked ? 1 : 0;
        return n;
    }

    SRowProgressInfo ProgressOf(const QString& strSN) const
    {
        const QStandardItem* pItem =
            m_pView->GetModel()->item(SourceRowOf(strSN), ReceiverColumn::Progress - m_pView->GetPortColumnHidden());
        return pItem ? pItem->data(ReceiverRole::Extra).value<SRowProgressInfo>() : SRowProgressInfo();
    }

    void MoveHeader(const QPoint& pos) { QTest::mouseMove(m_pHeader->viewport(), pos); }

    std::unique_ptr<CSimWall> m_pWall;
    std::unique_ptr<CFakeUpgrade> m_pUpgrade;
    std::unique_ptr<CCMMainView> m_pMain;
    CReceiverListView* m_pView = nullptr;
    CReceiverListHeader* m_pHeader = nullptr;
};

QTEST_MAIN(TestHeaderSortProgress)
#include "tst_header_sort_progress.moc"
