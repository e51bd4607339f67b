#pragma once
// The centre of the main frame: tab groups side by side. Each tab group is a QTabWidget whose
// tab texts are the views' names; "a new vertical tab group" adds one to the splitter.

#include <QSplitter>

class QTabWidget;

class CTabGroupArea : public QSplitter {
    Q_OBJECT
  public:
    explicit CTabGroupArea(QWidget* parent = nullptr);

    /// Adds a view as a tab of the active group (a group is made when there is none).
    void addView(QWidget* view, const QString& name);
    /// Moves the active view into a new group to the right.
    void newVerticalGroup();
    QWidget* activeView() const;
    /// Makes the next view (over all groups, cyclic) the active one; returns it.
    QWidget* activateNextView();
    /// Brings view to the front of its group and makes that group the active one.
    void activateView(QWidget* view);
    /// Closes view as its tab's close button does (the view is deleted later).
    void closeView(QWidget* view);
    /// The tab text of view, empty when it is not here.
    QString viewName(QWidget* view) const;
    QList<QWidget*> views() const;
    /// The front view of every group (the ones to refresh).
    QList<QWidget*> frontViews() const;
    int groupCount() const { return count(); }
    bool isEmpty() const { return views().isEmpty(); }

  signals:
    void activeViewChanged(QWidget* view);
    void viewsChanged();

  private:
    QTabWidget* addGroup();
    QTabWidget* groupOf(QWidget* view) const;
    void removeEmptyGroups();

    QTabWidget* active_ = nullptr;
};
