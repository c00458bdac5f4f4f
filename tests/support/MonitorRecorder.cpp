#include "MonitorRecorder.h"
#include "ToneAnalysis.h"

#include <QDeadlineTimer>
#include <QEventLoop>
#include <QTimer>

#include <algorithm>
#include <chrono>

MonitorRecorder::MonitorRecorder(QObject *parent)
    : QObject(parent)
{
    connect(&m_parec, &QProcess::readyReadStandardOutput, this, &MonitorRecorder::takeOutput);
}

MonitorRecorder::~MonitorRecorder()
{
    stop();
}

qint64 MonitorRecorder::now()
{
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

bool MonitorRecorder::start()
{
    m_raw.clear();
    m_chunks.clear();
    m_parec.start(QStringLiteral("parec"),
                  {QStringLiteral("-d"), QStringLiteral("tessaly_null.monitor"),
                   QStringLiteral("--format=s16le"), QStringLiteral("--rate=%1").arg(kRate),
                   QStringLiteral("--channels=1"), QStringLiteral("--raw"),
                   QStringLiteral("--latency-msec=5")});
    if (!m_parec.waitForStarted(5000))
        return false;
    // Wait (in the event loop, so chunks keep their arrival times) for audio to
    // flow for a little while, so the clock estimate has settled.
    QEventLoop loop;
    QTimer poll;
    const QDeadlineTimer deadline(5000);
    connect(&poll, &QTimer::timeout, &loop, [&] {
        if (m_raw.size() >= kRate / 5 * 2 || deadline.hasExpired()
            || m_parec.state() != QProcess::Running)
            loop.quit();
    });
    poll.start(10);
    loop.exec();
    return m_raw.size() >= kRate / 5 * 2;
}

void MonitorRecorder::stop()
{
    if (m_parec.state() == QProcess::NotRunning)
        return;
    takeOutput();
    m_parec.terminate();
    if (!m_parec.waitForFinished(3000)) {
        m_parec.kill();
        m_parec.waitForFinished(3000);
    }
}

void MonitorRecorder::takeOutput()
{
    const qint64 arrived = now();
    m_raw += m_parec.readAllStandardOutput();
    // Every sample in hand was played by now.
    const qint64 received = m_raw.size() / 2;
    if (received > (m_chunks.empty() ? 0 : m_chunks.back().end))
        m_chunks.push_back({arrived, received});
}

QVector<qint16> MonitorRecorder::samples() const
{
    return ToneAnalysis::samplesOf(m_raw);
}

qint64 MonitorRecorder::timeOfSample(qint64 index) const
{
    const auto bound = [index](const Chunk &chunk) {
        return chunk.arrived - (chunk.end - index) * 1'000'000'000LL / kRate;
    };
    auto chunk = std::upper_bound(m_chunks.begin(), m_chunks.end(), index,
                                  [](qint64 sample, const Chunk &c) { return sample < c.end; });
    if (chunk == m_chunks.end()) // not recorded yet: after the last one, as if played on
        return m_chunks.empty() ? 0 : bound(m_chunks.back());
    qint64 best = bound(*chunk);
    for (++chunk; chunk != m_chunks.end(); ++chunk)
        best = qMin(best, bound(*chunk));
    return best;
}

qint64 MonitorRecorder::sampleAt(qint64 nanoseconds) const
{
    // The first sample played at or after that moment.
    qint64 low = 0;
    qint64 high = m_chunks.empty() ? 0 : m_chunks.back().end;
    while (low < high) {
        const qint64 middle = (low + high) / 2;
        if (timeOfSample(middle) < nanoseconds)
            low = middle + 1;
        else
            high = middle;
    }
    return low;
}
