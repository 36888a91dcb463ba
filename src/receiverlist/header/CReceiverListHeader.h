#pragma once

#include "CMViewExport.h"

#include <QFont>
#include <QHeaderView>
#include <QRect>
#include <QStringList>

#include <memory>

typedef void* LPVOID;

struct SDetectLink;

// The receiver list's header bar. Its check box, Filter and Reset buttons are
// painted icons with hit rectangles, not child widgets: a state change swaps an
// icon path and repaints.
class CMVIEW_EXPORT CReceiverListHeader : public QHeaderView
{
    Q_OBJECT

public:
    explicit CReceiverListHeader(QWidget* parent = nullptr);
    ~CReceiverListHeader() override;

    void SetColumnLabels(bool bShowPort);
    void SetButtonsEnabled(bool bEnabled);
    void SetCheckBoxState(int nState, bool bShowUnchecked);
    int GetCheckBoxState() const { return m_nCheckState; }
    void SetHasRows(bool bHasRows) { m_bHasRows = bHasRows; }
    void SetFilterDown(bool bDown);
    void SetFilterEnabled(bool bEnabled);
    QPoint GetFilterAnchor() const { return m_rectFilter.bottomLeft(); }
    int GetSortColumn() const { return m_nSortColumn; }
    bool GetSortFlag() const { return m_bSort; }
    void SetSortColumn(int nColumn) { m_nSortColumn = nColumn; }
    void ShowButtonToolTip(bool bDelay);

    // Read-only state for hosts and checks.
    const QStringList& GetLabels() const { return m_listLabels; }
    bool IsButtonsEnabled() const { return m_bEnabled; }
    bool HasRows() const { return m_bHasRows; }
    bool IsFilterDown() const { return m_bFilterDown; }
    bool IsFilterEnabled() const { return m_bFilterEnabled; }
    QString GetCheckIcon() const { return m_strCheckIcon; }
    QString GetFilterIcon() const { return m_strFilterIcon; }
    QString GetResetIcon() const { return m_strResetIcon; }
    QRect GetCheckRect() const { return m_rectCheck; }
    QRect GetFilterRect() const { return m_rectFilter; }
    QRect GetResetRect() const { return m_rectReset; }

    // True while a detection job runs anywhere in the process.
    static bool IsDetecting();

signals:
    void ClearCableError();
    void SetAllChecked(bool bChecked);
    void FiltrateClicked();
    void SortColumn(int index, bool bSort);
    void MouseEnter();

public slots:
    static uint RcvDetectThread(LPVOID lParam);

protected:
    void paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void leaveEvent(QEvent* e) override;
    bool event(QEvent* e) override;

private:
    static uint RunDetect(const std::shared_ptr<SDetectLink>& pLink);
    QString FilterIconByFlags() const;
    QString CheckIconFor(bool bEnabled, int nState, bool bShowUnchecked) const;
    void OnSectionResized(int logicalIndex, int oldSize, int newSize);

    QStringList m_listLabels;
    int m_nSortColumn = 0;
    bool m_bSort = true;
    QString m_strResetIcon;
    mutable QRect m_rectReset;
    bool m_bEnabled = true;
    bool m_bResetHover = false;
    bool m_bShowPort = false;
    int m_nPortColumnHidden = 0;
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
    // Shared with running detection jobs, so a job never signals a destroyed header.
    std::shared_ptr<SDetectLink> m_pDetectLink;
};
