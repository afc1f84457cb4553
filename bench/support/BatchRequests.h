#pragma once
// Input for `quorvane-cli --batch`: a deterministic mix of the three request
// kinds, every one of them valid, one per line.

#include <cstddef>
#include <string>

namespace quorvane::bench {

std::string GenerateBatchRequests(std::size_t count);

}  // namespace quorvane::bench
