#include "CUpgradeProgress.h"

#include "CReceiverListView_p.h"
#include "CViewOrder.h"
#include "ControllerReading.h"

#include <cmath>
#include <memory>
#include <limits>

CUpgradeProgress::CUpgradeProgress(CReceiverListViewPrivate& dPrivate)
    : d(dPrivate)
{
}

SRowProgressInfo CUpgradeProgress::MakeProgressInfo(int nStage, int nResult, float fProgress)
{
    SRowProgressInfo info;
    const float fPercent = fProgress * 100.0f;
    int nPercent;
    if (std::isnan(fPercent))
        nPercent = 0;
    else if (fPercent >= 100.0f)
        nPercent = 100;
    else if (fPercent <= float(std::numeric_limits<int>::min()))
        nPercent = std::numeric_limits<int>::min();
    else
        nPercent = int(fPercent);
    info.nProgress = nPercent;
    info.strText.clear();
    if (nStage == 1) {
        info.nState = 2;
        info.strText = QString::number(nPercent) + QLatin1Char('%');
    } else if (nStage == 2) {
        info.nState = nResult < 0 ? 3 : 4;
        if (nResult < 0)
            info.strText = tr("Failed");
        else if (nPercent != 0)
            info.strText = tr("Succeeded");
    } else {
        info.nState = 0;
    }
    return info;
}

bool CUpgradeProgress::Update()
{
    std::vector<SReceiverAddress> vecMembers;
    if (g_pUpgradeConfigControl)
        g_pUpgradeConfigControl->GetUpgradeReceivers(vecMembers);
    // Hosts mostly upgrade the checked receivers, which they were given in row
    // order: members are then matched walking both lists, and the hash table
    // is only built at the first row out of step.
    size_t nNextMember = 0;
    std::unique_ptr<CAddressTable<char>> pTableMembers;
    auto isMember = [&](const SReceiverAddress& address) {
        if (nNextMember < vecMembers.size() && vecMembers[nNextMember] == address) {
            ++nNextMember;
            return true;
        }
        if (!pTableMembers) {
            pTableMembers = std::make_unique<CAddressTable<char>>(vecMembers.size());
            for (const SReceiverAddress& addressMember : vecMembers)
                pTableMembers->Insert(addressMember);
        }
        return pTableMembers->Find(address) != nullptr;
    };

    CReceiverTableModel* pModel = d.pModel;
    ControllerReading::CPortCache cachePort;
    bool bRunning = false;
    std::vector<char> vecMember(size_t(pModel->rowCount()), 0);
    // Written without notices, then one notice for the column.
    for (const int r : d.pOrder->RowsInViewOrder()) {
        SReceiverAddress address;
        if (!vecMembers.empty()) {
            const int nPort = d.bShowPort ? pModel->RowNumber(r, ReceiverColumn::Port) : 0;
            address = cachePort.Address(nPort, pModel->RowNumber(r, ReceiverColumn::Position));
        }
        if (vecMembers.empty() || !isMember(address)) {
            pModel->WriteProgress(r, SRowProgressInfo());
            continue;
        }
        vecMember[size_t(r)] = 1;
        const int nResult = g_pUpgradeConfigControl->GetUpgradeResult(address);
        const float fProgress = g_pUpgradeConfigControl->GetUpgradeProgress(address);
        const int nStage = g_pUpgradeConfigControl->GetUpgradeStage(address);
        bRunning = bRunning || nStage == 1;
        pModel->WriteProgress(r, MakeProgressInfo(nStage, nResult, fProgress));
    }
    const int nColumn = pModel->ColumnOfKey(ReceiverColumn::Progress);
    d.bOwnNotice = true;
    pModel->CellsChanged(0, pModel->rowCount() - 1, nColumn, nColumn);
    d.bOwnNotice = false;
    if (bRunning)
        MarkMembers(vecMember);
    return bRunning;
}

void CUpgradeProgress::MarkMembers(const std::vector<char>& vecMember)
{
    for (size_t r = 0; r < vecMember.size(); ++r) {
        if (!vecMember[r])
            continue;
        d.pModel->ClearCheckState(int(r));
        d.pModel->SetUpgradeMark(int(r));
    }
    d.q->update();
    d.q->viewport()->update();
}
