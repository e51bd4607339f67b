#pragma once
// The resources a new user gets when no installer laid them down: the resource file with its
// keys, the splash picture and the application icon.

#include <string>

#include "files/AppPaths.h"

/// When the resource folder is missing, creates it with the program's own resource file,
/// splash picture and icons, and reads setup.resources again. Returns true when it laid them
/// down.
bool layDownDefaultResources(AppSetup& setup);

/// The program's own splash picture (450 x 300), without the status and version texts.
class QImage;
QImage defaultSplashImage();
