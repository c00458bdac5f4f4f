#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <map>
#include <optional>

// The text of one INI file: sections of keys, each with its value. Read in the dialect
// that Qt's INI format writes (a value that Qt's own reader would turn into a typed
// object stays text here, so no hand-edited line can make the reader build one), and
// written so that both readers give every text back exactly, with keys as spelled
// where the dialect allows ("Last Name Entered", not "Last%20Name%20Entered").
// A value read from a file is written back as the file spelled it.
class IniDocument
{
public:
    // Reads every key that can be read. False when something could not be: a line that
    // is neither a section nor a key, a section without "]", bytes that are not UTF-8,
    // or a typed value; the caller then keeps the original before replacing it.
    bool parse(QByteArrayView data);
    QByteArray text() const;

    // The text of a value, or nothing when the key is absent or stored as no value.
    std::optional<QString> value(const QString &section, const QString &key) const;
    void setValue(const QString &section, const QString &key, const QString &text);

private:
    struct Entry
    {
        QString spelling; // the value as it goes into the file
        std::optional<QString> text;
    };

    static QString spellingOf(const std::optional<QString> &text);

    std::map<QString, std::map<QString, Entry>> mSections;
};
