#include "ControllerLog.h"

Q_LOGGING_CATEGORY(lcController, "cmview.controller", QtWarningMsg)
