#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdlib>

#include "app/AlarmTone.h"

namespace lmr {
namespace {

using namespace std::chrono_literals;

// What a fake sound device was given: the samples of each tone, split at every drain.
struct Played {
    std::mutex mutex;
    std::condition_variable changed;
    std::vector<std::vector<int16_t>> tones;
    std::vector<int16_t> current;
    int opens = 0;
    int closes = 0;

    // Waits (generously) until n tones have been drained.
    bool WaitTones(size_t n) {
        std::unique_lock<std::mutex> lock(mutex);
        return changed.wait_for(lock, 30s, [&] { return tones.size() >= n; });
    }
};

class FakeSink final : public PcmSink {
public:
    FakeSink(Played& played, std::chrono::microseconds perWrite, bool fails)
        : played_(played), perWrite_(perWrite), fails_(fails) {}
    ~FakeSink() override {
        std::lock_guard<std::mutex> lock(played_.mutex);
        ++played_.closes;
    }
    int Rate() const override { return 8000; }
    bool Write(const int16_t* samples, int count) override {
        if (fails_) return false;
        if (perWrite_.count() > 0) std::this_thread::sleep_for(perWrite_);
        std::lock_guard<std::mutex> lock(played_.mutex);
        played_.current.insert(played_.current.end(), samples, samples + count);
        return true;
    }
    void Drain() override {
        std::lock_guard<std::mutex> lock(played_.mutex);
        played_.tones.push_back(std::move(played_.current));
        played_.current.clear();
        played_.changed.notify_all();
    }

private:
    Played& played_;
    std::chrono::microseconds perWrite_;
    bool fails_;
};

PcmOpener FakeOpener(Played& played, std::chrono::microseconds perWrite = 0us, bool fails = false) {
    return [&played, perWrite, fails]() -> std::unique_ptr<PcmSink> {
        {
            std::lock_guard<std::mutex> lock(played.mutex);
            ++played.opens;
        }
        return std::make_unique<FakeSink>(played, perWrite, fails);
    };
}

int SignChanges(const std::vector<int16_t>& s) {
    int n = 0;
    for (size_t i = 1; i < s.size(); ++i) {
        if ((s[i - 1] < 0) != (s[i] < 0)) ++n;
    }
    return n;
}

TEST(AlarmTone, SineBurstHasTheAskedLengthAndPitch) {
    const std::vector<int16_t> s = SineBurst(1000, 500, 48000);
    ASSERT_EQ(s.size(), 24000u);
    // 1000 Hz for 0.5 s crosses zero about a thousand times.
    EXPECT_NEAR(SignChanges(s), 1000, 4);
    int peak = 0;
    for (int16_t v : s) peak = std::max(peak, std::abs(static_cast<int>(v)));
    EXPECT_GT(peak, 10000);
    // Starts and ends near silence, so the tone does not click.
    EXPECT_LT(std::abs(s.front()), 100);
    EXPECT_LT(std::abs(s.back()), 100);
    EXPECT_TRUE(SineBurst(1000, 0, 48000).empty());
}

TEST(AlarmTone, TonesOfOneReadingFollowInOrder) {
    Played played;
    {
        AlsaTone tone([] { ADD_FAILURE() << "no fallback with a device"; }, FakeOpener(played));
        tone.Play(1000, 500);
        tone.Play(500, 100);
        tone.Play(2000, 250);
        ASSERT_TRUE(played.WaitTones(3));
    }
    ASSERT_EQ(played.tones.size(), 3u);
    EXPECT_EQ(played.tones[0].size(), 4000u);
    EXPECT_NEAR(SignChanges(played.tones[0]), 1000, 4);
    EXPECT_EQ(played.tones[1].size(), 800u);
    EXPECT_NEAR(SignChanges(played.tones[1]), 100, 4);
    EXPECT_EQ(played.tones[2].size(), 2000u);
    EXPECT_NEAR(SignChanges(played.tones[2]), 1000, 4);
    // Every device opened was closed again.
    EXPECT_GE(played.opens, 1);
    EXPECT_EQ(played.opens, played.closes);
}

TEST(AlarmTone, WithoutADeviceEachToneBeeps) {
    std::mutex mutex;
    std::condition_variable changed;
    int beeps = 0;
    int opens = 0;
    {
        AlsaTone tone(
            [&] {
                std::lock_guard<std::mutex> lock(mutex);
                ++beeps;
                changed.notify_all();
            },
            [&]() -> std::unique_ptr<PcmSink> {
                std::lock_guard<std::mutex> lock(mutex);
                ++opens;
                return nullptr;
            });
        tone.Play(kAlarmHz, kAlarmMs);
        tone.Play(kAlarmHz, kAlarmMs);
        tone.Play(kAlarmHz, kAlarmMs);
        std::unique_lock<std::mutex> lock(mutex);
        ASSERT_TRUE(changed.wait_for(lock, 30s, [&] { return beeps == 3; }));
        lock.unlock();
        tone.Play(kAlarmHz, kAlarmMs);
        lock.lock();
        ASSERT_TRUE(changed.wait_for(lock, 30s, [&] { return beeps == 4; }));
    }
    EXPECT_EQ(beeps, 4);
    EXPECT_GE(opens, 1);
}

TEST(AlarmTone, DeviceFailingMidRunFallsBackToTheBeep) {
    Played played;
    std::mutex mutex;
    std::condition_variable changed;
    int beeps = 0;
    {
        AlsaTone tone(
            [&] {
                std::lock_guard<std::mutex> lock(mutex);
                ++beeps;
                changed.notify_all();
            },
            FakeOpener(played, 0us, true));
        tone.Play(kAlarmHz, kAlarmMs);
        tone.Play(kAlarmHz, kAlarmMs);
        std::unique_lock<std::mutex> lock(mutex);
        ASSERT_TRUE(changed.wait_for(lock, 30s, [&] { return beeps == 2; }));
    }
    EXPECT_EQ(beeps, 2);
    EXPECT_TRUE(played.tones.empty());
    EXPECT_EQ(played.opens, played.closes);
}

TEST(AlarmTone, DestroyingCutsTheQueueShort) {
    Played played;
    const size_t asked = 20 * 8000 * 10;  // twenty ten-second tones
    {
        // Each 10 ms chunk takes 1 ms here: the whole queue would take 20 s.
        AlsaTone tone(nullptr, FakeOpener(played, 1000us));
        for (int i = 0; i < 20; ++i) tone.Play(1000, 10000);
    }
    std::lock_guard<std::mutex> lock(played.mutex);
    size_t written = played.current.size();
    for (const auto& t : played.tones) written += t.size();
    EXPECT_LT(written, asked);
    EXPECT_EQ(played.opens, played.closes);
}

}  // namespace
}  // namespace lmr
