#pragma once

#include <QPixmap>
#include <QString>

class QPainter;
class QRectF;

// Rendered SVG icons by path and size. Headers and delegates repaint often;
// parsing the SVG once per path and size keeps a paint cheap at any row count.
class CIconCache
{
public:
    static QPixmap Pixmap(const QString& strPath, const QSize& size, qreal dDevicePixelRatio = 1.0);
    // Draws the icon into rectTarget; nothing when the path does not load.
    static void Draw(QPainter* pPainter, const QRectF& rectTarget, const QString& strPath);
};
