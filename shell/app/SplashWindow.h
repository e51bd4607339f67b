#pragma once
// The start-up splash: the start-page picture with a status line and the version text.

#include <QPixmap>
#include <QString>
#include <QWidget>

class SplashWindow : public QWidget {
    Q_OBJECT
  public:
    /// Loads the picture; when it cannot be loaded, warns and stays invalid (nothing is shown).
    SplashWindow(const QString& imagePath, const QString& version, bool pauses);
    bool isValid() const { return !image_.isNull(); }
    /// Shows the splash centred in the desktop's work area.
    void showCentred();
    /// A new status text; while shown it is painted at once, then start-up pauses 500 ms.
    void setStatusText(const QString& text);
    QString statusText() const { return status_; }

    /// Where the status line and the version text go in a picture of this size.
    static QRect statusRect(const QSize& size);
    static QRect versionRect(const QSize& size);

  protected:
    void paintEvent(QPaintEvent*) override;

  private:
    QPixmap image_;
    QString status_;
    QString version_;
    bool pauses_;
};
