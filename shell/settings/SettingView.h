#pragma once
// The dockable pane "Measurement Setting" that holds the acquisition settings panel and
// stretches it over the whole pane. Owned by the main frame (its Qt parent); UI thread only.

#include <QDockWidget>

class CSettings;
class CSpectrometerDevice;
class CSpectrumData;
class ControlPanel;

class CSettingView : public QDockWidget {
    Q_OBJECT

  public:
    CSettingView(CSpectrometerDevice& device, CSpectrumData& record, CSettings& settings,
                 QWidget* parent = nullptr);

    ControlPanel& panel() const { return *panel_; }

  private:
    ControlPanel* panel_ = nullptr;  // owned by the dock as its widget
};
