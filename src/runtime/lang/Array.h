#pragma once

#include <cstdint>
#include <new>
#include <vector>

#include "runtime/lang/ErrorNumbers.h"
#include "runtime/lang/Numbers.h"
#include "runtime/lang/RuntimeError.h"

namespace rt {

// A program array indexed from 0 to its upper bound. Elements start as 0 or
// "" (value-initialised); an index outside the bounds raises 9.
template <typename T>
class Array {
public:
    Array() = default;
    explicit Array(long double upperBound) { Dim(upperBound); }

    // Gives the array its upper bound: negative raises 5, a second time 10.
    void Dim(long double upperBound) {
        if (dimensioned_) Raise(err::kAlreadyDimensioned);
        const std::int32_t upper = IntArg(upperBound);
        if (upper < 0 || upper == INT32_MAX) Raise(err::kBadArgument);
        try {
            elements_.resize(static_cast<std::size_t>(upper) + 1);
        } catch (const std::bad_alloc&) {
            Raise(err::kOutOfMemory);
        }
        dimensioned_ = true;
    }

    T& operator[](long double index) { return elements_[Checked(index)]; }
    const T& operator[](long double index) const { return elements_[Checked(index)]; }

private:
    std::size_t Checked(long double index) const {
        const std::int32_t i = IntArg(index);
        if (i < 0 || static_cast<std::size_t>(i) >= elements_.size()) Raise(err::kIndexOutOfRange);
        return static_cast<std::size_t>(i);
    }

    std::vector<T> elements_;
    bool dimensioned_ = false;
};

}  // namespace rt
