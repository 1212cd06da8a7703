// The game's two sounds, synthesised: a short click for a sliding tile and a
// round of applause for a solved puzzle. Written as 16-bit PCM WAV files.
#include "common.h"

#include <QDir>

#include <algorithm>
#include <cmath>
#include <vector>

namespace resgen {

namespace {

constexpr int kRate = 44100;

// Peak of about -3 dBFS.
constexpr double kPeak = 0.7;

void putU32(QByteArray &out, std::uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        out.append(static_cast<char>((v >> (8 * i)) & 0xFF));
}

void putU16(QByteArray &out, std::uint16_t v)
{
    out.append(static_cast<char>(v & 0xFF));
    out.append(static_cast<char>((v >> 8) & 0xFF));
}

// Interleaved samples in [-1, 1] to a RIFF/WAVE file of 16-bit PCM.
QByteArray wavFile(const std::vector<double> &samples, int channels)
{
    const std::uint32_t dataBytes = static_cast<std::uint32_t>(samples.size() * 2);
    QByteArray out;
    out.append("RIFF");
    putU32(out, 36 + dataBytes);
    out.append("WAVE");
    out.append("fmt ");
    putU32(out, 16);
    putU16(out, 1);                                   // PCM
    putU16(out, static_cast<std::uint16_t>(channels));
    putU32(out, kRate);
    putU32(out, static_cast<std::uint32_t>(kRate * channels * 2));
    putU16(out, static_cast<std::uint16_t>(channels * 2));
    putU16(out, 16);
    out.append("data");
    putU32(out, dataBytes);
    for (double s : samples) {
        auto v = static_cast<std::int16_t>(std::lround(std::clamp(s, -1.0, 1.0) * 32767.0));
        putU16(out, static_cast<std::uint16_t>(v));
    }
    return out;
}

void normalise(std::vector<double> &samples, double peak)
{
    double most = 0;
    for (double s : samples)
        most = std::max(most, std::fabs(s));
    if (most > 0)
        for (double &s : samples)
            s *= peak / most;
}

// Two-pole band-pass filter (constant peak gain).
class BandPass {
public:
    BandPass(double centre, double q)
    {
        double w0 = 2 * M_PI * centre / kRate;
        double alpha = std::sin(w0) / (2 * q);
        double a0 = 1 + alpha;
        b0_ = alpha / a0;
        b2_ = -alpha / a0;
        a1_ = -2 * std::cos(w0) / a0;
        a2_ = (1 - alpha) / a0;
    }
    double operator()(double x)
    {
        double y = b0_ * x + b2_ * x2_ - a1_ * y1_ - a2_ * y2_;
        x2_ = x1_;
        x1_ = x;
        y2_ = y1_;
        y1_ = y;
        return y;
    }

private:
    double b0_, b2_, a1_, a2_;
    double x1_ = 0, x2_ = 0, y1_ = 0, y2_ = 0;
};

std::vector<double> click()
{
    const int n = static_cast<int>(0.045 * kRate);
    std::vector<double> out(static_cast<std::size_t>(n));
    Rng rng(2024);
    BandPass body(2600, 2.5);
    for (int i = 0; i < n; ++i) {
        double t = static_cast<double>(i) / kRate;
        double attack = std::min(1.0, t / 0.0004);
        double knock = std::sin(2 * M_PI * 1900 * t) * std::exp(-t / 0.004);
        double thump = std::sin(2 * M_PI * 520 * t) * std::exp(-t / 0.007) * 0.6;
        double tick = body(rng.range(-1, 1)) * std::exp(-t / 0.0025) * 3.0;
        out[static_cast<std::size_t>(i)] = attack * (knock + thump + tick);
    }
    // Fade the tail to silence.
    for (int i = 0; i < n / 5; ++i)
        out[static_cast<std::size_t>(n - 1 - i)] *= static_cast<double>(i) / (n / 5);
    normalise(out, kPeak);
    return out;
}

std::vector<double> applause()
{
    const double seconds = 2.1;
    const int n = static_cast<int>(seconds * kRate);
    std::vector<double> left(static_cast<std::size_t>(n)), right(static_cast<std::size_t>(n));
    Rng rng(77);
    // Each clapper claps at their own steady pace, slightly irregular.
    const int clappers = 24;
    for (int c = 0; c < clappers; ++c) {
        double rate = rng.range(3.2, 5.5);
        double pan = rng.range(0.15, 0.85);
        double loud = rng.range(0.4, 1.0);
        double centre = rng.range(900, 2400);
        double t = rng.range(0.0, 0.25);
        while (t < seconds - 0.05) {
            BandPass filter(centre * rng.range(0.9, 1.1), rng.range(1.0, 2.2));
            int start = static_cast<int>(t * kRate);
            int length = static_cast<int>(rng.range(0.012, 0.025) * kRate);
            double decay = rng.range(0.003, 0.006);
            for (int i = 0; i < length && start + i < n; ++i) {
                double u = static_cast<double>(i) / kRate;
                double env = std::min(1.0, u / 0.0006) * std::exp(-u / decay);
                double s = filter(rng.range(-1, 1)) * env * loud;
                left[static_cast<std::size_t>(start + i)] += s * (1 - pan);
                right[static_cast<std::size_t>(start + i)] += s * pan;
            }
            t += (1.0 / rate) * rng.range(0.85, 1.15);
        }
    }
    // Swell in, die away, and soften the top end a little.
    std::vector<double> out(static_cast<std::size_t>(2 * n));
    double lpL = 0, lpR = 0;
    for (int i = 0; i < n; ++i) {
        double t = static_cast<double>(i) / kRate;
        double env = smoothstep(0.0, 0.15, t) * (1.0 - smoothstep(seconds - 0.7, seconds, t));
        lpL += 0.55 * (left[static_cast<std::size_t>(i)] - lpL);
        lpR += 0.55 * (right[static_cast<std::size_t>(i)] - lpR);
        out[static_cast<std::size_t>(2 * i)] = lpL * env;
        out[static_cast<std::size_t>(2 * i + 1)] = lpR * env;
    }
    // Gentle saturation lifts the quieter claps against the loudest ones.
    normalise(out, 1.0);
    for (double &s : out)
        s = std::tanh(2.5 * s);
    normalise(out, kPeak);
    return out;
}

} // namespace

bool generateSounds(const QString &resources, const QString &only)
{
    const QDir dir(resources);
    bool ok = true;
    if (only.isEmpty() || QStringLiteral("Gfx/click.wav").contains(only))
        ok = saveBytes(wavFile(click(), 1), dir.filePath(QStringLiteral("Gfx/click.wav"))) && ok;
    if (only.isEmpty() || QStringLiteral("Gfx/claps.wav").contains(only))
        ok = saveBytes(wavFile(applause(), 2), dir.filePath(QStringLiteral("Gfx/claps.wav"))) && ok;
    return ok;
}

} // namespace resgen
