#pragma once

#include <QByteArray>
#include <QVector>
#include <QtGlobal>

// Finds the tones in a recording of the game: where sound is, and at what pitch.
namespace ToneAnalysis {

constexpr double rate = 22050;
constexpr double lightPitch[] = {259.1, 326.5, 388.2, 489.2};

struct Span
{
    qint64 first{};
    qint64 end{};  // one past the last loud sample
    double seconds() const { return double(end - first) / rate; }
};

// 16-bit little-endian samples from raw bytes.
QVector<qint16> samplesOf(const QByteArray &bytes);
// Stretches of sound, split where it stays quiet for longer than a tone ever does.
QVector<Span> soundingSpans(const QVector<qint16> &samples, int loud = 2000, int mergeGap = 60);
// The largest sample-to-sample step: a clean tone's onset, waveform and end stay
// below clickStep, a click (a cut at full level, a lost sample) goes above it.
int steepestStep(const QVector<qint16> &samples);
constexpr int clickStep = 3000; // twice the steepest step inside a clip (1504, at 489 Hz)
// Rising zero crossings within span, in fractional samples.
QVector<double> risingCrossings(const QVector<qint16> &samples, const Span &span);
// Frequency in Hz from the crossings, 0 when there are too few.
double pitchOf(const QVector<double> &crossings);
// The light whose tone is within 2 % of pitch, or -1.
int lightOf(double pitch);

} // namespace ToneAnalysis
