#include "ui/FontConfiguration.h"

#include <future>

#ifdef KESTREL_HAVE_FONTCONFIG
#include <fontconfig/fontconfig.h>
#endif

namespace kestrel {

namespace {
std::future<void> reading;
}

void StartReadingFontConfiguration() {
#ifdef KESTREL_HAVE_FONTCONFIG
    // FcInit keeps what it reads for the whole process; Qt's own call then returns at once.
    if (!reading.valid()) reading = std::async(std::launch::async, [] { FcInit(); });
#endif
}

void AwaitFontConfiguration() {
    if (reading.valid()) reading.get();
}

}  // namespace kestrel
