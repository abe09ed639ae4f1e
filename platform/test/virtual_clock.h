// platform/test/virtual_clock.h: the test host's clock. Time moves only when a test or a fake
// device moves it, so waits take no real time and every run is the same.
#pragma once

#include <cstdint>

namespace platform {

class VirtualClock {
  public:
    std::uint64_t NowMilliseconds() const { return now_; }
    // Whole calendar seconds: a fixed epoch plus the time elapsed.
    std::int64_t CalendarSeconds() const {
        return epochSeconds_ + static_cast<std::int64_t>(now_ / 1000);
    }
    void AdvanceTo(std::uint64_t milliseconds) {
        if (milliseconds > now_) now_ = milliseconds;
    }
    void Advance(std::uint64_t milliseconds) { now_ += milliseconds; }

  private:
    std::uint64_t now_ = 0;
    std::int64_t epochSeconds_ = 1'800'000'000;
};

}  // namespace platform
