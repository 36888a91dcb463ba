#include "CViewState.h"

#include <QDataStream>
#include <QIODevice>

namespace
{
constexpr quint32 s_nMagic = 0x434D5653; // "CMVS"
constexpr quint16 s_nVersion = 1;
constexpr int s_nMaxWidth = 100000;
constexpr int s_nProgressKey = 6;
}

QByteArray SViewState::Save() const
{
    QByteArray bytes;
    QDataStream stream(&bytes, QIODevice::WriteOnly);
    stream.setVersion(QDataStream::Qt_5_12);
    stream << s_nMagic << s_nVersion << quint8(s_nKeys);
    for (const int nWidth : arrWidth)
        stream << qint32(nWidth);
    stream << quint32(nHiddenKeys) << qint32(nSortKey) << quint8(bAscending ? 1 : 0);
    return bytes;
}

bool SViewState::Load(const QByteArray& bytes, SViewState* pState)
{
    QDataStream stream(bytes);
    stream.setVersion(QDataStream::Qt_5_12);
    quint32 nMagic = 0;
    quint16 nVersion = 0;
    quint8 nKeys = 0;
    stream >> nMagic >> nVersion >> nKeys;
    if (stream.status() != QDataStream::Ok || nMagic != s_nMagic || nVersion != s_nVersion || nKeys != s_nKeys)
        return false;
    SViewState state;
    for (int& nWidth : state.arrWidth) {
        qint32 n = 0;
        stream >> n;
        if (n != -1 && (n <= 0 || n > s_nMaxWidth))
            return false;
        nWidth = n;
    }
    quint32 nHidden = 0;
    qint32 nSort = 0;
    quint8 nAscending = 0;
    stream >> nHidden >> nSort >> nAscending;
    // A state that stops short, runs on or holds a value no view writes is
    // not one of ours.
    if (stream.status() != QDataStream::Ok || !stream.atEnd())
        return false;
    if ((nHidden >> s_nKeys) != 0 || (nHidden & 1u) || nSort < 0 || nSort >= s_nKeys || nSort == s_nProgressKey
        || nAscending > 1)
        return false;
    state.nHiddenKeys = nHidden;
    state.nSortKey = nSort;
    state.bAscending = nAscending == 1;
    *pState = state;
    return true;
}
