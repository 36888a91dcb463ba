#include "CStatusListModel.h"

#include "CIconCache.h"

#include <QCoreApplication>

namespace
{
constexpr int s_nRows = c_nHealthStateCount + 1;
constexpr int s_nIconSize = 16;

// Line 0 is "All"; the states follow in EHealthState's order. The names are
// translated in CReceiverStatusList's context, the widget hosts know.
const char* const s_arrName[s_nRows] = {
    QT_TRANSLATE_NOOP("CReceiverStatusList", "All"),
    QT_TRANSLATE_NOOP("CReceiverStatusList", "Packet errors"),
    QT_TRANSLATE_NOOP("CReceiverStatusList", "Too hot"),
    QT_TRANSLATE_NOOP("CReceiverStatusList", "Voltage out of range"),
    QT_TRANSLATE_NOOP("CReceiverStatusList", "Humidity high"),
    QT_TRANSLATE_NOOP("CReceiverStatusList", "Failed modules"),
    QT_TRANSLATE_NOOP("CReceiverStatusList", "Upgrading"),
    QT_TRANSLATE_NOOP("CReceiverStatusList", "Upgrade failed"),
    QT_TRANSLATE_NOOP("CReceiverStatusList", "Needs attention"),
};
const char* const s_arrIcon[s_nRows] = {
    "all", "packetErrors", "tooHot", "voltage", "humidity", "failedModules", "upgrading", "upgradeFailed", "attention",
};
}

CStatusListModel::CStatusListModel(QObject* parent)
    : QAbstractListModel(parent)
    , m_vecCount(s_nRows, 0)
    , m_vecIcon(s_nRows)
{
}

int CStatusListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : s_nRows;
}

QString CStatusListModel::Name(int nRow)
{
    if (nRow < 0 || nRow >= s_nRows)
        return QString();
    return QCoreApplication::translate("CReceiverStatusList", s_arrName[nRow]);
}

QIcon CStatusListModel::Icon(int nRow) const
{
    // Rendered through the icon cache, so no SVG icon engine plugin is needed.
    QIcon& icon = m_vecIcon[nRow];
    if (icon.isNull()) {
        const QString strPath = QStringLiteral(":/image/status/%1.svg").arg(QLatin1String(s_arrIcon[nRow]));
        const QPixmap pixmap = CIconCache::Pixmap(strPath, QSize(s_nIconSize, s_nIconSize), 2.0);
        if (!pixmap.isNull())
            icon = QIcon(pixmap);
    }
    return icon;
}

QVariant CStatusListModel::data(const QModelIndex& index, int nRole) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return QVariant();
    const int nRow = index.row();
    switch (nRole) {
    case Qt::DisplayRole:
        //: A line of the state list: the state's name and its number of cards.
        return QCoreApplication::translate("CReceiverStatusList", "%1 (%2)").arg(Name(nRow)).arg(m_vecCount[nRow]);
    case Qt::DecorationRole:
        return Icon(nRow);
    case StateRole:
        return nRow == 0 ? 0 : int(1u << (nRow - 1));
    case CountRole:
        return m_vecCount[nRow];
    default:
        return QVariant();
    }
}

Qt::ItemFlags CStatusListModel::flags(const QModelIndex& index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
}

void CStatusListModel::SetCounts(const SStatusCounts& counts)
{
    for (int nRow = 0; nRow < s_nRows; ++nRow) {
        const int nCount = nRow == 0 ? counts.nShownCards : counts.arrShown[size_t(nRow - 1)];
        if (nCount == m_vecCount[nRow])
            continue;
        m_vecCount[nRow] = nCount;
        const QModelIndex idx = index(nRow);
        emit dataChanged(idx, idx, {Qt::DisplayRole, CountRole});
    }
}

void CStatusListModel::Retranslate()
{
    emit dataChanged(index(0), index(s_nRows - 1), {Qt::DisplayRole});
}
