#include "quillax/DescriptorBuffer.h"

#include <cerrno>
#include <cstring>
#include <poll.h>
#include <unistd.h>

namespace quillax {

bool DescriptorBuffer::Flush() {
    const bool written = WriteOut(Held.data(), HeldCount);
    HeldCount = 0;
    return written;
}

DescriptorBuffer::int_type DescriptorBuffer::overflow(int_type c) {
    if (traits_type::eq_int_type(c, traits_type::eof())) {
        return Flush() ? traits_type::not_eof(c) : traits_type::eof();
    }
    const char byte = traits_type::to_char_type(c);
    return xsputn(&byte, 1) == 1 ? c : traits_type::eof();
}

std::streamsize DescriptorBuffer::xsputn(const char* data, std::streamsize count) {
    const auto size = static_cast<size_t>(count);
    if (HeldCount + size > Held.size() && !Flush()) {
        return 0;
    }
    if (size >= Held.size()) {
        return WriteOut(data, size) ? count : 0;
    }
    std::memcpy(Held.data() + HeldCount, data, size);
    HeldCount += size;
    return count;
}

// Through short writes and interruptions, and waiting when the descriptor was left non-blocking.
// After a failure nothing more is written: the output is lost already.
bool DescriptorBuffer::WriteOut(const char* data, size_t count) {
    while (Failure == 0 && count > 0) {
        const ssize_t written = write(Descriptor, data, count);
        if (written >= 0) {
            data += written;
            count -= static_cast<size_t>(written);
        } else if (errno == EAGAIN) {
            pollfd ready{Descriptor, POLLOUT, 0};
            poll(&ready, 1, -1);
        } else if (errno != EINTR) {
            Failure = errno;
        }
    }
    return Failure == 0;
}

} // namespace quillax
