// TCoolForm: the skin. A window-less picture that fills its form, makes the
// form borderless, gives the window its outline from the stored Mask2
// stream (a length-prefixed region-data block) and moves the window when
// the left button is pressed on bare skin.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "framework/control.h"
#include "framework/form.h"
#include "platform/region.h"

namespace widgets {

class TCoolForm;

// Holder of the current outline.
class TRegionType {
public:
    platform::RegionHandle Region = 0;
    TCoolForm* Owner = nullptr;
    // The region was handed to a window, which owns it from then on.
    bool handedOver = false;
};

class TCoolForm : public fw::Image {
public:
    TCoolForm(fw::Component* owner, std::string name, platform::Regions& regions);
    ~TCoolForm() override;

    TRegionType& Mask() const { return *mask_; }
    void setMask(std::unique_ptr<TRegionType> mask);
    // Whether a left press on bare skin moves the window.
    bool Draggable() const { return draggable_; }
    void setDraggable(bool v) { draggable_ = v; }

    // The stored position is pinned to 0,0; the size is taken as given.
    int top() const { return bounds().top; }
    void setTop(int) { pin(); }
    int left() const { return bounds().left; }
    void setLeft(int) { pin(); }
    void setWidth(int width);
    void setHeight(int height);

    // The Mask2 stream's payload: a 32-bit length L, then L bytes of
    // region data. A payload that is short, or whose block does not hold
    // together or outlines nothing, gives no outline.
    void ReadMask2(const std::vector<std::uint8_t>& payload);
    std::vector<std::uint8_t> WriteMask2() const;
    const std::vector<std::uint8_t>& MaskData() const { return maskData_; }
    std::int32_t MaskSize() const { return static_cast<std::int32_t>(maskData_.size()); }

    void mouseDown(fw::MouseButton button, const fw::MouseState& state, fw::Point at) override;

protected:
    void pictureChanged() override;

private:
    void pin();
    void discardRegion();

    platform::Regions& regions_;
    std::unique_ptr<TRegionType> mask_;
    std::vector<std::uint8_t> maskData_;
    bool draggable_ = true;
};

// Whether a region-data block holds together: header size 32, rectangles
// type, count and sizes that match the block's length, and at least one
// rectangle that is not empty.
bool regionDataConsistent(const std::uint8_t* data, std::uint32_t size);

}  // namespace widgets
