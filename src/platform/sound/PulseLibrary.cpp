#include "platform/sound/PulseLibrary.h"

#include <QLibrary>

#include <optional>

namespace {

std::optional<PulseLibrary> load()
{
    // Never unloaded: its threads and exit handlers may outlive any owner.
    QLibrary library(QStringLiteral("pulse"), 0);
    if (!library.load())
        return std::nullopt;
    PulseLibrary functions;
    bool complete = true;
#define TESSALY_PULSE_RESOLVE(name)                                                  \
    functions.name = reinterpret_cast<decltype(functions.name)>(library.resolve(#name)); \
    complete = complete && functions.name;
    TESSALY_PULSE_FUNCTIONS(TESSALY_PULSE_RESOLVE)
#undef TESSALY_PULSE_RESOLVE
    if (!complete)
        return std::nullopt;
    return functions;
}

} // namespace

const PulseLibrary *PulseLibrary::get()
{
    static const std::optional<PulseLibrary> library = load();
    return library ? &*library : nullptr;
}
