#include "platform/sound/PulseLibrary.h"

#include "platform/sound/SharedLibrary.h"

const PulseLibrary *PulseLibrary::get()
{
    static const std::optional<PulseLibrary> library = SharedLibrary::resolve<PulseLibrary>(
        QStringLiteral("pulse"), 0, [](PulseLibrary &functions, const auto &lookup) {
#define TESSALY_PULSE_RESOLVE(name) lookup(functions.name, #name);
            TESSALY_PULSE_FUNCTIONS(TESSALY_PULSE_RESOLVE)
#undef TESSALY_PULSE_RESOLVE
        });
    return library ? &*library : nullptr;
}
