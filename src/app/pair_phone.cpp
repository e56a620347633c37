#include "app/pair_phone.h"

#include <algorithm>

#include "app/web_link.h"
#include "framework/design.h"

namespace app {

namespace {

using Row = fw::DesignRow<TFormaPair>;
using F = TFormaPair;
using fw::part;
using fw::place;

constexpr int clientWidth = 400;

std::function<void(fw::Component&)> label(const char* text, bool bold) {
    return fw::with<fw::Label>([=](fw::Label& l) {
        l.setText(text);
        l.setBold(bold);
    });
}

void closeButton(fw::Button& b) {
    b.setText("Close");
    b.setBold(true);
    b.setDefault(true);
    b.setTabOrder(0);
}

void everySecond(fw::Timer& t) {
    t.setInterval(1000);
    t.setEnabled(false);
}

// The code's picture on top, what it says beneath it, Close at the bottom.
const Row rows[] = {
    {part<&F::QrCode>, "QrCode", place(64, 12, 272, 272), "Scan this with the phone's camera", nullptr, nullptr},
    {part<&F::LabelAddress>, "LabelAddress", place(12, 292, 376, 15), "", nullptr, label("", false)},
    {part<&F::LabelCode>, "LabelCode", place(12, 314, 376, 15), "", nullptr, label("", true)},
    {part<&F::LabelValid>, "LabelValid", place(12, 336, 376, 15), "", nullptr, label("Valid for 2 minutes", false)},
    {part<&F::LabelPaired>, "LabelPaired", place(12, 358, 376, 15), "", nullptr, label("", true)},
    {part<&F::ButtonClose>, "ButtonClose", place(288, 384, 100, 28), "", &F::ButtonCloseClick,
     fw::with<fw::Button>(closeButton)},
    {part<&F::TimerValid>, "TimerValid", {}, "", &F::TimerValidTimer, fw::with<fw::Timer>(everySecond)},
};

}  // namespace

void QrPicture::setModules(web::QrModules modules) {
    modules_ = std::move(modules);
    invalidate();
}

void QrPicture::paint(fw::Canvas& canvas) {
    const int w = bounds().width(), h = bounds().height();
    canvas.setBrushStyle(fw::BrushStyle::solid);
    canvas.setBrushColor(fw::colors::white);
    canvas.fillRect({0, 0, w, h});
    if (modules_.size == 0) return;
    const int across = modules_.size + 2 * web::qrQuietZone;
    const int pixels = std::max(1, std::min(w, h) / across);
    const int left = (w - modules_.size * pixels) / 2, top = (h - modules_.size * pixels) / 2;
    canvas.setBrushColor(fw::colors::black);
    for (int y = 0; y < modules_.size; ++y)
        for (int x = 0; x < modules_.size; ++x)
            if (modules_.at(x, y))
                canvas.fillRect(fw::Rect::fromSize(left + x * pixels, top + y * pixels, pixels, pixels));
}

std::string codeText(const std::string& code) {
    return "Code: " + (code.size() == 6 ? code.substr(0, 3) + " " + code.substr(3) : code);
}

TFormaPair::TFormaPair(fw::Component* owner, WebLink& web) : fw::Form(owner, "FormaPair"), web_(web) {
    setCaption("Pair a phone");
    setBorderStyle(fw::BorderStyle::dialog);
    setClientSize({clientWidth, 424});
    centreOnScreen();
    fw::applyDesign<TFormaPair>(*this, rows);
    pairedSeen_ = web_.onPaired([this](const web::Phone& phone) {
        if (!visible()) return;
        paired_ = true;
        LabelPaired->setText("Paired: " + phone.name);
        LabelValid->setText("");
    });
}

TFormaPair::~TFormaPair() = default;

void TFormaPair::showCode(const std::string& address, const std::string& code) {
    const std::string link = address + "/pair#" + code;
    QrCode->setModules(web::qrCodeOf(link));
    LabelAddress->setText(link);
    LabelCode->setText(codeText(code));
    LabelValid->setText("Valid for 2 minutes");
    LabelPaired->setText("");
    paired_ = false;
}

bool TFormaPair::pair() {
    const auto address = web_.address();
    const auto code = address ? web_.openPairing() : std::nullopt;
    if (!code) return false;
    showCode(*address, *code);
    TimerValid->setEnabled(true);
    showModal();
    TimerValid->setEnabled(false);
    web_.closePairing();
    return true;
}

void TFormaPair::TimerValidTimer(fw::Component&) {
    // Expired, or used up by wrong tries: say so, rather than let a
    // phone try a code that no longer works.
    if (!paired_ && !web_.pairingOpen()) LabelValid->setText("No longer valid: close this window and pair again");
}

void TFormaPair::ButtonCloseClick(fw::Component&) { close(); }

}  // namespace app
