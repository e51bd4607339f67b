#pragma once
// The main frame's data-file commands: "Import Data" (32803), "Export Data" (32804) and
// "Record Manager" (32817). They act on the active measurement view's file type, or on the
// live spectrum with type 0 while no view is open. UI thread.

class CMainFrame;
class CRecordManage;

/// Registers the three commands, installs the data-file writer of the record and the Qt file
/// dialogs. Called once at start-up, before the main frame is created.
void registerDataFileCommands();

/// The file type of the active view, 0 when none is active.
int activeFileType(CMainFrame& frame);

/// What the commands do (the registered handlers call these). Each returns 1 when it did its
/// work (a file imported or written, the window shown), 0 otherwise.
int runImportCommand(CMainFrame& frame);
int runExportCommand(CMainFrame& frame);
CRecordManage* runRecordManager(CMainFrame& frame);
