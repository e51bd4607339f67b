#pragma once
// The acquisition settings panel (dialog 310): integration time, scans to average, boxcar,
// trigger mode and pulse, the application parameters and the display switches. It holds the
// AcquisitionSettings block that views, capture pages and file writers copy whole, and sends
// whatever concerns the device to the device object at once. Lives in CSettingView, owned by
// its Qt parent; UI thread only.

#include <QWidget>
#include <functional>

#include "device/AcquisitionSettings.h"
#include "device/DeviceManager.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class CSettings;
class CSpectrometerDevice;
class CSpectrumData;
class SpinArrows;

/// Object names of the panel's controls. Edits carry their control ids; the controls without
/// an id carry these names.
namespace PanelCtl {
constexpr int kIntegrationEdit = 1001;
constexpr int kAveragesEdit = 1002;
constexpr int kBoxcarEdit = 1003;
constexpr int kBlackbodyTemperatureEdit = 1008;
constexpr int kBlackbodyIntensityEdit = 1010;
constexpr int kColorTemperatureEdit = 1013;
constexpr int kBaselineOffsetEdit = 1018;
constexpr int kTriggerHighEdit = 1053;
constexpr int kTriggerLowEdit = 1054;
constexpr int kTriggerPulsesEdit = 1055;
/// The spin of an edit is named "spin" + the edit's id, e.g. "spin1001".
constexpr const char* kSpinPrefix = "spin";
constexpr const char* kTimeUnitCombo = "timeUnitCombo";
constexpr const char* kTriggerModeCombo = "triggerModeCombo";
constexpr const char* kAcquiringGroup = "acquiringGroup";
constexpr const char* kTriggerPulseGroup = "triggerPulseGroup";
constexpr const char* kDisplayGroup = "displayGroup";
constexpr const char* kBlackbodyGroup = "blackbodyGroup";
constexpr const char* kPeakCheck = "peakCheck";
constexpr const char* kFwhmCheck = "fwhmCheck";
constexpr const char* kCwlCheck = "cwlCheck";
constexpr const char* kRemoveBackgroundCheck = "removeBackgroundCheck";
constexpr const char* kNonlinearCheck = "nonlinearCheck";
}  // namespace PanelCtl

inline constexpr int kPanelColour = 0xFFDBBF;  ///< RGB(191, 219, 255) as 0x00BBGGRR

class ControlPanel : public QWidget {
    Q_OBJECT

  public:
    ControlPanel(CSpectrometerDevice& device, CSpectrumData& record, CSettings& settings,
                 QWidget* parent = nullptr);
    ~ControlPanel() override;

    const AcquisitionSettings& settings() const { return s_; }
    /// Takes a whole block back (the capture pages' edited copy): every field except showCwl,
    /// the pulse values and the nonlinear flag; a different time unit is selected as a unit
    /// change. The trigger-mode combo is not re-selected.
    void applyAllValues(const AcquisitionSettings& values);
    /// Width the pane should give the panel: the right edge of "Data acquiring set" minus the
    /// panel's left edge plus 5 (251 before the panel is initialised).
    int preferredWidth() const;
    QSize sizeHint() const override;

    /// The pulse values the device manager restores on connect in trigger mode 21.
    TriggerPulseSettings triggerPulseSettings() const;
    /// A source for DeviceManager::triggerPulseSource; valid while the panel lives.
    std::function<TriggerPulseSettings()> triggerPulseSource() const;

  public slots:
    /// Call after the device connected: the integration-time spin takes the device's range,
    /// the field shows the device's integration time, and a trigger mode chosen while no
    /// device was there is sent to it.
    void onDeviceConnected();

  signals:
    /// A field of the block changed (views may refresh at once instead of at their next poll).
    void settingsChanged();

  private:
    void buildControls();
    void initialise();
    void connectHandlers();

    // checkRange: message and clamp; the edit shows the corrected value.
    void checkRange(int min, const char* name, int& value, int max, int controlId);
    void showIntegrationTime(int us);
    void setEditText(QLineEdit* edit, const QString& text);
    int editInt(const QLineEdit* edit) const;
    uint8_t averagesLowByte() const;
    // Reads the device's integration range into the spin; false without a valid range.
    bool takeDeviceIntegrationRange(int& min, int& max);
    int effectiveTriggerMode() const;

    // Enter key
    void integrationEntered();
    void averagesEntered();
    void boxcarEntered();
    void plainFieldEntered(QLineEdit* edit, SpinArrows* spin, int& field, int nameId, int id);
    void pulseEntered(int which);
    // Edit changes
    void averagesEdited(const QString& text);
    void boxcarEdited(const QString& text);
    // Spins
    void integrationStepped(int delta);
    void averagesStepped(int delta);
    void boxcarStepped(int delta);
    void blackbodyTemperatureStepped(int delta);
    void checkedFieldStepped(QLineEdit* edit, SpinArrows* spin, int nameId, int id, int delta);
    void pulseStepped(int which, int delta);
    // Combos and boxes
    void timeUnitChanged(int index);
    void triggerModeChanged(int index);
    void placeTriggerPulseGroup(bool shown);
    void placeNonlinearCheck();
    void removeBackgroundToggled(bool checked);
    void nonlinearToggled(bool checked);

    // Sends the pulse values with `value` at position which (0 high, 1 low, 2 pulses).
    bool sendTriggerPulse(int which, int value);
    int& pulseField(int which);

    CSpectrometerDevice& device_;
    CSpectrumData& record_;
    CSettings& config_;
    AcquisitionSettings s_;
    bool initialised_ = false;
    bool pulseGroupShown_ = false;

    QGroupBox* acquiringGroup_ = nullptr;
    QGroupBox* pulseGroup_ = nullptr;
    QGroupBox* displayGroup_ = nullptr;
    QGroupBox* blackbodyGroup_ = nullptr;
    QLineEdit* integrationEdit_ = nullptr;
    QLineEdit* averagesEdit_ = nullptr;
    QLineEdit* boxcarEdit_ = nullptr;
    QLineEdit* bbTemperatureEdit_ = nullptr;
    QLineEdit* bbIntensityEdit_ = nullptr;
    QLineEdit* colorTemperatureEdit_ = nullptr;
    QLineEdit* offsetEdit_ = nullptr;
    QLineEdit* pulseEdits_[3] = {};
    SpinArrows* integrationSpin_ = nullptr;
    SpinArrows* averagesSpin_ = nullptr;
    SpinArrows* boxcarSpin_ = nullptr;
    SpinArrows* bbTemperatureSpin_ = nullptr;
    SpinArrows* bbIntensitySpin_ = nullptr;
    SpinArrows* colorTemperatureSpin_ = nullptr;
    SpinArrows* offsetSpin_ = nullptr;
    SpinArrows* pulseSpins_[3] = {};
    QComboBox* timeUnitCombo_ = nullptr;
    QComboBox* triggerModeCombo_ = nullptr;
    QCheckBox* peakCheck_ = nullptr;
    QCheckBox* fwhmCheck_ = nullptr;
    QCheckBox* cwlCheck_ = nullptr;
    QCheckBox* removeBackgroundCheck_ = nullptr;
    QCheckBox* nonlinearCheck_ = nullptr;
};
