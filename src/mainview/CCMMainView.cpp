#include "CCMMainView.h"

#include "CColumnFitting.h"
#include "CReceiverListHeader.h"
#include "CReceiverListView.h"

#include <QAbstractItemModel>
#include <QCoreApplication>
#include <QEvent>
#include <QHBoxLayout>
#include <QPainter>
#include <QStyleOption>

// Private state behind the d-pointer: later releases can change it and keep
// binary compatibility.
class CCMMainViewPrivate
{
public:
    CReceiverListView* m_pReceiverListView = nullptr;
};

CCMMainView::CCMMainView(QWidget* parent)
    : QWidget(parent)
    , m_pPrivate(new CCMMainViewPrivate)
{
    setObjectName(QStringLiteral("CMMainView"));
    InitControl();
    SetLayout();
    SetConnect();
}

CCMMainView::~CCMMainView() = default;

void CCMMainView::InitControl()
{
    m_pPrivate->m_pReceiverListView = new CReceiverListView(this);
}

void CCMMainView::SetLayout()
{
    auto* pLayout = new QHBoxLayout(this);
    pLayout->setContentsMargins(0, 0, 0, 0);
    pLayout->setSpacing(0);
    pLayout->addWidget(m_pPrivate->m_pReceiverListView);
    // The host gives the view the focus; the keys are the table's.
    setFocusProxy(m_pPrivate->m_pReceiverListView);
}

void CCMMainView::SetConnect()
{
    connect(m_pPrivate->m_pReceiverListView, &CReceiverListView::RcvSelectChanged, this, &CCMMainView::RcvSelectChanged);
    connect(m_pPrivate->m_pReceiverListView, &CReceiverListView::DataChange, this, &CCMMainView::DataChange);
    connect(m_pPrivate->m_pReceiverListView, &CReceiverListView::SignalShowPack, this, &CCMMainView::SignalShowPack);
    connect(m_pPrivate->m_pReceiverListView, &CReceiverListView::SignalFiltrate, this, &CCMMainView::SignalFiltrate);
    connect(m_pPrivate->m_pReceiverListView, &CReceiverListView::StatusCountsChanged, this, &CCMMainView::StatusCountsChanged);
    connect(m_pPrivate->m_pReceiverListView, &CReceiverListView::StatusFilterChanged, this, &CCMMainView::StatusFilterChanged);
    connect(m_pPrivate->m_pReceiverListView, &CReceiverListView::CurrentRowChanged, this, &CCMMainView::CurrentRowChanged);
}

bool CCMMainView::Quit()
{
    return g_pUpgradeConfigControl ? g_pUpgradeConfigControl->QuitUpgrade() : false;
}

void CCMMainView::SelectAll()
{
    m_pPrivate->m_pReceiverListView->SelectAll(true);
}

bool CCMMainView::IsProgressing() const
{
    return m_pPrivate->m_pReceiverListView->IsProgressing();
}

void CCMMainView::RefreshShow()
{
    m_pPrivate->m_pReceiverListView->RefreshShow(true, true);
}

void CCMMainView::UpdateShow()
{
    m_pPrivate->m_pReceiverListView->UpdateShow();
}

void CCMMainView::ProgressBegin()
{
    m_pPrivate->m_pReceiverListView->SetProgressFinished(false);
    m_pPrivate->m_pReceiverListView->UpdateProgress();
}

void CCMMainView::ProgressChanged()
{
    m_pPrivate->m_pReceiverListView->UpdateProgress();
}

void CCMMainView::ProgressFinished()
{
    m_pPrivate->m_pReceiverListView->SetProgressFinished(true);
    m_pPrivate->m_pReceiverListView->RefreshShow(true, true);
    m_pPrivate->m_pReceiverListView->UpdateProgress();
}

void CCMMainView::paintEvent(QPaintEvent* /*e*/)
{
    QStyleOption option;
    option.initFrom(this);
    QPainter painter(this);
    style()->drawPrimitive(QStyle::PE_Widget, &option, &painter, this);
}

void CCMMainView::changeEvent(QEvent* e)
{
    if (e->type() == QEvent::LanguageChange)
        m_pPrivate->m_pReceiverListView->Retranslate();
}

CReceiverListView* CCMMainView::GetReceiverListView() const
{
    return m_pPrivate->m_pReceiverListView;
}

void CCMMainView::SetColumnVisible(int nLogicalColumn, bool bVisible)
{
    m_pPrivate->m_pReceiverListView->SetColumnVisible(nLogicalColumn, bVisible);
}

bool CCMMainView::IsColumnVisible(int nLogicalColumn) const
{
    return m_pPrivate->m_pReceiverListView->IsColumnVisible(nLogicalColumn);
}

QByteArray CCMMainView::SaveViewState() const
{
    return m_pPrivate->m_pReceiverListView->SaveViewState();
}

bool CCMMainView::RestoreViewState(const QByteArray& state)
{
    return m_pPrivate->m_pReceiverListView->RestoreViewState(state);
}

void CCMMainView::CopyToClipboard() const
{
    m_pPrivate->m_pReceiverListView->CopyToClipboard();
}

bool CCMMainView::ExportCsv(QIODevice* pDevice, bool bCheckedOnly) const
{
    return m_pPrivate->m_pReceiverListView->ExportCsv(pDevice, bCheckedOnly);
}

bool CCMMainView::FindReceiver(const QString& strText)
{
    return m_pPrivate->m_pReceiverListView->FindReceiver(strText);
}

void CCMMainView::SetKeyboardChecking(bool bOn)
{
    m_pPrivate->m_pReceiverListView->SetKeyboardChecking(bOn);
}

bool CCMMainView::IsKeyboardChecking() const
{
    return m_pPrivate->m_pReceiverListView->IsKeyboardChecking();
}

void CCMMainView::SetColumnVisible(EColumn eColumn, bool bVisible)
{
    SetColumnVisible(int(eColumn), bVisible);
}

bool CCMMainView::IsColumnVisible(EColumn eColumn) const
{
    return IsColumnVisible(int(eColumn));
}

QString CCMMainView::ColumnLabel(EColumn eColumn) const
{
    return CReceiverListHeader::Label(int(eColumn));
}

void CCMMainView::FitColumnsToContents()
{
    CColumnFitting::Apply(m_pPrivate->m_pReceiverListView);
}

int CCMMainView::ReceiverCount() const
{
    return m_pPrivate->m_pReceiverListView->GetModel()->rowCount();
}

int CCMMainView::ShownReceiverCount() const
{
    return m_pPrivate->m_pReceiverListView->GetShownRowCount();
}

int CCMMainView::CurrentRow() const
{
    return m_pPrivate->m_pReceiverListView->currentIndex().row();
}

void CCMMainView::RefreshShowKeepChecks()
{
    m_pPrivate->m_pReceiverListView->RefreshShow(true, false);
}

QRect CCMMainView::HeaderControlRect(EHeaderControl eControl) const
{
    const CReceiverListHeader* pHeader = m_pPrivate->m_pReceiverListView->GetHeader();
    QRect rect;
    if (eControl == HeaderCheckBox)
        rect = pHeader->GetCheckRect();
    else if (eControl == HeaderFilterButton)
        rect = pHeader->IsPortShown() ? pHeader->GetFilterRect() : QRect();
    else if (eControl == HeaderResetButton)
        rect = pHeader->GetResetRect();
    // The header records them in its viewport's coordinates while painting.
    return rect.isEmpty() ? QRect() : rect.translated(pHeader->viewport()->mapTo(this, QPoint(0, 0)));
}

void CCMMainView::SetHealthLimits(const SHealthLimits& limits)
{
    m_pPrivate->m_pReceiverListView->SetHealthLimits(limits);
}

SHealthLimits CCMMainView::HealthLimits() const
{
    return m_pPrivate->m_pReceiverListView->HealthLimits();
}

SStatusCounts CCMMainView::StatusCounts() const
{
    return m_pPrivate->m_pReceiverListView->StatusCounts();
}

void CCMMainView::SetStatusFilter(EHealthState eState)
{
    m_pPrivate->m_pReceiverListView->SetStatusFilter(eState);
}

EHealthState CCMMainView::StatusFilter() const
{
    return m_pPrivate->m_pReceiverListView->StatusFilter();
}

void CCMMainView::SetTextFilter(const QString& strText)
{
    m_pPrivate->m_pReceiverListView->SetTextFilter(strText);
}

QString CCMMainView::TextFilter() const
{
    return m_pPrivate->m_pReceiverListView->TextFilter();
}

int CCMMainView::CheckedHiddenCount() const
{
    return m_pPrivate->m_pReceiverListView->CheckedHiddenCount();
}
