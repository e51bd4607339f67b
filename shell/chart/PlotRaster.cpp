#include "shell/chart/PlotRaster.h"

#include <QImage>
#include <QPainter>
#include <QRegion>
#include <cmath>
#include <cstdint>
#include <cstdlib>

namespace {

bool clipEdge(double p, double q, double& t0, double& t1) {
    if (p == 0.0) return q >= 0.0;
    const double r = q / p;
    if (p < 0.0) {
        if (r > t1) return false;
        if (r > t0) t0 = r;
    } else {
        if (r < t0) return false;
        if (r < t1) t1 = r;
    }
    return true;
}

// Bresenham between two points already inside the image.
void rasterLine(std::uint32_t* bits, qsizetype stride, int x0, int y0, int x1, int y1,
                std::uint32_t pixel) {
    const int dx = std::abs(x1 - x0);
    const int dy = -std::abs(y1 - y0);
    const int sx = x0 < x1 ? 1 : -1;
    const int sy = y0 < y1 ? 1 : -1;
    int err = dx + dy;
    for (;;) {
        bits[y0 * stride + x0] = pixel;
        if (x0 == x1 && y0 == y1) return;
        const int e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            x0 += sx;
        }
        if (e2 <= dx) {
            err += dx;
            y0 += sy;
        }
    }
}

}  // namespace

bool clipSegment(double& x0, double& y0, double& x1, double& y1, double xMin, double yMin,
                 double xMax, double yMax) {
    const double dx = x1 - x0;
    const double dy = y1 - y0;
    double t0 = 0.0;
    double t1 = 1.0;
    if (!clipEdge(-dx, x0 - xMin, t0, t1) || !clipEdge(dx, xMax - x0, t0, t1) ||
        !clipEdge(-dy, y0 - yMin, t0, t1) || !clipEdge(dy, yMax - y0, t0, t1)) {
        return false;
    }
    const double ox = x0;
    const double oy = y0;
    if (t1 < 1.0) {
        x1 = ox + t1 * dx;
        y1 = oy + t1 * dy;
    }
    if (t0 > 0.0) {
        x0 = ox + t0 * dx;
        y0 = oy + t0 * dy;
    }
    return true;
}

bool drawThinPolyline(QPainter& p, const QPoint* points, std::size_t count, const QColor& color,
                      const QRect& clip) {
    if (count < 2 || color.alpha() != 255) return false;
    QPaintDevice* device = p.device();
    if (!device || device->devType() != QInternal::Image) return false;
    auto* image = static_cast<QImage*>(device);
    const QImage::Format f = image->format();
    if (f != QImage::Format_ARGB32_Premultiplied && f != QImage::Format_RGB32 &&
        f != QImage::Format_ARGB32) {
        return false;
    }
    // A shared image would be copied by bits(), and the painter would keep painting the old
    // copy; only an image the painter has to itself is written directly.
    if (!image->isDetached()) return false;
    const QTransform t = p.deviceTransform();
    if (t.type() > QTransform::TxTranslate || t.dx() != std::floor(t.dx()) ||
        t.dy() != std::floor(t.dy())) {
        return false;
    }
    if (p.compositionMode() != QPainter::CompositionMode_SourceOver ||
        p.testRenderHint(QPainter::Antialiasing)) {
        return false;
    }
    const int ox = static_cast<int>(t.dx());
    const int oy = static_cast<int>(t.dy());
    QRect area = clip.translated(ox, oy) & image->rect();
    if (p.hasClipping()) {
        const QRegion region = p.clipRegion();
        if (region.rectCount() != 1) return false;
        area &= region.boundingRect().translated(ox, oy);
    }
    if (area.isEmpty()) return true;

    std::uint32_t* bits = reinterpret_cast<std::uint32_t*>(image->bits());
    const qsizetype stride = image->bytesPerLine() / 4;
    const std::uint32_t pixel = 0xFF000000u | (color.rgb() & 0x00FFFFFFu);
    const double xMin = area.left();
    const double yMin = area.top();
    const double xMax = area.right();
    const double yMax = area.bottom();
    const int left = area.left();
    const int top = area.top();
    const int right = area.right();
    const int bottom = area.bottom();
    auto inside = [&](int x, int y) { return x >= left && x <= right && y >= top && y <= bottom; };
    for (std::size_t i = 1; i < count; ++i) {
        const int ax = points[i - 1].x() + ox;
        const int ay = points[i - 1].y() + oy;
        const int bx = points[i].x() + ox;
        const int by = points[i].y() + oy;
        if (inside(ax, ay) && inside(bx, by)) {
            rasterLine(bits, stride, ax, ay, bx, by, pixel);
            continue;
        }
        double x0 = ax;
        double y0 = ay;
        double x1 = bx;
        double y1 = by;
        if (!clipSegment(x0, y0, x1, y1, xMin, yMin, xMax, yMax)) continue;
        rasterLine(bits, stride, static_cast<int>(std::lround(x0)),
                   static_cast<int>(std::lround(y0)), static_cast<int>(std::lround(x1)),
                   static_cast<int>(std::lround(y1)), pixel);
    }
    return true;
}
