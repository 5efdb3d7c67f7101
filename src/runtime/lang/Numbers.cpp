#include "runtime/lang/Numbers.h"

#include <cfloat>
#include <cmath>

#include "runtime/lang/ErrorNumbers.h"
#include "runtime/lang/RuntimeError.h"

namespace rt {

namespace {

// The exception check made after every arithmetic operation.
long double Checked(long double result, bool operandsFinite) {
    if (std::isnan(result)) Raise(err::kBadArgument);
    if (std::isinf(result) && operandsFinite) Raise(err::kOverflow);
    return result;
}

bool Finite(long double a, long double b) { return std::isfinite(a) && std::isfinite(b); }

}  // namespace

Single StoreSingle(long double x) {
    if (std::isnan(x)) Raise(err::kBadArgument);
    // Values that round to FLT_MAX or below are representable; anything that
    // would round past it overflows.
    if (std::fabs(x) > static_cast<long double>(FLT_MAX)) {
        const Single rounded = static_cast<Single>(x);
        if (std::isinf(rounded)) Raise(err::kOverflow);
        return rounded;
    }
    return static_cast<Single>(x);
}

Int16 StoreInt16(long double x) {
    if (std::isnan(x)) Raise(err::kBadArgument);
    long double whole = std::floor(x);
    const long double fraction = x - whole;
    if (fraction > 0.5L || (fraction == 0.5L && std::fmod(whole, 2.0L) != 0)) whole += 1;
    if (whole < -32768.0L || whole > 32767.0L) Raise(err::kOverflow);
    return static_cast<Int16>(whole);
}

std::int32_t IntArg(long double x) {
    // Indices and counts are whole numbers already; they need no rounding.
    if (x >= -2147483648.0L && x <= 2147483647.0L) {
        const auto whole = static_cast<std::int32_t>(x);
        if (static_cast<long double>(whole) == x) return whole;
    }
    if (std::isnan(x)) Raise(err::kBadArgument);
    const long double rounded = std::round(x);  // ties away from zero
    if (rounded < -2147483648.0L || rounded > 2147483647.0L) Raise(err::kOverflow);
    return static_cast<std::int32_t>(rounded);
}

long double Add(long double a, long double b) { return Checked(a + b, Finite(a, b)); }
long double Sub(long double a, long double b) { return Checked(a - b, Finite(a, b)); }
long double Mul(long double a, long double b) { return Checked(a * b, Finite(a, b)); }

long double Div(long double a, long double b) {
    if (b == 0 && a != 0 && !std::isnan(a)) Raise(err::kDivisionByZero);
    return Checked(a / b, Finite(a, b));
}

CountingLoop::CountingLoop(Single& variable, long double start, long double limit)
    : variable_(variable), limit_(limit) {
    variable_ = StoreSingle(start);
}

bool CountingLoop::Next() {
    variable_ = StoreSingle(Add(variable_, 1));
    return variable_ <= limit_;
}

}  // namespace rt
