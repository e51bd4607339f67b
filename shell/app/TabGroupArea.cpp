#include "shell/app/TabGroupArea.h"

#include <QTabWidget>

CTabGroupArea::CTabGroupArea(QWidget* parent) : QSplitter(Qt::Horizontal, parent) {
    setObjectName("TabGroupArea");
    setChildrenCollapsible(false);
}

QTabWidget* CTabGroupArea::addGroup() {
    auto* group = new QTabWidget(this);
    group->setTabsClosable(true);
    group->setMovable(true);
    group->setDocumentMode(true);
    addWidget(group);
    connect(group, &QTabWidget::currentChanged, this, [this, group](int) {
        active_ = group;
        emit activeViewChanged(activeView());
    });
    connect(group, &QTabWidget::tabCloseRequested, this,
            [this, group](int index) { closeView(group->widget(index)); });
    return group;
}

void CTabGroupArea::closeView(QWidget* view) {
    QTabWidget* group = view ? groupOf(view) : nullptr;
    if (!group) return;
    group->removeTab(group->indexOf(view));
    view->deleteLater();
    removeEmptyGroups();
    emit viewsChanged();
    emit activeViewChanged(activeView());
}

void CTabGroupArea::activateView(QWidget* view) {
    QTabWidget* group = view ? groupOf(view) : nullptr;
    if (!group) return;
    active_ = group;
    group->setCurrentWidget(view);
    emit activeViewChanged(view);
}

QString CTabGroupArea::viewName(QWidget* view) const {
    QTabWidget* group = view ? groupOf(view) : nullptr;
    return group ? group->tabText(group->indexOf(view)) : QString();
}

QTabWidget* CTabGroupArea::groupOf(QWidget* view) const {
    for (int i = 0; i < count(); ++i)
        if (auto* g = qobject_cast<QTabWidget*>(widget(i)); g && g->indexOf(view) >= 0) return g;
    return nullptr;
}

void CTabGroupArea::removeEmptyGroups() {
    for (int i = count() - 1; i >= 0; --i) {
        auto* g = qobject_cast<QTabWidget*>(widget(i));
        if (g && g->count() == 0 && count() > 1) {
            if (active_ == g) active_ = nullptr;
            g->deleteLater();
            g->setParent(nullptr);
        }
    }
    if (!active_ && count() > 0) active_ = qobject_cast<QTabWidget*>(widget(0));
}

void CTabGroupArea::addView(QWidget* view, const QString& name) {
    if (!active_) active_ = count() ? qobject_cast<QTabWidget*>(widget(0)) : addGroup();
    active_->setCurrentIndex(active_->addTab(view, name));
    emit viewsChanged();
    emit activeViewChanged(view);
}

void CTabGroupArea::newVerticalGroup() {
    QWidget* view = activeView();
    if (!view) return;
    QTabWidget* from = groupOf(view);
    if (!from || from->count() < 2) return;
    const QString name = from->tabText(from->indexOf(view));
    from->removeTab(from->indexOf(view));
    QTabWidget* group = addGroup();
    active_ = group;
    group->addTab(view, name);
    emit viewsChanged();
    emit activeViewChanged(view);
}

QWidget* CTabGroupArea::activeView() const {
    return active_ ? active_->currentWidget() : nullptr;
}

QList<QWidget*> CTabGroupArea::views() const {
    QList<QWidget*> all;
    for (int i = 0; i < count(); ++i)
        if (auto* g = qobject_cast<QTabWidget*>(widget(i)))
            for (int t = 0; t < g->count(); ++t)
                all << g->widget(t);
    return all;
}

QList<QWidget*> CTabGroupArea::frontViews() const {
    QList<QWidget*> front;
    for (int i = 0; i < count(); ++i)
        if (auto* g = qobject_cast<QTabWidget*>(widget(i)); g && g->currentWidget())
            front << g->currentWidget();
    return front;
}

QWidget* CTabGroupArea::activateNextView() {
    const QList<QWidget*> all = views();
    if (all.isEmpty()) return nullptr;
    const int at = all.indexOf(activeView());
    QWidget* next = all[(at + 1) % all.size()];
    activateView(next);
    return next;
}
