#include "CPortFilter.h"

#include "CPortSelectWidget.h"
#include "CReceiverListHeader.h"
#include "CReceiverListView.h"
#include "CReceiverTableModel.h"
#include "ControllerReading.h"

#include <QGuiApplication>
#include <QScreen>

CPortFilter::CPortFilter(CReceiverListView* pView, const CReceiverTableModel* pModel, CReceiverListHeader* pHeader,
                         CPortSelectWidget* pPortSelect)
    : m_pView(pView)
    , m_pModel(pModel)
    , m_pHeader(pHeader)
    , m_pPortSelect(pPortSelect)
{
    Q_ASSERT(pView && pModel && pHeader && pPortSelect);
}

int CPortFilter::Apply()
{
    m_nPort = ControllerReading::FilterPort();
    const int nRows = m_pModel->rowCount();
    int nShown = nRows;
    if (m_nPort != -1) {
        nShown = 0;
        for (int r = 0; r < nRows; ++r)
            nShown += Accepts(r) ? 1 : 0;
    }
    m_nShownRows = nShown;
    return nShown;
}

bool CPortFilter::Accepts(int nRow) const
{
    // Without a Port column no port is filtered on.
    return m_nPort == -1 || !m_pModel->Columns().IsPortShown() || m_pModel->RowNumber(nRow, ReceiverColumn::Port) == m_nPort;
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
