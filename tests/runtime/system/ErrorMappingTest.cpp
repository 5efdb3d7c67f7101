#include "runtime/system/ErrorMapping.h"

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

TEST(ErrorMappingTest, CodesWithoutARowGive27) {
    for (std::uint32_t code : {0u, 6u, 31u, 206u, 1113u, 0xFFFFFFFFu}) {
        EXPECT_EQ(rt::MapSystemError(code), 27) << code;
    }
    EXPECT_EQ(test::ErrorOf([] { rt::RaiseSystemError(80); }), 64);
}
