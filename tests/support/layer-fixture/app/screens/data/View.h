// Points sideways: the data views may not use the options.
#include "app/screens/options/Page.h"
