#include "shell/app/DevManagerDialog.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "device/DeviceListText.h"
#include "platform/simulator/Simulator.h"
#include "resources/CommandIds.h"
#include "resources/DeviceStrings.h"
#include "resources/StringTable.h"
#include "shell/app/Icons.h"

namespace {

constexpr int kTimer1Ms = 1000;
constexpr int kTimer2Ms = 200;
constexpr int kColumnWidth = 100;

QString text(int id) {
    return QString::fromUtf8(loadString(id));
}
QString objectNameOf(int id) {
    return QString::number(id);
}

}  // namespace

CDevManager::CDevManager(CSpectrumData& record, bool simulatorDefault, QWidget* parent,
                         const SpectrometerApi& api)
    : QDialog(parent), manager_(record, api) {
    setObjectName(objectNameOf(Res::kDeviceManagerDialog));
    setWindowTitle(text(DeviceStr::kDeviceManager));
    setModal(false);

    list_ = new QTableWidget(0, 4, this);
    list_->setObjectName(objectNameOf(Ctl::kDeviceList));
    list_->setHorizontalHeaderLabels({text(DeviceStr::kColumnId), text(DeviceStr::kColumnModel),
                                      text(DeviceStr::kColumnSn), text(DeviceStr::kColumnState)});
    for (int c = 0; c < 4; ++c)
        list_->setColumnWidth(c, kColumnWidth);
    list_->setSelectionBehavior(QAbstractItemView::SelectRows);
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list_->setShowGrid(true);
    list_->setWordWrap(false);
    list_->verticalHeader()->hide();
    list_->setMinimumWidth(4 * kColumnWidth + 4);

    tree_ = new QTreeWidget(this);
    tree_->setObjectName(objectNameOf(Ctl::kDeviceTree));
    tree_->setHeaderHidden(true);
    tree_->setIconSize(QSize(16, 16));

    auto* search = new QPushButton(text(DeviceStr::kSearch), this);
    search->setObjectName(objectNameOf(Ctl::kSearch));
    auto* connectButton = new QPushButton(text(DeviceStr::kConnect), this);
    connectButton->setObjectName(objectNameOf(Ctl::kConnect));
    auto* disconnectButton = new QPushButton(text(DeviceStr::kDisconnect), this);
    disconnectButton->setObjectName(objectNameOf(Ctl::kDisconnect));
    autoConnect_ = new QCheckBox(text(DeviceStr::kAutoConnect), this);
    autoConnect_->setObjectName(objectNameOf(Ctl::kAutoConnect));
    autoConnect_->setChecked(true);
    simulator_ = new QCheckBox(text(DeviceStr::kSimulator), this);
    simulator_->setObjectName(objectNameOf(Ctl::kSimulator));
    simulator_->setChecked(simulatorDefault);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(search);
    buttons->addWidget(connectButton);
    buttons->addWidget(disconnectButton);
    buttons->addStretch();
    if (&api == &activeDriver() && !vendorDriverLoaded()) {
        // What the built-in simulator shows, for a user trying the program without hardware.
        auto* scene = new QComboBox(this);
        scene->setObjectName("SimulatorScene");
        for (int i = CORVANE_SIM_DARK; i <= CORVANE_SIM_LED; ++i)
            scene->addItem(text(DeviceStr::kSimSceneFirst + i), i);
        scene->setCurrentIndex(scene->findData(corvaneSimScene()));
        connect(scene, &QComboBox::currentIndexChanged, this,
                [scene](int index) { corvaneSimSetScene(scene->itemData(index).toInt()); });
        buttons->addWidget(new QLabel(text(DeviceStr::kSimScene), this));
        buttons->addWidget(scene);
    }
    buttons->addWidget(autoConnect_);
    buttons->addWidget(simulator_);
    auto* panes = new QHBoxLayout;
    panes->addWidget(list_, 3);
    panes->addWidget(tree_, 2);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(panes);
    layout->addLayout(buttons);
    resize(760, 300);

    readCheckBoxes();
    connect(search, &QPushButton::clicked, this, &CDevManager::onSearch);
    connect(connectButton, &QPushButton::clicked, this, &CDevManager::onConnect);
    connect(disconnectButton, &QPushButton::clicked, this, &CDevManager::onDisconnect);
    connect(list_, &QTableWidget::itemSelectionChanged, this, [this] {
        manager_.selectionMark = list_->currentRow();
        rebuildTree();
    });

    timer1_.setInterval(kTimer1Ms);
    connect(&timer1_, &QTimer::timeout, this, &CDevManager::onTimer1);
    timer1_.start();
    timer2_.setSingleShot(true);
    timer2_.setInterval(kTimer2Ms);
    connect(&timer2_, &QTimer::timeout, this, &CDevManager::onSearch);
    timer2_.start();
    rebuildTree();
}

CDevManager::~CDevManager() {
    timer1_.stop();
    // The logic's destructor lets the device go.
}

void CDevManager::readCheckBoxes() {
    manager_.autoConnect = autoConnect_->isChecked() ? 1 : 0;
    manager_.simulator = simulator_->isChecked() ? 1 : 0;
}

void CDevManager::onSearch() {
    readCheckBoxes();
    manager_.search();
    refreshList();
    rebuildTree();
}

void CDevManager::onConnect() {
    manager_.selectionMark = list_->currentRow();
    manager_.connectSelected();
    refreshList();
    rebuildTree();
    emit connectionChanged();
}

void CDevManager::onDisconnect() {
    manager_.selectionMark = list_->currentRow();
    manager_.disconnectSelected();
    refreshList();
    emit connectionChanged();
}

void CDevManager::onTimer1() {
    const DeviceManager::TickResult result = manager_.tick();
    if (result.listChanged) {
        refreshList();
        rebuildTree();
    } else {
        refreshList();
    }
    readCheckBoxes();
    const bool connected = manager_.device().isConnected();
    if (connected != wasConnected_ || result.connected) emit connectionChanged();
    wasConnected_ = connected;
}

void CDevManager::refreshList() {
    const auto& devices = manager_.devices;
    QSignalBlocker block(list_);
    const int keep = list_->currentRow();
    list_->setRowCount(static_cast<int>(devices.size()));
    if (devices.size() == 1) manager_.selectedId = devices[0].deviceId;
    for (int row = 0; row < static_cast<int>(devices.size()); ++row) {
        const DeviceRowText t = deviceRowText(devices[row], row);
        const QString cells[4] = {QString::fromStdString(t.number), QString::fromStdString(t.model),
                                  QString::fromStdString(t.serial),
                                  QString::fromStdString(t.state)};
        for (int c = 0; c < 4; ++c) {
            QTableWidgetItem* item = list_->item(row, c);
            if (!item) list_->setItem(row, c, item = new QTableWidgetItem);
            if (item->text() != cells[c]) item->setText(cells[c]);
        }
    }
    int select = keep < static_cast<int>(devices.size()) ? keep : -1;
    for (int row = 0; row < static_cast<int>(devices.size()); ++row)
        if (devices[row].deviceId == manager_.selectedId) select = row;
    if (select >= 0) list_->selectRow(select);
    manager_.selectionMark = list_->currentRow();
}

void CDevManager::rebuildTree() {
    const auto& devices = manager_.devices;
    int row = list_->currentRow();
    if (row < 0 && !devices.empty()) {
        row = 0;
        QSignalBlocker block(list_);
        list_->selectRow(0);
        manager_.selectionMark = 0;
    }
    const SpectrometerInfo* info =
        row >= 0 && row < static_cast<int>(devices.size()) ? &devices[row] : nullptr;
    // With no device the tree keeps its line count and shows N/A.
    const unsigned protocol =
        info ? info->protocolVersion
             : (tree_->topLevelItemCount() && tree_->topLevelItem(0)->childCount() == 10 ? 0x102
                                                                                         : 0x101);
    const std::vector<std::string> lines = deviceTreeLines(info, protocol);
    QTreeWidgetItem* root = tree_->topLevelItemCount() ? tree_->topLevelItem(0) : nullptr;
    if (!root || root->childCount() != static_cast<int>(lines.size())) {
        tree_->clear();
        root = new QTreeWidgetItem(tree_, {text(DeviceStr::kTreeRoot)});
        root->setIcon(0, QIcon(QPixmap::fromImage(applicationImage(16))));
        for (size_t i = 0; i < lines.size(); ++i)
            new QTreeWidgetItem(root);
    }
    for (size_t i = 0; i < lines.size(); ++i)
        root->child(static_cast<int>(i))->setText(0, QString::fromStdString(lines[i]));
    root->setExpanded(true);
}

void CDevManager::closeEvent(QCloseEvent* event) {
    hide();
    event->ignore();
}
