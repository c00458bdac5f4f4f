#pragma once

#include <QString>
#include <QtGlobal>

#include <optional>

// Numbers in the settings store: decimal text of a 16-bit signed integer, digits only,
// a leading minus sign for a negative value, no blanks.
class StoredNumber
{
public:
    // The value of a stored text, or nothing when the text is not such a number in
    // -32768..32767 (empty, blanks, a sign other than a leading minus, other digits, too big).
    static std::optional<qint16> toInt16(const QString &text);
    // The stored form of a value.
    static QString fromInt16(qint16 value);
};
