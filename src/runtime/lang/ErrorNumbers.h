#pragma once

// Runtime error numbers with a fixed meaning. Numbers that come only from the
// system error mapping live in that table.
namespace rt::err {

inline constexpr int kBadArgument = 5;        // argument outside its domain, invalid operation
inline constexpr int kOverflow = 6;           // number too large for its destination
inline constexpr int kListFull = 4;           // the list has no room for another item
inline constexpr int kOutOfMemory = 7;
inline constexpr int kIndexOutOfRange = 9;
inline constexpr int kAlreadyDimensioned = 10;
inline constexpr int kDivisionByZero = 11;
inline constexpr int kStringTooLong = 15;
inline constexpr int kSystemFailure = 27;     // a system error code without a mapping
inline constexpr int kBadFileNumber = 50;     // file or search number outside its range
inline constexpr int kNumberInUse = 52;       // number already bound, or file open under a number
inline constexpr int kSearchPastEnd = 54;     // next called again after the end
inline constexpr int kBadFileName = 55;
inline constexpr int kNotOpen = 57;           // number not bound
inline constexpr int kNotFound = 63;
inline constexpr int kAlreadyExists = 64;
inline constexpr int kAccessDenied = 75;
inline constexpr int kNoLineBuffer = 89;      // no memory for a line to write
inline constexpr int kUnboundHandle = 1000;   // control handle not bound, or its window gone
inline constexpr int kWrongKind = 1002;       // control handle of the wrong kind
inline constexpr int kNotConvertible = 1005;  // value unfit for a window operation
inline constexpr int kNoSuchControl = 1013;
inline constexpr int kListFailed = 1016;      // the list refused an item or an index

}  // namespace rt::err
