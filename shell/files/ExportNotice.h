#pragma once
// The self-closing notification after a successful export: a small window captioned "Message"
// that slides in at the bottom right and closes itself after three seconds. UI thread.

#include <QWidget>

class QPropertyAnimation;

inline constexpr int kExportNoticeMs = 3000;   ///< shown this long
inline constexpr int kExportNoticeSpeed = 30;  ///< animation speed: ms per slide step

class CExportNotice : public QWidget {
    Q_OBJECT
  public:
    /// iconFile: the application icon of the resource file (empty: the window's default).
    explicit CExportNotice(const QString& iconFile, QWidget* parent = nullptr);
    /// Shows a new notice; it deletes itself when it closes.
    static CExportNotice* showNotice(const QString& iconFile, QWidget* parent = nullptr);
    QString text() const;

  private:
    QPropertyAnimation* slide_ = nullptr;
    class QLabel* label_ = nullptr;
};
