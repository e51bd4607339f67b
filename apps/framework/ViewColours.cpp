#include "apps/framework/ViewColours.h"

#include "apps/framework/BaseView.h"
#include "shell/app/MainFrame.h"

void applyBackgroundColour(CMainFrame& frame, QWidget* view, int colour) {
    frame.settings().bkColor = colour;
    if (auto* v = dynamic_cast<CBaseView*>(view)) {
        v->setViewColours(viewColoursFrom(colour));
        v->update();
    }
    frame.settings().writeBkColor();
}
