// The main window of the remote control: a borderless form the size of
// the skin, with its keys as window-less controls.
#pragma once

#include "framework/form.h"

class TZAV_Amp : public fw::Form {
public:
    explicit TZAV_Amp(fw::Component* owner);

    void CBCloseClick(fw::Component& sender);
};
