#pragma once
// "Windows": the open measurement views by name, to bring one to the front or to close several
// at once. The list follows the tab-group area while the dialog is open.

#include <QDialog>

class CTabGroupArea;
class QListWidget;
class QPushButton;

class CWindowManager : public QDialog {
    Q_OBJECT
  public:
    CWindowManager(CTabGroupArea& tabs, QWidget* parent = nullptr);

    /// Brings the one selected view to the front and closes the dialog.
    void activateSelected();
    /// Closes every selected view.
    void closeSelected();
    QListWidget* list() const { return list_; }

  private:
    void fill();
    void updateButtons();

    CTabGroupArea& tabs_;
    QListWidget* list_ = nullptr;
    QPushButton* activate_ = nullptr;
    QPushButton* close_ = nullptr;
};
