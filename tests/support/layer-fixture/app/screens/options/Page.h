// An options page.
#include "app/shell/Block.h"
