#pragma once

#include <QObject>
#include <QString>

#include <functional>
#include <memory>

class QAction;
class QLineEdit;
class QLabel;
class QMainWindow;
class QMenu;
class QSettings;
class QToolBar;
class CCMMainView;

// The demo's share of the view's operator features: Edit > Copy, File >
// Export CSV..., View > Columns, a find bar on Ctrl+F, and the layout kept
// between runs in QSettings (an INI file of its own with --layout-file).
//
// With --log-events it adds these lines to the demo's log:
//   Action Copy | Clipboard lines=<n>
//   Action Find text=<text> found=true|false row=<current view row>
//   Action ExportCsv ok=true|false lines=<n> | Dialog export
//   Action Column key=<logical key> visible=true|false
//   Layout saved hidden=<keys> | Layout restored ok=true|false hidden=<keys>
class CDemoOperatorTools : public QObject
{
    Q_OBJECT

public:
    using FnLog = std::function<void(const QString&)>;

    // bKeepLayout false: neither read nor write a layout (screenshots and
    // end-to-end runs without a file start from the view's own).
    CDemoOperatorTools(CCMMainView* pView, QMainWindow* pWindow, const QString& strLayoutFile, bool bKeepLayout,
                       const FnLog& fnLog);

    // Adds the actions to the window's menus; the Edit menu is the tools' own.
    void AddToMenus(QMenu* pMenuFile, QAction* pBeforeFile, QMenu* pMenuEdit, QMenu* pMenuView);
    void Retranslate();
    void RestoreLayout();
    void SaveLayout();
    // The user's settings, or the file --layout-file names.
    std::unique_ptr<QSettings> OpenLayoutSettings() const;
    // Hidden logical keys, e.g. "2,8"; "-" for none.
    QString HiddenKeys() const;

private:
    void InitControl();
    void SetConnect();
    void OnCopy();
    void OnExport();
    void OnFindShown();
    void OnFindNext();
    void OnFindClosed();
    void FillColumnsMenu();

    CCMMainView* m_pView;
    QMainWindow* m_pWindow;
    QString m_strLayoutFile;
    bool m_bKeepLayout;
    FnLog m_fnLog;

    QMenu* m_pMenuColumns = nullptr;
    QAction* m_pActCopy = nullptr;
    QAction* m_pActExport = nullptr;
    QAction* m_pActFind = nullptr;
    QToolBar* m_pFindBar = nullptr;
    QLabel* m_pLblFind = nullptr;
    QLineEdit* m_pEditFind = nullptr;
    QAction* m_pActFindNext = nullptr;
    QAction* m_pActFindClose = nullptr;
};
