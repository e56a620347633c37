#include "widgets/cool_form.h"

namespace widgets {
namespace {

std::uint32_t u32(const std::uint8_t* p) {
    return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
           (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

}  // namespace

bool regionDataConsistent(const std::uint8_t* data, std::uint32_t size) {
    if (size < 32) return false;
    const std::uint32_t headerSize = u32(data), type = u32(data + 4), count = u32(data + 8),
                        bytes = u32(data + 12);
    if (headerSize != 32 || type != 1 || count > (size - 32) / 16 || bytes != 16 * count || size != 32 + bytes)
        return false;
    // An outline with nothing inside it would leave a window nobody can see
    // or reach.
    for (std::uint32_t i = 0; i < count; ++i) {
        const std::uint8_t* r = data + 32 + 16 * i;
        const auto left = static_cast<std::int32_t>(u32(r)), top = static_cast<std::int32_t>(u32(r + 4)),
                   right = static_cast<std::int32_t>(u32(r + 8)), bottom = static_cast<std::int32_t>(u32(r + 12));
        if (left < right && top < bottom) return true;
    }
    return false;
}

TCoolForm::TCoolForm(fw::Component* owner, std::string name, platform::Regions& regions)
    : fw::Image(owner, std::move(name)), regions_(regions), mask_(std::make_unique<TRegionType>()) {
    mask_->Owner = this;
    // Presses on the skin start a window move, not a capture.
    setCapturesMouse(false);
    if (fw::Form* f = form()) {
        f->setBorderStyle(fw::BorderStyle::none);
        setBounds(fw::Rect::fromSize(0, 0, f->clientSize().width, f->clientSize().height));
    }
    pin();
}

TCoolForm::~TCoolForm() {
    discardRegion();
}

void TCoolForm::setMask(std::unique_ptr<TRegionType> mask) {
    if (!mask) return;
    mask_ = std::move(mask);
    mask_->Owner = this;
}

void TCoolForm::pin() {
    const fw::Rect b = bounds();
    setBounds(fw::Rect::fromSize(0, 0, b.width(), b.height()));
}

void TCoolForm::setWidth(int width) {
    setBounds(fw::Rect::fromSize(0, 0, width, bounds().height()));
}

void TCoolForm::setHeight(int height) {
    setBounds(fw::Rect::fromSize(0, 0, bounds().width(), height));
}

void TCoolForm::discardRegion() {
    // A region the window took belongs to the window system; only one that
    // never reached a window is ours to release.
    if (mask_->Region && !mask_->handedOver) regions_.destroy(mask_->Region);
    mask_->Region = 0;
    mask_->handedOver = false;
}

void TCoolForm::ReadMask2(const std::vector<std::uint8_t>& payload) {
    discardRegion();
    maskData_.clear();
    if (payload.size() < 4) return;
    const std::uint32_t length = u32(payload.data());
    if (length == 0) return;
    if (payload.size() - 4 < length) return;
    maskData_.assign(payload.begin() + 4, payload.begin() + 4 + length);
    if (!regionDataConsistent(maskData_.data(), length)) return;
    mask_->Region = regions_.create(maskData_.data(), length);
    if (!mask_->Region || !form()) return;
    if (regions_.apply(form()->handle(), mask_->Region)) mask_->handedOver = true;
}

std::vector<std::uint8_t> TCoolForm::WriteMask2() const {
    std::vector<std::uint8_t> out(4, 0);
    if (!mask_->Region) return out;
    // The block as read: the same bytes the platform would give back.
    std::vector<std::uint8_t> block = maskData_.empty() ? regions_.data(mask_->Region) : maskData_;
    const auto length = static_cast<std::uint32_t>(block.size());
    for (int i = 0; i < 4; ++i)
        out[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(length >> (8 * i));
    out.insert(out.end(), block.begin(), block.end());
    return out;
}

void TCoolForm::pictureChanged() {
    // The window keeps its outline; the control forgets it. No repaint.
    discardRegion();
    maskData_.clear();
}

void TCoolForm::mouseDown(fw::MouseButton button, const fw::MouseState&, fw::Point) {
    if (button != fw::MouseButton::left || !draggable_ || !form()) return;
    form()->peer().beginMove();
}

}  // namespace widgets
