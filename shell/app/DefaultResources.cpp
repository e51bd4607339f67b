#include "shell/app/DefaultResources.h"

#include <QFont>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include <QString>
#include <cmath>

#include <filesystem>

#include "core/RunLog.h"
#include "files/Profile.h"
#include "shell/app/Icons.h"

namespace {
constexpr const char* kSplashFile = "start_page.png";
constexpr const char* kIconFile = "corvane.png";
}  // namespace

QImage defaultSplashImage() {
    QImage image(450, 300, QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient bg(0, 0, 0, 300);
    bg.setColorAt(0, QColor(226, 238, 252));
    bg.setColorAt(0.62, QColor(191, 219, 255));
    bg.setColorAt(1, QColor(60, 100, 160));
    p.fillRect(image.rect(), bg);
    // A spectrum across the picture, coloured by wavelength.
    QLinearGradient rainbow(40, 0, 410, 0);
    const QColor colours[] = {QColor(110, 0, 190), QColor(0, 70, 255),  QColor(0, 190, 120),
                              QColor(235, 220, 0), QColor(255, 120, 0), QColor(210, 0, 0)};
    for (int i = 0; i < 6; ++i)
        rainbow.setColorAt(i / 5.0, colours[i]);
    QPainterPath curve;
    curve.moveTo(40, 205);
    for (int x = 40; x <= 410; x += 2) {
        const double t = (x - 40) / 370.0;
        const double y = 205 - 95 * std::exp(-std::pow((t - 0.42) / 0.16, 2)) -
                         55 * std::exp(-std::pow((t - 0.75) / 0.05, 2));
        curve.lineTo(x, y);
    }
    curve.lineTo(410, 205);
    curve.closeSubpath();
    p.setPen(Qt::NoPen);
    QColor fill(255, 255, 255, 90);
    p.setBrush(fill);
    p.drawPath(curve);
    p.setPen(QPen(QBrush(rainbow), 3));
    p.setBrush(Qt::NoBrush);
    p.drawPath(curve);
    p.drawImage(QRect(40, 28, 64, 64), applicationImage(64));
    QFont title("DejaVu Sans", 30, QFont::Bold);
    p.setFont(title);
    p.setPen(QColor(20, 50, 100));
    p.drawText(QRect(118, 30, 300, 44), Qt::AlignLeft | Qt::AlignVCenter, "Corvane");
    QFont subtitle("DejaVu Sans", 10);
    p.setFont(subtitle);
    p.setPen(QColor(40, 70, 120));
    p.drawText(QRect(120, 72, 300, 20), Qt::AlignLeft | Qt::AlignVCenter,
               "Spectrometer measurement software");
    p.end();
    return image;
}

bool layDownDefaultResources(AppSetup& setup) {
    const AppPaths& paths = setup.paths;
    std::error_code ec;
    if (std::filesystem::exists(paths.resourceDir, ec)) return false;
    if (!std::filesystem::create_directories(paths.resourceDir, ec)) {
        logWrite("Cannot create the resource folder %s: %s", paths.resourceDir.c_str(),
                 ec.message().c_str());
        return false;
    }
    const QString dir = QString::fromStdString(paths.resourceDir) + "/";
    defaultSplashImage().save(dir + kSplashFile);
    applicationImage(256).save(dir + kIconFile);
    const std::string& file = paths.resourceFile;
    const char* keys[][2] = {
        {"APP_ICON", kIconFile},     {"email", ""},
        {"website_text", ""},        {"website_url", ""},
        {"start_page", kSplashFile}, {"about_icon", kIconFile},
        {"about_bmp", ""},           {"Version", kDefaultVersion},
    };
    for (const auto& kv : keys)
        writeProfileString(file, "RES", kv[0], kv[1]);
    logWrite("Default resources laid down in %s", paths.resourceDir.c_str());
    setup.resources = readResourceInfo(paths.resourceFile, paths.resourceDir);
    return true;
}
