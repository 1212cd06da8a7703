#include "FontWarmUp.h"

#include <fontconfig/fontconfig.h>

#include <system_error>

namespace tilemere {

FontWarmUp::FontWarmUp()
{
    try {
        reader_ = std::thread([] { FcInit(); });
    } catch (const std::system_error &) {
        // No thread to spare: Qt reads the fonts itself when it needs them.
    }
}

FontWarmUp::~FontWarmUp()
{
    wait();
}

void FontWarmUp::wait()
{
    if (reader_.joinable())
        reader_.join();
}

} // namespace tilemere
