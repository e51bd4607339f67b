#include "shell/app/QtMessages.h"

#include <QApplication>
#include <QMessageBox>
#include <QPointer>
#include <QWidget>

#include "core/Messages.h"

namespace {

QPointer<QWidget> g_owner;

QMessageBox::Icon iconOf(MsgIcon icon) {
    switch (icon) {
        case MsgIcon::Information:
            return QMessageBox::Information;
        case MsgIcon::Warning:
            return QMessageBox::Warning;
        case MsgIcon::Error:
            return QMessageBox::Critical;
        case MsgIcon::Question:
            return QMessageBox::Question;
        default:
            return QMessageBox::NoIcon;
    }
}

int show(const MessageRequest& r) {
    QWidget* owner = r.owner ? static_cast<QWidget*>(r.owner) : g_owner.data();
    QMessageBox box(iconOf(r.icon), QString::fromStdString(r.caption),
                    QString::fromStdString(r.text), QMessageBox::NoButton, owner);
    if (r.buttons == kMsgYesNo) {
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
    } else if (r.buttons == kMsgOkCancel) {
        box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
    } else {
        box.setStandardButtons(QMessageBox::Ok);
    }
    switch (box.exec()) {
        case QMessageBox::Yes:
            return kMsgAnswerYes;
        case QMessageBox::No:
            return kMsgAnswerNo;
        case QMessageBox::Cancel:
            return kMsgAnswerCancel;
        default:
            return kMsgAnswerOk;
    }
}

}  // namespace

void installQtMessageHandler() {
    setMessageHandler(show);
}

void setMessageOwner(QWidget* mainWindow) {
    g_owner = mainWindow;
}
