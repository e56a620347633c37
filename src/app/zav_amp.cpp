#include "app/zav_amp.h"

#include "app/zav_amp_design.h"
#include "framework/design.h"

TZAV_Amp::TZAV_Amp(fw::Component* owner) : fw::Form(owner, "ZAV_Amp") {
    setCaption("ZAV Amp - 01");
    setHint("ZAV Amp - 01");
    setBorderStyle(fw::BorderStyle::none);
    setClientSize({168, 311});
    setColor(fw::rgb(40, 44, 52));
    fw::applyDesign<TZAV_Amp>(*this, zavAmpDesign());
    centreOnScreen();
}

void TZAV_Amp::CBCloseClick(fw::Component&) { close(); }
