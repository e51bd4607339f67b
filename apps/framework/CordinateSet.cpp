#include "apps/framework/CordinateSet.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>
#include <cstdio>

#include "core/Messages.h"
#include "core/NumberParse.h"
#include "resources/AppsStrings.h"
#include "resources/StringTable.h"

namespace {
constexpr int kBoxIds[4] = {1030, 1031, 1032, 1033};

bool blank(const std::string& s) {
    return s.find_first_not_of(" \t") == std::string::npos;
}
}  // namespace

int checkCoordinateInput(const std::string& xMin, const std::string& xMax, const std::string& yMin,
                         const std::string& yMax, double values[4]) {
    if (blank(xMin) || blank(xMax)) return AppsStr::kInputXRange;
    if (blank(yMin) || blank(yMax)) return AppsStr::kInputYRange;
    values[0] = parseDoublePrefix(xMin);
    values[1] = parseDoublePrefix(xMax);
    values[2] = parseDoublePrefix(yMin);
    values[3] = parseDoublePrefix(yMax);
    if (values[0] > values[1]) return AppsStr::kXMaxBelowMin;
    if (values[3] < values[2]) return AppsStr::kYMaxBelowMin;
    return 0;
}

CCordinateSet::CCordinateSet(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QString::fromUtf8(loadString(AppsStr::kCoordinateTitle)));
    auto* layout = new QVBoxLayout(this);
    const int groupTitles[2] = {AppsStr::kXAxisRange, AppsStr::kYAxisRange};
    for (int g = 0; g < 2; ++g) {
        auto* group = new QGroupBox(QString::fromUtf8(loadString(groupTitles[g])), this);
        auto* grid = new QGridLayout(group);
        for (int k = 0; k < 2; ++k) {
            const int i = g * 2 + k;
            grid->addWidget(
                new QLabel(QString::fromUtf8(loadString(k == 0 ? AppsStr::kMin : AppsStr::kMax)),
                           group),
                0, k * 2);
            boxes_[i] = new QLineEdit(group);
            boxes_[i]->setObjectName(QString::number(kBoxIds[i]));
            grid->addWidget(boxes_[i], 0, k * 2 + 1);
        }
        layout->addWidget(group);
    }
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &CCordinateSet::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CCordinateSet::reject);
    layout->addWidget(buttons);
}

void CCordinateSet::setRanges(double x0, double x1, double y0, double y1) {
    const double v[4] = {x0, x1, y0, y1};
    for (int i = 0; i < 4; ++i) {
        char text[64];
        std::snprintf(text, sizeof text, "%.2f", v[i]);
        boxes_[i]->setText(text);
    }
    xMin = x0;
    xMax = x1;
    yMin = y0;
    yMax = y1;
}

void CCordinateSet::accept() {
    double v[4] = {};
    const int message =
        checkCoordinateInput(boxes_[0]->text().toStdString(), boxes_[1]->text().toStdString(),
                             boxes_[2]->text().toStdString(), boxes_[3]->text().toStdString(), v);
    if (message) {
        showMessage(loadString(message), MsgIcon::Warning, kMsgOk, this);
        return;
    }
    xMin = v[0];
    xMax = v[1];
    yMin = v[2];
    yMax = v[3];
    QDialog::accept();
}
