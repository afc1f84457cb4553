#include "conversion/DecimalToDouble.h"

#include <charconv>
#include <system_error>

namespace quorvane {

DecimalValue DecimalToDouble(std::string_view magnitude) {
    DecimalValue result;
    const char* end = magnitude.data() + magnitude.size();
    const auto [ptr, ec] = std::from_chars(magnitude.data(), end, result.value);
    if (ec == std::errc::result_out_of_range) return {0, DecimalStatus::OutOfRange};
    if (ec != std::errc() || ptr != end) return {0, DecimalStatus::NotANumber};
    return result;
}

}  // namespace quorvane
