#pragma once
// quorvane-cli from its arguments to its exit status.

namespace quorvane::cli {

// Exit statuses.
inline constexpr int kExitOk = 0;
inline constexpr int kExitFailed = 1;  // a value, request or file failed
inline constexpr int kExitUsage = 2;

int RunCli(int argc, char** argv);

}  // namespace quorvane::cli
