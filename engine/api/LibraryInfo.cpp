// The exported functions of the engine are gathered in this folder, one family per file.
// Until they exist the library carries only its internals.
#include "engine/data/EngineException.h"
