#include "SDemoOptions.h"

#include <QCommandLineParser>
#include <QCoreApplication>

#include <cstdio>

namespace
{
void PrintError(const QString& strText)
{
    std::fprintf(stderr, "%s\n", qPrintable(strText));
}
}

bool CDemoCommandLine::ReadNumber(const QCommandLineParser& parser, const QCommandLineOption& option, qint64 nMin,
                                  qint64 nMax, qint64* pValue)
{
    if (!parser.isSet(option))
        return true;
    const QString strValue = parser.value(option);
    bool bOk = false;
    const qint64 nValue = strValue.toLongLong(&bOk);
    if (!bOk || nValue < nMin || nValue > nMax) {
        PrintError(tr("Invalid value \"%1\" for --%2: expected a whole number from %3 to %4.")
                       .arg(strValue, option.names().constFirst())
                       .arg(nMin)
                       .arg(nMax));
        return false;
    }
    *pValue = nValue;
    return true;
}

QString CDemoCommandLine::PeekLanguage(const QStringList& listArguments)
{
    for (int i = 1; i < listArguments.size(); ++i) {
        const QString& strArgument = listArguments.at(i);
        if ((strArgument == QLatin1String("--lang") || strArgument == QLatin1String("-lang")) && i + 1 < listArguments.size())
            return listArguments.at(i + 1);
        for (const char* szPrefix : { "--lang=", "-lang=" }) {
            if (strArgument.startsWith(QLatin1String(szPrefix)))
                return strArgument.mid(int(qstrlen(szPrefix)));
        }
    }
    return QString();
}

bool CDemoCommandLine::Parse(const QStringList& listArguments, SDemoOptions* pOptions)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(tr("Receiver card view on a simulated LED wall."));
    parser.addHelpOption();
    parser.addVersionOption();

    const SDemoOptions defaults;
    const QCommandLineOption optPorts(QStringLiteral("ports"),
        tr("Number of output ports (default %1).").arg(defaults.wall.nPortCount), tr("count"));
    const QCommandLineOption optReceivers(QStringLiteral("receivers-per-port"),
        tr("Receiver cards on each port (default %1).").arg(defaults.wall.nReceiversPerPort), tr("count"));
    const QCommandLineOption optSeed(QStringLiteral("seed"),
        tr("Seed of the simulated wall; equal seeds give equal walls (default %1).").arg(defaults.wall.nSeed), tr("number"));
    const QCommandLineOption optPortHidden(QStringLiteral("port-hidden"), tr("Start with the Port column hidden."));
    const QCommandLineOption optFahrenheit(QStringLiteral("fahrenheit"), tr("Show temperatures in degrees Fahrenheit."));
    const QCommandLineOption optLang(QStringLiteral("lang"), tr("User interface language: en or zh_CN."), tr("language"),
                                     defaults.strLanguage);
    const QCommandLineOption optScreenshot(QStringLiteral("screenshot"),
        tr("Render the main window into this PNG file and exit."), tr("file"));
    const QCommandLineOption optLayoutFile(QStringLiteral("layout-file"),
        tr("Keep the table's layout in this file instead of the user's settings."), tr("file"));
    const QCommandLineOption optUpgradeDemo(QStringLiteral("upgrade-demo"),
        tr("Start a scripted upgrade run with succeeding and failing cards."));
    const QCommandLineOption optLogEvents(QStringLiteral("log-events"),
        tr("Print every signal the host receives to standard output."));
    const QCommandLineOption optE2E(QStringLiteral("e2e"),
        tr("Place the window at 0,0 with a fixed size and log every signal, for the end-to-end runs."));
    const QCommandLineOption optQuitAfter(QStringLiteral("quit-after"), tr("Quit after this many milliseconds."),
                                          tr("milliseconds"));
    const QCommandLineOption optSoak(QStringLiteral("soak"),
        tr("Soak run: plug and unplug cards, detect, upgrade, select, refresh and switch languages, one step every "
           "this many milliseconds, on the live wall."), tr("milliseconds"));
    for (const QCommandLineOption* pOption : { &optPorts, &optReceivers, &optSeed, &optPortHidden, &optFahrenheit, &optLang,
                                              &optScreenshot, &optUpgradeDemo, &optLogEvents, &optE2E, &optQuitAfter,
                                              &optSoak, &optLayoutFile })
        parser.addOption(*pOption);

    // process() prints and exits for --help, --version and unknown options.
    parser.process(listArguments);
    if (!parser.positionalArguments().isEmpty()) {
        PrintError(tr("Unexpected argument: %1").arg(parser.positionalArguments().constFirst()));
        return false;
    }

    qint64 nPorts = defaults.wall.nPortCount;
    qint64 nReceivers = defaults.wall.nReceiversPerPort;
    qint64 nSeed = defaults.wall.nSeed;
    qint64 nQuitAfter = -1;
    qint64 nSoak = 0;
    if (!ReadNumber(parser, optPorts, 1, 64, &nPorts) || !ReadNumber(parser, optReceivers, 0, 512, &nReceivers)
        || !ReadNumber(parser, optSeed, 0, 0xFFFFFFFFLL, &nSeed)
        || !ReadNumber(parser, optQuitAfter, 0, 86400000, &nQuitAfter) || !ReadNumber(parser, optSoak, 50, 600000, &nSoak))
        return false;

    const QString strLanguage = parser.value(optLang);
    if (strLanguage != QLatin1String("en") && strLanguage != QLatin1String("zh_CN")) {
        PrintError(tr("Unknown language \"%1\": use en or zh_CN.").arg(strLanguage));
        return false;
    }

    pOptions->wall.nPortCount = int(nPorts);
    pOptions->wall.nReceiversPerPort = int(nReceivers);
    pOptions->wall.nSeed = quint32(nSeed);
    pOptions->wall.bPortHidden = parser.isSet(optPortHidden);
    pOptions->wall.bFahrenheit = parser.isSet(optFahrenheit);
    pOptions->strLanguage = strLanguage;
    pOptions->strScreenshot = parser.value(optScreenshot);
    pOptions->strLayoutFile = parser.value(optLayoutFile);
    pOptions->bUpgradeDemo = parser.isSet(optUpgradeDemo);
    pOptions->bLogEvents = parser.isSet(optLogEvents);
    pOptions->bE2E = parser.isSet(optE2E);
    pOptions->nQuitAfterMs = int(nQuitAfter);
    pOptions->nSoakIntervalMs = int(nSoak);
    return true;
}

QString CDemoCommandLine::NoDisplayText()
{
    return tr("No display to open a window on. Set DISPLAY, run the demo under xvfb-run, start it with "
              "scripts/demo.sh (which serves a virtual screen), or set QT_QPA_PLATFORM=offscreen.");
}
