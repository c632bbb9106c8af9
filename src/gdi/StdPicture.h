#pragma once

#include <cstdint>
#include <memory>

namespace quillax {

// A picture object holding a bitmap handle. When it owns the handle, the bitmap is deleted as the
// last reference to the picture goes (held through PictureRef).
class StdPicture {
public:
    StdPicture(uint32_t bitmap, int32_t type, bool ownsHandle);
    ~StdPicture();
    StdPicture(const StdPicture&) = delete;
    StdPicture& operator=(const StdPicture&) = delete;

    // The picture's default value: its bitmap handle.
    uint32_t Handle() const { return BitmapHandle; }
    int32_t Type() const { return PictureType; }

private:
    uint32_t BitmapHandle;
    int32_t PictureType;
    bool OwnsHandle;
};

using PictureRef = std::shared_ptr<StdPicture>;

} // namespace quillax
