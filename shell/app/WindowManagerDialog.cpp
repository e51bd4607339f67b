#include "shell/app/WindowManagerDialog.h"

#include <QHBoxLayout>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>

#include "resources/ShellStrings.h"
#include "resources/StringTable.h"
#include "shell/app/TabGroupArea.h"

namespace {

QString text(int id) {
    return QString::fromUtf8(loadString(id));
}

// Each row keeps the view it names; a view closed meanwhile reads back as null.
constexpr int kViewRole = Qt::UserRole;

QWidget* viewOf(const QListWidgetItem* item) {
    return item->data(kViewRole).value<QPointer<QWidget>>().data();
}

}  // namespace

CWindowManager::CWindowManager(CTabGroupArea& tabs, QWidget* parent)
    : QDialog(parent), tabs_(tabs) {
    setWindowTitle(text(ShellStr::kWindowsTitle));
    list_ = new QListWidget(this);
    list_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    list_->setMinimumSize(260, 180);
    activate_ = new QPushButton(text(ShellStr::kActivate), this);
    close_ = new QPushButton(text(ShellStr::kCloseWindows), this);
    auto* ok = new QPushButton(text(ShellStr::kOk), this);
    ok->setDefault(true);

    auto* buttons = new QVBoxLayout;
    buttons->addWidget(ok);
    buttons->addWidget(activate_);
    buttons->addWidget(close_);
    buttons->addStretch();
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(list_, 1);
    layout->addLayout(buttons);

    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(activate_, &QPushButton::clicked, this, &CWindowManager::activateSelected);
    connect(close_, &QPushButton::clicked, this, &CWindowManager::closeSelected);
    connect(list_, &QListWidget::itemDoubleClicked, this, &CWindowManager::activateSelected);
    connect(list_, &QListWidget::itemSelectionChanged, this, &CWindowManager::updateButtons);
    connect(&tabs_, &CTabGroupArea::viewsChanged, this, &CWindowManager::fill);
    fill();
}

void CWindowManager::fill() {
    list_->clear();
    QWidget* active = tabs_.activeView();
    for (QWidget* view : tabs_.views()) {
        auto* item = new QListWidgetItem(tabs_.viewName(view), list_);
        item->setData(kViewRole, QVariant::fromValue(QPointer<QWidget>(view)));
        if (view == active) list_->setCurrentItem(item);
    }
    updateButtons();
}

void CWindowManager::updateButtons() {
    const qsizetype selected = list_->selectedItems().size();
    activate_->setEnabled(selected == 1);
    close_->setEnabled(selected > 0);
}

void CWindowManager::activateSelected() {
    const QList<QListWidgetItem*> selected = list_->selectedItems();
    if (selected.size() != 1) return;
    if (QWidget* view = viewOf(selected.first())) tabs_.activateView(view);
    accept();
}

void CWindowManager::closeSelected() {
    QList<QPointer<QWidget>> views;
    for (const QListWidgetItem* item : list_->selectedItems())
        views << item->data(kViewRole).value<QPointer<QWidget>>();
    for (const QPointer<QWidget>& view : views)
        if (view) tabs_.closeView(view);
}
