// The main window's layout: one row per component, in stored order.
#include "app/zav_amp_design.h"

#include "framework/bitmap.h"
#include "framework/control.h"

namespace {

// The display area of the remote, until the skin picture paints it.
class DisplayPanel : public fw::GraphicControl {
public:
    using fw::GraphicControl::GraphicControl;
    void paint(fw::Canvas& canvas) override {
        canvas.setBrushColor(fw::colors::silver);
        canvas.setPenColor(fw::colors::black);
        canvas.rectangle({0, 0, bounds().width(), bounds().height()});
        canvas.setFont({"MS Sans Serif", 13, true, fw::colors::black});
        canvas.drawText({0, 0, bounds().width(), bounds().height()}, "ZAV Amp - 01",
                        fw::textCenter | fw::textVCenter | fw::textSingleLine);
    }
};

fw::Component& makeTrayComp(TZAV_Amp& form, const std::string& name) {
    return form.create<widgets::TTrayComp>(name, form.services().tray);
}

// A status patch: plain silver, the colour of the skin's display area, so
// a shown patch hides the indicator painted beneath it.
void statusPatch(fw::Component& c) { static_cast<fw::Image&>(c).setPicture(fw::Bitmap(24, 17, fw::colors::silver)); }

void trayComp(fw::Component& c) {
    auto& tray = static_cast<widgets::TTrayComp&>(c);
    tray.setHideApp(true);
    tray.setShowForm(false);
    tray.setShowInTaskBar(true);
    tray.setRunMinimized(true);
    tray.setShowIcon(true);
    tray.setIcon(tray.iconResource("TRAYICON"));
    tray.setToolTip("ZAV Amp - 01");
    tray.setDefRClick(true);
}

using Row = fw::DesignRow<TZAV_Amp>;
const Row rows[] = {
    {fw::make<DisplayPanel, TZAV_Amp>, "Display", fw::place(14, 36, 140, 50), "ZAV Amp - 01"},
    {fw::make<fw::GraphicControl, TZAV_Amp>, "CBClose", fw::place(131, 17, 10, 10), "Close", &TZAV_Amp::CBCloseClick},
    {fw::make<fw::GraphicControl, TZAV_Amp>, "CBTrayBar", fw::place(121, 17, 10, 10), "Tray bar mode",
     &TZAV_Amp::CBTrayBarClick},
    {makeTrayComp, "TrayComp", {}, "", &TZAV_Amp::CoolButtonShowClick, trayComp},
    {fw::make<fw::GraphicControl, TZAV_Amp>, "CoolButtonShow", fw::place(144, 24, 9, 9), "",
     &TZAV_Amp::CoolButtonShowClick},
    {fw::make<fw::Image, TZAV_Amp>, "IIR", fw::place(21, 40, 12, 17), "IR Disable", nullptr, statusPatch},
};

}  // namespace

std::span<const fw::DesignRow<TZAV_Amp>> zavAmpDesign() { return rows; }
