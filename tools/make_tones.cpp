// Writes the four tone clips 101.wav .. 104.wav into the folder given on the
// command line: 16-bit mono PCM at 22050 Hz, 4350 samples, the plain 44-byte
// RIFF/WAVE header and nothing else, 8744 bytes each.
//
// Each period is a half sine up and a taller half sine down whose bottom is cut
// flat at -9376 for a sixth of the period; the flat bottom adds soft harmonics
// and both halves peak at the same magnitude. The tone starts on a rising zero
// crossing and its frequency is nudged (at most 0.2 %) to a whole number of half
// periods, so the last sample lands on a zero crossing too: no click at either end.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <numbers>
#include <string>
#include <vector>

namespace {

constexpr int kSampleRate = 22050;
constexpr int kSamples = 4350;
constexpr int kPeak = 9376;
constexpr int kHeaderBytes = 44;
constexpr int kDataBytes = kSamples * 2;

struct Tone
{
    int id;
    double hertz;
};

constexpr Tone kTones[] = {{101, 259.1}, {102, 326.5}, {103, 388.2}, {104, 489.2}};

// The nearest frequency at which the span from the first to the last sample
// holds a whole number of half periods.
double fittedHertz(double hertz)
{
    const double span = double(kSamples - 1) / kSampleRate;
    return std::round(2.0 * hertz * span) / (2.0 * span);
}

std::vector<std::int16_t> samples(double hertz)
{
    const double pi = std::numbers::pi;
    const double period = kSampleRate / hertz;
    // Tall enough that every period has a sample at the top, which the clamp
    // turns into exactly +kPeak.
    const double up = kPeak / std::cos(pi / period);
    // sin(60 deg) of this reaches -kPeak: the flat bottom spans 120 of 360 deg.
    const double down = kPeak / std::sin(pi / 3.0);
    std::vector<std::int16_t> out(kSamples);
    for (int n = 0; n < kSamples; ++n) {
        const double cycles = n * hertz / kSampleRate;
        const double s = std::sin(2.0 * pi * (cycles - std::floor(cycles)));
        const double value = s >= 0.0 ? up * s : down * s;
        const double clamped = std::fmax(-kPeak, std::fmin(kPeak, std::round(value)));
        out[n] = std::int16_t(clamped);
    }
    return out;
}

void put16(std::vector<unsigned char> &bytes, unsigned value)
{
    bytes.push_back(value & 0xff);
    bytes.push_back((value >> 8) & 0xff);
}

void put32(std::vector<unsigned char> &bytes, std::uint32_t value)
{
    put16(bytes, value & 0xffff);
    put16(bytes, value >> 16);
}

void putTag(std::vector<unsigned char> &bytes, const char (&tag)[5])
{
    bytes.insert(bytes.end(), tag, tag + 4);
}

std::vector<unsigned char> waveImage(const std::vector<std::int16_t> &pcm)
{
    std::vector<unsigned char> bytes;
    bytes.reserve(kHeaderBytes + kDataBytes);
    putTag(bytes, "RIFF");
    put32(bytes, kHeaderBytes - 8 + kDataBytes);
    putTag(bytes, "WAVE");
    putTag(bytes, "fmt ");
    put32(bytes, 16);
    put16(bytes, 1); // PCM
    put16(bytes, 1); // mono
    put32(bytes, kSampleRate);
    put32(bytes, kSampleRate * 2); // bytes per second
    put16(bytes, 2); // block align
    put16(bytes, 16); // bits per sample
    putTag(bytes, "data");
    put32(bytes, kDataBytes);
    for (const std::int16_t sample : pcm)
        put16(bytes, std::uint16_t(sample));
    return bytes;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <output folder>\n", argv[0]);
        return 2;
    }
    const std::filesystem::path folder = argv[1];
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    for (const Tone &tone : kTones) {
        const double hertz = fittedHertz(tone.hertz);
        const std::vector<std::int16_t> pcm = samples(hertz);
        if (pcm.front() != 0 || pcm.back() != 0) {
            std::fprintf(stderr, "tone %d does not start and end on zero\n", tone.id);
            return 1;
        }
        const std::vector<unsigned char> bytes = waveImage(pcm);
        const std::filesystem::path file = folder / (std::to_string(tone.id) + ".wav");
        std::ofstream out(file, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char *>(bytes.data()), std::streamsize(bytes.size()));
        out.close();
        if (!out) {
            std::fprintf(stderr, "cannot write %s\n", file.string().c_str());
            return 1;
        }
        std::printf("%s: %.2f Hz (asked %.1f Hz), %zu bytes\n", file.string().c_str(), hertz,
                    tone.hertz, bytes.size());
    }
    return 0;
}
