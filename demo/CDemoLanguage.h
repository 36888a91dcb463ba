#pragma once

#include <QString>
#include <QStringList>
#include <QTranslator>

// Switches the application between English (the source texts) and Simplified
// Chinese by installing or removing the library's compiled catalogue. Qt then
// sends every widget a LanguageChange event, through which the receiver view
// and the host window re-translate themselves.
class CDemoLanguage
{
public:
    CDemoLanguage() = default;
    ~CDemoLanguage();
    CDemoLanguage(const CDemoLanguage&) = delete;
    CDemoLanguage& operator=(const CDemoLanguage&) = delete;

    // "en" or "zh_CN". False (and no change) when the catalogue is not found.
    bool Apply(const QString& strLanguage);
    QString Current() const { return m_strCurrent; }
    // Where the catalogue was found, for diagnostics; empty for English.
    QString CatalogueFile() const { return m_strFile; }

    // Directories searched for cmview_<language>.qm, in order.
    static QStringList SearchDirs();

private:
    QTranslator m_translator;
    bool m_bInstalled = false;
    QString m_strCurrent = QStringLiteral("en");
    QString m_strFile;
};
