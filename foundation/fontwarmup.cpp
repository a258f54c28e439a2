#include "fontwarmup.h"

#include <fontconfig/fontconfig.h>

// Fontconfig may be set up from any thread; Qt later finds it ready.
FontConfigurationWarmUp::FontConfigurationWarmUp() : thread_([] { FcInit(); }) {}

FontConfigurationWarmUp::~FontConfigurationWarmUp() { thread_.join(); }
