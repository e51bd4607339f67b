#include "shell/app/SplashWindow.h"

#include <QApplication>
#include <QGuiApplication>
#include <QPainter>
#include <QScreen>
#include <QThread>

#include "core/Messages.h"
#include "resources/ShellStrings.h"
#include "resources/StringTable.h"

namespace {
constexpr int kStatusPauseMs = 500;
const QColor kStatusColour(38, 70, 6);
}  // namespace

SplashWindow::SplashWindow(const QString& imagePath, const QString& version, bool pauses)
    : QWidget(nullptr, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      status_(QString::fromUtf8(loadString(ShellStr::kSplashDefault))),
      version_(version),
      pauses_(pauses) {
    setObjectName("SplashWnd");
    if (!imagePath.isEmpty()) image_.load(imagePath);
    if (image_.isNull()) {
        showMessage(loadString(ShellStr::kLoadSplashFail), MsgIcon::Warning, kMsgOk, nullptr,
                    loadString(ShellStr::kWarn));
        return;
    }
    setFixedSize(image_.size());
}

QRect SplashWindow::statusRect(const QSize& s) {
    return QRect(16, s.height() - 54, s.width() - 32, 48);
}

QRect SplashWindow::versionRect(const QSize& s) {
    const int left = s.width() * 350 / 450;
    const int bottom = s.height() - s.height() * 25 / 300;
    const int top = bottom - bottom * 15 / 300;
    return QRect(QPoint(left, top), QPoint(s.width() - 1, bottom));
}

void SplashWindow::showCentred() {
    if (!isValid()) return;
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        move(area.center() - rect().center());
    }
    show();
    repaint();
    QApplication::processEvents();
}

void SplashWindow::setStatusText(const QString& text) {
    status_ = text;
    if (!isVisible()) return;
    repaint();
    QApplication::processEvents();
    if (pauses_) QThread::msleep(kStatusPauseMs);
}

void SplashWindow::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.drawPixmap(0, 0, image_);
    const QRect status = statusRect(size());
    p.setPen(kStatusColour);
    p.drawText(status, Qt::AlignCenter | Qt::TextSingleLine,
               p.fontMetrics().elidedText(status_, Qt::ElideRight, status.width()));
    p.setPen(Qt::white);
    p.drawText(versionRect(size()), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
               version_);
}
