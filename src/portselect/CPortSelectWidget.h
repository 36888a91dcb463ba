#pragma once

#include "CMViewExport.h"

#include <QScopedPointer>

#include <QMap>
#include <QUuid>
#include <QWidget>

class QPushButton;
class CScrollArea;

// Popup listing "All" and one entry per output port. A choice stores the port
// filter in the runtime controller; every closing emits SignalClicked() once.
class CPortSelectWidgetPrivate;

class CMVIEW_EXPORT CPortSelectWidget : public QWidget
{
    Q_OBJECT

public:
    explicit CPortSelectWidget(QWidget* parent = nullptr);
    ~CPortSelectWidget() override;

    int GetContentHeight() const;
    QPushButton* GetAllButton() const;
    QMap<int, QPushButton*> GetPortButtons() const;
    CScrollArea* GetScrollArea() const;

signals:
    void SignalClicked();

protected:
    void changeEvent(QEvent* e) override;
    void showEvent(QShowEvent* e) override;
    void hideEvent(QHideEvent* e) override;

private:
    void InitControl();
    void SetLayout();
    void SetConnect();
    void UpdatePortButtons(bool bForce);
    void UpdateLayout();
    void OnChoice(int nPort);

    const QScopedPointer<CPortSelectWidgetPrivate> m_pPrivate;
    Q_DECLARE_PRIVATE_D(m_pPrivate, CPortSelectWidget)
};
