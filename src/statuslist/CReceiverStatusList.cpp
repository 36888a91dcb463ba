#include "CReceiverStatusList.h"

#include "CCMMainView.h"
#include "CStatusListModel.h"

#include <QEvent>
#include <QKeyEvent>
#include <QPointer>

#include <utility>

// Private state behind the d-pointer: later releases can change it and keep
// binary compatibility.
class CReceiverStatusListPrivate
{
public:
    CStatusListModel* m_pModel = nullptr;
    QPointer<CCMMainView> m_pView;
    QVector<QMetaObject::Connection> m_vecConnection;
};

CReceiverStatusList::CReceiverStatusList(CCMMainView* pView, QWidget* parent)
    : QListView(parent)
    , m_pPrivate(new CReceiverStatusListPrivate)
{
    InitControl();
    SetConnect();
    SetView(pView);
}

CReceiverStatusList::~CReceiverStatusList()
{
    SetView(nullptr);
}

void CReceiverStatusList::InitControl()
{
    Q_D(CReceiverStatusList);
    setObjectName(QStringLiteral("ReceiverStatusList"));
    d->m_pModel = new CStatusListModel(this);
    setModel(d->m_pModel);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setUniformItemSizes(true);
    setIconSize(QSize(16, 16));
    setCurrentIndex(d->m_pModel->index(0));
}

void CReceiverStatusList::SetConnect()
{
    connect(this, &QAbstractItemView::clicked, this, &CReceiverStatusList::OnLineChosen);
}

void CReceiverStatusList::SetView(CCMMainView* pView)
{
    Q_D(CReceiverStatusList);
    for (const QMetaObject::Connection& connection : std::as_const(d->m_vecConnection))
        disconnect(connection);
    d->m_vecConnection.clear();
    d->m_pView = pView;
    if (pView) {
        d->m_vecConnection << connect(pView, &CCMMainView::StatusCountsChanged, this, &CReceiverStatusList::UpdateCounts)
                           << connect(pView, &CCMMainView::StatusFilterChanged, this, &CReceiverStatusList::UpdateChosen)
                           // A widget tells of its end before its guards are
                           // cleared, its children already gone: unbind first.
                           << connect(pView, &QObject::destroyed, this, [this]() { SetView(nullptr); });
    }
    UpdateCounts();
    UpdateChosen();
}

CCMMainView* CReceiverStatusList::View() const
{
    return d_func()->m_pView.data();
}

EHealthState CReceiverStatusList::StateOfRow(int nRow)
{
    if (nRow <= 0 || nRow > c_nHealthStateCount)
        return HealthNone;
    return EHealthState(1u << (nRow - 1));
}

int CReceiverStatusList::RowOfState(EHealthState eState)
{
    return HealthStateIndex(eState) + 1;
}

void CReceiverStatusList::OnLineChosen(const QModelIndex& index)
{
    Q_D(CReceiverStatusList);
    if (!index.isValid() || !d->m_pView)
        return;
    const EHealthState eState = StateOfRow(index.row());
    // A second click on the chosen line clears the filter, as "All" does.
    d->m_pView->SetStatusFilter(eState == d->m_pView->StatusFilter() ? HealthNone : eState);
    // The view tells only of a change; a click that changed nothing still
    // shows the line the filter is on.
    UpdateChosen();
}

void CReceiverStatusList::UpdateCounts()
{
    Q_D(CReceiverStatusList);
    d->m_pModel->SetCounts(d->m_pView ? d->m_pView->StatusCounts() : SStatusCounts());
}

void CReceiverStatusList::UpdateChosen()
{
    Q_D(CReceiverStatusList);
    const EHealthState eState = d->m_pView ? d->m_pView->StatusFilter() : HealthNone;
    const QModelIndex index = d->m_pModel->index(RowOfState(eState));
    selectionModel()->select(index, QItemSelectionModel::ClearAndSelect);
}

void CReceiverStatusList::keyPressEvent(QKeyEvent* e)
{
    switch (e->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
        if (e->modifiers() == Qt::NoModifier || e->modifiers() == Qt::KeypadModifier) {
            OnLineChosen(currentIndex());
            e->accept();
            return;
        }
        break;
    default:
        break;
    }
    QListView::keyPressEvent(e);
}

void CReceiverStatusList::changeEvent(QEvent* e)
{
    if (e->type() == QEvent::LanguageChange)
        d_func()->m_pModel->Retranslate();
    QListView::changeEvent(e);
}

QItemSelectionModel::SelectionFlags CReceiverStatusList::selectionCommand(const QModelIndex& index,
                                                                          const QEvent* e) const
{
    Q_UNUSED(index)
    Q_UNUSED(e)
    return QItemSelectionModel::NoUpdate;
}
