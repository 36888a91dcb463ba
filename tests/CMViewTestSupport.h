#pragma once
// Shared pieces of the widget suites: receiver builders, a simulated wall with a
// view over it, gestures that reach the widgets through their viewports as a
// pointer's do, and readers of the rows in view (proxy) order.

#include "CCMMainView.h"
#include "CReceiverListHeader.h"
#include "CReceiverListView.h"
#include "CReceiverTableModel.h"
#include "CSimWall.h"
#include "ReceiverHealth.h"
#include "SReceiverRowInfo.h"

#include <QAbstractItemModelTester>
#include <QCursor>
#include <QPaintEvent>
#include <QRegion>
#include <QSemaphore>
#include <QSortFilterProxyModel>
#include <QThreadPool>
#include <QtTest>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace cmtest
{
constexpr int c_nWaitMs = 30000;

inline SReceiverAddress Address(int nPort, int nPosition)
{
    SReceiverAddress address;
    static_cast<SPortAddress&>(address) = CSimWall::DefaultPortAddress(nPort);
    address.nPosition = nPosition;
    return address;
}

// An RV-908 card with every reading valid and no cabinet match; a null serial
// number becomes one derived from the address.
inline SReceiverInfo Receiver(int nPort, int nPosition, const QString& strSN = QString(), quint32 nErrors = 0,
                              quint32 nTotal = 100, int nMajor = 3)
{
    SReceiverInfo info;
    info.address = Address(nPort, nPosition);
    info.nTypeCode = 0x0908;
    info.strSerialNumber = strSN.isNull() ? "SN" + std::to_string(nPort * 100 + nPosition) : strSN.toStdString();
    info.nVersionMajor = nMajor;
    info.nVersionMinor = 7;
    info.nErrorPackets = nErrors;
    info.nTotalPackets = nTotal;
    info.bTemperatureValid = info.bHumidityValid = true;
    info.dTemperature = 30.0;
    info.dHumidity = 40.0;
    info.nUptime = 60000;
    info.mapSensor[3] = SSensorValue { 3, true, 5.0 };
    return info;
}

inline QList<SReceiverInfo> Receivers(const QList<QPair<int, int>>& listAddresses)
{
    QList<SReceiverInfo> list;
    for (const auto& pair : listAddresses)
        list << Receiver(pair.first, pair.second);
    return list;
}

inline QStringList Describe(const std::vector<SReceiverAddress>& vec)
{
    QStringList list;
    for (const SReceiverAddress& a : vec)
        list << QStringLiteral("%1/%2/%3/%4:%5").arg(a.nConnection).arg(a.nDevice).arg(a.nSenderCard).arg(a.nPort).arg(a.nPosition);
    return list;
}

// Exact upgrade answers per receiver, and every call in the order it came.
class CFakeUpgrade : public CUpgradeConfigControl
{
public:
    struct SAnswer { int nStage = 0; int nResult = 0; float fProgress = 0.0f; };
    bool QuitUpgrade() override { listCalls << "Quit"; return false; }
    float GetUpgradeProgress(const SReceiverAddress& a) override { listCalls << "Progress"; return mapAnswer[a].fProgress; }
    int GetUpgradeResult(const SReceiverAddress& a) override { listCalls << "Result"; return mapAnswer[a].nResult; }
    int GetUpgradeStage(const SReceiverAddress& a) override { listCalls << "Stage"; return mapAnswer[a].nStage; }
    void GetUpgradeReceivers(std::vector<SReceiverAddress>& vec) override { listCalls << "Receivers"; vec = vecMembers; }

    std::vector<SReceiverAddress> vecMembers;
    std::map<SReceiverAddress, SAnswer> mapAnswer;
    QStringList listCalls;
};

// Counts a signal as the GUI thread receives it: one emitted on a pool thread
// counts once its queued delivery has run, after the view's own handler.
class CSignalCounter : public QObject
{
public:
    template <typename TSender, typename TSignal>
    CSignalCounter(TSender* pSender, TSignal signal) { connect(pSender, signal, this, [this]() { ++nCount; }); }
    int nCount = 0;
};

// The regions a widget is asked to paint, from the moment it is installed:
// it sees the paint events before the widget's own handlers do.
class CPaintRecorder : public QObject
{
public:
    explicit CPaintRecorder(QWidget* pWidget) { pWidget->installEventFilter(this); }
    bool eventFilter(QObject*, QEvent* e) override
    {
        if (e->type() == QEvent::Paint) {
            region += static_cast<QPaintEvent*>(e)->region();
            ++nCount;
        }
        return false;
    }
    QRegion region;
    int nCount = 0;
};

// One cell of the view's table, read and written as a host reads and writes
// a cell: through the model's roles and flags.
class CCell
{
public:
    CCell(CReceiverTableModel* pModel, int nRow, int nColumn)
        : m_pModel(pModel)
        , m_index(pModel->index(nRow, nColumn))
    {
    }
    CCell(CReceiverTableModel* pModel, const QModelIndex& index)
        : m_pModel(pModel)
        , m_index(index)
    {
    }
    explicit operator bool() const { return m_index.isValid(); }
    const CCell* operator->() const { return this; }
    QModelIndex Index() const { return m_index; }
    QVariant data(int nRole) const { return m_index.data(nRole); }
    QString text() const { return data(Qt::DisplayRole).toString(); }
    Qt::CheckState checkState() const { return Qt::CheckState(data(Qt::CheckStateRole).toInt()); }
    bool isCheckable() const { return m_index.flags() & Qt::ItemIsUserCheckable; }
    void setData(const QVariant& value, int nRole) const { m_pModel->setData(m_index, value, nRole); }
    void setText(const QString& str) const { setData(str, Qt::DisplayRole); }
    void setCheckable(bool bCheckable) const { m_pModel->SetCheckable(m_index.row(), bCheckable); }

private:
    CReceiverTableModel* m_pModel;
    QModelIndex m_index;
};

inline CCell Cell(CReceiverTableModel* pModel, int nRow, int nColumn) { return CCell(pModel, nRow, nColumn); }

// The wall is installed before the view exists, as a host does it (the port
// popup reads the device at construction); a model tester watches the source
// model. The view goes first, after any held detection is let go and the pool
// is drained; the wall and its globals go last.
class CRig
{
public:
    using FnPrepare = std::function<void(CSimWall&)>;

    explicit CRig(const SSimWallConfig& config, const QList<SReceiverInfo>& listReceivers = {},
                  const FnPrepare& fnPrepare = {}, bool bBareList = false)
        : pWall(std::make_unique<CSimWall>(config))
    {
        if (!listReceivers.isEmpty())
            pWall->SetReceivers(listReceivers);
        if (fnPrepare)
            fnPrepare(*pWall);
        pWall->Install();
        if (bBareList) {
            m_pView = new CReceiverListView;
            pWidget.reset(m_pView);
        } else {
            m_pMain = new CCMMainView;
            pWidget.reset(m_pMain);
            m_pView = m_pMain->GetReceiverListView();
        }
        new QAbstractItemModelTester(Model(), QAbstractItemModelTester::FailureReportingMode::QtTest, Model());
    }
    ~CRig()
    {
        m_semGate.release(1000);
        QThreadPool::globalInstance()->waitForDone();
        DestroyView();
        if (g_pUpgradeConfigControl == pUpgrade.get())
            g_pUpgradeConfigControl = nullptr;
    }

    CCMMainView* Main() const { return m_pMain; }
    CReceiverListView* View() const { return m_pView; }
    CReceiverListHeader* Header() const { return m_pView->GetHeader(); }
    CReceiverTableModel* Model() const { return static_cast<CReceiverTableModel*>(m_pView->GetModel()); }
    QSortFilterProxyModel* Proxy() const { return m_pView->GetProxyModel(); }
    // 1 while the Port column is hidden: the tests' own reckoning of the layout.
    int Hidden() const { return m_pView->IsShowPort() ? 0 : 1; }

    void Refresh() { m_pMain ? m_pMain->RefreshShow() : m_pView->RefreshShow(true, true); }
    void DestroyView()
    {
        pWidget.reset();
        m_pMain = nullptr;
        m_pView = nullptr;
        QCoreApplication::processEvents();
    }
    CFakeUpgrade& FakeUpgrade()
    {
        pUpgrade = std::make_unique<CFakeUpgrade>();
        g_pUpgradeConfigControl = pUpgrade.get();
        return *pUpgrade;
    }

    // Shown at the screen's origin and refreshed, with the cursor parked just
    // outside so the first hover is a real move.
    bool Show(const QSize& size)
    {
        QCursor::setPos(size.width() + 9, size.height() + 39);
        pWidget->setGeometry(QRect(QPoint(0, 0), size));
        pWidget->show();
        if (!QTest::qWaitForWindowExposed(pWidget.get()))
            return false;
        Refresh();
        for (int i = 0; i < 5; ++i)
            QCoreApplication::processEvents();
        RepaintHeader();
        return Model()->rowCount() == pWall->ReceiverCount();
    }
    // The header records its hit rectangles while it paints.
    void RepaintHeader() { Header()->viewport()->repaint(); }

    // A move to an equal position sends nothing, so the pointer then comes
    // from one pixel aside: a hand is never quite still.
    static void Move(QWidget* pTarget, const QPoint& pos)
    {
        if (QCursor::pos() == pTarget->mapToGlobal(pos))
            QTest::mouseMove(pTarget, pos + QPoint(1, 0));
        QTest::mouseMove(pTarget, pos);
    }
    static void Click(QWidget* pTarget, const QPoint& pos, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        Move(pTarget, pos);
        QTest::mouseClick(pTarget, Qt::LeftButton, modifiers, pos);
    }
    QPoint RowPoint(int p, int x = 200) const { return QPoint(x, m_pView->visualRect(Proxy()->index(p, 0)).top() + 18); }
    // Below the painted controls, clear of the section borders.
    QPoint SectionPoint(int n) const { return QPoint(Header()->sectionViewportPosition(n) + Header()->sectionSize(n) / 2, 32); }
    void HoverRow(int p) { Move(m_pView->viewport(), RowPoint(p)); }
    void ClickRow(int p, Qt::KeyboardModifiers modifiers = Qt::NoModifier) { Click(m_pView->viewport(), RowPoint(p), modifiers); }
    void MoveHeader(const QPoint& pos) { Move(Header()->viewport(), pos); }
    // The header tells border from section by the cursor its last move set.
    void ClickHeader(const QPoint& pos) { Click(Header()->viewport(), pos); }
    void ClickSection(int nSection) { ClickHeader(SectionPoint(nSection)); }
    void ClickBox() { ClickHeader(Header()->GetCheckRect().center()); }
    void ClickFilter() { ClickHeader(Header()->GetFilterRect().center()); }
    void ClickReset() { RepaintHeader(); ClickHeader(Header()->GetResetRect().center()); }

    // Readers in view order; nKey is a logical column key.
    int SourceRow(int p) const { return Proxy()->mapToSource(Proxy()->index(p, 0)).row(); }
    CCell Item(int p, int nKey) const { return Cell(Model(), SourceRow(p), nKey - Hidden()); }
    CCell First(int p) const { return Cell(Model(), SourceRow(p), 0); }
    QStringList ViewColumn(int nKey, int nRole = Qt::DisplayRole) const
    {
        QStringList list;
        for (int p = 0; p < Proxy()->rowCount(); ++p)
            list << Item(p, nKey)->data(nRole).toString();
        return list;
    }
    int SourceRowOf(const QString& strSN) const
    {
        for (int r = 0; r < Model()->rowCount(); ++r)
            if (Cell(Model(), r, ReceiverColumn::SerialNumber - Hidden()).text() == strSN)
                return r;
        return -1;
    }
    // Without the Port column every row reads as port 0.
    SReceiverAddress ViewAddress(int p) const
    {
        return Address(Hidden() ? 0 : Item(p, ReceiverColumn::Port)->data(ReceiverRole::SortKey).toInt(),
                       Item(p, ReceiverColumn::Position)->data(ReceiverRole::SortKey).toInt());
    }
    // All receivers, or the checked ones (rows the filter hides included), in view order.
    QStringList ViewAddresses(bool bCheckedOnly = false) const
    {
        std::vector<SReceiverAddress> vec;
        for (int p = 0; p < Proxy()->rowCount(); ++p)
            if (!bCheckedOnly || First(p)->data(Qt::CheckStateRole).toInt() == Qt::Checked)
                vec.push_back(ViewAddress(p));
        return Describe(vec);
    }
    QStringList Checked() const { return ViewAddresses(true); }
    // The selection the runtime controller holds.
    QStringList Reported() const { return Describe(pWall->GetSelectedReceivers()); }

    // A detection that starts waits inside the wall until released.
    void HoldDetection()
    {
        pWall->SetDetectHook([this]() { m_semEntered.release(); m_semGate.acquire(); });
    }
    bool DetectionEntered() { return m_semEntered.tryAcquire(1, c_nWaitMs); }
    void ReleaseDetection() { m_semGate.release(); }
    bool WaitForJobs()
    {
        const bool bDone = QThreadPool::globalInstance()->waitForDone(c_nWaitMs);
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents();
        return bDone && !CReceiverListHeader::IsDetecting();
    }

private:
    QSemaphore m_semEntered, m_semGate; // declared first: they outlive the wall's hook

public:
    std::unique_ptr<CSimWall> pWall;
    std::unique_ptr<CFakeUpgrade> pUpgrade;
    std::unique_ptr<QWidget> pWidget;

private:
    CCMMainView* m_pMain = nullptr;
    CReceiverListView* m_pView = nullptr;
};

// The states a card is in (EHealthState bits), by the rules the operator
// reads them: the tests' own account, apart from the library's.
inline uint32_t ExpectedStates(const SReceiverInfo& info, const SHealthLimits& limits, int nProgressState = 0)
{
    uint32_t n = 0;
    if (quint64(info.nErrorPackets) * 1000000u > info.nTotalPackets)
        n |= HealthPacketErrors;
    if (limits.optTemperatureHigh && info.bTemperatureValid && info.dTemperature > *limits.optTemperatureHigh)
        n |= HealthTooHot;
    const auto itVoltage = info.mapSensor.find(3);
    if (itVoltage != info.mapSensor.end() && itVoltage->second.bValid) {
        const double d = itVoltage->second.dValue;
        if ((limits.optVoltageLow && d < *limits.optVoltageLow) || (limits.optVoltageHigh && d > *limits.optVoltageHigh))
            n |= HealthVoltageOutOfRange;
    }
    if (limits.optHumidityHigh && info.bHumidityValid && info.dHumidity > *limits.optHumidityHigh)
        n |= HealthHumidityHigh;
    for (const auto& module : info.mapModule)
        if (!module.second.bOk)
            n |= HealthFailedModules;
    if (nProgressState == SRowProgressInfo::Upgrading)
        n |= HealthUpgrading;
    if (nProgressState == SRowProgressInfo::UpgradeFailed)
        n |= HealthUpgradeFailed;
    if (n & (HealthPacketErrors | HealthTooHot | HealthVoltageOutOfRange | HealthHumidityHigh | HealthFailedModules | HealthUpgradeFailed))
        n |= HealthNeedsAttention;
    return n;
}
}
