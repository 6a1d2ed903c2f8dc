// The value conversions of the skin format and of code parameters on any text.
#include <cmath>

#include "base/values.h"
#include "fuzz_support.h"

using namespace quavero;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string s = fuzz::Text(data, size);
  auto guarded = [](auto convert) {
    try {
      convert();
    } catch (const Failure&) {
      // overflow and type mismatch are failures the program traps where it reads
    }
  };
  double number = 0;
  guarded([&] { number = values::LeadingNumber(s); });  // "&H" beyond 32 bits overflows
  guarded([&] { values::ShortValue(s); });
  guarded([&] { values::LongValue(s); });
  guarded([&] { values::ColourValue(s); });
  guarded([&] { values::ToFlag(s); });
  guarded([&] { values::ToShort(number); });
  guarded([&] { values::ToLong(number); });
  values::IsNumeric(s);
  if (std::isfinite(number)) values::FormatSingle(number);
  return 0;
}
