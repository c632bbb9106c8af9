#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace quillax {

constexpr int64_t Magnitude(int64_t value) {
    return value < 0 ? -value : value;
}

// Visits the pixels of a thin segment from its first end to (dx, dy) further on, as offsets from that
// end in an image of `line` pixels a row, the way the canvas draws it: column by column for a shallow
// segment, row by row for a steep one, from the end with the lower major coordinate, halves rounding
// towards larger minor values. The direction and each step are selected, not branched on, as the
// segments of a large object turn every way: a falling minor coordinate is walked as a rising one
// whose remainder starts one lower.
template <typename Visit>
constexpr void WalkThinSegment(int64_t dx, int64_t dy, int64_t line, const Visit& visit) {
    const bool steep = Magnitude(dx) < Magnitude(dy);
    const int64_t major = steep ? dy : dx;
    const int64_t minor = (steep ? dx : dy) * (major < 0 ? -1 : 1);
    const int64_t along = steep ? line : 1;
    const int64_t across = (steep ? 1 : line) * (minor < 0 ? -1 : 1);
    const int64_t step = 2 * Magnitude(major);
    const int64_t rise = 2 * Magnitude(minor);
    int64_t remainder = Magnitude(major) - (minor < 0 ? 1 : 0);
    int64_t at = major < 0 ? dy * line + dx : 0;
    for (int64_t a = 0; a <= Magnitude(major); ++a) {
        visit(at);
        remainder += rise;
        // All ones when the minor coordinate moves on, else zero.
        const int64_t turn = -static_cast<int64_t>(remainder >= step);
        remainder -= step & turn;
        at += along + (across & turn);
    }
}

// The pixels of every thin segment whose ends lie at most Reach pixels apart along each axis, walked
// when the program is built: most segments of a large object at the zoom it starts at are that short,
// and each is then written with the same few stores, no walk and no branch on its length. A pattern of
// fewer pixels repeats its last one, which writes the same colour twice; more stores than that cost
// more than the walk they save.
struct ShortSegment {
    static constexpr int32_t Reach = 4;
    static constexpr size_t Pixels = Reach + 1;

    std::array<int8_t, Pixels> Across{};
    std::array<int8_t, Pixels> Down{};

    static constexpr bool Holds(int64_t dx, int64_t dy) {
        return static_cast<uint64_t>(dx + Reach) <= 2 * Reach &&
               static_cast<uint64_t>(dy + Reach) <= 2 * Reach;
    }
    static constexpr size_t IndexOf(int64_t dx, int64_t dy) {
        return static_cast<size_t>((dy + Reach) * (2 * Reach + 1) + dx + Reach);
    }
    // Walked in an image wide enough that an offset tells its row and column apart.
    static constexpr ShortSegment Walked(int64_t dx, int64_t dy) {
        constexpr int64_t line = 64;
        ShortSegment segment;
        size_t count = 0;
        WalkThinSegment(dx, dy, line, [&segment, &count](int64_t at) {
            // Shifted up, the division rounds down.
            const int64_t down = (at + line / 2 + line * (Reach + 1)) / line - (Reach + 1);
            segment.Down[count] = static_cast<int8_t>(down);
            segment.Across[count] = static_cast<int8_t>(at - down * line);
            ++count;
        });
        for (size_t k = count; k < Pixels; ++k) {
            segment.Down[k] = segment.Down[count - 1];
            segment.Across[k] = segment.Across[count - 1];
        }
        return segment;
    }
};

inline constexpr auto ShortSegments = [] {
    std::array<ShortSegment, ShortSegment::IndexOf(ShortSegment::Reach, ShortSegment::Reach) + 1> made{};
    for (int64_t dy = -ShortSegment::Reach; dy <= ShortSegment::Reach; ++dy) {
        for (int64_t dx = -ShortSegment::Reach; dx <= ShortSegment::Reach; ++dx) {
            made[ShortSegment::IndexOf(dx, dy)] = ShortSegment::Walked(dx, dy);
        }
    }
    return made;
}();

} // namespace quillax
