// TZAV_Amp: the main window of the remote control, a borderless form the
// size of the skin. It owns the receiver's activation and the switch
// between the window and the notification area.
#pragma once

#include <string>

#include "app/services.h"
#include "framework/control.h"
#include "framework/form.h"
#include "widgets/tray_comp.h"

class TZAV_Amp : public fw::Form {
public:
    TZAV_Amp(fw::Component* owner, app::Services& services);
    ~TZAV_Amp() override;

    app::Services& services() const { return services_; }

    // Creation handler: settings, window or tray mode, receiver.
    void FormCreate(fw::Component& sender);

    void Activare();
    void Dezactivare();
    void Ascunde();
    void Arata();

    void CBCloseClick(fw::Component& sender);
    void CBTrayBarClick(fw::Component& sender);
    void CoolButtonShowClick(fw::Component& sender);

    // The digits typed on the key pad.
    std::string TrackDigits;

    widgets::TTrayComp& TrayComp() const;
    fw::Image& IIR() const;

private:
    app::Services& services_;
};
