#include "shell/app/CorvaneApp.h"

#include <sys/socket.h>
#include <unistd.h>
#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QLockFile>
#include <QPalette>
#include <QScreen>
#include <QSocketNotifier>
#include <QStyleFactory>
#include <QTimer>
#include <csignal>
#include <cstdio>

#include "apps/MeasurementViews.h"
#include "core/Messages.h"
#include "core/RunLog.h"
#include "device/Driver.h"
#include "files/AppPaths.h"
#include "files/Settings.h"
#include "platform/simulator/Simulator.h"
#include "resources/ShellStrings.h"
#include "resources/StringTable.h"
#include "shell/app/DefaultResources.h"
#include "shell/app/MainFrame.h"
#include "shell/app/QtMessages.h"
#include "shell/app/ViewTemplates.h"
#include "shell/files/DataFileCommands.h"

namespace {

constexpr const char* kInstanceName = "TavrinCorvaneAPP";
int g_signalPipe[2] = {-1, -1};

void onSignal(int) {
    const char byte = 1;
    // Only async-signal-safe work here; the main loop closes the window.
    [[maybe_unused]] ssize_t n = write(g_signalPipe[1], &byte, 1);
}

void applyStyle(QApplication& app) {
    app.setStyle(QStyleFactory::create("Fusion"));
    QPalette palette = app.palette();
    palette.setColor(QPalette::Window, QColor(226, 238, 252));
    palette.setColor(QPalette::Button, QColor(214, 230, 250));
    palette.setColor(QPalette::Highlight, QColor(0, 120, 215));
    palette.setColor(QPalette::Base, Qt::white);
    palette.setColor(QPalette::AlternateBase, QColor(240, 246, 255));
    app.setPalette(palette);
}

std::string formatted(int stringId, const std::string& a, const std::string& b = {}) {
    char text[2048];
    std::snprintf(text, sizeof text, loadString(stringId), a.c_str(), b.c_str());
    return text;
}

}  // namespace

int runCorvane(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("Corvane");
    applyStyle(app);
    // Automation (and the end-to-end test) wants messages in the log and on stderr only.
    if (!qEnvironmentVariableIsSet("CORVANE_NONINTERACTIVE")) installQtMessageHandler();

    // Folders, then the run log, then the language.
    AppSetup setup = readAppSetup();
    const std::string folderError = createAppFolders(setup.paths);
    if (!folderError.empty()) {
        showMessage(folderError, MsgIcon::Error);
        return 1;
    }
    setRunLogPath(setup.paths.runLogPath);
    layDownDefaultResources(setup);
    const int languageValue = readLanguageSetting(setup.paths.configPath);
    setUiLanguage(languageIdFromSetting(languageValue));

    QLockFile instance(QDir::temp().filePath(kInstanceName));
    instance.setStaleLockTime(0);
    if (!instance.tryLock(0)) {
        showMessage(formatted(ShellStr::kAlreadyRunning, setup.paths.appName), MsgIcon::Warning);
        return 0;
    }

    const bool vendor = initSpectrometerDriver(setup.paths.programDir);
    // CORVANE_SIM_SCENE=dark|lamp|sample|lines|led picks what the built-in simulator shows.
    if (!vendor) {
        const QString scene = qEnvironmentVariable("CORVANE_SIM_SCENE");
        const QStringList scenes = {"dark", "lamp", "sample", "lines", "led"};
        if (scenes.contains(scene)) corvaneSimSetScene(static_cast<int>(scenes.indexOf(scene)));
    }
    updateInstallTime(
        setup.paths.configPath,
        fileInstallTime(setup.paths.programDir + "/" +
                        QFileInfo(QString::fromLocal8Bit(argv[0])).fileName().toStdString()));
    viewTemplates();  // the ten templates; the views register their factories

    registerDataFileCommands();

    MainFrameOptions options;
    options.setup = setup;
    options.simulatorDefault = !vendor;
    options.languageValue = languageValue;
    if (qEnvironmentVariableIsSet("CORVANE_NO_STARTUP_PAUSES")) options.startupPauses = false;
    registerMeasurementViews();
    CMainFrame frame(options);
    setMessageOwner(&frame);

    // SIGTERM and SIGINT close the window the orderly way.
    if (socketpair(AF_UNIX, SOCK_STREAM, 0, g_signalPipe) == 0) {
        auto* notifier = new QSocketNotifier(g_signalPipe[0], QSocketNotifier::Read, &frame);
        QObject::connect(notifier, &QSocketNotifier::activated, &frame, [&frame] {
            char byte;
            [[maybe_unused]] ssize_t n = read(g_signalPipe[0], &byte, 1);
            frame.close();
        });
        struct sigaction action {};
        action.sa_handler = onSignal;
        sigemptyset(&action.sa_mask);
        action.sa_flags = SA_RESTART;
        sigaction(SIGTERM, &action, nullptr);
        sigaction(SIGINT, &action, nullptr);
    }

    frame.showMaximized();
    // Without a window manager (a bare X server) nothing maximises: fill the screen instead.
    QTimer::singleShot(300, &frame, [&frame] {
        QScreen* screen = frame.screen();
        if (!screen) return;
        const QRect area = screen->availableGeometry();
        if (frame.frameGeometry().width() < area.width() * 9 / 10) {
            frame.showNormal();
            frame.setGeometry(area);
        }
    });
    const int code = app.exec();
    frame.shutdown();
    logWrite("Corvane exits (%d)", code);
    setMessageOwner(nullptr);
    return code;
}
