#pragma once
// "Coordinate Setting": fixed X and Y ranges for the active view's chart. The input check is
// a plain function so its messages are tested without the dialog. UI thread.

#include <QDialog>
#include <string>

class QLineEdit;

/// The four box texts checked as OK checks them; 0 when accepted, else the string id of the
/// message to show. Equal minimum and maximum are accepted.
int checkCoordinateInput(const std::string& xMin, const std::string& xMax, const std::string& yMin,
                         const std::string& yMax, double values[4]);

class CCordinateSet : public QDialog {
    Q_OBJECT
  public:
    explicit CCordinateSet(QWidget* parent = nullptr);

    /// Boxes show the values with "%.2f".
    void setRanges(double xMin, double xMax, double yMin, double yMax);
    /// OK: on bad input shows the message (caption "Note", warning icon) and stays open.
    void accept() override;

    double xMin = 0.0;
    double xMax = 0.0;
    double yMin = 0.0;
    double yMax = 0.0;

  private:
    QLineEdit* boxes_[4] = {};
};
