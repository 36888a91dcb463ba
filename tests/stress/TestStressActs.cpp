// The random walk's acts: host calls, gestures, detections and topology
// changes, each stating in m_expect what the view must do.

#include "TestStress.h"

#include "CPortSelectWidget.h"

#include <QApplication>
#include <QPushButton>
#include <QScrollBar>
#include <QThreadPool>
#include <QtTest>

#include <algorithm>

void TestStress::ActHost()
{
    switch (m_rng.Below(4)) {
    case 0:
        Log(QStringLiteral("SelectAll()"));
        m_pMain->SelectAll();
        m_expect.eReport = EReport::Some;
        m_expect.nSelectAll = 1;
        m_expect.eHeader = EHeader::Checked;
        break;
    case 1:
        Log(QStringLiteral("Quit()"));
        m_pMain->Quit();
        break;
    default:
        Log(QStringLiteral("RefreshShow()"));
        m_pMain->RefreshShow();
        ExpectClearingRefresh();
    }
}

void TestStress::ActUpdateShow()
{
    const bool bMustRebuild = Model()->rowCount() != m_pView->GetRowInfoList().size();
    Log(QStringLiteral("UpdateShow()"));
    m_pMain->UpdateShow();
    if (m_nReports > 0 || bMustRebuild) { // the full-refresh fallback
        ExpectClearingRefresh();
        return;
    }
    // Rows of receivers in the stored selection come back checked; the header
    // counts those receivers.
    m_expect.eRel = ERel::Grow;
    m_expect.eHeader = EHeader::Count;
    const std::set<SReceiverAddress> setStored(m_before.vecStored.begin(), m_before.vecStored.end());
    m_expect.nHeaderCount = 0;
    for (const SReceiverRowInfo& info : m_pView->GetRowInfoList()) {
        const SReceiverAddress address = Address(info.nPort, info.nPosition);
        m_expect.nHeaderCount += (!m_pView->IsShowPort() || m_before.bSameDevice) && setStored.count(address);
        bool bRow = false; // a row is known by its receiver's port, also without the Port column
        for (int r = 0; r < Model()->rowCount() && !bRow; ++r) {
            const cmtest::CCell pFirst = Cell(r, 0);
            const int nPort = m_pView->IsShowPort() ? Number(pFirst) : pFirst->data(ReceiverRole::RealPort).toInt();
            bRow = Address(nPort, Number(Cell(r, ReceiverColumn::Position - (m_pView->IsShowPort() ? 0 : 1)))) == address;
        }
        if (!bRow && m_strError.isEmpty())
            m_strError = QStringLiteral("UpdateShow left receiver %1:%2 without a row").arg(info.nPort).arg(info.nPosition);
    }
}

void TestStress::ActProgress()
{
    const int nCall = m_rng.Below(5);
    if (nCall == 0) {
        std::vector<SReceiverAddress> vecMembers;
        for (int r = 0; r < Model()->rowCount(); ++r) {
            if (m_rng.Percent(50))
                vecMembers.push_back(ReportAddress(r));
        }
        if (m_rng.Percent(30))
            vecMembers.push_back(Address(HostileInt(m_rng), HostileInt(m_rng)));
        Log(QStringLiteral("StartUpgrade(%1 members) + ProgressBegin()").arg(vecMembers.size()));
        m_pWall->StartUpgrade(vecMembers);
        m_pMain->ProgressBegin();
        if (!m_pView->IsProgressing() || m_pView->GetHoverRow() != -1)
            m_strError = QStringLiteral("ProgressBegin left the view idle or a hover row behind");
    } else if (nCall <= 2) {
        Log(QStringLiteral("StepUpgrade() + ProgressChanged()"));
        m_pWall->StepUpgrade();
        m_pMain->ProgressChanged();
    } else {
        Log(QStringLiteral("ProgressFinished()"));
        m_pMain->ProgressFinished();
        ExpectClearingRefresh();
        if (m_pView->IsProgressing())
            m_strError = QStringLiteral("still progressing after ProgressFinished");
    }
    m_expect.eRel = ERel::Shrink; // members of a running upgrade lose their check marks
}

void TestStress::ActLanguage()
{
    if (m_bHaveQm && m_rng.Percent(70)) {
        Log(m_bTranslated ? QStringLiteral("removeTranslator") : QStringLiteral("installTranslator"));
        if (m_bTranslated)
            QCoreApplication::removeTranslator(&m_translator);
        else
            QCoreApplication::installTranslator(&m_translator);
        m_bTranslated = !m_bTranslated;
        Settle(); // the change event is posted
    } else {
        Log(QStringLiteral("LanguageChange event"));
        QEvent event(QEvent::LanguageChange);
        QCoreApplication::sendEvent(m_pMain.get(), &event);
    }
    m_expect.eReport = EReport::Some;
    m_expect.bReloaded = m_expect.bRestored = true;
    m_expect.eHeader = EHeader::Count;
}

// ---- gestures

void TestStress::ActHover()
{
    QWidget* pViewport = m_pView->viewport();
    switch (m_rng.Below(7)) {
    case 0:
        Log(QStringLiteral("mouse leaves"));
        QTest::mouseMove(m_pMain.get(), QPoint(m_pMain->width() + 40, m_pMain->height() + 40));
        break;
    case 1: {
        const QPoint pos(m_rng.Below(m_pHeader->viewport()->width()), m_rng.Below(36));
        Log(QStringLiteral("hover header at %1,%2").arg(pos.x()).arg(pos.y()));
        QTest::mouseMove(m_pHeader->viewport(), pos);
        break;
    }
    case 2: {
        QScrollBar* pBar = m_pView->verticalScrollBar();
        const int nValue = pBar->minimum() + m_rng.Below(pBar->maximum() - pBar->minimum() + 1);
        Log(QStringLiteral("scroll to %1").arg(nValue));
        pBar->setValue(nValue);
        break;
    }
    default: {
        const QPoint pos(m_rng.Below(pViewport->width()), m_rng.Below(pViewport->height()));
        Log(QStringLiteral("hover rows at %1,%2").arg(pos.x()).arg(pos.y()));
        QTest::mouseMove(pViewport, pos);
    }
    }
}

void TestStress::ActRowClick()
{
    QWidget* pViewport = m_pView->viewport();
    std::vector<QRect> vecRows;
    int nBottom = 0;
    for (int p = 0; p < Proxy()->rowCount(); ++p) {
        const QRect rect = m_pView->visualRect(Proxy()->index(p, 0));
        if (!m_pView->isRowHidden(p, QModelIndex()) && rect.intersects(pViewport->rect()))
            vecRows.push_back(rect), nBottom = qMax(nBottom, rect.bottom() + 1);
    }
    QPoint pos(m_rng.Below(pViewport->width()), m_rng.Below(pViewport->height()));
    const int nWhere = m_rng.Below(10);
    if (nWhere < 2 && nBottom < pViewport->height() - 1) {
        pos.setY(nBottom + m_rng.Below(pViewport->height() - nBottom)); // empty space
    } else if (!vecRows.empty()) {
        const QRect rect = vecRows[size_t(m_rng.Below(int(vecRows.size())))];
        if (nWhere < 6) // the box, edges included
            pos = QPoint(15 + m_rng.Below(22), rect.top() + 6 + m_rng.Below(22));
        else
            pos = QPoint(m_rng.Percent(20) ? m_rng.Below(15) : 37 + m_rng.Below(pViewport->width() - 37), rect.top() + m_rng.Below(36));
    }
    if (pos.isNull())
        pos.setX(1); // QTest reads a null point as the centre
    const Qt::KeyboardModifiers mods = m_rng.Pick<Qt::KeyboardModifiers>({ Qt::NoModifier, Qt::NoModifier, Qt::NoModifier, Qt::ControlModifier,
        Qt::ControlModifier, Qt::ShiftModifier, Qt::ShiftModifier, Qt::ControlModifier | Qt::ShiftModifier, Qt::AltModifier });
    const bool bMove = m_rng.Percent(75);
    const bool bDouble = m_rng.Percent(8);
    Log(QStringLiteral("%1%2click rows at %3,%4 modifiers %5").arg(bMove ? "move, " : "", bDouble ? "double " : "").arg(pos.x()).arg(pos.y()).arg(int(mods), 0, 16));
    if (bMove) // as a user's hand does, which shows the row's box first
        QTest::mouseMove(pViewport, pos);
    QTest::mouseClick(pViewport, Qt::LeftButton, mods, pos);
    if (bDouble)
        QTest::mouseDClick(pViewport, Qt::LeftButton, mods, pos);
    if (m_before.bProgressing)
        return; // presses do nothing while an upgrade runs
    m_expect.eReport = EReport::Any;
    if (m_nLiveChecks > 0)
        m_expect.eHeader = EHeader::Summary;
}

void TestStress::ActHeader()
{
    QPoint pos;
    switch (m_rng.Below(8)) {
    case 0: pos = m_pHeader->GetCheckRect().center(); break;
    case 1: pos = m_pHeader->GetFilterRect().center(); break;
    case 2: pos = m_pHeader->GetResetRect().center(); break;
    default: {
        const int nSection = m_rng.Below(m_pHeader->count());
        const int nLeft = m_pHeader->sectionViewportPosition(nSection);
        const int nSize = m_pHeader->sectionSize(nSection);
        pos = QPoint(m_rng.Percent(10) ? nLeft + nSize - 1 : nLeft + nSize / 2, 32);
    }
    }
    // Nothing painted there yet, off the header, or a null point (QTest's "centre").
    if (!pos.isNull() && m_pHeader->viewport()->rect().contains(pos))
        PressHeader(pos);
}

// Clicks the header and expects what its press handler dispatches to,
// decided on the header as it stands before the press.
void TestStress::PressHeader(const QPoint& pos)
{
    if (m_pHeader->GetResetRect().contains(pos) && !m_before.bProgressing) {
        Reset(pos);
        return;
    }
    Log(QStringLiteral("click header at %1,%2").arg(pos.x()).arg(pos.y()));
    const bool bFilter = m_pHeader->GetFilterRect().contains(pos) && m_pHeader->GetLabels().size() == ReceiverColumn::Count;
    const bool bFilterUsable = m_pHeader->IsFilterEnabled();
    const bool bCheck = !bFilter && m_pHeader->GetCheckRect().contains(pos) && m_pHeader->HasRows();
    const bool bWasVisible = m_pView->GetPortSelectWidget()->isVisible();
    const int nClears = m_pWall->CallCount("ClearCableErrors");
    const int nSection = m_pHeader->logicalIndexAt(pos.x());
    QTest::mouseClick(m_pHeader->viewport(), Qt::LeftButton, Qt::NoModifier, pos);
    if (m_before.bProgressing) {
        if (m_pHeader->GetSortColumn() != m_before.nSortColumn || m_pHeader->GetSortFlag() != m_before.bSortFlag
            || m_pWall->CallCount("ClearCableErrors") != nClears || m_pView->GetPortSelectWidget()->isVisible() != bWasVisible)
            m_strError = QStringLiteral("a header press acted while the header is disabled");
    } else if (bFilter) {
        if (m_pView->GetPortSelectWidget()->isVisible() != (bFilterUsable || bWasVisible))
            m_strError = QStringLiteral("the Filter button (usable %1) left the popup %2").arg(bFilterUsable).arg(bWasVisible ? "shown" : "hidden");
    } else if (bCheck) {
        const bool bUncheck = m_before.nHeaderState == Qt::Checked;
        m_expect.eReport = EReport::Some;
        m_expect.nSelectAll = bUncheck ? 0 : 1;
        m_expect.eHeader = bUncheck ? EHeader::Unchecked : EHeader::Checked;
    } else {
        ExpectSort(nSection);
    }
}

void TestStress::ExpectSort(int nSection)
{
    const int H = m_before.nHidden;
    const bool bSorts = !m_before.bSplitCursor && nSection != ReceiverColumn::Progress - H; // not a border, not Progress
    const int nKey = nSection + H;
    const bool bListSort = bSorts && (nKey == ReceiverColumn::Port || nKey == ReceiverColumn::Position || nKey == ReceiverColumn::SerialNumber || nKey == ReceiverColumn::Packets);
    int nColumn = bSorts ? nSection : m_before.nSortColumn;
    const bool bFlag = !bSorts ? m_before.bSortFlag : nSection == m_before.nSortColumn ? !m_before.bSortFlag : true;
    // The refresh after a list sort re-lays the columns for a changed
    // preference and keeps the sort on the same logical column.
    if (bListSort && int(m_pWall->IsPortHidden()) != H)
        nColumn = qMax(0, nColumn + (H ? 1 : -1));
    if (m_pHeader->GetSortColumn() != nColumn || m_pHeader->GetSortFlag() != bFlag) {
        m_strError = QStringLiteral("header sort %1/%2, expected %3/%4").arg(m_pHeader->GetSortColumn()).arg(m_pHeader->GetSortFlag()).arg(nColumn).arg(bFlag);
        return;
    }
    if (!bSorts)
        return;
    if (bListSort) {
        m_expect.eReport = EReport::Some;
        m_expect.bRebuilt = m_expect.bRestored = true;
        m_expect.eHeader = EHeader::Count;
    } else if (Proxy()->sortColumn() != nSection || Proxy()->sortOrder() != (bFlag ? Qt::AscendingOrder : Qt::DescendingOrder)) {
        m_strError = QStringLiteral("the proxy does not sort by section %1").arg(nSection);
    }
    // Outside multi-check mode the anchor moves to the first checked row.
    int nAnchor = bListSort ? -1 : m_before.nAnchor;
    for (const int r : ViewRows()) {
        if (!m_pView->IsMultiCheck() && IsChecked(r) && Cell(r, 0)->isCheckable()) {
            nAnchor = r;
            break;
        }
    }
    if (m_pView->GetAnchorRow() != nAnchor && m_strError.isEmpty())
        m_strError = QStringLiteral("anchor row %1 after a header sort, expected %2").arg(m_pView->GetAnchorRow()).arg(nAnchor);
}

// Reset: clear the cable errors and detect on a pool thread; sometimes with a
// second click or a host call while the job runs.
void TestStress::Reset(const QPoint& pos)
{
    const int nVariant = m_rng.Below(6);
    Log(QStringLiteral("Reset at %1,%2 variant %3").arg(pos.x()).arg(pos.y()).arg(nVariant));
    const int nRows = Model()->rowCount();
    const int nClears = m_pWall->CallCount("ClearCableErrors");
    const int nDetects = m_pWall->DetectAllCount() + m_pWall->DetectReceiversCount();
    const bool bDetects = m_pWall->IsPortHidden() || !m_pWall->DeviceId().isNull();
    QTest::mouseClick(m_pHeader->viewport(), Qt::LeftButton, Qt::NoModifier, pos);
    const int nClicks = nVariant == 1 ? 2 : 1;
    if (nVariant == 1)
        QTest::mouseClick(m_pHeader->viewport(), Qt::LeftButton, Qt::NoModifier, pos);
    else if (nVariant == 2)
        m_pMain->RefreshShow();
    else if (nVariant == 3)
        m_pWall->Tick(), m_pMain->UpdateShow();
    QThreadPool::globalInstance()->waitForDone();
    Settle(); // the view hears of the job's end through a queued call
    const int nSignals = m_nClearCableError;
    const int nDetected = m_pWall->DetectAllCount() + m_pWall->DetectReceiversCount() - nDetects;
    if (m_pWall->CallCount("ClearCableErrors") - nClears != nClicks || nSignals < 1 || nSignals > nClicks
        || nDetected != (bDetects ? nSignals : 0) || CReceiverListHeader::IsDetecting())
        m_strError = QStringLiteral("Reset: %1 clears, %2 job ends, %3 detections").arg(m_pWall->CallCount("ClearCableErrors") - nClears).arg(nSignals).arg(nDetected);
    if (nVariant >= 1 && nVariant <= 3) {
        m_expect.eReport = EReport::Any;
        m_expect.eRel = nVariant == 3 ? ERel::Grow : ERel::Same;
    } else if (m_pWall->ReceiverCount() != nRows) {
        if (m_nDataChange != 1)
            m_strError = QStringLiteral("the receiver count changed, but DataChange came %1 times").arg(m_nDataChange);
        ExpectClearingRefresh();
    } else if (m_nDataChange != 0) {
        m_strError = QStringLiteral("DataChange without a change of the receiver count");
    }
}

void TestStress::ActPopup()
{
    CPortSelectWidget* pPopup = m_pView->GetPortSelectWidget();
    if (!pPopup->isVisible()) {
        if (!m_pHeader->GetFilterRect().isNull())
            PressHeader(m_pHeader->GetFilterRect().center());
        return;
    }
    const QMap<int, QPushButton*> mapButtons = pPopup->GetPortButtons();
    const int nChoice = m_rng.Below(3);
    int nFilter = m_pWall->FilterPort();
    if (nChoice == 0 || (nChoice == 1 && mapButtons.isEmpty())) {
        Log(QStringLiteral("popup: All"));
        QTest::mouseClick(pPopup->GetAllButton(), Qt::LeftButton);
        nFilter = -1;
    } else if (nChoice == 1) {
        nFilter = mapButtons.keys().at(m_rng.Below(mapButtons.size()));
        Log(QStringLiteral("popup: port %1").arg(nFilter));
        QTest::mouseClick(mapButtons.value(nFilter), Qt::LeftButton);
    } else {
        Log(QStringLiteral("popup: dismissed"));
        pPopup->hide();
    }
    if (m_nPopupClosed != 1 || m_nFiltrate != 1 || pPopup->isVisible() || m_pWall->FilterPort() != nFilter) {
        m_strError = QStringLiteral("popup closing: %1 SignalClicked, %2 SignalFiltrate, filter %3 (expected %4)")
                         .arg(m_nPopupClosed).arg(m_nFiltrate).arg(m_pWall->FilterPort()).arg(nFilter);
    } else if (m_pView->IsShowPort()) {
        // Re-filtering unchecks every row unless the header box was unchecked.
        m_expect.eHeader = EHeader::Unchecked;
        if (m_before.nHeaderState != Qt::Unchecked) {
            m_expect.eReport = EReport::Some;
            m_expect.nSelectAll = 0;
        }
    }
}

void TestStress::ActKeys()
{
    // The walk's expectations model keys that never check a row; Space as a
    // box click is compared with the click itself in the operator suite.
    m_pMain->SetKeyboardChecking(false);
    for (int i = 1 + m_rng.Below(4); i > 0; --i) {
        const Qt::Key key = m_rng.Percent(60) ? m_rng.Pick<Qt::Key>({ Qt::Key_1, Qt::Key_5, Qt::Key_9 })
                                              : m_rng.Pick<Qt::Key>({ Qt::Key_2, Qt::Key_A, Qt::Key_Space, Qt::Key_Down, Qt::Key_Up, Qt::Key_Home,
                                                                      Qt::Key_End, Qt::Key_PageDown, Qt::Key_Return, Qt::Key_Escape, Qt::Key_F2 });
        // A key typed while a cell editor has the focus goes to the editor, as a user's would.
        QWidget* pFocus = QApplication::focusWidget();
        QWidget* pTarget = pFocus && pFocus != m_pView && m_pView->isAncestorOf(pFocus) ? pFocus : m_pView;
        Log(QStringLiteral("key %1 to %2").arg(QKeySequence(key).toString(), QString::fromLatin1(pTarget->metaObject()->className())));
        if (pTarget == m_pView) {
            const int nState = m_nKeyState;
            m_nKeyState = (key == Qt::Key_1 && nState == 0) ? 1 : (key == Qt::Key_5 && nState == 1) ? 2 : 0;
            m_nShowPackExpected += key == Qt::Key_9 && nState == 2;
        }
        QTest::keyClick(pTarget, key);
        if (pTarget != m_pView) { // what the editor leaves alone travels on to the view
            m_nKeyState = m_pView->GetServiceKeyStep();
            m_nShowPackExpected = m_nShowPack;
        }
    }
}

// ---- controller data

void TestStress::ActReceivers()
{
    QList<SReceiverInfo> list;
    if (m_rng.Percent(40)) { // a sane wall, maybe smaller
        for (const SReceiverInfo& info : qAsConst(m_listBaseline)) {
            if (m_rng.Percent(85))
                list.append(info);
        }
        Log(QStringLiteral("sane wall of %1").arg(list.size()));
        m_pWall->SetReceivers(list);
        m_pWall->SetCabinetMap(m_mapBaseline);
        m_pWall->SetPortAddressOverride({});
        m_pWall->ResetPortCount();
        return;
    }
    for (int n = m_rng.Percent(6) ? 0 : 1 + m_rng.Below(24); n > 0; --n) {
        SReceiverInfo info = Hostile(m_listBaseline.at(m_rng.Below(m_listBaseline.size())), m_rng);
        if (!list.isEmpty() && m_rng.Percent(10))
            info.address = list.at(m_rng.Below(list.size())).address; // duplicate address
        list.append(info);
    }
    Log(QStringLiteral("SetReceivers(%1 hostile)").arg(list.size()));
    m_pWall->SetReceivers(list);
    if (m_rng.Percent(30)) {
        QMap<quint64, SCabinetInfo> map = m_mapBaseline;
        for (const SReceiverInfo& info : qAsConst(list)) {
            if (m_rng.Percent(30))
                map.insert(CSimWall::CabinetKeyOf(info), SCabinetInfo { HostileText(m_rng, true), m_rng.Percent(70) ? info.strCabinetId : HostileText(m_rng, false) });
        }
        m_pWall->SetCabinetMap(map);
    }
}

void TestStress::ActWall()
{
    switch (m_rng.Below(10)) {
    case 0: { // GetPortAddress answers that do not match the asked port
        const int nMode = m_rng.Below(5);
        const int nSalt = HostileInt(m_rng);
        const int nCount = m_rng.Pick<int>({ INT_MIN, -1, 0, 1, 3, 4, 9, 40 });
        Log(QStringLiteral("port answers mode %1 salt %2 count %3").arg(nMode).arg(nSalt).arg(nCount));
        if (nMode == 0)
            m_pWall->SetPortAddressOverride({});
        else if (nMode == 1)
            m_pWall->SetPortAddressOverride([](int) { return SPortAddress { 1, 2, 3, 7 }; });
        else if (nMode == 2)
            m_pWall->SetPortAddressOverride([](int n) { return SPortAddress { 0, 0, 0, int(unsigned(n) + 1u) }; });
        else if (nMode == 3)
            m_pWall->SetPortAddressOverride([nSalt](int n) { return SPortAddress { nSalt, n ^ nSalt, 0, n }; });
        else
            m_pWall->SetPortAddressOverride([](int n) { return n >= 0 && n < 4 ? CSimWall::DefaultPortAddress(n) : SPortAddress { INT_MIN, INT_MAX, -1, n }; });
        m_rng.Percent(50) ? m_pWall->SetPortCount(nCount) : m_pWall->ResetPortCount();
        break;
    }
    case 1: { // null and changing device ids
        const int nKind = m_rng.Below(3);
        const QUuid id = nKind == 0 ? QUuid() : nKind == 1 ? CSimWall::DefaultDeviceId(quint32(m_nSeed))
                                                           : QUuid(uint(m_rng.Next()), 1, 2, 0, 0, 0, 0, 0, 0, 0, uchar(m_rng.Next()));
        Log(QStringLiteral("SetDeviceId(%1)").arg(id.toString()));
        m_pWall->SetDeviceId(id);
        break;
    }
    case 2:
    case 3: { // a stored selection: stale, duplicated, of another device, naming nobody
        std::vector<SReceiverAddress> vec;
        for (int r = 0; r < Model()->rowCount(); ++r) {
            if (m_rng.Percent(30))
                vec.push_back(ReportAddress(r));
        }
        for (int n = m_rng.Below(3); n > 0; --n)
            vec.push_back(m_rng.Percent(50) && !vec.empty() ? vec.front() : Address(HostileInt(m_rng), HostileInt(m_rng)));
        const bool bOtherDevice = m_rng.Percent(25);
        Log(QStringLiteral("stored selection %1%2").arg(Describe(vec), bOtherDevice ? QStringLiteral(" of another device") : QString()));
        m_pWall->SetSelectedReceivers(vec);
        m_pWall->SetSelectionDeviceId(bOtherDevice ? QUuid(0x1234u, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10) : m_pWall->DeviceId());
        break;
    }
    case 4: {
        const int nPort = m_rng.Pick<int>({ -1, -1, 0, 1, 2, 3, 99, INT_MIN, INT_MAX });
        Log(QStringLiteral("SetFilterPort(%1), operating/busy").arg(nPort));
        m_pWall->SetFilterPort(nPort);
        m_pWall->SetOperating(m_rng.Percent(20));
        m_pWall->SetBusy(m_rng.Percent(20));
        break;
    }
    case 5:
    case 6: {
        const bool bPort = m_rng.Percent(70);
        Log(bPort ? QStringLiteral("SetPortHidden(%1)").arg(!m_pWall->IsPortHidden()) : QStringLiteral("SetFahrenheit(%1)").arg(!m_pWall->IsFahrenheit()));
        bPort ? m_pWall->SetPortHidden(!m_pWall->IsPortHidden()) : m_pWall->SetFahrenheit(!m_pWall->IsFahrenheit());
        break;
    }
    case 7: { // seen at the next detection, or at once
        const int nPort = m_rng.Below(5);
        const bool bPlug = m_rng.Percent(50);
        const bool bNow = m_rng.Percent(40);
        Log(QStringLiteral("%1Receiver(%2)%3").arg(bPlug ? "Plug" : "Unplug").arg(nPort).arg(bNow ? " + ApplyTopologyNow()" : ""));
        bPlug ? m_pWall->PlugReceiver(nPort) : m_pWall->UnplugReceiver(nPort);
        if (bNow)
            m_pWall->ApplyTopologyNow();
        break;
    }
    default:
        Log(QStringLiteral("Tick()"));
        m_pWall->Tick();
    }
}

// ---- checks
