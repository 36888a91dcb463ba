#include "CUpgradeProgress.h"

#include "CReceiverListView.h"
#include "CReceiverTableModel.h"
#include "CViewOrder.h"
#include "ControllerReading.h"

#include <cmath>
#include <memory>
#include <limits>

CUpgradeProgress::CUpgradeProgress(CReceiverListView* pView, CReceiverTableModel* pModel, const CViewOrder* pOrder)
    : m_pView(pView)
    , m_pModel(pModel)
    , m_pOrder(pOrder)
{
    Q_ASSERT(pView && pModel && pOrder);
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
    if (nStage == StageUpgrading) {
        info.nState = SRowProgressInfo::Upgrading;
        info.strText = QString::number(nPercent) + QLatin1Char('%');
    } else if (nStage == StageFinished) {
        info.nState = nResult < 0 ? SRowProgressInfo::UpgradeFailed : SRowProgressInfo::UpgradeSucceeded;
        if (nResult < 0)
            info.strText = tr("Failed");
        else if (nPercent != 0)
            info.strText = tr("Succeeded");
    } else {
        info.nState = SRowProgressInfo::NotUpgrading;
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

    CReceiverTableModel* pModel = m_pModel;
    const bool bPortShown = pModel->Columns().IsPortShown();
    ControllerReading::CPortCache cachePort;
    bool bRunning = false;
    std::vector<char> vecMember(size_t(pModel->rowCount()), 0);
    // Written without notices, then one notice for the column.
    for (const int r : m_pOrder->RowsInViewOrder()) {
        SReceiverAddress address;
        if (!vecMembers.empty()) {
            const int nPort = bPortShown ? pModel->RowNumber(r, ReceiverColumn::Port) : 0;
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
        bRunning = bRunning || nStage == StageUpgrading;
        pModel->WriteProgress(r, MakeProgressInfo(nStage, nResult, fProgress));
    }
    pModel->KeysChanged(0, pModel->rowCount() - 1, 1u << ReceiverColumn::Progress);
    if (bRunning)
        MarkMembers(vecMember);
    return bRunning;
}

void CUpgradeProgress::MarkMembers(const std::vector<char>& vecMember)
{
    for (size_t r = 0; r < vecMember.size(); ++r) {
        if (!vecMember[r])
            continue;
        m_pModel->ClearCheckState(int(r));
        m_pModel->SetUpgradeMark(int(r));
    }
    m_pView->update();
    m_pView->viewport()->update();
}
