#pragma once

#include <QString>

#include <cstdint>
#include <string>
#include <vector>

class CReceiverTableModel;

// What the text filter searches in every row's record, read once per change
// of the records rather than on every filter change: the S/N lower-cased
// when it is ASCII, packed together, and the row's type and firmware as
// places in lists of the wall's few distinct texts, so that each distinct
// text is matched once per filter text.
class CSearchKeys
{
public:
    // Reads the records again when the model's texts changed since.
    void Update(const CReceiverTableModel* pModel);
    // Matches the distinct types and firmware texts with a filter text;
    // strAsciiLower is the text lower-cased when bAscii, and is not empty.
    void Match(const std::string& strAsciiLower, bool bAscii, const QString& strText);
    // 1 when the row's record matches the text given to Match() last, 0 when
    // not, -1 when its S/N has to be matched as text (beyond ASCII).
    int Matches(int nRow) const;

    // Whether the field holds the text, as QString::contains() without case
    // would answer on the field as UTF-8; ASCII is matched on the bytes.
    static bool ContainsText(const std::string& strField, const std::string& strAsciiLower, bool bAscii,
                             const QString& strText);
    static char AsciiLower(char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; }

private:
    void Read(const CReceiverTableModel* pModel);

    quint64 m_nGeneration = 0;
    bool m_bKnown = false;
    // Row r's S/N is m_strSerials[m_vecSerialStart[r], m_vecSerialStart[r + 1]);
    // m_vecSerialAscii[r] is 0 when it is not ASCII (and kept empty).
    std::string m_strSerials;
    std::vector<uint32_t> m_vecSerialStart;
    std::vector<char> m_vecSerialAscii;
    std::vector<uint32_t> m_vecType;
    std::vector<uint32_t> m_vecFirmware;
    std::vector<std::string> m_vecTypeTexts;
    std::vector<std::string> m_vecFirmwareTexts;
    // Whether each distinct type or firmware text matches.
    std::vector<char> m_vecTypeMatch;
    std::vector<char> m_vecFirmwareMatch;
    std::string m_strAsciiLower;
    bool m_bAscii = false;
};
