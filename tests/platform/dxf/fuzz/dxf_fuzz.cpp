// libFuzzer target: any bytes given to the reader end in success or a clear error, never in a
// crash, a hang or unbounded memory. Built and run by scripts/fuzz_dxf.sh.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "db/dbmain.h"
#include "dxf/dxf_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  ZcDbDatabase db(false, true);
  platform::Read_Dxf_Data(&db, std::string_view(reinterpret_cast<const char*>(data), size), "fuzz.dxf");
  return 0;
}
