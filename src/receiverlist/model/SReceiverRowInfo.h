#pragma once

#include <QMetaType>
#include <QModelIndex>
#include <QString>
#include <QVariant>

#include <cstdint>
#include <limits>
#include <string>

// Item roles of the receiver table. Texts under Qt::UserRole are the sort keys
// the proxy reads.
namespace ReceiverRole
{
constexpr int SortKey = Qt::UserRole;          // sort key of the cell
// Extra means one thing per column; read it through the accessors below.
constexpr int Extra = Qt::UserRole + 1;        // box-shown flag / digit count / progress record
constexpr int UpgradeMark = Qt::UserRole + 2;  // row is part of a running upgrade
constexpr int RealPort = Qt::UserRole + 3;     // receiver's port, kept on the first cell when the Port column is hidden
constexpr int PlainText = Qt::UserRole + 100;  // cell text again, for hosts that read it
}

// Logical column keys; CColumnMap gives each key's model column.
namespace ReceiverColumn
{
enum EKey
{
    Port = 0,
    Position,
    Type,
    SerialNumber,
    Firmware,
    Packets,
    Progress,
    FailedModule,
    Temperature,
    Humidity,
    Voltage,
    Uptime,
    Count
};
}

// A card's sensor readings as numbers, for the health limits; NaN where
// nothing was read. The temperature is in degrees Celsius whatever unit the
// cell text is in.
struct SSensorReadings
{
    double dTemperature = std::numeric_limits<double>::quiet_NaN();
    double dHumidity = std::numeric_limits<double>::quiet_NaN();
    double dVoltage = std::numeric_limits<double>::quiet_NaN();
};

struct SReceiverRowInfo
{
    int nPort = 0;
    int nPosition = -1;
    std::string strTypeName;
    std::string strType;
    std::string strSN;
    std::string strVersion;
    uint32_t nErrorPackets = 0;
    uint32_t nTotalPackets = 0;
    std::string strFailedModule;
    std::string strTemperature;
    std::string strHumidity;
    std::string strVoltage;
    std::string strUptime;
    SSensorReadings readings;
};

struct SRowProgressInfo
{
    // What a row's upgrade is at; the numbers are what hosts read in nState.
    enum EState : int32_t
    {
        NotUpgrading = 0,
        // Never set by the view; a host's record in it paints as text only.
        Unused = 1,
        Upgrading = 2,
        UpgradeFailed = 3,
        UpgradeSucceeded = 4
    };

    int32_t nState = NotUpgrading;
    int32_t nProgress = 0;  // percent
    QString strText = QStringLiteral("N/A");
};

// Also what QVariant's == uses (Qt 6 finds it; Qt 5 is told at registration).
inline bool operator==(const SRowProgressInfo& a, const SRowProgressInfo& b)
{
    return a.nState == b.nState && a.nProgress == b.nProgress && a.strText == b.strText;
}
inline bool operator!=(const SRowProgressInfo& a, const SRowProgressInfo& b) { return !(a == b); }

Q_DECLARE_METATYPE(SRowProgressInfo)

// The meanings of ReceiverRole::Extra, one accessor each.
namespace ReceiverRole
{
// First cell: whether its check box is shown.
inline bool IsBoxShown(const QModelIndex& indexFirst) { return indexFirst.data(Extra).toBool(); }
// Error/Total packets cell: how many digits the counts were printed with.
inline int PacketDigits(const QModelIndex& indexPackets) { return indexPackets.data(Extra).toInt(); }
// Progress cell: the row's upgrade record; the default record when none is set.
inline SRowProgressInfo ProgressRecord(const QModelIndex& indexProgress)
{
    const QVariant var = indexProgress.data(Extra);
    return var.canConvert<SRowProgressInfo>() ? var.value<SRowProgressInfo>() : SRowProgressInfo();
}
}

// Registers the record with the meta-type system once and returns its id.
int RowProgressInfoTypeId();
