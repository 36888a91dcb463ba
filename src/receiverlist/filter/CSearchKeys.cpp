#include "CSearchKeys.h"

#include "CReceiverTableModel.h"
#include "ReceiverCellText.h"

#include <string_view>
#include <unordered_map>

namespace
{
// 1 found, 0 not found, -1 not known: the field has bytes beyond ASCII,
// which Qt's case folding may match to ASCII letters. One pass over the
// field; strLower is not empty.
int FindAsciiLower(const std::string& strField, const std::string& strLower)
{
    const size_t nField = strField.size();
    const size_t nText = strLower.size();
    const char cFirst = strLower[0];
    unsigned char cBits = 0;
    for (size_t i = 0; i < nField; ++i) {
        const char c = strField[i];
        cBits |= static_cast<unsigned char>(c);
        if (CSearchKeys::AsciiLower(c) != cFirst || nField - i < nText)
            continue;
        size_t j = 1;
        while (j < nText && CSearchKeys::AsciiLower(strField[i + j]) == strLower[j])
            ++j;
        if (j == nText)
            return 1;
    }
    return (cBits & 0x80) ? -1 : 0;
}

// The place of the text in the list of distinct texts, added when new.
uint32_t Intern(std::unordered_map<std::string, uint32_t>& mapPlace, std::vector<std::string>& vecTexts,
                const std::string& strText)
{
    const auto it = mapPlace.emplace(strText, uint32_t(vecTexts.size()));
    if (it.second)
        vecTexts.push_back(strText);
    return it.first->second;
}
}

bool CSearchKeys::ContainsText(const std::string& strField, const std::string& strAsciiLower, bool bAscii,
                               const QString& strText)
{
    const int nFound = bAscii ? FindAsciiLower(strField, strAsciiLower) : -1;
    if (nFound != -1)
        return nFound == 1;
    return ReceiverCellText::Utf8Text(strField).contains(strText, Qt::CaseInsensitive);
}

void CSearchKeys::Update(const CReceiverTableModel* pModel)
{
    if (m_bKnown && m_nGeneration == pModel->TextGeneration()
        && m_vecType.size() == size_t(pModel->rowCount()))
        return;
    Read(pModel);
    m_nGeneration = pModel->TextGeneration();
    m_bKnown = true;
    // The answers were for the texts before.
    m_vecTypeMatch.clear();
    m_vecFirmwareMatch.clear();
}

void CSearchKeys::Read(const CReceiverTableModel* pModel)
{
    const size_t nRows = size_t(pModel->rowCount());
    m_strSerials.clear();
    m_vecSerialStart.assign(1, 0);
    m_vecSerialStart.reserve(nRows + 1);
    m_vecSerialAscii.assign(nRows, 1);
    m_vecType.resize(nRows);
    m_vecFirmware.resize(nRows);
    m_vecTypeTexts.clear();
    m_vecFirmwareTexts.clear();
    std::unordered_map<std::string, uint32_t> mapType;
    std::unordered_map<std::string, uint32_t> mapFirmware;
    std::string strFirmware;
    for (size_t r = 0; r < nRows; ++r) {
        const SReceiverRowInfo& info = pModel->Record(int(r));
        bool bAscii = true;
        for (const char c : info.strSN)
            bAscii = bAscii && !(static_cast<unsigned char>(c) & 0x80);
        if (bAscii) {
            for (const char c : info.strSN)
                m_strSerials.push_back(AsciiLower(c));
        }
        m_vecSerialAscii[r] = char(bAscii);
        m_vecSerialStart.push_back(uint32_t(m_strSerials.size()));
        // Runs of rows share their type and firmware: the row before answers.
        const SReceiverRowInfo* pBefore = r > 0 ? &pModel->Record(int(r - 1)) : nullptr;
        if (pBefore && pBefore->strType == info.strType)
            m_vecType[r] = m_vecType[r - 1];
        else
            m_vecType[r] = Intern(mapType, m_vecTypeTexts, info.strType);
        if (pBefore && pBefore->strTypeName == info.strTypeName && pBefore->strVersion == info.strVersion) {
            m_vecFirmware[r] = m_vecFirmware[r - 1];
        } else {
            strFirmware = info.strTypeName + " V" + info.strVersion;
            m_vecFirmware[r] = Intern(mapFirmware, m_vecFirmwareTexts, strFirmware);
        }
    }
}

void CSearchKeys::Match(const std::string& strAsciiLower, bool bAscii, const QString& strText)
{
    m_strAsciiLower = strAsciiLower;
    m_bAscii = bAscii;
    m_vecTypeMatch.resize(m_vecTypeTexts.size());
    for (size_t i = 0; i < m_vecTypeTexts.size(); ++i)
        m_vecTypeMatch[i] = char(ContainsText(m_vecTypeTexts[i], strAsciiLower, bAscii, strText));
    m_vecFirmwareMatch.resize(m_vecFirmwareTexts.size());
    for (size_t i = 0; i < m_vecFirmwareTexts.size(); ++i)
        m_vecFirmwareMatch[i] = char(ContainsText(m_vecFirmwareTexts[i], strAsciiLower, bAscii, strText));
}

int CSearchKeys::Matches(int nRow) const
{
    const size_t r = size_t(nRow);
    if (m_vecTypeMatch[m_vecType[r]] || m_vecFirmwareMatch[m_vecFirmware[r]])
        return 1;
    if (!m_bAscii || !m_vecSerialAscii[r])
        return -1;
    const std::string_view serial(m_strSerials.data() + m_vecSerialStart[r], m_vecSerialStart[r + 1] - m_vecSerialStart[r]);
    return serial.find(m_strAsciiLower) != std::string_view::npos ? 1 : 0;
}
