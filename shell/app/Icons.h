#pragma once
// The program's own drawn icons: toolbar buttons by command id, the connection indicator and
// the application icon.

#include <QIcon>
#include <QImage>
#include <QPixmap>

/// Toolbar and menu icon of a command (32 x 30 image, drawn at twice that size).
QIcon commandIcon(int command);
/// The status bar's connected (green) or disconnected (red) indicator.
QPixmap connectionPixmap(bool connected, int size = 16);
/// The application icon, square, size pixels.
QImage applicationImage(int size);
