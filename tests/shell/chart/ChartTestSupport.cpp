#include "ChartTestSupport.h"

#include <QApplication>
#include <QMouseEvent>

#include "shell/chart/PlotCtrl.h"

void ensureChartTestApp() {
    static int argc = 1;
    static char name[] = "test_chart";
    static char* argv[] = {name, nullptr};
    if (!QApplication::instance()) new QApplication(argc, argv);  // lives until the process ends
}

void sendMouse(QWidget* w, int type, Qt::MouseButton button, QPoint pos, Qt::MouseButtons held) {
    const QPointF local(pos);
    QMouseEvent e(static_cast<QEvent::Type>(type), local, w->mapToGlobal(local), button, held,
                  Qt::NoModifier);
    QApplication::sendEvent(w, &e);
}

void click(QWidget* w, QPoint pos, Qt::MouseButton button) {
    sendMouse(w, QEvent::MouseButtonPress, button, pos, button);
    sendMouse(w, QEvent::MouseButtonRelease, button, pos, Qt::NoButton);
}

void drag(QWidget* w, QPoint from, QPoint to, Qt::MouseButton button) {
    sendMouse(w, QEvent::MouseButtonPress, button, from, button);
    sendMouse(w, QEvent::MouseMove, Qt::NoButton, to, button);
    sendMouse(w, QEvent::MouseButtonRelease, button, to, Qt::NoButton);
}

void setUpChart(CPlotCtrl& chart, int width, int height, double xMin, double xMax, double yMin,
                double yMax) {
    chart.resize(width, height);
    chart.createAxis(kAxisBottom)->setRange(xMin, xMax);
    chart.createAxis(kAxisLeft)->setRange(yMin, yMax);
    chart.show();
    chart.redraw();
}
