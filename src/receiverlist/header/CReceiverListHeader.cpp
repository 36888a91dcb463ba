#include "CReceiverListHeader.h"

#include "TavrelCMControl.h"

#include "CColumnMap.h"
#include "CHeaderAccessible.h"
#include "CIconCache.h"
#include "ReceiverGeometry.h"
#include "CToolTip.h"
#include "HeaderGeometry.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QStyleOptionButton>
#include <QThreadPool>

#include <atomic>
#include <mutex>

// Private state behind the d-pointer: later releases can change it and keep
// binary compatibility.
class CReceiverListHeaderPrivate
{
public:
    QStringList m_listLabels;
    int m_nSortColumn = 0;
    bool m_bSort = true;
    QString m_strResetIcon;
    mutable QRect m_rectReset;
    bool m_bEnabled = true;
    bool m_bResetHover = false;
    // The view's column layout; a header on its own uses the full layout.
    CColumnMap m_columnsOwn;
    const CColumnMap* m_pColumns = &m_columnsOwn;
    bool m_bBusy = false;
    QString m_strCheckIcon;
    int m_nCheckState = 0;
    mutable QRect m_rectCheck;
    bool m_bHasRows = false;
    QString m_strFilterIcon;
    bool m_bFilterDown = false;
    bool m_bFilterEnabled = false;
    mutable QRect m_rectFilter;
    bool m_bFilterHover = false;
    QFont m_fontLabel;
    std::shared_ptr<SDetectLink> m_pDetectLink;
};

namespace
{
const QString s_strResetNormal = QStringLiteral(":/image/control/reset/normal.svg");
const QString s_strResetDown = QStringLiteral(":/image/control/reset/down.svg");
const QString s_strResetDisable = QStringLiteral(":/image/control/reset/disable.svg");
const QString s_strFilterNormal = QStringLiteral(":/image/control/filtrate/normal.svg");
const QString s_strFilterHover = QStringLiteral(":/image/control/filtrate/hover.svg");
const QString s_strFilterDown = QStringLiteral(":/image/control/filtrate/down.svg");
const QString s_strFilterDisable = QStringLiteral(":/image/control/filtrate/disable.svg");
const QString s_strCheckDown = QStringLiteral(":/image/control/checkBox/down.svg");
const QString s_strCheckIndeterminate = QStringLiteral(":/image/control/checkBox/indeterminate.svg");
const QString s_strCheckNormal = QStringLiteral(":/image/control/checkBox/normal.svg");
const QString s_strCheckDisable = QStringLiteral(":/image/control/checkBox/checkDisable.svg");
const QString s_strIndeterminateDisable = QStringLiteral(":/image/control/checkBox/indeterminateDisable.svg");
const QString s_strUncheckDisable = QStringLiteral(":/image/control/checkBox/uncheckDisable.svg");
const QString s_strSortUp2Down = QStringLiteral(":/image/treeView/headerSort/up2down.png");
const QString s_strSortDown2Up = QStringLiteral(":/image/treeView/headerSort/down2up.png");

const QColor s_colorBackground(0x2F, 0x32, 0x37);
const QColor s_colorText(0xE3, 0xE5, 0xE8);
const QColor s_colorSeparatorLeft(0x51, 0x57, 0x5F);
const QColor s_colorSeparatorRight(0x00, 0x00, 0x00);

constexpr int s_nPacketsMinWidth = 155;

std::atomic_bool s_bDetecting { false };

QPixmap SortArrow(bool bAscending)
{
    // Loaded once; the two arrows never change while the process runs.
    static const QPixmap s_pixUp2Down(s_strSortUp2Down);
    static const QPixmap s_pixDown2Up(s_strSortDown2Up);
    return bAscending ? s_pixUp2Down : s_pixDown2Up;
}
}

// The header a job signals when it ends. The header clears the pointer under
// the mutex when it is destroyed; a job emits only while holding the mutex.
struct SDetectLink
{
    // A standard mutex, so thread checkers see the hand-over as well.
    std::mutex mutex;
    CReceiverListHeader* pHeader = nullptr;
};

CReceiverListHeader::CReceiverListHeader(QWidget* parent)
    : QHeaderView(Qt::Horizontal, parent)
    , m_pPrivate(new CReceiverListHeaderPrivate)
{
    m_pPrivate->m_strResetIcon = s_strResetNormal;
    m_pPrivate->m_strFilterIcon = s_strFilterDisable;
    m_pPrivate->m_pDetectLink = std::make_shared<SDetectLink>();
    m_pPrivate->m_pDetectLink->pHeader = this;
    CHeaderAccessible::InstallFactory();

    setHighlightSections(false);
    setStretchLastSection(true);
    setSortIndicator(0, Qt::AscendingOrder);
    installEventFilter(this);
    setAttribute(Qt::WA_MouseTracking);
    setSectionResizeMode(QHeaderView::Interactive);

    SetColumnLabels();

    m_pPrivate->m_fontLabel = HeaderGeometry::LabelFont();

    connect(this, &QHeaderView::sectionResized, this, &CReceiverListHeader::OnSectionResized);
}

CReceiverListHeader::~CReceiverListHeader()
{
    std::lock_guard<std::mutex> locker(m_pPrivate->m_pDetectLink->mutex);
    m_pPrivate->m_pDetectLink->pHeader = nullptr;
}

void CReceiverListHeader::OnSectionResized(int logicalIndex, int /*oldSize*/, int newSize)
{
    if (logicalIndex == ColumnOf(ReceiverColumn::Packets) && newSize < s_nPacketsMinWidth)
        resizeSection(logicalIndex, s_nPacketsMinWidth);
}

QString CReceiverListHeader::Label(int nKey)
{
    switch (nKey) {
    case ReceiverColumn::Port: return tr("Port");
    case ReceiverColumn::Position: return tr("String position");
    case ReceiverColumn::Type: return tr("Type");
    case ReceiverColumn::SerialNumber: return tr("S/N");
    case ReceiverColumn::Firmware: return tr("Firmware");
    case ReceiverColumn::Packets: return tr("Error/Total packets");
    case ReceiverColumn::Progress: return tr("Progress");
    case ReceiverColumn::FailedModule: return tr("Failed module");
    case ReceiverColumn::Temperature: return tr("Temperature");
    case ReceiverColumn::Humidity: return tr("Humidity");
    case ReceiverColumn::Voltage: return tr("Voltage");
    case ReceiverColumn::Uptime: return tr("Uptime");
    default: return QString();
    }
}

void CReceiverListHeader::SetColumnMap(const CColumnMap* pColumns)
{
    Q_ASSERT(pColumns);
    m_pPrivate->m_pColumns = pColumns;
    SetColumnLabels();
}

const CColumnMap& CReceiverListHeader::Columns() const
{
    return *m_pPrivate->m_pColumns;
}

int CReceiverListHeader::ColumnOf(int nKey) const
{
    return m_pPrivate->m_pColumns->ColumnOf(nKey);
}

void CReceiverListHeader::SetColumnLabels()
{
    const CColumnMap& columns = *m_pPrivate->m_pColumns;
    m_pPrivate->m_listLabels.clear();
    for (int c = 0; c < columns.ColumnCount(); ++c)
        m_pPrivate->m_listLabels << Label(columns.KeyOf(c));
    update();
}

QString CReceiverListHeader::FilterIconByFlags() const
{
    if (!m_pPrivate->m_bFilterEnabled || !IsPortShown())
        return s_strFilterDisable;
    return m_pPrivate->m_bFilterDown ? s_strFilterDown : s_strFilterNormal;
}

QString CReceiverListHeader::CheckIconFor(bool bEnabled, int nState, bool bShowUnchecked) const
{
    if (nState == Qt::Checked)
        return bEnabled ? s_strCheckDown : s_strCheckDisable;
    if (nState == Qt::PartiallyChecked)
        return bEnabled ? s_strCheckIndeterminate : s_strIndeterminateDisable;
    if (!bShowUnchecked)
        return QString();
    return bEnabled ? s_strCheckNormal : s_strUncheckDisable;
}

void CReceiverListHeader::SetButtonsEnabled(bool bEnabled)
{
    m_pPrivate->m_bEnabled = bEnabled;
    if (bEnabled) {
        m_pPrivate->m_strFilterIcon = FilterIconByFlags();
        m_pPrivate->m_strResetIcon = s_strResetNormal;
    } else {
        m_pPrivate->m_strFilterIcon = s_strFilterDisable;
        m_pPrivate->m_strResetIcon = s_strResetDisable;
    }
    m_pPrivate->m_strCheckIcon = CheckIconFor(bEnabled, m_pPrivate->m_nCheckState, m_pPrivate->m_bHasRows);
    update();
}

void CReceiverListHeader::SetCheckBoxState(int nState, bool bShowUnchecked)
{
    m_pPrivate->m_nCheckState = nState;
    m_pPrivate->m_strCheckIcon = CheckIconFor(true, nState, bShowUnchecked);
    update();
}

void CReceiverListHeader::SetFilterDown(bool bDown)
{
    m_pPrivate->m_bFilterDown = bDown;
    m_pPrivate->m_strFilterIcon = s_strFilterDisable;
    if (g_pRuntimeControl && !g_pRuntimeControl->IsOperating() && !g_pRuntimeControl->IsBusy() && m_pPrivate->m_bFilterEnabled)
        m_pPrivate->m_strFilterIcon = m_pPrivate->m_bFilterDown ? s_strFilterDown : s_strFilterNormal;
    update();
}

void CReceiverListHeader::SetFilterEnabled(bool bEnabled)
{
    m_pPrivate->m_bFilterEnabled = bEnabled;
    m_pPrivate->m_strFilterIcon = s_strFilterDisable;
    if (g_pRuntimeControl && !g_pRuntimeControl->IsOperating() && !g_pRuntimeControl->IsBusy() && m_pPrivate->m_bFilterEnabled)
        m_pPrivate->m_strFilterIcon = m_pPrivate->m_bFilterDown ? s_strFilterDown : s_strFilterNormal;
    update();
}

void CReceiverListHeader::ShowButtonToolTip(bool bDelay)
{
    QString strText;
    if (m_pPrivate->m_bResetHover)
        strText = tr("Reset");
    else if (m_pPrivate->m_bFilterHover)
        strText = tr("Filter");
    else {
        CToolTip::HideText();
        return;
    }
    if (bDelay)
        CToolTip::ShowTextDelay(strText, 40);
    else
        CToolTip::ShowText(strText);
}

void CReceiverListHeader::paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const
{
    painter->save();
    QHeaderView::paintSection(painter, rect, logicalIndex);
    painter->restore();

    const int L = rect.left();
    const int T = rect.top();
    const int R = rect.right();
    const int B = rect.bottom();

    painter->setPen(Qt::NoPen);
    painter->setBrush(s_colorBackground);
    painter->drawRects(&rect, 1);

    painter->setFont(m_pPrivate->m_fontLabel);
    painter->setPen(s_colorText);
    painter->setBrush(Qt::NoBrush);

    const QString strLabel = m_pPrivate->m_listLabels.value(logicalIndex);

    if (logicalIndex == 0) {
        QStyleOptionButton option;
        option.initFrom(this);
        option.palette.setColor(QPalette::WindowText, s_colorText);
        option.text = strLabel;
        option.iconSize = QSize(HeaderGeometry::nCheckIconSize, HeaderGeometry::nCheckIconSize);
        if (m_pPrivate->m_bHasRows && !m_pPrivate->m_strCheckIcon.isEmpty())
            option.icon = QIcon(CIconCache::Pixmap(m_pPrivate->m_strCheckIcon, option.iconSize, painter->device()->devicePixelRatioF()));
        const int X = m_pPrivate->m_strCheckIcon.isEmpty() ? 20 : 0;
        option.rect = QRect(QPoint(L + HeaderGeometry::nCheckLeft + X, T), QPoint(R, B));
        style()->drawControl(QStyle::CE_CheckBoxLabel, &option, painter);
        m_pPrivate->m_rectCheck = ReceiverGeometry::BoxRect(QPoint(L, T));

        if (IsPortShown()) {
            const QRect rectText = painter->boundingRect(QRect(QPoint(L + HeaderGeometry::nFilterLabelLeft, T), QPoint(R - 30, B)),
                                                         Qt::AlignLeft, strLabel);
            const int X2 = rectText.right() + HeaderGeometry::nButtonGap;
            const int nSize = HeaderGeometry::nButtonSize;
            CIconCache::Draw(painter, QRectF(X2, 9, nSize, nSize), m_pPrivate->m_strFilterIcon);
            m_pPrivate->m_rectFilter = QRect(X2, 9, nSize, nSize);
        }
    }

    const int nPackets = ColumnOf(ReceiverColumn::Packets);
    if (m_pPrivate->m_nSortColumn == logicalIndex && logicalIndex != ColumnOf(ReceiverColumn::Progress) && m_pPrivate->m_bEnabled) {
        const QPixmap pixArrow = SortArrow(m_pPrivate->m_bSort);
        painter->drawPixmap(QRectF(L + (R - L + 1) / 2 - 4, 3, 9, 5), pixArrow, QRectF(pixArrow.rect()));
    }

    if (logicalIndex != 0) {
        const int RT = (logicalIndex == nPackets) ? R - HeaderGeometry::nResetReserve : R;
        const int LT = L + HeaderGeometry::nLabelLeft;
        painter->drawText(QRectF(LT, T, RT - LT + 1, B - T + 1), strLabel,
                          QTextOption(Qt::AlignLeft | Qt::AlignVCenter));
    }

    if (logicalIndex != ColumnOf(Columns().LastKey())) {
        painter->setPen(s_colorSeparatorLeft);
        painter->drawLine(R - 1, T + 6, R - 1, B - 6);
        painter->setPen(s_colorSeparatorRight);
        painter->drawLine(R, T + 6, R, B - 6);
    }

    if (logicalIndex == nPackets) {
        const QRect rectText = painter->boundingRect(
            QRect(QPoint(L + HeaderGeometry::nResetLabelLeft, T), QPoint(R - HeaderGeometry::nResetReserve, B)), Qt::AlignLeft, strLabel);
        const int X2 = rectText.right() + HeaderGeometry::nButtonGap;
        const int nSize = HeaderGeometry::nButtonSize;
        CIconCache::Draw(painter, QRectF(X2, 8, nSize, nSize), m_pPrivate->m_strResetIcon);
        m_pPrivate->m_rectReset = QRect(X2, 8, nSize, nSize);
    }
}

void CReceiverListHeader::mousePressEvent(QMouseEvent* e)
{
    // The right button opens the column menu and does nothing else.
    if (!m_pPrivate->m_bEnabled || m_pPrivate->m_bBusy || e->button() == Qt::RightButton)
        return;
    m_pPrivate->m_bBusy = true;
    const QPoint pos = e->pos();

    if (ResetHitRect().contains(pos)) {
        if (g_pReceiverControl)
            g_pReceiverControl->ClearCableErrors();
        const std::shared_ptr<SDetectLink> pLink = m_pPrivate->m_pDetectLink;
        // Nobody waits for the job; the link keeps it from reaching a destroyed header.
        QThreadPool::globalInstance()->start([pLink]() { RunDetect(pLink); });
        m_pPrivate->m_bBusy = false;
        return;
    }

    if (m_pPrivate->m_rectFilter.contains(pos) && IsPortShown()) {
        if (m_pPrivate->m_bFilterEnabled) {
            m_pPrivate->m_bFilterDown = true;
            m_pPrivate->m_strFilterIcon = s_strFilterDown;
            emit FiltrateClicked();
            update();
        } else {
            m_pPrivate->m_strFilterIcon = s_strFilterDisable;
            update();
        }
        m_pPrivate->m_bBusy = false;
        return;
    }

    if (m_pPrivate->m_rectCheck.contains(pos) && m_pPrivate->m_bHasRows) {
        if (m_pPrivate->m_nCheckState == Qt::Checked) {
            emit SetAllChecked(false);
            SetCheckBoxState(Qt::Unchecked, true);
        } else {
            emit SetAllChecked(true);
            m_pPrivate->m_nCheckState = Qt::Checked;
            m_pPrivate->m_strCheckIcon = s_strCheckDown;
            update();
        }
        m_pPrivate->m_bBusy = false;
        return;
    }

    QHeaderView::mousePressEvent(e);
    if (cursor().shape() == Qt::SplitHCursor) {
        m_pPrivate->m_bBusy = false;
        return;
    }
    const int nSection = orientation() == Qt::Horizontal ? logicalIndexAt(pos.x()) : logicalIndexAt(pos.y());
    if (nSection == ColumnOf(ReceiverColumn::Progress)) {
        m_pPrivate->m_bBusy = false;
        return;
    }
    if (nSection != m_pPrivate->m_nSortColumn) {
        m_pPrivate->m_nSortColumn = nSection;
        m_pPrivate->m_bSort = true;
    } else {
        m_pPrivate->m_bSort = !m_pPrivate->m_bSort;
    }
    emit SortColumn(nSection, m_pPrivate->m_bSort);
    update();
    m_pPrivate->m_bBusy = false;
}

void CReceiverListHeader::mouseMoveEvent(QMouseEvent* e)
{
    QHeaderView::mouseMoveEvent(e);
    if (!m_pPrivate->m_bEnabled)
        return;
    const QPoint pos = e->pos();

    if (ResetHitRect().contains(pos)) {
        m_pPrivate->m_strResetIcon = s_strResetDown;
        if (!m_pPrivate->m_bResetHover) {
            m_pPrivate->m_bResetHover = true;
            update();
        }
    } else {
        m_pPrivate->m_strResetIcon = s_strResetNormal;
        if (m_pPrivate->m_bResetHover) {
            m_pPrivate->m_bResetHover = false;
            update();
        }
    }

    if (IsPortShown()) {
        const bool bInside = m_pPrivate->m_rectFilter.contains(pos);
        if (!m_pPrivate->m_bFilterEnabled)
            m_pPrivate->m_strFilterIcon = s_strFilterDisable;
        else if (m_pPrivate->m_bFilterDown)
            m_pPrivate->m_strFilterIcon = s_strFilterDown;
        else
            m_pPrivate->m_strFilterIcon = bInside ? s_strFilterHover : s_strFilterNormal;
        if (bInside != m_pPrivate->m_bFilterHover) {
            m_pPrivate->m_bFilterHover = bInside;
            update();
        }
    }

    if (m_pPrivate->m_rectCheck.contains(pos) && m_pPrivate->m_bHasRows) {
        if (m_pPrivate->m_strCheckIcon.isEmpty()) {
            m_pPrivate->m_strCheckIcon = s_strCheckNormal;
            update();
        }
    } else if (m_pPrivate->m_strCheckIcon == s_strCheckNormal) {
        m_pPrivate->m_strCheckIcon.clear();
        update();
    }
}

void CReceiverListHeader::leaveEvent(QEvent* e)
{
    if (m_pPrivate->m_bResetHover) {
        m_pPrivate->m_bResetHover = false;
        m_pPrivate->m_strResetIcon = s_strResetNormal;
        update();
    }
    if (m_pPrivate->m_bFilterHover) {
        m_pPrivate->m_bFilterHover = false;
        m_pPrivate->m_strFilterIcon = FilterIconByFlags();
        update();
    }
    if (m_pPrivate->m_bEnabled) {
        m_pPrivate->m_strCheckIcon = CheckIconFor(true, m_pPrivate->m_nCheckState, false);
        update();
    }
    QHeaderView::leaveEvent(e);
}

bool CReceiverListHeader::event(QEvent* e)
{
    switch (e->type()) {
    case QEvent::HoverMove:
        if (CToolTip::IsVisible())
            ShowButtonToolTip(true);
        break;
    case QEvent::ToolTip:
        ShowButtonToolTip(false);
        break;
    case QEvent::Enter:
        emit MouseEnter();
        break;
    default:
        break;
    }
    return QHeaderView::event(e);
}

bool CReceiverListHeader::IsDetecting()
{
    return s_bDetecting.load();
}

uint CReceiverListHeader::RcvDetectThread(LPVOID lParam)
{
    // Invoked directly, the caller vouches for the header; jobs started by a
    // Reset click go through the header's link instead.
    auto* pHeader = static_cast<CReceiverListHeader*>(lParam);
    return RunDetect(pHeader ? pHeader->m_pPrivate->m_pDetectLink : std::shared_ptr<SDetectLink>());
}

uint CReceiverListHeader::RunDetect(const std::shared_ptr<SDetectLink>& pLink)
{
    if (s_bDetecting.exchange(true))
        return 0;

    if (g_pPreferenceControl && g_pPreferenceControl->IsPortHidden()) {
        if (g_pDetectControl)
            g_pDetectControl->DetectAll(true);
    } else if (g_pRuntimeControl) {
        const QUuid id = g_pRuntimeControl->GetCurrentDeviceId();
        if (!id.isNull() && g_pDetectControl)
            g_pDetectControl->DetectReceivers(id);
    }

    if (pLink) {
        std::lock_guard<std::mutex> locker(pLink->mutex);
        if (pLink->pHeader)
            emit pLink->pHeader->ClearCableError();
    }
    s_bDetecting.store(false);
    return 0;
}

int CReceiverListHeader::GetCheckBoxState() const
{
    return m_pPrivate->m_nCheckState;
}

void CReceiverListHeader::SetHasRows(bool bHasRows)
{
    m_pPrivate->m_bHasRows = bHasRows;
}

QPoint CReceiverListHeader::GetFilterAnchor() const
{
    return m_pPrivate->m_rectFilter.bottomLeft();
}

int CReceiverListHeader::GetSortColumn() const
{
    return m_pPrivate->m_nSortColumn;
}

bool CReceiverListHeader::GetSortFlag() const
{
    return m_pPrivate->m_bSort;
}

void CReceiverListHeader::SetSortColumn(int nColumn)
{
    m_pPrivate->m_nSortColumn = nColumn;
}

void CReceiverListHeader::SetSortFlag(bool bAscending)
{
    m_pPrivate->m_bSort = bAscending;
    update();
}

QRect CReceiverListHeader::ResetHitRect() const
{
    const int nPackets = ColumnOf(ReceiverColumn::Packets);
    return nPackets < count() && isSectionHidden(nPackets) ? QRect() : m_pPrivate->m_rectReset;
}

const QStringList& CReceiverListHeader::GetLabels() const
{
    return m_pPrivate->m_listLabels;
}

bool CReceiverListHeader::IsButtonsEnabled() const
{
    return m_pPrivate->m_bEnabled;
}

bool CReceiverListHeader::HasRows() const
{
    return m_pPrivate->m_bHasRows;
}

bool CReceiverListHeader::IsFilterDown() const
{
    return m_pPrivate->m_bFilterDown;
}

bool CReceiverListHeader::IsPortShown() const
{
    return m_pPrivate->m_pColumns->IsPortShown();
}

bool CReceiverListHeader::IsFilterEnabled() const
{
    return m_pPrivate->m_bFilterEnabled;
}

QString CReceiverListHeader::GetCheckIcon() const
{
    return m_pPrivate->m_strCheckIcon;
}

QString CReceiverListHeader::GetFilterIcon() const
{
    return m_pPrivate->m_strFilterIcon;
}

QString CReceiverListHeader::GetResetIcon() const
{
    return m_pPrivate->m_strResetIcon;
}

QRect CReceiverListHeader::GetCheckRect() const
{
    return m_pPrivate->m_rectCheck;
}

QRect CReceiverListHeader::GetFilterRect() const
{
    return m_pPrivate->m_rectFilter;
}

QRect CReceiverListHeader::GetResetRect() const
{
    return ResetHitRect();
}
