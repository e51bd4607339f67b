#pragma once
// The title strings above the plot, one centred line each. Owned by CPlotCtrl; UI thread.

#include <QColor>
#include <QFont>
#include <QStringList>

#include "shell/chart/PlotGeometry.h"

class QPainter;

class CPlotTitle {
  public:
    CPlotTitle();

    QStringList strings() const { return m_strings; }
    void addString(const QString& s) { m_strings.push_back(s); }
    void removeAll() { m_strings.clear(); }
    /// The title becomes this one line.
    void setText(const QString& s) { m_strings = QStringList{s}; }

    QColor color() const { return m_color; }
    void setColor(const QColor& c) { m_color = c; }
    QFont font() const { return m_font; }
    void setFont(const QFont& f) { m_font = f; }
    bool isVisible() const { return m_visible; }
    void setVisible(bool v) { m_visible = v; }

    /// Draws the title at the top of r and returns the height it took.
    int draw(QPainter& p, const SPlotRect& r) const;

  private:
    QStringList m_strings;
    QColor m_color{Qt::black};
    QFont m_font;
    bool m_visible = true;
};
