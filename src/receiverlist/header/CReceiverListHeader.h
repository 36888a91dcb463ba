#pragma once

#include "CMViewExport.h"

#include <QScopedPointer>

#include <QFont>
#include <QHeaderView>
#include <QRect>
#include <QStringList>

#include <memory>

typedef void* LPVOID;

struct SDetectLink;
class CColumnMap;

// The receiver list's header bar. Its check box, Filter and Reset buttons are
// painted icons with hit rectangles, not child widgets: a state change swaps an
// icon path and repaints.
class CReceiverListHeaderPrivate;

class CMVIEW_EXPORT CReceiverListHeader : public QHeaderView
{
    Q_OBJECT

public:
    explicit CReceiverListHeader(QWidget* parent = nullptr);
    ~CReceiverListHeader() override;

    // The column layout the sections follow; the view's model owns it and it
    // outlives the header. Sets the labels for it.
    void SetColumnMap(const CColumnMap* pColumns);
    const CColumnMap& Columns() const;
    // Labels the sections for the layout, in the current language.
    void SetColumnLabels();
    // A column's label by logical key, in the current language.
    static QString Label(int nKey);
    void SetButtonsEnabled(bool bEnabled);
    void SetCheckBoxState(int nState, bool bShowUnchecked);
    int GetCheckBoxState() const;
    void SetHasRows(bool bHasRows);
    void SetFilterDown(bool bDown);
    void SetFilterEnabled(bool bEnabled);
    QPoint GetFilterAnchor() const;
    int GetSortColumn() const;
    bool GetSortFlag() const;
    void SetSortColumn(int nColumn);
    void SetSortFlag(bool bAscending);
    void ShowButtonToolTip(bool bDelay);

    // Read-only state for hosts and checks.
    const QStringList& GetLabels() const;
    bool IsButtonsEnabled() const;
    bool HasRows() const;
    bool IsFilterDown() const;
    bool IsFilterEnabled() const;
    bool IsPortShown() const;
    QString GetCheckIcon() const;
    QString GetFilterIcon() const;
    QString GetResetIcon() const;
    QRect GetCheckRect() const;
    QRect GetFilterRect() const;
    QRect GetResetRect() const;

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
    int ColumnOf(int nKey) const;
    // The Reset button's place, none while its column is hidden.
    QRect ResetHitRect() const;


    // Shared with running detection jobs, so a job never signals a destroyed header.
    const QScopedPointer<CReceiverListHeaderPrivate> m_pPrivate;
    Q_DECLARE_PRIVATE_D(m_pPrivate, CReceiverListHeader)
};
