// Fuzz target: decoding stored text, and its round trip through encoding.
#include "storedtext.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
  const QString text = DecodeTranslation(bytes);
  // Whatever decodes must survive being stored again, carriage returns aside.
  if (DecodeTranslation(EncodeTranslation(text)) != StripCarriageReturns(text)) __builtin_trap();
  DecodeSettingsText(bytes);
  return 0;
}
