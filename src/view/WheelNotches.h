#pragma once

#include <cstdint>

namespace quillax {

// Turns wheel movement (in eighths of a degree, 120 to a notch) into whole notches. Wheels that
// report finer steps add up until a notch is complete; what is left over waits for the next turn,
// and turning back first uses it up.
class WheelNotches {
public:
    static constexpr int32_t Notch = 120;

    // The whole notches completed by this movement: positive away from the user.
    int32_t Add(int32_t angleDelta);

private:
    int32_t Pending = 0;
};

} // namespace quillax
