// The run.
#include "engine/search/results/Store.h"
#include "engine/search/t9/Match.h"
