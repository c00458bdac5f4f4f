#include "support/ToneAnalysis.h"

#include <cmath>
#include <cstdlib>
#include <cstring>

QVector<qint16> ToneAnalysis::samplesOf(const QByteArray &bytes)
{
    QVector<qint16> samples(bytes.size() / 2);
    if (!samples.isEmpty())
        std::memcpy(samples.data(), bytes.constData(), size_t(samples.size()) * 2);
    return samples;
}

QVector<ToneAnalysis::Span> ToneAnalysis::soundingSpans(const QVector<qint16> &samples, int loud, int mergeGap)
{
    QVector<Span> spans;
    for (qint64 i = 0; i < samples.size(); ++i) {
        if (std::abs(samples[i]) < loud)
            continue;
        if (!spans.isEmpty() && i - spans.last().end <= mergeGap)
            spans.last().end = i + 1;
        else
            spans.append({i, i + 1});
    }
    return spans;
}

int ToneAnalysis::steepestStep(const QVector<qint16> &samples)
{
    int steepest = 0;
    for (qsizetype i = 1; i < samples.size(); ++i)
        steepest = qMax(steepest, std::abs(samples[i] - samples[i - 1]));
    return steepest;
}

QVector<double> ToneAnalysis::risingCrossings(const QVector<qint16> &samples, const Span &span)
{
    QVector<double> crossings;
    for (qint64 i = qMax<qint64>(span.first, 1); i < span.end; ++i) {
        if (samples[i - 1] < 0 && samples[i] >= 0)
            crossings.append(double(i - 1) + double(-samples[i - 1]) / double(samples[i] - samples[i - 1]));
    }
    return crossings;
}

double ToneAnalysis::pitchOf(const QVector<double> &crossings)
{
    if (crossings.size() < 3)
        return 0.0;
    return double(crossings.size() - 1) * rate / (crossings.last() - crossings.first());
}

int ToneAnalysis::lightOf(double pitch)
{
    for (int light = 0; light < 4; ++light) {
        if (std::abs(pitch / lightPitch[light] - 1.0) < 0.02)
            return light;
    }
    return -1;
}
