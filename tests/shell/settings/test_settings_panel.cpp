#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QTest>
#include <memory>
#include <string>
#include <vector>

#include "core/SpectrumData.h"
#include "device/SpectrometerDevice.h"
#include "files/Profile.h"
#include "files/Settings.h"
#include "resources/StringTable.h"
#include "shell/settings/ControlPanel.h"
#include "shell/settings/SettingView.h"
#include "shell/settings/SpinArrows.h"
#include "tests/support/FakeDriver.h"
#include "tests/support/TestSupport.h"

namespace {

void ensureApp() {
    static int argc = 1;
    static char name[] = "test_settings_panel";
    static char* argv[] = {name, nullptr};
    if (!QApplication::instance()) new QApplication(argc, argv);  // lives until the process ends
}

// The fake driver with a device minimum above 1 ms.
int slowRange(SPHANDLE, int* lo, int* hi) {
    *lo = 2000;
    *hi = 10'000'000;
    return 1;
}
SpectrometerApi slowDeviceApi() {
    SpectrometerApi api = fakeDriverApi();
    api.getIntegrateTimeRange = slowRange;
    return api;
}
const SpectrometerApi kSlowApi = slowDeviceApi();

class PanelTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ensureApp();
        setUiLanguage(kLangEnglish);
        fakeDriver().reset();
        CSpectrometerDevice::setClosePause(std::chrono::milliseconds(0));
        settings.setPaths(dir.file("config.ini"), dir.file("Record"));
    }

    void makePanel(const SpectrometerApi& api = fakeDriverApi()) {
        view.reset();
        device = std::make_unique<CSpectrometerDevice>(api);
        view = std::make_unique<CSettingView>(*device, record, settings);
        panel = &view->panel();
    }
    void connectDevice() {
        ASSERT_NE(device->connect(1), nullptr);
        panel->onDeviceConnected();
    }

    QLineEdit* edit(int id) const { return find<QLineEdit>(QString::number(id)); }
    SpinArrows* spin(int id) const {
        return find<SpinArrows>(PanelCtl::kSpinPrefix + QString::number(id));
    }
    QComboBox* combo(const char* name) const { return find<QComboBox>(name); }
    QCheckBox* check(const char* name) const { return find<QCheckBox>(name); }
    QGroupBox* group(const char* name) const { return find<QGroupBox>(name); }
    template <typename T>
    T* find(const QString& name) const {
        T* w = panel->findChild<T*>(name);
        EXPECT_NE(w, nullptr) << name.toStdString();
        return w;
    }

    std::string text(int id) const { return edit(id)->text().toStdString(); }
    // Types into the edit as a user does (replacing its text) and presses Enter.
    void enter(int id, const char* typed) {
        QLineEdit* e = edit(id);
        e->selectAll();
        QTest::keyClicks(e, typed);
        QTest::keyClick(e, Qt::Key_Return);
    }
    void type(int id, const char* typed) {
        edit(id)->selectAll();
        QTest::keyClicks(edit(id), typed);
    }
    std::vector<std::string> shownTexts() const {
        std::vector<std::string> texts;
        for (const MessageRequest& r : messages.shown)
            texts.push_back(r.text);
        return texts;
    }

    TempDir dir;
    CSettings settings;
    CSpectrumData record;
    MessageRecorder messages;
    std::unique_ptr<CSpectrometerDevice> device;
    std::unique_ptr<CSettingView> view;  // after the device: destroyed first
    ControlPanel* panel = nullptr;
};

TEST_F(PanelTest, StartsWithTheInitialTextsRangesAndLists) {
    ASSERT_TRUE(writeProfileString(settings.configPath(), "System", "NonlinearCorrection", "1"));
    makePanel();
    EXPECT_EQ(view->windowTitle().toStdString(), "Measurement Setting");
    const std::vector<std::pair<int, const char*>> texts = {
        {1001, "4"},    {1002, "1"}, {1003, "1"},  {1008, "2800"}, {1010, "100"},
        {1013, "2800"}, {1018, "0"}, {1053, "10"}, {1054, "10"},   {1055, "1"}};
    for (const auto& [id, t] : texts)
        EXPECT_EQ(text(id), t) << id;

    QComboBox* unit = combo(PanelCtl::kTimeUnitCombo);
    ASSERT_EQ(unit->count(), 3);
    EXPECT_EQ(unit->currentText().toStdString(), "ms");
    EXPECT_EQ(unit->itemText(2).toStdString(), "us");
    QComboBox* mode = combo(PanelCtl::kTriggerModeCombo);
    ASSERT_EQ(mode->count(), 5);
    EXPECT_EQ(mode->currentIndex(), 0);
    EXPECT_EQ(mode->itemText(3).toStdString(), "External hardware");
    EXPECT_EQ(mode->itemData(3).toInt(), 19);
    EXPECT_EQ(mode->itemData(4).toInt(), 21);

    EXPECT_EQ(spin(1001)->minimum(), 4);
    EXPECT_EQ(spin(1001)->maximum(), 10'000'000);
    EXPECT_EQ(spin(1018)->minimum(), -100);
    EXPECT_EQ(spin(1010)->maximum(), 100);
    EXPECT_FALSE(group(PanelCtl::kTriggerPulseGroup)->isVisibleTo(panel));
    EXPECT_TRUE(check(PanelCtl::kNonlinearCheck)->isChecked());

    const AcquisitionSettings& s = panel->settings();
    EXPECT_EQ(s.integrationTimeUs, 4000);
    EXPECT_EQ(s.triggerMode, 0);  // until a mode is chosen
    EXPECT_EQ(s.blackbodyIntensity, 100);
    EXPECT_EQ(s.nonlinearCorrection, 1);
    EXPECT_EQ(panel->palette().color(QPalette::Window), QColor(191, 219, 255));
    // The right edge of "Data acquiring set" plus 5; its label column fits the font.
    const QRect acquiring = group(PanelCtl::kAcquiringGroup)->geometry();
    EXPECT_EQ(panel->preferredWidth(), acquiring.x() + acquiring.width() + 5);
    EXPECT_GE(panel->preferredWidth(), 251);
}

TEST_F(PanelTest, IntegrationSpinBelowOneMsSwitchesToUs) {
    makePanel();
    connectDevice();
    enter(1001, "2");
    EXPECT_EQ(device->integrationTimeUs, 2000);
    EXPECT_EQ(fakeDriver().lastIntegration, 2000);
    EXPECT_EQ(fakeDriver().lastTrigger, 17);  // no mode chosen yet: the device's own

    spin(1001)->pressDown();
    EXPECT_EQ(text(1001), "1");
    EXPECT_EQ(device->integrationTimeUs, 1000);
    spin(1001)->pressDown();  // the device goes down to 100 µs, the field cannot show it in ms
    EXPECT_EQ(text(1001), "1000");
    EXPECT_EQ(combo(PanelCtl::kTimeUnitCombo)->currentText().toStdString(), "us");
    EXPECT_EQ(panel->settings().timeUnit, kTimeUnitUs);
    EXPECT_EQ(device->integrationTimeUs, 1000);

    spin(1001)->pressDown();  // in us the step is 100 µs
    EXPECT_EQ(text(1001), "900");
    EXPECT_EQ(panel->settings().integrationTimeUs, 900);
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(PanelTest, IntegrationSpinStopsAtADeviceMinimumAboveOneMs) {
    makePanel(kSlowApi);
    connectDevice();
    enter(1001, "3");
    spin(1001)->pressDown();
    EXPECT_EQ(text(1001), "2");
    spin(1001)->pressDown();
    EXPECT_EQ(text(1001), "2");
    EXPECT_EQ(combo(PanelCtl::kTimeUnitCombo)->currentText().toStdString(), "ms");
    EXPECT_EQ(device->integrationTimeUs, 2000);

    // Stepping up ends at the device's maximum.
    enter(1001, "10000");
    EXPECT_EQ(device->integrationTimeUs, 10'000'000);
    spin(1001)->pressUp();
    EXPECT_EQ(text(1001), "10000");
    EXPECT_EQ(panel->settings().integrationTimeUs, 10'000'000);
}

TEST_F(PanelTest, IntegrationTypedInSeconds) {
    makePanel();
    enter(1001, "0.5");  // no device: Enter changes nothing
    EXPECT_EQ(panel->settings().integrationTimeUs, 4000);
    EXPECT_TRUE(messages.shown.empty());

    connectDevice();
    combo(PanelCtl::kTimeUnitCombo)->setCurrentIndex(kTimeUnitS);
    EXPECT_EQ(text(1001), "0.004");
    enter(1001, "0.05");
    EXPECT_EQ(panel->settings().integrationTimeUs, 50000);
    EXPECT_EQ(text(1001), "0.050");
    EXPECT_EQ(device->integrationTimeUs, 50000);

    enter(1001, "100");
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, "Integration time value out of range 100-10000000us !");
    EXPECT_EQ(messages.shown[0].caption, "Note");
    EXPECT_EQ(text(1001), "10.000");
    EXPECT_EQ(device->integrationTimeUs, 10'000'000);
}

TEST_F(PanelTest, AveragesOutOfRangeAreClampedWithTheMessage) {
    makePanel();
    connectDevice();
    struct Case {
        const char* typed;
        const char* shown;
        int averages;
        bool message;
    };
    const std::vector<Case> cases = {{"0", "1", 1, true},
                                     {"25", "25", 25, false},
                                     {"20000", "10000", 10000, true},
                                     {"abc", "1", 1, true}};
    for (const Case& c : cases) {
        messages.shown.clear();
        edit(1002)->setText(c.typed);  // typed or pasted as a whole
        EXPECT_EQ(text(1002), c.shown) << c.typed;
        EXPECT_EQ(panel->settings().averages, c.averages) << c.typed;
        EXPECT_EQ(device->averages.load(), c.averages) << c.typed;
        if (c.message) {
            ASSERT_EQ(messages.shown.size(), 1u) << c.typed;
            EXPECT_EQ(messages.shown[0].text, "Average times value out of range 1-10000!");
        } else {
            EXPECT_TRUE(messages.shown.empty()) << c.typed;
        }
    }
    messages.shown.clear();
    enter(1002, "7x");  // key by key: "7", then "7x", which reads 7
    EXPECT_EQ(text(1002), "7");
    EXPECT_EQ(device->averages.load(), 7);
    spin(1002)->pressUp();
    EXPECT_EQ(text(1002), "8");
    EXPECT_EQ(device->averages.load(), 8);
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(PanelTest, BoxcarGoesToTheDevice) {
    makePanel();
    connectDevice();
    type(1003, "5");
    EXPECT_EQ(device->boxcar, 5);
    EXPECT_EQ(fakeDriver().lastBoxcar, 5);
    spin(1003)->pressUp();
    EXPECT_EQ(device->boxcar, 6);
    type(1003, "5000");
    EXPECT_EQ(text(1003), "1000");
    EXPECT_EQ(device->boxcar, 1000);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, "Boxcar Width value out of range 1-1000!");
}

TEST_F(PanelTest, ApplicationFieldsNameThemselvesInTheRangeMessage) {
    makePanel();
    struct Case {
        int id;
        const char* start;  // typed and entered first
        bool spinUp;        // then the up arrow instead of nothing
        const char* message;
        const char* shown;
    };
    const std::vector<Case> cases = {
        {1008, "0", false, "Black body temperature value out of range 1-10000!", "1"},
        {1008, "10000", true, "Black body Temperature value out of range 1-10000!", "10000"},
        {1010, "101", false, "Black body intensity value out of range 1-100!", "100"},
        {1013, "10000", true, "Color temperatrue value out of range 1-10000!", "10000"},
        {1013, "-4", false, "Color temperature value out of range 1-10000!", "1"},
        {1018, "-101", false, "Base line offset value out of range -100-100!", "-100"},
    };
    for (const Case& c : cases) {
        messages.shown.clear();
        enter(c.id, c.start);
        if (c.spinUp) {
            messages.shown.clear();
            spin(c.id)->pressUp();
        }
        ASSERT_EQ(messages.shown.size(), 1u) << c.id << " " << c.start;
        EXPECT_EQ(messages.shown[0].text, c.message);
        EXPECT_EQ(text(c.id), c.shown) << c.id;
    }
    EXPECT_EQ(panel->settings().blackbodyTemperature, 10000);
    // The intensity spin only validates; Enter stores.
    enter(1010, "50");
    spin(1010)->pressDown();
    EXPECT_EQ(text(1010), "49");
    EXPECT_EQ(panel->settings().blackbodyIntensity, 50);
    QTest::keyClick(edit(1010), Qt::Key_Return);
    EXPECT_EQ(panel->settings().blackbodyIntensity, 49);
}

TEST_F(PanelTest, TriggerOutputShowsThePulseGroupAndNormalRestoresTheLayout) {
    makePanel();
    connectDevice();
    QGroupBox* acquiring = group(PanelCtl::kAcquiringGroup);
    QGroupBox* display = group(PanelCtl::kDisplayGroup);
    QGroupBox* blackbody = group(PanelCtl::kBlackbodyGroup);
    QGroupBox* pulse = group(PanelCtl::kTriggerPulseGroup);
    QCheckBox* nonlinear = check(PanelCtl::kNonlinearCheck);
    const QRect acquiringBefore = acquiring->geometry();
    const QRect displayBefore = display->geometry();
    const QRect blackbodyBefore = blackbody->geometry();
    const QRect nonlinearBefore = nonlinear->geometry();
    const int move = qRound(1.1 * pulse->height());
    QComboBox* mode = combo(PanelCtl::kTriggerModeCombo);

    for (int round = 0; round < 2; ++round) {
        mode->setCurrentIndex(4);
        EXPECT_EQ(panel->settings().triggerMode, 21);
        EXPECT_EQ(device->triggerMode, 21);
        EXPECT_EQ(fakeDriver().pulse[0], 10);
        EXPECT_EQ(fakeDriver().pulse[2], 1);
        EXPECT_EQ(fakeDriver().pulse[3], 1);
        EXPECT_FALSE(edit(1001)->isEnabled());
        EXPECT_FALSE(spin(1001)->isEnabled());
        EXPECT_FALSE(combo(PanelCtl::kTimeUnitCombo)->isEnabled());
        EXPECT_TRUE(pulse->isVisibleTo(panel));
        EXPECT_EQ(acquiring->height(), acquiringBefore.height() + move);
        EXPECT_EQ(display->geometry(), displayBefore.translated(0, move));
        EXPECT_EQ(blackbody->geometry(), blackbodyBefore.translated(0, move));
        EXPECT_EQ(nonlinear->geometry(), nonlinearBefore.translated(0, move));
        EXPECT_EQ(nonlinear->y(), blackbody->geometry().bottom() + 1);
        EXPECT_EQ(nonlinear->width(), blackbody->width());

        mode->setCurrentIndex(0);
        EXPECT_EQ(device->triggerMode, 17);
        EXPECT_TRUE(edit(1001)->isEnabled());
        EXPECT_TRUE(combo(PanelCtl::kTimeUnitCombo)->isEnabled());
        EXPECT_FALSE(pulse->isVisibleTo(panel));
        EXPECT_EQ(acquiring->geometry(), acquiringBefore);
        EXPECT_EQ(display->geometry(), displayBefore);
        EXPECT_EQ(nonlinear->geometry(), nonlinearBefore);  // does not grow with every change
    }
    EXPECT_EQ(panel->preferredWidth(), acquiring->geometry().right() + 1 + 5);
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(PanelTest, PulseSpinsRunReversedAndARefusalRestoresTheValue) {
    makePanel();
    connectDevice();
    combo(PanelCtl::kTriggerModeCombo)->setCurrentIndex(4);
    EXPECT_EQ(spin(1053)->lower(), 100);  // the platform's default range, reversed
    spin(1053)->pressUp();
    EXPECT_EQ(text(1053), "11");
    EXPECT_EQ(panel->settings().triggerHighMs, 11);
    EXPECT_EQ(fakeDriver().pulse[0], 11);
    spin(1055)->pressDown();  // 1 - 1 is raised to 1
    EXPECT_EQ(text(1055), "1");
    enter(1054, "0");
    EXPECT_EQ(text(1054), "1");
    EXPECT_EQ(fakeDriver().pulse[1], 1);
    EXPECT_TRUE(messages.shown.empty());

    fakeDriver().pulseResult = 0;
    spin(1054)->pressUp();
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, "Set trigger pulse error!");
    EXPECT_EQ(text(1054), "1");
    enter(1053, "40");
    EXPECT_EQ(text(1053), "11");
    EXPECT_EQ(panel->settings().triggerHighMs, 11);
    const TriggerPulseSettings p = panel->triggerPulseSource()();
    EXPECT_EQ(p.highMs, 11);
    EXPECT_EQ(p.lowMs, 1);
}

TEST_F(PanelTest, TriggerModeChosenBeforeConnectReachesTheDevice) {
    makePanel();
    combo(PanelCtl::kTriggerModeCombo)->setCurrentIndex(4);
    EXPECT_TRUE(messages.shown.empty());  // nothing to refuse the pulse yet
    spin(1053)->pressUp();
    EXPECT_EQ(panel->settings().triggerHighMs, 11);
    connectDevice();
    EXPECT_EQ(device->triggerMode, 21);
    EXPECT_EQ(fakeDriver().lastTrigger, 21);
    EXPECT_EQ(fakeDriver().pulse[0], 11);
    EXPECT_EQ(spin(1001)->minimum(), 100);  // the device's range
    EXPECT_EQ(spin(1001)->maximum(), 10'000'000);
}

TEST_F(PanelTest, RemoveBackgroundNeedsAStoredBackground) {
    makePanel();
    QCheckBox* box = check(PanelCtl::kRemoveBackgroundCheck);
    box->click();
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, "The background light spectrum has not been saved !");
    EXPECT_EQ(messages.shown[0].icon, MsgIcon::Warning);
    EXPECT_FALSE(box->isChecked());
    EXPECT_EQ(panel->settings().removeBackground, 0);

    record.hasDark = 1;
    box->click();
    EXPECT_TRUE(box->isChecked());
    EXPECT_EQ(panel->settings().removeBackground, 1);
    EXPECT_EQ(messages.shown.size(), 1u);
}

TEST_F(PanelTest, DisplaySwitchesAndNonlinearCorrection) {
    makePanel();
    check(PanelCtl::kPeakCheck)->click();
    check(PanelCtl::kCwlCheck)->click();
    EXPECT_EQ(panel->settings().showPeak, 1);
    EXPECT_EQ(panel->settings().showFwhm, 0);
    EXPECT_EQ(panel->settings().showCwl, 1);

    check(PanelCtl::kNonlinearCheck)->click();
    EXPECT_EQ(panel->settings().nonlinearCorrection, 1);
    EXPECT_EQ(record.nonlinearEnabled, 1);
    EXPECT_EQ(settings.nonlinearCorrection, 1);
    // Saved at once, with the rest of the configuration.
    EXPECT_EQ(readProfileString(settings.configPath(), "System", "NonlinearCorrection", ""), "1");
    EXPECT_EQ(readProfileString(settings.configPath(), "Display", "BkColor", ""), "16777215");
    check(PanelCtl::kNonlinearCheck)->click();
    EXPECT_EQ(readProfileString(settings.configPath(), "System", "NonlinearCorrection", ""), "0");
    EXPECT_EQ(record.nonlinearEnabled, 0);
}

TEST_F(PanelTest, ApplyAllValuesTakesTheBlockBack) {
    makePanel();
    AcquisitionSettings v = panel->settings();
    v.integrationTimeUs = 250000;
    v.timeUnit = kTimeUnitS;
    v.averages = 7;
    v.boxcarWidth = 3;
    v.triggerMode = 19;
    v.blackbodyTemperature = 3000;
    v.baselineOffset = -5;
    v.showPeak = 1;
    v.showCwl = 1;              // not taken
    v.triggerHighMs = 99;       // not taken
    v.nonlinearCorrection = 1;  // not taken
    panel->applyAllValues(v);

    const AcquisitionSettings& s = panel->settings();
    EXPECT_EQ(s.integrationTimeUs, 250000);
    EXPECT_EQ(s.timeUnit, kTimeUnitS);
    EXPECT_EQ(s.averages, 7);
    EXPECT_EQ(s.triggerMode, 19);
    EXPECT_EQ(s.showPeak, 1);
    EXPECT_EQ(s.showCwl, 0);
    EXPECT_EQ(s.triggerHighMs, 10);
    EXPECT_EQ(s.nonlinearCorrection, 0);
    EXPECT_EQ(text(1001), "0.250");
    EXPECT_EQ(text(1002), "7");
    EXPECT_EQ(text(1003), "3");
    EXPECT_EQ(text(1008), "3000");
    EXPECT_EQ(text(1018), "-5");
    EXPECT_EQ(combo(PanelCtl::kTimeUnitCombo)->currentIndex(), kTimeUnitS);
    EXPECT_EQ(combo(PanelCtl::kTriggerModeCombo)->currentIndex(), 0);  // not re-selected
    EXPECT_TRUE(check(PanelCtl::kPeakCheck)->isChecked());
    EXPECT_FALSE(check(PanelCtl::kCwlCheck)->isChecked());
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(PanelTest, TextsFollowTheUiLanguage) {
    setUiLanguage(kLangTraditionalChinese);
    makePanel();
    EXPECT_EQ(view->windowTitle().toStdString(), "測量設定");
    type(1002, "0");
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, "平均次數 超出範圍 1-10000!");
    setUiLanguage(kLangEnglish);
}

}  // namespace
