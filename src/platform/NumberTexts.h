#pragma once

#include <cstdint>
#include <string>

namespace quillax {

// Shortest text that reads back as the same float; "nan", "inf" and "-inf" for the others.
std::string FloatText(float value);
// "0x00FF": a raw field, digits wide, as a hex dump shows it.
std::string HexText(uint32_t value, int digits);

} // namespace quillax
