// The failure model of the skin engine: a failure carries a number and a description, and each
// procedure traps its own where the system says (per skin line, per command, per refresh).
#pragma once

#include <stdexcept>
#include <string>

namespace quavero {

// Failure numbers the engine raises; the descriptions are those users of the program know.
namespace errors {
inline constexpr int kInvalidCall = 5;
inline constexpr int kOverflow = 6;
inline constexpr int kSubscriptOutOfRange = 9;
inline constexpr int kDivisionByZero = 11;
inline constexpr int kTypeMismatch = 13;
inline constexpr int kBadFileName = 52;
inline constexpr int kFileNotFound = 53;
inline constexpr int kInputPastEnd = 62;
inline constexpr int kPermissionDenied = 70;
inline constexpr int kPathFileAccess = 75;
inline constexpr int kPathNotFound = 76;
inline constexpr int kObjectNotSet = 91;
inline constexpr int kNoSuchElement = 340;
inline constexpr int kInvalidPropertyValue = 380;
inline constexpr int kNoSuchMember = 438;
inline constexpr int kKeyInUse = 457;
}  // namespace errors

class Failure : public std::runtime_error {
 public:
  Failure(int number, std::string description);
  // A failure with the standard description of its number.
  explicit Failure(int number);

  int number() const { return number_; }
  const std::string& description() const { return description_; }

 private:
  int number_;
  std::string description_;
};

// The description users know for a failure number ("Overflow", "Type mismatch", ...).
std::string StandardDescription(int number);

// The number and description of any failure caught; what is not a Failure counts as 5.
int NumberOf(const std::exception& failure);
std::string DescriptionOf(const std::exception& failure);

// Failure 340 for an element index that was never created.
Failure NoSuchElement(int index);

}  // namespace quavero
