#include "runtime/lang/Array.h"

#include <gtest/gtest.h>

#include <string>

#include "support/ErrorOf.h"

using test::ErrorOf;

TEST(ArrayTest, HasUpperBoundPlusOneElementsStartingEmpty) {
    rt::Array<std::string> names(32766);
    rt::Array<rt::Int16> marks(32766);
    EXPECT_EQ(names[0], "");
    EXPECT_EQ(names[32766], "");
    EXPECT_EQ(marks[32766], 0);
    names[32766] = "A\\B";
    EXPECT_EQ(names[32766], "A\\B");
}

TEST(ArrayTest, IndicesOutsideTheBoundsRaise9) {
    rt::Array<rt::Int16> marks(32766);
    EXPECT_EQ(ErrorOf([&] { marks[32767]; }), 9);
    EXPECT_EQ(ErrorOf([&] { marks[-1]; }), 9);
    // Indices are rounded first: 32766.4 is 32766, -0.5 is -1.
    EXPECT_EQ(ErrorOf([&] { marks[32766.4L]; }), 0);
    EXPECT_EQ(ErrorOf([&] { marks[-0.5L]; }), 9);
    rt::Array<rt::Int16> undimensioned;
    EXPECT_EQ(ErrorOf([&] { undimensioned[0]; }), 9);
}

TEST(ArrayTest, DimensioningChecksItsBound) {
    EXPECT_EQ(ErrorOf([] { rt::Array<int> array(-1); }), 5);
    rt::Array<int> single(0);
    EXPECT_EQ(single[0], 0);
    EXPECT_EQ(ErrorOf([&] { single.Dim(5); }), 10);
}
