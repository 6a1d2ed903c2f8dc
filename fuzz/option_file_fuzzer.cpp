// The option file as the iTunes plug-in reads it.
#include <cstdio>

#include "fuzz_support.h"
#include "plugin/plugin_messages.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::FILE* file = fmemopen(const_cast<uint8_t*>(data), size, "r");
  bool starts = quavero::plugin::StartsQuavero(file);
  if (file) std::fclose(file);
  if (starts && (size == 0 || data[0] != '1')) __builtin_trap();  // only a leading "1" starts it
  return 0;
}
