// CMView demo host: the receiver view on a simulated LED wall.
//
//   cmview_demo [--ports N] [--receivers-per-port N] [--seed N] [--port-hidden]
//               [--fahrenheit] [--lang en|zh_CN] [--upgrade-demo] [--log-events]
//               [--screenshot FILE.png] [--e2e] [--quit-after MS] [--soak MS]
//
// --screenshot renders the window (offscreen works: QT_QPA_PLATFORM=offscreen),
// writes the PNG and exits with 0, or 1 when the file cannot be written.

#include "CDemoLanguage.h"
#include "CDemoMainWindow.h"
#include "CDemoSoak.h"
#include "SDemoOptions.h"

#include <QApplication>
#include <QCoreApplication>
#include <QFile>
#include <QFont>
#include <QTimer>

#include <cstdio>

namespace
{
// Small additions for what the library's style sheet leaves to the host: its
// own chrome (menu bar, dock, status figures) and the rows' check boxes, drawn
// with the same icons as the header's.
const char* const s_szHostStyle = R"(
QMenuBar { background-color: #2F3237; color: #E3E5E8; font-size: 13px; }
QMenu { font-size: 13px; }
QMenuBar::item { background: transparent; padding: 4px 10px; }
QMenuBar::item:selected { background-color: #383B42; }
QMenu::indicator { width: 12px; height: 12px; }
QToolBar QToolButton { color: #E3E5E8; padding: 4px 8px; font-size: 13px; }
QToolBar QToolButton:disabled { color: #6C7179; }
QStatusBar { font-size: 13px; }
QStatusBar QLabel { background: transparent; color: #B4B9C1; padding: 0px 10px; font-size: 13px; }
QDockWidget { color: #E3E5E8; }
QDockWidget::title { background-color: #2F3237; padding: 6px 8px; text-align: left; }
CReceiverListView::indicator { width: 16px; height: 16px; }
CReceiverListView::indicator:checked { image: url(:/image/control/checkBox/down.svg); }
CReceiverListView::indicator:unchecked { image: url(:/image/control/checkBox/normal.svg); }
CReceiverListView::indicator:indeterminate { image: url(:/image/control/checkBox/indeterminate.svg); }
#DiagnosticsPanel { background-color: #22242A; }
#DiagnosticsPanel QLabel { background: transparent; }
#DiagnosticsPanel QLabel#DiagName { color: #B4B9C1; }
#DiagnosticsPanel QLabel#DiagValue { color: #E3E5E8; }
)";

QString LoadStyleSheet()
{
    QFile file(QStringLiteral(":/style/cmview_dark.qss"));
    QString strStyle;
    if (file.open(QIODevice::ReadOnly | QIODevice::Text))
        strStyle = QString::fromUtf8(file.readAll());
    else
        std::fprintf(stderr, "cmview_demo: style sheet :/style/cmview_dark.qss not found\n");
    return strStyle + QString::fromLatin1(s_szHostStyle);
}

// Whether a window system can be reached: Qt would otherwise abort with a
// plugin message that does not say what to do.
bool HasWindowSystem(int argc, char* argv[])
{
    for (int i = 1; i < argc; ++i) {
        if (qstrcmp(argv[i], "-platform") == 0 || qstrcmp(argv[i], "--platform") == 0)
            return true;
    }
    for (const char* szName : { "QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY" }) {
        if (!qEnvironmentVariableIsEmpty(szName))
            return true;
    }
    return false;
}

// Reads the command line under a plain core application, which needs no
// display: --help, --version and a wrong option then work on any machine,
// and the window system is only reached once the options are known good.
// Returns -1 to go on, or the exit code.
int ReadOptions(int argc, char* argv[], SDemoOptions* pOptions)
{
    QCoreApplication core(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("cmview_demo"));
    QCoreApplication::setApplicationVersion(QStringLiteral(CMVIEW_DEMO_VERSION));

    // The catalogue goes in before the parse so that --help is translated too.
    CDemoLanguage language;
    const QString strPeeked = CDemoCommandLine::PeekLanguage(QCoreApplication::arguments());
    if (strPeeked == QLatin1String("zh_CN"))
        language.Apply(strPeeked);
    if (!CDemoCommandLine::Parse(QCoreApplication::arguments(), pOptions))
        return 2;
    if (!HasWindowSystem(argc, argv)) {
        // A screenshot needs no screen at all.
        if (!pOptions->strScreenshot.isEmpty()) {
            qputenv("QT_QPA_PLATFORM", "offscreen");
        } else {
            std::fprintf(stderr, "cmview_demo: %s\n", qPrintable(CDemoCommandLine::NoDisplayText()));
            return 1;
        }
    }
    return -1;
}
}

int main(int argc, char* argv[])
{
    SDemoOptions options;
    const int nOptionsExit = ReadOptions(argc, argv, &options);
    if (nOptionsExit >= 0)
        return nOptionsExit;
    if (options.bE2E)
        options.bLogEvents = true;

#if QT_VERSION < QT_VERSION_CHECK(6, 0, 0)
    // Qt 6 always scales for the screen; Qt 5 only when asked.
    QApplication::setAttribute(Qt::AA_EnableHighDpiScaling);
#endif
    // Whole-number factors on both, as Qt 5 rounds by default: Qt 6 would pass
    // 1.25 or 1.5 through and the table's 1 px lines would land between pixels.
    QGuiApplication::setHighDpiScaleFactorRoundingPolicy(Qt::HighDpiScaleFactorRoundingPolicy::Round);
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("cmview_demo"));
    QApplication::setApplicationVersion(QStringLiteral(CMVIEW_DEMO_VERSION));

    CDemoLanguage language;
    if (!language.Apply(options.strLanguage))
        std::fprintf(stderr, "cmview_demo: no catalogue for %s; searched %s\n", qPrintable(options.strLanguage),
                     qPrintable(CDemoLanguage::SearchDirs().join(QStringLiteral(", "))));

    // The table paints its header, packet counts and bars at 12 px; its other
    // cells take the application font, so that goes to the same size instead
    // of the platform's larger default. The host's own chrome is set apart in
    // the style sheet.
    QFont font = QApplication::font();
    font.setPixelSize(12);
    QApplication::setFont(font);
    app.setStyleSheet(LoadStyleSheet());

    CDemoMainWindow window(options, &language);
    window.show();

    if (!options.strScreenshot.isEmpty()) {
        if (options.bUpgradeDemo)
            window.RunScriptedUpgrade();
        // Let layouts, polish and the first paints settle before grabbing.
        for (int i = 0; i < 5; ++i)
            QApplication::processEvents();
        if (!window.SaveScreenshot(options.strScreenshot)) {
            std::fprintf(stderr, "cmview_demo: cannot write %s\n", qPrintable(options.strScreenshot));
            return 1;
        }
        return 0;
    }

    if (options.bUpgradeDemo)
        window.RunScriptedUpgrade();
    if (options.nSoakIntervalMs > 0)
        new CDemoSoak(&window, window.MainView(), options.nSoakIntervalMs);
    if (options.nQuitAfterMs >= 0)
        QTimer::singleShot(options.nQuitAfterMs, &window, &QWidget::close);
    return app.exec();
}
