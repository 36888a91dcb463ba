#include "CDemoLanguage.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

CDemoLanguage::~CDemoLanguage()
{
    if (m_bInstalled)
        QCoreApplication::removeTranslator(&m_translator);
}

QStringList CDemoLanguage::SearchDirs()
{
    const QString strAppDir = QCoreApplication::applicationDirPath();
    QStringList listDirs;
    // The build tree's catalogues, so a freshly built demo runs in place.
    listDirs << QStringLiteral(CMVIEW_QM_DIR);
    // Shipped next to the executable.
    listDirs << strAppDir << QDir(strAppDir).filePath(QStringLiteral("translations"));
    // Installed: <prefix>/bin/cmview_demo and <prefix>/share/cmview/translations.
    listDirs << QDir::cleanPath(QDir(strAppDir).filePath(QStringLiteral(CMVIEW_QM_RELATIVE_DIR)));
    return listDirs;
}

bool CDemoLanguage::Apply(const QString& strLanguage)
{
    if (strLanguage == m_strCurrent)
        return true;

    if (strLanguage == QLatin1String("en")) {
        if (m_bInstalled)
            QCoreApplication::removeTranslator(&m_translator);
        m_bInstalled = false;
        m_strCurrent = strLanguage;
        m_strFile.clear();
        return true;
    }

    const QString strName = QStringLiteral("cmview_") + strLanguage + QStringLiteral(".qm");
    for (const QString& strDir : SearchDirs()) {
        const QString strFile = QDir(strDir).filePath(strName);
        if (!QFileInfo::exists(strFile))
            continue;
        // Loading into an installed translator would switch texts behind Qt's
        // back; take it out first and put it back once loaded.
        if (m_bInstalled)
            QCoreApplication::removeTranslator(&m_translator);
        m_bInstalled = false;
        if (!m_translator.load(strFile))
            continue;
        m_bInstalled = QCoreApplication::installTranslator(&m_translator);
        m_strCurrent = strLanguage;
        m_strFile = strFile;
        return m_bInstalled;
    }
    return false;
}
