// Painting of the header, the cells, the row backgrounds and the overlay scroll
// bars. Everything is painted into images and only pixels whose place the
// geometry fixes are compared; glyph shapes differ between machines, so text is
// only located (ink or no ink, red or not red), never compared.

#include "CMViewTestSupport.h"

#include "CColumnMap.h"
#include "CReceiverListDelegate.h"
#include "CScrollBar.h"

#include <QPainter>
#include <QStandardItemModel>
#include <QSvgRenderer>

using namespace cmtest;

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

// Right edge of the label as the header measures it: same font, same kind of
// device. The label box runs from nIndent past the section's left to 30 before its right.
int LabelRight(const QImage& image, const QRect& rectSection, int nIndent, const QString& strLabel)
{
    QFont font(QStringLiteral("normal"));
    font.setPixelSize(12);
    font.setWeight(QFont::Bold);
    QPixmap pixmap(image.size());
    QPainter painter(&pixmap);
    painter.setFont(font);
    const QRect rectBox(QPoint(rectSection.left() + nIndent, 0), QPoint(rectSection.right() - 30, 35));
    return painter.boundingRect(rectBox, Qt::AlignLeft, strLabel).right();
}

// A shown bare list over a wall of nPorts x nPerPort receivers.
struct SPaintRig : CRig
{
    SPaintRig(int nPorts, int nPerPort, const QSize& size)
        : CRig(SSimWallConfig { nPorts, nPerPort, 1, false, false }, {}, {}, true)
    {
        QPalette palette = View()->palette();
        palette.setColor(QPalette::Base, s_colorBase);
        View()->setPalette(palette);
        bShown = Show(size);
    }
    QImage GrabHeader() const { return Header()->grab().toImage().convertToFormat(QImage::Format_RGB32); }
    QRect Section(int n) const { return QRect(Header()->sectionViewportPosition(n), 0, Header()->sectionSize(n), Header()->height()); }
    bool bShown = false;
};

// One cell of a one-row model painted by the delegate onto the canvas colour, with a light text pen.
QImage PaintCell(bool bShowPort, int nColumn, const QMap<int, QVariant>& mapData, const QRect& rect)
{
    QStandardItemModel model(1, 12);
    const QModelIndex index = model.index(0, nColumn);
    for (auto it = mapData.begin(); it != mapData.end(); ++it)
        model.setData(index, it.value(), it.key());
    CReceiverListDelegate delegate;
    const CColumnMap columns(bShowPort);
    delegate.SetColumnMap(&columns);
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

struct SBarCase { bool bShowPort; QSize size; int nState, nProgress, nBar, nFill; QColor colorFill; };
struct SRowCase { int nRow; bool bCheckable; QVariant varCheck; bool bMarked, bHovered; QColor color; };
struct STextCase { bool bShowPort; int nColumn; QVariant varKey, varExtra; bool bRed; };
struct SFirstCase { QVariant varFlag, varCheck; bool bDisabledBox; };
struct SBarsCase { int nPerPort; QSize size; bool bHorizontal, bVertical; };
Q_DECLARE_METATYPE(SBarCase)
Q_DECLARE_METATYPE(SFirstCase)
Q_DECLARE_METATYPE(SBarsCase)
Q_DECLARE_METATYPE(SRowCase)
Q_DECLARE_METATYPE(STextCase)

class TestPainting : public QObject
{
    Q_OBJECT

private slots:
    void iconResources()
    {
        for (const char* pszName : { "checkBox/down", "checkBox/indeterminate", "checkBox/normal", "checkBox/checkDisable",
                                     "checkBox/indeterminateDisable", "checkBox/uncheckDisable", "filtrate/normal", "filtrate/hover",
                                     "filtrate/down", "filtrate/disable", "reset/normal", "reset/down", "reset/disable" })
            QVERIFY2(QSvgRenderer(QStringLiteral(":/image/control/%1.svg").arg(QLatin1String(pszName))).isValid(), pszName);
        for (const char* pszName : { "up2down", "down2up" })
            QCOMPARE(QPixmap(QStringLiteral(":/image/treeView/headerSort/%1.png").arg(QLatin1String(pszName))).size(), QSize(9, 5));
    }

    void headerSections_data()
    {
        QTest::addColumn<bool>("portHidden");
        QTest::newRow("with Port column") << false;
        QTest::newRow("without Port column") << true;
    }

    // Section backgrounds and separators, and the places of the box, Filter and Reset controls.
    void headerSections()
    {
        QFETCH(bool, portHidden);
        SPaintRig rig(2, 2, QSize(1900, 300));
        QVERIFY(rig.bShown);
        CReceiverListHeader* pHeader = rig.Header();
        const QRect rectFilterBefore = pHeader->GetFilterRect();
        if (portHidden) {
            rig.pWall->SetPortHidden(true);
            rig.Refresh();
        }
        const int H = rig.Hidden();
        QCOMPARE(H, portHidden ? 1 : 0);
        // Room for the Filter icon after the first label, and for the Reset icon
        // before the separator of its own section.
        pHeader->resizeSection(0, 260);
        pHeader->resizeSection(5 - H, 240);
        pHeader->SetCheckBoxState(Qt::Checked, false);
        QCoreApplication::processEvents();
        const QImage image = rig.GrabHeader();
        const int nLast = pHeader->count() - 1;
        QCOMPARE(nLast, 11 - H);

        // The 16-pixel box sits at the left of the label rectangle, centred in the 36-pixel bar.
        const QRect rect0 = rig.Section(0);
        QCOMPARE(pHeader->GetCheckRect(), QRect(QPoint(rect0.left() + 15, 6), QPoint(rect0.left() + 36, 27)));
        QVERIFY(Count(image, QRect(rect0.left() + 15, 10, 16, 16), s_colorSection, true) > 0);
        // The Filter button exists only with the Port column; its rectangle keeps its last place.
        const int nFilterX2 = LabelRight(image, rect0, 32, pHeader->GetLabels().at(0));
        QVERIFY(nFilterX2 + 26 < rect0.right() - 2);
        const QRect rectFilter(QPoint(nFilterX2 + 6, 9), QPoint(nFilterX2 + 25, 28));
        QCOMPARE(Count(image, rectFilter, s_colorSection, true, 2) > 0, !portHidden);
        QCOMPARE(pHeader->GetFilterRect(), portHidden ? rectFilterBefore : rectFilter);
        QCOMPARE(pHeader->GetFilterAnchor(), pHeader->GetFilterRect().bottomLeft());
        const int nResetX2 = LabelRight(image, rig.Section(5 - H), 12, pHeader->GetLabels().at(5 - H));
        const QRect rectReset(QPoint(nResetX2 + 6, 8), QPoint(nResetX2 + 25, 27));
        QCOMPARE(pHeader->GetResetRect(), rectReset);
        QVERIFY(Count(image, rectReset, s_colorSection, true) > 0);

        for (int i = 0; i <= nLast; ++i) {
            const QRect rect = rig.Section(i);
            const int L = rect.left(), R = rect.right(), T = rect.top(), B = rect.bottom();
            VERIFY_PIXEL(image, L + 2, T + 1, s_colorSection, 1);
            VERIFY_PIXEL(image, R - 3, B - 1, s_colorSection, 1);
            for (int y : { T + 5, B - 5 })
                for (int x : { R - 1, R })
                    VERIFY_PIXEL(image, x, y, s_colorSection, 1);
            // The two-pixel separator on every section but the last, rows 6 to height - 6.
            for (int y = T + 6; y <= B - 6; ++y) {
                VERIFY_PIXEL(image, R - 1, y, i == nLast ? s_colorSection : s_colorSeparatorLeft, 1);
                VERIFY_PIXEL(image, R, y, i == nLast ? s_colorSection : QColor(Qt::black), 1);
            }
        }
    }

    void headerSortArrow()
    {
        SPaintRig rig(2, 2, QSize(2600, 300));
        QVERIFY(rig.bShown);
        CReceiverListHeader* pHeader = rig.Header();
        // Sections wide enough that no label reaches the middle, where the arrow goes.
        const QList<int> listSections = { 0, 2, 5, 6, 11 };
        for (int nSection : listSections)
            pHeader->resizeSection(nSection, 320);
        QCoreApplication::processEvents();

        // nSection (-1: none) must show the given arrow, the other candidates none.
        const auto CheckArrows = [&](int nSection, bool bAscending, const char* pszWhen) {
            QImage imageArrow(9, 5, QImage::Format_RGB32);
            imageArrow.fill(s_colorSection);
            QPainter(&imageArrow).drawImage(0, 0, QImage(QStringLiteral(":/image/treeView/headerSort/%1.png").arg(bAscending ? "up2down" : "down2up")));
            const QImage image = rig.GrabHeader();
            for (int i : listSections) {
                const QRect rect(rig.Section(i).left() + rig.Section(i).width() / 2 - 4, 3, 9, 5);
                // Above the icons that start at y 8: a pixel of margin left and right, all rows above.
                const QRect rectAround = rect.adjusted(-1, -3, 1, 0);
                const QString strWhere = QStringLiteral("%1, section %2: ").arg(QLatin1String(pszWhen)).arg(i);
                if (i != nSection) {
                    QVERIFY2(Count(image, rectAround, s_colorSection, true, 2) == 0, qPrintable(strWhere + "arrow drawn"));
                    continue;
                }
                for (int y = 0; y < 5; ++y)
                    for (int x = 0; x < 9; ++x)
                        QVERIFY2(Near(image.pixel(rect.left() + x, 3 + y), imageArrow.pixelColor(x, y), 3),
                                 qPrintable(strWhere + PixelText(image, rect.left() + x, 3 + y)));
                QVERIFY2(Count(image, rectAround, s_colorSection, true, 2) == Count(image, rect, s_colorSection, true, 2),
                         qPrintable(strWhere + "ink around the arrow"));
            }
        };

        QCOMPARE(pHeader->GetSortColumn(), 0);
        CheckArrows(0, true, "initial sort by Port");
        // Two clicks on the Type section: ascending, then descending.
        rig.ClickSection(2);
        rig.ClickSection(2);
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

    void progressBar_data()
    {
        QTest::addColumn<SBarCase>("c");
        const QColor colorUpgrading(0xA9, 0xB3, 0xBC), colorFailed(0xC2, 0x41, 0x41), colorSucceeded(0x43, 0xC2, 0x41);
        QTest::newRow("220 upgrading 50") << SBarCase { true, { 220, 36 }, 2, 50, 140, 70, colorUpgrading };
        QTest::newRow("300 failed 30") << SBarCase { true, { 300, 36 }, 3, 30, 140, 42, colorFailed };
        QTest::newRow("220 succeeded 100") << SBarCase { true, { 220, 36 }, 4, 100, 140, 140, colorSucceeded };
        QTest::newRow("220 upgrading 0") << SBarCase { true, { 220, 36 }, 2, 0, 140, 0, colorUpgrading };
        QTest::newRow("180 upgrading 50") << SBarCase { true, { 180, 36 }, 2, 50, 100, 50, colorUpgrading };
        QTest::newRow("180 failed 33, odd height") << SBarCase { true, { 180, 41 }, 3, 33, 100, 33, colorFailed };
        QTest::newRow("90 upgrading 50") << SBarCase { true, { 90, 36 }, 2, 50, 10, 5, colorUpgrading };
        QTest::newRow("other state keeps track") << SBarCase { true, { 220, 36 }, 7, 60, 140, 84, s_colorSection };
        QTest::newRow("no Port column") << SBarCase { false, { 220, 36 }, 2, 25, 140, 35, colorUpgrading };
    }

    void progressBar()
    {
        QFETCH(SBarCase, c);
        const QRect rect(QPoint(10, 4), c.size);
        const QImage image = PaintCell(c.bShowPort, c.bShowPort ? 6 : 5,
                                       { { ReceiverRole::Extra, QVariant::fromValue(SRowProgressInfo { c.nState, c.nProgress, "Failed" }) } }, rect);
        const int x0 = rect.left() + 14, x1 = x0 + c.nBar;
        const int y0 = rect.top() + (rect.height() - 6) / 2;
        // Rows y0+2 and y0+3 lie between the rounded corners: every pixel there is solid.
        for (int y : { y0 + 2, y0 + 3 }) {
            VERIFY_PIXEL(image, x0 - 1, y, s_colorCanvas, 2);
            for (int x = x0; x < x1; ++x)
                VERIFY_PIXEL(image, x, y, x < x0 + c.nFill ? c.colorFill : s_colorSection, 2);
            VERIFY_PIXEL(image, x1, y, s_colorCanvas, 2);
        }
        // Six pixels high: the rows above and below stay untouched.
        for (int y = y0 - 1; y <= y0 + 6; ++y)
            VERIFY_PIXEL(image, x0 + c.nBar / 2, y, y < y0 || y > y0 + 5 ? s_colorCanvas : c.nFill > c.nBar / 2 ? c.colorFill : s_colorSection, 2);

        // The text starts 7 pixels after the bar and nothing of it lies in that gap.
        const QRect rectText(QPoint(x1 + 7, rect.top()), rect.bottomRight());
        QCOMPARE(Count(image, QRect(QPoint(x1, rect.top()), QPoint(x1 + 6, rect.bottom())), s_colorCanvas, true), 0);
        QVERIFY(Count(image, rectText, s_colorCanvas, true) > 0);
        QVERIFY(InkLeft(image, rectText, s_colorCanvas) <= rectText.left() + 3);
    }

    // Cells that show text 14 pixels in and nothing else: progress records
    // without a bar, and packet counts, red from one error in a million.
    void textCells_data()
    {
        QTest::addColumn<STextCase>("c");
        const QVariant none;
        QTest::newRow("progress, no record") << STextCase { true, 6, none, none, false };
        QTest::newRow("progress, not a record") << STextCase { true, 6, none, "garbage", false };
        QTest::newRow("progress, state 0") << STextCase { true, 6, none, QVariant::fromValue(SRowProgressInfo { 0, 80, "N/A" }), false };
        QTest::newRow("progress, state 1") << STextCase { true, 6, none, QVariant::fromValue(SRowProgressInfo { 1, 80, "Waiting" }), false };
        QTest::newRow("1 / 1000000 normal") << STextCase { true, 5, 1.1, 7, false };
        QTest::newRow("1 / 999999 red") << STextCase { true, 5, 1.999999, 6, true };
        QTest::newRow("0 / 5 normal") << STextCase { true, 5, 0.5, 1, false };
        QTest::newRow("no data, 0 / 0 normal") << STextCase { true, 5, 0.0, 0, false };
        QTest::newRow("5000 / 10 red") << STextCase { true, 5, 5000.10, 2, true };
        QTest::newRow("3 / 1500 red") << STextCase { true, 5, 3.15, 4, true };
        QTest::newRow("no Port column, 4 is packets") << STextCase { false, 4, 5000.10, 2, true };
        QTest::newRow("with Port column, 4 is Firmware") << STextCase { true, 4, 5000.10, 2, false };
    }

    void textCells()
    {
        QFETCH(STextCase, c);
        const QRect rect(10, 4, 220, 36);
        QMap<int, QVariant> mapData;
        if (c.varKey.isValid())
            mapData[ReceiverRole::SortKey] = c.varKey;
        if (c.varExtra.isValid())
            mapData[ReceiverRole::Extra] = c.varExtra;
        const QImage image = PaintCell(c.bShowPort, c.nColumn, mapData, rect);

        QCOMPARE(Count(image, image.rect(), s_colorSection, false, 3), 0);
        const int nRed = Count(image, rect, s_colorPacketError, false, 30);
        QVERIFY2(c.bRed ? nRed >= 3 : nRed == 0, qPrintable(QString::number(nRed)));
        // The text starts 14 pixels in and ends within its 140-pixel box; a
        // cell of another column shows nothing.
        const int nLeft = InkLeft(image, rect, s_colorCanvas);
        if (c.nColumn == 4 && c.bShowPort) {
            QCOMPARE(nLeft, -1);
            return;
        }
        QVERIFY2(nLeft >= rect.left() + 14 && nLeft <= rect.left() + 17, qPrintable(QString::number(nLeft)));
        QCOMPARE(Count(image, QRect(QPoint(rect.left() + 154, 0), QPoint(image.width() - 1, image.height() - 1)), s_colorCanvas, true), 0);
    }

    void firstColumn_data()
    {
        QTest::addColumn<SFirstCase>("c");
        QTest::newRow("flag, no check state") << SFirstCase { true, QVariant(), true };
        QTest::newRow("flag, checked") << SFirstCase { true, int(Qt::Checked), false };
        QTest::newRow("flag, unchecked") << SFirstCase { true, int(Qt::Unchecked), false };
        QTest::newRow("no flag, no check state") << SFirstCase { false, QVariant(), false };
        QTest::newRow("flag absent") << SFirstCase { QVariant(), QVariant(), false };
    }

    void firstColumn()
    {
        QFETCH(SFirstCase, c);
        const bool disabledBox = c.bDisabledBox;
        const QRect rect(10, 4, 120, 36);
        const QImage image = PaintCell(true, 0, { { Qt::DisplayRole, "88" }, { ReceiverRole::Extra, c.varFlag }, { Qt::CheckStateRole, c.varCheck } }, rect);

        // The 22 pixels the content moves away from hold the disabled box or nothing.
        QImage imageExpected(image.size(), QImage::Format_RGB32);
        imageExpected.fill(s_colorCanvas);
        if (disabledBox) {
            QPainter painter(&imageExpected);
            painter.setRenderHint(QPainter::Antialiasing);
            QSvgRenderer(QStringLiteral(":/image/control/checkBox/checkDisable.svg")).render(&painter, QRectF(rect.left() + 16, rect.top() + 10, 16, 16));
        }
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < rect.left() + 22; ++x)
                VERIFY_PIXEL(image, x, y, imageExpected.pixelColor(x, y), 16);
        if (disabledBox)
            QVERIFY(Count(image, QRect(rect.left() + 16, rect.top() + 10, 6, 16), s_colorCanvas, true) > 0);
        // The moved content (text, and the base check box when there is a check state).
        QVERIFY(Count(image, QRect(QPoint(rect.left() + 22, rect.top()), rect.bottomRight()), s_colorCanvas, true) > 0);
    }

    void rowBackground_data()
    {
        QTest::addColumn<SRowCase>("c");
        const QColor colorChecked(0x38, 0x3B, 0x42), colorHover(0x26, 0x28, 0x2C), colorOdd(0x13, 0x14, 0x16);
        const QVariant varChecked(int(Qt::Checked)), varUnchecked(int(Qt::Unchecked)), none;
        QTest::newRow("even") << SRowCase { 2, false, none, false, false, s_colorBase };
        QTest::newRow("odd") << SRowCase { 3, false, none, false, false, colorOdd };
        QTest::newRow("checked even") << SRowCase { 2, true, varChecked, false, false, colorChecked };
        QTest::newRow("checked beats hover") << SRowCase { 3, true, varChecked, false, true, colorChecked };
        QTest::newRow("unchecked box even") << SRowCase { 2, true, varUnchecked, false, false, s_colorBase };
        QTest::newRow("marked, no check state") << SRowCase { 4, true, none, true, false, colorChecked };
        QTest::newRow("marked, not checkable") << SRowCase { 4, false, none, true, false, s_colorBase };
        QTest::newRow("checked, not checkable") << SRowCase { 5, false, varChecked, false, false, colorOdd };
        QTest::newRow("hovered even") << SRowCase { 2, false, none, false, true, colorHover };
        QTest::newRow("hovered odd") << SRowCase { 5, false, none, false, true, colorHover };
    }

    void rowBackground()
    {
        QFETCH(SRowCase, c);
        SPaintRig rig(1, 8, QSize(1700, 400));
        QVERIFY(rig.bShown);
        // Far right of the Progress cell of an N/A row: no text, no rounded corner.
        const QPoint pos(rig.Section(6).left() + 200, c.nRow * 36 + 18);
        if (c.bHovered) {
            CRig::Move(rig.View()->viewport(), pos);
            QCOMPARE(rig.View()->GetHoverRow(), rig.SourceRow(c.nRow));
        }
        const CCell pFirst = rig.First(c.nRow);
        pFirst->setCheckable(c.bCheckable);
        pFirst->setData(c.varCheck, Qt::CheckStateRole);
        if (c.bMarked)
            pFirst->setData(true, ReceiverRole::UpgradeMark);
        QCoreApplication::processEvents();

        const QImage image = rig.View()->viewport()->grab().toImage();
        QVERIFY2(Near(image.pixel(pos), c.color, 1), qPrintable(PixelText(image, pos.x(), pos.y())));
    }

    // Keyboard focus makes the first row the tree's current row; without a
    // style sheet the platform style would paint its focus and current-row
    // look over the row's own background.
    void rowBackgroundWithFocus()
    {
        SPaintRig rig(1, 8, QSize(1700, 400));
        QVERIFY(rig.bShown);
        // On a real display the window is activated after the first refresh,
        // when the rows already exist.
        rig.View()->clearFocus();
        rig.View()->activateWindow();
        rig.View()->setFocus(Qt::ActiveWindowFocusReason);
        QVERIFY(QTest::qWaitForWindowActive(rig.View()));
        QTRY_VERIFY(rig.View()->hasFocus());
        QCoreApplication::processEvents();
        const QImage image = rig.View()->viewport()->grab().toImage();
        QVERIFY(rig.View()->currentIndex().isValid());
        const QColor colorOdd(0x13, 0x14, 0x16);
        // Inside the Progress cells (no text) and between the texts of others,
        // away from the rounded corners.
        for (const int nRow : { 0, 1 }) {
            for (const int x : { rig.Section(0).right() - 4, rig.Section(6).left() + 200, rig.Section(11).right() - 4 }) {
                const int y = nRow * 36 + (x % 2 == 0 ? 2 : 33);
                QVERIFY2(Near(image.pixel(x, y), nRow == 0 ? s_colorBase : colorOdd, 1), qPrintable(PixelText(image, x, y)));
            }
        }
    }

    void overlayScrollBars_data()
    {
        QTest::addColumn<SBarsCase>("c");
        QTest::newRow("many rows, wide view") << SBarsCase { 24, { 1700, 400 }, false, true };
        QTest::newRow("many rows, narrow view") << SBarsCase { 24, { 600, 400 }, true, true };
        QTest::newRow("few rows, narrow view") << SBarsCase { 1, { 600, 400 }, true, false };
        QTest::newRow("9 pixels wide") << SBarsCase { 24, { 9, 400 }, false, false };
        QTest::newRow("9 pixels high") << SBarsCase { 24, { 600, 9 }, false, false };
    }

    void overlayScrollBars()
    {
        QFETCH(SBarsCase, c);
        const bool horizontal = c.bHorizontal, vertical = c.bVertical;
        // Start large enough for both bars, so hiding is a change the resize makes.
        SPaintRig rig(4, c.nPerPort, QSize(600, 400));
        QVERIFY(rig.bShown);
        CReceiverListView* pView = rig.View();
        pView->resize(c.size);
        QCoreApplication::processEvents();

        CScrollBar* pH = pView->GetHScrollBar();
        CScrollBar* pV = pView->GetVScrollBar();
        QCOMPARE(pH->isVisible(), horizontal);
        QCOMPARE(pV->isVisible(), vertical);
        const int W = pView->width(), H = pView->height(), hh = pH->height(), vw = pV->width(), hd = rig.Header()->height();
        QCOMPARE(hd, 36);
        if (horizontal)
            QCOMPARE(pH->geometry(), QRect(0, H - hh - 1, vertical ? W - hh - 1 : W - 1, hh));
        if (vertical)
            QCOMPARE(pV->geometry(), QRect(W - vw - 1, hd + 1, vw, horizontal ? H - hd - vw - 1 : H - hd - 1));
    }
};

QTEST_MAIN(TestPainting)
#include "tst_painting.moc"
