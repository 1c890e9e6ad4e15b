// The state of the window's controls, kept without any display: what the handlers read and
// set, and what a windowed front end shows.
#pragma once

#include <cstdint>
#include <string>

namespace frontend {

// Colours the text boxes are painted in.
enum class SystemColor : uint8_t { WindowBackground, ButtonFace };

struct TextBox {
    std::u16string Text;
    bool Enabled = true;
    SystemColor BackColor = SystemColor::WindowBackground;
    std::u16string ToolTipText;
};

struct CheckBox {
    int Value = 0;  // 0 unchecked, 1 checked
    bool Enabled = true;
    std::u16string ToolTipText;
};

struct CommandButton {
    bool Enabled = true;
    std::u16string ToolTipText;
};

struct ProgressBar {
    int32_t Min = 0;
    int32_t Max = 100;
    int32_t Value = 0;
};

}  // namespace frontend
