#include "platform/ArrayLimits.h"

#include "platform/RuntimeError.h"

namespace quillax {

int64_t BoundCount(int32_t lower, int32_t upper) {
    if (upper < lower) {
        RaiseError(ErrNo::SubscriptOutOfRange);
    }
    return static_cast<int64_t>(upper) - lower + 1;
}

} // namespace quillax
