// The main window's layout: one row per component, in stored order.
#include "app/zav_amp_design.h"

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

const fw::DesignRow<TZAV_Amp> rows[] = {
    {fw::make<DisplayPanel, TZAV_Amp>, "Display", fw::place(14, 36, 140, 50), "ZAV Amp - 01"},
    {fw::make<fw::GraphicControl, TZAV_Amp>, "CBClose", fw::place(131, 17, 10, 10), "Close", &TZAV_Amp::CBCloseClick},
};

}  // namespace

std::span<const fw::DesignRow<TZAV_Amp>> zavAmpDesign() { return rows; }
