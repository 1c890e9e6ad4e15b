#include "engine/center_form.h"

#include <cmath>

namespace engine {

void CenterForm(const FormRect& reference, FormRect& form) {
    double top = (reference.height - form.height) / 2 + reference.top;
    double left = std::nearbyint((reference.width - form.width) / 2 + reference.left);  // ties to even
    form.top = top > 0 ? top : 0;
    form.left = left >= 1 ? left : 0;
}

}  // namespace engine
