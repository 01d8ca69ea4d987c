// A model file of the login: a floor below, the shared state and a public face of a subsystem
// above may be included; any other header of a subsystem above may not.
#include "foundation/folders.h"
#include "site/site_api.h"
#include "site/sitemodel.h"
#include "state/loginstate.h"
