#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QListWidget>
#include <QPointer>
#include <QProgressBar>
#include <QTableWidget>
#include <QTreeWidget>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <thread>

#include "device/AcquisitionSettings.h"
#include "files/AppPaths.h"
#include "platform/simulator/Simulator.h"
#include "resources/CommandIds.h"
#include "shell/app/DevManagerDialog.h"
#include "shell/app/MainFrame.h"
#include "shell/app/SplashWindow.h"
#include "shell/app/TabGroupArea.h"
#include "shell/app/WindowManagerDialog.h"
#include "shell/settings/ControlPanel.h"
#include "tests/support/FrameTest.h"

namespace {

using namespace std::chrono_literals;

using ShellTest = FrameTest;

TEST_F(ShellTest, CommandsNeedADeviceAndRunCommandsCarryTheCheckMark) {
    options.simulatorDefault = false;  // no device until the test ticks the box
    CMainFrame frame(options);
    frame.updateCommandUi();
    for (int id :
         {Cmd::kRun, Cmd::kPause, Cmd::kSingleStep, Cmd::kImportData, Cmd::kExportData,
          Cmd::kSaveBackground, Cmd::kSaveReference, Cmd::kRecordManager, Cmd::kNewMeasurement})
        EXPECT_FALSE(frame.action(id)->isEnabled()) << id;
    for (int id : {Cmd::kRecover, Cmd::kUserManual, Cmd::kAbout, Cmd::kDeviceManager})
        EXPECT_TRUE(frame.action(id)->isEnabled()) << id;
    EXPECT_EQ(frame.action(Cmd::kImportData)->toolTip(), "Import Data From File");
    EXPECT_EQ(frame.action(Cmd::kExportData)->toolTip(), "Export Data To File");
    EXPECT_EQ(frame.action(Cmd::kRecordManager)->toolTip(), "Manage Imported Records");

    frame.devManager().findChild<QCheckBox*>("1013")->setChecked(true);
    frame.devManager().onTimer1();
    ASSERT_TRUE(waitFor([&] { return frame.device().isConnected(); }));
    frame.updateCommandUi();
    EXPECT_TRUE(frame.action(Cmd::kNewMeasurement)->isEnabled());
    EXPECT_TRUE(frame.action(Cmd::kRun)->isEnabled());

    frame.runCommand(Cmd::kPause);
    EXPECT_EQ(frame.runControl().runState, kRunStatePause);
    EXPECT_TRUE(frame.action(Cmd::kPause)->isChecked());
    EXPECT_FALSE(frame.action(Cmd::kRun)->isChecked());
    frame.runCommand(Cmd::kSingleStep);
    EXPECT_TRUE(frame.action(Cmd::kSingleStep)->isChecked());
    frame.runCommand(Cmd::kRun);
    EXPECT_EQ(frame.runControl().runState, kRunStateRun);

    // A command whose part is not in this version says so by name.
    frame.runCommand(Cmd::kAbout);
    ASSERT_FALSE(messages.shown.empty());
    EXPECT_EQ(messages.shown.back().text, "About Corvane is not available in this version.");

    EXPECT_TRUE(frame.action(Cmd::kMeasureToolbar)->isChecked());
    frame.runCommand(Cmd::kMeasureToolbar);
    EXPECT_FALSE(frame.action(Cmd::kMeasureToolbar)->isChecked());
    frame.runCommand(Cmd::kMeasureToolbar);
    EXPECT_TRUE(frame.action(Cmd::kMeasureToolbar)->isChecked());
}

TEST_F(ShellTest, ConnectionIndicatorAndFirstStartFiles) {
    CMainFrame frame(options);
    frame.onConnectionTimer();
    EXPECT_EQ(frame.connectionText(), "Disconnected");
    EXPECT_EQ(frame.messageText(), "No Spectrometer Connected");
    frame.devManager().onTimer1();  // the simulator alone: auto connect
    ASSERT_TRUE(frame.device().isConnected());
    frame.onConnectionTimer();
    EXPECT_EQ(frame.connectionText(), "Connected");
    EXPECT_EQ(frame.messageText(), "Ready");
    ASSERT_TRUE(waitFor([&] { return frame.record().frameCount() > 3; }));
    frame.shutdown();
    EXPECT_TRUE(std::filesystem::exists(options.setup.paths.configPath));
    EXPECT_EQ(corvaneSimOpenHandles(), 0);  // the device was let go
}

// "Windows" lists the views by name, brings one to the front and closes several at once.
TEST_F(ShellTest, WindowManagerActivatesAndClosesViews) {
    CMainFrame frame(options);
    CTabGroupArea& tabs = *frame.tabs();
    QPointer<QWidget> views[3] = {new QWidget, new QWidget, new QWidget};
    for (int i = 0; i < 3; ++i)
        tabs.addView(views[i], QString("View %1").arg(i + 1));
    tabs.newVerticalGroup();  // View 3 in a second group
    auto openDialog = [&]() -> CWindowManager* {
        frame.runCommand(Cmd::kWindowManager);
        for (CWindowManager* d : frame.findChildren<CWindowManager*>())
            if (d->isVisible()) return d;
        return nullptr;
    };
    auto runDeferredDeletes = [] {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    };

    CWindowManager* dialog = openDialog();
    ASSERT_NE(dialog, nullptr);
    QListWidget* list = dialog->list();
    ASSERT_EQ(list->count(), 3);
    EXPECT_EQ(list->item(1)->text(), "View 2");
    EXPECT_EQ(list->currentItem()->text(), "View 3");  // the active one
    if (const char* out = std::getenv("CORVANE_SHOT_DIR"))
        dialog->grab().save(QString(out) + "/window_manager.png");
    list->setCurrentRow(0);
    dialog->activateSelected();
    EXPECT_EQ(tabs.activeView(), views[0]);
    EXPECT_FALSE(dialog->isVisible());
    runDeferredDeletes();  // closed dialogs delete themselves

    dialog = openDialog();
    ASSERT_NE(dialog, nullptr);
    list = dialog->list();
    list->clearSelection();
    list->item(1)->setSelected(true);
    list->item(2)->setSelected(true);
    dialog->closeSelected();
    EXPECT_EQ(tabs.views().size(), 1);
    EXPECT_EQ(list->count(), 1);  // the list follows the area
    EXPECT_EQ(tabs.groupCount(), 1);
    runDeferredDeletes();
    EXPECT_TRUE(views[0]);
    EXPECT_FALSE(views[1]);
    EXPECT_FALSE(views[2]);
    dialog->accept();
}

TEST_F(ShellTest, ProgressBarOnlyForFramesLongerThan1500ms) {
    CMainFrame frame(options);
    AcquisitionSettings s = frame.controlPanel()->settings();
    s.integrationTimeUs = 1'000'000;
    s.averages = 1;
    frame.controlPanel()->applyAllValues(s);
    frame.onProgressTimer();
    EXPECT_EQ(frame.statusPaneCount(), 2);
    s.averages = 2;
    frame.controlPanel()->applyAllValues(s);
    frame.onProgressTimer();
    EXPECT_EQ(frame.statusPaneCount(), 3);
    frame.runControl().newFrameFlag = 0;
    for (int i = 0; i < 12; ++i) {
        std::this_thread::sleep_for(5ms);
        frame.onProgressTimer();
        EXPECT_LT(frame.progressBar()->value(), 100);
    }
    frame.runControl().newFrameFlag = 1;
    frame.onProgressTimer();
    EXPECT_EQ(frame.progressBar()->value(), 100);
    EXPECT_EQ(frame.runControl().newFrameFlag, 0);
}

TEST_F(ShellTest, DeviceManagerListAndTreeFollowTheProtocol) {
    struct Case {
        const char* protocol;
        int lines;
        const char* serialLine;
    };
    for (const Case& c :
         {Case{"256", 7, "  SN: SI-M204-8A-0001"}, Case{"257", 7, "  SN: SIM2048A0001"},
          Case{"258", 10, "  SN: SIM2048A0001"}}) {
        corvaneSimReset();
        corvaneSimSetIdentity(SP_SIMULATOR_ID, "protocol", c.protocol);
        CSpectrumData record;
        CDevManager dialog(record, true);
        dialog.onSearch();
        auto* list = dialog.findChild<QTableWidget*>("1008");
        auto* tree = dialog.findChild<QTreeWidget*>("1015");
        ASSERT_EQ(list->rowCount(), 1);
        EXPECT_EQ(list->item(0, 0)->text(), "1");
        EXPECT_EQ(list->item(0, 3)->text(), "IDLE");
        EXPECT_EQ(list->horizontalHeaderItem(3)->text(), "State");
        ASSERT_EQ(tree->topLevelItemCount(), 1);
        EXPECT_EQ(tree->topLevelItem(0)->text(0), "Spectrometer");
        ASSERT_EQ(tree->topLevelItem(0)->childCount(), c.lines) << c.protocol;
        EXPECT_EQ(tree->topLevelItem(0)->child(1)->text(0), c.serialLine) << c.protocol;
        dialog.onTimer1();
        EXPECT_EQ(list->item(0, 3)->text(), "Connected");
        // CORVANE_SHOT_DIR=folder keeps a picture of the window for a look by eye.
        if (const char* shots = std::getenv("CORVANE_SHOT_DIR"))
            dialog.grab().save(QString("%1/devmgr-%2.png").arg(shots, c.protocol));
        // Without a vendor library the window offers the simulator's scenes.
        auto* scene = dialog.findChild<QComboBox*>("SimulatorScene");
        ASSERT_NE(scene, nullptr);
        scene->setCurrentIndex(scene->findData(CORVANE_SIM_LINES));
        EXPECT_EQ(corvaneSimScene(), CORVANE_SIM_LINES);
        dialog.close();
        EXPECT_FALSE(dialog.isVisible());
    }
}

TEST(Splash, TextAndVersionBoxes) {
    EXPECT_EQ(SplashWindow::statusRect(QSize(450, 300)), QRect(16, 246, 418, 48));
    const QRect version = SplashWindow::versionRect(QSize(450, 300));
    EXPECT_EQ(version.left(), 350);
    EXPECT_EQ(version.bottom(), 275);
    EXPECT_EQ(version.top(), 275 - 275 * 15 / 300);
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
