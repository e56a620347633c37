// TFormaSetari: the IR setup dialog. It is made hidden at start and shown
// modally by the main window; its controls start from the settings.
#pragma once

#include "app/settings.h"
#include "framework/form.h"
#include "framework/std_controls.h"

class TFormaSetari : public fw::Form {
public:
    TFormaSetari(fw::Component* owner, app::Settings& settings);

    void FormCreate(fw::Component& sender);

    fw::SpinEdit& SEPort() const;
    fw::CheckBox& CheckBoxActivare() const;
    fw::CheckBox& CheckBoxMinimizat() const;

private:
    app::Settings& settings_;
};
