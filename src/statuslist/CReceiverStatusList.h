#pragma once
/// @file CReceiverStatusList.h
/// @brief A list of the card states with their counts that filters a
/// CCMMainView's table by state.

#include "CMViewExport.h"
#include "ReceiverHealth.h"

#include <QListView>
#include <QScopedPointer>

class CCMMainView;
class CReceiverStatusListPrivate;

/**
 * @brief The wall's health at a glance: one line per card state with its icon,
 * name and count, "All" first, bound to a CCMMainView.
 *
 * Each line counts the cards the view's port filter shows
 * (SStatusCounts::Shown(), and SStatusCounts::nShownCards for "All") and
 * follows CCMMainView::StatusCountsChanged(). A click on a line shows only
 * its cards (CCMMainView::SetStatusFilter()); a click on the chosen line or on
 * "All" shows every card again. Up and Down move between the lines, Enter and
 * Space act as a click. The chosen line is the selected one and follows the
 * view's status filter, whoever set it.
 *
 * The icons are read from the resources ":/image/status/<name>.svg", which
 * the CMView::hostresources library supplies; a host may supply its own.
 * The list holds only a guarded pointer to the view: it shows no counts once
 * the view is destroyed.
 */
class CMVIEW_EXPORT CReceiverStatusList : public QListView
{
    Q_OBJECT

public:
    /// Builds the list bound to pView (none when nullptr).
    explicit CReceiverStatusList(CCMMainView* pView, QWidget* parent = nullptr);
    /// Leaves the view's status filter as it is.
    ~CReceiverStatusList() override;

    /// Binds the list to another view, or to none for nullptr; the counts
    /// and the chosen line follow at once.
    void SetView(CCMMainView* pView);
    /// The view the list is bound to; nullptr when none or once it is destroyed.
    CCMMainView* View() const;
    /// The state of a line: HealthNone for "All" (line 0), then one state per
    /// line in EHealthState's order; HealthNone past the last line.
    static EHealthState StateOfRow(int nRow);
    /// The line that shows the state; 0 ("All") for HealthNone or several bits.
    static int RowOfState(EHealthState eState);

protected:
    /// Enter, Return and Space act as a click on the current line.
    void keyPressEvent(QKeyEvent* e) override;
    /// Names the lines again on a language change.
    void changeEvent(QEvent* e) override;
    /// Selection follows the view's filter only, never the mouse or the keys.
    QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex& index,
                                                         const QEvent* e = nullptr) const override;

private:
    void InitControl();
    void SetConnect();
    void OnLineChosen(const QModelIndex& index);
    void UpdateCounts();
    void UpdateChosen();

    const QScopedPointer<CReceiverStatusListPrivate> m_pPrivate;
    Q_DECLARE_PRIVATE_D(m_pPrivate, CReceiverStatusList)
};
