#pragma once

#include <QByteArray>
#include <QObject>
#include <QProcess>
#include <QVector>

#include <limits>

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
    // Steady-clock nanoseconds at which the sample with this index was played,
    // as seen from the earliest-arriving chunk (an upper bound by the monitor's
    // own small delay).
    qint64 timeOfSample(qint64 index) const;
    qint64 sampleAt(qint64 nanoseconds) const;

    static qint64 now();

private:
    void takeOutput();

    QProcess m_parec;
    QByteArray m_raw;
    qint64 m_origin{std::numeric_limits<qint64>::max()};
};
