#include "runtime/ErrorMapping.h"

#include <gtest/gtest.h>

#include "support/ErrorOf.h"

TEST(ErrorMappingTest, TheErrorsTheProgramMeets) {
    EXPECT_EQ(rt::MapSystemError(2), 63);    // file not found
    EXPECT_EQ(rt::MapSystemError(3), 63);    // path not found
    EXPECT_EQ(rt::MapSystemError(5), 75);    // access denied
    EXPECT_EQ(rt::MapSystemError(183), 64);  // already exists
    EXPECT_EQ(rt::MapSystemError(145), 27);  // folder not empty has no row
    EXPECT_EQ(rt::MapSystemError(112), 67);  // disk full
}

TEST(ErrorMappingTest, EveryRow) {
    const struct {
        std::uint32_t code;
        int error;
    } rows[] = {{1, 5},    {2, 63},   {3, 63},   {4, 66},   {5, 75},   {8, 7},    {11, 71},
                {12, 75},  {14, 7},   {15, 72},  {16, 72},  {17, 72},  {18, 67},  {19, 73},
                {20, 60},  {21, 72},  {26, 71},  {27, 71},  {28, 60},  {29, 67},  {30, 54},
                {32, 75},  {33, 75},  {34, 60},  {39, 67},  {50, 28},  {65, 55},  {80, 64},
                {87, 5},   {108, 59}, {110, 63}, {111, 61}, {112, 67}, {113, 66}, {123, 55},
                {183, 64}, {267, 55}, {1155, 55}};
    for (const auto& row : rows) EXPECT_EQ(rt::MapSystemError(row.code), row.error) << row.code;
}

TEST(ErrorMappingTest, CodesWithoutARowGive27) {
    for (std::uint32_t code : {0u, 6u, 31u, 206u, 1113u, 0xFFFFFFFFu}) {
        EXPECT_EQ(rt::MapSystemError(code), 27) << code;
    }
    EXPECT_EQ(test::ErrorOf([] { rt::RaiseSystemError(80); }), 64);
}
