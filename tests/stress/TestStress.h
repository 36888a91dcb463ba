#pragma once
// The random walk over the receiver view: the test class, its steps in
// tst_stress.cpp (the walk and the checks) and TestStressActs.cpp (the acts).

#include "CCMMainView.h"
#include "CReceiverListHeader.h"
#include "CReceiverListView.h"
#include "CSimWall.h"
#include "CWallMapView.h"
#include "StressSupport.h"

#include <QAbstractItemModelTester>
#include <QObject>
#include <QSortFilterProxyModel>
#include <QTranslator>

#include <atomic>
#include <memory>

using namespace stress;

class TestStress : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void randomWalk();
    void cleanup();

private:
    CReceiverTableModel* Model() const { return static_cast<CReceiverTableModel*>(m_pView->GetModel()); }
    QSortFilterProxyModel* Proxy() const { return m_pView->GetProxyModel(); }
    void Log(const QString& str) { m_listLog << QStringLiteral("%1: %2").arg(m_nStep).arg(str); while (m_listLog.size() > 16) m_listLog.removeFirst(); }
    void Settle() { QCoreApplication::processEvents(); }
    bool IsChecked(int r) const { const cmtest::CCell cell = Cell(r, 0); return cell && cell->checkState() == Qt::Checked; }
    cmtest::CCell Cell(int r, int c) const { return cmtest::CCell(Model(), r, c); }
    std::vector<int> ViewRows() const;
    std::set<quint64> CheckedItems() const;
    SReceiverAddress Address(int nPort, int nPosition) const;
    SReceiverAddress ReportAddress(int r) const;
    int SummaryState() const;
    int CountState(int nChecked) const;
    void OnReport();

    void Step();
    void ExpectClearingRefresh();
    void ActHost();
    void ActUpdateShow();
    void ActProgress();
    void ActLanguage();
    void ActHover();
    void ActRowClick();
    void ActHeader();
    void PressHeader(const QPoint& pos);
    void ExpectSort(int nSection);
    void Reset(const QPoint& pos);
    void ActPopup();
    void ActKeys();
    void ActReceivers();
    void ActWall();
    QString Verify();
    QString VerifyStructure();

    quint64 m_nSeed = 0;
    int m_nSteps = 0;
    int m_nStep = 0;
    CRandom m_rng;
    std::unique_ptr<CSimWall> m_pWall;
    std::unique_ptr<CCMMainView> m_pMain;
    std::unique_ptr<CWallMapView> m_pMap;
    std::unique_ptr<QAbstractItemModelTester> m_pTester;
    CReceiverListView* m_pView = nullptr;
    CReceiverListHeader* m_pHeader = nullptr;
    QList<SReceiverInfo> m_listBaseline;
    QMap<quint64, SCabinetInfo> m_mapBaseline;
    QTranslator m_translator;
    bool m_bHaveQm = false;
    bool m_bTranslated = false;
    QStringList m_listLog;

    SBefore m_before;
    SExpect m_expect;
    QString m_strError;
    int m_nReports = 0;
    std::set<quint64> m_setAtReport;
    int m_nLiveChecks = 0;
    int m_nDataChange = 0;
    int m_nShowPack = 0;
    int m_nFiltrate = 0;
    int m_nPopupClosed = 0;
    std::atomic<int> m_nClearCableError { 0 };
    int m_nKeyState = 0; // the hidden key sequence as the view should see it
    int m_nShowPackExpected = 0;
};
