#include "app/Identity.h"

#include <QCoreApplication>

namespace {
// Every test runs under the game's own name and version, as the game does.
void applyIdentity()
{
    Identity::apply();
}
} // namespace
Q_COREAPP_STARTUP_FUNCTION(applyIdentity)
