#include "shell/app/MainFrame.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenuBar>
#include <QProgressBar>
#include <QRegularExpression>
#include <QScreen>
#include <QStatusBar>
#include <QThread>
#include <QToolBar>
#include <QUrl>
#include <filesystem>

#include "apps/framework/InstanceRegister.h"
#include "core/Messages.h"
#include "core/RunLog.h"
#include "resources/CommandIds.h"
#include "resources/FilesStrings.h"
#include "resources/ShellStrings.h"
#include "resources/StringTable.h"
#include "shell/app/CommandRegistry.h"
#include "shell/app/DevManagerDialog.h"
#include "shell/app/Icons.h"
#include "shell/app/SplashWindow.h"
#include "shell/app/TabGroupArea.h"
#include "shell/app/ViewInterface.h"
#include "shell/app/ViewTemplates.h"
#include "shell/app/WindowManagerDialog.h"
#include "shell/settings/ControlPanel.h"
#include "shell/settings/SettingView.h"

namespace {

constexpr int kFirstViewDelayMs = 1000;
constexpr int kProgressIntervalMs = 500;
constexpr int kConnectionIntervalMs = 1000;
constexpr int kCommandUiIntervalMs = 250;
constexpr int kDriverPauseMs = 1000;
constexpr int kProgressPaneWidth = 200;
constexpr int kMaxViewCycles = 11;
const char* const kPaneStyle = "background-color: rgb(191, 219, 255);";

QString tr8(int id) {
    return QString::fromUtf8(loadString(id));
}

// Commands enabled only while a device is connected.
constexpr int kNeedDevice[] = {Cmd::kRun,           Cmd::kPause,         Cmd::kSingleStep,
                               Cmd::kImportData,    Cmd::kExportData,    Cmd::kSaveBackground,
                               Cmd::kSaveReference, Cmd::kRecordManager, Cmd::kNewMeasurement};

// Commands that act on the active view's chart.
constexpr int kChartCommands[] = {Cmd::kRecover,     Cmd::kZoomXRange, Cmd::kZoomYRange,
                                  Cmd::kBestX,       Cmd::kBestY,      Cmd::kZoomIn,
                                  Cmd::kZoomOut,     Cmd::kSelectZoom, Cmd::kCoordinateSetting,
                                  Cmd::kAddTableView};

constexpr int kUnitCommands[] = {Cmd::kUnitNm,       Cmd::kUnitUm,         Cmd::kUnitPixel,
                                 Cmd::kUnitRaman,    Cmd::kUnitWavenumber, Cmd::kUnitGhz,
                                 Cmd::kXAxisInverted};

template <size_t N>
bool among(int id, const int (&ids)[N]) {
    return std::find(std::begin(ids), std::end(ids), id) != std::end(ids);
}

}  // namespace

CMainFrame::CMainFrame(MainFrameOptions options)
    : options_(std::move(options)), instances_(std::make_shared<CInstanceRegister>()) {
    clock_.start();
    const AppPaths& paths = options_.setup.paths;
    settings_.setPaths(paths.configPath, paths.recordDir);
    settings_.loadSettings(record_);

    if (options_.showSplash) {
        splash_ = std::make_unique<SplashWindow>(
            QString::fromStdString(options_.setup.resources.startPage),
            QString::fromStdString(options_.setup.resources.version), options_.startupPauses);
        splash_->showCentred();
    }
    setSplashText(ShellStr::kSplashProgram);

    tabs_ = new CTabGroupArea(this);
    setCentralWidget(tabs_);
    buildActions();
    buildMenus();
    buildToolBars();
    setSplashText(ShellStr::kSplashToolbar);
    buildStatusBar();

    devManager_ = new CDevManager(record_, options_.simulatorDefault, this);
    settingView_ = new CSettingView(devManager_->device(), record_, settings_, this);
    settingView_->setObjectName(QString::number(Res::kSettingsPanel));
    settingView_->resize(200, 360);
    addDockWidget(Qt::LeftDockWidgetArea, settingView_);
    devManager_->logic().triggerPulseSource = settingView_->panel().triggerPulseSource();
    connect(devManager_, &CDevManager::connectionChanged, this, [this] {
        if (devManager_->device().isConnected()) settingView_->panel().onDeviceConnected();
        onConnectionTimer();  // show the new state now rather than at the next tick
        updateCommandUi();
    });
    connect(tabs_, &CTabGroupArea::viewsChanged, this, &CMainFrame::updateCommandUi);
    connect(tabs_, &CTabGroupArea::activeViewChanged, this, &CMainFrame::updateCommandUi);

    firstViewTimer_.setSingleShot(true);
    firstViewTimer_.setInterval(kFirstViewDelayMs);
    connect(&firstViewTimer_, &QTimer::timeout, this, &CMainFrame::onFirstViewTimer);
    progressTimer_.setInterval(kProgressIntervalMs);
    connect(&progressTimer_, &QTimer::timeout, this, &CMainFrame::onProgressTimer);
    connectionTimer_.setInterval(kConnectionIntervalMs);
    connect(&connectionTimer_, &QTimer::timeout, this, &CMainFrame::onConnectionTimer);
    commandUiTimer_.setInterval(kCommandUiIntervalMs);
    connect(&commandUiTimer_, &QTimer::timeout, this, &CMainFrame::updateCommandUi);
    firstViewTimer_.start();
    progressTimer_.start();
    connectionTimer_.start();
    commandUiTimer_.start();
    thread_ = std::make_unique<AcquisitionThread>(record_, devManager_->device(), run_);
    thread_->start();

    setSplashText(ShellStr::kSplashDriver);
    if (options_.startupPauses && splash_ && splash_->isVisible()) QThread::msleep(kDriverPauseMs);

    const std::string& iconFile = options_.setup.resources.aboutIcon;
    QIcon icon(QString::fromStdString(iconFile));
    if (iconFile.empty() || icon.isNull()) icon = QIcon(QPixmap::fromImage(applicationImage(64)));
    setWindowIcon(icon);
    setWindowTitle(QString("%1_V%2").arg(QString::fromStdString(paths.appName),
                                         QString::fromStdString(options_.setup.resources.version)));
    onConnectionTimer();
    updateCommandUi();
    splash_.reset();
}

CMainFrame::~CMainFrame() {
    shutdown();
}

CSpectrometerDevice& CMainFrame::device() {
    return devManager_->device();
}

DeviceManager& CMainFrame::deviceManager() {
    return devManager_->logic();
}

const AcquisitionSettings& CMainFrame::acquisitionSettings() const {
    return settingView_ ? settingView_->panel().settings() : idleSettings_;
}

void CMainFrame::applyAcquisitionSettings(const AcquisitionSettings& values) {
    if (settingView_) settingView_->panel().applyAllValues(values);
}

ControlPanel* CMainFrame::controlPanel() const {
    return settingView_ ? &settingView_->panel() : nullptr;
}

void CMainFrame::setSplashText(int stringId) {
    if (splash_) splash_->setStatusText(tr8(stringId));
}

void CMainFrame::buildActions() {
    auto make = [this](int id, bool checkable = false) {
        auto* a = new QAction(tr8(commandStringId(id)), this);
        a->setData(id);
        a->setObjectName(QString::number(id));
        a->setCheckable(checkable);
        a->setToolTip(a->text().remove('&'));
        connect(a, &QAction::triggered, this, [this, id] { runCommand(id); });
        actions_.insert(id, a);
        return a;
    };
    for (int id : {Cmd::kImportData, Cmd::kExportData, Cmd::kRecordManager, Cmd::kPrint, Cmd::kExit,
                   Cmd::kNewMeasurement, Cmd::kSaveBackground, Cmd::kSaveReference,
                   Cmd::kDeviceManager, Cmd::kWavelengthCalibrate, Cmd::kOption, Cmd::kAbout,
                   Cmd::kUserManual, Cmd::kWindowManager})
        make(id);
    for (int id : {Cmd::kRun, Cmd::kPause, Cmd::kSingleStep, Cmd::kStatusBar, Cmd::kMeasureToolbar,
                   Cmd::kViewControlToolbar, Cmd::kXAxisInverted})
        make(id, true);
    for (int id : kUnitCommands)
        make(id, true);
    for (int id : kChartCommands)
        make(id, id == Cmd::kSelectZoom);
    actions_[Cmd::kImportData]->setToolTip(tr8(FilesStr::kImportTip));
    actions_[Cmd::kExportData]->setToolTip(tr8(FilesStr::kExportTip));
    actions_[Cmd::kRecordManager]->setToolTip(tr8(FilesStr::kRecordManagerTip));
    for (QAction* a : actions_) {
        const int id = a->data().toInt();
        if (id != Cmd::kExit && id != Cmd::kStatusBar && id != Cmd::kMeasureToolbar &&
            id != Cmd::kViewControlToolbar && !among(id, kUnitCommands))
            a->setIcon(commandIcon(id));
    }
}

void CMainFrame::buildMenus() {
    QMenuBar* bar = menuBar();
    QMenu* file = bar->addMenu(tr8(ShellStr::kMenuFile));
    file->addActions(
        {actions_[Cmd::kImportData], actions_[Cmd::kExportData], actions_[Cmd::kRecordManager]});
    file->addSeparator();
    file->addAction(actions_[Cmd::kPrint]);
    file->addSeparator();
    file->addAction(actions_[Cmd::kExit]);

    QMenu* measure = bar->addMenu(tr8(ShellStr::kMenuMeasure));
    measure->addAction(actions_[Cmd::kNewMeasurement]);
    measure->addSeparator();
    measure->addActions({actions_[Cmd::kSaveBackground], actions_[Cmd::kSaveReference]});
    measure->addSeparator();
    measure->addActions({actions_[Cmd::kRun], actions_[Cmd::kPause], actions_[Cmd::kSingleStep]});

    QMenu* device = bar->addMenu(tr8(ShellStr::kMenuDevice));
    device->addActions({actions_[Cmd::kDeviceManager], actions_[Cmd::kWavelengthCalibrate]});

    QMenu* view = bar->addMenu(tr8(ShellStr::kMenuView));
    view->addActions({actions_[Cmd::kStatusBar], actions_[Cmd::kMeasureToolbar],
                      actions_[Cmd::kViewControlToolbar]});
    view->addSeparator();
    for (int id : kChartCommands)
        view->addAction(actions_[id]);
    view->addSeparator();
    QMenu* units = view->addMenu(tr8(ShellStr::kMenuXUnit));
    for (int id : kUnitCommands) {
        if (id == Cmd::kXAxisInverted) continue;
        units->addAction(actions_[id]);
    }
    view->addAction(actions_[Cmd::kXAxisInverted]);

    QMenu* setting = bar->addMenu(tr8(ShellStr::kMenuSetting));
    setting->addAction(actions_[Cmd::kOption]);
    QMenu* window = bar->addMenu(tr8(ShellStr::kMenuWindow));
    window->addAction(actions_[Cmd::kWindowManager]);
    QMenu* help = bar->addMenu(tr8(ShellStr::kMenuHelp));
    help->addActions({actions_[Cmd::kUserManual], actions_[Cmd::kAbout]});
}

void CMainFrame::buildToolBars() {
    auto setUp = [this](QToolBar* bar, int resourceId) {
        bar->setObjectName(QString::number(resourceId));
        bar->setIconSize(QSize(32, 30));
        bar->setMovable(true);
        addToolBar(Qt::TopToolBarArea, bar);
    };
    measureToolbar_ = new QToolBar(tr8(ShellStr::kMeasureToolbarTitle), this);
    setUp(measureToolbar_, Res::kMeasureToolbar);
    measureToolbar_->addAction(actions_[Cmd::kNewMeasurement]);
    measureToolbar_->addSeparator();
    measureToolbar_->addActions({actions_[Cmd::kDeviceManager], actions_[Cmd::kPause],
                                 actions_[Cmd::kSingleStep], actions_[Cmd::kRun]});
    measureToolbar_->addSeparator();
    measureToolbar_->addActions({actions_[Cmd::kSaveReference], actions_[Cmd::kSaveBackground]});

    viewToolbar_ = new QToolBar("View Control", this);
    setUp(viewToolbar_, Res::kViewControlToolbar);
    for (int id : {Cmd::kRecover, Cmd::kZoomXRange, Cmd::kZoomYRange, Cmd::kBestX, Cmd::kBestY,
                   Cmd::kZoomIn, Cmd::kZoomOut, Cmd::kSelectZoom, Cmd::kCoordinateSetting,
                   Cmd::kImportData, Cmd::kExportData, Cmd::kRecordManager})
        viewToolbar_->addAction(actions_[id]);
    viewToolbar_->addSeparator();
    viewToolbar_->addActions({actions_[Cmd::kAddTableView], actions_[Cmd::kPrint]});
    for (QToolBar* bar : {measureToolbar_, viewToolbar_})
        for (QAction* a : bar->actions())
            if (QWidget* button = bar->widgetForAction(a)) button->setMinimumSize(42, 40);
}

void CMainFrame::buildStatusBar() {
    QStatusBar* bar = statusBar();
    message_ = new QLabel(this);
    message_->setObjectName("StatusMessage");
    progress_ = new QProgressBar(this);
    progress_->setObjectName("StatusProgress");
    progress_->setRange(0, 100);
    progress_->setTextVisible(false);
    progress_->setFixedWidth(kProgressPaneWidth);
    progress_->hide();
    connectionPane_ = new QWidget(this);
    connectionPane_->setObjectName("StatusConnection");
    connectionPane_->setAutoFillBackground(true);
    connectionPane_->setStyleSheet(kPaneStyle);
    auto* layout = new QHBoxLayout(connectionPane_);
    layout->setContentsMargins(6, 0, 6, 0);
    connectionIcon_ = new QLabel(connectionPane_);
    connectionIcon_->setFixedSize(16, 16);
    connectionLabel_ = new QLabel(connectionPane_);
    layout->addWidget(connectionIcon_);
    layout->addWidget(connectionLabel_);
    bar->addWidget(message_, 1);
    bar->addPermanentWidget(progress_);
    bar->addPermanentWidget(connectionPane_);
}

int CMainFrame::statusPaneCount() const {
    return progress_->isVisibleTo(this) ? 3 : 2;
}

QString CMainFrame::connectionText() const {
    return connectionLabel_->text();
}

QString CMainFrame::messageText() const {
    return message_->text();
}

bool CMainFrame::hasDocuments() const {
    return !tabs_->isEmpty();
}

void CMainFrame::updateCommandUi() {
    if (!devManager_) return;
    const bool connected = devManager_->device().isConnected();
    for (int id : kNeedDevice)
        actions_[id]->setEnabled(connected);
    // A registered command may add its own condition (a device is still needed where it is).
    for (auto it = actions_.begin(); it != actions_.end(); ++it) {
        const CommandHandler* handler = findCommand(it.key());
        if (handler && handler->enabled && (connected || !among(it.key(), kNeedDevice)))
            it.value()->setEnabled(handler->enabled(*this));
    }
    const int last = run_.lastRunCommand.load();
    for (int id : {Cmd::kRun, Cmd::kPause, Cmd::kSingleStep})
        actions_[id]->setChecked(last == id);
    actions_[Cmd::kMeasureToolbar]->setChecked(measureToolbar_->isVisibleTo(this));
    actions_[Cmd::kViewControlToolbar]->setChecked(viewToolbar_->isVisibleTo(this));
    actions_[Cmd::kStatusBar]->setChecked(statusBar()->isVisibleTo(this));
    // The document menu adds these two while a view is open.
    actions_[Cmd::kWavelengthCalibrate]->setVisible(hasDocuments());
    actions_[Cmd::kOption]->setVisible(hasDocuments());

    auto* view = dynamic_cast<IMeasurementView*>(tabs_->activeView());
    for (int id : kUnitCommands) {
        actions_[id]->setEnabled(view && view->viewCommandEnabled(id));
        actions_[id]->setChecked(view && view->viewCommandChecked(id));
    }
    if (view) actions_[Cmd::kSelectZoom]->setChecked(view->viewCommandChecked(Cmd::kSelectZoom));
}

QWidget* CMainFrame::viewForChartCommand() {
    // Like the platform's MDI: when the active view's chart is empty, try the next child.
    for (int i = 0; i < kMaxViewCycles; ++i) {
        QWidget* w = tabs_->activeView();
        auto* view = dynamic_cast<IMeasurementView*>(w);
        if (!w) return nullptr;
        if (view && view->chartHasSeries()) return w;
        tabs_->activateNextView();
    }
    return nullptr;
}

void CMainFrame::runCommand(int id) {
    if (const CommandHandler* handler = findCommand(id)) {
        handler->run(*this);
        updateCommandUi();
        return;
    }
    switch (id) {
        case Cmd::kRun:
            run_.run();
            break;
        case Cmd::kPause:
            run_.pause();
            break;
        case Cmd::kSingleStep:
            run_.singleStep();
            break;
        case Cmd::kDeviceManager:
            devManager_->show();
            devManager_->raise();
            devManager_->activateWindow();
            break;
        case Cmd::kExit:
            close();
            break;
        case Cmd::kStatusBar:
            statusBar()->setVisible(!statusBar()->isVisibleTo(this));
            break;
        case Cmd::kMeasureToolbar:
            if (measureToolbar_->isVisibleTo(this)) {
                measureToolbar_->hide();
            } else {
                // Docked again to the left of the View Control toolbar.
                if (viewToolbar_->isVisibleTo(this)) insertToolBar(viewToolbar_, measureToolbar_);
                measureToolbar_->show();
            }
            break;
        case Cmd::kViewControlToolbar:
            viewToolbar_->setVisible(!viewToolbar_->isVisibleTo(this));
            break;
        case Cmd::kUserManual:
            openUserManual();
            break;
        case Cmd::kWindowManager: {
            auto* dialog = new CWindowManager(*tabs_, this);
            dialog->setAttribute(Qt::WA_DeleteOnClose);
            dialog->open();
            break;
        }
        default:
            if (among(id, kChartCommands) || among(id, kUnitCommands)) {
                QWidget* w =
                    among(id, kChartCommands) ? viewForChartCommand() : tabs_->activeView();
                if (auto* view = dynamic_cast<IMeasurementView*>(w)) view->handleViewCommand(id);
                break;
            }
            {
                // The menu text without its accelerator ("Print(&R)..." -> "Print").
                const QString name = tr8(commandStringId(id))
                                         .remove(QRegularExpression("\\(&.\\)"))
                                         .remove('&')
                                         .remove("...");
                showMessage(QString::fromUtf8(loadString(ShellStr::kNotYetAvailable))
                                .replace("%s", name)
                                .toStdString(),
                            MsgIcon::Information, kMsgOk, this);
            }
            break;
    }
    updateCommandUi();
}

void CMainFrame::openUserManual() {
    const std::string& name = options_.setup.branding.manualFor(options_.languageValue);
    const std::string path = joinPath(options_.setup.paths.programDir, toSlashPath(name));
    std::error_code ec;
    if (name.empty() || !std::filesystem::is_regular_file(path, ec) ||
        !QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromStdString(path)))) {
        char text[1024];
        std::snprintf(text, sizeof text, loadString(ShellStr::kManualMissing),
                      name.empty() ? "(none)" : path.c_str());
        showMessage(text, MsgIcon::Warning, kMsgOk, this);
    }
}

void CMainFrame::onFirstViewTimer() {
    firstViewTimer_.stop();
    const ViewTemplate& spectrum = viewTemplates()[0];
    if (spectrum.create) {
        if (QWidget* view = spectrum.create(*this)) tabs_->addView(view, view->windowTitle());
    }
    if (ControlPanel* panel = controlPanel())
        resizeDocks({settingView_}, {std::max(settingView_->width(), panel->preferredWidth())},
                    Qt::Horizontal);
}

void CMainFrame::onProgressTimer() {
    if (!devManager_) return;
    const ControlPanel* panel = controlPanel();
    const int integration =
        panel ? panel->settings().integrationTimeUs : devManager_->device().integrationTimeUs;
    const int averages = panel ? panel->settings().averages : devManager_->device().averages.load();
    int flag = run_.newFrameFlag.load();
    const ExposureProgress::Step step =
        exposure_.tick(clock_.elapsed(), integration, averages, flag);
    if (flag == 0) run_.newFrameFlag.store(0);
    if (step.layoutChanged) {
        progress_->setVisible(step.showBar);
        progress_->setValue(0);
        update();
    }
    if (step.repaint) update();
    if (step.percent >= 0) progress_->setValue(step.percent);
}

void CMainFrame::onConnectionTimer() {
    if (!devManager_) return;
    const CSpectrometerDevice& device = devManager_->device();
    if (device.isConnected()) {
        connectionIcon_->setPixmap(connectionPixmap(true));
        connectionLabel_->setText(tr8(ShellStr::kConnected));
        if (!readyShown_) {
            message_->setText(tr8(ShellStr::kReady));
            readyShown_ = true;
        }
        if (!connectedLogged_) {
            logWrite("Connected to %s (%s)", device.modelName.c_str(), device.serialNumber.c_str());
            connectedLogged_ = true;
        }
    } else {
        blinkOn_ = !blinkOn_;
        if (blinkOn_)
            connectionIcon_->setPixmap(connectionPixmap(false));
        else
            connectionIcon_->clear();
        connectionLabel_->setText(tr8(ShellStr::kDisconnected));
        message_->setText(tr8(ShellStr::kNoSpectrometer));
        readyShown_ = false;
        connectedLogged_ = false;
    }
    if (!frameAdjusted_ && !isMaximized()) {
        if (QScreen* screen = QGuiApplication::primaryScreen()) {
            if (frameGeometry().height() >= screen->geometry().height() - 10) {
                setGeometry(geometry().adjusted(0, 10, 0, 0));
                frameAdjusted_ = true;
            }
        }
    }
}

void CMainFrame::shutdown() {
    if (shutDown_) return;
    shutDown_ = true;
    firstViewTimer_.stop();
    progressTimer_.stop();
    connectionTimer_.stop();
    commandUiTimer_.stop();
    settings_.saveSettings(record_);
    if (thread_) thread_->stop();
    thread_.reset();
    // The pane refers to the device; it goes first. The Device Manager window lets the
    // device go when it is destroyed.
    delete settingView_;
    settingView_ = nullptr;
    delete devManager_;
    devManager_ = nullptr;
}

void CMainFrame::closeEvent(QCloseEvent* event) {
    for (QWidget* view : tabs_->views())
        view->close();
    shutdown();
    event->accept();
}
