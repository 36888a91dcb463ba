#pragma once

class CReceiverListViewPrivate;

// The port filter: hides the rows of every port but the chosen one, and
// places the Filter popup under its button.
class CPortFilter
{
public:
    explicit CPortFilter(CReceiverListViewPrivate& d);

    // Applies the runtime controller's filter port; returns the visible rows.
    int Apply();
    // The header's Filter button follows the preference and the device.
    void UpdateButton();
    void ShowPopup();

private:
    CReceiverListViewPrivate& d;
};
