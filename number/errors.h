// SPDX-License-Identifier: MIT
// The program's error classes. Every error carries the message that the error
// box shows; the three arithmetic faults share EMathError, file faults carry
// their I/O code.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>

namespace nestora {

class Error : public std::runtime_error {
  public:
    explicit Error(const std::string& message) : std::runtime_error(message) {}
    std::string message() const { return what(); }
};

class EMathError : public Error {
  public:
    using Error::Error;
};

// 0 × ∞, ∞ − ∞, 0 ÷ 0, an infinity, NaN or out-of-range value made an integer.
class EInvalidOp : public EMathError {
  public:
    EInvalidOp() : EMathError("Invalid floating point operation") {}
};

// A finite non-zero value divided by zero.
class EZeroDivide : public EMathError {
  public:
    EZeroDivide() : EMathError("Floating point division by zero") {}
};

// A result beyond the extended range, or beyond the double range when a value
// is made a double.
class EOverflow : public EMathError {
  public:
    EOverflow() : EMathError("Floating point overflow") {}
};

// The message for an I/O code: "File not found", ..., "I/O error 112".
std::string InOutMessage(std::int32_t code);

// A failed file operation or a bad number in a file; the message follows from
// the code (InOutMessage).
class EInOutError : public Error {
  public:
    explicit EInOutError(std::int32_t code);
    std::int32_t code() const { return code_; }

  private:
    std::int32_t code_;
};

}  // namespace nestora
