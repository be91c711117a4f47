// Points up: results may not use the connection search.
#include "engine/search/connections/Run.h"
