#pragma once

#include "CMViewExport.h"

#include <QMap>
#include <QUuid>
#include <QWidget>

class QPushButton;
class CScrollArea;

// Popup listing "All" and one entry per output port. A choice stores the port
// filter in the runtime controller; every closing emits SignalClicked() once.
class CMVIEW_EXPORT CPortSelectWidget : public QWidget
{
    Q_OBJECT

public:
    explicit CPortSelectWidget(QWidget* parent = nullptr);
    ~CPortSelectWidget() override;

    int GetContentHeight() const { return m_nHeight; }
    QPushButton* GetAllButton() const { return m_pAllBtn; }
    QMap<int, QPushButton*> GetPortButtons() const { return m_mapPortBtn; }
    CScrollArea* GetScrollArea() const { return m_pScrollArea; }

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

    QPushButton* m_pAllBtn = nullptr;
    QMap<int, QPushButton*> m_mapPortBtn;
    QWidget* m_pContent = nullptr;
    QWidget* m_pFrame = nullptr;
    CScrollArea* m_pScrollArea = nullptr;
    QUuid m_idDevice;
    int m_nHeight = 284;
    bool m_bClicked = false;
};
