#pragma once
// Helpers of the chart's widget tests: the application object and synthetic mouse input.

#include <QPoint>
#include <QString>
#include <Qt>
#include <ostream>

/// Lets GoogleTest print QStrings as text.
inline void PrintTo(const QString& s, std::ostream* os) {
    *os << '"' << s.toStdString() << '"';
}

class QWidget;
class CPlotCtrl;

/// Creates the one QApplication of the test program on first use.
void ensureChartTestApp();

/// Sends a mouse event of type (press, move, release) at pos in client coordinates.
void sendMouse(QWidget* w, int type, Qt::MouseButton button, QPoint pos,
               Qt::MouseButtons held = Qt::NoButton);
void click(QWidget* w, QPoint pos, Qt::MouseButton button = Qt::LeftButton);
/// Press at from, move in one step to to, release there.
void drag(QWidget* w, QPoint from, QPoint to, Qt::MouseButton button = Qt::LeftButton);

/// A shown chart of the given size with a bottom and a left axis over the given ranges.
void setUpChart(CPlotCtrl& chart, int width, int height, double xMin, double xMax, double yMin,
                double yMax);
