// The one instance of the main program's process-wide state.
#include "app.h"

FyxApp g_app;
