#include "platform/sound/PipeWireLibrary.h"

#include "platform/sound/SharedLibrary.h"

const PipeWireLibrary *PipeWireLibrary::get()
{
    static const std::optional<PipeWireLibrary> library = [] {
        std::optional<PipeWireLibrary> loaded = SharedLibrary::resolve<PipeWireLibrary>(
            QStringLiteral("pipewire-0.3"), 0, [](PipeWireLibrary &functions, const auto &lookup) {
#define TESSALY_PIPEWIRE_RESOLVE(name) lookup(functions.name, #name);
                TESSALY_PIPEWIRE_FUNCTIONS(TESSALY_PIPEWIRE_RESOLVE)
#undef TESSALY_PIPEWIRE_RESOLVE
            });
        if (loaded)
            loaded->pw_init(nullptr, nullptr);
        return loaded;
    }();
    return library ? &*library : nullptr;
}
