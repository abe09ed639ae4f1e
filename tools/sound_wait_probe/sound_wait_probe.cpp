// sound_wait_probe: plays a long sound in the background, then asks for another one with no-stop,
// which waits out its 10-second deadline; prints the process's CPU time over that wall time.
// Run it in a scratch folder: it writes Sounds/long.wav and Sounds/short.wav there.
#include <sys/resource.h>

#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <fstream>

#include "platform/files.h"
#include "platform/host.h"
#include "platform/sdl/sdl_audio.h"
#include "platform/sound.h"
#include "sound/sound_effects.h"

namespace {

// Only the clocks are asked for: the sound rule reads the calendar time and nothing else.
class ClockOnlyHost : public platform::Host {
  public:
    platform::ScreenFacts Screen() const override { return {}; }
    std::uint64_t TickMilliseconds() override {
        return static_cast<std::uint64_t>(std::chrono::duration_cast<std::chrono::milliseconds>(
                                              std::chrono::steady_clock::now().time_since_epoch())
                                              .count());
    }
    std::int64_t CalendarSeconds() override { return std::time(nullptr); }
    void WaitForInput(std::optional<std::uint64_t>) override {}
    void PollInput() override {}
    void WindowCreated(platform::Window&) override {}
    void WindowDestroyed(platform::Window&) override {}
    void WindowChanged(platform::Window&) override {}
    void MenuChanged(platform::Window&) override {}
    void ScrollBarChanged(platform::Window&) override {}
    void Present(platform::Window&, const platform::Rect&) override {}
    void CaptureChanged(platform::Window*) override {}
    void OpenMessageBox(const std::string& text, const std::string&, unsigned) override {
        std::fprintf(stderr, "%s\n", text.c_str());
    }
    void OpenTextBox(const std::string&, const std::string&, const std::string&) override {}
    bool MessageBoxOpen() override { return false; }
    int MessageBoxAnswer() override { return 2; }
    std::string TextBoxText() override { return {}; }
};

void Put(std::ofstream& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out.put(static_cast<char>((value >> (8 * i)) & 0xFF));
}

// A quiet 16-bit mono tone, so that a run on a real sound card is no nuisance.
void WriteTone(const std::string& path, int seconds) {
    constexpr std::uint32_t rate = 8000;
    const std::uint32_t frames = rate * static_cast<std::uint32_t>(seconds);
    std::ofstream out(path, std::ios::binary);
    out.write("RIFF", 4);
    Put(out, 36 + frames * 2, 4);
    out.write("WAVEfmt ", 8);
    Put(out, 16, 4);
    Put(out, 1, 2);
    Put(out, 1, 2);
    Put(out, rate, 4);
    Put(out, rate * 2, 4);
    Put(out, 2, 2);
    Put(out, 16, 2);
    out.write("data", 4);
    Put(out, frames * 2, 4);
    for (std::uint32_t i = 0; i < frames; ++i) {
        const double wave = std::sin(2.0 * 3.14159265358979 * 330.0 * i / rate);
        Put(out, static_cast<std::uint16_t>(static_cast<std::int16_t>(wave * 300)), 2);
    }
}

double CpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

}  // namespace

int main() {
    ClockOnlyHost host;
    platform::SetHost(&host);
    platform::SdlAudio audio;
    platform::SetAudioDevice(&audio);
    if (!audio.HasWaveOutput()) {
        std::fprintf(stderr, "sound_wait_probe: SDL can open no playback device\n");
        return 2;
    }
    std::filesystem::create_directories(platform::HostPath("Sounds"));
    WriteTone(platform::HostPath("Sounds\\long.wav"), 15);
    WriteTone(platform::HostPath("Sounds\\short.wav"), 1);

    sound::PlaySoundEffect("Sounds\\long.wav", platform::SND_ASYNC | platform::SND_NOSTOP);
    const double cpuBefore = CpuSeconds();
    const auto wallBefore = std::chrono::steady_clock::now();
    sound::PlaySoundEffect("Sounds\\short.wav", platform::SND_ASYNC | platform::SND_NOSTOP);
    const double wall =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - wallBefore).count();
    const double cpu = CpuSeconds() - cpuBefore;

    std::printf("refused sound waited %.2f s (deadline after 9 to 10 s)\n", wall);
    std::printf("CPU while waiting: %.3f s, %.2f%% of one core\n", cpu, 100.0 * cpu / wall);
    platform::SetAudioDevice(nullptr);
    return wall >= 9.0 && wall <= 10.5 ? 0 : 1;
}
