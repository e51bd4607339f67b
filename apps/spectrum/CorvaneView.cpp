#include "apps/spectrum/CorvaneView.h"

#include <QLineEdit>
#include <cmath>

#include "acquisition/AcquisitionThread.h"
#include "apps/framework/InstanceRegister.h"
#include "apps/framework/ViewColours.h"
#include "core/NumberParse.h"
#include "core/SpectrumData.h"
#include "device/AcquisitionSettings.h"
#include "device/SpectrometerDevice.h"
#include "files/Settings.h"
#include "resources/AppsStrings.h"

namespace {
constexpr int kSpectrumAppType = 1;

ViewKind spectrumKind() {
    ViewKind k;
    k.appType = kSpectrumAppType;
    k.dataType = 0;
    k.nameStringId = AppsStr::kSpectrum;
    k.titleStringId = AppsStr::kSpectrumViewTitle;
    k.valueStringId = AppsStr::kIntensity;
    k.listDecimals = 1;
    return k;
}
}  // namespace

CCorvaneView::CCorvaneView(IViewContext& context, QWidget* parent)
    : CBaseView(context, spectrumKind(), parent) {
    readoutFormat = "%-10.1f";
    editWidth = 80;
    spinWidth = 16;
    onCreate();
}

void CCorvaneView::initialFill() {
    record->getSpectrum(waveArray.data(), valueArray.data(), &pointCount);
}

void CCorvaneView::computeQuantity() {
    if (context_.acquisitionSettings().removeBackground)
        record->getSpectrumMinusDark(waveArray.data(), valueArray.data(), &pointCount);
    else
        record->getSpectrum(waveArray.data(), valueArray.data(), &pointCount);
}

void CCorvaneView::setMainSeries() {
    // Without points the last curve stays: a read that returned nothing is no empty spectrum.
    if (pointCount >= 1)
        chart()->SetNamedSeriesData(viewTitle, displayXArray.data(), valueArray.data(), pointCount);
}

void CCorvaneView::runPeakAnalysis() {
    FindPeaks(displayXArray.data(), valueArray.data());
}

void CCorvaneView::adjustYRange() {
    CSpectrometerDevice& device = context_.device();
    if (!device.isConnected()) return;
    const double top = adcRangeTop(device.adBits);
    if (std::fabs(chart()->yRangeMax - top) > 1.0) {
        chart()->leftAxis->setRange(0.0, top);
        chart()->yRangeMin = 0.0;
        chart()->yRangeMax = top;
    }
}

void CCorvaneView::onTimer() {
    if (context_.runControl().runState.load() == kRunStateQuit) {
        refreshTimer().stop();
        return;
    }
    CBaseView::onTimer();
}

void CCorvaneView::onCursorEnter() {
    const std::string text = cursorEdit()->text().toStdString();
    moveCursorTo(xUnit == kXUnitNm ? parseDoublePrefix(text)
                                   : static_cast<double>(parseLongPrefix(text)));
    cursorEdit()->clearFocus();
}

void CCorvaneView::onCursorSpin(int delta) {
    if (xUnit == kXUnitNm) {
        CBaseView::onCursorSpin(delta);
        return;
    }
    const long v = parseLongPrefix(cursorEdit()->text().toStdString()) - delta;
    cursorEdit()->setText(QString::number(v));
    moveCursorTo(static_cast<double>(v));
}

QWidget* createSpectrumView(IViewContext& context) {
    context.instances()->reserve(kSpectrumAppType);
    auto* view = new CCorvaneView(context);
    applyBackgroundColour(context, view, context.settings().bkColor);
    return view;
}
