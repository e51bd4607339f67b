#pragma once
// The ten kinds of measurement view the main frame can open, in template order. A kind whose
// view is not built into this program has no factory.

#include <functional>

class IViewContext;
class QWidget;

struct ViewTemplate {
    const char* viewClass;                          ///< e.g. "CCorvaneView"
    std::function<QWidget*(IViewContext&)> create;  ///< null when not available
};

inline constexpr int kViewTemplateCount = 10;

/// The registered templates (registration happens once at start-up).
ViewTemplate* viewTemplates();
/// Installs the factory of template index; used by the measurement views' libraries.
void registerViewFactory(int index, std::function<QWidget*(IViewContext&)> create);
