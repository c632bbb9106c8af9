#include "view/WheelNotches.h"

namespace quillax {

int32_t WheelNotches::Add(int32_t angleDelta) {
    const int64_t total = static_cast<int64_t>(Pending) + angleDelta;
    const int64_t notches = total / Notch;
    Pending = static_cast<int32_t>(total - notches * Notch);
    return static_cast<int32_t>(notches);
}

} // namespace quillax
