#include "shell/settings/SpinArrows.h"

#include <QToolButton>
#include <QVBoxLayout>

SpinArrows::SpinArrows(QWidget* parent) : QWidget(parent) {
    up_ = new QToolButton(this);
    down_ = new QToolButton(this);
    up_->setArrowType(Qt::UpArrow);
    down_->setArrowType(Qt::DownArrow);
    for (QToolButton* b : {up_, down_}) {
        b->setAutoRepeat(true);
        b->setFocusPolicy(Qt::NoFocus);
        b->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
    }
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(up_);
    layout->addWidget(down_);
    connect(up_, &QToolButton::clicked, this, &SpinArrows::pressUp);
    connect(down_, &QToolButton::clicked, this, &SpinArrows::pressDown);
}

void SpinArrows::setRange(int lower, int upper) {
    lower_ = lower;
    upper_ = upper;
}

void SpinArrows::pressUp() {
    emit stepped(upper_ >= lower_ ? 1 : -1);
}

void SpinArrows::pressDown() {
    emit stepped(upper_ >= lower_ ? -1 : 1);
}
