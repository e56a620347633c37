#include "widgets/lcd99.h"

#include <memory>

#include "framework/application.h"
#include "framework/form.h"

namespace widgets {

TLCD99::TLCD99(fw::Component* owner, std::string name) : fw::CustomControl(owner, std::move(name)) {
    setColor(fw::colors::black);
    setBounds(fw::Rect::fromSize(0, 0, 92, 34));
}

std::uint32_t TLCD99::now() {
    // A read-out outside an application (a tool measuring its geometry)
    // has no clock and never animates.
    fw::Application* app = fw::Application::find(this);
    return app ? app->host().tickCount() : 0;
}

void TLCD99::setAbout(TLCDAbout v) {
    if (v != TLCDAbout::abAbout) return;
    if (form()) {
        fw::Application& app = form()->application();
        app.messageBox(
            "TLCD Component v1.81 (12/08/2001)\r\r"
            "Seven-segment read-out of the ZAV Amp remote.\r\r"
            "Built with the project's own framework and the Win32 API.",
            app.title(), fw::MessageIcon::information);
    }
    invalidate();
}

void TLCD99::setValue(const std::string& text) {
    if (text == value_) return;
    std::string v = text;
    for (char& c : v)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    for (char c : v)
        if (maskIndex(c) < 0 && c != '.' && c != ' ') {
            v.clear();
            break;
        }
    if (!v.empty() && v.back() == '.') v.pop_back();
    const std::string old = value_;
    value_ = v;
    if (OnChange) OnChange(*this, old, value_);
    // The change is shown from here, painted or not: an animated one steps
    // on its own timer, anything else is complete at once.
    startAnimation();
    invalidate();
}

void TLCD99::SplitDots(const std::string& value, std::string& cells, std::string& points) {
    cells.clear();
    points.clear();
    bool pending = false;
    for (char c : value) {
        if (c != '.') {
            if (!pending)
                points.push_back(' ');
            else
                pending = false;
            cells.push_back(c);
        } else {
            points.push_back('.');
            if (pending)
                cells.push_back(' ');
            else
                pending = true;
        }
    }
}

void TLCD99::padLeft(std::string& s) const {
    if (static_cast<std::int32_t>(s.size()) < digitNum_)
        s.insert(0, static_cast<std::size_t>(digitNum_) - s.size(), ' ');
}

void TLCD99::DrawPass(fw::Canvas& canvas, const LcdGeometry& g, const std::string& cells,
                      const std::string& points, const std::string& oldCells, const std::string& oldPoints,
                      int style, int steps, bool changedOnly) {
    canvas.setBrushStyle(fw::BrushStyle::solid);
    for (int i = 1; i <= digitNum_; ++i) {
        const auto k = static_cast<std::size_t>(i - 1);
        if (changedOnly && points[k] == oldPoints[k]) continue;
        drawPoint(canvas, g, i, points[k] == '.');
    }
    for (int step = 1; step <= steps; ++step) {
        const int s = SegmentOrder[static_cast<std::size_t>(style)][static_cast<std::size_t>(step - 1)];
        for (int i = 1; i <= digitNum_; ++i) {
            const auto k = static_cast<std::size_t>(i - 1);
            if (changedOnly && cells[k] == oldCells[k]) continue;
            const int row = maskIndex(cells[k]);
            const bool isLit =
                row >= 0 && SegmentMasks[static_cast<std::size_t>(row)][static_cast<std::size_t>(s - 1)];
            drawSegment(canvas, g, i, s, cells[k], isLit);
        }
    }
}

void TLCD99::drawChange(fw::Canvas& canvas, const LcdGeometry& g, const std::string& from,
                        const std::string& to, int style, int steps) {
    std::string blankCells, blankPoints;
    padLeft(blankCells);
    padLeft(blankPoints);
    std::string fromCells, fromPoints;
    SplitDots(from, fromCells, fromPoints);
    padLeft(fromCells);
    padLeft(fromPoints);
    if (to.empty()) {
        DrawPass(canvas, g, blankCells, blankPoints, fromCells, fromPoints, style, steps, false);
        return;
    }
    // The picture as it was, then only what changed.
    DrawPass(canvas, g, fromCells, fromPoints, blankCells, blankPoints, 0, 8, false);
    std::string cells, points;
    SplitDots(to, cells, points);
    padLeft(cells);
    padLeft(points);
    DrawPass(canvas, g, cells, points, fromCells, fromPoints, style, steps, true);
}

int TLCD99::chooseStyle() {
    switch (animationStyle_) {
        case TLCDAnimation::anNone:
            return 0;
        case TLCDAnimation::anRandom:
            return static_cast<int>(random_() % 5) + 1;
        default:
            return static_cast<int>(animationStyle_);
    }
}

void TLCD99::startAnimation() {
    // A change still being shown is completed first.
    if (Animating()) finishAnimation();
    const int style = chooseStyle();
    // Seven waits share the budget.
    const int stepTime = animationDelay_ / 7;
    if (style == 0 || stepTime <= 0 || !fw::Application::find(this)) {
        lastValue_ = value_;
        return;
    }
    if (!stepTimer_) {
        stepTimer_ = &create<fw::Timer>("StepTimer");
        stepTimer_->setEnabled(false);
        stepTimer_->bindHandler([this](fw::Component&) { nextStep(); });
    }
    animation_ = {lastValue_, value_, style, 1, stepTime, 0, now()};
    stepTimer_->setInterval(stepTime);
    stepTimer_->setEnabled(true);
}

void TLCD99::nextStep() {
    if (!Animating()) return;
    // A late step shortens the next wait, by at most a whole step.
    const int wait = animation_.stepTime - animation_.carry;
    const int elapsed = static_cast<int>(now() - animation_.stepStart);
    animation_.carry = std::min(elapsed - wait, animation_.stepTime);
    animation_.stepStart = now();
    ++animation_.step;
    if (animation_.step >= 8)
        finishAnimation();
    else
        stepTimer_->setInterval(std::max(1, animation_.stepTime - animation_.carry));
    invalidate();
}

void TLCD99::finishAnimation() {
    if (stepTimer_) stepTimer_->setEnabled(false);
    lastValue_ = animation_.to;
    animation_ = {};
}

void TLCD99::paint(fw::Canvas& canvas) {
    isPainting_ = true;
    const std::uint32_t start = now();
    struct Done {
        TLCD99& self;
        std::uint32_t start;
        ~Done() {
            self.isPainting_ = false;
            self.paintDuration_ = static_cast<std::int32_t>(self.now() - start);
        }
    } done{*this, start};

    const fw::Size size{bounds().width(), bounds().height()};
    fw::Canvas* work = &canvas;
    std::unique_ptr<fw::Surface> buffer;
    if (doubleBuffer_) {
        // No buffer, no harm: this paint draws straight on the screen.
        try {
            buffer = canvas.createSurface(size);
        } catch (...) {
            buffer.reset();
        }
        if (buffer) work = &buffer->canvas();
    }
    work->setBrushStyle(fw::BrushStyle::solid);
    work->setBrushColor(color());
    work->fillRect({0, 0, size.width, size.height});

    const LcdGeometry g = geometry();
    if (g.valid) {
        if (Animating())
            drawChange(*work, g, animation_.from, animation_.to, animation_.style, animation_.step);
        else
            drawChange(*work, g, value_, value_, 0, 8);
    }
    if (buffer) canvas.drawSurface({0, 0}, *buffer);
}

}  // namespace widgets
