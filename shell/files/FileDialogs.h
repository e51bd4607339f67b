#pragma once
// The common open and save dialogs of the data-file commands, behind one function each so that
// tests answer them without a window (like setMessageHandler of core/Messages.h). Filters use
// the "Name (*.a;*.b)|*.a;*.b|All Files(*.*)|*.*|" form; the Qt dialogs get them converted.

#include <functional>
#include <string>

using OpenFileAsker = std::function<std::string(const std::string& title, const std::string& folder,
                                                const std::string& filter)>;

/// Replaces the open-file asker and returns the previous one.
OpenFileAsker setOpenFileAsker(OpenFileAsker asker);
/// The chosen path, empty when cancelled.
std::string askOpenFileName(const std::string& title, const std::string& folder,
                            const std::string& filter);

/// Installs the QFileDialog askers for opening and for saving (buildExportPath) where no asker
/// is installed yet.
void installQtFileDialogs();

/// "A (*.x;*.txt)|*.x;*.txt|All Files(*.*)|*.*|" -> "A (*.x *.txt);;All Files(*.*) (*.*)".
std::string qtFileFilter(const std::string& pipes);
