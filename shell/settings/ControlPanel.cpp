#include "shell/settings/ControlPanel.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>
#include <algorithm>
#include <climits>
#include <cmath>

#include "core/Messages.h"
#include "core/NumberParse.h"
#include "core/SpectrumData.h"
#include "device/SpectrometerDevice.h"
#include "files/Settings.h"
#include "resources/DeviceStrings.h"
#include "resources/StringTable.h"
#include "shell/settings/SpinArrows.h"

namespace {

// Geometry of dialog 310 in pixels. Groups are containers here, so moving a group moves the
// controls inside it.
constexpr int kGroupX = 5;
constexpr int kGroupWidth = 241;
constexpr int kRowHeight = 22;
constexpr int kLabelX = 8;
constexpr int kLabelWidth = 96;
constexpr int kEditX = 105;
constexpr int kEditWidth = 58;
constexpr int kSpinWidth = 16;
constexpr int kAcquiringY = 5;
constexpr int kAcquiringHeight = 142;
constexpr int kAcquiringRowY = 22;
constexpr int kAcquiringRowStep = 30;
constexpr int kPulseGroupY = 142;
constexpr int kPulseGroupHeight = 96;
constexpr int kPulseRowY = 20;
constexpr int kPulseRowStep = 25;
constexpr int kDisplayY = 152;
constexpr int kDisplayHeight = 120;
constexpr int kCheckRowY = 20;
constexpr int kCheckRowStep = 24;
constexpr int kBlackbodyY = 277;
constexpr int kBlackbodyHeight = 52;
constexpr int kCheckHeight = 22;
constexpr double kPulseMoveFactor = 1.1;
constexpr double kNonlinearHeightFactor = 1.4;
constexpr int kWidthBeforeInit = 251;
constexpr int kWidthMargin = 5;

constexpr int kAveragesMin = 1, kAveragesMax = 10000;
constexpr int kBoxcarMin = 1, kBoxcarMax = 1000;
constexpr int kTemperatureMin = 1, kTemperatureMax = 10000;
constexpr int kIntensityMin = 1, kIntensityMax = 100;
constexpr int kOffsetMin = -100, kOffsetMax = 100;
constexpr int kMsStepUs = 1000;
constexpr int kSStepUs = 100000;
constexpr int kUsStepUs = 100;
constexpr int kLowestMsUs = 1000;  ///< below 1 ms the field can only show µs

QString text(int id) {
    return QString::fromUtf8(loadString(id));
}

QColor panelColour() {
    return QColor(kPanelColour & 0xFF, (kPanelColour >> 8) & 0xFF, (kPanelColour >> 16) & 0xFF);
}

QLabel* makeLabel(QWidget* parent, int textId, const QRect& r) {
    auto* l = new QLabel(text(textId), parent);
    l->setGeometry(r);
    return l;
}

QLineEdit* makeEdit(QWidget* parent, int id, const QRect& r) {
    auto* e = new QLineEdit(parent);
    e->setObjectName(QString::number(id));
    e->setGeometry(r);
    return e;
}

SpinArrows* makeSpin(QWidget* parent, int editId, const QRect& r) {
    auto* s = new SpinArrows(parent);
    s->setObjectName(QString::fromLatin1(PanelCtl::kSpinPrefix) + QString::number(editId));
    s->setGeometry(r);
    return s;
}

QCheckBox* makeCheck(QWidget* parent, int textId, const char* name, const QRect& r) {
    auto* c = new QCheckBox(text(textId), parent);
    c->setObjectName(QString::fromLatin1(name));
    c->setGeometry(r);
    return c;
}

QGroupBox* makeGroup(QWidget* parent, int textId, const char* name, const QRect& r) {
    auto* g = new QGroupBox(text(textId), parent);
    g->setObjectName(QString::fromLatin1(name));
    g->setGeometry(r);
    return g;
}

// The label column grows with the widest label of the UI language and font, and the groups
// with it, so that no label is cut.
struct Columns {
    int labelWidth = kLabelWidth;
    int editX = kEditX;
    int groupWidth = kGroupWidth;

    QRect label(int y) const { return {kLabelX, y, labelWidth, kRowHeight}; }
    QRect edit(int y) const { return {editX, y, kEditWidth, kRowHeight}; }
    QRect spin(int y) const { return {editX + kEditWidth, y, kSpinWidth, kRowHeight}; }
    int afterSpin() const { return editX + kEditWidth + kSpinWidth; }
};

Columns columnsFor(const QFontMetrics& fm) {
    int widest = 0;
    for (int id :
         {DeviceStr::kIntegrationTimeLabel, DeviceStr::kScansAverage, DeviceStr::kBoxcarWidth,
          DeviceStr::kTriggerModeLabel, DeviceStr::kTemperatureLabel})
        widest = std::max(widest, fm.horizontalAdvance(text(id)));
    // The pulse labels sit one group inset further right.
    for (int id : {DeviceStr::kHighLevel, DeviceStr::kLowLevel, DeviceStr::kPulseNumber})
        widest = std::max(widest, fm.horizontalAdvance(text(id)) + kLabelX);
    Columns c;
    c.labelWidth = std::max(kLabelWidth, widest + 6);
    const int shift = c.labelWidth - kLabelWidth;
    c.editX += shift;
    c.groupWidth += shift;
    return c;
}

}  // namespace

ControlPanel::ControlPanel(CSpectrometerDevice& device, CSpectrumData& record, CSettings& settings,
                           QWidget* parent)
    : QWidget(parent), device_(device), record_(record), config_(settings) {
    QPalette pal = palette();
    pal.setColor(QPalette::Window, panelColour());
    pal.setColor(QPalette::Button, panelColour());
    setPalette(pal);
    setAutoFillBackground(true);
    buildControls();
    initialise();
    connectHandlers();
}

ControlPanel::~ControlPanel() = default;

void ControlPanel::buildControls() {
    using namespace PanelCtl;
    const Columns col = columnsFor(fontMetrics());
    acquiringGroup_ = makeGroup(this, DeviceStr::kDataAcquiringSet, kAcquiringGroup,
                                {kGroupX, kAcquiringY, col.groupWidth, kAcquiringHeight});
    QWidget* g = acquiringGroup_;
    int y = kAcquiringRowY;
    makeLabel(g, DeviceStr::kIntegrationTimeLabel, col.label(y));
    integrationEdit_ = makeEdit(g, kIntegrationEdit, col.edit(y));
    integrationSpin_ = makeSpin(g, kIntegrationEdit, col.spin(y));
    timeUnitCombo_ = new QComboBox(g);
    timeUnitCombo_->setObjectName(QString::fromLatin1(kTimeUnitCombo));
    timeUnitCombo_->setGeometry(col.afterSpin() + 3, y, col.groupWidth - (col.afterSpin() + 3) - 6,
                                kRowHeight);
    for (int id : {DeviceStr::kUnitMs, DeviceStr::kUnitS, DeviceStr::kUnitUs})
        timeUnitCombo_->addItem(text(id));

    y += kAcquiringRowStep;
    makeLabel(g, DeviceStr::kScansAverage, col.label(y));
    averagesEdit_ = makeEdit(g, kAveragesEdit, col.edit(y));
    averagesSpin_ = makeSpin(g, kAveragesEdit, col.spin(y));

    y += kAcquiringRowStep;
    makeLabel(g, DeviceStr::kBoxcarWidth, col.label(y));
    boxcarEdit_ = makeEdit(g, kBoxcarEdit, col.edit(y));
    boxcarSpin_ = makeSpin(g, kBoxcarEdit, col.spin(y));

    y += kAcquiringRowStep;
    makeLabel(g, DeviceStr::kTriggerModeLabel, col.label(y));
    triggerModeCombo_ = new QComboBox(g);
    triggerModeCombo_->setObjectName(QString::fromLatin1(kTriggerModeCombo));
    triggerModeCombo_->setGeometry(col.editX, y, col.groupWidth - col.editX - 6, kRowHeight);
    for (int i = 0; i < kTriggerModeCount; ++i)
        triggerModeCombo_->addItem(text(triggerModeTable()[i].textId), triggerModeTable()[i].code);

    pulseGroup_ =
        makeGroup(g, DeviceStr::kTriggerPulse, kTriggerPulseGroup,
                  {kLabelX, kPulseGroupY, col.groupWidth - 2 * kLabelX, kPulseGroupHeight});
    const int pulseLabels[3] = {DeviceStr::kHighLevel, DeviceStr::kLowLevel,
                                DeviceStr::kPulseNumber};
    const int pulseIds[3] = {kTriggerHighEdit, kTriggerLowEdit, kTriggerPulsesEdit};
    for (int i = 0; i < 3; ++i) {
        const int py = kPulseRowY + i * kPulseRowStep;
        makeLabel(pulseGroup_, pulseLabels[i], {kLabelX, py, col.labelWidth - kLabelX, kRowHeight});
        const int ex = col.editX - kLabelX;
        pulseEdits_[i] = makeEdit(pulseGroup_, pulseIds[i], {ex, py, kEditWidth, kRowHeight});
        // The pulse spins keep the platform's default range, so their arrows run reversed.
        pulseSpins_[i] =
            makeSpin(pulseGroup_, pulseIds[i], {ex + kEditWidth, py, kSpinWidth, kRowHeight});
    }
    pulseGroup_->setVisible(false);

    displayGroup_ = makeGroup(this, DeviceStr::kDisplay, kDisplayGroup,
                              {kGroupX, kDisplayY, col.groupWidth, kDisplayHeight});
    const QRect checkRow(kLabelX, kCheckRowY, col.groupWidth - 2 * kLabelX, kCheckHeight);
    peakCheck_ = makeCheck(displayGroup_, DeviceStr::kPeak, kPeakCheck, checkRow);
    fwhmCheck_ = makeCheck(displayGroup_, DeviceStr::kFwhm, kFwhmCheck,
                           checkRow.translated(0, kCheckRowStep));
    cwlCheck_ = makeCheck(displayGroup_, DeviceStr::kCwl, kCwlCheck,
                          checkRow.translated(0, 2 * kCheckRowStep));
    removeBackgroundCheck_ =
        makeCheck(displayGroup_, DeviceStr::kRemoveBackground, kRemoveBackgroundCheck,
                  checkRow.translated(0, 3 * kCheckRowStep));

    blackbodyGroup_ = makeGroup(this, DeviceStr::kBlackbody, kBlackbodyGroup,
                                {kGroupX, kBlackbodyY, col.groupWidth, kBlackbodyHeight});
    y = kCheckRowY;
    makeLabel(blackbodyGroup_, DeviceStr::kTemperatureLabel, col.label(y));
    bbTemperatureEdit_ = makeEdit(blackbodyGroup_, kBlackbodyTemperatureEdit, col.edit(y));
    bbTemperatureSpin_ = makeSpin(blackbodyGroup_, kBlackbodyTemperatureEdit, col.spin(y));
    makeLabel(blackbodyGroup_, DeviceStr::kKelvin, {col.afterSpin() + 4, y, 20, kRowHeight});
    // Intensity, test colour temperature and baseline offset have no place of their own in the
    // pane; they work like the others (Enter, spin, range check, apply-all) but stay hidden.
    bbIntensityEdit_ = makeEdit(blackbodyGroup_, kBlackbodyIntensityEdit, col.edit(y));
    bbIntensitySpin_ = makeSpin(blackbodyGroup_, kBlackbodyIntensityEdit, col.spin(y));
    colorTemperatureEdit_ = makeEdit(blackbodyGroup_, kColorTemperatureEdit, col.edit(y));
    colorTemperatureSpin_ = makeSpin(blackbodyGroup_, kColorTemperatureEdit, col.spin(y));
    offsetEdit_ = makeEdit(blackbodyGroup_, kBaselineOffsetEdit, col.edit(y));
    offsetSpin_ = makeSpin(blackbodyGroup_, kBaselineOffsetEdit, col.spin(y));
    for (QWidget* w :
         std::initializer_list<QWidget*>{bbIntensityEdit_, bbIntensitySpin_, colorTemperatureEdit_,
                                         colorTemperatureSpin_, offsetEdit_, offsetSpin_})
        w->setVisible(false);

    nonlinearCheck_ =
        makeCheck(this, DeviceStr::kNonlinearCorrection, kNonlinearCheck,
                  {kGroupX, kBlackbodyY + kBlackbodyHeight, col.groupWidth, kCheckHeight});
}

void ControlPanel::initialise() {
    s_ = AcquisitionSettings{};
    setEditText(integrationEdit_,
                QString::fromStdString(formatIntegrationTime(s_.integrationTimeUs, s_.timeUnit)));
    setEditText(averagesEdit_, QString::number(s_.averages));
    setEditText(boxcarEdit_, QString::number(s_.boxcarWidth));
    setEditText(bbTemperatureEdit_, QString::number(s_.blackbodyTemperature));
    setEditText(bbIntensityEdit_, QString::number(s_.blackbodyIntensity));
    setEditText(colorTemperatureEdit_, QString::number(s_.colorTemperature));
    setEditText(offsetEdit_, QString::number(s_.baselineOffset));
    setEditText(pulseEdits_[0], QString::number(s_.triggerHighMs));
    setEditText(pulseEdits_[1], QString::number(s_.triggerLowMs));
    setEditText(pulseEdits_[2], QString::number(s_.triggerPulses));

    integrationSpin_->setRange(kIntegrationSpinMinUs, kIntegrationSpinMaxUs);
    averagesSpin_->setRange(kAveragesMin, kAveragesMax);
    boxcarSpin_->setRange(kBoxcarMin, kBoxcarMax);
    bbTemperatureSpin_->setRange(kTemperatureMin, kTemperatureMax);
    bbIntensitySpin_->setRange(kIntensityMin, kIntensityMax);
    colorTemperatureSpin_->setRange(kTemperatureMin, kTemperatureMax);
    offsetSpin_->setRange(kOffsetMin, kOffsetMax);

    {
        const QSignalBlocker b1(timeUnitCombo_);
        const QSignalBlocker b2(triggerModeCombo_);
        timeUnitCombo_->setCurrentIndex(kTimeUnitMs);
        triggerModeCombo_->setCurrentIndex(0);
    }
    s_.nonlinearCorrection = config_.readNonlinearCorrection();
    nonlinearCheck_->setChecked(s_.nonlinearCorrection == 1);
    placeNonlinearCheck();
    initialised_ = true;
}

void ControlPanel::connectHandlers() {
    connect(integrationEdit_, &QLineEdit::returnPressed, this, &ControlPanel::integrationEntered);
    connect(averagesEdit_, &QLineEdit::returnPressed, this, &ControlPanel::averagesEntered);
    connect(boxcarEdit_, &QLineEdit::returnPressed, this, &ControlPanel::boxcarEntered);
    connect(bbTemperatureEdit_, &QLineEdit::returnPressed, this, [this] {
        plainFieldEntered(bbTemperatureEdit_, bbTemperatureSpin_, s_.blackbodyTemperature,
                          DeviceStr::kNameBlackbodyTemperatureEnter,
                          PanelCtl::kBlackbodyTemperatureEdit);
    });
    connect(bbIntensityEdit_, &QLineEdit::returnPressed, this, [this] {
        plainFieldEntered(bbIntensityEdit_, bbIntensitySpin_, s_.blackbodyIntensity,
                          DeviceStr::kNameBlackbodyIntensity, PanelCtl::kBlackbodyIntensityEdit);
    });
    connect(colorTemperatureEdit_, &QLineEdit::returnPressed, this, [this] {
        plainFieldEntered(colorTemperatureEdit_, colorTemperatureSpin_, s_.colorTemperature,
                          DeviceStr::kNameColorTemperatureEnter, PanelCtl::kColorTemperatureEdit);
    });
    connect(offsetEdit_, &QLineEdit::returnPressed, this, [this] {
        plainFieldEntered(offsetEdit_, offsetSpin_, s_.baselineOffset,
                          DeviceStr::kNameBaselineOffset, PanelCtl::kBaselineOffsetEdit);
    });
    for (int i = 0; i < 3; ++i) {
        connect(pulseEdits_[i], &QLineEdit::returnPressed, this, [this, i] { pulseEntered(i); });
        connect(pulseSpins_[i], &SpinArrows::stepped, this,
                [this, i](int delta) { pulseStepped(i, delta); });
    }

    connect(averagesEdit_, &QLineEdit::textChanged, this, &ControlPanel::averagesEdited);
    connect(boxcarEdit_, &QLineEdit::textChanged, this, &ControlPanel::boxcarEdited);

    connect(integrationSpin_, &SpinArrows::stepped, this, &ControlPanel::integrationStepped);
    connect(averagesSpin_, &SpinArrows::stepped, this, &ControlPanel::averagesStepped);
    connect(boxcarSpin_, &SpinArrows::stepped, this, &ControlPanel::boxcarStepped);
    connect(bbTemperatureSpin_, &SpinArrows::stepped, this,
            &ControlPanel::blackbodyTemperatureStepped);
    connect(bbIntensitySpin_, &SpinArrows::stepped, this, [this](int delta) {
        checkedFieldStepped(bbIntensityEdit_, bbIntensitySpin_, DeviceStr::kNameBlackbodyIntensity,
                            PanelCtl::kBlackbodyIntensityEdit, delta);
    });
    connect(colorTemperatureSpin_, &SpinArrows::stepped, this, [this](int delta) {
        checkedFieldStepped(colorTemperatureEdit_, colorTemperatureSpin_,
                            DeviceStr::kNameColorTemperatureSpin, PanelCtl::kColorTemperatureEdit,
                            delta);
    });
    connect(offsetSpin_, &SpinArrows::stepped, this, [this](int delta) {
        checkedFieldStepped(offsetEdit_, offsetSpin_, DeviceStr::kNameBaselineOffset,
                            PanelCtl::kBaselineOffsetEdit, delta);
    });

    connect(timeUnitCombo_, &QComboBox::currentIndexChanged, this, &ControlPanel::timeUnitChanged);
    connect(triggerModeCombo_, &QComboBox::currentIndexChanged, this,
            &ControlPanel::triggerModeChanged);

    auto flagBox = [this](QCheckBox* box, int32_t AcquisitionSettings::*field) {
        connect(box, &QCheckBox::clicked, this, [this, field](bool on) {
            s_.*field = on ? 1 : 0;
            emit settingsChanged();
        });
    };
    flagBox(peakCheck_, &AcquisitionSettings::showPeak);
    flagBox(fwhmCheck_, &AcquisitionSettings::showFwhm);
    flagBox(cwlCheck_, &AcquisitionSettings::showCwl);
    connect(removeBackgroundCheck_, &QCheckBox::clicked, this,
            &ControlPanel::removeBackgroundToggled);
    connect(nonlinearCheck_, &QCheckBox::clicked, this, &ControlPanel::nonlinearToggled);
}

// ---- helpers --------------------------------------------------------------------------------

void ControlPanel::setEditText(QLineEdit* edit, const QString& value) {
    // Text the panel writes itself is no user edit: the change handlers must not see it.
    const QSignalBlocker block(edit);
    edit->setText(value);
}

int ControlPanel::editInt(const QLineEdit* edit) const {
    const long v = parseLongPrefix(edit->text().toStdString());
    return static_cast<int>(std::clamp<long>(v, INT_MIN, INT_MAX));
}

uint8_t ControlPanel::averagesLowByte() const {
    return static_cast<uint8_t>(editInt(averagesEdit_) & 0xFF);
}

void ControlPanel::showIntegrationTime(int us) {
    setEditText(integrationEdit_, QString::fromStdString(formatIntegrationTime(us, s_.timeUnit)));
}

bool ControlPanel::takeDeviceIntegrationRange(int& min, int& max) {
    min = integrationSpin_->minimum();
    max = integrationSpin_->maximum();
    // The range read at connect; a device whose range could not be read keeps the spin's.
    if (!device_.integrationRangeValid || device_.integrationMinUs > device_.integrationMaxUs)
        return false;
    min = device_.integrationMinUs;
    max = device_.integrationMaxUs;
    integrationSpin_->setRange(min, max);
    return true;
}

int ControlPanel::effectiveTriggerMode() const {
    // Until a mode is chosen the block holds 0, which no driver accepts; the device's own mode
    // (Normal after connecting) is the one in force.
    return s_.triggerMode != 0 ? s_.triggerMode : device_.triggerMode;
}

void ControlPanel::checkRange(int min, const char* name, int& value, int max, int controlId) {
    const RangeCheckResult r = checkRangeRule(min, value, max);
    value = r.value;
    if (!r.outOfRange) return;
    showMessage(rangeMessage(name, min, max, controlId), MsgIcon::Warning, kMsgOk,
                static_cast<QWidget*>(this));
    if (controlId == PanelCtl::kIntegrationEdit) {
        showIntegrationTime(value);
        return;
    }
    if (auto* edit = findChild<QLineEdit*>(QString::number(controlId)))
        setEditText(edit, QString::number(value));
}

int& ControlPanel::pulseField(int which) {
    if (which == 0) return s_.triggerHighMs;
    if (which == 1) return s_.triggerLowMs;
    return s_.triggerPulses;
}

bool ControlPanel::sendTriggerPulse(int which, int value) {
    int v[3] = {s_.triggerHighMs, s_.triggerLowMs, s_.triggerPulses};
    v[which] = value;
    // Without a device the values are kept; the device manager sends them at connect.
    if (!device_.hasHandle()) return true;
    return device_.setTriggerPulse(v[0], v[1], v[2], s_.triggerEnable) == 1;
}

TriggerPulseSettings ControlPanel::triggerPulseSettings() const {
    return {s_.triggerHighMs, s_.triggerLowMs, s_.triggerPulses, s_.triggerEnable};
}

std::function<TriggerPulseSettings()> ControlPanel::triggerPulseSource() const {
    return [this] { return triggerPulseSettings(); };
}

int ControlPanel::preferredWidth() const {
    if (!initialised_) return kWidthBeforeInit;
    return acquiringGroup_->geometry().x() + acquiringGroup_->geometry().width() + kWidthMargin;
}

QSize ControlPanel::sizeHint() const {
    const QRect n = nonlinearCheck_->geometry();
    return {preferredWidth(), n.y() + n.height() + kWidthMargin};
}

// ---- Enter key ------------------------------------------------------------------------------

void ControlPanel::integrationEntered() {
    if (!device_.isConnected()) return;
    int min = 0, max = 0;
    takeDeviceIntegrationRange(min, max);
    s_.integrationTimeUs =
        parseIntegrationTime(integrationEdit_->text().toStdString().c_str(), s_.timeUnit);
    checkRange(min, loadString(DeviceStr::kNameIntegrationTime), s_.integrationTimeUs, max,
               PanelCtl::kIntegrationEdit);
    if (s_.integrationTimeUs <= min) s_.integrationTimeUs = min;
    // The field shows what was taken, in the field's unit ("0.05" s becomes "0.050").
    showIntegrationTime(s_.integrationTimeUs);
    // An averages field that holds no valid count (left empty) keeps the count in force.
    const int averages = editInt(averagesEdit_);
    if (averages >= averagesSpin_->minimum() && averages <= averagesSpin_->maximum())
        s_.averages = averages;
    device_.configure(s_.integrationTimeUs, effectiveTriggerMode(),
                      static_cast<uint8_t>(s_.averages & 0xFF));
    emit settingsChanged();
}

void ControlPanel::averagesEntered() {
    s_.averages = editInt(averagesEdit_);
    checkRange(averagesSpin_->minimum(), loadString(DeviceStr::kNameAverageTimes), s_.averages,
               averagesSpin_->maximum(), PanelCtl::kAveragesEdit);
    // "7x" reads 7: the field shows the number taken, not the text typed.
    setEditText(averagesEdit_, QString::number(s_.averages));
    device_.averages = s_.averages;
    emit settingsChanged();
}

void ControlPanel::boxcarEntered() {
    s_.boxcarWidth = editInt(boxcarEdit_);
    checkRange(boxcarSpin_->minimum(), loadString(DeviceStr::kBoxcarWidth), s_.boxcarWidth,
               boxcarSpin_->maximum(), PanelCtl::kBoxcarEdit);
    setEditText(boxcarEdit_, QString::number(s_.boxcarWidth));
    device_.setBoxcar(s_.boxcarWidth);
    emit settingsChanged();
}

void ControlPanel::plainFieldEntered(QLineEdit* edit, SpinArrows* spin, int& field, int nameId,
                                     int id) {
    field = editInt(edit);
    checkRange(spin->minimum(), loadString(nameId), field, spin->maximum(), id);
    setEditText(edit, QString::number(field));
    emit settingsChanged();
}

void ControlPanel::pulseEntered(int which) {
    const int value = std::max(1, editInt(pulseEdits_[which]));
    if (sendTriggerPulse(which, value)) {
        pulseField(which) = value;
        setEditText(pulseEdits_[which], QString::number(value));
        emit settingsChanged();
        return;
    }
    showMessage(loadString(DeviceStr::kSetTriggerPulseError), MsgIcon::Warning, kMsgOk,
                static_cast<QWidget*>(this));
    setEditText(pulseEdits_[which], QString::number(pulseField(which)));
}

// ---- edit changes ---------------------------------------------------------------------------

void ControlPanel::averagesEdited(const QString& value) {
    if (!initialised_ || value.isEmpty()) return;
    const int n = editInt(averagesEdit_);
    if (n == s_.averages) return;
    s_.averages = n;
    checkRange(kAveragesMin, loadString(DeviceStr::kNameAverageTimes), s_.averages, kAveragesMax,
               PanelCtl::kAveragesEdit);
    device_.averages = s_.averages;
    emit settingsChanged();
}

void ControlPanel::boxcarEdited(const QString& value) {
    if (!initialised_ || value.isEmpty()) return;
    const int n = editInt(boxcarEdit_);
    if (n == s_.boxcarWidth) return;
    s_.boxcarWidth = n;
    checkRange(kBoxcarMin, loadString(DeviceStr::kBoxcarWidth), s_.boxcarWidth, kBoxcarMax,
               PanelCtl::kBoxcarEdit);
    device_.setBoxcar(s_.boxcarWidth);
    emit settingsChanged();
}

// ---- spins ----------------------------------------------------------------------------------

void ControlPanel::integrationStepped(int delta) {
    if (!device_.isConnected() || delta == 0) return;
    int min = 0, max = 0;
    takeDeviceIntegrationRange(min, max);
    const int m = delta > 0 ? 1 : -1;
    const long long current = device_.integrationTimeUs;
    long long next = current;
    if (s_.timeUnit == kTimeUnitS) {
        next = current + m * kSStepUs;
        if (m < 0 && (next < kLowestMsUs || next < min)) next = std::max(kLowestMsUs, min);
    } else if (s_.timeUnit == kTimeUnitUs) {
        int v = static_cast<int>(std::clamp<long long>(current + m * kUsStepUs, INT_MIN, INT_MAX));
        checkRange(min, loadString(DeviceStr::kNameIntegrationTime), v, max,
                   PanelCtl::kIntegrationEdit);
        next = std::max(v, min);
    } else {
        next = current + m * kMsStepUs;
        const bool accepted = (next >= kLowestMsUs && next >= min) || m > 0;
        if (!accepted) {
            if (min > kLowestMsUs) {
                next = min;
            } else {
                // Below 1 ms the field cannot show the time in ms: it switches to us.
                next = kLowestMsUs;
                const QSignalBlocker block(timeUnitCombo_);
                timeUnitCombo_->setCurrentIndex(kTimeUnitUs);
                s_.timeUnit = kTimeUnitUs;
            }
        }
    }
    // Stepping up stops at the device's maximum instead of showing a time the device refuses.
    if (m > 0 && next > max) next = std::max<long long>(max, current);
    s_.integrationTimeUs = static_cast<int>(next);
    showIntegrationTime(s_.integrationTimeUs);
    device_.configure(s_.integrationTimeUs, device_.triggerMode, averagesLowByte());
    emit settingsChanged();
}

void ControlPanel::averagesStepped(int delta) {
    int v = editInt(averagesEdit_) + delta;
    checkRange(averagesSpin_->minimum(), loadString(DeviceStr::kNameAverageTimes), v,
               averagesSpin_->maximum(), PanelCtl::kAveragesEdit);
    s_.averages = v;
    setEditText(averagesEdit_, QString::number(v));
    device_.averages = v;
    emit settingsChanged();
}

void ControlPanel::boxcarStepped(int delta) {
    int v = editInt(boxcarEdit_) + delta;
    checkRange(boxcarSpin_->minimum(), loadString(DeviceStr::kBoxcarWidth), v,
               boxcarSpin_->maximum(), PanelCtl::kBoxcarEdit);
    s_.boxcarWidth = v;
    setEditText(boxcarEdit_, QString::number(v));
    if (device_.isConnected()) device_.setBoxcar(v);
    emit settingsChanged();
}

void ControlPanel::blackbodyTemperatureStepped(int delta) {
    s_.blackbodyTemperature = editInt(bbTemperatureEdit_) + delta;
    checkRange(bbTemperatureSpin_->minimum(), loadString(DeviceStr::kNameBlackbodyTemperatureSpin),
               s_.blackbodyTemperature, bbTemperatureSpin_->maximum(),
               PanelCtl::kBlackbodyTemperatureEdit);
    setEditText(bbTemperatureEdit_, QString::number(s_.blackbodyTemperature));
    emit settingsChanged();
}

void ControlPanel::checkedFieldStepped(QLineEdit* edit, SpinArrows* spin, int nameId, int id,
                                       int delta) {
    // Only validated here; the field itself changes when Enter is pressed in the edit.
    int v = editInt(edit) + delta;
    checkRange(spin->minimum(), loadString(nameId), v, spin->maximum(), id);
    setEditText(edit, QString::number(v));
}

void ControlPanel::pulseStepped(int which, int delta) {
    const int value = std::max(1, editInt(pulseEdits_[which]) - delta);
    if (sendTriggerPulse(which, value)) {
        pulseField(which) = value;
        setEditText(pulseEdits_[which], QString::number(value));
        emit settingsChanged();
        return;
    }
    showMessage(loadString(DeviceStr::kSetTriggerPulseError), MsgIcon::Warning, kMsgOk,
                static_cast<QWidget*>(this));
    setEditText(pulseEdits_[which], QString::number(pulseField(which)));
}

// ---- combos and boxes -----------------------------------------------------------------------

void ControlPanel::timeUnitChanged(int index) {
    if (index < 0 || index >= kTimeUnitCount) return;
    s_.timeUnit = index;
    showIntegrationTime(device_.integrationTimeUs);
    emit settingsChanged();
}

void ControlPanel::triggerModeChanged(int index) {
    if (index < 0) return;
    const int code = triggerModeCombo_->itemData(index).toInt();
    s_.triggerMode = code;
    if (device_.hasHandle())
        device_.configure(s_.integrationTimeUs, code, static_cast<uint8_t>(s_.averages & 0xFF));
    const bool output = code == kTriggerOutput;
    placeTriggerPulseGroup(output);
    integrationEdit_->setEnabled(!output);
    integrationSpin_->setEnabled(!output);
    timeUnitCombo_->setEnabled(!output);
    if (output) {
        for (int i = 0; i < 3; ++i)
            setEditText(pulseEdits_[i], QString::number(pulseField(i)));
        // Without a device the pulse goes out when it connects (onDeviceConnected).
        if (device_.hasHandle() &&
            device_.setTriggerPulse(s_.triggerHighMs, s_.triggerLowMs, s_.triggerPulses, 1) != 1)
            showMessage(loadString(DeviceStr::kSetTriggerPulseError), MsgIcon::Warning, kMsgOk,
                        static_cast<QWidget*>(this));
    }
    emit settingsChanged();
}

void ControlPanel::placeTriggerPulseGroup(bool shown) {
    if (shown != pulseGroupShown_) {
        const int move = static_cast<int>(std::lround(kPulseMoveFactor * pulseGroup_->height()));
        const int d = shown ? move : -move;
        QRect a = acquiringGroup_->geometry();
        a.setHeight(a.height() + d);
        acquiringGroup_->setGeometry(a);
        displayGroup_->move(displayGroup_->x(), displayGroup_->y() + d);
        blackbodyGroup_->move(blackbodyGroup_->x(), blackbodyGroup_->y() + d);
        pulseGroup_->setVisible(shown);
        pulseGroupShown_ = shown;
    }
    placeNonlinearCheck();
    updateGeometry();
}

void ControlPanel::placeNonlinearCheck() {
    // From the box's own template height, so that repeated mode changes do not make it grow.
    const QRect b = blackbodyGroup_->geometry();
    nonlinearCheck_->setGeometry(
        b.x(), b.y() + b.height(), b.width(),
        static_cast<int>(std::lround(kNonlinearHeightFactor * kCheckHeight)));
}

void ControlPanel::removeBackgroundToggled(bool checked) {
    if (checked && record_.hasDark == 0) {
        showMessage(loadString(DeviceStr::kBackgroundNotSaved), MsgIcon::Warning, kMsgOk,
                    static_cast<QWidget*>(this));
        removeBackgroundCheck_->setChecked(false);
        s_.removeBackground = 0;
        return;
    }
    s_.removeBackground = checked ? 1 : 0;
    emit settingsChanged();
}

void ControlPanel::nonlinearToggled(bool checked) {
    s_.nonlinearCorrection = checked ? 1 : 0;
    record_.nonlinearEnabled = s_.nonlinearCorrection;
    config_.nonlinearCorrection = s_.nonlinearCorrection;
    config_.saveSettings(record_);
    emit settingsChanged();
}

// ---- whole block and connection ---------------------------------------------------------------

void ControlPanel::applyAllValues(const AcquisitionSettings& v) {
    s_.integrationTimeUs = v.integrationTimeUs;
    s_.boxcarWidth = v.boxcarWidth;
    s_.averages = v.averages;
    s_.triggerMode = v.triggerMode;
    s_.blackbodyTemperature = v.blackbodyTemperature;
    s_.blackbodyIntensity = v.blackbodyIntensity;
    s_.colorTemperature = v.colorTemperature;
    s_.baselineOffset = v.baselineOffset;
    s_.showPeak = v.showPeak;
    s_.showFwhm = v.showFwhm;
    s_.removeBackground = v.removeBackground;
    if (v.timeUnit != s_.timeUnit && v.timeUnit >= 0 && v.timeUnit < kTimeUnitCount) {
        {
            const QSignalBlocker block(timeUnitCombo_);
            timeUnitCombo_->setCurrentIndex(v.timeUnit);
        }
        timeUnitChanged(v.timeUnit);
    }
    showIntegrationTime(s_.integrationTimeUs);
    setEditText(averagesEdit_, QString::number(s_.averages));
    setEditText(boxcarEdit_, QString::number(s_.boxcarWidth));
    setEditText(bbTemperatureEdit_, QString::number(s_.blackbodyTemperature));
    setEditText(bbIntensityEdit_, QString::number(s_.blackbodyIntensity));
    setEditText(colorTemperatureEdit_, QString::number(s_.colorTemperature));
    setEditText(offsetEdit_, QString::number(s_.baselineOffset));
    // The boxes follow the block, or they would show switches that are not in force.
    peakCheck_->setChecked(s_.showPeak != 0);
    fwhmCheck_->setChecked(s_.showFwhm != 0);
    removeBackgroundCheck_->setChecked(s_.removeBackground != 0);
    emit settingsChanged();
}

void ControlPanel::onDeviceConnected() {
    if (!device_.isConnected()) return;
    int min = 0, max = 0;
    takeDeviceIntegrationRange(min, max);
    // A mode chosen while no device was there has not reached it yet.
    if (s_.triggerMode != 0 && s_.triggerMode != device_.triggerMode) {
        device_.configure(device_.integrationTimeUs, s_.triggerMode,
                          static_cast<uint8_t>(s_.averages & 0xFF));
        if (s_.triggerMode == kTriggerOutput &&
            device_.protocolVersion > kProtocolWithAccessories &&
            device_.setTriggerPulse(s_.triggerHighMs, s_.triggerLowMs, s_.triggerPulses,
                                    s_.triggerEnable) != 1)
            showMessage(loadString(DeviceStr::kSetTriggerPulseError), MsgIcon::Warning, kMsgOk,
                        static_cast<QWidget*>(this));
    }
    s_.integrationTimeUs = device_.integrationTimeUs;
    showIntegrationTime(s_.integrationTimeUs);
    emit settingsChanged();
}
