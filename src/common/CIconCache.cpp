#include "CIconCache.h"

#include <QPainter>
#include <QPaintDevice>
#include <QPixmapCache>
#include <QSvgRenderer>

QPixmap CIconCache::Pixmap(const QString& strPath, const QSize& size, qreal dDevicePixelRatio)
{
    if (strPath.isEmpty() || size.isEmpty())
        return QPixmap();
    const QSize sizePixels = (QSizeF(size) * dDevicePixelRatio).toSize();
    const QString strKey = QStringLiteral("cmview:%1:%2x%3").arg(strPath).arg(sizePixels.width()).arg(sizePixels.height());
    QPixmap pixmap;
    if (QPixmapCache::find(strKey, &pixmap))
        return pixmap;
    QSvgRenderer renderer(strPath);
    if (!renderer.isValid())
        return QPixmap();
    QImage image(sizePixels, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        renderer.render(&painter, QRectF(QPointF(0, 0), QSizeF(sizePixels)));
    }
    pixmap = QPixmap::fromImage(image);
    pixmap.setDevicePixelRatio(dDevicePixelRatio);
    QPixmapCache::insert(strKey, pixmap);
    return pixmap;
}

void CIconCache::Draw(QPainter* pPainter, const QRectF& rectTarget, const QString& strPath)
{
    const qreal dRatio = pPainter->device() ? pPainter->device()->devicePixelRatioF() : 1.0;
    const QPixmap pixmap = Pixmap(strPath, rectTarget.size().toSize(), dRatio);
    if (!pixmap.isNull())
        pPainter->drawPixmap(rectTarget, pixmap, QRectF(pixmap.rect()));
}
