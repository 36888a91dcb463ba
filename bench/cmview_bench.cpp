// Times the view's operations on a shown CCMMainView (offscreen) at several wall
// sizes, next to plain-Qt peers of the same size measured in the same run.
//
//   cmview_bench [--sizes 10000,50000,100000] [--runs 5] [--only TEXT[,TEXT...]] [--cpu-time]
//
// --only times just the operations whose names contain one of the TEXTs, in
// their usual order, without the peers
// (for a profiler: many runs of one operation without the rest around it).
// --cpu-time times the bench thread's CPU time rather than the time passed.
// Prints one line per operation and size: the median time, the peer it is
// compared with and the ratio, then the growth from the first to the last size.

#include "CCMMainView.h"
#include "CPortSelectWidget.h"
#include "CColumnMap.h"
#include "CReceiverListHeader.h"
#include "CReceiverListView.h"
#include "CSimWall.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QAbstractTableModel>
#include <QHeaderView>
#include <QPushButton>
#include <QScrollBar>
#include <QSortFilterProxyModel>
#include <QStandardItemModel>
#include <QTest>
#include <QTextStream>
#include <QTreeView>

#include <algorithm>
#include <array>
#include <cstdio>
#include <ctime>
#include <functional>
#include <map>
#include <vector>

namespace
{
struct SResult
{
    QString strName;
    QString strPeer;
    double dMs = 0.0;
};

double Median(std::vector<double> vec)
{
    std::sort(vec.begin(), vec.end());
    return vec.empty() ? 0.0 : vec[vec.size() / 2];
}

// With --cpu-time the thread's CPU time is measured instead of the time
// that passes: on a machine shared with other work the figures then leave
// out the time the bench waited for a core.
bool s_bCpuTime = false;

double NowMs()
{
#ifdef CLOCK_THREAD_CPUTIME_ID
    if (s_bCpuTime) {
        timespec ts {};
        clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
        return double(ts.tv_sec) * 1e3 + double(ts.tv_nsec) / 1e6;
    }
#endif
    static QElapsedTimer s_timer;
    if (!s_timer.isValid())
        s_timer.start();
    return double(s_timer.nsecsElapsed()) / 1e6;
}

// Runs fnPrepare (untimed) then fnTimed, nRuns times after one warm-up run;
// returns the median in ms. The warm-up takes the first touch of fresh heap
// pages out of the figures.
double Measure(int nRuns, const std::function<void()>& fnPrepare, const std::function<void()>& fnTimed)
{
    if (fnPrepare)
        fnPrepare();
    fnTimed();
    QCoreApplication::processEvents();
    std::vector<double> vec;
    for (int i = 0; i < nRuns; ++i) {
        if (fnPrepare)
            fnPrepare();
        const double dStart = NowMs();
        fnTimed();
        vec.push_back(NowMs() - dStart);
        QCoreApplication::processEvents();
    }
    return Median(vec);
}

long PeakRssKb()
{
    QFile file(QStringLiteral("/proc/self/status"));
    if (!file.open(QIODevice::ReadOnly))
        return -1;
    const QList<QByteArray> lines = file.readAll().split('\n');
    for (const QByteArray& line : lines) {
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').value(0).toLong();
    }
    return -1;
}

QPoint SectionCentre(QHeaderView* pHeader, int nSection)
{
    return QPoint(pHeader->sectionViewportPosition(nSection) + pHeader->sectionSize(nSection) / 2 + 20, pHeader->height() / 2);
}

// A plain table model over a vector of records, reset at once with new ones.
class CPeerTableModel : public QAbstractTableModel
{
public:
    using Record = std::array<QString, 12>;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override { return parent.isValid() ? 0 : int(m_vecRecords.size()); }
    int columnCount(const QModelIndex& parent = QModelIndex()) const override { return parent.isValid() ? 0 : 12; }
    QVariant data(const QModelIndex& index, int role) const override
    {
        if (role == Qt::DisplayRole || role == Qt::UserRole)
            return m_vecRecords[size_t(index.row())][size_t(index.column())];
        return role == Qt::SizeHintRole ? QVariant(QSize(0, 36)) : QVariant();
    }
    void Reset(std::vector<Record>&& vecRecords)
    {
        beginResetModel();
        m_vecRecords = std::move(vecRecords);
        endResetModel();
    }

private:
    std::vector<Record> m_vecRecords;
};

// A peer's model behind a sort proxy in a shown tree view, set up as the view's.
void ShowPeer(QAbstractItemModel* pModel, QSortFilterProxyModel* pProxy, QTreeView* pView)
{
    pProxy->setSortRole(Qt::UserRole);
    pProxy->setSourceModel(pModel);
    pView->setUniformRowHeights(true);
    pView->setRootIsDecorated(false);
    pView->setModel(pProxy);
    pView->resize(1400, 800);
    pView->show();
    QCoreApplication::processEvents();
}

// The table model peer: records built and handed over in one reset, behind a
// sort proxy in a shown tree view.
void MeasureTablePeer(int nRows, int nRuns, std::map<QString, double>& mapPeer)
{
    CPeerTableModel model;
    QSortFilterProxyModel proxy;
    QTreeView view;
    ShowPeer(&model, &proxy, &view);
    int nRound = 0;
    mapPeer[QStringLiteral("table build")] = Measure(nRuns, nullptr, [&]() {
        ++nRound;
        std::vector<CPeerTableModel::Record> vecRecords;
        vecRecords.resize(size_t(nRows));
        for (int r = 0; r < nRows; ++r)
            for (int c = 0; c < 12; ++c)
                vecRecords[size_t(r)][size_t(c)] = QString::number((r * 7919 + c + nRound) % 100003);
        model.Reset(std::move(vecRecords));
    });
    int nOrder = 0;
    mapPeer[QStringLiteral("table sort")] = Measure(nRuns, nullptr, [&]() {
        proxy.sort(3, (nOrder++ % 2) ? Qt::DescendingOrder : Qt::AscendingOrder);
    });
}

// Plain Qt of the same shape: 12 text columns behind a sort proxy in a shown tree view.
std::map<QString, double> MeasurePeers(int nRows, int nRuns)
{
    std::map<QString, double> mapPeer;
    QStandardItemModel model;
    QSortFilterProxyModel proxy;
    QTreeView view;
    ShowPeer(&model, &proxy, &view);

    auto build = [&]() {
        proxy.setSourceModel(nullptr);
        model.clear();
        model.setColumnCount(12);
        for (int r = 0; r < nRows; ++r) {
            QList<QStandardItem*> list;
            for (int c = 0; c < 12; ++c) {
                auto* pItem = new QStandardItem(QString::number((r * 7919 + c) % 100003));
                pItem->setData(pItem->text(), Qt::UserRole);
                pItem->setData(QSize(0, 36), Qt::SizeHintRole);
                list << pItem;
            }
            model.appendRow(list);
        }
        proxy.setSourceModel(&model);
    };
    mapPeer[QStringLiteral("build")] = Measure(nRuns, nullptr, build);
    int nRound = 0;
    mapPeer[QStringLiteral("rewrite")] = Measure(nRuns, nullptr, [&]() {
        ++nRound;
        model.blockSignals(true);
        for (int r = 0; r < nRows; ++r) {
            for (int c = 0; c < 12; ++c) {
                const QString str = QString::number((r * 31 + c + nRound) % 100003);
                QStandardItem* pItem = model.item(r, c);
                pItem->setData(str, Qt::DisplayRole);
                pItem->setData(str, Qt::UserRole);
            }
        }
        model.blockSignals(false);
        emit model.dataChanged(model.index(0, 0), model.index(nRows - 1, 11));
    });
    int nOrder = 0;
    mapPeer[QStringLiteral("sort")] = Measure(nRuns, nullptr, [&]() {
        proxy.sort(3, (nOrder++ % 2) ? Qt::DescendingOrder : Qt::AscendingOrder);
    });
    proxy.sort(-1);
    // As a port filter on a wall of a hundred ports: 99 rows in 100 hidden,
    // then shown again.
    auto setHidden = [&](bool bHidden) {
        for (int r = 0; r < nRows; ++r) {
            if (r % 100 != 0)
                view.setRowHidden(r, QModelIndex(), bHidden);
        }
    };
    mapPeer[QStringLiteral("hide")] = Measure(nRuns, [&]() {
        setHidden(false);
        QCoreApplication::processEvents();
    }, [&]() { setHidden(true); });
    mapPeer[QStringLiteral("unhide")] = Measure(nRuns, [&]() {
        setHidden(true);
        QCoreApplication::processEvents();
    }, [&]() { setHidden(false); });
    mapPeer[QStringLiteral("paint")] = Measure(nRuns, nullptr, [&]() { view.viewport()->repaint(); });
    MeasureTablePeer(nRows, nRuns, mapPeer);
    return mapPeer;
}

using FnTask = std::function<void()>;
using FnRun = std::function<void(const char*, const char*, const FnTask&, const FnTask&)>;

// The status and text filters beside the port filter's figures, then the
// rewrites with limits set, which work out the limit states of every row.
void MeasureHealth(CCMMainView& view, CSimWall& wall, const FnRun& run)
{
    run("filter to a state", "hide", [&]() { view.SetStatusFilter(HealthNone); },
        [&]() { view.SetStatusFilter(HealthPacketErrors); });
    run("state filter back to all", "unhide", [&]() { view.SetStatusFilter(HealthPacketErrors); },
        [&]() { view.SetStatusFilter(HealthNone); });
    // Firmware text that a few cards in a hundred match.
    const QString strText = QStringLiteral("V5.1");
    run("filter to a text", "hide", [&]() { view.SetTextFilter(QString()); }, [&]() { view.SetTextFilter(strText); });
    run("text filter +1 letter", "", [&]() { view.SetTextFilter(strText.left(strText.size() - 1)); },
        [&]() { view.SetTextFilter(strText); });
    run("text filter cleared", "unhide", [&]() { view.SetTextFilter(strText); },
        [&]() { view.SetTextFilter(QString()); });
    view.SetTextFilter(QString());
    view.SetStatusFilter(HealthNone);

    // Each with limits right after the same without, on the same ticks, so
    // that the two lines compare within one run.
    SHealthLimits limits;
    limits.optTemperatureHigh = 50.0;
    limits.optVoltageLow = 4.9;
    limits.optVoltageHigh = 5.2;
    limits.optHumidityHigh = 60.0;
    const FnTask fnUpdate = [&]() { view.UpdateShow(); };
    const FnTask fnPackets = [&]() { view.GetReceiverListView()->UpdatePacketCount(); };
    run("UpdateShow w/o limits", "rewrite", [&]() { wall.Tick(); }, fnUpdate);
    view.SetHealthLimits(limits);
    run("UpdateShow with limits", "rewrite", [&]() { wall.Tick(); }, fnUpdate);
    view.SetHealthLimits(SHealthLimits());
    run("packet re-read w/o limits", "rewrite", [&]() { wall.Tick(); }, fnPackets);
    view.SetHealthLimits(limits);
    run("packet re-read w/ limits", "rewrite", [&]() { wall.Tick(); }, fnPackets);
    view.SetHealthLimits(SHealthLimits());
}

std::vector<SResult> MeasureView(int nReceivers, int nRuns, const QString& strOnly)
{
    const int nPorts = nReceivers >= 10000 ? 100 : 20;
    SSimWallConfig config;
    config.nPortCount = nPorts;
    config.nReceiversPerPort = nReceivers / nPorts;
    CSimWall wall(config);
    wall.Install();

    CCMMainView view;
    view.resize(1400, 800);
    view.show();
    QCoreApplication::processEvents();
    CReceiverListView* pList = view.GetReceiverListView();
    CReceiverListHeader* pHeader = pList->GetHeader();
    QWidget* pViewport = pList->viewport();
    std::vector<SResult> vec;
    auto run = [&](const char* szName, const char* szPeer, const std::function<void()>& fnPrepare,
                   const std::function<void()>& fnTimed) {
        const QString strName = QString::fromLatin1(szName);
        const QStringList listOnly = strOnly.split(QLatin1Char(','));
        if (std::none_of(listOnly.begin(), listOnly.end(), [&](const QString& str) { return strName.contains(str); }))
            return;
        vec.push_back({ strName, QString::fromLatin1(szPeer), Measure(nRuns, fnPrepare, fnTimed) });
    };

    // Filled once untimed, so that every operation (also alone under --only)
    // meets a full table.
    view.RefreshShow();
    QCoreApplication::processEvents();
    run("RefreshShow", "table build", nullptr, [&]() { view.RefreshShow(); });
    QCoreApplication::processEvents();
    run("UpdateShow", "rewrite", [&]() { wall.Tick(); }, [&]() { view.UpdateShow(); });
    run("ProgressBegin+Changed", "rewrite", [&]() {
        wall.StartUpgrade();
        wall.StepUpgrade();
    }, [&]() {
        view.ProgressBegin();
        view.ProgressChanged();
    });
    run("ProgressFinished", "table build", [&]() {
        wall.StartUpgrade();
        view.ProgressBegin();
        wall.QuitUpgrade();
    }, [&]() { view.ProgressFinished(); });
    wall.ClearUpgrade();
    view.RefreshShow();
    pViewport->repaint();
    pHeader->repaint();

    const CColumnMap& columns = pList->GetColumnMap();
    auto clickSection = [&](int nKey) { QTest::mouseClick(pHeader->viewport(), Qt::LeftButton, Qt::NoModifier, SectionCentre(pHeader, columns.ColumnOf(nKey))); };
    run("header click S/N", "table sort", nullptr, [&]() { clickSection(3); });
    run("header click Type", "table sort", nullptr, [&]() { clickSection(2); });
    run("header click Error/Total", "table sort", nullptr, [&]() { clickSection(5); });
    run("S/N after Type", "table sort", [&]() { clickSection(2); }, [&]() { clickSection(3); });
    run("SelectAll", "", [&]() { pList->SelectAll(false); }, [&]() { view.SelectAll(); });

    CPortSelectWidget* pPopup = pList->GetPortSelectWidget();
    pPopup->show();
    pPopup->hide();
    QPushButton* pPort = pPopup->GetPortButtons().value(1);
    run("filter to a port", "hide", [&]() { pPopup->GetAllButton()->click(); }, [&]() {
        if (pPort)
            pPort->click();
    });
    run("filter back to All", "unhide", [&]() {
        if (pPort)
            pPort->click();
    }, [&]() { pPopup->GetAllButton()->click(); });
    MeasureHealth(view, wall, run);

    pList->SelectAll(false);
    const QRect rect0 = pList->visualRect(pList->model()->index(0, 1));
    const QRect rect1 = pList->visualRect(pList->model()->index(1, 1));
    int nMove = 0;
    run("hover move", "paint", nullptr, [&]() {
        QTest::mouseMove(pViewport, (nMove++ % 2 ? rect0 : rect1).center());
    });
    run("Ctrl-click", "", nullptr, [&]() {
        QTest::mouseClick(pViewport, Qt::LeftButton, Qt::ControlModifier, rect1.center());
    });
    run("Shift range over all", "", [&]() {
        pList->scrollToTop();
        pList->SelectAll(false);
        QTest::mouseClick(pViewport, Qt::LeftButton, Qt::NoModifier, pList->visualRect(pList->model()->index(0, 1)).center());
        pList->scrollToBottom();
        QCoreApplication::processEvents();
    }, [&]() {
        const QModelIndex last = pList->model()->index(pList->model()->rowCount() - 1, 1);
        QTest::mouseClick(pViewport, Qt::LeftButton, Qt::ShiftModifier, pList->visualRect(last).center());
    });
    pList->scrollToTop();
    run("UpdatePacketCount", "rewrite", [&]() { wall.Tick(); }, [&]() { pList->UpdatePacketCount(); });
    run("viewport paint", "paint", nullptr, [&]() { pViewport->repaint(); });
    return vec;
}
}

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? QByteArray("offscreen") : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    QList<int> listSizes { 10000, 50000, 100000 };
    int nRuns = 5;
    QString strOnly;
    const QStringList args = app.arguments();
    s_bCpuTime = args.contains(QLatin1String("--cpu-time"));
    for (int i = 1; i + 1 < args.size(); ++i) {
        if (args[i] == QLatin1String("--sizes")) {
            listSizes.clear();
            for (const QString& str : args[i + 1].split(QLatin1Char(',')))
                listSizes << str.toInt();
        } else if (args[i] == QLatin1String("--runs")) {
            nRuns = qMax(1, args[i + 1].toInt());
        } else if (args[i] == QLatin1String("--only")) {
            strOnly = args[i + 1];
        }
    }

    QTextStream out(stdout);
    std::map<int, std::vector<SResult>> mapAll;
    for (const int nSize : qAsConst(listSizes)) {
        // The view goes first, so that the peak memory after it is the view's
        // own (and that of the smaller sizes before it).
        const std::vector<SResult> vec = MeasureView(nSize, nRuns, strOnly);
        const long nViewPeakKb = PeakRssKb();
        // A profile of --only runs sees the view alone.
        const std::map<QString, double> mapPeer = strOnly.isEmpty() ? MeasurePeers(nSize, nRuns) : std::map<QString, double>();
        mapAll[nSize] = vec;
        out << "\n== " << nSize << " receivers (median of " << nRuns << " runs; peak RSS after the view "
            << nViewPeakKb / 1024 << " MB, after the peers " << PeakRssKb() / 1024 << " MB) ==\n";
        out << QStringLiteral("%1 %2 %3 %4\n").arg(QStringLiteral("operation"), -26).arg(QStringLiteral("ms"), 10)
                   .arg(QStringLiteral("peer ms"), 16).arg(QStringLiteral("ratio"), 8);
        for (const auto& peer : mapPeer)
            out << QStringLiteral("%1 %2\n").arg(QStringLiteral("plain Qt ") + peer.first, -26).arg(peer.second, 10, 'f', 2);
        for (const SResult& result : vec) {
            const auto it = mapPeer.find(result.strPeer);
            const QString strPeer = it == mapPeer.end() ? QStringLiteral("-") : QStringLiteral("%1 %2").arg(result.strPeer).arg(it->second, 0, 'f', 2);
            const QString strRatio = it == mapPeer.end() || it->second <= 0 ? QStringLiteral("-") : QString::number(result.dMs / it->second, 'f', 2);
            out << QStringLiteral("%1 %2 %3 %4\n").arg(result.strName, -26).arg(result.dMs, 10, 'f', 2).arg(strPeer, 16).arg(strRatio, 8);
        }
        out.flush();
    }
    if (mapAll.size() >= 2) {
        // From the first size to the last.
        const auto itLast = std::prev(mapAll.end());
        const auto itPrev = mapAll.begin();
        out << "\n== growth " << itPrev->first << " -> " << itLast->first << " ==\n";
        for (size_t i = 0; i < itLast->second.size() && i < itPrev->second.size(); ++i) {
            const double dPrev = itPrev->second[i].dMs;
            out << QStringLiteral("%1 %2\n").arg(itLast->second[i].strName, -26)
                       .arg(dPrev > 0 ? QString::number(itLast->second[i].dMs / dPrev, 'f', 2) : QStringLiteral("-"), 10);
        }
    }
    return 0;
}
