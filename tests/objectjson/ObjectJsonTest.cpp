#include "objectjson/ObjectJson.h"
#include "objects/ObjectFileBytes.h"
#include "sampleobjects/SampleObject.h"
#include "support/SameObject.h"

#include <gtest/gtest.h>

#include <bit>
#include <random>

namespace quillax {

namespace {
float Bits(uint32_t bits) {
    return std::bit_cast<float>(bits);
}

// An object with every kind of value the file may hold: NaNs of both signs with payloads, signalling
// ones, infinities, minus zero, the smallest and largest floats, odd raw fields and a tail.
ObjectFile OddObject() {
    ObjectFile object;
    object.CentreX = Bits(0xFFC00001);
    object.CentreY = -0.0f;
    object.Meshes.push_back(Mesh{Bits(0x7FC00000),
                                 Bits(0x7F800000),
                                 Bits(0xFF800000),
                                 0xDEADBEEF,
                                 0xCAFE,
                                 3,
                                 {Bits(0x00000001), Bits(0x7F7FFFFF), 0.1f},
                                 {Bits(0x7FA00001), Bits(0x80800000), -3.4e38f}});
    object.Meshes.push_back(Mesh{0.35f, 1, 0, 0, 0, 2, {1e-7f, 16777217.0f}, {123456.789f, -0.5f}});
    object.MeshCount = 2;
    object.TrailingBytes = {0, 1, 0xFF, 0x7F, 'x'};
    return object;
}

ObjectFile Read(const std::string& json) {
    const ObjectImport read = ObjectFromJson(json);
    EXPECT_TRUE(read.Object) << read.Error << "\n" << json;
    return read.Object.value_or(ObjectFile{});
}

std::string ErrorOf(const std::string& json) {
    const ObjectImport read = ObjectFromJson(json);
    EXPECT_FALSE(read.Object) << json;
    return read.Error;
}
} // namespace

TEST(ObjectJson, EveryValueComesBackBitForBitInBothLayouts) {
    std::mt19937 random(7);
    ObjectFile many = SampleShip();
    for (float& x : many.Meshes[0].X) {
        x = Bits(static_cast<uint32_t>(random()));
    }
    for (const ObjectFile& object : {OddObject(), SampleShip(), many}) {
        for (const bool oneLine : {false, true}) {
            const std::string text = ObjectJsonText(object, {true, oneLine, {}});
            const ObjectFile back = Read(text);
            EXPECT_TRUE(SameObject(object, back)) << text;
            EXPECT_EQ(ObjectFileBytes(back), ObjectFileBytes(object));
            EXPECT_EQ(text.find('\n') == std::string::npos, oneLine);
        }
    }
    const std::string text = ObjectJsonText(OddObject(), {});
    for (const char* value : {"\"0xFFC00001\"", "-0", "\"NaN\"", "\"Infinity\"", "\"-Infinity\"", "1e-45",
                              "3.4028235e+38", "0.1", "\"0xDEADBEEF\"", "\"0xCAFE\"", "\"AAH/f3g=\""}) {
        EXPECT_NE(text.find(value), std::string::npos) << value << "\n" << text;
    }
}

TEST(ObjectJson, OneLineWithAFileIsInfosElementAndAPointALineOtherwise) {
    ObjectFile object;
    object.Meshes.push_back(Mesh{1, 0.5f, 0, 0, 0, 2, {0, 1.5f}, {-2, 3}});
    object.MeshCount = 1;
    EXPECT_EQ(
        ObjectJsonText(object, {true, true, "\"file\": \"a.lin\""}),
        "{\"file\": \"a.lin\", \"centre\": {\"x\": 0, \"y\": 0}, \"meshCount\": 1, \"meshes\": [{\"index\": "
        "0, "
        "\"colour\": {\"red\": 1, \"green\": 0.5, \"blue\": 0}, \"pointCount\": 2, \"bounds\": {\"minX\": 0, "
        "\"minY\": -2, \"maxX\": 1.5, \"maxY\": 3}, \"extraValue\": \"0x00000000\", \"extraWord\": "
        "\"0x0000\", "
        "\"points\": [[0, -2], [1.5, 3]]}]}");
    EXPECT_EQ(ObjectJsonText(object, {false, true, {}}).find("points"), std::string::npos);
    EXPECT_EQ(
        ObjectJsonText(object, {}),
        "{\n  \"centre\": {\"x\": 0, \"y\": 0},\n  \"meshCount\": 1,\n  \"meshes\": [\n    {\"index\": 0, "
        "\"colour\": {\"red\": 1, \"green\": 0.5, \"blue\": 0}, \"pointCount\": 2, \"bounds\": {\"minX\": 0, "
        "\"minY\": -2, \"maxX\": 1.5, \"maxY\": 3}, \"extraValue\": \"0x00000000\", \"extraWord\": "
        "\"0x0000\", "
        "\"points\": [\n      [0, -2],\n      [1.5, 3]\n    ]}\n  ]\n}");
}

TEST(ObjectJson, WhatAPersonWritesIsTakenWithItsDefaults) {
    const ObjectFile object = Read(R"( { "file": "x", "meshes": [
        {"points": [[0, 0], [10, -5]]},
        {"index": 9, "bounds": {"anything": [1, {}]}, "colour": {"blue": 0.25, "red": 1, "green": 0},
         "extraValue": 4294967295, "extraWord": "0xff", "pointCount": 3,
         "points": [[1E2, 2.5e-1], [-0.0, 3], [16777217, 0.1]]}
    ]} )");
    ASSERT_EQ(object.MeshCount, 2);
    EXPECT_EQ(object.CentreX, 0);
    EXPECT_EQ(object.Meshes[0].Red + object.Meshes[0].Green + object.Meshes[0].Blue, 3);
    EXPECT_EQ(object.Meshes[0].PointCount, 2);
    EXPECT_EQ(object.Meshes[0].ExtraValue, 0u);
    const Mesh& second = object.Meshes[1];
    EXPECT_EQ(second.Blue, 0.25f);
    EXPECT_EQ(second.ExtraValue, 0xFFFFFFFFu);
    EXPECT_EQ(second.ExtraWord, 0xFF);
    EXPECT_EQ(second.X, (std::vector<float>{100, -0.0f, 16777216}));
    EXPECT_TRUE(std::signbit(second.X[1]));
    EXPECT_EQ(second.Y, (std::vector<float>{0.25f, 3, 0.1f}));
    EXPECT_TRUE(object.TrailingBytes.empty());
}

TEST(ObjectJson, MistakesAreRefusedWithTheirPlace) {
    const std::string two = R"("points": [[0, 0], [1, 1]])";
    const std::pair<std::string, std::string> cases[] = {
        {"", "line 1, column 1: expected an object for the object"},
        {" [{}]", "line 1, column 2: an array, where one object is: take one element of info --json's array"},
        {"{\"meshes\": []}", "line 1, column 12: no meshes"},
        {"{}", "line 1, column 1: no meshes"},
        {"{\"meshes\": [{" + two + "}]} x", "line 1, column 44: more after the object's end"},
        {"{\"meshes\": [{\"colur\": {}, " + two + "}]}", "column 14: meshes[0]: no member \"colur\""},
        {"{\"meshes\": [{" + two + ", " + two + "}]}", "column 42: meshes[0]: \"points\" twice"},
        {"{\"meshes\": [{}]}", "meshes[0]: no points"},
        {"{\"meshes\": [{\"points\": [[0, 0]]}]}", "column 24: meshes[0]: 1 point: a mesh has 2 to 32767"},
        {"{\"meshes\": [{\"pointCount\": 3, " + two + "}]}",
         "meshes[0]: pointCount is 3 but the list holds 2 points"},
        {"{\"meshCount\": 2, \"meshes\": [{" + two + "}]}", "meshCount is 2 but the list holds 1 mesh"},
        {"{\"meshes\": [{\"points\": [[0, 0],\n [1e39, 1]]}]}",
         "line 2, column 3: meshes[0].points[1]: 1e39 is beyond the range of a 32-bit float"},
        {"{\"meshes\": [{\"points\": [[0, 0], [1, \"nan\"]]}]}",
         "meshes[0].points[1]: \"nan\" is not a float"},
        {"{\"meshes\": [{\"points\": [[0, 0], [1, 01]]}]}", "no leading zero"},
        {"{\"meshes\": [{\"points\": [[0, 0], [1 1]]}]}", "expected a comma between x and y"},
        {"{\"meshes\": [{\"points\": [[0, 0], [1, .5]]}]}", "expected a number"},
        {"{\"meshes\": [{\"extraWord\": 65536, " + two + "}]}", "a whole number from 0 to 65535"},
        {"{\"meshes\": [{\"colour\": {\"red\": 1}, " + two + "}]}", "give red, green and blue"},
        {"{\"trailingBytes\": \"***\", \"meshes\": [{" + two + "}]}", "trailingBytes: not base64"},
        {"{\"file\": \"a\tb\", \"meshes\": []}", "a control character inside a string"},
        {"{\"file\": \"ab", "the text ends inside a string"},
        {"{\"meshes\": [{\"bounds\": " + std::string(70, '[') + std::string(70, ']') + ", " + two + "}]}",
         "nested more than 64 deep"},
        {"{\"meshes\": [{" + two + "}], \"centre\": {\"x\": \"\\q\"}}", "not an escape of JSON: \\q"},
    };
    for (const auto& [json, message] : cases) {
        EXPECT_NE(ErrorOf(json).find(message), std::string::npos) << json << "\n" << ErrorOf(json);
    }
}

// What info --json writes, an array of objects, gives every element's meshes in order, bit for bit.
TEST(ObjectJson, AListOfObjectsGivesAllTheirMeshes) {
    const ObjectFile odd = OddObject();
    const std::string element = ObjectJsonText(odd, {true, true, "\"file\": \"a.lin\""});
    const ObjectImport both = ObjectFromJsonList("[\n" + element + ",\n" + element + "\n]\n");
    ASSERT_TRUE(both.Object) << both.Error;
    ASSERT_EQ(both.Object->MeshCount, 4);
    EXPECT_TRUE(SameMesh(both.Object->Meshes[2], odd.Meshes[0]));
    EXPECT_TRUE(SameBits(both.Object->CentreX, odd.CentreX)) << "the first element's centre";
    const ObjectImport one = ObjectFromJsonList(ObjectJsonText(odd, {}));
    ASSERT_TRUE(one.Object) << "one object is taken as ObjectFromJson takes it";
    EXPECT_TRUE(SameObject(*one.Object, odd));
    for (const std::string& wrong : {std::string("[]"), "[" + element + "] x", "[" + element + ",]"}) {
        EXPECT_FALSE(ObjectFromJsonList(wrong).Object) << wrong;
    }
    EXPECT_NE(ObjectFromJsonList("[" + element + ", {}]").Error.find("line 1, column"), std::string::npos);
}

} // namespace quillax
