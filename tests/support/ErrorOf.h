#pragma once

#include "platform/RuntimeError.h"

#include <cstdint>

namespace quillax {

// The number of the run-time error a call raises, 0 when it raises none.
inline int32_t ErrorOf(auto&& call) {
    try {
        call();
    } catch (const RuntimeError& error) {
        return error.Number();
    }
    return 0;
}

} // namespace quillax
