#pragma once

#include "ReceiverHealth.h"
#include "TavrelCMControl.h"

#include <QScopedPointer>

#include <QRect>
#include <QWidget>

class CReceiverListView;
class QIODevice;

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
 * The table is the widget's focus proxy: `setFocus()` on the view gives the
 * table the keyboard focus (the moving keys, Space, Ctrl+C, the service key
 * sequence).
 */
class CMVIEW_EXPORT CCMMainView : public QWidget
{
    Q_OBJECT

public:
    /**
     * @brief The columns by logical key: the same in every language and
     * whether or not the Port column is shown.
     */
    enum EColumn {
        ColumnPort = 0,         ///< Port (shown unless CPreferenceControl::IsPortHidden())
        ColumnPosition,         ///< String position
        ColumnType,             ///< Type
        ColumnSerialNumber,     ///< S/N
        ColumnFirmware,         ///< Firmware
        ColumnPackets,          ///< Error/Total packets, with the header's Reset button
        ColumnProgress,         ///< Progress of an upgrade
        ColumnFailedModule,     ///< Failed module
        ColumnTemperature,      ///< Temperature
        ColumnHumidity,         ///< Humidity
        ColumnVoltage,          ///< Voltage
        ColumnUptime,           ///< Uptime
        ColumnCount             ///< the number of keys, not a column
    };

    /// The controls the header paints (they are not widgets), for
    /// HeaderControlRect().
    enum EHeaderControl {
        HeaderCheckBox,         ///< the three-state box that checks all rows, in the first column
        HeaderFilterButton,     ///< Filter, after the Port column's label; opens the port popup
        HeaderResetButton       ///< Reset, after the packets column's label; clears cable errors and detects
    };

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

    /**
     * @brief Shows or hides a column by its logical key.
     *
     * Keys as in EColumn: 0 Port, 1 String position, 2 Type, 3 S/N,
     * 4 Firmware, 5 Error/Total packets, 6 Progress, 7 Failed module,
     * 8 Temperature, 9 Humidity, 10 Voltage, 11 Uptime. The first shown column
     * (the one with the check box) cannot be hidden and the Port column follows
     * CPreferenceControl::IsPortHidden(); for those the call does nothing. The
     * choice stays across refreshes, preference changes and language changes.
     * The operator makes the same choice in the menu a right click on the
     * header opens.
     */
    void SetColumnVisible(int nLogicalColumn, bool bVisible);
    /// Shows or hides a column, as SetColumnVisible(int, bool) with the key.
    void SetColumnVisible(EColumn eColumn, bool bVisible);
    /// Whether the column with this logical key (see SetColumnVisible()) is
    /// shown now; false for a key out of range.
    bool IsColumnVisible(int nLogicalColumn) const;
    /// Whether the column is shown now, as IsColumnVisible(int) with the key.
    bool IsColumnVisible(EColumn eColumn) const;
    /**
     * @brief The column's label as the header shows it, in the current
     * language; also for a hidden column.
     *
     * Empty for ColumnCount. Labels change on `QEvent::LanguageChange`.
     */
    QString ColumnLabel(EColumn eColumn) const;
    /**
     * @brief Sizes every shown column to show its label and every cell's text
     * whole, in the fonts the view paints them in.
     *
     * A label's room includes the header's check box (first column), Filter
     * (Port) and Reset (packets) buttons beside it. The packets column is at
     * least as wide as counts of 9999 / 99999999, and the Progress column as
     * a whole bar with its widest result text, so neither needs fitting again
     * while counts climb or an upgrade runs. Reads every row, and only the
     * current rows and language: call it after RefreshShow() or a language
     * change, not on every UpdateShow(). Hidden columns keep their widths.
     * The operator may still drag the widths; SaveViewState() keeps them.
     */
    void FitColumnsToContents();

    /**
     * @brief The operator's layout as bytes for the host to store: column
     * widths and hidden columns by logical key, the sort column and order.
     *
     * The bytes carry a version; give them back to RestoreViewState().
     */
    QByteArray SaveViewState() const;
    /**
     * @brief Brings back a layout saved with SaveViewState().
     *
     * Every width and hidden column goes to its own logical column, also when
     * the Port column was shown then and is hidden now, or the reverse; a
     * column this view does not have keeps what it has. Sorts the rows as a
     * click on the header would.
     * @return false, changing nothing, for bytes that are not a whole state of
     *         this version (garbage, truncated, another version).
     */
    bool RestoreViewState(const QByteArray& state);

    /**
     * @brief Does what Ctrl+C does in the table: puts the checked rows, or the
     * current row when none is checked, on the clipboard as tab-separated text.
     *
     * The first line holds the shown columns' labels; then one line per row in
     * the order the view shows them, each cell's text as shown (progress as
     * its text). Rows the port filter hides are left out. Nothing is copied
     * when no row is checked and none is current.
     */
    void CopyToClipboard() const;
    /**
     * @brief Writes the rows the view shows, with the shown columns, as CSV.
     *
     * RFC 4180 (fields with a comma, quote or line break quoted, quotes
     * doubled, lines ended by CR LF) in UTF-8 with a byte-order mark, a line of
     * column labels first, rows in the order the view shows them.
     *
     * The file is safe to open in a spreadsheet. Card texts come from the
     * hardware on the wall's network, so a cell whose text a spreadsheet would
     * read as a formula (one beginning with `=`, `+`, `-`, `@`, a tab or a
     * carriage return) is written with a single quote `'` in front, inside the
     * field, and arrives as text. Numbers stay numbers: a cell that is a plain
     * decimal number (`-4`, `+12`, `-0.5`; no exponent, spaces or separators),
     * such a number followed by a sensor unit (`-5.00°C`, `-40.00°F`, `-3%`,
     * `-0.1V`), or the missing reading `--` is written as shown. Every other
     * cell is written as shown.
     * @param pDevice an open, writable device; the view does not close it.
     * @param bCheckedOnly only the checked rows.
     * @return false when the device is missing, not writable or does not take
     *         every byte.
     */
    bool ExportCsv(QIODevice* pDevice, bool bCheckedOnly = false) const;
    /**
     * @brief Finds the next shown row after the current one (wrapping) whose
     * S/N, type or firmware contains the text, case-insensitively.
     *
     * Makes it current, scrolls to it and marks it for a moment. Rows hidden by
     * the port filter are not found.
     * @return false, leaving the current row, when no row matches or the text
     *         is empty.
     */
    bool FindReceiver(const QString& strText);
    /**
     * @brief Lets Space and Shift+Space check rows (on by default; a host
     * that handles Space itself turns it off).
     *
     * Space then acts on the current row exactly as a click on its box,
     * Shift+Space as a Shift-click on it; neither does anything while an
     * upgrade is shown. Up, Down, Page Up, Page Down, Home and End move the
     * current row, which wears a frame, whether this is on or not.
     */
    void SetKeyboardChecking(bool bOn);
    /// Whether Space and Shift+Space check rows (SetKeyboardChecking()).
    bool IsKeyboardChecking() const;

    /// The number of rows in the table: one per receiver since the last
    /// rebuild, whether the port filter shows them or not.
    int ReceiverCount() const;
    /// The number of rows the filters leave shown (the port filter, and the
    /// status and text filters): ReceiverCount() while none of them is set.
    int ShownReceiverCount() const;
    /**
     * @brief The current row (the one with the frame that the moving keys
     * and FindReceiver() move), counted from the top in the order the view
     * shows the rows; -1 when no row is current.
     *
     * Rows the port filter hides count too, so the number stays put when
     * the filter changes.
     */
    int CurrentRow() const;
    /**
     * @brief Rebuilds every row from the controllers as RefreshShow() does,
     * but keeps the checks: rows whose receivers are in the stored selection
     * (CRuntimeControl::GetSelectedReceivers(), for the device of
     * CRuntimeControl::GetSelectionDeviceId()) come back checked.
     *
     * For a host that changed the stored selection itself and wants the
     * table to show it. Stores the selection the table then shows and emits
     * RcvSelectChanged(), as every rebuild does.
     */
    void RefreshShowKeepChecks();
    /**
     * @brief Where the header last painted one of its controls, in this
     * widget's coordinates.
     *
     * The controls are painted, not widgets: a host that drives the view
     * with mouse events (a soak or end-to-end run) aims at this rectangle
     * and sends the events to the child widget under it (childAt()). Empty
     * before the header's first paint, for the Filter button while the Port
     * column is hidden and for Reset while the packets column is hidden.
     */
    QRect HeaderControlRect(EHeaderControl eControl) const;
    /**
     * @brief Sets the limits the cards' readings are compared with; a host that
     * never calls it sees every cell as without limits.
     *
     * A temperature, voltage or humidity beyond a limit that is set paints its
     * cell in a warning colour, and the cell's tooltip (Qt::ToolTipRole) names
     * the limit crossed, the temperature in the operator's unit. The limits are
     * compared with the readings themselves: the temperature in degrees
     * Celsius whatever unit the cell shows, the humidity with its decimals.
     * The cards' states and StatusCounts() follow at once; a status filter set
     * with SetStatusFilter() shows the cards now in its state. The limits stay
     * across refreshes.
     */
    void SetHealthLimits(const SHealthLimits& limits);
    /// The limits SetHealthLimits() set last; none set at first.
    SHealthLimits HealthLimits() const;
    /**
     * @brief How many cards are in each state (EHealthState), over all cards
     * and over the cards the port filter shows.
     *
     * A card has packet errors when its Error/Total packets cell shows red,
     * failed modules when its Failed module cell names any, and is upgrading
     * or failed its upgrade as its Progress cell shows; the limit states follow
     * SetHealthLimits(). The counts follow every RefreshShow(), UpdateShow(),
     * packet re-read, upgrade progress, limit and port filter change;
     * StatusCountsChanged() tells when they changed. The status and text
     * filters do not change them. SStatusCounts::nAllCards and
     * SStatusCounts::nShownCards count the cards in any state or none.
     */
    SStatusCounts StatusCounts() const;
    /**
     * @brief Shows only the cards in the state, or every card for HealthNone
     * (the default).
     *
     * Combines with the port filter and the text filter: a card is shown when
     * all three accept it. The rows stay in the table, hidden, and every
     * operation on the rows shown (the header's box and SelectAll(), the
     * three-state summary, Shift ranges, copy, ExportCsv(), FindReceiver(), the
     * keys) leaves them out. Unlike a port filter change this never changes
     * the checks or the selection stored with the runtime controller, and
     * emits no RcvSelectChanged(); CheckedHiddenCount() tells how many checked
     * cards it hides. A card that enters or leaves the state (an update, a
     * packet re-read, upgrade progress, a limit change) is shown or hidden then.
     * @param eState one state, or HealthNone.
     */
    void SetStatusFilter(EHealthState eState);
    /// The state SetStatusFilter() set last; HealthNone for none.
    EHealthState StatusFilter() const;
    /**
     * @brief Shows only the cards whose S/N, type or firmware text contains
     * the text, in any case; an empty text shows every card (the default).
     *
     * Combines with the port and status filters and keeps the checks just as
     * SetStatusFilter() does.
     */
    void SetTextFilter(const QString& strText);
    /// The text SetTextFilter() set last; empty for none.
    QString TextFilter() const;
    /// The number of checked cards that the port, status or text filter hides
    /// now: they stay in the stored selection though the operator cannot see them.
    int CheckedHiddenCount() const;

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
    /**
     * @brief StatusCounts() changed: a refresh, update, packet re-read,
     * upgrade progress, limit change or port filter change moved a card into
     * or out of a state. Emitted once per such call, not per card.
     */
    void StatusCountsChanged();
    /// SetStatusFilter() set another state; read it with StatusFilter().
    void StatusFilterChanged();
    /**
     * @brief Another row became current (CurrentRow()), or none: a moving key,
     * FindReceiver(), a click on a CWallMapView cell, or a rebuild that
     * cleared it.
     */
    void CurrentRowChanged();

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
