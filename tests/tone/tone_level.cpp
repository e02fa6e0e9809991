// What a sound server's monitor heard (s16 mono on stdin): the loudest named
// frequency (Goertzel) and the level in dBFS, "silence" below -60, or "other".
// Usage: tone_level RATE FREQUENCY...   (e.g. parec ... | tone_level 8000 440 1000)
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

static double goertzelPower(const std::vector<double>& samples, double frequency, double rate) {
    const double coefficient = 2 * std::cos(2 * M_PI * frequency / rate);
    double previous = 0, beforePrevious = 0;
    for (double sample : samples) {
        const double current = sample + coefficient * previous - beforePrevious;
        beforePrevious = previous;
        previous = current;
    }
    return previous * previous + beforePrevious * beforePrevious -
           coefficient * previous * beforePrevious;
}

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s RATE FREQUENCY...\n", argv[0]);
        return 2;
    }
    const double rate = std::atof(argv[1]);
    std::vector<double> samples;
    double energy = 0;
    for (int16_t sample = 0; std::fread(&sample, sizeof sample, 1, stdin) == 1;) {
        samples.push_back(sample / 32768.0);
        energy += samples.back() * samples.back();
    }
    const double rms = samples.empty() ? 0 : std::sqrt(energy / double(samples.size()));
    const double level = rms > 0 ? 20 * std::log10(rms) : -200;
    if (level < -60) {
        std::printf("silence %.1f\n", level);
        return 0;
    }
    double best = 0, bestPower = -1;
    for (int i = 2; i < argc; ++i) {
        const double frequency = std::atof(argv[i]);
        const double power = goertzelPower(samples, frequency, rate);
        if (power > bestPower) {
            bestPower = power;
            best = frequency;
        }
    }
    const double share = 2 * bestPower / (double(samples.size()) * energy);
    if (share < 0.5)
        std::printf("other %.1f\n", level);
    else
        std::printf("%g %.1f\n", best, level);
    return 0;
}
