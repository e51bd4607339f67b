#pragma once
// The side table of a view: a report list whose cells can carry their own text and background
// colours, first matching entry wins. UI thread.

#include <QColor>
#include <QTableWidget>
#include <vector>

class CMyLIST : public QTableWidget {
    Q_OBJECT
  public:
    explicit CMyLIST(QWidget* parent = nullptr);

    /// An existing entry for the cell is updated, otherwise one is appended.
    void setCellTextColour(int row, int column, const QColor& c);
    void setCellBackColour(int row, int column, const QColor& c);
    /// Black and white when the cell has no entry.
    QColor cellTextColour(int row, int column) const;
    QColor cellBackColour(int row, int column) const;

    /// Writes text into a cell, making the item when needed, with the cell's colours.
    void setCellText(int row, int column, const QString& text);

  private:
    struct Entry {
        int row;
        int column;
        QColor colour;
    };
    static void put(std::vector<Entry>& list, int row, int column, const QColor& c);
    static const Entry* find(const std::vector<Entry>& list, int row, int column);
    std::vector<Entry> text_;
    std::vector<Entry> back_;
};
