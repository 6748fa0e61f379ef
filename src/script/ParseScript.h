// The script parser: turns the input text into the StatementList.
#pragma once

#include <string_view>

#include "Statement.h"

namespace script {

// Parses control statements <-X:value> and hands every other stretch of text
// to the phrase splitter. The text ends at its end or at its first NUL byte.
StatementList ParseScript(std::string_view inputText);

}  // namespace script
