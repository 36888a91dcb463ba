#pragma once

#include "CTreeView.h"
#include "ReceiverHealth.h"
#include "SReceiverRowInfo.h"

#include <QScopedPointer>
#include <QVector>

#include <vector>

class QAbstractItemModel;
class QIODevice;
class QSortFilterProxyModel;
class CReceiverListHeader;
class CReceiverListDelegate;
class CPortSelectWidget;
class CScrollBar;
class CColumnMap;
class CReceiverTableModel;
class CReceiverListViewPrivate;

// The receiver table: one row per receiver card, read from the controllers.
// It coordinates; the rows, sorting, checking, the port filter, upgrade
// progress and the gestures each live in a class of their own.
class CMVIEW_EXPORT CReceiverListView : public CTreeView
{
    Q_OBJECT

public:
    explicit CReceiverListView(QWidget* parent = nullptr);
    ~CReceiverListView() override;

    // Brings the row wholly into view: Qt's per-pixel scroll leaves the last
    // pixel line of a row it scrolls up from below outside the viewport.
    void scrollTo(const QModelIndex& index, ScrollHint hint = EnsureVisible) override;

    void Retranslate();
    void RefreshShow(bool bReload, bool bClearCheck);
    void UpdateShow();
    void UpdatePacketCount();
    void CollectReceiverInfo();
    void SetProgressFinished(bool bFinished);
    void UpdateProgress();
    bool IsProgressing() const;
    void SortByColumn(int nColumn, bool bAscending, bool bFromHeader);
    void SelectAll(bool bChecked);
    void UpdateCheckState();
    // Applies the port filter; returns the rows shown.
    int FiltratePort(bool bClearChecks);

    // The operator's features (CReceiverListViewFeatures.cpp); nKey is a
    // logical column key.
    void SetColumnVisible(int nKey, bool bVisible);
    bool IsColumnVisible(int nKey) const;
    QByteArray SaveViewState() const;
    bool RestoreViewState(const QByteArray& state);
    // What Ctrl+C puts on the clipboard; empty when nothing is to be copied.
    QString CopyText() const;
    void CopyToClipboard() const;
    bool ExportCsv(QIODevice* pDevice, bool bCheckedOnly) const;
    bool FindReceiver(const QString& strText);
    void SetKeyboardChecking(bool bOn);
    bool IsKeyboardChecking() const;
    // The model row a find marks for a moment, -1 for none.
    int GetFoundRow() const;

    // Wall health (CReceiverListViewHealth.cpp): limits, counts per state,
    // and the status and text filters that combine with the port filter.
    void SetHealthLimits(const SHealthLimits& limits);
    SHealthLimits HealthLimits() const;
    SStatusCounts StatusCounts() const;
    void SetStatusFilter(EHealthState eState);
    EHealthState StatusFilter() const;
    void SetTextFilter(const QString& strText);
    QString TextFilter() const;
    // Checked rows that a filter hides.
    int CheckedHiddenCount() const;
    // The rows the three filters show together.
    int GetShownRowCount() const;

    // What the wall map reads and does (CReceiverListViewMap.cpp), by model row.
    CReceiverTableModel* GetTableModel() const;
    // Whether one of the filters hides the row.
    bool IsModelRowHidden(int nRow) const;
    // The current row, -1 for none.
    int GetCurrentModelRow() const;
    // Makes the row current, scrolls to it and frames it, as a key move does.
    void SetCurrentModelRow(int nRow);
    // A Ctrl- or Shift-press on a card from outside the table, by the table's
    // rules; a Shift range runs over vecOrder (model rows). Nothing while an
    // upgrade is shown.
    void PressModelRow(int nRow, Qt::KeyboardModifiers modifiers, const std::vector<int>& vecOrder);

    // Read-only access for hosts and checks.
    // The table model (a CReceiverTableModel inside the library).
    QAbstractItemModel* GetModel() const;
    QSortFilterProxyModel* GetProxyModel() const;
    CReceiverListHeader* GetHeader() const;
    CReceiverListDelegate* GetDelegate() const;
    CPortSelectWidget* GetPortSelectWidget() const;
    CScrollBar* GetHScrollBar() const;
    CScrollBar* GetVScrollBar() const;
    const QVector<SReceiverRowInfo>& GetRowInfoList() const;
    // How logical column keys map to the model's columns.
    const CColumnMap& GetColumnMap() const;
    bool IsShowPort() const;
    int GetFilterPort() const;
    int GetFilterRowCount() const;
    int GetHoverRow() const;
    int GetAnchorRow() const;
    bool IsMultiCheck() const;
    // How far the service key sequence 1, 5, 9 got (0 to 2).
    int GetServiceKeyStep() const;

signals:
    void RcvSelectChanged();
    void DataChange();
    void SignalShowPack(bool bShow);
    void SetCheckState(Qt::CheckState state);
    void SignalFiltrate();
    void StatusCountsChanged();
    void StatusFilterChanged();
    // A filter hid or showed rows.
    void RowsHiddenChanged();
    // SetHealthLimits() set other limits.
    void HealthLimitsChanged();
    // Another row became current (or none).
    void CurrentRowChanged();

protected:
    bool event(QEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void leaveEvent(QEvent* e) override;
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
    void drawRow(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    // Passes on only the rows on screen of a change notice: an update of a
    // whole wall would otherwise have the view measure every row's rectangle.
    void dataChanged(const QModelIndex& topLeft, const QModelIndex& bottomRight,
                     const QVector<int>& roles = QVector<int>()) override;

private:
    void InitControl();
    void SetConnect();
    void InitColumn();
    // Sets the column layout from the port preference; keeps the sort on the
    // same logical column when the Port column comes or goes.
    void ApplyPortPreference();
    // Rows from the row list: moved into the list's order when the rows are
    // the list's records, rebuilt otherwise.
    void BuildRows(bool bClearCheck);
    // Finishes a refresh or an update: the Qt sort, the port filter and the header.
    void FinishRows(int nChecked);
    void OnModelDataChanged(const QModelIndex& topLeft, const QModelIndex& bottomRight);
    void OnHeaderSort(int nIndex, bool bSort);
    void ShowColumnMenu(const QPoint& pos);
    // The keys the operator's features add; true when the key was taken.
    bool OperatorKey(QKeyEvent* e);
    bool MoveCurrent(CursorAction eAction);
    // The frame around the current row a key or a find moved.
    void DrawCurrentFrame(QPainter* painter, const QRect& rect, const QModelIndex& index) const;

    const QScopedPointer<CReceiverListViewPrivate> m_pPrivate;
    Q_DECLARE_PRIVATE_D(m_pPrivate, CReceiverListView)
};
