// Times the wall map beside the table it follows, offscreen, and measures what
// it adds to the view's peak memory.
//
//   cmview_mapbench [--sizes 10000,100000] [--runs 5] [--memory 50000]
//
// Per size: a full repaint of the map (next to a repaint of the table's
// viewport), one of a map large enough to show every cell, and an UpdateShow() tick in which 1% of the cards cross the
// temperature limit, timed with the repaints it leaves pending, with the map
// bound and with no map at all; the area the tick repainted on the map against
// the area of the changed cards' cells. --memory N runs the view alone and the
// view with the map in two child processes at N cards and prints both peaks.

#include "CCMMainView.h"
#include "CReceiverListView.h"
#include "CSimWall.h"
#include "CWallMapView.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QPaintEvent>
#include <QProcess>
#include <QTextStream>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <memory>
#include <vector>

namespace
{
double Median(std::vector<double> vec)
{
    std::sort(vec.begin(), vec.end());
    return vec.empty() ? 0.0 : vec[vec.size() / 2];
}

// fnPrepare untimed, then fnTimed and the events it left (the repaints), nRuns
// times after one warm-up; the median in ms.
double Measure(int nRuns, const std::function<void()>& fnPrepare, const std::function<void()>& fnTimed)
{
    std::vector<double> vec;
    for (int i = 0; i <= nRuns; ++i) {
        if (fnPrepare)
            fnPrepare();
        QCoreApplication::processEvents();
        QElapsedTimer timer;
        timer.start();
        fnTimed();
        QCoreApplication::processEvents();
        if (i > 0)
            vec.push_back(double(timer.nsecsElapsed()) / 1e6);
    }
    return Median(vec);
}

long PeakRssKb()
{
    QFile file(QStringLiteral("/proc/self/status"));
    if (!file.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : file.readAll().split('\n')) {
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').value(0).toLong();
    }
    return -1;
}

// Adds up the area of every paint event of a widget.
class CPaintArea : public QObject
{
public:
    long long m_nPixels = 0;

protected:
    bool eventFilter(QObject* pObject, QEvent* e) override
    {
        if (e->type() == QEvent::Paint) {
            for (const QRect& rect : static_cast<QPaintEvent*>(e)->region())
                m_nPixels += qint64(rect.width()) * rect.height();
        }
        return QObject::eventFilter(pObject, e);
    }
};

struct SWall
{
    std::unique_ptr<CSimWall> pWall;
    std::unique_ptr<QWidget> pWindow;
    CCMMainView* pView = nullptr;
    CWallMapView* pMap = nullptr;
};

// A wall of 100 ports (20 below 10,000 cards), a shown view and, with bMap, a
// shown map of 1000 x 700 pixels bound to it; limits set.
SWall MakeWall(int nReceivers, bool bMap)
{
    SWall wall;
    const int nPorts = nReceivers >= 10000 ? 100 : 20;
    SSimWallConfig config;
    config.nPortCount = nPorts;
    config.nReceiversPerPort = nReceivers / nPorts;
    wall.pWall = std::make_unique<CSimWall>(config);
    wall.pWall->Install();
    wall.pWindow = std::make_unique<QWidget>();
    wall.pView = new CCMMainView(wall.pWindow.get());
    wall.pView->setGeometry(0, 0, 1400, 800);
    if (bMap) {
        wall.pMap = new CWallMapView(wall.pView, wall.pWindow.get());
        wall.pMap->setGeometry(1400, 0, 1000, 700);
    }
    wall.pWindow->resize(2400, 800);
    wall.pWindow->show();
    SHealthLimits limits;
    limits.optTemperatureHigh = 65.0;
    wall.pView->SetHealthLimits(limits);
    wall.pView->RefreshShow();
    QCoreApplication::processEvents();
    return wall;
}

// Every hundredth card crosses the temperature limit, or comes back under it.
void CrossLimit(CSimWall& wall, bool bHot)
{
    for (int i = 0; i < wall.ReceiverCount(); i += 100)
        wall.SetReadings(i, bHot ? 80.0 : 40.0, 40.0, 5.0);
}

void MeasureSize(int nReceivers, int nRuns, QTextStream& out)
{
    out << "\n== " << nReceivers << " receivers (median of " << nRuns << " runs)\n";
    SWall wall = MakeWall(nReceivers, true);
    const double dMap = Measure(nRuns, nullptr, [&]() { wall.pMap->viewport()->repaint(); });
    const double dTable = Measure(nRuns, nullptr, [&]() { wall.pView->GetReceiverListView()->viewport()->repaint(); });
    out << QStringLiteral("%1 %2 ms   (table viewport repaint %3 ms; cell %4 px, %5 x %6 cells)\n")
               .arg(QStringLiteral("map full repaint"), -34)
               .arg(dMap, 8, 'f', 2)
               .arg(dTable, 0, 'f', 2)
               .arg(wall.pMap->CellSize())
               .arg(wall.pMap->ColumnCount())
               .arg(wall.pMap->LineCount());

    // The map grown until every cell is on screen at the smallest size.
    wall.pMap->SetCellSize(CWallMapView::c_nMinCellSize);
    const QSize sizeBefore = wall.pMap->size();
    const QSize sizeWindow = wall.pWindow->size();
    wall.pMap->resize(wall.pMap->ColumnCount() * CWallMapView::c_nMinCellSize + 80,
                      wall.pMap->LineCount() * CWallMapView::c_nMinCellSize + 120);
    // A child paints only where its window is.
    wall.pWindow->resize(wall.pMap->geometry().right() + 1, qMax(sizeWindow.height(), wall.pMap->height()));
    QCoreApplication::processEvents();
    const double dWhole = Measure(nRuns, nullptr, [&]() { wall.pMap->viewport()->repaint(); });
    const QRect rectLast = wall.pMap->CellRectAt(wall.pMap->LineCount() - 1, wall.pMap->ColumnCount() - 1);
    out << QStringLiteral("%1 %2 ms   (%3 x %4 px; last cell %5)\n")
               .arg(QStringLiteral("map repaint, every cell on screen"), -34)
               .arg(dWhole, 8, 'f', 2)
               .arg(wall.pMap->viewport()->width())
               .arg(wall.pMap->viewport()->height())
               .arg(wall.pMap->viewport()->rect().contains(rectLast) ? QStringLiteral("shown") : QStringLiteral("NOT shown"));
    wall.pMap->resize(sizeBefore);
    wall.pWindow->resize(sizeWindow);
    wall.pMap->SetCellSize(0);
    QCoreApplication::processEvents();

    bool bHot = false;
    CPaintArea area;
    wall.pMap->viewport()->installEventFilter(&area);
    const auto tick = [&]() { wall.pView->UpdateShow(); };
    const auto flip = [&]() {
        bHot = !bHot;
        CrossLimit(*wall.pWall, bHot);
        area.m_nPixels = 0;
    };
    const double dWithMap = Measure(nRuns, flip, tick);
    const long long nPainted = area.m_nPixels;
    const long long nCellArea = qint64(wall.pMap->CellSize() + 4) * (wall.pMap->CellSize() + 4) * ((nReceivers + 99) / 100);
    wall.pMap->SetView(nullptr);
    const double dWithout = Measure(nRuns, flip, tick);
    out << QStringLiteral("%1 %2 ms   (without a map %3 ms: +%4 ms)\n")
               .arg(QStringLiteral("UpdateShow, 1% of cards change"), -34)
               .arg(dWithMap, 8, 'f', 2)
               .arg(dWithout, 0, 'f', 2)
               .arg(dWithMap - dWithout, 0, 'f', 2);
    out << QStringLiteral("%1 %2 px   (the changed cells with their frames: %3 px)\n")
               .arg(QStringLiteral("map area repainted by the tick"), -34)
               .arg(nPainted, 8)
               .arg(nCellArea);
    out.flush();
}

// One child's run: the view, and the map when asked, through refreshes and
// updates; prints the peak memory.
int MemoryChild(int nReceivers, bool bMap)
{
    SWall wall = MakeWall(nReceivers, bMap);
    for (int i = 0; i < 3; ++i) {
        wall.pWall->Tick();
        wall.pView->UpdateShow();
        wall.pView->RefreshShow();
        QCoreApplication::processEvents();
    }
    std::printf("%ld\n", PeakRssKb());
    return 0;
}

long ChildPeak(const QString& strProgram, int nReceivers, bool bMap)
{
    QProcess process;
    process.start(strProgram, { QStringLiteral("--memory-child"), QString::number(nReceivers), bMap ? QStringLiteral("map") : QStringLiteral("none") });
    process.waitForFinished(300000);
    return QString::fromLatin1(process.readAllStandardOutput()).trimmed().toLong();
}
}

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.value(1) == QLatin1String("--memory-child"))
        return MemoryChild(args.value(2).toInt(), args.value(3) == QLatin1String("map"));
    QList<int> listSizes = { 10000, 100000 };
    int nRuns = 5;
    int nMemory = 50000;
    for (int i = 1; i < args.size(); ++i) {
        if (args[i] == QLatin1String("--sizes") && i + 1 < args.size()) {
            listSizes.clear();
            for (const QString& str : args[++i].split(QLatin1Char(',')))
                listSizes << str.toInt();
        } else if (args[i] == QLatin1String("--runs") && i + 1 < args.size()) {
            nRuns = qMax(1, args[++i].toInt());
        } else if (args[i] == QLatin1String("--memory") && i + 1 < args.size()) {
            nMemory = args[++i].toInt();
        } else {
            std::fprintf(stderr, "usage: cmview_mapbench [--sizes N,...] [--runs N] [--memory N]\n");
            return 2;
        }
    }
    QTextStream out(stdout);
    for (int nSize : listSizes)
        MeasureSize(nSize, nRuns, out);
    if (nMemory > 0) {
        const long nAlone = ChildPeak(app.applicationFilePath(), nMemory, false);
        const long nWithMap = ChildPeak(app.applicationFilePath(), nMemory, true);
        out << QStringLiteral("\npeak RSS at %1 receivers: view %2 MB, view and map %3 MB (+%4%)\n")
                   .arg(nMemory)
                   .arg(nAlone / 1024)
                   .arg(nWithMap / 1024)
                   .arg(nAlone > 0 ? 100.0 * (nWithMap - nAlone) / nAlone : 0.0, 0, 'f', 1);
    }
    return 0;
}
