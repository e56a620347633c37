#include "app/zav_amp.h"

#include "app/zav_amp_design.h"
#include "framework/application.h"
#include "framework/design.h"

namespace {

constexpr std::uint32_t receiverBaudRate = 9600;

}  // namespace

TZAV_Amp::TZAV_Amp(fw::Component* owner, app::Services& services) : fw::Form(owner, "ZAV_Amp"), services_(services) {
    setCaption("ZAV Amp - 01");
    setHint("ZAV Amp - 01");
    setBorderStyle(fw::BorderStyle::none);
    setClientSize({168, 311});
    setColor(fw::rgb(40, 44, 52));
    centreOnScreen();
    onCreate = [this](fw::Component& sender) { FormCreate(sender); };
    fw::applyDesign<TZAV_Amp>(*this, zavAmpDesign());
}

TZAV_Amp::~TZAV_Amp() = default;

widgets::TTrayComp& TZAV_Amp::TrayComp() const { return fw::component<widgets::TTrayComp>(*this, "TrayComp"); }

fw::Image& TZAV_Amp::IIR() const { return fw::component<fw::Image>(*this, "IIR"); }

void TZAV_Amp::FormCreate(fw::Component&) {
    TrackDigits.clear();
    app::LoadSettings(services_.configFile, services_.settings);
    if (services_.settings.TrayMode)
        Ascunde();
    else
        Arata();
    Activare();
}

void TZAV_Amp::Activare() {
    const app::Settings& s = services_.settings;
    if (s.IrEnabled && s.PortNumber != 0) {
        // A failed open has said so itself; the steps after it fail
        // quietly on the closed port, as they always have.
        services_.com.OpenComPort(s.PortNumber, receiverBaudRate);
        services_.com.SetReceiverPower(true);
        services_.receiver.startLoop();
        IIR().setVisible(false);
        services_.com.SendReceiverInit(true);
    } else {
        IIR().setVisible(true);
    }
}

void TZAV_Amp::Dezactivare() {
    // The loop stops (and is waited for) before the port goes, so no read
    // ever runs on a handle being closed.
    services_.receiver.stopLoop();
    services_.com.SetReceiverPower(false);
    services_.com.CloseComPort();
}

void TZAV_Amp::Ascunde() {
    widgets::TTrayComp& tray = TrayComp();
    tray.setShowInTaskBar(true);
    tray.setShowForm(false);
    tray.setShowIcon(true);
    tray.setHideApp(true);
}

void TZAV_Amp::Arata() {
    widgets::TTrayComp& tray = TrayComp();
    tray.setShowInTaskBar(false);
    tray.setShowForm(true);
    tray.setShowIcon(false);
    tray.setHideApp(false);
}

void TZAV_Amp::CBCloseClick(fw::Component&) {
    Dezactivare();
    close();
}

void TZAV_Amp::CBTrayBarClick(fw::Component&) { Ascunde(); }

void TZAV_Amp::CoolButtonShowClick(fw::Component&) { Arata(); }
