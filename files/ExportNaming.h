#pragma once
// Names of exported files: asked from the user ("Customised") or built from the export
// settings (target folder, base name, time stamp or running number). UI thread only.
//
// No rule silently replaces an earlier export: the running number goes on past 999, and a
// time-stamped name that exists already gets "_2", "_3", ... before ".txt".

#include <functional>
#include <string>

class CSettings;

/// Asks for a file name to save: title, initial folder, filter in the "Name (*.x)|*.x|...|"
/// form. Returns the chosen path, empty when cancelled. Installed by the window layer.
using SaveNameAsker = std::function<std::string(const std::string& title, const std::string& folder,
                                                const std::string& filter)>;

/// Replaces the asker used by buildExportPath(type, CSettings) and returns the previous one.
/// Without one, Customised exports are cancelled.
SaveNameAsker setSaveNameAsker(SaveNameAsker asker);
const SaveNameAsker& saveNameAsker();

struct ExportNameSettings {
    std::string targetDir;  ///< export folder (already resolved to the Record folder if empty)
    std::string baseName;   ///< may be empty
    int fileSuffix = 2;     ///< 0 Timestamp, 1 File Count, 2 Customised
};

/// "Export <type name>" (the common view export).
std::string exportDialogTitle(int type);
/// "<type name>(*<ext>;*.txt)|*<ext>;*.txt|All Files(*.*)|*.*|".
std::string exportDialogFilter(int type);
/// "Import <type name>".
std::string importDialogTitle(int type);
/// "<type name> (*<ext>;*.txt)|*<ext>;*.txt|All Files(*.*)|*.*|".
std::string importDialogFilter(int type);
/// "Export <type name> File" and "<type name> File(*<ext>;*.txt)|..." of the color, power and
/// concentration views.
std::string tableExportDialogTitle(int type);
std::string tableExportDialogFilter(int type);

/// A chosen name containing ".txt" anywhere stays as it is; otherwise ".txt" is appended.
std::string withTxtSuffix(const std::string& chosen);

/// One more than the highest n for which base + "_%03d.txt" exists (1 when none). Numbers past
/// 999 are found too, so the count never wraps onto an existing file.
int nextFileCount(const std::string& base);

/// The path the export of type goes to, or empty when the user cancels a Customised dialog.
/// title and filter: the dialog's (empty: the common view export's). now: local time used for
/// Timestamp names ("%Y-%m-%d_%H-%M-%S"); empty means the clock.
std::string buildExportPath(int type, const ExportNameSettings& settings, const SaveNameAsker& ask,
                            const std::string& title = {}, const std::string& filter = {},
                            const std::string& now = {});

/// The same with the settings of the main frame (TargetDir empty: the Record folder) and the
/// installed asker; what the views call.
std::string buildExportPath(int type, const CSettings& settings, const std::string& title = {},
                            const std::string& filter = {});

/// The fixed sample of the Options dialog: "<base>_" then "15-16-35-568.txt", "001.txt" or
/// nothing, by suffix rule.
std::string exportNamePreview(const std::string& baseName, int fileSuffix);
