// Shared state reaches the platform and the foundation only, not even a subsystem's public face.
#include "foundation/table.h"
#include "login/loginrun.h"
#include "site/site_api.h"
