#pragma once

#include <QLoggingCategory>

// Answers from the controllers that the view had to cut or skip (absurd
// counts, ports that cannot be told apart). Hosts silence or redirect it with
// the category name "cmview.controller", e.g. QT_LOGGING_RULES.
Q_DECLARE_LOGGING_CATEGORY(lcController)
