#pragma once
// What the main frame asks of an open measurement view. The views derive from this next to
// their widget class; a tab that does not is left alone by the view commands.

#include <string>

class IMeasurementView {
  public:
    virtual ~IMeasurementView() = default;
    /// Index of the view's data-file type (0 spectrum, 1 transmissivity, ...).
    virtual int fileType() const = 0;
    /// Writes what the view shows as a data file of its type at path; 1 on success (failures
    /// have shown their message).
    virtual int exportData(const std::string& path) = 0;
    /// True when the view's chart holds at least one series (the chart commands need one).
    virtual bool chartHasSeries() const = 0;
    /// A view command of the main frame (zoom, units, table view, ...); true when handled.
    virtual bool handleViewCommand(int commandId) = 0;
    /// Whether a view command applies now (enabled) and is checked (for example the current
    /// X unit).
    virtual bool viewCommandEnabled(int commandId) const = 0;
    virtual bool viewCommandChecked(int commandId) const = 0;
};
