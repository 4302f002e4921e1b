// Makes cdclick.wav, the click of a cabin-sign toggle switch: a sharp
// transient as the lever snaps over, the short ring of the switch's metal
// body, and the softer knock of the lever landing against its stop.
// Uncompressed 16-bit PCM, mono, 22050 Hz, 45 ms; the same bytes every run.
//
// Usage: make_click_sound OUTPUT_DIRECTORY

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <numbers>
#include <numeric>
#include <vector>

#include "generator_main.h"
#include "little_endian.h"

namespace {

constexpr int sample_rate = 22050;
constexpr int sample_count = sample_rate * 45 / 1000;
constexpr double peak_level = 0.8;  // of full scale, leaving headroom

struct Resonance {
    double frequency_hz;
    double decay_ms;  // time for the ring to fall to 1/e
    double level;
};

// Partials of a small steel lever and its housing, spaced inharmonically
// as a struck bar's are.
constexpr std::array switch_body{
    Resonance{.frequency_hz = 1870, .decay_ms = 7.0, .level = 0.45},
    Resonance{.frequency_hz = 3150, .decay_ms = 4.5, .level = 0.70},
    Resonance{.frequency_hz = 4720, .decay_ms = 2.5, .level = 0.50},
    Resonance{.frequency_hz = 6930, .decay_ms = 1.2, .level = 0.30},
};

struct Strike {
    double at_ms;
    double level;
};

constexpr std::array strikes{
    Strike{.at_ms = 0.0, .level = 1.0},   // the lever snaps over centre
    Strike{.at_ms = 6.5, .level = 0.4},   // and lands on its stop
};

// A fixed linear congruential sequence, so the noise is the same every run.
class Noise {
public:
    double next()
    {
        state_ = state_ * 1664525u + 1013904223u;
        return static_cast<double>(state_ >> 8) / (1u << 23) - 1.0;
    }

private:
    std::uint32_t state_ = 0x5EED1234u;
};

std::vector<double> strike_response(const Strike& strike, Noise& noise)
{
    std::vector<double> out(sample_count, 0.0);
    const int start = static_cast<int>(std::lround(strike.at_ms * sample_rate / 1000.0));
    for (int n = start; n < sample_count; ++n) {
        const double t_ms = (n - start) * 1000.0 / sample_rate;
        // The contact itself: a burst of noise a fraction of a millisecond long.
        double value = 0.9 * noise.next() * std::exp(-t_ms / 0.35);
        for (const Resonance& partial : switch_body)
            value += partial.level * std::exp(-t_ms / partial.decay_ms) *
                     std::sin(2.0 * std::numbers::pi * partial.frequency_hz * t_ms / 1000.0);
        out[n] = strike.level * value;
    }
    return out;
}

std::vector<double> click()
{
    Noise noise;
    std::vector<double> sound(sample_count, 0.0);
    for (const Strike& strike : strikes) {
        const std::vector<double> response = strike_response(strike, noise);
        std::ranges::transform(sound, response, sound.begin(), std::plus<>());
    }
    return sound;
}

// The last 8 ms fade out along a raised cosine so the sound ends on silence.
std::vector<double> fade_envelope()
{
    const int fade = sample_rate * 8 / 1000;
    std::vector<double> envelope(sample_count, 1.0);
    for (int i = 0; i < fade; ++i)
        envelope[sample_count - 1 - i] = 0.5 - 0.5 * std::cos(std::numbers::pi * i / fade);
    return envelope;
}

// Shapes the sound to end on silence, takes out any DC offset (spread over
// the envelope so the ends stay at zero) and scales it to the peak level.
std::vector<std::int16_t> to_pcm(std::vector<double> sound)
{
    const std::vector<double> envelope = fade_envelope();
    std::ranges::transform(sound, envelope, sound.begin(), std::multiplies<>());
    const double offset = std::reduce(sound.begin(), sound.end()) / std::reduce(envelope.begin(), envelope.end());
    for (std::size_t i = 0; i < sound.size(); ++i)
        sound[i] -= offset * envelope[i];

    const double peak = std::ranges::max(sound, {}, [](double v) { return std::abs(v); });
    const double gain = peak_level * 32767.0 / std::abs(peak);
    std::vector<std::int16_t> pcm;
    pcm.reserve(sound.size());
    for (double value : sound)
        pcm.push_back(static_cast<std::int16_t>(std::lround(value * gain)));
    return pcm;
}

void write_wave(const std::vector<std::int16_t>& pcm, const std::filesystem::path& path)
{
    constexpr std::uint16_t channels = 1;
    constexpr std::uint16_t bits = 16;
    constexpr std::uint16_t block_align = channels * bits / 8;
    const auto data_bytes = static_cast<std::uint32_t>(pcm.size() * block_align);

    art::LittleEndianBytes out;
    out.four_cc("RIFF");
    out.u32(4 + (8 + 16) + (8 + data_bytes));
    out.four_cc("WAVE");
    out.four_cc("fmt ");
    out.u32(16);
    out.u16(1);  // PCM
    out.u16(channels);
    out.u32(sample_rate);
    out.u32(sample_rate * block_align);
    out.u16(block_align);
    out.u16(bits);
    out.four_cc("data");
    out.u32(data_bytes);
    for (std::int16_t sample : pcm)
        out.u16(static_cast<std::uint16_t>(sample));
    out.write_to(path);
}

}  // namespace

int main(int argc, char** argv)
{
    return art::run_generator(argc, argv, [](const std::filesystem::path& directory) {
        write_wave(to_pcm(click()), directory / "cdclick.wav");
    });
}
