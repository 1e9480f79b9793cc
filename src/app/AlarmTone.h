#pragma once

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>
#include <utility>
#include <vector>

namespace lmr {

// Something that sounds a tone of hz for ms. Play never blocks the caller for
// the length of the tone.
class Tone {
public:
    virtual ~Tone() = default;
    virtual void Play(int hz, int ms) = 0;
};

// The alarm tone of a critical level.
inline constexpr int kAlarmHz = 1000;
inline constexpr int kAlarmMs = 500;

// An open sound output taking mono signed 16-bit samples.
class PcmSink {
public:
    virtual ~PcmSink() = default;
    [[nodiscard]] virtual int Rate() const = 0;
    // Blocks until the samples are queued for playing; false when the device failed.
    [[nodiscard]] virtual bool Write(const int16_t* samples, int count) = 0;
    // Blocks until everything written has been played.
    virtual void Drain() = 0;
};

// Opens the sound output; nullptr when no device opens.
using PcmOpener = std::function<std::unique_ptr<PcmSink>()>;

// Opens ALSA's "default" playback device.
[[nodiscard]] std::unique_ptr<PcmSink> OpenAlsaDefault();

// One tone as samples: a sine of hz for ms at rate, with short ramps against clicks.
[[nodiscard]] std::vector<int16_t> SineBurst(int hz, int ms, int rate);

// Plays tones through a sound device on a thread of its own, one after another
// in the order asked. Where no device opens, each tone calls fallbackBeep
// instead; it is called on the tone thread, so a desktop beep must be handed to
// the GUI thread by the callback itself.
class AlsaTone final : public Tone {
public:
    explicit AlsaTone(std::function<void()> fallbackBeep, PcmOpener opener = OpenAlsaDefault);
    // Drops tones not yet played, cuts the current one short and joins.
    ~AlsaTone() override;
    AlsaTone(const AlsaTone&) = delete;
    AlsaTone& operator=(const AlsaTone&) = delete;

    void Play(int hz, int ms) override;

private:
    void Run();
    // False when the device failed; true when played or cut short by the destructor.
    bool Sound(PcmSink& sink, int hz, int ms);

    std::function<void()> fallbackBeep_;
    PcmOpener opener_;
    std::mutex mutex_;
    std::condition_variable wake_;
    std::deque<std::pair<int, int>> queue_;
    bool stop_ = false;
    std::thread worker_;
};

// Records each tone asked for; for tests.
class RecordingTone final : public Tone {
public:
    void Play(int hz, int ms) override { played.emplace_back(hz, ms); }
    std::vector<std::pair<int, int>> played;
};

}  // namespace lmr
