#pragma once
// Shows the program's messages in real message boxes (installed once by the application).

class QWidget;

/// Routes showMessage() to QMessageBox; boxes without an owner belong to mainWindow (which may
/// be set later with setMessageOwner).
void installQtMessageHandler();
void setMessageOwner(QWidget* mainWindow);
