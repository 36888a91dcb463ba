#include "CDemoOperatorTools.h"

#include "CCMMainView.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QSettings>
#include <QStatusBar>
#include <QToolBar>

#include <memory>

namespace
{
constexpr int s_nStatusMessageMs = 6000;
const QString s_strLayoutKey = QStringLiteral("view/layout");
}

CDemoOperatorTools::CDemoOperatorTools(CCMMainView* pView, QMainWindow* pWindow, const QString& strLayoutFile,
                                       bool bKeepLayout, const FnLog& fnLog)
    : QObject(pWindow)
    , m_pView(pView)
    , m_pWindow(pWindow)
    , m_strLayoutFile(strLayoutFile)
    , m_bKeepLayout(bKeepLayout)
    , m_fnLog(fnLog)
{
    InitControl();
    SetConnect();
}

void CDemoOperatorTools::InitControl()
{
    m_pActCopy = new QAction(this);
    m_pActCopy->setObjectName(QStringLiteral("copy"));
    m_pActExport = new QAction(this);
    m_pActExport->setObjectName(QStringLiteral("exportcsv"));
    m_pActExport->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_E));
    m_pActFind = new QAction(this);
    m_pActFind->setObjectName(QStringLiteral("find"));
    m_pActFind->setShortcut(QKeySequence::Find);
    m_pMenuColumns = new QMenu(m_pWindow);

    m_pFindBar = new QToolBar(m_pWindow);
    m_pFindBar->setObjectName(QStringLiteral("FindBar"));
    m_pFindBar->setMovable(false);
    m_pLblFind = new QLabel(m_pFindBar);
    m_pEditFind = new QLineEdit(m_pFindBar);
    m_pEditFind->setObjectName(QStringLiteral("FindText"));
    m_pEditFind->setClearButtonEnabled(true);
    m_pEditFind->setMaximumWidth(320);
    m_pActFindNext = new QAction(this);
    m_pActFindClose = new QAction(this);
    m_pActFindClose->setShortcut(QKeySequence(Qt::Key_Escape));
    m_pActFindClose->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    m_pFindBar->addWidget(m_pLblFind);
    m_pFindBar->addWidget(m_pEditFind);
    m_pFindBar->addAction(m_pActFindNext);
    m_pFindBar->addAction(m_pActFindClose);
    m_pWindow->addToolBar(Qt::BottomToolBarArea, m_pFindBar);
    m_pFindBar->hide();
}

void CDemoOperatorTools::SetConnect()
{
    connect(m_pActCopy, &QAction::triggered, this, &CDemoOperatorTools::OnCopy);
    connect(m_pActExport, &QAction::triggered, this, &CDemoOperatorTools::OnExport);
    connect(m_pActFind, &QAction::triggered, this, &CDemoOperatorTools::OnFindShown);
    connect(m_pActFindNext, &QAction::triggered, this, &CDemoOperatorTools::OnFindNext);
    connect(m_pEditFind, &QLineEdit::returnPressed, this, &CDemoOperatorTools::OnFindNext);
    connect(m_pActFindClose, &QAction::triggered, this, &CDemoOperatorTools::OnFindClosed);
    connect(m_pMenuColumns, &QMenu::aboutToShow, this, &CDemoOperatorTools::FillColumnsMenu);
    // Whoever copies (Edit > Copy or Ctrl+C in the table), the log tells what arrived.
    connect(QApplication::clipboard(), &QClipboard::dataChanged, this, [this]() {
        const QString strText = QApplication::clipboard()->text();
        m_fnLog(QStringLiteral("Clipboard lines=%1").arg(strText.count(QLatin1Char('\n'))));
    });
}

void CDemoOperatorTools::AddToMenus(QMenu* pMenuFile, QAction* pBeforeFile, QMenu* pMenuEdit, QMenu* pMenuView)
{
    pMenuFile->insertAction(pBeforeFile, m_pActExport);
    pMenuFile->insertSeparator(pBeforeFile);
    pMenuEdit->addAction(m_pActCopy);
    pMenuEdit->addAction(m_pActFind);
    pMenuView->addSeparator();
    pMenuView->addMenu(m_pMenuColumns);
}

void CDemoOperatorTools::Retranslate()
{
    m_pActCopy->setText(tr("&Copy"));
    m_pActCopy->setToolTip(tr("Copy the checked receivers, or the current one, as tab-separated text"));
    m_pActExport->setText(tr("E&xport CSV..."));
    m_pActFind->setText(tr("&Find..."));
    m_pMenuColumns->setTitle(tr("Co&lumns"));
    m_pFindBar->setWindowTitle(tr("Find bar"));
    m_pLblFind->setText(tr("Find:"));
    m_pEditFind->setPlaceholderText(tr("Find receiver (S/N, type, firmware)"));
    m_pActFindNext->setText(tr("Find next"));
    m_pActFindClose->setText(tr("Close"));
    m_pActFindClose->setToolTip(tr("Close the find bar"));
}

void CDemoOperatorTools::FillColumnsMenu()
{
    m_pMenuColumns->clear();
    for (int nKey = CCMMainView::ColumnPosition; nKey < CCMMainView::ColumnCount; ++nKey) {
        QAction* pAction = m_pMenuColumns->addAction(m_pView->ColumnLabel(CCMMainView::EColumn(nKey)));
        pAction->setCheckable(true);
        pAction->setChecked(m_pView->IsColumnVisible(nKey));
        // The column with the check box stays: Position while Port is hidden.
        pAction->setEnabled(nKey != CCMMainView::ColumnPosition || m_pView->IsColumnVisible(CCMMainView::ColumnPort));
        connect(pAction, &QAction::toggled, this, [this, nKey](bool bVisible) {
            m_pView->SetColumnVisible(nKey, bVisible);
            m_fnLog(QStringLiteral("Action Column key=%1 visible=%2")
                        .arg(nKey)
                        .arg(m_pView->IsColumnVisible(nKey) ? QStringLiteral("true") : QStringLiteral("false")));
        });
    }
}

void CDemoOperatorTools::OnCopy()
{
    m_fnLog(QStringLiteral("Action Copy"));
    m_pView->CopyToClipboard();
    m_pWindow->statusBar()->showMessage(tr("Copied to the clipboard."), s_nStatusMessageMs);
}

void CDemoOperatorTools::OnExport()
{
    m_fnLog(QStringLiteral("Dialog export"));
    // Qt's own dialog: the same on every desktop, and driven by the end-to-end run.
    const QString strFile = QFileDialog::getSaveFileName(m_pWindow, tr("Export CSV"), QString(), tr("CSV files (*.csv)"),
                                                         nullptr, QFileDialog::DontUseNativeDialog);
    if (strFile.isEmpty())
        return;
    QFile file(strFile);
    const bool bOk = file.open(QIODevice::WriteOnly | QIODevice::Truncate) && m_pView->ExportCsv(&file) && file.flush();
    file.close();
    int nLines = 0;
    if (bOk && file.open(QIODevice::ReadOnly))
        nLines = file.readAll().count('\n');
    m_fnLog(QStringLiteral("Action ExportCsv ok=%1 lines=%2").arg(bOk ? QStringLiteral("true") : QStringLiteral("false")).arg(nLines));
    m_pWindow->statusBar()->showMessage(bOk ? tr("Exported %1.").arg(strFile) : tr("Could not write %1.").arg(strFile),
                                        s_nStatusMessageMs);
}

void CDemoOperatorTools::OnFindShown()
{
    m_pFindBar->show();
    m_pEditFind->setFocus();
    m_pEditFind->selectAll();
}

void CDemoOperatorTools::OnFindNext()
{
    const QString strText = m_pEditFind->text();
    const bool bFound = m_pView->FindReceiver(strText);
    m_fnLog(QStringLiteral("Action Find text=%1 found=%2 row=%3")
                .arg(strText, bFound ? QStringLiteral("true") : QStringLiteral("false"))
                .arg(m_pView->CurrentRow()));
    if (!bFound)
        m_pWindow->statusBar()->showMessage(tr("No receiver matches \"%1\".").arg(strText), s_nStatusMessageMs);
}

void CDemoOperatorTools::OnFindClosed()
{
    m_pFindBar->hide();
    m_pView->setFocus();
}

QString CDemoOperatorTools::HiddenKeys() const
{
    QStringList list;
    for (int nKey = CCMMainView::ColumnPosition; nKey < CCMMainView::ColumnCount; ++nKey)
        if (!m_pView->IsColumnVisible(nKey))
            list << QString::number(nKey);
    return list.isEmpty() ? QStringLiteral("-") : list.join(QLatin1Char(','));
}

std::unique_ptr<QSettings> CDemoOperatorTools::OpenLayoutSettings() const
{
    if (m_strLayoutFile.isEmpty())
        return std::make_unique<QSettings>(QSettings::UserScope, QStringLiteral("CMView"), QStringLiteral("cmview_demo"));
    return std::make_unique<QSettings>(m_strLayoutFile, QSettings::IniFormat);
}

void CDemoOperatorTools::RestoreLayout()
{
    if (!m_bKeepLayout)
        return;
    const std::unique_ptr<QSettings> pSettings = OpenLayoutSettings();
    if (!pSettings->contains(s_strLayoutKey))
        return;
    const bool bOk = m_pView->RestoreViewState(pSettings->value(s_strLayoutKey).toByteArray());
    m_fnLog(QStringLiteral("Layout restored ok=%1 hidden=%2").arg(bOk ? QStringLiteral("true") : QStringLiteral("false"), HiddenKeys()));
}

void CDemoOperatorTools::SaveLayout()
{
    if (!m_bKeepLayout)
        return;
    const std::unique_ptr<QSettings> pSettings = OpenLayoutSettings();
    pSettings->setValue(s_strLayoutKey, m_pView->SaveViewState());
    pSettings->sync();
    m_fnLog(QStringLiteral("Layout saved hidden=%1").arg(HiddenKeys()));
}
