#pragma once
// The up/down arrow pair beside an edit, reporting a step the way the platform's spin buttons
// do: the up arrow adds +1 when the range runs upwards and -1 when it is reversed (lower above
// upper, as the platform's default range 100..0). It holds its range for the handlers' range
// checks and leaves the edit's text to them. UI thread; owned by its Qt parent.

#include <QWidget>

class QToolButton;

class SpinArrows : public QWidget {
    Q_OBJECT

  public:
    /// The platform's default range: 100..0, so the arrows run reversed.
    explicit SpinArrows(QWidget* parent = nullptr);

    void setRange(int lower, int upper);
    int lower() const { return lower_; }
    int upper() const { return upper_; }
    /// The smaller and the larger end of the range.
    int minimum() const { return lower_ < upper_ ? lower_ : upper_; }
    int maximum() const { return lower_ < upper_ ? upper_ : lower_; }

    /// What a press of the up (or down) arrow reports.
    void pressUp();
    void pressDown();

    QToolButton* upButton() const { return up_; }
    QToolButton* downButton() const { return down_; }

  signals:
    /// The step of one arrow press.
    void stepped(int delta);

  private:
    int lower_ = 100;
    int upper_ = 0;
    QToolButton* up_ = nullptr;
    QToolButton* down_ = nullptr;
};
