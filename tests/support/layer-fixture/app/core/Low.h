// Points up: the core may not use the shell.
#include "app/shell/Block.h"
