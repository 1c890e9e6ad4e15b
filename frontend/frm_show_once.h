// The show-once message dialog: an informational message with a "Don't show this message again"
// box, whose choice is stored per message id under the ShowOnce key of the settings.
#pragma once

#include <string>

#include "engine/center_form.h"
#include "frontend/controls.h"
#include "frontend/form_window.h"
#include "platform/automation/handles.h"

class frmShowOnce {
public:
    std::u16string Caption;
    std::u16string lblMessage;
    frontend::CheckBox chkHide;
    engine::FormRect Bounds{0, 0, 4500, 2500};  // twips; the height follows m_height
    LONG cmdOkTop = 0;      // twips, inside the dialog, set by Form_Resize
    LONG chkHideTop = 0;
    LONG cmdCancelTop = 0;  // below the visible area: only Escape presses it
    std::u16string m_id;
    LONG m_height = 0;
    frontend::FormWindow Window;

    // Shows msg unless the stored choice for id hides it (force shows it anyway); returns when
    // the dialog has been closed.
    void ShowOnce(const engine::FormRect& parentform, const std::u16string& id, const std::u16string& msg,
                  const std::u16string& dialogcaption, bool checked, bool force, LONG height);
    void cmdOk_Click();      // stores "1" (box checked) or "-1", then closes
    void cmdCancel_Click();  // Escape: closes, storing nothing
    void Form_Resize();
    // The client height in twips for a window height (a front end with real frames sets it).
    static LONG ClientHeight(LONG windowHeight);
};

extern frmShowOnce gShowOnce;
