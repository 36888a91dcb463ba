// libFuzzer target over a saved layout brought back: the bytes a host keeps
// in its settings file are untrusted, since anybody may edit that file. Any
// bytes go to CCMMainView::RestoreViewState() of a view showing a small
// simulated wall, once with the Port column shown and once hidden.
//
// A refused state must leave the layout (widths, hidden columns, sort column
// and order, as saved and as the header has them) and the row order exactly
// as they were; an accepted one must save again to bytes that restore to the
// same layout. Any disagreement aborts, so libFuzzer keeps the input.

#include "CCMMainView.h"
#include "CReceiverListView.h"
#include "CSimWall.h"

#include <QAbstractItemModel>
#include <QApplication>
#include <QHeaderView>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace
{
struct SLayout
{
    QByteArray bytesSaved;
    QList<int> listSections; // per visual column: logical index, size, hidden
    QStringList listRows;    // S/N column in screen order

    bool operator==(const SLayout& other) const
    {
        return bytesSaved == other.bytesSaved && listSections == other.listSections && listRows == other.listRows;
    }
};

SLayout Layout(const CCMMainView& view)
{
    SLayout layout;
    layout.bytesSaved = view.SaveViewState();
    const CReceiverListView* pList = view.GetReceiverListView();
    const QHeaderView* pHeader = pList->header();
    for (int v = 0; v < pHeader->count(); ++v) {
        const int nLogical = pHeader->logicalIndex(v);
        layout.listSections << nLogical << pHeader->sectionSize(nLogical) << int(pHeader->isSectionHidden(nLogical));
    }
    const QAbstractItemModel* pModel = pList->model();
    const int nColumn = ReceiverColumn::SerialNumber - (view.IsColumnVisible(ReceiverColumn::Port) ? 0 : 1);
    for (int r = 0; r < pModel->rowCount(); ++r)
        layout.listRows << pModel->index(r, nColumn).data().toString();
    return layout;
}

void Fail(const char* pszWhat)
{
    std::fprintf(stderr, "fuzz_viewstate: %s\n", pszWhat);
    std::abort();
}

// One view per Port preference over the same wall; the wall answers the
// preference of the view in use.
struct SRig
{
    CSimWall wall { SSimWallConfig { 3, 5, 11, false, false } };
    CCMMainView* arrView[2] = {};
    QByteArray arrBaseline[2];
};

SRig* g_pRig = nullptr;
}

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // An argument list of its own: QApplication takes out the options it
    // knows, and libFuzzer reads its own from the real one afterwards.
    static int s_nArgc = 1;
    static char s_szName[] = "fuzz_viewstate";
    static char* s_arrArgv[] = { s_szName, nullptr };
    // Kept for the whole run: the application and the views are reachable
    // from these pointers until exit, so the leak check ignores them.
    static QApplication* s_pApp = new QApplication(s_nArgc, s_arrArgv);
    Q_UNUSED(s_pApp);
    g_pRig = new SRig;
    g_pRig->wall.Install();
    for (int i = 0; i < 2; ++i) {
        g_pRig->wall.SetPortHidden(i == 1);
        CCMMainView* pView = new CCMMainView;
        pView->resize(1200, 400);
        pView->RefreshShow();
        // A layout of the operator's own as the starting point of every input.
        pView->SetColumnVisible(ReceiverColumn::Humidity, false);
        pView->GetReceiverListView()->SortByColumn(ReceiverColumn::SerialNumber - i, false, true);
        g_pRig->arrView[i] = pView;
        g_pRig->arrBaseline[i] = pView->SaveViewState();
    }
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t nSize)
{
    const QByteArray bytes(reinterpret_cast<const char*>(pData), int(nSize));
    for (int i = 0; i < 2; ++i) {
        g_pRig->wall.SetPortHidden(i == 1);
        CCMMainView& view = *g_pRig->arrView[i];
        if (!view.RestoreViewState(g_pRig->arrBaseline[i]))
            Fail("the view refused its own saved layout");
        const SLayout before = Layout(view);
        if (!view.RestoreViewState(bytes)) {
            if (!(Layout(view) == before))
                Fail("a refused state changed the layout or the row order");
            continue;
        }
        // Accepted: what the view saves now is a state of its own.
        const SLayout after = Layout(view);
        if (!view.RestoreViewState(after.bytesSaved))
            Fail("the view refused the layout it saved after a restore");
        if (!(Layout(view) == after))
            Fail("restoring the saved layout again changed it");
    }
    return 0;
}
