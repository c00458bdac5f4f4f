#pragma once

#include <QLibrary>
#include <QString>

#include <optional>
#include <type_traits>

namespace SharedLibrary {

// Loads lib<name>.so.<version> and has fill look up each of Table's functions with
// lookup(member, "symbol"); empty when the library is missing or lacks a function.
// The library is never unloaded: its threads and exit handlers may outlive any owner.
template <typename Table, typename Fill>
std::optional<Table> resolve(const QString &name, int version, Fill fill)
{
    QLibrary library(name, version);
    if (!library.load())
        return std::nullopt;
    Table table;
    bool complete = true;
    fill(table, [&library, &complete](auto &member, const char *symbol) {
        member = reinterpret_cast<std::remove_reference_t<decltype(member)>>(library.resolve(symbol));
        complete = complete && member;
    });
    if (!complete)
        return std::nullopt;
    return table;
}

} // namespace SharedLibrary
