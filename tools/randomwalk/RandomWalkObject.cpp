#include "randomwalk/RandomWalkObject.h"

#include "fileio/OutputFile.h"
#include "objects/ObjectFileBytes.h"

#include <limits>
#include <stdexcept>

namespace quillax {

namespace {
// splitmix64: small, fast and defined by its arithmetic alone, unlike the standard distributions.
class WalkRandom {
public:
    explicit WalkRandom(uint64_t seed) : State(seed) {}

    // Uniform in [-1, 1) in steps of 2^-23, exactly representable.
    float Signed() {
        State += 0x9E3779B97F4A7C15u;
        uint64_t z = State;
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9u;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBu;
        z ^= z >> 31;
        return static_cast<float>(static_cast<int64_t>(z >> 40) - (1 << 23)) / static_cast<float>(1 << 23);
    }

private:
    uint64_t State;
};

Mesh WalkMesh(WalkRandom& random, int16_t points, const RandomWalkOptions& options) {
    Mesh mesh;
    mesh.Red = (random.Signed() + 1) / 2;
    mesh.Green = (random.Signed() + 1) / 2;
    mesh.Blue = (random.Signed() + 1) / 2;
    mesh.PointCount = points;
    float x = random.Signed() * options.Spread;
    float y = random.Signed() * options.Spread;
    for (int16_t k = 0; k < points; ++k) {
        mesh.X.push_back(x);
        mesh.Y.push_back(y);
        x += random.Signed() * options.Step;
        y += random.Signed() * options.Step;
    }
    return mesh;
}
} // namespace

ObjectFile RandomWalkObject(const RandomWalkOptions& options) {
    WalkRandom random(options.Seed);
    ObjectFile object;
    for (const int16_t points : options.MeshSizes) {
        object.Meshes.push_back(WalkMesh(random, points, options));
    }
    object.MeshCount = static_cast<int16_t>(object.Meshes.size());
    return object;
}

std::optional<std::vector<int16_t>> ParseMeshSizes(std::string_view text) {
    std::vector<int16_t> sizes;
    for (size_t start = 0;;) {
        const size_t comma = text.find(',', start);
        const std::string_view group =
            text.substr(start, comma == std::string_view::npos ? comma : comma - start);
        const size_t times = group.find('x');
        int32_t count = 0;
        int32_t points = 0;
        if (times == std::string_view::npos || !ParseNumber(group.substr(0, times), count) ||
            !ParseNumber(group.substr(times + 1), points) || count < 1 || points < 2 ||
            points > std::numeric_limits<int16_t>::max() ||
            sizes.size() + static_cast<size_t>(count) >
                static_cast<size_t>(std::numeric_limits<int16_t>::max())) {
            return std::nullopt;
        }
        sizes.insert(sizes.end(), static_cast<size_t>(count), static_cast<int16_t>(points));
        if (comma == std::string_view::npos) {
            return sizes;
        }
        start = comma + 1;
    }
}

void WriteRandomWalkFile(const std::string& fileName, const ObjectFile& object) {
    const WriteOutcome outcome = WriteWholeFile(fileName, ObjectFileBytes(object));
    if (!outcome.Ok()) {
        throw std::runtime_error("cannot write " + fileName + ": " + outcome.Reason);
    }
}

} // namespace quillax
