// sound/sound_effects.h: whether the game has sound, the Sound On/Off switch, and the one rule by
// which every sound effect is played.
#pragma once

#include <cstdint>

#include "platform/sound.h"

namespace sound {

// 1: sound effects are played; 0: they are not. Sounds play only when it is exactly 1. Set to 0 for
// the whole run when no wave output exists; otherwise the Sound On and Off commands switch it.
extern std::uint8_t SoundOn;

// The two ways the game plays an effect: to its end before going on, and started to play on while
// the game goes on. Neither cuts short a sound still playing.
constexpr std::uint32_t PlayToEnd = platform::SND_SYNC | platform::SND_NOSTOP;
constexpr std::uint32_t StartAndGoOn = platform::SND_ASYNC | platform::SND_NOSTOP;

// True when a wave output device exists. Otherwise tells the player so in a message box (no owner)
// and returns false once it is dismissed. Called once, at start-up.
bool DetectSoundDevice();

// Plays a sound file ("Sounds\hit.wav") with sndPlaySound's flags when SoundOn is 1. A play refused
// because another sound is still playing is tried again until that sound ends, for up to 10 seconds
// by the whole-second clock, then dropped without a word. Blocks the thread meanwhile.
void PlaySoundEffect(const char* file, std::uint32_t flags);

}  // namespace sound
