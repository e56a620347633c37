// The main window's layout: one row per component, in stored order.
#include "app/zav_amp_design.h"

#include "framework/application.h"
#include "framework/bitmap.h"
#include "framework/timer.h"
#include "widgets/cool_button.h"
#include "widgets/cool_form.h"

namespace {

using Row = fw::DesignRow<TZAV_Amp>;
using Z = TZAV_Amp;

fw::Component& skin(Z& form, const std::string& name) {
    return form.create<TCoolForm>(name, form.services().regions);
}
fw::Component& winampControl(Z& form, const std::string& name) {
    return form.create<TWinampControl>(name, form.services().player);
}
fw::Component& trayComp(Z& form, const std::string& name) {
    return form.create<widgets::TTrayComp>(name, form.services().tray);
}
fw::Component& activApp(Z& form, const std::string& name) {
    return form.create<TActivApp>(name, form.services().launcher);
}
fw::Component& audioMixer(Z& form, const std::string& name) {
    return form.create<TAudioMixer>(name, form.services().mixer);
}

// A missing or damaged picture leaves the control without one rather than
// stopping the program.
fw::Bitmap picture(fw::Host& host, const char* name, fw::Bitmap fallback = {}) {
    try {
        return fw::Bitmap::fromResource(host, name);
    } catch (const fw::BitmapError&) {
        return fallback;
    }
}

void skinProperties(fw::Component& c) {
    auto& s = static_cast<TCoolForm&>(c);
    fw::Host& host = s.form()->application().host();
    s.setLeft(0);
    s.setTop(0);
    s.setWidth(168);
    s.setHeight(311);
    s.setHint("ZAV Amp - 01");
    s.setPicture(picture(host, "SKIN"));
    s.ReadMask2(host.resource("MASK2").value_or(std::vector<std::uint8_t>(4, 0)));
}

// A status patch: plain silver, the colour of the skin's display area, so
// a shown patch hides the indicator painted beneath it.
void statusPatch(fw::Component& c) {
    auto& image = static_cast<fw::Image&>(c);
    image.setPicture(picture(image.form()->application().host(), "STATUSPATCH", fw::Bitmap(24, 17, fw::colors::silver)));
}

void trayProperties(fw::Component& c) {
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

void refreshTimer(fw::Component& c) { static_cast<fw::Timer&>(c).setInterval(500); }
void activAppProperties(fw::Component& c) { static_cast<TActivApp&>(c).setMainFormTitle("MyOtherApp"); }
void mixerProperties(fw::Component& c) { static_cast<TAudioMixer&>(c).setMixerId(0); }

void readout(TLCD99& lcd, int digits) {
    lcd.setDigitNum(digits);
    lcd.setDigitSpacing(1);
    lcd.setDotSpacing(1);
    lcd.setGapX(1);
    lcd.setGapY(1);
    lcd.setColor(fw::colors::silver);
    lcd.setOffColor(fw::colors::silver);
    lcd.setOnColor(fw::colors::black);
    lcd.setPreview(true);
}
void lcdTime(fw::Component& c) { readout(static_cast<TLCD99&>(c), 5); }
void lcdTrack(fw::Component& c) {
    auto& lcd = static_cast<TLCD99&>(c);
    readout(lcd, 4);
    lcd.setSegmentSize(1);
    lcd.setValue("0");
}

constexpr auto key = fw::make<TCoolButton, Z>;
constexpr auto image = fw::make<fw::Image, Z>;
using fw::place;

const Row rows[] = {
    {skin, "CoolFormWinamp", place(0, 0, 168, 311), "ZAV Amp - 01", nullptr, skinProperties},
    {key, "CBClose", place(131, 17, 10, 10), "Close", &Z::CBCloseClick},
    {key, "CBTrayBar", place(121, 17, 10, 10), "Tray bar mode", &Z::CBTrayBarClick},
    {winampControl, "WinampControl"},
    {key, "CBStop", place(83, 190, 25, 17), "Stop", &Z::CBStopClick},
    {key, "CBPause", place(52, 190, 27, 17), "Pause", &Z::CBPauseClick},
    {key, "CBPlay", place(20, 190, 25, 17), "Play", &Z::CBPlayClick},
    {key, "CBVolUp", place(116, 128, 25, 17), "Volum up", &Z::CBVolUpClick},
    {key, "CBVolDown", place(83, 128, 25, 17), "Volume down", &Z::CBVolDownClick},
    {key, "CBPrew", place(83, 148, 25, 17), "Previous track", &Z::CBPrewClick},
    {key, "CBNext", place(116, 148, 25, 17), "Next track", &Z::CBNextClick},
    {key, "CBRew", place(83, 168, 25, 17), "Rew", &Z::CBRewClick},
    {key, "CBFF", place(116, 168, 25, 17), "FF", &Z::CBFFClick},
    {key, "CBShufle", place(83, 209, 25, 17), "Shuffle", &Z::CBShufleClick},
    {key, "CBRepeat", place(116, 209, 25, 17), "Repeat", &Z::CBRepeatClick},
    {key, "CBStart", place(115, 107, 25, 17), "Open winamp", &Z::CBStartClick},
    {fw::make<fw::Timer, Z>, "TimerRefresh", {}, "", &Z::TimerRefreshTimer, refreshTimer},
    {trayComp, "TrayComp", {}, "", &Z::CoolButtonShowClick, trayProperties},
    {key, "CoolButtonShow", place(144, 24, 9, 9), "", &Z::CoolButtonShowClick},
    {activApp, "ActivApp", {}, "", nullptr, activAppProperties},
    {key, "CBSetIR", place(20, 168, 27, 17), "Setup IR", &Z::CBSetIRClick},
    {key, "CBTelefon", place(116, 190, 25, 17), "Mute", &Z::CBTelefonClick},
    {audioMixer, "AudioMixer", {}, "", nullptr, mixerProperties},
    {key, "CoolButton1", place(20, 148, 27, 17), "Try bar mode", &Z::CoolButton1Click},
    {key, "CBMP3_CDA", place(20, 128, 27, 17), "MP3/CDA"},
    {key, "CBNrTr", place(20, 228, 27, 17), "Enter selected track", &Z::CBNrTrClick},
    {key, "CB1", place(52, 228, 27, 17), "1", &Z::CB1Click},
    {key, "CB2", place(83, 228, 27, 17), "2", &Z::CB2Click},
    {key, "CB3", place(116, 228, 27, 17), "3", &Z::CB3Click},
    {key, "CB4", place(20, 246, 25, 17), "4", &Z::CB4Click},
    {key, "CB5", place(52, 246, 27, 17), "5", &Z::CB5Click},
    {key, "CB6", place(83, 246, 27, 17), "6", &Z::CB6Click},
    {key, "CB7", place(116, 246, 27, 17), "7", &Z::CB7Click},
    {key, "CB8", place(20, 264, 27, 17), "8", &Z::CB8Click},
    {key, "CB9", place(52, 264, 27, 17), "9", &Z::CB9Click},
    {key, "CB0", place(83, 264, 27, 17), "0", &Z::CB0Click},
    {key, "CBAnulare", place(116, 264, 27, 17), "Cancel selected track", &Z::CBAnulareClick},
    {image, "IPlay", place(19, 57, 12, 8), "Play", nullptr, statusPatch},
    {image, "IPause", place(19, 65, 12, 9), "Pause", nullptr, statusPatch},
    {image, "IStop", place(19, 73, 12, 9), "Stop", nullptr, statusPatch},
    {image, "IRepeat", place(82, 42, 12, 9), "Repeat", nullptr, statusPatch},
    {image, "INonRepeat", place(82, 50, 12, 5), "Repeat", nullptr, statusPatch},
    {image, "INonAleator", place(95, 42, 12, 8), "Shuffle", nullptr, statusPatch},
    {image, "IAleator", place(95, 49, 12, 9), "Shuffle", nullptr, statusPatch},
    {image, "IWOn", place(109, 40, 17, 17), "Winamp On/Off", nullptr, statusPatch},
    {image, "IMute", place(126, 40, 19, 17), "Mute", nullptr, statusPatch},
    {fw::make<TLCD99, Z>, "LCDTime", place(38, 61, 63, 19), "Time", nullptr, lcdTime},
    {fw::make<TLCD99, Z>, "LCDTrack", place(106, 69, 35, 12), "Song/Select", nullptr, lcdTrack},
    {image, "IIR", place(21, 40, 12, 17), "IR Disable", nullptr, statusPatch},
};

}  // namespace

std::span<const fw::DesignRow<TZAV_Amp>> zavAmpDesign() { return rows; }
