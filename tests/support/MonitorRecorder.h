#pragma once

#include <QByteArray>
#include <QObject>
#include <QProcess>
#include <QVector>

#include <vector>

// Records what the test sound server's null sink plays, through parec on its
// monitor, as 16-bit mono at 22050 Hz, and places each recorded sample on the
// steady clock so a recording can be matched against the moments of play().
class MonitorRecorder final : public QObject
{
public:
    static constexpr int kRate = 22050;

    explicit MonitorRecorder(QObject *parent = nullptr);
    ~MonitorRecorder() override;

    // Starts parec and returns once audio flows, or false when it does not.
    bool start();
    void stop();

    QVector<qint16> samples() const;
    // Steady-clock nanoseconds at which the sample with this index was played: the
    // tightest bound that the arrivals of the chunks from it on set (an upper bound
    // by the monitor's own small delay). Only later chunks count: samples that the
    // recording lost before (PipeWire's monitor drops some as its period changes)
    // would date it too early, those it lost after only loosen their bound.
    qint64 timeOfSample(qint64 index) const;
    qint64 sampleAt(qint64 nanoseconds) const;

    static qint64 now();

private:
    void takeOutput();

    struct Chunk
    {
        qint64 arrived; // steady-clock nanoseconds
        qint64 end;     // samples received by then
    };

    QProcess m_parec;
    QByteArray m_raw;
    std::vector<Chunk> m_chunks;
};
