// Painting of the header, the cells, the row backgrounds and the overlay scroll
// bars. Everything is painted into images and only pixels whose place the
// geometry fixes are compared; glyph shapes differ between machines, so text is
// only located (ink or no ink, red or not red), never compared.

#include "CReceiverListDelegate.h"
#include "CReceiverListHeader.h"
#include "CReceiverListView.h"
#include "CScrollBar.h"
#include "CSimWall.h"
#include "SReceiverRowInfo.h"

#include <QAbstractItemModelTester>
#include <QApplication>
#include <QPainter>
#include <QSortFilterProxyModel>
#include <QStandardItemModel>
#include <QSvgRenderer>
#include <QtTest>

#include <memory>

namespace
{
const QColor s_colorSection(0x2F, 0x32, 0x37);
const QColor s_colorSeparatorLeft(0x51, 0x57, 0x5F);
const QColor s_colorPacketError(0xD7, 0x45, 0x3D);
// Cell images start on this colour: far from every colour the delegate uses.
const QColor s_colorCanvas(40, 90, 160);
// The view's base colour, seen through transparent (even) rows.
const QColor s_colorBase(10, 120, 10);

bool Near(QRgb rgb, const QColor& color, int nTolerance)
{
    return qAbs(qRed(rgb) - color.red()) <= nTolerance && qAbs(qGreen(rgb) - color.green()) <= nTolerance
        && qAbs(qBlue(rgb) - color.blue()) <= nTolerance;
}

// Pixels of rect that are (bInk false) or are not (bInk true) close to color.
int Count(const QImage& image, const QRect& rect, const QColor& color, bool bInk, int nTolerance = 24)
{
    int n = 0;
    const QRect rectClipped = rect & image.rect();
    for (int y = rectClipped.top(); y <= rectClipped.bottom(); ++y)
        for (int x = rectClipped.left(); x <= rectClipped.right(); ++x)
            n += Near(image.pixel(x, y), color, nTolerance) != bInk ? 1 : 0;
    return n;
}

int InkLeft(const QImage& image, const QRect& rect, const QColor& background)
{
    for (int x = rect.left(); x <= rect.right(); ++x)
        if (Count(image, QRect(x, rect.top(), 1, rect.height()), background, true) > 0)
            return x;
    return -1;
}

QString PixelText(const QImage& image, int x, int y)
{
    return QStringLiteral("pixel (%1, %2) = #%3").arg(x).arg(y).arg(image.pixel(x, y) & 0xFFFFFF, 6, 16, QLatin1Char('0'));
}

#define VERIFY_PIXEL(image, x, y, color, tolerance) \
    QVERIFY2(Near((image).pixel(x, y), color, tolerance), qPrintable(PixelText(image, x, y)))

// Right edge of the label as the header measures it: same font, same kind of device.
int MeasuredRight(const QSize& size, const QRect& rectBox, const QString& strLabel)
{
    QFont font(QStringLiteral("normal"));
    font.setPixelSize(12);
    font.setWeight(QFont::Bold);
    QPixmap pixmap(size);
    QPainter painter(&pixmap);
    painter.setFont(font);
    return painter.boundingRect(rectBox, Qt::AlignLeft, strLabel).right();
}

void Settle()
{
    for (int i = 0; i < 5; ++i)
        QCoreApplication::processEvents();
}

struct SViewRig
{
    std::unique_ptr<CSimWall> pWall;
    std::unique_ptr<CReceiverListView> pView;

    SViewRig(int nPorts, int nPerPort, const QSize& size)
    {
        SSimWallConfig config;
        config.nPortCount = nPorts;
        config.nReceiversPerPort = nPerPort;
        pWall = std::make_unique<CSimWall>(config);
        pWall->Install();
        pView = std::make_unique<CReceiverListView>();
        QPalette palette = pView->palette();
        palette.setColor(QPalette::Base, s_colorBase);
        pView->setPalette(palette);
        pView->resize(size);
        pView->show();
        pView->RefreshShow(true, true);
        Settle();
    }
    ~SViewRig()
    {
        pView.reset();
        pWall->Uninstall();
    }
    CReceiverListHeader* Header() const { return pView->GetHeader(); }
    QImage GrabHeader() const { return Header()->grab().toImage().convertToFormat(QImage::Format_RGB32); }
    QRect Section(int nLogical) const
    {
        return QRect(Header()->sectionViewportPosition(nLogical), 0, Header()->sectionSize(nLogical), Header()->height());
    }
};

// One cell painted by the delegate onto the canvas colour, with a light text pen.
QImage PaintCell(const CReceiverListDelegate& delegate, const QModelIndex& index, const QRect& rect)
{
    QImage image(rect.right() + 11, rect.bottom() + 11, QImage::Format_RGB32);
    image.fill(s_colorCanvas);
    QPainter painter(&image);
    painter.setPen(Qt::white);
    QStyleOptionViewItem option;
    option.rect = rect;
    option.state = QStyle::State_Enabled;
    delegate.paint(&painter, option, index);
    return image;
}
}

class TestPainting : public QObject
{
    Q_OBJECT

private slots:
    void iconResources_data();
    void iconResources();
    void headerHitRectangles();
    void headerSections_data();
    void headerSections();
    void headerSortArrow();
    void progressBar_data();
    void progressBar();
    void progressWithoutBar_data();
    void progressWithoutBar();
    void packetCountColour_data();
    void packetCountColour();
    void firstColumn_data();
    void firstColumn();
    void rowBackground_data();
    void rowBackground();
    void overlayScrollBars_data();
    void overlayScrollBars();
};

void TestPainting::iconResources_data()
{
    QTest::addColumn<QString>("path");
    const char* arrSvg[] = { "checkBox/down", "checkBox/indeterminate", "checkBox/normal", "checkBox/checkDisable",
                             "checkBox/indeterminateDisable", "checkBox/uncheckDisable", "filtrate/normal",
                             "filtrate/hover", "filtrate/down", "filtrate/disable", "reset/normal", "reset/down",
                             "reset/disable" };
    for (const char* pszName : arrSvg)
        QTest::newRow(pszName) << QStringLiteral(":/image/control/%1.svg").arg(QLatin1String(pszName));
    QTest::newRow("up2down") << QStringLiteral(":/image/treeView/headerSort/up2down.png");
    QTest::newRow("down2up") << QStringLiteral(":/image/treeView/headerSort/down2up.png");
}

void TestPainting::iconResources()
{
    QFETCH(QString, path);
    if (path.endsWith(QLatin1String(".png"))) {
        QCOMPARE(QPixmap(path).size(), QSize(9, 5));
    } else {
        QSvgRenderer renderer(path);
        QVERIFY2(renderer.isValid(), qPrintable(path));
    }
}

void TestPainting::headerHitRectangles()
{
    SViewRig rig(4, 3, QSize(1700, 400));
    CReceiverListHeader* pHeader = rig.Header();
    QVERIFY(pHeader->HasRows());
    pHeader->SetCheckBoxState(Qt::Checked, false);
    const QImage image = rig.GrabHeader();

    const QRect rect0 = rig.Section(0);
    QCOMPARE(pHeader->GetCheckRect(), QRect(QPoint(rect0.left() + 15, 6), QPoint(rect0.left() + 36, 27)));
    // The 16-pixel box sits at the left of the label rectangle, centred in the 36-pixel bar.
    QVERIFY(Count(image, QRect(rect0.left() + 15, 10, 16, 16), s_colorSection, true) > 0);

    const int nFilterX2 = MeasuredRight(image.size(), QRect(QPoint(rect0.left() + 32, 0), QPoint(rect0.right() - 30, 35)),
                                        pHeader->GetLabels().at(0));
    const QRect rectFilter(QPoint(nFilterX2 + 6, 9), QPoint(nFilterX2 + 25, 28));
    QCOMPARE(pHeader->GetFilterRect(), rectFilter);
    QVERIFY(Count(image, rectFilter, s_colorSection, true) > 0);
    QCOMPARE(pHeader->GetFilterAnchor(), rectFilter.bottomLeft());

    const QRect rect5 = rig.Section(5);
    const int nResetX2 = MeasuredRight(image.size(), QRect(QPoint(rect5.left() + 12, 0), QPoint(rect5.right() - 30, 35)),
                                       pHeader->GetLabels().at(5));
    const QRect rectReset(QPoint(nResetX2 + 6, 8), QPoint(nResetX2 + 25, 27));
    QCOMPARE(pHeader->GetResetRect(), rectReset);
    QVERIFY(Count(image, rectReset, s_colorSection, true) > 0);
}

void TestPainting::headerSections_data()
{
    QTest::addColumn<bool>("portHidden");
    QTest::newRow("with Port column") << false;
    QTest::newRow("without Port column") << true;
}

void TestPainting::headerSections()
{
    QFETCH(bool, portHidden);
    SViewRig rig(2, 2, QSize(1900, 300));
    CReceiverListHeader* pHeader = rig.Header();
    rig.GrabHeader();
    const QRect rectFilter = pHeader->GetFilterRect();
    QVERIFY(rectFilter.isValid());
    if (portHidden) {
        rig.pWall->SetPortHidden(true);
        rig.pView->RefreshShow(true, true);
        QCOMPARE(pHeader->GetLabels().at(0), QStringLiteral("String position"));
    }
    const int H = portHidden ? 1 : 0;
    // Room for the Filter icon after the first label, and for the Reset icon
    // before the separator of its own section.
    pHeader->resizeSection(0, 260);
    pHeader->resizeSection(5 - H, 240);
    Settle();
    const QImage image = rig.GrabHeader();
    const int nLast = pHeader->count() - 1;
    QCOMPARE(nLast, 11 - H);

    // The Filter button exists only with the Port column; its rectangle keeps its last place.
    const QRect rect0 = rig.Section(0);
    const int X2 = MeasuredRight(image.size(), QRect(QPoint(rect0.left() + 32, 0), QPoint(rect0.right() - 30, 35)),
                                 pHeader->GetLabels().at(0));
    QVERIFY(X2 + 26 < rect0.right() - 2);
    QCOMPARE(Count(image, QRect(QPoint(X2 + 6, 9), QPoint(X2 + 25, 28)), s_colorSection, true, 2) > 0, !portHidden);
    if (portHidden)
        QCOMPARE(pHeader->GetFilterRect(), rectFilter);

    for (int i = 0; i <= nLast; ++i) {
        const QRect rect = rig.Section(i);
        const int L = rect.left(), R = rect.right(), T = rect.top(), B = rect.bottom();
        VERIFY_PIXEL(image, L + 2, T + 1, s_colorSection, 1);
        VERIFY_PIXEL(image, R - 3, B - 1, s_colorSection, 1);
        for (int y : { T + 5, B - 5 })
            for (int x : { R - 1, R })
                VERIFY_PIXEL(image, x, y, s_colorSection, 1);
        for (int y = T + 6; y <= B - 6; ++y) {
            VERIFY_PIXEL(image, R - 1, y, i == nLast ? s_colorSection : s_colorSeparatorLeft, 1);
            VERIFY_PIXEL(image, R, y, i == nLast ? s_colorSection : QColor(Qt::black), 1);
        }
    }
}

void TestPainting::headerSortArrow()
{
    SViewRig rig(2, 2, QSize(2600, 300));
    CReceiverListHeader* pHeader = rig.Header();
    // Sections wide enough that no label reaches the middle, where the arrow goes.
    const QList<int> listSections = { 0, 2, 5, 6, 11 };
    for (int nSection : listSections)
        pHeader->resizeSection(nSection, 320);
    Settle();

    const auto ExpectedArrow = [](bool bAscending) {
        QImage image(9, 5, QImage::Format_RGB32);
        image.fill(s_colorSection);
        QPainter painter(&image);
        painter.drawImage(0, 0, QImage(bAscending ? QStringLiteral(":/image/treeView/headerSort/up2down.png")
                                                  : QStringLiteral(":/image/treeView/headerSort/down2up.png")));
        return image;
    };
    // nSection (-1: none) must show the given arrow, the other candidates none.
    const auto CheckArrows = [&](int nSection, bool bAscending, const char* pszWhen) {
        const QImage image = rig.GrabHeader();
        const QImage imageArrow = ExpectedArrow(bAscending);
        for (int i : listSections) {
            const QRect rectSection = rig.Section(i);
            const QRect rect(rectSection.left() + rectSection.width() / 2 - 4, 3, 9, 5);
            // Above the icons that start at y 8: a pixel of margin left and right, all rows above.
            const QRect rectAround = rect.adjusted(-1, -3, 1, 0);
            const QString strWhere = QStringLiteral("%1, section %2: ").arg(QLatin1String(pszWhen)).arg(i);
            if (i != nSection) {
                QVERIFY2(Count(image, rectAround, s_colorSection, true, 2) == 0, qPrintable(strWhere + QStringLiteral("arrow drawn")));
                continue;
            }
            for (int y = 0; y < 5; ++y)
                for (int x = 0; x < 9; ++x)
                    QVERIFY2(Near(image.pixel(rect.left() + x, 3 + y), imageArrow.pixelColor(x, y), 3),
                             qPrintable(strWhere + PixelText(image, rect.left() + x, 3 + y)));
            QVERIFY2(Count(image, rectAround, s_colorSection, true, 2) == Count(image, rect, s_colorSection, true, 2),
                     qPrintable(strWhere + QStringLiteral("ink around the arrow")));
        }
    };

    QCOMPARE(pHeader->GetSortColumn(), 0);
    CheckArrows(0, true, "initial sort by Port");

    // Two clicks on the Type section: ascending, then descending.
    const QPoint posType = rig.Section(2).center();
    QTest::mouseClick(pHeader->viewport(), Qt::LeftButton, Qt::NoModifier, posType);
    QTest::mouseClick(pHeader->viewport(), Qt::LeftButton, Qt::NoModifier, posType);
    QCOMPARE(pHeader->GetSortColumn(), 2);
    QCOMPARE(pHeader->GetSortFlag(), false);
    CheckArrows(2, false, "descending Type");

    pHeader->SetSortColumn(11);
    CheckArrows(11, false, "last section");

    pHeader->SetSortColumn(6);
    CheckArrows(-1, false, "Progress");

    pHeader->SetSortColumn(5);
    pHeader->SetButtonsEnabled(false);
    CheckArrows(-1, false, "buttons disabled");
    pHeader->SetButtonsEnabled(true);
    CheckArrows(5, false, "buttons enabled again");
}

void TestPainting::progressBar_data()
{
    QTest::addColumn<bool>("showPort");
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::addColumn<int>("state");
    QTest::addColumn<int>("progress");
    QTest::addColumn<int>("bar");
    QTest::addColumn<int>("fill");
    QTest::addColumn<QColor>("fillColour");

    const QColor colorUpgrading(0xA9, 0xB3, 0xBC), colorFailed(0xC2, 0x41, 0x41), colorSucceeded(0x43, 0xC2, 0x41);
    QTest::newRow("220 upgrading 50") << true << 220 << 36 << 2 << 50 << 140 << 70 << colorUpgrading;
    QTest::newRow("300 failed 30") << true << 300 << 36 << 3 << 30 << 140 << 42 << colorFailed;
    QTest::newRow("220 succeeded 100") << true << 220 << 36 << 4 << 100 << 140 << 140 << colorSucceeded;
    QTest::newRow("220 upgrading 0") << true << 220 << 36 << 2 << 0 << 140 << 0 << colorUpgrading;
    QTest::newRow("180 upgrading 50") << true << 180 << 36 << 2 << 50 << 100 << 50 << colorUpgrading;
    QTest::newRow("180 succeeded 100") << true << 180 << 36 << 4 << 100 << 100 << 100 << colorSucceeded;
    QTest::newRow("180 failed 33, odd height") << true << 180 << 41 << 3 << 33 << 100 << 33 << colorFailed;
    QTest::newRow("90 upgrading 50") << true << 90 << 36 << 2 << 50 << 10 << 5 << colorUpgrading;
    QTest::newRow("other state keeps track") << true << 220 << 36 << 7 << 60 << 140 << 84 << s_colorSection;
    QTest::newRow("no Port column") << false << 220 << 36 << 2 << 25 << 140 << 35 << colorUpgrading;
}

void TestPainting::progressBar()
{
    QFETCH(bool, showPort);
    QFETCH(int, width);
    QFETCH(int, height);
    QFETCH(int, state);
    QFETCH(int, progress);
    QFETCH(int, bar);
    QFETCH(int, fill);
    QFETCH(QColor, fillColour);

    QStandardItemModel model(1, 12);
    const QModelIndex index = model.index(0, showPort ? 6 : 5);
    model.setData(index, QVariant::fromValue(SRowProgressInfo { state, progress, QStringLiteral("Failed") }), ReceiverRole::Extra);
    CReceiverListDelegate delegate;
    delegate.SetShowPort(showPort);
    const QRect rect(10, 4, width, height);
    const QImage image = PaintCell(delegate, index, rect);

    const int x0 = rect.left() + 14;
    const int y0 = rect.top() + (height - 6) / 2;
    // Rows y0+2 and y0+3 lie between the rounded corners: every pixel there is solid.
    for (int y : { y0 + 2, y0 + 3 }) {
        VERIFY_PIXEL(image, x0 - 1, y, s_colorCanvas, 2);
        for (int x = x0; x < x0 + bar; ++x) {
            const QColor color = x < x0 + fill ? fillColour : s_colorSection;
            VERIFY_PIXEL(image, x, y, color, 2);
        }
        VERIFY_PIXEL(image, x0 + bar, y, s_colorCanvas, 2);
    }
    // Six pixels high: the rows above and below stay untouched.
    const int xMid = x0 + bar / 2;
    for (int y = y0 - 1; y <= y0 + 6; ++y)
        VERIFY_PIXEL(image, xMid, y, y < y0 || y > y0 + 5 ? s_colorCanvas : fill > bar / 2 ? fillColour : s_colorSection, 2);

    // The text starts 7 pixels after the bar and nothing of it lies in that gap.
    const QRect rectText(QPoint(x0 + bar + 7, rect.top()), rect.bottomRight());
    QCOMPARE(Count(image, QRect(QPoint(x0 + bar, rect.top()), QPoint(x0 + bar + 6, rect.bottom())), s_colorCanvas, true), 0);
    QVERIFY(Count(image, rectText, s_colorCanvas, true) > 0);
    QVERIFY(InkLeft(image, rectText, s_colorCanvas) <= rectText.left() + 3);
}

void TestPainting::progressWithoutBar_data()
{
    QTest::addColumn<QVariant>("info");
    QTest::newRow("no record") << QVariant();
    QTest::newRow("not a record") << QVariant(QStringLiteral("garbage"));
    QTest::newRow("state 0") << QVariant::fromValue(SRowProgressInfo { 0, 80, QStringLiteral("N/A") });
    QTest::newRow("state 1") << QVariant::fromValue(SRowProgressInfo { 1, 80, QStringLiteral("Waiting") });
}

void TestPainting::progressWithoutBar()
{
    QFETCH(QVariant, info);
    QStandardItemModel model(1, 12);
    const QModelIndex index = model.index(0, 6);
    if (info.isValid())
        model.setData(index, info, ReceiverRole::Extra);
    CReceiverListDelegate delegate;
    delegate.SetShowPort(true);
    const QRect rect(10, 4, 220, 36);
    const QImage image = PaintCell(delegate, index, rect);

    QCOMPARE(Count(image, image.rect(), s_colorSection, false, 3), 0);
    const int nLeft = InkLeft(image, rect, s_colorCanvas);
    QVERIFY2(nLeft >= rect.left() + 14 && nLeft <= rect.left() + 17, qPrintable(QString::number(nLeft)));
    // Nothing right of the text's 140-pixel box.
    QCOMPARE(Count(image, QRect(QPoint(rect.left() + 154, 0), QPoint(image.width() - 1, image.height() - 1)), s_colorCanvas, true), 0);
}

void TestPainting::packetCountColour_data()
{
    QTest::addColumn<bool>("showPort");
    QTest::addColumn<int>("column");
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("digits");
    QTest::addColumn<bool>("red");

    QTest::newRow("1 / 1000000 normal") << true << 5 << 1.1 << 7 << false;
    QTest::newRow("1 / 999999 red") << true << 5 << 1.999999 << 6 << true;
    QTest::newRow("0 / 5 normal") << true << 5 << 0.5 << 1 << false;
    QTest::newRow("no data, 0 / 0 normal") << true << 5 << 0.0 << 0 << false;
    QTest::newRow("5000 / 10 red") << true << 5 << 5000.10 << 2 << true;
    QTest::newRow("3 / 1500 red") << true << 5 << 3.15 << 4 << true;
    QTest::newRow("no Port column, 4 is packets") << false << 4 << 5000.10 << 2 << true;
    QTest::newRow("with Port column, 4 is Firmware") << true << 4 << 5000.10 << 2 << false;
}

void TestPainting::packetCountColour()
{
    QFETCH(bool, showPort);
    QFETCH(int, column);
    QFETCH(double, value);
    QFETCH(int, digits);
    QFETCH(bool, red);

    QStandardItemModel model(1, 12);
    const QModelIndex index = model.index(0, column);
    model.setData(index, value, ReceiverRole::SortKey);
    model.setData(index, digits, ReceiverRole::Extra);
    CReceiverListDelegate delegate;
    delegate.SetShowPort(showPort);
    const QRect rect(10, 4, 220, 36);
    const QImage image = PaintCell(delegate, index, rect);

    const int nRed = Count(image, rect, s_colorPacketError, false, 30);
    QVERIFY2(red ? nRed >= 3 : nRed == 0, qPrintable(QString::number(nRed)));
    // The counts start 14 pixels in; a cell of another column shows nothing of them.
    const int nLeft = InkLeft(image, rect, s_colorCanvas);
    if (column == (showPort ? 5 : 4))
        QVERIFY2(nLeft >= rect.left() + 14 && nLeft <= rect.left() + 17, qPrintable(QString::number(nLeft)));
    else
        QCOMPARE(nLeft, -1);
}

void TestPainting::firstColumn_data()
{
    QTest::addColumn<QVariant>("flag");
    QTest::addColumn<QVariant>("checkState");
    QTest::addColumn<bool>("disabledBox");

    QTest::newRow("flag, no check state") << QVariant(true) << QVariant() << true;
    QTest::newRow("flag, checked") << QVariant(true) << QVariant(int(Qt::Checked)) << false;
    QTest::newRow("flag, unchecked") << QVariant(true) << QVariant(int(Qt::Unchecked)) << false;
    QTest::newRow("no flag, no check state") << QVariant(false) << QVariant() << false;
    QTest::newRow("flag absent") << QVariant() << QVariant() << false;
}

void TestPainting::firstColumn()
{
    QFETCH(QVariant, flag);
    QFETCH(QVariant, checkState);
    QFETCH(bool, disabledBox);

    QStandardItemModel model(1, 12);
    QStandardItem* pItem = new QStandardItem(QStringLiteral("88"));
    pItem->setData(flag, ReceiverRole::Extra);
    pItem->setData(checkState, Qt::CheckStateRole);
    model.setItem(0, 0, pItem);
    CReceiverListDelegate delegate;
    delegate.SetShowPort(true);
    const QRect rect(10, 4, 120, 36);
    const QImage image = PaintCell(delegate, model.index(0, 0), rect);

    // The 22 pixels the content moves away from hold the disabled box or nothing.
    QImage imageExpected(image.size(), QImage::Format_RGB32);
    imageExpected.fill(s_colorCanvas);
    if (disabledBox) {
        QPainter painter(&imageExpected);
        painter.setRenderHint(QPainter::Antialiasing);
        QSvgRenderer(QStringLiteral(":/image/control/checkBox/checkDisable.svg"))
            .render(&painter, QRectF(rect.left() + 16, rect.top() + 10, 16, 16));
    }
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < rect.left() + 22; ++x)
            VERIFY_PIXEL(image, x, y, imageExpected.pixelColor(x, y), 16);
    if (disabledBox)
        QVERIFY(Count(image, QRect(rect.left() + 16, rect.top() + 10, 6, 16), s_colorCanvas, true) > 0);
    // The moved content (text, and the base check box when there is a check state).
    QVERIFY(Count(image, QRect(QPoint(rect.left() + 22, rect.top()), rect.bottomRight()), s_colorCanvas, true) > 0);
}

void TestPainting::rowBackground_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<bool>("checkable");
    QTest::addColumn<QVariant>("checkState");
    QTest::addColumn<bool>("marked");
    QTest::addColumn<bool>("hovered");
    QTest::addColumn<QColor>("colour");

    const QColor colorChecked(0x38, 0x3B, 0x42), colorHover(0x26, 0x28, 0x2C), colorOdd(0x13, 0x14, 0x16);
    const QVariant varChecked(int(Qt::Checked)), varUnchecked(int(Qt::Unchecked));
    QTest::newRow("even") << 2 << false << QVariant() << false << false << s_colorBase;
    QTest::newRow("odd") << 3 << false << QVariant() << false << false << colorOdd;
    QTest::newRow("checked even") << 2 << true << varChecked << false << false << colorChecked;
    QTest::newRow("checked odd") << 3 << true << varChecked << false << false << colorChecked;
    QTest::newRow("checked beats hover") << 3 << true << varChecked << false << true << colorChecked;
    QTest::newRow("unchecked box even") << 2 << true << varUnchecked << false << false << s_colorBase;
    QTest::newRow("marked, no check state") << 4 << true << QVariant() << true << false << colorChecked;
    QTest::newRow("marked, not checkable") << 4 << false << QVariant() << true << false << s_colorBase;
    QTest::newRow("checked, not checkable") << 5 << false << varChecked << false << false << colorOdd;
    QTest::newRow("hovered even") << 2 << false << QVariant() << false << true << colorHover;
    QTest::newRow("hovered odd") << 5 << false << QVariant() << false << true << colorHover;
}

void TestPainting::rowBackground()
{
    QFETCH(int, row);
    QFETCH(bool, checkable);
    QFETCH(QVariant, checkState);
    QFETCH(bool, marked);
    QFETCH(bool, hovered);
    QFETCH(QColor, colour);

    SViewRig rig(1, 8, QSize(1700, 400));
    CReceiverListView* pView = rig.pView.get();
    QAbstractItemModelTester tester(pView->GetModel(), QAbstractItemModelTester::FailureReportingMode::QtTest);
    const int nProgress = 6;
    // Far right of the Progress cell of an N/A row: no text, no rounded corner.
    const QPoint pos(rig.Section(nProgress).left() + 200, row * 36 + 18);

    if (hovered) {
        QMouseEvent move(QEvent::MouseMove, pos, Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(pView->viewport(), &move);
        QCOMPARE(pView->GetHoverRow(), pView->GetProxyModel()->mapToSource(pView->GetProxyModel()->index(row, 0)).row());
    }
    const QModelIndex indexSource = pView->GetProxyModel()->mapToSource(pView->GetProxyModel()->index(row, 0));
    QStandardItem* pFirst = pView->GetModel()->itemFromIndex(indexSource);
    QVERIFY(pFirst);
    pFirst->setFlags(checkable ? pFirst->flags() | Qt::ItemIsUserCheckable : pFirst->flags() & ~Qt::ItemIsUserCheckable);
    pFirst->setData(checkState, Qt::CheckStateRole);
    if (marked)
        pFirst->setData(true, ReceiverRole::UpgradeMark);
    Settle();

    const QImage image = pView->viewport()->grab().toImage();
    QVERIFY2(Near(image.pixel(pos), colour, 1), qPrintable(PixelText(image, pos.x(), pos.y())));
}

void TestPainting::overlayScrollBars_data()
{
    QTest::addColumn<int>("perPort");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<bool>("horizontal");
    QTest::addColumn<bool>("vertical");

    QTest::newRow("many rows, wide view") << 24 << QSize(1700, 400) << false << true;
    QTest::newRow("many rows, narrow view") << 24 << QSize(600, 400) << true << true;
    QTest::newRow("few rows, narrow view") << 1 << QSize(600, 400) << true << false;
    QTest::newRow("9 pixels wide") << 24 << QSize(9, 400) << false << false;
    QTest::newRow("9 pixels high") << 24 << QSize(600, 9) << false << false;
}

void TestPainting::overlayScrollBars()
{
    QFETCH(int, perPort);
    QFETCH(QSize, size);
    QFETCH(bool, horizontal);
    QFETCH(bool, vertical);

    // Start large enough for both bars, so hiding is a change the resize makes.
    SViewRig rig(4, perPort, QSize(600, 400));
    CReceiverListView* pView = rig.pView.get();
    pView->resize(size);
    Settle();

    CScrollBar* pH = pView->GetHScrollBar();
    CScrollBar* pV = pView->GetVScrollBar();
    QCOMPARE(pH->isVisible(), horizontal);
    QCOMPARE(pV->isVisible(), vertical);

    const int W = pView->width(), H = pView->height();
    const int hh = pH->height(), vw = pV->width(), hd = rig.Header()->height();
    QCOMPARE(hd, 36);
    if (horizontal)
        QCOMPARE(pH->geometry(), QRect(0, H - hh - 1, vertical ? W - hh - 1 : W - 1, hh));
    if (vertical)
        QCOMPARE(pV->geometry(), QRect(W - vw - 1, hd + 1, vw, horizontal ? H - hd - vw - 1 : H - hd - 1));
}

QTEST_MAIN(TestPainting)
#include "tst_painting.moc"
