#pragma once
// The spectrum view: the live intensity spectrum of the connected spectrometer, optionally
// minus the stored background, with peak analysis, loaded spectrum files as overlays and the
// Y range of the device's converter. Several may be open at once. UI thread.

#include "apps/framework/BaseView.h"

class CCorvaneView : public CBaseView {
    Q_OBJECT
  public:
    explicit CCorvaneView(IViewContext& context, QWidget* parent = nullptr);

    void onTimer() override;
    void onCursorEnter() override;
    void onCursorSpin(int delta) override;

  protected:
    void computeQuantity() override;
    void setMainSeries() override;
    void runPeakAnalysis() override;
    void adjustYRange() override;
    void initialFill() override;
};

/// A new spectrum view: number reserved, view built, colours applied (the caller adds it to the
/// tab area).
QWidget* createSpectrumView(IViewContext& context);
