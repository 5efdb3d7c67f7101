#pragma once

#include <exception>

namespace rt {

// The one failure of the program: a numbered runtime error. Every service
// raises it; it travels to the event dispatch, which reports it and ends the
// program.
class RuntimeError : public std::exception {
public:
    explicit RuntimeError(int number) noexcept : number_(number) {}

    int Number() const noexcept { return number_; }
    const char* what() const noexcept override { return "runtime error"; }

private:
    int number_;
};

[[noreturn]] inline void Raise(int number) { throw RuntimeError(number); }

}  // namespace rt
