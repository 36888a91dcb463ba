#include "TavrelCMControl.h"

CRuntimeControl::~CRuntimeControl() = default;
COutputPortControl::~COutputPortControl() = default;
CReceiverControl::~CReceiverControl() = default;
CPreferenceControl::~CPreferenceControl() = default;
CDetectControl::~CDetectControl() = default;
CCabinetLibControl::~CCabinetLibControl() = default;
CUpgradeConfigControl::~CUpgradeConfigControl() = default;

CRuntimeControl* g_pRuntimeControl = nullptr;
COutputPortControl* g_pOutputPortControl = nullptr;
CReceiverControl* g_pReceiverControl = nullptr;
CPreferenceControl* g_pPreferenceControl = nullptr;
CDetectControl* g_pDetectControl = nullptr;
CCabinetLibControl* g_pCabinetLibControl = nullptr;
CUpgradeConfigControl* g_pUpgradeConfigControl = nullptr;
