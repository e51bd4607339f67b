#pragma once
// The main frame owns the shared state of the whole program for the life of the process: the
// spectrum record, the settings, the Device Manager window with the one device object, the
// settings pane, the run control, the instance registers and the acquisition thread. Views
// reach this state through the view context it implements. UI thread only.

#include <QElapsedTimer>
#include <QMainWindow>
#include <QMap>
#include <QTimer>
#include <memory>

#include "acquisition/AcquisitionThread.h"
#include "acquisition/ExposureProgress.h"
#include "apps/framework/ViewContext.h"
#include "core/SpectrumData.h"
#include "device/AcquisitionSettings.h"
#include "files/AppPaths.h"
#include "files/Settings.h"

class CDevManager;
class CSettingView;
class CTabGroupArea;
class ControlPanel;
class QAction;
class QLabel;
class QMenu;
class QProgressBar;
class QToolBar;
class SplashWindow;

struct MainFrameOptions {
    AppSetup setup;  ///< paths, branding and resources read at start-up
    bool showSplash = true;
    bool startupPauses = true;     ///< 500 ms per splash text, 1000 ms after the driver
    bool simulatorDefault = true;  ///< "Simulator" ticked (no vendor library was found)
    int languageValue = 0;         ///< the stored Language value (User Manual key)
};

class CMainFrame : public QMainWindow, public IViewContext {
    Q_OBJECT
  public:
    explicit CMainFrame(MainFrameOptions options);
    ~CMainFrame() override;

    // IViewContext
    CSpectrumData& record() override { return record_; }
    CSpectrometerDevice& device() override;
    DeviceManager& deviceManager() override;
    RunControl& runControl() override { return run_; }
    CSettings& settings() override { return settings_; }
    const AppSetup& setup() const override { return options_.setup; }
    const AcquisitionSettings& acquisitionSettings() const override;
    void applyAcquisitionSettings(const AcquisitionSettings& values) override;
    CTabGroupArea* tabs() override { return tabs_; }
    std::shared_ptr<CInstanceRegister> instances() override { return instances_; }
    QWidget* dialogParent() override { return this; }

    CDevManager& devManager() { return *devManager_; }
    ControlPanel* controlPanel() const;

    QAction* action(int commandId) const { return actions_.value(commandId); }
    /// Runs a command as its menu item or toolbar button would.
    void runCommand(int commandId);
    /// Enabling and check marks of every command, as the platform's idle update would do.
    void updateCommandUi();

    /// Status bar state, for tests: 2 or 3 panes, the connection text, the progress bar.
    int statusPaneCount() const;
    QString connectionText() const;
    QString messageText() const;
    QProgressBar* progressBar() const { return progress_; }

    /// Timers 2 and 3 (called by their timers; tests call them directly).
    void onProgressTimer();
    void onConnectionTimer();

    /// Saves the configuration, stops and joins the acquisition thread and lets the device go.
    /// Safe to call more than once.
    void shutdown();

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    void buildActions();
    void buildMenus();
    void buildToolBars();
    void buildStatusBar();
    void setSplashText(int stringId);
    void onFirstViewTimer();
    void openUserManual();
    QWidget* viewForChartCommand();
    bool hasDocuments() const;

    MainFrameOptions options_;
    CSpectrumData record_;
    CSettings settings_;
    RunControl run_;
    CDevManager* devManager_ = nullptr;
    CSettingView* settingView_ = nullptr;
    CTabGroupArea* tabs_ = nullptr;
    std::shared_ptr<CInstanceRegister> instances_;
    AcquisitionSettings idleSettings_;  // the block while the pane is gone (shutdown)
    std::unique_ptr<AcquisitionThread> thread_;
    std::unique_ptr<SplashWindow> splash_;

    QMap<int, QAction*> actions_;
    QToolBar* measureToolbar_ = nullptr;
    QToolBar* viewToolbar_ = nullptr;
    QLabel* message_ = nullptr;
    QProgressBar* progress_ = nullptr;
    QLabel* connectionIcon_ = nullptr;
    QLabel* connectionLabel_ = nullptr;
    QWidget* connectionPane_ = nullptr;

    QTimer firstViewTimer_;   // timer 1
    QTimer progressTimer_;    // timer 2
    QTimer connectionTimer_;  // timer 3
    QTimer commandUiTimer_;
    QElapsedTimer clock_;
    ExposureProgress exposure_;
    bool readyShown_ = false;
    bool blinkOn_ = false;
    bool frameAdjusted_ = false;
    bool connectedLogged_ = false;
    bool shutDown_ = false;
};
