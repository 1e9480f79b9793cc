#include "app/AlarmTone.h"

#include <alsa/asoundlib.h>

#include <algorithm>
#include <cmath>

namespace lmr {

namespace {

constexpr int kRate = 48000;
constexpr unsigned kLatencyUs = 100000;
constexpr int kChunkMs = 10;  // the stop request is looked at between chunks
constexpr int kRampMs = 5;    // fade in and out, or the tone starts and ends with a click
constexpr double kAmplitude = 0.5 * 32767;
constexpr double kPi = 3.14159265358979323846;

void SilentAlsaError(const char*, int, const char*, int, const char*, ...) {}

class AlsaSink final : public PcmSink {
public:
    explicit AlsaSink(snd_pcm_t* pcm) : pcm_(pcm) {}
    ~AlsaSink() override { snd_pcm_close(pcm_); }
    AlsaSink(const AlsaSink&) = delete;
    AlsaSink& operator=(const AlsaSink&) = delete;

    int Rate() const override { return kRate; }

    bool Write(const int16_t* samples, int count) override {
        while (count > 0) {
            snd_pcm_sframes_t n =
                snd_pcm_writei(pcm_, samples, static_cast<snd_pcm_uframes_t>(count));
            if (n < 0) n = snd_pcm_recover(pcm_, static_cast<int>(n), 1);
            if (n < 0) return false;
            samples += n;
            count -= static_cast<int>(n);
        }
        return true;
    }

    void Drain() override {
        snd_pcm_drain(pcm_);
        snd_pcm_prepare(pcm_);
    }

private:
    snd_pcm_t* pcm_;
};

}  // namespace

std::unique_ptr<PcmSink> OpenAlsaDefault() {
    // Without a sound card ALSA would print its failure to stderr; the fallback beep says enough.
    snd_lib_error_set_handler(SilentAlsaError);
    snd_pcm_t* pcm = nullptr;
    if (snd_pcm_open(&pcm, "default", SND_PCM_STREAM_PLAYBACK, 0) < 0) return nullptr;
    if (snd_pcm_set_params(pcm, SND_PCM_FORMAT_S16, SND_PCM_ACCESS_RW_INTERLEAVED, 1, kRate, 1,
                           kLatencyUs) < 0) {
        snd_pcm_close(pcm);
        return nullptr;
    }
    return std::make_unique<AlsaSink>(pcm);
}

std::vector<int16_t> SineBurst(int hz, int ms, int rate) {
    const int count = static_cast<int>(static_cast<long long>(rate) * std::max(ms, 0) / 1000);
    const int ramp = std::min(rate * kRampMs / 1000, count / 2);
    std::vector<int16_t> samples(static_cast<size_t>(count));
    const double step = 2 * kPi * hz / rate;
    for (int i = 0; i < count; ++i) {
        double gain = 1;
        if (i < ramp) gain = static_cast<double>(i) / ramp;
        if (count - 1 - i < ramp) gain = static_cast<double>(count - 1 - i) / ramp;
        samples[static_cast<size_t>(i)] =
            static_cast<int16_t>(std::lround(kAmplitude * gain * std::sin(step * i)));
    }
    return samples;
}

AlsaTone::AlsaTone(std::function<void()> fallbackBeep, PcmOpener opener)
    : fallbackBeep_(std::move(fallbackBeep)), opener_(std::move(opener)) {
    worker_ = std::thread([this] { Run(); });
}

AlsaTone::~AlsaTone() {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        stop_ = true;
        queue_.clear();
    }
    wake_.notify_all();
    worker_.join();
}

void AlsaTone::Play(int hz, int ms) {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        queue_.emplace_back(hz, ms);
    }
    wake_.notify_all();
}

void AlsaTone::Run() {
    std::unique_lock<std::mutex> lock(mutex_);
    for (;;) {
        wake_.wait(lock, [this] { return stop_ || !queue_.empty(); });
        if (stop_) return;
        // The device is opened for a run of tones and closed when the queue is
        // empty, so the alarm never holds the sound card between readings.
        lock.unlock();
        std::unique_ptr<PcmSink> sink = opener_ ? opener_() : nullptr;
        lock.lock();
        while (!stop_ && !queue_.empty()) {
            const auto [hz, ms] = queue_.front();
            queue_.pop_front();
            lock.unlock();
            // A device that fails mid-run (unplugged) is given up for the desktop beep.
            if (sink && !Sound(*sink, hz, ms)) sink.reset();
            if (!sink && fallbackBeep_) fallbackBeep_();
            lock.lock();
        }
        lock.unlock();
        sink.reset();
        lock.lock();
    }
}

bool AlsaTone::Sound(PcmSink& sink, int hz, int ms) {
    const std::vector<int16_t> samples = SineBurst(hz, ms, sink.Rate());
    const int chunk = std::max(1, sink.Rate() * kChunkMs / 1000);
    for (size_t at = 0; at < samples.size(); at += static_cast<size_t>(chunk)) {
        {
            std::lock_guard<std::mutex> lock(mutex_);
            if (stop_) return true;
        }
        const int n = static_cast<int>(std::min(samples.size() - at, static_cast<size_t>(chunk)));
        if (!sink.Write(samples.data() + at, n)) return false;
    }
    sink.Drain();
    return true;
}

}  // namespace lmr
