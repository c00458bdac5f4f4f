#include "scores/StoredNumber.h"

std::optional<qint16> StoredNumber::toInt16(const QString &text)
{
    const bool negative = text.startsWith(u'-');
    const QStringView digits = QStringView(text).sliced(negative ? 1 : 0);
    if (digits.isEmpty())
        return std::nullopt;
    // Accumulate with a cap so that a text of any length cannot overflow.
    qint32 magnitude = 0;
    for (const QChar c : digits) {
        if (c < u'0' || c > u'9')
            return std::nullopt;
        magnitude = qMin<qint32>(magnitude * 10 + (c.unicode() - u'0'), 100000);
    }
    const qint32 value = negative ? -magnitude : magnitude;
    if (value < -32768 || value > 32767)
        return std::nullopt;
    return qint16(value);
}

QString StoredNumber::fromInt16(qint16 value)
{
    return QString::number(value);
}
