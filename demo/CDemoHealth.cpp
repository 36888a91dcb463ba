// The demo's health tools: the state list, the filter box, the limits dialog
// and the figure of checked cards hidden by the filters.

#include "CDemoHealth.h"

#include "CCMMainView.h"
#include "CReceiverStatusList.h"

#include <QAction>
#include <QCheckBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDockWidget>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QVBoxLayout>

#include <optional>

namespace
{
QString LimitText(const std::optional<double>& optLimit)
{
    return optLimit ? QString::number(*optLimit, 'g', 6) : QStringLiteral("off");
}

// One limit's row of the dialog: a box that switches it on and its value.
struct SLimitRow
{
    QCheckBox* pOn = nullptr;
    QDoubleSpinBox* pValue = nullptr;

    SLimitRow(QFormLayout* pForm, const QString& strName, const QString& strSuffix, double dMin, double dMax,
              double dStep, double dDefault, const std::optional<double>& optLimit)
        : pOn(new QCheckBox(strName))
        , pValue(new QDoubleSpinBox)
    {
        pValue->setRange(dMin, dMax);
        pValue->setSingleStep(dStep);
        pValue->setDecimals(dStep < 1.0 ? 2 : 1);
        pValue->setSuffix(strSuffix);
        pValue->setValue(optLimit.value_or(dDefault));
        pValue->setAccessibleName(strName);
        pOn->setChecked(bool(optLimit));
        pValue->setEnabled(bool(optLimit));
        QObject::connect(pOn, &QCheckBox::toggled, pValue, &QWidget::setEnabled);
        pForm->addRow(pOn, pValue);
    }
    std::optional<double> Limit() const
    {
        return pOn->isChecked() ? std::optional<double>(pValue->value()) : std::nullopt;
    }
};
}

CDemoHealth::CDemoHealth(CCMMainView* pView, QMainWindow* pWindow, const FnLog& fnLog)
    : QObject(pWindow)
    , m_pView(pView)
    , m_pWindow(pWindow)
    , m_fnLog(fnLog)
{
    InitControl();
    SetConnect();
    m_pView->SetHealthLimits(DefaultLimits());
}

SHealthLimits CDemoHealth::DefaultLimits()
{
    SHealthLimits limits;
    limits.optTemperatureHigh = 70.0;
    limits.optVoltageLow = 4.5;
    limits.optVoltageHigh = 5.5;
    limits.optHumidityHigh = 80.0;
    return limits;
}

void CDemoHealth::InitControl()
{
    m_pCentre = new QWidget(m_pWindow);
    m_pCentre->setObjectName(QStringLiteral("DemoCentre"));
    m_pEditFilter = new QLineEdit(m_pCentre);
    m_pEditFilter->setObjectName(QStringLiteral("TextFilter"));
    m_pEditFilter->setClearButtonEnabled(true);
    auto* pLayout = new QVBoxLayout(m_pCentre);
    pLayout->setContentsMargins(0, 0, 0, 0);
    pLayout->setSpacing(4);
    pLayout->addWidget(m_pEditFilter);
    pLayout->addWidget(m_pView, 1);

    m_pDock = new QDockWidget(m_pWindow);
    m_pDock->setObjectName(QStringLiteral("StatusListDock"));
    m_pDock->setAllowedAreas(Qt::LeftDockWidgetArea | Qt::RightDockWidgetArea);
    m_pDock->setFeatures(QDockWidget::DockWidgetClosable | QDockWidget::DockWidgetMovable);
    m_pStatusList = new CReceiverStatusList(m_pView, m_pDock);
    m_pStatusList->setMinimumWidth(190);
    m_pDock->setWidget(m_pStatusList);
    // On the right, where the diagnostics panel stacks below it: the table keeps
    // its left edge and the header controls their places.
    m_pWindow->addDockWidget(Qt::RightDockWidgetArea, m_pDock);

    m_pActLimits = new QAction(this);
    m_pActLimits->setObjectName(QStringLiteral("limits"));
    m_pLblHidden = new QLabel(m_pWindow);
    m_pLblHidden->setObjectName(QStringLiteral("StatusFigure"));
    m_pLblHidden->hide();
}

void CDemoHealth::SetConnect()
{
    connect(m_pEditFilter, &QLineEdit::textChanged, this, &CDemoHealth::OnTextEdited);
    connect(m_pActLimits, &QAction::triggered, this, &CDemoHealth::OnLimits);
}

void CDemoHealth::AddToMenus(QMenu* pMenuView, QMenu* pMenuPreferences)
{
    pMenuView->addAction(m_pDock->toggleViewAction());
    pMenuPreferences->addSeparator();
    pMenuPreferences->addAction(m_pActLimits);
}

void CDemoHealth::Retranslate()
{
    const QString strFilter = tr("Filter (S/N, type, firmware)");
    m_pEditFilter->setPlaceholderText(strFilter);
    m_pEditFilter->setAccessibleName(strFilter);
    m_pDock->setWindowTitle(tr("Card states"));
    m_pStatusList->setAccessibleName(tr("Card states"));
    m_pActLimits->setText(tr("Health &limits..."));
    m_pActLimits->setStatusTip(tr("Set the temperature, voltage and humidity limits of the cards"));
    UpdateStatus();
}

void CDemoHealth::UpdateStatus()
{
    const int nHidden = m_pView->CheckedHiddenCount();
    m_pLblHidden->setText(nHidden == 1 ? tr("1 checked receiver hidden by the filters")
                                       : tr("%1 checked receivers hidden by the filters").arg(nHidden));
    m_pLblHidden->setVisible(nHidden > 0);
    const QString strFilters = QStringLiteral("Filters state=%1 text=%2 hidden=%3")
                                   .arg(uint(m_pView->StatusFilter()))
                                   .arg(m_pView->TextFilter())
                                   .arg(nHidden);
    if (strFilters != m_strLastFilters) {
        m_strLastFilters = strFilters;
        m_fnLog(strFilters);
    }
}

void CDemoHealth::OnTextEdited(const QString& strText)
{
    m_pView->SetTextFilter(strText);
    m_fnLog(QStringLiteral("Action TextFilter text=%1 shown=%2").arg(strText).arg(m_pView->ShownReceiverCount()));
    emit FiltersChanged();
}

void CDemoHealth::OnLimits()
{
    const SHealthLimits limits = m_pView->HealthLimits();
    const SHealthLimits defaults = DefaultLimits();
    QDialog dialog(m_pWindow);
    dialog.setObjectName(QStringLiteral("LimitsDialog"));
    dialog.setWindowTitle(tr("Health limits"));
    auto* pForm = new QFormLayout;
    auto* pNote = new QLabel(tr("A card beyond a limit that is on shows a warning colour and counts in its state."));
    pNote->setWordWrap(true);
    pForm->addRow(pNote);
    const SLimitRow rowHot(pForm, tr("Temperature high"), QStringLiteral(" \u00B0C"), -40.0, 150.0, 1.0,
                           *defaults.optTemperatureHigh, limits.optTemperatureHigh);
    const SLimitRow rowLow(pForm, tr("Voltage low"), QStringLiteral(" V"), 0.0, 12.0, 0.05, *defaults.optVoltageLow,
                           limits.optVoltageLow);
    const SLimitRow rowHigh(pForm, tr("Voltage high"), QStringLiteral(" V"), 0.0, 12.0, 0.05, *defaults.optVoltageHigh,
                            limits.optVoltageHigh);
    const SLimitRow rowHumid(pForm, tr("Humidity high"), QStringLiteral(" %"), 0.0, 100.0, 1.0,
                             *defaults.optHumidityHigh, limits.optHumidityHigh);
    auto* pButtons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(pButtons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    connect(pButtons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    auto* pLayout = new QVBoxLayout(&dialog);
    pLayout->addLayout(pForm);
    pLayout->addWidget(pButtons);
    if (dialog.exec() != QDialog::Accepted)
        return;
    SHealthLimits chosen;
    chosen.optTemperatureHigh = rowHot.Limit();
    chosen.optVoltageLow = rowLow.Limit();
    chosen.optVoltageHigh = rowHigh.Limit();
    chosen.optHumidityHigh = rowHumid.Limit();
    ApplyLimits(chosen);
}

void CDemoHealth::ApplyLimits(const SHealthLimits& limits)
{
    m_pView->SetHealthLimits(limits);
    m_fnLog(QStringLiteral("Action Limits temperature=%1 voltage=%2-%3 humidity=%4")
                .arg(LimitText(limits.optTemperatureHigh), LimitText(limits.optVoltageLow),
                     LimitText(limits.optVoltageHigh), LimitText(limits.optHumidityHigh)));
    emit FiltersChanged();
}
