#pragma once
// The texts and keys the table shows for a receiver, as pure functions: no
// controller, widget or application is needed, so the fuzz target and the
// tests call them directly.

#include "SReceiverRowInfo.h"
#include "TavrelCMControl.h"

#include <QMap>
#include <QString>

#include <string>

namespace ReceiverCellText
{
// One receiver's row record. strTypeName is the type name the receiver
// controller gives for its type code; mapCabinet the cabinet library.
SReceiverRowInfo MakeRowInfo(const SReceiverInfo& receiver, const std::string& strTypeName,
                             const QMap<quint64, SCabinetInfo>& mapCabinet, bool bFahrenheit);

// The number "errors.total" reads as; a text that is no number (a negative
// total) reads 0. *pDigits gets the length of the total's text.
double PacketKey(long long nErrors, long long nTotal, int* pDigits);

// Port and string position cells show the zero-based number plus one.
QString OrdinalText(int nNumber);
QString FirmwareText(const SReceiverRowInfo& info);
QString Utf8Text(const std::string& str);
}
