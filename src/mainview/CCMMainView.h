#pragma once

#include "TavrelCMControl.h"

#include <QScopedPointer>

#include <QWidget>

class CReceiverListView;

// The receiver view a host embeds. It draws only its styled background and
// forwards everything to the receiver list it holds.
class CCMMainViewPrivate;

class CMVIEW_EXPORT CCMMainView : public QWidget
{
    Q_OBJECT

public:
    explicit CCMMainView(QWidget* parent = nullptr);
    ~CCMMainView() override;

    // Stops the running upgrade; returns what the upgrade controller answers.
    bool Quit();
    // Checks every row the port filter leaves visible.
    void SelectAll();
    bool IsProgressing() const;

    // The receiver list, for hosts that need more than the operations above.
    CReceiverListView* GetReceiverListView() const;

signals:
    void RcvSelectChanged();
    void DataChange();
    void SignalShowPack(bool bShow);
    void SignalFiltrate();

public slots:
    void RefreshShow();
    void UpdateShow();
    void ProgressBegin();
    void ProgressChanged();
    void ProgressFinished();

protected:
    void paintEvent(QPaintEvent* e) override;
    void changeEvent(QEvent* e) override;

private:
    void InitControl();
    void SetLayout();
    void SetConnect();

    const QScopedPointer<CCMMainViewPrivate> m_pPrivate;
    Q_DECLARE_PRIVATE_D(m_pPrivate, CCMMainView)
};
