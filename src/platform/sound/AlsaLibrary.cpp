#include "platform/sound/AlsaLibrary.h"

#include "platform/sound/SharedLibrary.h"

const AlsaLibrary *AlsaLibrary::get()
{
    static const std::optional<AlsaLibrary> library = SharedLibrary::resolve<AlsaLibrary>(
        QStringLiteral("asound"), 2, [](AlsaLibrary &functions, const auto &lookup) {
#define TESSALY_ALSA_RESOLVE(name) lookup(functions.name, #name);
            TESSALY_ALSA_FUNCTIONS(TESSALY_ALSA_RESOLVE)
#undef TESSALY_ALSA_RESOLVE
        });
    return library ? &*library : nullptr;
}
