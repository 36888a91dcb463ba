#pragma once

#include "TavrelCMControl.h"

#include <QScopedPointer>

#include <QWidget>

class CReceiverListView;

class CCMMainViewPrivate;

/**
 * @brief The receiver table widget a host places in its window.
 *
 * Shows one row per receiver card with its port, position, type, serial
 * number, firmware, packet counts, upgrade progress, failed modules and
 * sensor readings. Everything shown is read from the seven controller
 * objects of TavrelCMControl.h, which the host publishes through the
 * `g_p...` pointers before it constructs the view; everything the user does
 * goes back to those controllers or to the host through the four signals.
 *
 * The view never polls: it changes only when the host calls it, when the
 * user acts on it, or when a detection started by the header's Reset button
 * ends. Create it, call and connect to it in the GUI thread only.
 *
 * The widget itself draws only its styled background; the table is the
 * receiver list it holds. The object name is `CMMainView`, for the host's
 * style sheet. On `QEvent::LanguageChange` the view translates its header
 * again and rebuilds its rows, keeping the checks of the stored selection.
 */
class CMVIEW_EXPORT CCMMainView : public QWidget
{
    Q_OBJECT

public:
    /**
     * @brief Creates the view with its receiver list; the table stays empty
     * until the first RefreshShow().
     *
     * Already reads the Port column preference (CPreferenceControl::IsPortHidden()),
     * so the controllers must be published first.
     */
    explicit CCMMainView(QWidget* parent = nullptr);
    /// Destroys the view. A detection job still running on the pool keeps
    /// calling the controllers; the host keeps them alive until the pool is done
    /// (`QThreadPool::globalInstance()->waitForDone()`).
    ~CCMMainView() override;

    /**
     * @brief Asks the upgrade controller to stop the running upgrade.
     *
     * Forwards to CUpgradeConfigControl::QuitUpgrade() and changes nothing in the
     * view; safe to call when no upgrade runs.
     * @return what QuitUpgrade() returns, or false when no upgrade controller is
     *         published.
     */
    bool Quit();
    /**
     * @brief Checks every row the port filter leaves visible; rows hidden by the
     * filter end up unchecked.
     *
     * Stores the new selection with CRuntimeControl::SetSelectedReceivers() and
     * emits RcvSelectChanged().
     */
    void SelectAll();
    /// True from ProgressBegin() until ProgressFinished(): an upgrade is being
    /// shown and clicks on rows do not change the checks.
    bool IsProgressing() const;

    /// The receiver list the view forwards to, for hosts that need more than
    /// the operations above. It is installed with the library but not part of
    /// this reference: its interface may change between versions.
    CReceiverListView* GetReceiverListView() const;

signals:
    /**
     * @brief The checked receivers were just stored with
     * CRuntimeControl::SetSelectedReceivers() and CRuntimeControl::SetSelectionDeviceId().
     *
     * Fires after every change of the checks (click, Ctrl-click, Shift-click,
     * the header's check box, SelectAll(), a port filter change) and after every
     * rebuild of the table; read the selection with
     * CRuntimeControl::GetSelectedReceivers().
     */
    void RcvSelectChanged();
    /**
     * @brief A detection changed the number of receivers and the table was
     * rebuilt.
     *
     * Fires in the GUI thread after a detection job started by the Reset button
     * has ended, when CReceiverControl::GetReceiverList() then returns another
     * number of receivers than the table has rows. The rebuild has already
     * emitted RcvSelectChanged().
     */
    void DataChange();
    /**
     * @brief The service key sequence 1, 5, 9 was typed while the table had the
     * keyboard focus.
     * @param bShow always true: the host shows its packet diagnostics.
     */
    void SignalShowPack(bool bShow);
    /**
     * @brief A port was chosen in the Filter popup.
     *
     * The popup has already stored the choice with CRuntimeControl::SetFilterPort()
     * (-1 for All); read it with CRuntimeControl::GetFilterPort(). The table hides
     * the other ports' rows after this signal and reports the (cleared) checks
     * with RcvSelectChanged().
     */
    void SignalFiltrate();

public slots:
    /**
     * @brief Rebuilds every row from the controllers: call it when the set of
     * receivers may have changed.
     *
     * Reads the Port column preference, the receivers, the cabinet library and
     * the temperature unit, keeps the sort column, applies the port filter and
     * starts with no row checked; then stores that empty selection and emits
     * RcvSelectChanged().
     */
    void RefreshShow();
    /// Rewrites the values of the existing rows (packet counts, sensors, uptime
    /// and the like) without rebuilding: call it when only values changed. The
    /// checks and the scroll position stay.
    void UpdateShow();
    /// An upgrade run starts: switches the header's Filter and Reset off and
    /// writes each member's state (CUpgradeConfigControl::GetUpgradeReceivers())
    /// into its Progress cell.
    void ProgressBegin();
    /// The upgrade controller has new progress: writes each member's stage,
    /// percentage or result into its Progress cell again.
    void ProgressChanged();
    /// The upgrade run is over: switches the header's controls back on, rebuilds
    /// the table (as RefreshShow()) and then writes every member's final result.
    void ProgressFinished();

protected:
    /// Draws the background that the host's style sheet gives `#CMMainView`.
    void paintEvent(QPaintEvent* e) override;
    /// Translates the header again and rebuilds the rows on a language change.
    void changeEvent(QEvent* e) override;

private:
    void InitControl();
    void SetLayout();
    void SetConnect();

    const QScopedPointer<CCMMainViewPrivate> m_pPrivate;
    Q_DECLARE_PRIVATE_D(m_pPrivate, CCMMainView)
};
