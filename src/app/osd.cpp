#include "app/osd.h"

#include <algorithm>

namespace app {
namespace {

using PlayState = control::TWinampControl::PlayState;

constexpr fw::Color background = fw::colors::silver;
constexpr fw::Color ink = fw::colors::black;
// The unlit steps of the volume bar.
constexpr fw::Color dim = fw::colors::gray;

// As the remote's read-outs are set up, so that they look (and read) alike.
void readout(widgets::TLCD99& lcd, const fw::Rect& place, int digits) {
    lcd.setBounds(place);
    lcd.setDigitNum(digits);
    lcd.setDigitSpacing(1);
    lcd.setDotSpacing(1);
    lcd.setGapX(1);
    lcd.setGapY(1);
    lcd.setSegmentSize(OsdLayout::segmentSize);
    lcd.setColor(background);
    lcd.setOffColor(background);
    lcd.setOnColor(ink);
    // The face paints into the window's own buffer.
    lcd.setDoubleBuffer(false);
    lcd.setVisible(false);
}

}  // namespace

void OsdFace::setContent(const OsdContent& content) {
    if (content == content_) return;
    content_ = content;
    invalidate();
}

void OsdFace::paint(fw::Canvas& canvas) {
    const fw::Rect all = fw::Rect::fromSize(0, 0, bounds().width(), bounds().height());
    canvas.setBrushStyle(fw::BrushStyle::solid);
    canvas.setBrushColor(background);
    canvas.setPenColor(ink);
    canvas.rectangle(all);
    fw::Font font;
    font.bold = true;
    font.color = ink;
    canvas.setFont(font);
    canvas.setBrushStyle(fw::BrushStyle::clear);
    canvas.drawText(OsdLayout::title, content_.title, fw::textLeft | fw::textVCenter | fw::textSingleLine);
    canvas.setBrushStyle(fw::BrushStyle::solid);
    paintMark(canvas);
    paintBar(canvas);
    for (widgets::TLCD99* lcd : {&time_, &number_}) {
        if (!lcd->visible()) continue;
        const fw::ViewportScope place(canvas, lcd->bounds());
        lcd->paint(canvas);
    }
}

void OsdFace::paintMark(fw::Canvas& canvas) const {
    const fw::Rect m = OsdLayout::mark;
    canvas.setPenColor(ink);
    canvas.setBrushColor(ink);
    if (content_.state) {
        switch (*content_.state) {
            case PlayState::playing: {
                const fw::Point play[] = {{m.left + 2, m.top}, {m.left + 15, m.top + 8}, {m.left + 2, m.top + 15}};
                canvas.polygon(play);
                break;
            }
            case PlayState::paused:
                canvas.fillRect(fw::Rect::fromSize(m.left + 2, m.top, 5, 16));
                canvas.fillRect(fw::Rect::fromSize(m.left + 10, m.top, 5, 16));
                break;
            case PlayState::stopped:
                canvas.fillRect(fw::Rect::fromSize(m.left + 1, m.top + 1, 14, 14));
                break;
        }
        return;
    }
    if (!content_.muted) return;
    // A loudspeaker, crossed out while the output is muted.
    const fw::Point speaker[] = {{m.left, m.top + 5},      {m.left + 4, m.top + 5},  {m.left + 9, m.top},
                                 {m.left + 9, m.top + 15}, {m.left + 4, m.top + 10}, {m.left, m.top + 10}};
    canvas.polygon(speaker);
    if (*content_.muted) {
        for (int i = 0; i < 6; ++i) {
            canvas.fillRect(fw::Rect::fromSize(m.left + 10 + i, m.top + 5 + i, 1, 1));
            canvas.fillRect(fw::Rect::fromSize(m.left + 15 - i, m.top + 5 + i, 1, 1));
        }
    }
}

void OsdFace::paintBar(fw::Canvas& canvas) const {
    if (!content_.percent) return;
    const fw::Rect b = OsdLayout::bar;
    const int steps = OsdLayout::barSteps, w = b.width() / steps;
    // A step lit for every 5 percent, the last one at 100 (rounded).
    const int lit = std::clamp((*content_.percent * steps + 50) / 100, 0, steps);
    for (int i = 0; i < steps; ++i) {
        canvas.setBrushColor(i < lit ? ink : dim);
        // Rising, like a volume wedge.
        const int h = b.height() * (i + 4) / (steps + 3);
        canvas.fillRect(fw::Rect::fromSize(b.left + i * w, b.bottom - h, w - 1, h));
    }
}

TOsd::TOsd(fw::Component* owner)
    : fw::Form(owner, "Osd"),
      LCDTime(new widgets::TLCD99(nullptr, "LCDTime")),
      LCDNumber(new widgets::TLCD99(nullptr, "LCDNumber")),
      time_(LCDTime),
      number_(LCDNumber) {
    setCaption("ZAV Amp - OSD");
    setBorderStyle(fw::BorderStyle::overlay);
    setClientSize(OsdLayout::client);
    setColor(background);
    Face = &create<OsdFace>("Face", *LCDTime, *LCDNumber);
    Face->setBounds(fw::Rect::fromSize(0, 0, OsdLayout::client.width, OsdLayout::client.height));
    // A click on it puts it away.
    Face->onClick = [this](fw::Component&) { hide(); };
    readout(*LCDTime, OsdLayout::time, OsdLayout::timeDigits);
    readout(*LCDNumber, OsdLayout::number, OsdLayout::numberDigits);
    LabelSong = &create<fw::Label>("LabelSong");
    LabelSong->setBounds(OsdLayout::song);
    LabelSong->setVisible(false);
    TimerHide = &create<fw::Timer>("TimerHide");
    TimerHide->setEnabled(false);
    TimerHide->setInterval(OsdLayout::hideAfterMs);
    TimerHide->bindHandler([this](fw::Component& sender) { TimerHideTimer(sender); });
    finishCreate();
}

void TOsd::showContent(const OsdContent& content) {
    content_ = content;
    Face->setContent(content);
    LCDTime->setVisible(content.time.has_value() && !content.percent);
    if (content.time) LCDTime->setValue(*content.time);
    LCDNumber->setVisible(content.number.has_value());
    if (content.number) LCDNumber->setValue(*content.number);
    LabelSong->setText(content.song.value_or(""));
    LabelSong->setVisible(content.song.has_value());
    const fw::Size size{OsdLayout::client.width, OsdLayout::client.height + (content.song ? OsdLayout::songHeight : 0)};
    const bool resized = size.height != clientSize().height;
    if (resized) setClientSize(size);
    if (!visible() || resized) {
        placeBottomRight(OsdLayout::margin);
        show();
    }
    // Counted afresh from this command.
    TimerHide->setEnabled(false);
    TimerHide->setEnabled(true);
}

void TOsd::TimerHideTimer(fw::Component&) {
    hide();
}

void TOsd::visibilityChanged() {
    // Nothing runs while nothing is shown.
    if (!visible()) TimerHide->setEnabled(false);
}

}  // namespace app
