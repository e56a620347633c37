// The main window's layout: one row per component, in stored order.
#include "app/zav_amp_design.h"

#include "framework/application.h"
#include "framework/bitmap.h"

namespace app {
namespace {

using Row = fw::DesignRow<TZAV_Amp>;
using Z = TZAV_Amp;
using fw::part;
using fw::place;
using fw::with;

// The parts that work through the program's services. The player, the
// activator and the mixer are the remote's (app::Remote), not the window's.
fw::Component& skin(Z& form, const std::string& name) {
    return fw::bindPart<&Z::CoolFormWinamp>(form, form.create<widgets::TCoolForm>(name, form.platform().regions));
}
fw::Component& trayComp(Z& form, const std::string& name) {
    return fw::bindPart<&Z::TrayComp>(form, form.create<widgets::TTrayComp>(name, form.platform().tray));
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

void skinProperties(widgets::TCoolForm& s) {
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
void statusPatch(fw::Image& image) {
    image.setPicture(
        picture(image.form()->application().host(), "STATUSPATCH", fw::Bitmap(24, 17, fw::colors::silver)));
}

void trayProperties(widgets::TTrayComp& tray) {
    tray.setHideApp(true);
    tray.setShowForm(false);
    tray.setShowInTaskBar(true);
    tray.setRunMinimized(true);
    tray.setShowIcon(true);
    tray.setIcon(tray.iconResource("TRAYICON"));
    tray.setToolTip("ZAV Amp - 01");
    tray.setDefRClick(true);
}

void keyLookTimer(fw::Timer& t) {
    t.setEnabled(false);
    t.setInterval(HeldKeys::pressedLookMs);
}

void readout(widgets::TLCD99& lcd, int digits) {
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
void lcdTime(widgets::TLCD99& lcd) {
    readout(lcd, 5);
}
void lcdTrack(widgets::TLCD99& lcd) {
    readout(lcd, 4);
    lcd.setSegmentSize(1);
    lcd.setValue("0");
}

const auto patch = with<fw::Image>(statusPatch);

const Row rows[] = {
    {skin, "CoolFormWinamp", place(0, 0, 168, 311), "ZAV Amp - 01", nullptr,
     with<widgets::TCoolForm>(skinProperties)},
    {part<&Z::CBClose>, "CBClose", place(131, 17, 10, 10), "Close", &Z::CBCloseClick},
    {part<&Z::CBTrayBar>, "CBTrayBar", place(121, 17, 10, 10), "Tray bar mode", &Z::CBTrayBarClick},
    {part<&Z::CBStop>, "CBStop", place(83, 190, 25, 17), "Stop", &Z::CommandKeyClick},
    {part<&Z::CBPause>, "CBPause", place(52, 190, 27, 17), "Pause", &Z::CommandKeyClick},
    {part<&Z::CBPlay>, "CBPlay", place(20, 190, 25, 17), "Play", &Z::CommandKeyClick},
    {part<&Z::CBVolUp>, "CBVolUp", place(116, 128, 25, 17), "Volum up", &Z::CommandKeyClick},
    {part<&Z::CBVolDown>, "CBVolDown", place(83, 128, 25, 17), "Volume down", &Z::CommandKeyClick},
    {part<&Z::CBPrew>, "CBPrew", place(83, 148, 25, 17), "Previous track", &Z::CommandKeyClick},
    {part<&Z::CBNext>, "CBNext", place(116, 148, 25, 17), "Next track", &Z::CommandKeyClick},
    {part<&Z::CBRew>, "CBRew", place(83, 168, 25, 17), "Rew", &Z::CommandKeyClick},
    {part<&Z::CBFF>, "CBFF", place(116, 168, 25, 17), "FF", &Z::CommandKeyClick},
    {part<&Z::CBShufle>, "CBShufle", place(83, 209, 25, 17), "Shuffle", &Z::CommandKeyClick},
    {part<&Z::CBRepeat>, "CBRepeat", place(116, 209, 25, 17), "Repeat", &Z::CommandKeyClick},
    {part<&Z::CBStart>, "CBStart", place(115, 107, 25, 17), "Open winamp", &Z::CommandKeyClick},
    {trayComp, "TrayComp", {}, "", &Z::CoolButtonShowClick, with<widgets::TTrayComp>(trayProperties)},
    {part<&Z::CoolButtonShow>, "CoolButtonShow", place(144, 24, 9, 9), "", &Z::CoolButtonShowClick},
    {part<&Z::CBSetIR>, "CBSetIR", place(20, 168, 27, 17), "Setup IR", &Z::CBSetIRClick},
    {part<&Z::CBTelefon>, "CBTelefon", place(116, 190, 25, 17), "Mute", &Z::CommandKeyClick},
    {part<&Z::CoolButton1>, "CoolButton1", place(20, 148, 27, 17), "Try bar mode", &Z::CoolButton1Click},
    {part<&Z::CBMP3_CDA>, "CBMP3_CDA", place(20, 128, 27, 17), "MP3/CDA"},
    {part<&Z::CBNrTr>, "CBNrTr", place(20, 228, 27, 17), "Enter selected track", &Z::CommandKeyClick},
    {part<&Z::CB1>, "CB1", place(52, 228, 27, 17), "1", &Z::CommandKeyClick},
    {part<&Z::CB2>, "CB2", place(83, 228, 27, 17), "2", &Z::CommandKeyClick},
    {part<&Z::CB3>, "CB3", place(116, 228, 27, 17), "3", &Z::CommandKeyClick},
    {part<&Z::CB4>, "CB4", place(20, 246, 25, 17), "4", &Z::CommandKeyClick},
    {part<&Z::CB5>, "CB5", place(52, 246, 27, 17), "5", &Z::CommandKeyClick},
    {part<&Z::CB6>, "CB6", place(83, 246, 27, 17), "6", &Z::CommandKeyClick},
    {part<&Z::CB7>, "CB7", place(116, 246, 27, 17), "7", &Z::CommandKeyClick},
    {part<&Z::CB8>, "CB8", place(20, 264, 27, 17), "8", &Z::CommandKeyClick},
    {part<&Z::CB9>, "CB9", place(52, 264, 27, 17), "9", &Z::CommandKeyClick},
    {part<&Z::CB0>, "CB0", place(83, 264, 27, 17), "0", &Z::CommandKeyClick},
    {part<&Z::CBAnulare>, "CBAnulare", place(116, 264, 27, 17), "Cancel selected track", &Z::CommandKeyClick},
    {part<&Z::IPlay>, "IPlay", place(19, 57, 12, 8), "Play", nullptr, patch},
    {part<&Z::IPause>, "IPause", place(19, 65, 12, 9), "Pause", nullptr, patch},
    {part<&Z::IStop>, "IStop", place(19, 73, 12, 9), "Stop", nullptr, patch},
    {part<&Z::IRepeat>, "IRepeat", place(82, 42, 12, 9), "Repeat", nullptr, patch},
    {part<&Z::INonRepeat>, "INonRepeat", place(82, 50, 12, 5), "Repeat", nullptr, patch},
    {part<&Z::INonAleator>, "INonAleator", place(95, 42, 12, 8), "Shuffle", nullptr, patch},
    {part<&Z::IAleator>, "IAleator", place(95, 49, 12, 9), "Shuffle", nullptr, patch},
    {part<&Z::IWOn>, "IWOn", place(109, 40, 17, 17), "Winamp On/Off", nullptr, patch},
    {part<&Z::IMute>, "IMute", place(126, 40, 19, 17), "Mute", nullptr, patch},
    {part<&Z::LCDTime>, "LCDTime", place(38, 61, 63, 19), "Time", nullptr, with<widgets::TLCD99>(lcdTime)},
    {part<&Z::LCDTrack>, "LCDTrack", place(106, 69, 35, 12), "Song/Select", nullptr,
     with<widgets::TLCD99>(lcdTrack)},
    {part<&Z::IIR>, "IIR", place(21, 40, 12, 17), "IR Disable", nullptr, patch},
    {part<&Z::TimerKeyLook>, "TimerKeyLook", {}, "", &Z::TimerKeyLookTimer, with<fw::Timer>(keyLookTimer)},
};

// A key and its command, with the maker of its row.
template <auto Member>
constexpr CommandKey key(const char* command) {
    return {Member, command, &part<Member>};
}

const CommandKey keys[] = {
    key<&Z::CBStart>("OPEN WINAMP"),  key<&Z::CBPlay>("PLAY"),         key<&Z::CBPause>("PAUSE"),
    key<&Z::CBStop>("STOP"),          key<&Z::CBTelefon>("MUTE"),      key<&Z::CBRew>("REW"),
    key<&Z::CBFF>("FF"),              key<&Z::CBPrew>("PREVIOUS SONG"), key<&Z::CBNext>("NEXT SONG"),
    key<&Z::CBVolUp>("VOLUME UP"),    key<&Z::CBVolDown>("VOLUME DOWN"), key<&Z::CBRepeat>("REPEAT"),
    key<&Z::CBShufle>("SHUFFLE"),     key<&Z::CBNrTr>("ENTER"),        key<&Z::CB1>("TASTE 1"),
    key<&Z::CB2>("TASTE 2"),          key<&Z::CB3>("TASTE 3"),         key<&Z::CB4>("TASTE 4"),
    key<&Z::CB5>("TASTE 5"),          key<&Z::CB6>("TASTE 6"),         key<&Z::CB7>("TASTE 7"),
    key<&Z::CB8>("TASTE 8"),          key<&Z::CB9>("TASTE 9"),         key<&Z::CB0>("TASTE 0"),
    key<&Z::CBAnulare>("CANCEL"),
};

}  // namespace

std::span<const fw::DesignRow<TZAV_Amp>> zavAmpDesign() {
    return rows;
}

std::span<const CommandKey> commandKeys() {
    return keys;
}

}  // namespace app
