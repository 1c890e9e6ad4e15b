// Placing one window centred over another. Positions and sizes are in twips.
#pragma once

namespace engine {

struct FormRect {
    double left = 0;
    double top = 0;
    double width = 0;
    double height = 0;
};

// Moves form so that it sits centred over reference; its size stays. The top is
// (reference height - form height) / 2 + reference top, kept with its fraction, and 0 unless
// above 0; the left is the same across, rounded to a whole number (halves to even), and 0
// unless at least 1. So a form larger than its reference at 0,0 lands at 0,0.
void CenterForm(const FormRect& reference, FormRect& form);

}  // namespace engine
