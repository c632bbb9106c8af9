#pragma once

#include <array>
#include <streambuf>
#include <string>

namespace quillax {

// A stream buffer writing to a descriptor the program was given (standard output or error) that
// remembers why a write failed: a full disk, a closed descriptor, a file-size limit. What a command
// prints is then known to have arrived, or the program says it did not.
class DescriptorBuffer : public std::streambuf {
public:
    explicit DescriptorBuffer(int descriptor) : Descriptor(descriptor) {}
    ~DescriptorBuffer() override { Flush(); }
    DescriptorBuffer(const DescriptorBuffer&) = delete;
    DescriptorBuffer& operator=(const DescriptorBuffer&) = delete;

    // Writes what is held; false when this or any earlier write failed.
    bool Flush();
    // The system's error number of the first failed write, 0 when none failed.
    int Error() const { return Failure; }

protected:
    int_type overflow(int_type c) override;
    std::streamsize xsputn(const char* data, std::streamsize count) override;
    int sync() override { return Flush() ? 0 : -1; }

private:
    bool WriteOut(const char* data, size_t count);

    int Descriptor;
    std::array<char, 8192> Held{};
    size_t HeldCount = 0;
    int Failure = 0;
};

} // namespace quillax
