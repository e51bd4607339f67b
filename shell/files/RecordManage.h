#pragma once
// "Records Manager": the imported records of one file type, with a check box to show or hide
// each one and "Delete". A modeless window on the UI thread; the record it edits is the main
// frame's and outlives it. Emptied overlay series leave the record when the window closes, so
// the same file can be imported again.

#include <QDialog>
#include <QTimer>

class CSpectrumData;
class QTreeWidget;
class QTreeWidgetItem;
class QPushButton;

inline constexpr int kRecordListId = 1027;
inline constexpr int kRecordTimerMs = 500;

class CRecordManage : public QDialog {
    Q_OBJECT
  public:
    CRecordManage(CSpectrumData& record, int fileType, QWidget* parent = nullptr);

    QTreeWidget* list() const { return list_; }
    /// Timer 1: check boxes to shown flags, colour cells from the records.
    void onTimer();
    /// "Delete" on the row with the selection mark.
    void deleteSelected();

  protected:
    void done(int result) override;

  private:
    void addRow(const std::string& name, int shown, int colour);
    void paintColour(QTreeWidgetItem* row, int colour);

    CSpectrumData& record_;
    int fileType_;
    QTreeWidget* list_ = nullptr;
    QPushButton* delete_ = nullptr;
    QTimer timer_;
};

/// Removes every overlay series whose count is 0 (what closing the manager does).
void removeEmptiedSeries(CSpectrumData& record);
