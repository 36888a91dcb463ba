// What a host reads and asks of the view beyond filling it: columns fitted to
// what the header and the cells paint, the row counts, the current row, a
// rebuild that keeps the stored checks, column labels, the header's painted
// controls and the keyboard focus.

#include "CMViewTestSupport.h"

#include "CReceiverListDelegate.h"
#include "HeaderGeometry.h"

#include <QDir>
#include <QFileInfo>
#include <QPainter>
#include <QStyleOptionViewItem>
#include <QTranslator>

using namespace cmtest;

namespace
{
// How far below a fitted width something must be cut: the fitting leaves a
// little room, not a column's worth.
constexpr int s_nSlack = 30;

// Cards with long and short texts, packet counts well past the usual and
// sensors that are missing, so the widest text of a column is not row 0's.
QList<SReceiverInfo> MixedReceivers()
{
    QList<SReceiverInfo> list;
    for (int i = 0; i < 12; ++i) {
        const QString strSN = i == 7 ? QStringLiteral("SN-0123456789-ABCDEFGHIJ-LONG") : QString();
        SReceiverInfo info = Receiver(i / 4, i % 4, strSN, i == 5 ? 123456u : 0u, i == 5 ? 4000000000u : 100u);
        if (i == 3)
            info.bHumidityValid = false;
        if (i == 9)
            info.nUptime = 987654321;
        list << info;
    }
    return list;
}

QString FindQm()
{
    const QString strEnv = qEnvironmentVariable("CMVIEW_QM_DIR");
    for (const QString& strDir : { strEnv, QCoreApplication::applicationDirPath() + QStringLiteral("/../resources/translations") }) {
        const QFileInfo info(QDir(strDir), QStringLiteral("cmview_zh_CN.qm"));
        if (!strDir.isEmpty() && info.isFile())
            return info.absoluteFilePath();
    }
    return QString();
}

// Whether the image holds one colour only from column x on.
bool PlainFrom(const QImage& image, int x)
{
    const QRgb rgb = image.pixel(x, 0);
    for (int y = 0; y < image.height(); ++y) {
        for (int i = x; i < image.width(); ++i) {
            if (image.pixel(i, y) != rgb)
                return false;
        }
    }
    return true;
}

// Whether what is painted at a much wider width shows the same at nWidth
// (nothing elided, no bar shrunk) and ends before nWidth's last pixels.
bool Whole(const QImage& image, const QImage& imageWide, int nWidth)
{
    return image.copy(0, 0, nWidth, image.height()) == imageWide.copy(0, 0, nWidth, image.height())
        && PlainFrom(imageWide, nWidth);
}

// A cell as the delegate paints it, clipped to the cell as the next column
// would cover it.
bool CellWhole(const CReceiverListView* pView, const QModelIndex& index, int nWidth)
{
    const int nHeight = pView->visualRect(pView->GetProxyModel()->mapFromSource(index)).height();
    auto paint = [&](int w) {
        QImage image(nWidth + 300, nHeight, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        QStyleOptionViewItem option;
        option.initFrom(pView);
        option.widget = pView;
        option.font = pView->font();
        option.rect = QRect(0, 0, w, nHeight);
        painter.setClipRect(option.rect);
        pView->GetDelegate()->paint(&painter, option, index);
        return image;
    };
    return Whole(paint(nWidth), paint(nWidth + 300), nWidth - 1);
}

// A header section as the header paints it, but for its separator at the
// right and the sort arrow's strip at the top.
bool SectionWhole(CReceiverListHeader* pHeader, int nSection, int nWidth)
{
    auto grab = [&](int w) {
        pHeader->resizeSection(nSection, w);
        const int x = pHeader->sectionViewportPosition(nSection);
        return pHeader->viewport()->grab(QRect(x, 9, w - 3, pHeader->height() - 9)).toImage();
    };
    const QImage image = grab(nWidth);
    const bool bWhole = Whole(image, grab(nWidth + 300), nWidth - 3);
    pHeader->resizeSection(nSection, nWidth);
    return bWhole;
}

bool ColumnWhole(CRig& rig, int nColumn, int nWidth)
{
    if (!SectionWhole(rig.Header(), nColumn, nWidth))
        return false;
    for (int r = 0; r < rig.Model()->rowCount(); ++r) {
        if (!CellWhole(rig.View(), rig.Model()->index(r, nColumn), nWidth))
            return false;
    }
    return true;
}
}

class TestHostInterface : public QObject
{
    Q_OBJECT

private slots:
    // After FitColumnsToContents() every shown column shows its label, the
    // header's box and buttons and every cell whole, upgrade texts included,
    // and a column only a little narrower would cut something.
    void fitColumnsShowsEverythingWhole_data()
    {
        QTest::addColumn<bool>("bPortHidden");
        QTest::addColumn<bool>("bChinese");
        QTest::newRow("port shown") << false << false;
        QTest::newRow("port hidden") << true << false;
        QTest::newRow("chinese") << false << true;
    }
    void fitColumnsShowsEverythingWhole()
    {
        QFETCH(bool, bPortHidden);
        QFETCH(bool, bChinese);
        QTranslator translator;
        if (bChinese) {
            const QString strQm = FindQm();
            QVERIFY2(translator.load(strQm), "cmview_zh_CN.qm not found; build cmview_translations");
            QVERIFY(QCoreApplication::installTranslator(&translator));
        }
        CRig rig(SSimWallConfig { 3, 4, 7, bPortHidden, false }, MixedReceivers());
        // Wider than every column together, and no stretching of the last
        // one, so each section is painted at exactly its width.
        QVERIFY(rig.Show(QSize(3400, 500)));
        rig.Header()->setStretchLastSection(false);

        // Members upgrading, failed and succeeded at once.
        std::vector<SReceiverAddress> vecMembers;
        for (int i = 0; i < 8; ++i)
            vecMembers.push_back(Address(i / 4, i % 4));
        rig.pWall->StartUpgrade(vecMembers, { Address(0, 1) });
        rig.Main()->ProgressBegin();
        for (int i = 0; i < 30 && rig.pWall->IsUpgradeRunning(); ++i) {
            rig.pWall->StepUpgrade();
            rig.Main()->ProgressChanged();
        }

        for (int c = 0; c < rig.Model()->columnCount(); ++c)
            rig.View()->setColumnWidth(c, 10);
        rig.Main()->FitColumnsToContents();
        const int nMinimum = rig.Header()->minimumSectionSize();
        for (int c = 0; c < rig.Model()->columnCount(); ++c) {
            const int nWidth = rig.View()->columnWidth(c);
            const QByteArray strColumn = QByteArray::number(c) + " " + rig.Header()->GetLabels().value(c).toUtf8();
            QVERIFY2(ColumnWhole(rig, c, nWidth), strColumn.constData());
            // The packets column is held at counts wider than this wall's.
            if (nWidth == nMinimum || c + rig.Hidden() == ReceiverColumn::Packets)
                continue;
            int nCut = nWidth - 1;
            while (nCut > nWidth - s_nSlack && ColumnWhole(rig, c, nCut))
                --nCut;
            QVERIFY2(nCut > nWidth - s_nSlack, strColumn.constData());
        }
        // The painted buttons inside their sections.
        const int nPackets = ReceiverColumn::Packets - rig.Hidden();
        rig.RepaintHeader();
        QVERIFY(rig.Header()->GetResetRect().right() < rig.Header()->sectionViewportPosition(nPackets + 1));
        if (!bPortHidden)
            QVERIFY(rig.Header()->GetFilterRect().right() < rig.Header()->sectionViewportPosition(1));
        if (bChinese)
            QCoreApplication::removeTranslator(&translator);
    }

    // A column the operator hid keeps its width; shown again, it is fitted
    // by the next call.
    void fitColumnsLeavesHiddenColumns()
    {
        CRig rig(SSimWallConfig { 3, 4, 7, false, false }, MixedReceivers());
        QVERIFY(rig.Show(QSize(1900, 500)));
        const int nSN = ReceiverColumn::SerialNumber;
        const int nBefore = rig.View()->columnWidth(nSN);
        rig.Main()->SetColumnVisible(CCMMainView::ColumnSerialNumber, false);
        rig.Main()->FitColumnsToContents();
        rig.Main()->SetColumnVisible(CCMMainView::ColumnSerialNumber, true);
        QCOMPARE(rig.View()->columnWidth(nSN), nBefore);
        rig.Main()->FitColumnsToContents();
        QVERIFY(ColumnWhole(rig, nSN, rig.View()->columnWidth(nSN)));
    }

    // The counts follow the port filter, rebuilds and the Port preference.
    void rowCounts()
    {
        CRig rig(SSimWallConfig { 3, 4, 7, false, false });
        QVERIFY(rig.Show(QSize(1600, 500)));
        QCOMPARE(rig.Main()->ReceiverCount(), 12);
        QCOMPARE(rig.Main()->ShownReceiverCount(), 12);
        rig.pWall->SetFilterPort(1);
        rig.Refresh();
        QCOMPARE(rig.Main()->ReceiverCount(), 12);
        QCOMPARE(rig.Main()->ShownReceiverCount(), 4);
        int nShown = 0;
        for (int r = 0; r < rig.Proxy()->rowCount(); ++r)
            nShown += rig.View()->isRowHidden(r, QModelIndex()) ? 0 : 1;
        QCOMPARE(rig.Main()->ShownReceiverCount(), nShown);
        // Without a Port column nothing is filtered.
        rig.pWall->SetPortHidden(true);
        rig.Refresh();
        QCOMPARE(rig.Main()->ShownReceiverCount(), 12);
        rig.pWall->SetReceivers(Receivers({ { 0, 0 }, { 0, 1 } }));
        rig.Refresh();
        QCOMPARE(rig.Main()->ReceiverCount(), 2);
        QCOMPARE(rig.Main()->ShownReceiverCount(), 2);
    }

    // The current row is the view row a find or a moving key makes current.
    void currentRow()
    {
        CRig rig(SSimWallConfig { 3, 4, 7, false, false }, MixedReceivers());
        QVERIFY(rig.Show(QSize(1600, 500)));
        QCOMPARE(rig.Main()->CurrentRow(), -1);
        QVERIFY(rig.Main()->FindReceiver(QStringLiteral("LONG")));
        QCOMPARE(rig.Main()->CurrentRow(), rig.View()->currentIndex().row());
        QVERIFY(rig.Proxy()->index(rig.Main()->CurrentRow(), ReceiverColumn::SerialNumber).data().toString().endsWith(
            QStringLiteral("LONG")));
        rig.Main()->setFocus();
        QTest::keyClick(rig.View(), Qt::Key_Home);
        QCOMPARE(rig.Main()->CurrentRow(), 0);
    }

    // CurrentRowChanged tells of another receiver's row becoming current, or
    // of none: not of a sort that moves the same row, nor of a key that
    // cannot move it.
    void currentRowChangedSignal()
    {
        CRig rig(SSimWallConfig { 3, 4, 7, false, false }, MixedReceivers());
        QVERIFY(rig.Show(QSize(1600, 500)));
        QSignalSpy spy(rig.Main(), &CCMMainView::CurrentRowChanged);
        rig.Main()->setFocus();
        QTest::keyClick(rig.View(), Qt::Key_Home);
        QCOMPARE(spy.count(), 1);
        QTest::keyClick(rig.View(), Qt::Key_Up);   // already on the first row
        QCOMPARE(spy.count(), 1);
        QTest::keyClick(rig.View(), Qt::Key_Down);
        QCOMPARE(spy.count(), 2);
        const QString strSN = rig.Proxy()->index(rig.Main()->CurrentRow(), ReceiverColumn::SerialNumber).data().toString();
        // The S/N sort moves the row; the same receiver stays current.
        rig.ClickSection(ReceiverColumn::SerialNumber);
        QCOMPARE(rig.Proxy()->index(rig.Main()->CurrentRow(), ReceiverColumn::SerialNumber).data().toString(), strSN);
        QCOMPARE(spy.count(), 2);
        // A rebuild leaves no row current and says so, once.
        rig.Main()->RefreshShow();
        QCOMPARE(rig.Main()->CurrentRow(), -1);
        QCOMPARE(spy.count(), 3);
        rig.Main()->RefreshShow();
        QCOMPARE(spy.count(), 3);
    }

    // A rebuild that keeps the stored checks, against the host's RefreshShow()
    // that clears them; both report what they show.
    void refreshKeepingChecks()
    {
        CRig rig(SSimWallConfig { 3, 4, 7, false, false });
        QVERIFY(rig.Show(QSize(1600, 500)));
        CSignalCounter select(rig.Main(), &CCMMainView::RcvSelectChanged);
        rig.pWall->SetSelectedReceivers({ Address(0, 1), Address(2, 3) });
        rig.pWall->SetSelectionDeviceId(rig.pWall->DeviceId());
        rig.Main()->RefreshShowKeepChecks();
        QVERIFY(select.nCount > 0);
        const int nReports = select.nCount;
        QCOMPARE(rig.pWall->GetSelectedReceivers().size(), size_t(2));
        int nChecked = 0;
        for (int r = 0; r < rig.Model()->rowCount(); ++r)
            nChecked += rig.Model()->index(r, 0).data(Qt::CheckStateRole).toInt() == Qt::Checked ? 1 : 0;
        QCOMPARE(nChecked, 2);
        rig.Main()->RefreshShow();
        QVERIFY(select.nCount > nReports);
        QVERIFY(rig.pWall->GetSelectedReceivers().empty());
    }

    // Labels by key whether or not the Port column is shown; the enum and
    // the int keys name the same columns.
    void columnLabelsAndKeys()
    {
        CRig rig(SSimWallConfig { 3, 4, 7, false, false });
        QVERIFY(rig.Show(QSize(1600, 500)));
        for (int nKey = 0; nKey < CCMMainView::ColumnCount; ++nKey)
            QCOMPARE(rig.Main()->ColumnLabel(CCMMainView::EColumn(nKey)), rig.Header()->GetLabels().value(nKey));
        QVERIFY(rig.Main()->ColumnLabel(CCMMainView::ColumnCount).isEmpty());
        rig.pWall->SetPortHidden(true);
        rig.Refresh();
        QCOMPARE(rig.Main()->ColumnLabel(CCMMainView::ColumnPort), QStringLiteral("Port"));
        QCOMPARE(rig.Main()->ColumnLabel(CCMMainView::ColumnUptime), rig.Header()->GetLabels().last());
        QCOMPARE(rig.Main()->ColumnLabel(CCMMainView::ColumnPosition), rig.Header()->GetLabels().first());

        rig.Main()->SetColumnVisible(CCMMainView::ColumnHumidity, false);
        QVERIFY(!rig.Main()->IsColumnVisible(ReceiverColumn::Humidity));
        QVERIFY(rig.View()->isColumnHidden(ReceiverColumn::Humidity - 1));
        rig.Main()->SetColumnVisible(ReceiverColumn::Humidity, true);
        QVERIFY(rig.Main()->IsColumnVisible(CCMMainView::ColumnHumidity));
        static_assert(int(CCMMainView::ColumnUptime) == ReceiverColumn::Uptime, "one set of keys");
        static_assert(int(CCMMainView::ColumnCount) == ReceiverColumn::Count, "one set of keys");
    }

    // The painted controls' places in the view's coordinates: a press and
    // release there, on the widget under it, is a click on the control.
    void headerControlRects()
    {
        CRig rig(SSimWallConfig { 3, 4, 7, false, false });
        QVERIFY(rig.Show(QSize(1600, 500)));
        const QWidget* pViewport = rig.Header()->viewport();
        const QRect rectCheck = rig.Main()->HeaderControlRect(CCMMainView::HeaderCheckBox);
        const QRect rectFilter = rig.Main()->HeaderControlRect(CCMMainView::HeaderFilterButton);
        const QRect rectReset = rig.Main()->HeaderControlRect(CCMMainView::HeaderResetButton);
        QCOMPARE(rectCheck.center(), pViewport->mapTo(rig.Main(), rig.Header()->GetCheckRect().center()));
        QCOMPARE(rectFilter.center(), pViewport->mapTo(rig.Main(), rig.Header()->GetFilterRect().center()));
        QCOMPARE(rectReset.center(), pViewport->mapTo(rig.Main(), rig.Header()->GetResetRect().center()));
        QCOMPARE(rig.Main()->childAt(rectReset.center()), pViewport);

        // The box checks every row.
        QWidget* pTarget = rig.Main()->childAt(rectCheck.center());
        QVERIFY(pTarget);
        QTest::mouseClick(pTarget, Qt::LeftButton, Qt::NoModifier, pTarget->mapFrom(rig.Main(), rectCheck.center()));
        QCOMPARE(rig.pWall->GetSelectedReceivers().size(), size_t(12));

        rig.pWall->SetPortHidden(true);
        rig.Refresh();
        rig.RepaintHeader();
        QVERIFY(rig.Main()->HeaderControlRect(CCMMainView::HeaderFilterButton).isEmpty());
        rig.Main()->SetColumnVisible(CCMMainView::ColumnPackets, false);
        rig.RepaintHeader();
        QVERIFY(rig.Main()->HeaderControlRect(CCMMainView::HeaderResetButton).isEmpty());
    }

    // The host focuses the view; the keys reach the table.
    void focusGoesToTheTable()
    {
        CRig rig(SSimWallConfig { 3, 4, 7, false, false });
        QVERIFY(rig.Show(QSize(1600, 500)));
        QCOMPARE(rig.Main()->focusProxy(), static_cast<QWidget*>(rig.View()));
        rig.Main()->setFocus();
        QCOMPARE(rig.Main()->focusWidget(), static_cast<QWidget*>(rig.View()));
    }
};

QTEST_MAIN(TestHostInterface)
#include "tst_hostinterface.moc"
