#include "support/RecordingSound.h"

QList<int> RecordingSound::playedIndices(const std::array<QByteArray, 4> &clips) const
{
    QList<int> indices;
    for (const QByteArray &image : m_plays) {
        const auto found = std::find(clips.begin(), clips.end(), image);
        indices.append(found == clips.end() ? -1 : int(found - clips.begin()));
    }
    return indices;
}
