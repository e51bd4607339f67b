#pragma once
// The main frame's colour rule for views: the chart background the user chose, its inverse
// for the axes and texts, a grid between the two.

class IViewContext;
class QWidget;

/// Stores colour (0x00BBGGRR) as the current BkColor, gives view its background, foreground
/// and grid colour (the next redraw passes them to the chart) and writes [Display] BkColor.
/// A view that is no measurement view only has the colour stored.
void applyBackgroundColour(IViewContext& context, QWidget* view, int colour);
