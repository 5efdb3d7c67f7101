#pragma once

#include <cstdint>

// The number model of the program: counts, positions and loop variables are
// single-precision numbers, flags and sizes 16-bit integers, and expressions
// are computed in extended precision (long double).
namespace rt {

using Single = float;
using Int16 = std::int16_t;

inline constexpr Int16 kTrue = -1;
inline constexpr Int16 kFalse = 0;

inline Int16 Truth(bool value) { return value ? kTrue : kFalse; }

// Store into a single-precision variable: nearest single; too large raises 6.
Single StoreSingle(long double x);

// Store into a 16-bit variable: nearest integer, ties to even; outside
// -32768..32767 raises 6.
Int16 StoreInt16(long double x);

// A number passed where a service takes an integer: ties away from zero;
// outside the 32-bit signed range raises 6.
std::int32_t IntArg(long double x);

// Arithmetic with the exception checks: invalid operation 5, division by
// zero 11, overflow 6.
long double Add(long double a, long double b);
long double Sub(long double a, long double b);
long double Mul(long double a, long double b);
long double Div(long double a, long double b);

// A counting loop: the limit is taken once, the body always runs at least
// once, and the limit is tested only after the increment.
//
//     CountingLoop loop(i, 0, folderCount - 1);
//     do { ... } while (loop.Next());
class CountingLoop {
public:
    CountingLoop(Single& variable, long double start, long double limit);

    // Adds 1 to the variable; true while it has not passed the limit.
    bool Next();

private:
    Single& variable_;
    long double limit_;
};

}  // namespace rt
