#include "cli/CliProgram.h"

int main(int argc, char** argv) { return quorvane::cli::RunCli(argc, argv); }
