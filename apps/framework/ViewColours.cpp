#include "apps/framework/ViewColours.h"

#include "apps/framework/BaseView.h"
#include "apps/framework/ViewContext.h"
#include "files/Settings.h"

void applyBackgroundColour(IViewContext& context, QWidget* view, int colour) {
    context.settings().bkColor = colour;
    if (auto* v = dynamic_cast<CBaseView*>(view)) {
        v->setViewColours(viewColoursFrom(colour));
        v->update();
    }
    context.settings().writeBkColor();
}
