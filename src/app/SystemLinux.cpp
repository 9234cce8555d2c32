#include "app/System.h"

#include <alsa/asoundlib.h>
#include <fontconfig/fontconfig.h>

namespace vocarin {

namespace {

// Keeps ALSA from printing its own lines when there is no sound card.
void quietAlsa(const char*, int, const char*, int, const char*, ...) {}

} // namespace

void prepareSystemServices()
{
    // Reading fontconfig's configuration is among the slowest steps of
    // start-up; Qt's font database then finds it loaded.
    FcInit();
    snd_lib_error_set_handler(quietAlsa);
}

} // namespace vocarin
