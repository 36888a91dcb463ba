#include "CPortFilter.h"

#include "CPortSelectWidget.h"
#include "CReceiverListHeader.h"
#include "CReceiverListView_p.h"
#include "CReceiverSortProxyModel.h"
#include "ControllerReading.h"

#include <QGuiApplication>
#include <QScreen>

CPortFilter::CPortFilter(CReceiverListViewPrivate& dPrivate)
    : d(dPrivate)
{
}

int CPortFilter::Apply()
{
    d.nFilterPort = ControllerReading::FilterPort();
    const int nRows = d.pModel->rowCount();
    int nVisible = 0;
    for (int r = 0; r < nRows; ++r) {
        const bool bShow = d.nFilterPort == -1 || d.pModel->RowNumber(r, ReceiverColumn::Port) == d.nFilterPort;
        // The tree view skips what is already as asked, with one look-up
        // instead of the two a test before the call would add.
        const QModelIndex index = d.pProxy->mapFromSource(d.pModel->index(r, 0));
        if (index.isValid())
            d.q->setRowHidden(index.row(), QModelIndex(), !bShow);
        if (bShow)
            ++nVisible;
    }
    d.nFilterRowCount = nVisible;
    return nVisible;
}

void CPortFilter::UpdateButton()
{
    const bool bPortHidden = ControllerReading::IsPortHidden();
    d.pHeader->SetFilterEnabled(!bPortHidden && !ControllerReading::CurrentDeviceId().isNull());
    d.pHeader->SetFilterDown(ControllerReading::FilterPort() != -1);
}

void CPortFilter::ShowPopup()
{
    CReceiverListView* q = d.q;
    QPoint pos = q->mapToGlobal(d.pHeader->GetFilterAnchor()) - QPoint(5, 0);
    if (const QScreen* pScreen = QGuiApplication::screenAt(pos)) {
        const QRect rectScreen = pScreen->geometry();
        const int nPopupHeight = d.pPortSelect->height();
        if (rectScreen.bottom() - pos.y() <= nPopupHeight - 1)
            pos = q->mapToGlobal(QPoint(0, -nPopupHeight - 1));
    }
    d.pPortSelect->move(pos);
    d.pPortSelect->show();
}
