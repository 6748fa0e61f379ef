// The order of a run, from the arguments to the exit code.
#pragma once

#include <string>
#include <vector>

namespace cli {

// Runs the program on its arguments (without the program's own name) and
// gives the exit code: 1 for a run that ended before the engine was loaded,
// 0 otherwise.
int RunProgram(const std::vector<std::string>& arguments);

}  // namespace cli
