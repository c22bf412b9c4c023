// libFuzzer: any bytes as a PIF record; the readers must stay inside their fields.
#include <cstddef>
#include <cstdint>

#include "buttons/PifFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  korvi::TPifFile pif;
  pif.ReadPifBytes({data, size});
  if (pif.PifProgram().size() > 63 || pif.PifStartDir().size() > 64 || pif.PifParams().size() > 64)
    __builtin_trap();
  return 0;
}
