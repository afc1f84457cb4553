#pragma once
// Input for `quorvane-cli --batch`: a deterministic mix of the three request
// kinds, every one of them valid, one per line.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace quorvane::bench {

std::string GenerateBatchRequests(std::size_t count);

// The same requests as command-line VALUEs: "sd 41153.7" gives 41153.7,
// "md 2364 2 26" 2364-2-26 and "yd 2364 57" 2364:57.
std::vector<std::string> ArgumentValuesFor(std::string_view requests);

}  // namespace quorvane::bench
