#include "runtime/lang/Numbers.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <limits>
#include <vector>

#include "support/ErrorOf.h"

using test::ErrorOf;

TEST(NumbersTest, StoringIntoSixteenBitsRoundsTiesToEven) {
    const struct {
        long double value;
        rt::Int16 stored;
    } rows[] = {{2.5L, 2},   {3.5L, 4},   {-2.5L, -2},      {-3.5L, -4},     {0.5L, 0},
                {1.5L, 2},   {2.4L, 2},   {2.6L, 3},        {-0.5L, 0},      {32767, 32767},
                {-32768, -32768}, {32767.4L, 32767}, {-32768.5L, -32768}, {0, 0}};
    for (const auto& row : rows) EXPECT_EQ(rt::StoreInt16(row.value), row.stored) << (double)row.value;
}

TEST(NumbersTest, StoringOutsideSixteenBitsRaises6) {
    for (long double value : {32768.0L, 32767.5L, -32769.0L, -32768.6L, 1e10L}) {
        EXPECT_EQ(ErrorOf([&] { rt::StoreInt16(value); }), 6) << (double)value;
    }
}

TEST(NumbersTest, IntegerArgumentsRoundTiesAwayFromZero) {
    EXPECT_EQ(rt::IntArg(2.5L), 3);
    EXPECT_EQ(rt::IntArg(-2.5L), -3);
    EXPECT_EQ(rt::IntArg(3.5L), 4);
    EXPECT_EQ(rt::IntArg(2.4L), 2);
    EXPECT_EQ(rt::IntArg(2147483647.0L), 2147483647);
    EXPECT_EQ(rt::IntArg(-2147483648.0L), -2147483647 - 1);
    EXPECT_EQ(ErrorOf([] { rt::IntArg(2147483647.5L); }), 6);
    EXPECT_EQ(ErrorOf([] { rt::IntArg(-2147483648.5L); }), 6);
    // A single-precision 2147483647 is 2^31, which no longer fits.
    EXPECT_EQ(ErrorOf([] { rt::IntArg(static_cast<rt::Single>(2147483647)); }), 6);
}

TEST(NumbersTest, SinglePrecisionStoresRoundAndOverflow) {
    EXPECT_EQ(rt::StoreSingle(16777217.0L), 16777216.0f);
    EXPECT_EQ(rt::StoreSingle(0.1L), 0.1f);
    EXPECT_EQ(rt::StoreSingle(static_cast<long double>(FLT_MAX)), FLT_MAX);
    EXPECT_EQ(ErrorOf([] { rt::StoreSingle(1e39L); }), 6);
    EXPECT_EQ(ErrorOf([] { rt::StoreSingle(-1e39L); }), 6);
}

TEST(NumbersTest, ArithmeticRaisesOnInvalidOperationDivisionByZeroAndOverflow) {
    EXPECT_EQ(rt::Add(32766, 1), 32767);
    EXPECT_EQ(rt::Div(7, 2), 3.5L);
    EXPECT_EQ(ErrorOf([] { rt::Div(1, 0); }), 11);
    EXPECT_EQ(ErrorOf([] { rt::Div(-1, 0); }), 11);
    EXPECT_EQ(ErrorOf([] { rt::Div(0, 0); }), 5);
    const long double huge = std::numeric_limits<long double>::max();
    EXPECT_EQ(ErrorOf([&] { rt::Mul(huge, 2); }), 6);
    EXPECT_EQ(ErrorOf([&] { rt::Add(huge, huge); }), 6);
    EXPECT_EQ(ErrorOf([&] { rt::Sub(-huge, huge); }), 6);
}

TEST(NumbersTest, TruthValuesAreMinusOneAndZero) {
    EXPECT_EQ(rt::Truth(true), -1);
    EXPECT_EQ(rt::Truth(false), 0);
}

namespace {

// The values a counting loop gives its variable, and the value after it.
std::pair<std::vector<rt::Single>, rt::Single> RunLoop(long double start, long double limit) {
    std::vector<rt::Single> seen;
    rt::Single i = 0;
    rt::CountingLoop loop(i, start, limit);
    do {
        seen.push_back(i);
    } while (loop.Next());
    return {seen, i};
}

}  // namespace

TEST(NumbersTest, CountingLoopRunsItsBodyAtLeastOnce) {
    const auto [seen, after] = RunLoop(0, -1);
    EXPECT_EQ(seen, std::vector<rt::Single>{0});
    EXPECT_EQ(after, 1);
}

TEST(NumbersTest, CountingLoopTestsTheLimitAfterTheIncrement) {
    const auto [seen, after] = RunLoop(1, 3);
    EXPECT_EQ(seen, (std::vector<rt::Single>{1, 2, 3}));
    EXPECT_EQ(after, 4);
    EXPECT_EQ(RunLoop(5, 5).first.size(), 1u);
}

TEST(NumbersTest, CountingLoopTakesItsLimitOnce) {
    long double limit = 2;
    rt::Single i = 0;
    int passes = 0;
    rt::CountingLoop loop(i, 0, limit);
    do {
        ++passes;
        limit = 100;
    } while (loop.Next());
    EXPECT_EQ(passes, 3);
}
