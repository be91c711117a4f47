// A building block.
#include "app/core/Low.h"
