#include "shell/app/Icons.h"

#include <QPainter>

#include <QPainterPath>
#include <QPixmap>
#include <cmath>

#include "resources/CommandIds.h"

namespace {

const QColor kInk(38, 70, 110);
const QColor kAccent(0, 120, 215);
const QColor kGreen(40, 160, 60);
const QColor kRed(205, 50, 40);
const QColor kAmber(230, 150, 20);

// A small spectrum curve in the box r: the motif of the measurement icons.
void drawSpectrum(QPainter& p, const QRectF& r, const QColor& colour, qreal width = 2.0) {
    QPainterPath path;
    const int n = 40;
    for (int i = 0; i <= n; ++i) {
        const qreal t = qreal(i) / n;
        const qreal y = 0.15 + 0.75 * std::exp(-std::pow((t - 0.35) / 0.12, 2)) +
                        0.45 * std::exp(-std::pow((t - 0.72) / 0.07, 2));
        const QPointF pt(r.left() + t * r.width(), r.bottom() - std::min(y, 1.0) * r.height());
        if (i == 0)
            path.moveTo(pt);
        else
            path.lineTo(pt);
    }
    p.setPen(QPen(colour, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(path);
}

void drawAxes(QPainter& p, const QRectF& r) {
    p.setPen(QPen(kInk, 1.5));
    p.drawLine(QPointF(r.left(), r.top()), QPointF(r.left(), r.bottom()));
    p.drawLine(QPointF(r.left(), r.bottom()), QPointF(r.right(), r.bottom()));
}

void drawMagnifier(QPainter& p, QPointF centre, qreal radius, const QString& sign) {
    p.setPen(QPen(kInk, 2.2, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(QColor(255, 255, 255, 220));
    p.drawEllipse(centre, radius, radius);
    p.drawLine(centre + QPointF(radius * 0.7, radius * 0.7),
               centre + QPointF(radius * 1.6, radius * 1.6));
    if (sign.contains('+') || sign.contains('-')) {
        p.setPen(QPen(kAccent, 2.0, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(centre - QPointF(radius * 0.5, 0), centre + QPointF(radius * 0.5, 0));
        if (sign.contains('+'))
            p.drawLine(centre - QPointF(0, radius * 0.5), centre + QPointF(0, radius * 0.5));
    }
}

void drawArrowHead(QPainter& p, QPointF tip, QPointF direction, qreal size) {
    const QPointF n(-direction.y(), direction.x());
    QPolygonF head;
    head << tip << tip - direction * size + n * size * 0.6
         << tip - direction * size - n * size * 0.6;
    p.setBrush(p.pen().color());
    p.drawPolygon(head);
}

void drawDoubleArrow(QPainter& p, QPointF a, QPointF b, const QColor& colour) {
    p.setPen(QPen(colour, 2.0, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(a, b);
    QPointF d = b - a;
    const qreal len = std::hypot(d.x(), d.y());
    d /= len;
    drawArrowHead(p, b, d, 5);
    drawArrowHead(p, a, -d, 5);
}

void drawDocument(QPainter& p, const QRectF& r) {
    p.setPen(QPen(kInk, 1.5));
    p.setBrush(Qt::white);
    QPolygonF page;
    page << r.topLeft() << QPointF(r.right() - 6, r.top()) << QPointF(r.right(), r.top() + 6)
         << r.bottomRight() << r.bottomLeft();
    p.drawPolygon(page);
    p.setPen(QPen(QColor(150, 160, 175), 1));
    for (qreal y = r.top() + 9; y < r.bottom() - 3; y += 4)
        p.drawLine(QPointF(r.left() + 3, y), QPointF(r.right() - 4, y));
}

void drawLamp(QPainter& p, const QRectF& r, const QColor& glass) {
    p.setPen(QPen(kInk, 1.5));
    p.setBrush(glass);
    p.drawEllipse(QRectF(r.left() + 4, r.top(), r.width() - 8, r.height() * 0.7));
    p.setBrush(QColor(150, 150, 160));
    p.drawRect(QRectF(r.center().x() - 4, r.top() + r.height() * 0.68, 8, r.height() * 0.28));
}

void paintCommand(QPainter& p, int command, const QRectF& r) {
    const QRectF plot = r.adjusted(4, 4, -4, -4);
    switch (command) {
        case Cmd::kNewMeasurement:
            drawAxes(p, plot);
            drawSpectrum(p, plot.adjusted(2, 2, -2, -2), kAccent);
            p.setPen(QPen(kGreen, 3, Qt::SolidLine, Qt::RoundCap));
            p.drawLine(QPointF(r.right() - 8, r.top() + 3), QPointF(r.right() - 8, r.top() + 13));
            p.drawLine(QPointF(r.right() - 13, r.top() + 8), QPointF(r.right() - 3, r.top() + 8));
            break;
        case Cmd::kDeviceManager: {
            // A spectrometer box with its fibre port and USB cable.
            p.setPen(QPen(kInk, 1.5));
            p.setBrush(QColor(210, 225, 245));
            p.drawRoundedRect(QRectF(r.left() + 4, r.top() + 9, 18, 13), 2, 2);
            p.setBrush(kAmber);
            p.drawEllipse(QPointF(r.left() + 9, r.top() + 15.5), 2.5, 2.5);
            p.setPen(QPen(kInk, 2, Qt::SolidLine, Qt::RoundCap));
            p.setBrush(Qt::NoBrush);
            QPainterPath cable;
            cable.moveTo(r.left() + 22, r.top() + 15);
            cable.cubicTo(r.left() + 27, r.top() + 15, r.left() + 24, r.top() + 25, r.left() + 29,
                          r.top() + 25);
            p.drawPath(cable);
            break;
        }
        case Cmd::kRun: {
            p.setPen(Qt::NoPen);
            p.setBrush(kGreen);
            QPolygonF play;
            play << QPointF(r.left() + 9, r.top() + 5) << QPointF(r.right() - 7, r.center().y())
                 << QPointF(r.left() + 9, r.bottom() - 5);
            p.drawPolygon(play);
            break;
        }
        case Cmd::kPause:
            p.setPen(Qt::NoPen);
            p.setBrush(kAmber);
            p.drawRoundedRect(QRectF(r.left() + 8, r.top() + 5, 6, r.height() - 10), 1.5, 1.5);
            p.drawRoundedRect(QRectF(r.right() - 14, r.top() + 5, 6, r.height() - 10), 1.5, 1.5);
            break;
        case Cmd::kSingleStep: {
            p.setPen(Qt::NoPen);
            p.setBrush(kAccent);
            QPolygonF play;
            play << QPointF(r.left() + 6, r.top() + 6) << QPointF(r.right() - 12, r.center().y())
                 << QPointF(r.left() + 6, r.bottom() - 6);
            p.drawPolygon(play);
            p.drawRoundedRect(QRectF(r.right() - 11, r.top() + 6, 4, r.height() - 12), 1, 1);
            break;
        }
        case Cmd::kSaveReference:
        case Cmd::kSaveBackground:
            // A lamp, lit for the reference and dark for the background, with a tick.
            drawLamp(p, r.adjusted(4, 3, -10, -3),
                     command == Cmd::kSaveReference ? QColor(255, 236, 140) : QColor(90, 95, 110));
            p.setPen(QPen(kGreen, 2.5, Qt::SolidLine, Qt::RoundCap));
            p.drawLine(QPointF(r.right() - 9, r.bottom() - 9),
                       QPointF(r.right() - 6, r.bottom() - 5));
            p.drawLine(QPointF(r.right() - 6, r.bottom() - 5),
                       QPointF(r.right() - 1, r.bottom() - 13));
            break;
        case Cmd::kRecover:
            drawAxes(p, plot);
            drawSpectrum(p, plot.adjusted(2, 4, -2, -2), kAccent, 1.5);
            p.setPen(QPen(kGreen, 2.2, Qt::SolidLine, Qt::RoundCap));
            p.setBrush(Qt::NoBrush);
            p.drawArc(QRectF(r.right() - 16, r.top() + 2, 12, 12), 30 * 16, 270 * 16);
            drawArrowHead(p, QPointF(r.right() - 4.5, r.top() + 5), QPointF(0.3, -1), 4);
            break;
        case Cmd::kZoomXRange:
            drawAxes(p, plot);
            drawDoubleArrow(p, QPointF(plot.left() + 4, plot.center().y()),
                            QPointF(plot.right() - 1, plot.center().y()), kAccent);
            break;
        case Cmd::kZoomYRange:
            drawAxes(p, plot);
            drawDoubleArrow(p, QPointF(plot.center().x() + 2, plot.top() + 1),
                            QPointF(plot.center().x() + 2, plot.bottom() - 4), kAccent);
            break;
        case Cmd::kBestX:
            drawAxes(p, plot);
            drawSpectrum(p, plot.adjusted(2, 6, -1, -2), kAccent, 1.5);
            p.setPen(QPen(kGreen, 2));
            p.drawLine(QPointF(plot.left() + 2, plot.top() + 2),
                       QPointF(plot.left() + 2, plot.top() + 8));
            p.drawLine(QPointF(plot.right(), plot.top() + 2),
                       QPointF(plot.right(), plot.top() + 8));
            drawDoubleArrow(p, QPointF(plot.left() + 4, plot.top() + 5),
                            QPointF(plot.right() - 2, plot.top() + 5), kGreen);
            break;
        case Cmd::kBestY:
            drawAxes(p, plot);
            drawSpectrum(p, plot.adjusted(8, 2, -1, -2), kAccent, 1.5);
            drawDoubleArrow(p, QPointF(plot.left() + 5, plot.top() + 1),
                            QPointF(plot.left() + 5, plot.bottom() - 3), kGreen);
            break;
        case Cmd::kZoomIn:
            drawMagnifier(p, QPointF(r.left() + 13, r.top() + 12), 8, "+");
            break;
        case Cmd::kZoomOut:
            drawMagnifier(p, QPointF(r.left() + 13, r.top() + 12), 8, "-");
            break;
        case Cmd::kSelectZoom:
            p.setPen(QPen(kAccent, 1.5, Qt::DashLine));
            p.setBrush(QColor(0, 120, 215, 40));
            p.drawRect(QRectF(r.left() + 3, r.top() + 3, 18, 14));
            drawMagnifier(p, QPointF(r.left() + 18, r.top() + 16), 5.5, "");
            break;
        case Cmd::kCoordinateSetting:
            drawAxes(p, plot);
            p.setPen(QPen(kInk, 1));
            for (int i = 1; i < 4; ++i) {
                const qreal x = plot.left() + i * plot.width() / 4;
                const qreal y = plot.bottom() - i * plot.height() / 4;
                p.drawLine(QPointF(x, plot.bottom()), QPointF(x, plot.bottom() - 3));
                p.drawLine(QPointF(plot.left(), y), QPointF(plot.left() + 3, y));
            }
            p.setPen(QPen(kAmber, 3, Qt::SolidLine, Qt::RoundCap));
            p.drawLine(QPointF(plot.left() + 10, plot.bottom() - 6),
                       QPointF(plot.right() - 2, plot.top() + 3));
            break;
        case Cmd::kImportData:
            drawDocument(p, QRectF(r.left() + 11, r.top() + 3, 16, 22));
            p.setPen(QPen(kGreen, 2.5, Qt::SolidLine, Qt::RoundCap));
            p.drawLine(QPointF(r.left() + 2, r.center().y()),
                       QPointF(r.left() + 15, r.center().y()));
            drawArrowHead(p, QPointF(r.left() + 17, r.center().y()), QPointF(1, 0), 5);
            break;
        case Cmd::kExportData:
            drawDocument(p, QRectF(r.left() + 3, r.top() + 3, 16, 22));
            p.setPen(QPen(kAccent, 2.5, Qt::SolidLine, Qt::RoundCap));
            p.drawLine(QPointF(r.left() + 14, r.center().y()),
                       QPointF(r.right() - 5, r.center().y()));
            drawArrowHead(p, QPointF(r.right() - 2, r.center().y()), QPointF(1, 0), 5);
            break;
        case Cmd::kRecordManager:
            for (int i = 0; i < 3; ++i) {
                const qreal y = r.top() + 5 + i * 7;
                p.setPen(QPen(kInk, 1.2));
                p.setBrush(Qt::white);
                p.drawRect(QRectF(r.left() + 4, y, 5, 5));
                p.setPen(QPen(i == 1 ? kRed : (i == 0 ? kAccent : kGreen), 2.5, Qt::SolidLine,
                              Qt::RoundCap));
                p.drawLine(QPointF(r.left() + 12, y + 2.5), QPointF(r.right() - 4, y + 2.5));
            }
            break;
        case Cmd::kAddTableView:
            p.setPen(QPen(kInk, 1.2));
            p.setBrush(Qt::white);
            p.drawRect(QRectF(r.left() + 4, r.top() + 4, 24, 20));
            p.setBrush(QColor(191, 219, 255));
            p.drawRect(QRectF(r.left() + 4, r.top() + 4, 24, 5));
            for (int i = 1; i < 3; ++i)
                p.drawLine(QPointF(r.left() + 4 + i * 8, r.top() + 4),
                           QPointF(r.left() + 4 + i * 8, r.top() + 24));
            for (int j = 1; j < 3; ++j)
                p.drawLine(QPointF(r.left() + 4, r.top() + 9 + j * 5),
                           QPointF(r.left() + 28, r.top() + 9 + j * 5));
            break;
        case Cmd::kPrint:
            p.setPen(QPen(kInk, 1.5));
            p.setBrush(Qt::white);
            p.drawRect(QRectF(r.left() + 9, r.top() + 3, 14, 9));
            p.setBrush(QColor(170, 180, 195));
            p.drawRoundedRect(QRectF(r.left() + 4, r.top() + 11, 24, 10), 2, 2);
            p.setBrush(Qt::white);
            p.drawRect(QRectF(r.left() + 9, r.top() + 17, 14, 9));
            break;
        default:
            drawAxes(p, plot);
            drawSpectrum(p, plot, kAccent);
            break;
    }
}

}  // namespace

QIcon commandIcon(int command) {
    // Drawn at twice the toolbar's 32 x 30 image size so that it stays sharp when scaled.
    QPixmap pixmap(64, 60);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(2.0, 2.0);
    paintCommand(p, command, QRectF(0, 0, 32, 30));
    p.end();
    return QIcon(pixmap);
}

QPixmap connectionPixmap(bool connected, int size) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal s = size / 16.0;
    p.scale(s, s);
    p.setPen(QPen(QColor(40, 40, 40), 1));
    p.setBrush(connected ? kGreen : kRed);
    p.drawEllipse(QRectF(1.5, 1.5, 13, 13));
    p.setPen(QPen(Qt::white, 1.8, Qt::SolidLine, Qt::RoundCap));
    if (connected) {
        p.drawLine(QPointF(4.5, 8.5), QPointF(7, 11));
        p.drawLine(QPointF(7, 11), QPointF(11.5, 5));
    } else {
        p.drawLine(QPointF(5, 5), QPointF(11, 11));
        p.drawLine(QPointF(11, 5), QPointF(5, 11));
    }
    return pixmap;
}

QImage applicationImage(int size) {
    QImage image(size, size, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal s = size / 64.0;
    p.scale(s, s);
    QLinearGradient bg(0, 0, 64, 64);
    bg.setColorAt(0, QColor(40, 90, 170));
    bg.setColorAt(1, QColor(15, 40, 90));
    p.setPen(Qt::NoPen);
    p.setBrush(bg);
    p.drawRoundedRect(QRectF(2, 2, 60, 60), 12, 12);
    // A rainbow band under a spectrum curve.
    QLinearGradient rainbow(10, 0, 54, 0);
    const QColor colours[] = {QColor(120, 0, 200), QColor(0, 80, 255),  QColor(0, 200, 120),
                              QColor(240, 230, 0), QColor(255, 120, 0), QColor(220, 0, 0)};
    for (int i = 0; i < 6; ++i)
        rainbow.setColorAt(i / 5.0, colours[i]);
    p.setBrush(rainbow);
    p.drawRoundedRect(QRectF(10, 44, 44, 8), 3, 3);
    drawSpectrum(p, QRectF(10, 12, 44, 30), Qt::white, 3.5);
    return image;
}
