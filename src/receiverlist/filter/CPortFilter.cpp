#include "CPortFilter.h"

#include "CPortSelectWidget.h"
#include "CReceiverListHeader.h"
#include "CReceiverListView.h"
#include "CReceiverTableModel.h"
#include "ControllerReading.h"

#include <QGuiApplication>
#include <QScreen>
#include <QSortFilterProxyModel>

CPortFilter::CPortFilter(CReceiverListView* pView, const CReceiverTableModel* pModel, const QSortFilterProxyModel* pProxy,
                         CReceiverListHeader* pHeader, CPortSelectWidget* pPortSelect)
    : m_pView(pView)
    , m_pModel(pModel)
    , m_pProxy(pProxy)
    , m_pHeader(pHeader)
    , m_pPortSelect(pPortSelect)
{
    Q_ASSERT(pView && pModel && pProxy && pHeader && pPortSelect);
}

int CPortFilter::Apply()
{
    m_nPort = ControllerReading::FilterPort();
    const int nRows = m_pModel->rowCount();
    int nShown = 0;
    for (int r = 0; r < nRows; ++r) {
        const bool bShow = m_nPort == -1 || m_pModel->RowNumber(r, ReceiverColumn::Port) == m_nPort;
        // The tree view skips what is already as asked, with one look-up
        // instead of the two a test before the call would add.
        const QModelIndex index = m_pProxy->mapFromSource(m_pModel->index(r, 0));
        if (index.isValid())
            m_pView->setRowHidden(index.row(), QModelIndex(), !bShow);
        if (bShow)
            ++nShown;
    }
    m_nShownRows = nShown;
    return nShown;
}

void CPortFilter::UpdateButton()
{
    const bool bPortHidden = ControllerReading::IsPortHidden();
    m_pHeader->SetFilterEnabled(!bPortHidden && !ControllerReading::CurrentDeviceId().isNull());
    m_pHeader->SetFilterDown(ControllerReading::FilterPort() != -1);
}

void CPortFilter::ShowPopup()
{
    QPoint pos = m_pView->mapToGlobal(m_pHeader->GetFilterAnchor()) - QPoint(5, 0);
    if (const QScreen* pScreen = QGuiApplication::screenAt(pos)) {
        const QRect rectScreen = pScreen->geometry();
        const int nPopupHeight = m_pPortSelect->height();
        if (rectScreen.bottom() - pos.y() <= nPopupHeight - 1)
            pos = m_pView->mapToGlobal(QPoint(0, -nPopupHeight - 1));
    }
    m_pPortSelect->move(pos);
    m_pPortSelect->show();
}
