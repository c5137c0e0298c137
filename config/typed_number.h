#pragma once
// The integer conversion applied to numbers typed into the configuration window.

#include <cstdint>
#include <optional>
#include <string_view>

namespace kestrani {

// Leading blanks, an optional sign, then decimal digits, or hexadecimal digits
// after "$" or "0x"; nothing may follow, and the value must fit 32 bits signed.
// Anything else (an empty text included) gives no value.
std::optional<std::int32_t> parseTypedInteger(std::string_view text);

}  // namespace kestrani
