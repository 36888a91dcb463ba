#pragma once

#include "CTreeView.h"
#include "SReceiverRowInfo.h"

#include <QCollatorSortKey>
#include <QList>
#include <QVector>

#include <string>
#include <unordered_map>
#include <vector>

class QSortFilterProxyModel;
class QStandardItem;
class CReceiverListHeader;
class CReceiverListDelegate;
class CPortSelectWidget;
class CScrollBar;

// The receiver table: one row per receiver card, read from the controllers.
class CMVIEW_EXPORT CReceiverListView : public CTreeView
{
    Q_OBJECT

public:
    explicit CReceiverListView(QWidget* parent = nullptr);
    ~CReceiverListView() override;

    void Retranslate();
    void RefreshShow(bool bReload, bool bClearCheck);
    void UpdateShow();
    void UpdatePacketCount();
    void CollectReceiverInfo();
    void SetProgressFinished(bool bFinished);
    void UpdateProgress();
    bool IsProgressing() const { return m_bProgressing; }
    void SortByColumn(int nColumn, bool bAscending, bool bFromHeader);
    void SelectAll(bool bChecked);
    void UpdateCheckState();
    void FiltratePort(bool bClearChecks);

    // Read-only access for hosts and checks.
    QStandardItemModel* GetModel() const { return m_pModel; }
    QSortFilterProxyModel* GetProxyModel() const { return m_pProxyModel; }
    CReceiverListHeader* GetHeader() const { return m_pHeader; }
    CReceiverListDelegate* GetDelegate() const { return m_pDelegate; }
    CPortSelectWidget* GetPortSelectWidget() const { return m_pPortSelectWidget; }
    CScrollBar* GetHScrollBar() const { return m_pHScrollBar; }
    CScrollBar* GetVScrollBar() const { return m_pVScrollBar; }
    const QVector<SReceiverRowInfo>& GetRowInfoList() const { return m_listRowInfo; }
    bool IsShowPort() const { return m_bShowPort; }
    int GetPortColumnHidden() const { return m_nPortColumnHidden; }
    int GetFilterPort() const { return m_nFilterPort; }
    int GetFilterRowCount() const { return m_nFilterRowCount; }
    int GetHoverRow() const { return m_nHoverRow; }
    int GetAnchorRow() const { return m_nAnchorRow; }
    bool IsMultiCheck() const { return m_bMultiCheck; }
    int GetKeyState() const { return m_nKeyState; }

signals:
    void RcvSelectChanged();
    void DataChange();
    void SignalShowPack(bool bShow);
    void SetCheckState(Qt::CheckState state);
    void SignalFiltrate();

protected:
    bool event(QEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void leaveEvent(QEvent* e) override;
    void drawRow(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;

private:
    void InitModel();
    void InitScrollBar();
    void InitColumn();
    void LayoutScrollBars();
    void ShowPortPopup();
    void OnItemChanged(QStandardItem* pItem);
    void OnHeaderSort(int nIndex, bool bSort);
    void OnHeaderMouseEnter();
    void OnPortChosen();

    // Model row under a viewport position, through the proxy; -1 over empty space.
    int ModelRowAt(const QPoint& pos) const;
    bool IsModelRowHidden(int nRow) const;
    // Whether the view shows the rows in model order (no proxy sort).
    bool IsViewInModelOrder() const;
    // A model row's place in the view, and rows put in view order.
    int ViewPosition(int nRow) const;
    std::vector<int> SortedByView(std::vector<int> vecRows) const;
    // Rows whose first cell may show a box or hold a check mark (checkable,
    // box flag, or any check state); every such row is listed, a few more may
    // be. Walks of "the checked rows" visit these instead of the whole wall.
    const std::vector<int>& BoxRows();
    void ResetBoxRows();
    void NoteBoxRow(int nRow);
    // The first checked row in view order, -1 for none.
    int FirstCheckedRow(bool bCheckableOnly);
    // The serial number's collation key, made once and kept.
    const QCollatorSortKey& CollationKey(const std::string& strSN);
    std::vector<int> RowsInViewOrder() const;
    QStandardItem* FirstCell(int nRow) const;
    SReceiverAddress RowAddress(int nRow, QMap<int, SPortAddress>* pPortCache, bool bIdentity = false) const;
    // The number a row's Port or Position cell holds (nKey), from the record
    // of what the row shows while it is known.
    int RowNumber(int nRow, int nKey) const;
    bool IsShownInfoKnown() const;
    int CheckBoxStateForCount(int nCheckedRows) const;
    // Writes a cell (nKey) from its row's record; with pShown (what the row
    // shows now) only when the fields it is made of differ. Returns whether it wrote.
    bool WriteCell(QStandardItem* pItem, int nKey, const SReceiverRowInfo& info, const SReceiverRowInfo* pShown) const;
    // The same for a whole row, except Progress; returns the written column keys as bits.
    uint32_t WriteRowCells(const QList<QStandardItem*>& listItems, const SReceiverRowInfo& info,
                           const SReceiverRowInfo* pShown) const;
    // Returns whether the Progress cell changed.
    bool WriteProgressCell(QStandardItem* pItem, const SRowProgressInfo& progress) const;
    void EmitModelDataChanged(int nFirstColumn, int nLastColumn, int nFirstRow = 0, int nLastRow = -1);
    void OnModelChangedElsewhere(const QModelIndex& topLeft, const QModelIndex& bottomRight, const QVector<int>& roles);
    // Hides the hover box of m_nHoverRow when it is unchecked; signals must be blocked.
    void DropHoverBox();

    CReceiverListHeader* m_pHeader = nullptr;
    CReceiverListDelegate* m_pDelegate = nullptr;
    CPortSelectWidget* m_pPortSelectWidget = nullptr;
    QVector<SReceiverRowInfo> m_listRowInfo;
    QVector<SRowProgressInfo> m_listProgressInfo;
    QSortFilterProxyModel* m_pProxyModel = nullptr;
    CScrollBar* m_pHScrollBar = nullptr;
    CScrollBar* m_pVScrollBar = nullptr;
    bool m_bShowPort = false;
    int m_nPortColumnHidden = 0;
    int m_nFilterPort = -1;
    int m_nFilterRowCount = 0;
    int m_nHoverRow = -1;
    int m_nAnchorRow = -1;
    bool m_bMultiCheck = false;
    bool m_bProgressing = false;
    int m_nKeyState = 0;

    // The port preference the sort column was last expressed against; the sort
    // column moves once when a refresh re-lays the columns for a new preference.
    bool m_bSortPortHiddenKnown = false;
    bool m_bSortPortHidden = false;
    QMetaObject::Connection m_connItemChanged;

    // What each model row shows, by model row, as this view last wrote it;
    // void once anybody else changes the rows or their texts.
    std::vector<SReceiverRowInfo> m_vecShownInfo;
    bool m_bShownInfoValid = false;
    bool m_bEmittingOwnChange = false;
    // The box rows (see BoxRows()) and, by model row, whether one is listed.
    std::vector<int> m_vecBoxRows;
    std::vector<char> m_vecBoxListed;
    bool m_bBoxRowsKnown = false;
    std::unordered_map<std::string, QCollatorSortKey> m_mapCollationKey;
};
