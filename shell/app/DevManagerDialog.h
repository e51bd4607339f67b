#pragma once
// The "Device Manager" window: the device list, the information tree, Search / Connect /
// Disconnect and the "Auto Connect" and "Simulator" boxes over the device manager's logic.
// Created hidden with the main frame and kept for the whole run; closing it only hides it.

#include <QDialog>
#include <QTimer>

#include "device/DeviceManager.h"

class QCheckBox;
class QPushButton;
class QTableWidget;
class QTreeWidget;

class CDevManager : public QDialog {
    Q_OBJECT
  public:
    /// simulatorDefault: the "Simulator" box starts ticked (no vendor library was found).
    CDevManager(CSpectrumData& record, bool simulatorDefault, QWidget* parent = nullptr,
                const SpectrometerApi& api = activeDriver());
    ~CDevManager() override;

    DeviceManager& logic() { return manager_; }
    CSpectrometerDevice& device() { return manager_.device(); }

    /// Timer 1 and the Search button, callable by tests.
    void onTimer1();
    void onSearch();
    void onConnect();
    void onDisconnect();

  signals:
    /// The device object was connected or let go by this window.
    void connectionChanged();

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    void readCheckBoxes();
    void refreshList();
    void rebuildTree();

    DeviceManager manager_;
    QTableWidget* list_;
    QTreeWidget* tree_;
    QCheckBox* autoConnect_;
    QCheckBox* simulator_;
    QTimer timer1_;
    QTimer timer2_;
    bool wasConnected_ = false;
};
