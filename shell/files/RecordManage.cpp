#include "shell/files/RecordManage.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QPainter>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "core/SpectrumData.h"
#include "resources/FilesStrings.h"
#include "resources/StringTable.h"

namespace {

constexpr int kColumnChecked = 0;
constexpr int kColumnRecord = 1;
constexpr int kColumnColor = 2;
constexpr int kColourRole = Qt::UserRole + 1;  // the colour the cell shows, 0x00BBGGRR

QString text(int id) {
    return QString::fromUtf8(loadString(id));
}

QColor fromBgr(int c) {
    return QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
}

// A tree has no grid of its own: each cell draws its colour and its right and bottom lines.
class GridDelegate : public QStyledItemDelegate {
  public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        const QVariant fill = index.data(Qt::BackgroundRole);
        if (fill.canConvert<QBrush>()) painter->fillRect(option.rect, fill.value<QBrush>());
        QStyledItemDelegate::paint(painter, option, index);
        painter->save();
        painter->setPen(QColor(208, 208, 208));
        painter->drawLine(option.rect.topRight(), option.rect.bottomRight());
        painter->drawLine(option.rect.bottomLeft(), option.rect.bottomRight());
        painter->restore();
    }
};

}  // namespace

void removeEmptiedSeries(CSpectrumData& record) {
    auto& s = record.extraSeries;
    s.erase(
        std::remove_if(s.begin(), s.end(), [](const SpectrumSeries& e) { return e.count == 0; }),
        s.end());
}

CRecordManage::CRecordManage(CSpectrumData& record, int fileType, QWidget* parent)
    : QDialog(parent), record_(record), fileType_(fileType) {
    setWindowTitle(text(FilesStr::kRecordsManager));
    setAttribute(Qt::WA_DeleteOnClose);
    list_ = new QTreeWidget(this);
    list_->setObjectName(QString::number(kRecordListId));
    list_->setColumnCount(3);
    list_->setHeaderLabels({text(FilesStr::kColumnChecked), text(FilesStr::kColumnRecord),
                            text(FilesStr::kColumnColor)});
    list_->setRootIsDecorated(false);
    list_->setSelectionBehavior(QAbstractItemView::SelectRows);
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    list_->setItemDelegate(new GridDelegate(list_));
    list_->header()->setStretchLastSection(false);
    list_->setColumnWidth(kColumnChecked, 60);
    list_->setColumnWidth(kColumnRecord, 300);
    list_->setColumnWidth(kColumnColor, 100);
    list_->setTextElideMode(Qt::ElideLeft);  // the end of a path says most

    delete_ = new QPushButton(text(FilesStr::kDelete), this);
    connect(delete_, &QPushButton::clicked, this, &CRecordManage::deleteSelected);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(delete_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(list_);
    layout->addLayout(buttons);
    resize(500, 300);

    for (const SpectrumSeries& s : record_.extraSeries)
        if (s.typeCode == fileType_) addRow(s.typeName, s.valid, s.displayColour);
    for (const RecordEntry& r : record_.records)
        if (r.typeCode == fileType_) addRow(r.name, r.checked, r.colour);

    timer_.setInterval(kRecordTimerMs);
    connect(&timer_, &QTimer::timeout, this, &CRecordManage::onTimer);
    timer_.start();
}

void CRecordManage::addRow(const std::string& name, int shown, int colour) {
    auto* row = new QTreeWidgetItem(list_);
    row->setFlags(row->flags() | Qt::ItemIsUserCheckable);
    row->setCheckState(kColumnChecked, shown ? Qt::Checked : Qt::Unchecked);
    row->setText(kColumnRecord, QString::fromStdString(name));
    row->setToolTip(kColumnRecord, QString::fromStdString(name));
    paintColour(row, colour);
}

void CRecordManage::paintColour(QTreeWidgetItem* row, int colour) {
    row->setData(kColumnColor, kColourRole, colour);
    row->setBackground(kColumnColor, fromBgr(colour));
}

void CRecordManage::onTimer() {
    for (int i = 0; i < list_->topLevelItemCount(); ++i) {
        QTreeWidgetItem* row = list_->topLevelItem(i);
        const std::string name = row->text(kColumnRecord).toStdString();
        auto it = std::find_if(record_.extraSeries.begin(), record_.extraSeries.end(),
                               [&](const SpectrumSeries& s) { return s.typeName == name; });
        if (it == record_.extraSeries.end()) return;
        const bool shown = row->checkState(kColumnChecked) == Qt::Checked;
        it->valid = shown ? 1 : 0;
        const int colour = shown ? it->displayColour : 0xFFFFFF;
        if (row->data(kColumnColor, kColourRole).toInt() != colour) paintColour(row, colour);
    }
}

void CRecordManage::deleteSelected() {
    QTreeWidgetItem* row = list_->currentItem();
    if (!row || !row->isSelected()) return;
    const std::string name = row->text(kColumnRecord).toStdString();
    if (fileType_ == 12) {
        for (RecordEntry& r : record_.records)
            if (r.name == name) {
                r.checked = 0;
                r.count = 0;
            }
    } else {
        for (SpectrumSeries& s : record_.extraSeries)
            if (s.typeName == name) {
                s.valid = 0;
                s.count = 0;
            }
    }
    delete row;
}

void CRecordManage::done(int result) {
    timer_.stop();
    removeEmptiedSeries(record_);
    QDialog::done(result);
}
