// The platform knows no other folder, not even the shared state.
#include "state/loginstate.h"
