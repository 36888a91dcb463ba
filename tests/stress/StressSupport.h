#pragma once
// The random walk's seeded generator, its hostile controller data and what
// each step promises.

#include "CMViewTestSupport.h"
#include "TavrelCMControl.h"

#include <QString>
#include <QStringList>

#include <cfloat>
#include <climits>
#include <cmath>
#include <set>
#include <string>
#include <vector>

namespace stress
{
// splitmix64: the same walk from the same seed on every platform and library.
class CRandom
{
public:
    explicit CRandom(quint64 nSeed = 0) : m_nState(nSeed) {}
    quint64 Next()
    {
        quint64 z = (m_nState += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    int Below(int n) { return n > 0 ? int(Next() % quint64(n)) : 0; }
    bool Percent(int n) { return Below(100) < n; }
    template <typename T> T Pick(std::initializer_list<T> list) { return *(list.begin() + Below(int(list.size()))); }

private:
    quint64 m_nState;
};

inline int HostileInt(CRandom& rng) { return rng.Pick<int>({ INT_MIN, INT_MIN + 1, -2, -1, 0, 1, 2, 3, 9, 10, 99, INT_MAX - 1, INT_MAX, rng.Below(6) }); }
inline quint32 HostileCount(CRandom& rng) { return rng.Pick<quint32>({ 0u, 1u, 999999u, 1000000u, 0x7FFFFFFFu, 0x80000000u, UINT32_MAX - 1, UINT32_MAX, quint32(rng.Next()) }); }
inline double HostileReal(CRandom& rng)
{
    return rng.Pick<double>({ std::nan(""), -std::nan(""), HUGE_VAL, -HUGE_VAL, DBL_MAX, -DBL_MAX, DBL_MIN, 4.9e-324, -0.0, 1e15, -273.15, 45.9, 5.04, rng.Below(4000) / 7.0 - 200.0 });
}

// Empty, huge, and never-valid UTF-8 texts (overlong, encoded surrogate,
// beyond U+10FFFF, truncated, embedded NUL).
inline std::string HostileText(CRandom& rng, bool bHuge)
{
    switch (rng.Below(9)) {
    case 0: return std::string();
    case 1: return bHuge && rng.Percent(25) ? std::string(65536, 'A') : std::string("AB-12 34/x");
    case 2: return "\xff\xfe\xfd";
    case 3: return "\xc0\xaf" "R10";
    case 4: return "\xed\xa0\x80" "S9";
    case 5: return std::string("a\0b", 3);
    case 6: return "\xf4\x90\x80\x80\xe2\x82";
    case 7: {
        std::string str(bHuge && rng.Percent(15) ? 65536 : 40, '\0');
        for (char& c : str)
            c = char(rng.Next());
        return str;
    }
    default: return "R" + std::to_string(rng.Below(30));
    }
}

inline SReceiverInfo Hostile(SReceiverInfo info, CRandom& rng)
{
    if (rng.Percent(25)) info.address.nPort = HostileInt(rng);
    if (rng.Percent(25)) info.address.nPosition = HostileInt(rng);
    if (rng.Percent(5)) info.address.nConnection = HostileInt(rng);
    if (rng.Percent(15)) info.nTypeCode = HostileInt(rng);
    if (rng.Percent(30)) info.strSerialNumber = HostileText(rng, true);
    if (rng.Percent(20)) info.strCabinetId = HostileText(rng, true);
    if (rng.Percent(20)) info.nVersionMajor = HostileInt(rng);
    if (rng.Percent(20)) info.nVersionMinor = HostileInt(rng);
    if (rng.Percent(40)) info.bTemperatureValid = rng.Percent(70), info.dTemperature = HostileReal(rng);
    if (rng.Percent(40)) info.bHumidityValid = rng.Percent(70), info.dHumidity = HostileReal(rng);
    if (rng.Percent(30)) info.nErrorPackets = HostileCount(rng);
    if (rng.Percent(30)) info.nTotalPackets = HostileCount(rng);
    if (rng.Percent(30)) info.nUptime = HostileCount(rng);
    if (rng.Percent(15)) info.nCabinetKeyHigh = HostileInt(rng), info.nCabinetKeyMid = HostileInt(rng), info.nCabinetKeyLow = HostileInt(rng);
    if (rng.Percent(25)) {
        info.mapModule.clear();
        for (int i = rng.Below(4); i > 0; --i)
            info.mapModule[HostileInt(rng)] = SModuleInfo { HostileInt(rng), HostileText(rng, false), rng.Percent(50), qint16(rng.Pick<int>({ -32768, -1, 0, 1, 255, 256, 32767 })) };
    }
    if (rng.Percent(25))
        info.mapSensor[rng.Percent(80) ? 3 : HostileInt(rng)] = SSensorValue { HostileInt(rng), rng.Percent(70), HostileReal(rng) };
    return info;
}

inline QString Describe(const std::vector<SReceiverAddress>& vec)
{
    QStringList list;
    for (const SReceiverAddress& a : vec)
        list << QStringLiteral("%1/%2/%3/%4:%5").arg(a.nConnection).arg(a.nDevice).arg(a.nSenderCard).arg(a.nPort).arg(a.nPosition);
    return QLatin1Char('[') + list.join(QLatin1Char(' ')) + QLatin1Char(']');
}

inline int Number(const cmtest::CCell& cell) { return cell ? cell.data(ReceiverRole::SortKey).toInt() : 0; }

enum class ERel { Same, Shrink, Grow };  // checked rows after the step (or its last report) against before
enum class EReport { None, Any, Some };
enum class EHeader { Free, Count, Summary, Checked, Unchecked };

// What the step just taken promises; Verify() holds the view to it.
struct SExpect
{
    ERel eRel = ERel::Same;
    EReport eReport = EReport::None;
    bool bReloaded = false;  // rows rebuilt from a fresh collection: one per receiver
    bool bRebuilt = false;   // rows rebuilt from the row list
    bool bRestored = false;  // check marks are exactly the stored selection
    bool bNoneChecked = false;
    int nSelectAll = -1;     // 1 / 0: SelectAll(true / false) had the last word
    EHeader eHeader = EHeader::Free;
    int nHeaderCount = -1;   // rows counted as restored; -1: the checked rows
};

struct SBefore
{
    std::set<quint64> setChecked;
    std::vector<SReceiverAddress> vecStored;
    bool bSameDevice = true;
    int nHeaderState = 0;
    int nSortColumn = 0;
    bool bSortFlag = true;
    int nAnchor = -1;
    bool bProgressing = false;
    bool bSplitCursor = false;
    int nHidden = 0;
};
}
