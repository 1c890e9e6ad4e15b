// The About dialog: title, version, description, and a button that starts the system-information
// tool when the registry names one.
#pragma once

#include <string>

#include "engine/center_form.h"
#include "frontend/form_window.h"
#include "platform/registry/registry.h"

class frmAbout {
public:
    std::u16string Caption;
    std::u16string lblTitle;
    std::u16string lblVersion;
    std::u16string lblDescription;
    engine::FormRect Bounds{0, 0, 5730, 3795};  // twips
    frontend::FormWindow Window;

    void Form_Load();
    void cmdOK_Click();
    void cmdSysInfo_Click();
    void StartSysInfo();
    // The string value SubKeyRef of the key KeyName under KeyRoot; "" and false when it cannot
    // be read or is not a string.
    static bool GetKeyValue(HKEY KeyRoot, const std::u16string& KeyName, const std::u16string& SubKeyRef,
                            std::u16string& KeyVal);
};

extern frmAbout gAbout;
