#pragma once

#include "CMViewExport.h"

#include <QString>

// One process-wide tooltip window shown near the mouse cursor.
class CMVIEW_EXPORT CToolTip
{
public:
    static void ShowText(const QString& strText);
    // Shows the text after nDelay milliseconds unless hidden or replaced before.
    static void ShowTextDelay(const QString& strText, int nDelay);
    static void HideText();
    static bool IsVisible();
    // The text shown or pending; empty when none.
    static QString Text();
};
