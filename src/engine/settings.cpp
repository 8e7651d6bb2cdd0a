#include "engine/settings.h"

#include "engine/engine_globals.h"

TGameSettings gSettings;
