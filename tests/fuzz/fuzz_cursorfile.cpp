// Fuzz target: cursor files, which a course author or user may replace.
#include "cursorfile.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
  const auto cursor = ParseCursorFile(bytes);
  // What parses must be a real picture with its hot spot inside it.
  if (cursor && (cursor->image.isNull() || !cursor->image.rect().contains(cursor->hotSpot))) __builtin_trap();
  return 0;
}
