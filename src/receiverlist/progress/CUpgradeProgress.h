#pragma once

#include "SReceiverRowInfo.h"

#include <QCoreApplication>

class CReceiverListView;
class CReceiverTableModel;
class CViewOrder;

// The Progress column during an upgrade: which rows take part, and what
// their bars and texts show, read from the upgrade controller.
class CUpgradeProgress
{
    Q_DECLARE_TR_FUNCTIONS(CReceiverListView)

public:
    // A member's stage as the upgrade controller answers it.
    enum EStage
    {
        StageUpgrading = 1,
        StageFinished = 2
    };

    CUpgradeProgress(CReceiverListView* pView, CReceiverTableModel* pModel, const CViewOrder* pOrder);

    // Reads every member's state and writes the Progress cells; members of a
    // running upgrade get their row marked. Returns whether one is running.
    bool Update();
    // What a member's cell shows for the controller's answers.
    static SRowProgressInfo MakeProgressInfo(int nStage, int nResult, float fProgress);

private:
    void MarkMembers(const std::vector<char>& vecMember);

    CReceiverListView* const m_pView;
    CReceiverTableModel* const m_pModel;
    const CViewOrder* const m_pOrder;
};
