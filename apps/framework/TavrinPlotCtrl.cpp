#include "apps/framework/TavrinPlotCtrl.h"

#include <QFont>
#include <QMouseEvent>
#include <QToolTip>
#include <QWheelEvent>
#include <algorithm>

namespace {
constexpr unsigned kNamedSeriesIds = 100;
}

QColor colourFromRef(int ref) {
    return QColor(ref & 0xff, (ref >> 8) & 0xff, (ref >> 16) & 0xff);
}

int refFromColour(const QColor& c) {
    return c.red() | (c.green() << 8) | (c.blue() << 16);
}

CTavrinPlotCtrl::CTavrinPlotCtrl(QWidget* parent) : CPlotCtrl(parent) {
    setMouseTracking(true);
}

CPlotSeries* CTavrinPlotCtrl::FindNamedSeries(const QString& name) const {
    for (unsigned id = 0; id < kNamedSeriesIds; ++id) {
        CPlotSeries* s = series(id);
        if (s && s->name() == name) return s;
    }
    return nullptr;
}

int CTavrinPlotCtrl::AddNamedSeries(const QString& name) {
    CPlotLineSeries* s = createLineSeries();
    if (!s) return 0;
    s->setName(name);
    SeriesBuffer b;
    b.name = name;
    seriesBuffers.push_back(std::move(b));
    updateLegendVisibility();
    return 1;
}

void CTavrinPlotCtrl::RemoveNamedSeries(const QString& name) {
    if (CPlotSeries* s = FindNamedSeries(name)) removeSeries(s->id());
    std::erase_if(seriesBuffers, [&](const SeriesBuffer& b) { return b.name == name; });
    updateLegendVisibility();
}

int CTavrinPlotCtrl::SetNamedSeriesData(const QString& name, const double* x, const double* y,
                                        int count) {
    if (count > kViewArraySize || count < 0 || (count > 0 && (!x || !y))) return 0;
    for (SeriesBuffer& b : seriesBuffers) {
        if (b.name != name) continue;
        std::copy(x, x + count, b.x.begin());
        std::copy(y, y + count, b.y.begin());
        b.count = count;
    }
    auto* s = dynamic_cast<CPlotXYSeries*>(FindNamedSeries(name));
    if (!s) return 0;
    s->setPoints(x, y, static_cast<std::size_t>(count));
    return 1;
}

void CTavrinPlotCtrl::SetChartTitle(const QString& text) {
    title().setText(text);
    QFont f = title().font();
    f.setFamily("Arial");
    title().setFont(f);
}

void CTavrinPlotCtrl::updateLegendVisibility() {
    legend().setVisible(seriesBuffers.size() > 1);
}

void CTavrinPlotCtrl::wheelAt(const QPoint& pos, int delta) {
    if (!leftAxis || !bottomAxis || delta == 0) return;
    const bool forward = delta > 0;
    const SPlotRect plot = plotRect();
    const ViewRange bottom{bottomAxis->rangeMin(), bottomAxis->rangeMax()};
    const ViewRange left{leftAxis->rangeMin(), leftAxis->rangeMax()};
    auto apply = [](CPlotAxis* a, ViewRange r) { a->setRange(r.min, r.max); };
    if (plot.contains(pos.x(), pos.y())) {
        apply(bottomAxis, wheelZoom(bottom, bottomAxis->pixelToValue(pos.x()), forward));
        apply(leftAxis, wheelZoom(left, leftAxis->pixelToValue(pos.y()), forward));
    } else if (bottomAxis->strip().contains(pos.x(), pos.y())) {
        double f = bottomAxis->pixelToValue(pos.x());
        if (dragCursor && dragCursor->value() > bottom.min && dragCursor->value() < bottom.max)
            f = dragCursor->value();
        apply(bottomAxis, wheelZoom(bottom, f, forward));
    } else if (leftAxis->strip().contains(pos.x(), pos.y())) {
        apply(leftAxis, wheelZoomLeftAxis(left, forward));
    } else {
        return;
    }
    redraw();
    if (dragCursor) dragCursor->updatePosition();
    update();
}

void CTavrinPlotCtrl::wheelEvent(QWheelEvent* event) {
    wheelAt(event->position().toPoint(), event->angleDelta().y());
    event->accept();
}

void CTavrinPlotCtrl::mouseMoveEvent(QMouseEvent* event) {
    if (mouseLocked) return;
    const SPlotLegendHit hit = legendEntryAt(event->position().toPoint());
    const QString text = hit.index >= 0 ? hit.name : QString();
    if (text != tooltipText_) {
        tooltipText_ = text;
        if (text.isEmpty())
            QToolTip::hideText();
        else
            QToolTip::showText(event->globalPosition().toPoint(), text, this);
    }
    CPlotCtrl::mouseMoveEvent(event);
}

void CTavrinPlotCtrl::mousePressEvent(QMouseEvent* event) {
    if (mouseLocked && (event->button() == Qt::LeftButton || event->button() == Qt::RightButton))
        return;
    CPlotCtrl::mousePressEvent(event);
}

void CTavrinPlotCtrl::mouseReleaseEvent(QMouseEvent* event) {
    if (mouseLocked && event->button() == Qt::LeftButton) return;
    CPlotCtrl::mouseReleaseEvent(event);
}
