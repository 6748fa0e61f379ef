// The one question the engine asks the operating system: where was this
// copy of the library loaded from?
#pragma once

#include <string>

namespace engine {

// The name of the folder that holds this library file ("f1" for
// .../dll/f1/AquesTalk.dll), or the empty string when it cannot be told.
std::string LibraryFolderName();

}  // namespace engine
