#include "shell/chart/PlotPointerShapes.h"

#include <QPainter>
#include <QPixmap>

namespace {
constexpr int kPointerSize = 32;

QCursor magnifier(bool plus) {
    QPixmap pm(kPointerSize, kPointerSize);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF lens(2.5, 2.5, 17, 17);
    // A white halo keeps the black glyph visible on the dark chart backgrounds.
    p.setPen(QPen(Qt::white, 5, Qt::SolidLine, Qt::RoundCap));
    p.drawEllipse(lens);
    p.drawLine(QPointF(17, 17), QPointF(28, 28));
    p.setPen(QPen(Qt::black, 2, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(QColor(255, 255, 255, 200));
    p.drawEllipse(lens);
    p.setPen(QPen(Qt::black, 3, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(17, 17), QPointF(28, 28));
    p.setPen(QPen(Qt::black, 2));
    p.drawLine(QPointF(7, 11), QPointF(15, 11));
    if (plus) p.drawLine(QPointF(11, 7), QPointF(11, 15));
    p.end();
    return QCursor(pm, 11, 11);  // hot spot at the lens centre
}
}  // namespace

const QCursor& plotZoomInPointer() {
    static const QCursor c = magnifier(true);
    return c;
}

const QCursor& plotZoomOutPointer() {
    static const QCursor c = magnifier(false);
    return c;
}
