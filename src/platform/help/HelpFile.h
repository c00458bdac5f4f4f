#pragma once

#include "platform/files/RegularFile.h"

#include <QList>
#include <QString>
#include <QtGlobal>

#include <optional>

// A help file as the help viewer reads it: one HTML document whose body is split
// into topics by marker comments,
//   <!-- topic id="scores" context="6" title="High Scores" -->
// each topic running to the next marker or the end of the body. The first topic is
// the contents. A document without markers is one topic. Opened in a web browser
// the same file reads as one long page, each topic under its own anchor.
class HelpFile
{
public:
    struct Topic
    {
        QString id;
        std::optional<quint32> context;
        QString title;
        QString html;
    };

    static constexpr qint64 maxFileSize = 16 * 1024 * 1024;

    // Reads and splits fileName; false when it cannot be read or holds nothing. The
    // same file, unchanged since it was last read, is not read again.
    bool load(const QString &fileName);
    // Splits an already decoded document, in time linear in its length.
    void parse(const QString &document);

    QString title() const { return m_title; }
    const QList<Topic> &topics() const { return m_topics; }
    const Topic *contents() const;
    const Topic *topicById(const QString &id) const;
    const Topic *topicByContext(quint32 context) const;

    // A complete page for the browser: the file's style sheet around one body.
    QString page(const QString &bodyHtml) const;

private:
    QString m_title;
    QString m_styleSheet;
    QList<Topic> m_topics;
    QString m_fileName;
    std::optional<RegularFile::Identity> m_identity;
    bool m_loaded{false};
};
