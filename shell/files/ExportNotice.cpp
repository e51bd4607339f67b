#include "shell/files/ExportNotice.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QPropertyAnimation>
#include <QScreen>
#include <QTimer>

#include "resources/FilesStrings.h"
#include "resources/StringTable.h"

namespace {
constexpr int kSlideSteps = 10;
constexpr int kMargin = 16;
constexpr int kIconSize = 32;
}  // namespace

CExportNotice::CExportNotice(const QString& iconFile, QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::WindowStaysOnTopHint) {
    setObjectName("ExportNotice");
    setAttribute(Qt::WA_DeleteOnClose);
    setAttribute(Qt::WA_ShowWithoutActivating);
    setWindowTitle(QString::fromUtf8(loadString(FilesStr::kMessageCaption)));
    setWindowOpacity(1.0);
    auto* layout = new QHBoxLayout(this);
    const QIcon icon(iconFile);
    if (!iconFile.isEmpty() && !icon.isNull()) {
        setWindowIcon(icon);
        auto* picture = new QLabel(this);
        picture->setPixmap(icon.pixmap(kIconSize, kIconSize));
        layout->addWidget(picture);
    }
    label_ =
        new QLabel("\n" + QString::fromUtf8(loadString(FilesStr::kExportSuccess)) + "\n    ", this);
    layout->addWidget(label_);
    adjustSize();
    QTimer::singleShot(kExportNoticeMs, this, &QWidget::close);
}

QString CExportNotice::text() const {
    return label_->text();
}

CExportNotice* CExportNotice::showNotice(const QString& iconFile, QWidget* parent) {
    auto* notice = new CExportNotice(iconFile, parent);
    const QScreen* screen = parent ? parent->screen() : QGuiApplication::primaryScreen();
    const QRect area = screen ? screen->availableGeometry() : QRect(0, 0, 800, 600);
    const QPoint end(area.right() - notice->width() - kMargin,
                     area.bottom() - notice->height() - kMargin);
    notice->move(end.x(), area.bottom());
    notice->show();
    notice->slide_ = new QPropertyAnimation(notice, "pos", notice);
    notice->slide_->setDuration(kSlideSteps * kExportNoticeSpeed);
    notice->slide_->setStartValue(QPoint(end.x(), area.bottom()));
    notice->slide_->setEndValue(end);
    notice->slide_->start();
    return notice;
}
