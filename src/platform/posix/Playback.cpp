// Implemented with the wave output work.
#include "../Platform.h"
