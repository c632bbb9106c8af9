#include "objectjson/JsonCursor.h"
#include "objectjson/ObjectJson.h"
#include "platform/Counted.h"

#include <QByteArray>

#include <algorithm>
#include <bit>
#include <charconv>
#include <functional>
#include <initializer_list>
#include <iterator>
#include <limits>

namespace quillax {

namespace {
constexpr size_t MostOfACount = 32767;

// Reads an object's members, each of the given names at most once, through read(the name's place
// among names); gives which were there, a bit each. owner names the object in messages.
using MemberReader = std::function<void(size_t)>;
uint32_t ReadMembers(JsonCursor& in, std::initializer_list<const char*> names, const std::string& owner,
                     const MemberReader& read) {
    in.Expect('{', ("an object for " + owner).c_str());
    uint32_t given = 0;
    if (in.Take('}')) {
        return given;
    }
    do {
        const size_t at = in.Start();
        const std::string name = in.String();
        size_t index = 0;
        while (index < names.size() && name != names.begin()[index]) {
            ++index;
        }
        if (index == names.size()) {
            std::string known;
            for (const char* each : names) {
                known += (known.empty() ? "" : ", ") + std::string(each);
            }
            JsonCursor::FailAt(at, owner + ": no member \"" + name + "\" (it has " + known + ")");
        }
        if (given & (1u << index)) {
            JsonCursor::FailAt(at, owner + ": \"" + name + "\" twice");
        }
        given |= 1u << index;
        in.Expect(':', "a colon after the member's name");
        read(index);
    } while (in.Take(','));
    in.Expect('}', "a comma or }");
    return given;
}

std::string FloatForms() {
    return "a number, \"NaN\", \"Infinity\", \"-Infinity\" or a float's bits (\"0x7FC00001\")";
}

// "0x" and up to digits hexadecimal digits, as a number; none when text is anything else.
std::optional<uint32_t> HexValue(const std::string& text, size_t digits) {
    if (text.size() < 3 || text.size() > 2 + digits || (text[0] != '0') ||
        (text[1] != 'x' && text[1] != 'X')) {
        return std::nullopt;
    }
    uint32_t value = 0;
    const auto [end, error] = std::from_chars(text.data() + 2, text.data() + text.size(), value, 16);
    return error == std::errc() && end == text.data() + text.size() ? std::optional(value) : std::nullopt;
}

float NamedFloat(const std::string& text, size_t at) {
    if (text == "NaN") {
        return std::bit_cast<float>(JsonNaNBits);
    }
    if (text == "Infinity" || text == "-Infinity") {
        return text[0] == '-' ? -std::numeric_limits<float>::infinity()
                              : std::numeric_limits<float>::infinity();
    }
    if (const std::optional<uint32_t> bits = HexValue(text, 8); bits && text.size() == 10) {
        return std::bit_cast<float>(*bits);
    }
    JsonCursor::FailAt(at, "\"" + text + "\" is not a float: expected " + FloatForms());
}

float ReadFloat(JsonCursor& in) {
    const size_t at = in.Start();
    if (in.Peek() == '"') {
        return NamedFloat(in.String(), at);
    }
    if (in.Peek() != '-' && (in.Peek() < '0' || in.Peek() > '9')) {
        in.Fail("expected " + FloatForms());
    }
    const std::string_view text = in.Number();
    float value = 0;
    if (std::from_chars(text.data(), text.data() + text.size(), value).ec != std::errc()) {
        JsonCursor::FailAt(at, std::string(text) + " is beyond the range of a 32-bit float");
    }
    return value;
}

// A whole number from 0 to most: a JSON number or a hexadecimal string of up to digits digits.
uint32_t ReadRaw(JsonCursor& in, uint32_t most, size_t digits) {
    const size_t at = in.Start();
    std::optional<uint32_t> value;
    if (in.Peek() == '"') {
        value = HexValue(in.String(), digits);
    } else {
        const std::string_view text = in.Number();
        uint32_t number = 0;
        const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
        value =
            error == std::errc() && end == text.data() + text.size() ? std::optional(number) : std::nullopt;
    }
    if (!value || *value > most) {
        JsonCursor::FailAt(at, "expected a whole number from 0 to " + std::to_string(most) +
                                   ", or \"0x\" and up to " + std::to_string(digits) + " hexadecimal digits");
    }
    return *value;
}

// A count given beside the list it counts.
int64_t ReadCount(JsonCursor& in) {
    const size_t at = in.Start();
    const std::string_view text = in.Number();
    int64_t count = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), count);
    if (error != std::errc() || end != text.data() + text.size()) {
        JsonCursor::FailAt(at, "expected a whole number");
    }
    return count;
}

void CheckCount(std::optional<int64_t> given, size_t count, const std::string& name, const char* one,
                const char* many, size_t at) {
    if (given && *given != static_cast<int64_t>(count)) {
        JsonCursor::FailAt(at, name + " is " + std::to_string(*given) + " but the list holds " +
                                   Counted(static_cast<int64_t>(count), one, many));
    }
}

void ReadPoints(JsonCursor& in, Mesh& mesh) {
    in.Expect('[', "the list of points");
    if (!in.Take(']')) {
        do {
            if (mesh.X.size() == MostOfACount) {
                in.Fail("more than " + std::to_string(MostOfACount) + " points: a mesh has 2 to 32767");
            }
            in.Expect('[', "a point [x, y]");
            mesh.X.push_back(ReadFloat(in));
            in.Expect(',', "a comma between x and y");
            mesh.Y.push_back(ReadFloat(in));
            in.Expect(']', "the ] that ends the point [x, y]");
        } while (in.Take(','));
        in.Expect(']', "a comma or ]");
    }
}

void ReadColour(JsonCursor& in, Mesh& mesh, const std::string& owner) {
    const size_t at = in.Start();
    float* const components[] = {&mesh.Red, &mesh.Green, &mesh.Blue};
    const uint32_t given = ReadMembers(in, {"red", "green", "blue"}, owner + ".colour",
                                       [&](size_t k) { *components[k] = ReadFloat(in); });
    if (given != 7) {
        JsonCursor::FailAt(at, owner + ".colour: give red, green and blue (or no colour, for white)");
    }
}

Mesh ReadMesh(JsonCursor& in, size_t index) {
    const std::string owner = "meshes[" + std::to_string(index) + "]";
    Mesh mesh{1, 1, 1, 0, 0, 0, {}, {}};
    std::optional<int64_t> pointCount;
    size_t pointsAt = 0;
    const size_t at = in.Start();
    const auto read = [&](size_t member) {
        switch (member) {
        case 1:
            return ReadColour(in, mesh, owner);
        case 2:
            pointCount = ReadCount(in);
            return;
        case 4:
            mesh.ExtraValue = ReadRaw(in, std::numeric_limits<uint32_t>::max(), 8);
            return;
        case 5:
            mesh.ExtraWord = static_cast<uint16_t>(ReadRaw(in, std::numeric_limits<uint16_t>::max(), 4));
            return;
        case 6:
            pointsAt = in.Start();
            try {
                return ReadPoints(in, mesh);
            } catch (JsonError& error) {
                error.Reason = owner + ".points[" + std::to_string(mesh.Y.size()) + "]: " + error.Reason;
                throw;
            }
        default:
            in.SkipValue();
        }
    };
    const uint32_t given = ReadMembers(
        in, {"index", "colour", "pointCount", "bounds", "extraValue", "extraWord", "points"}, owner, read);
    if (!(given & 1u << 6)) {
        JsonCursor::FailAt(at, owner + ": no points");
    }
    if (mesh.X.size() < 2) {
        JsonCursor::FailAt(pointsAt, owner + ": " + std::to_string(mesh.X.size()) +
                                         (mesh.X.size() == 1 ? " point" : " points") +
                                         ": a mesh has 2 to 32767");
    }
    CheckCount(pointCount, mesh.X.size(), owner + ": pointCount", "point", "points", pointsAt);
    mesh.PointCount = static_cast<int16_t>(mesh.X.size());
    return mesh;
}

void ReadMeshes(JsonCursor& in, ObjectFile& object) {
    in.Expect('[', "the list of meshes");
    if (!in.Take(']')) {
        do {
            if (object.Meshes.size() == MostOfACount) {
                in.Fail("more than " + std::to_string(MostOfACount) + " meshes: an object has 1 to 32767");
            }
            object.Meshes.push_back(ReadMesh(in, object.Meshes.size()));
        } while (in.Take(','));
        in.Expect(']', "a comma or ]");
    }
}

std::vector<uint8_t> ReadTail(JsonCursor& in) {
    const size_t at = in.Start();
    const std::string text = in.String();
    const auto decoded = QByteArray::fromBase64Encoding(QByteArray::fromStdString(text),
                                                        QByteArray::AbortOnBase64DecodingErrors);
    if (!decoded) {
        JsonCursor::FailAt(at, "trailingBytes: not base64");
    }
    const QByteArray& bytes = decoded.decoded;
    if (static_cast<uint64_t>(bytes.size()) > MaxTrailingBytes) {
        JsonCursor::FailAt(at, "trailingBytes: " + std::to_string(bytes.size()) + " bytes; at most " +
                                   std::to_string(MaxTrailingBytes) + " are kept after the last mesh");
    }
    return {bytes.begin(), bytes.end()};
}

void ReadCentre(JsonCursor& in, ObjectFile& object) {
    float* const coordinates[] = {&object.CentreX, &object.CentreY};
    ReadMembers(in, {"x", "y"}, "centre", [&](size_t k) { *coordinates[k] = ReadFloat(in); });
}

ObjectFile ReadObjectMembers(JsonCursor& in) {
    ObjectFile object;
    std::optional<int64_t> meshCount;
    size_t meshesAt = 0;
    const size_t at = in.Start();
    const auto read = [&](size_t member) {
        switch (member) {
        case 1:
            return ReadCentre(in, object);
        case 2:
            meshCount = ReadCount(in);
            return;
        case 3:
            meshesAt = in.Start();
            return ReadMeshes(in, object);
        case 4:
            object.TrailingBytes = ReadTail(in);
            return;
        default:
            in.SkipValue();
        }
    };
    ReadMembers(in, {"file", "centre", "meshCount", "meshes", "trailingBytes"}, "the object", read);
    if (object.Meshes.empty()) {
        JsonCursor::FailAt(meshesAt ? meshesAt : at, "no meshes: an object has 1 to 32767");
    }
    CheckCount(meshCount, object.Meshes.size(), "meshCount", "mesh", "meshes", meshesAt);
    object.MeshCount = static_cast<int16_t>(object.Meshes.size());
    return object;
}

ObjectFile ReadObject(JsonCursor& in) {
    if (in.Peek() == '[') {
        in.Fail("an array, where one object is: take one element of info --json's array (jq '.[0]')");
    }
    ObjectFile object = ReadObjectMembers(in);
    in.End();
    return object;
}

// The elements' meshes one after another, in an object with the first element's centre.
ObjectFile ReadObjectList(JsonCursor& in) {
    if (!in.Take('[')) {
        return ReadObject(in);
    }
    ObjectFile all;
    do {
        const size_t at = in.Start();
        ObjectFile element = ReadObjectMembers(in);
        if (all.Meshes.size() + element.Meshes.size() > MostOfACount) {
            JsonCursor::FailAt(at, "more than " + std::to_string(MostOfACount) +
                                       " meshes in all: an object has 1 to 32767");
        }
        if (all.Meshes.empty()) {
            all.CentreX = element.CentreX;
            all.CentreY = element.CentreY;
        }
        std::move(element.Meshes.begin(), element.Meshes.end(), std::back_inserter(all.Meshes));
    } while (in.Take(','));
    in.Expect(']', "a comma or ]");
    in.End();
    all.MeshCount = static_cast<int16_t>(all.Meshes.size());
    return all;
}

ObjectImport Imported(std::string_view text, ObjectFile (*read)(JsonCursor&)) {
    JsonCursor in(text);
    try {
        return {read(in), {}};
    } catch (const JsonError& error) {
        return {std::nullopt, PlaceInText(text, error.Offset) + ": " + error.Reason};
    }
}
} // namespace

ObjectImport ObjectFromJson(std::string_view text) {
    return Imported(text, ReadObject);
}

ObjectImport ObjectFromJsonList(std::string_view text) {
    return Imported(text, ReadObjectList);
}

} // namespace quillax
