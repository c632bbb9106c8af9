#include "quillax/ElementList.h"

#include <gtest/gtest.h>

#include <sstream>

namespace quillax {

TEST(ElementList, JsonIsOneArrayWithAnElementALine) {
    std::ostringstream out;
    ElementList list(out, true);
    list.Next() << "1";
    list.Next() << "2";
    list.End();
    EXPECT_EQ(out.str(), "[\n1,\n2\n]\n");
}

TEST(ElementList, JsonWithNoElementIsAnEmptyArray) {
    std::ostringstream out;
    ElementList list(out, true);
    list.End();
    EXPECT_EQ(out.str(), "[\n]\n");
}

TEST(ElementList, TextHasABlankLineBetweenElementsOnly) {
    std::ostringstream out;
    ElementList list(out, false);
    list.Next() << "a\n";
    list.Next() << "b\n";
    list.End();
    EXPECT_EQ(out.str(), "a\n\nb\n");
}

} // namespace quillax
