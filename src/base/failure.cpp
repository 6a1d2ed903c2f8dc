#include "base/failure.h"

namespace quavero {

Failure::Failure(int number, std::string description)
    : std::runtime_error(description), number_(number), description_(std::move(description)) {}

Failure::Failure(int number) : Failure(number, StandardDescription(number)) {}

std::string StandardDescription(int number) {
  switch (number) {
    case errors::kInvalidCall: return "Invalid procedure call or argument";
    case errors::kOverflow: return "Overflow";
    case errors::kSubscriptOutOfRange: return "Subscript out of range";
    case errors::kDivisionByZero: return "Division by zero";
    case errors::kTypeMismatch: return "Type mismatch";
    case errors::kBadFileName: return "Bad file name or number";
    case errors::kFileNotFound: return "File not found";
    case errors::kInputPastEnd: return "Input past end of file";
    case errors::kPermissionDenied: return "Permission denied";
    case errors::kPathFileAccess: return "Path/File access error";
    case errors::kPathNotFound: return "Path not found";
    case errors::kObjectNotSet: return "Object variable or With block variable not set";
    case errors::kInvalidPropertyValue: return "Invalid property value";
    case errors::kNoSuchMember: return "Object doesn't support this property or method";
    case errors::kKeyInUse: return "This key is already associated with an element of this collection";
    default: return "Application-defined or object-defined error";
  }
}

Failure NoSuchElement(int index) {
  return Failure(errors::kNoSuchElement,
                 "Control array element '" + std::to_string(index) + "' doesn't exist");
}

int NumberOf(const std::exception& failure) {
  auto* f = dynamic_cast<const Failure*>(&failure);
  return f ? f->number() : errors::kInvalidCall;
}

std::string DescriptionOf(const std::exception& failure) {
  auto* f = dynamic_cast<const Failure*>(&failure);
  return f ? f->description() : failure.what();
}

}  // namespace quavero
