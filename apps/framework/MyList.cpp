#include "apps/framework/MyList.h"

#include <QHeaderView>

CMyLIST::CMyLIST(QWidget* parent) : QTableWidget(parent) {
    verticalHeader()->hide();
    setSortingEnabled(false);
    setShowGrid(true);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
}

void CMyLIST::put(std::vector<Entry>& list, int row, int column, const QColor& c) {
    for (Entry& e : list) {
        if (e.row == row && e.column == column) {
            e.colour = c;
            return;
        }
    }
    list.push_back({row, column, c});
}

const CMyLIST::Entry* CMyLIST::find(const std::vector<Entry>& list, int row, int column) {
    for (const Entry& e : list)
        if (e.row == row && e.column == column) return &e;
    return nullptr;
}

void CMyLIST::setCellTextColour(int row, int column, const QColor& c) {
    put(text_, row, column, c);
    if (QTableWidgetItem* it = item(row, column)) it->setForeground(c);
}

void CMyLIST::setCellBackColour(int row, int column, const QColor& c) {
    put(back_, row, column, c);
    if (QTableWidgetItem* it = item(row, column)) it->setBackground(c);
}

QColor CMyLIST::cellTextColour(int row, int column) const {
    const Entry* e = find(text_, row, column);
    return e ? e->colour : QColor(Qt::black);
}

QColor CMyLIST::cellBackColour(int row, int column) const {
    const Entry* e = find(back_, row, column);
    return e ? e->colour : QColor(Qt::white);
}

void CMyLIST::setCellText(int row, int column, const QString& text) {
    QTableWidgetItem* it = item(row, column);
    if (!it) {
        it = new QTableWidgetItem;
        setItem(row, column, it);
    }
    if (it->text() != text) it->setText(text);
    it->setForeground(cellTextColour(row, column));
    it->setBackground(cellBackColour(row, column));
}
