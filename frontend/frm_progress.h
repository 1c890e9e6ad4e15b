// The progress dialog: a bar and a Cancel button, shown without being modal while a conversion
// runs. Escape does not cancel; only the button does.
#pragma once

#include <functional>

#include "engine/center_form.h"
#include "frontend/controls.h"

class frmProgress {
public:
    frontend::ProgressBar ProgressBar1;
    bool Visible = false;
    bool Loaded = false;
    engine::FormRect Bounds{0, 0, 4800, 1500};  // twips

    void Load();
    void Show();
    void Hide();
    void Unload();
    void cmdCancel_Click();

    // Called after every change a display would show (a console front end draws its bar).
    std::function<void(const frmProgress&)> onChange;

private:
    void changed();
};

extern frmProgress gProgress;  // the one progress dialog of the program
