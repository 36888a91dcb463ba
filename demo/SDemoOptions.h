#pragma once

#include "CSimWall.h"

#include <QCoreApplication>
#include <QString>
#include <QStringList>

// What the command line asks of the demo.
struct SDemoOptions
{
    SSimWallConfig wall { 6, 32, 40, false, false };
    QString strLanguage = QStringLiteral("en"); // "en" or "zh_CN"
    QString strScreenshot;                      // render offscreen into this PNG and exit
    QString strLayoutFile;                      // INI file keeping the view's layout; empty: the user's settings
    bool bUpgradeDemo = false;                  // start a scripted upgrade at start-up
    bool bLogEvents = false;                    // one stdout line per host signal
    bool bE2E = false;                          // fixed window place, print click targets
    int nQuitAfterMs = -1;                      // quit after this long; -1 never
    int nSoakIntervalMs = 0;                    // drive a soak run, one step per interval; 0 off
};

class QCommandLineParser;
class QCommandLineOption;

// The demo's command line. Not a QObject; the macro gives it tr() under its own
// translation context.
class CDemoCommandLine
{
    Q_DECLARE_TR_FUNCTIONS(CDemoCommandLine)

public:
    // Language named by "--lang" in the raw arguments, read before the real
    // parse so that the help text itself comes out translated. Empty if none.
    static QString PeekLanguage(const QStringList& listArguments);

    // On --help/--version prints and exits; on a bad value prints the reason
    // to stderr and returns false.
    static bool Parse(const QStringList& listArguments, SDemoOptions* pOptions);

    // What to do when there is no display to open the window on.
    static QString NoDisplayText();

private:
    // Reads a whole number within [nMin, nMax]; prints why not otherwise.
    static bool ReadNumber(const QCommandLineParser& parser, const QCommandLineOption& option, qint64 nMin,
                           qint64 nMax, qint64* pValue);
};
