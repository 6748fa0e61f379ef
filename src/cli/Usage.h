#pragma once

namespace cli {

// Writes the usage text to standard output, one line at a time.
void ShowUsage();

}  // namespace cli
