// shell/sound.h: whether the game has sound, the Sound On/Off switch, and the one rule by which
// every sound effect is played.
#pragma once

#include <cstdint>

namespace shell {

// 1: sound effects are played; 0: they are not. Sounds play only when it is exactly 1. Set to 0 for
// the whole run when no wave output exists; otherwise the Sound On and Off commands switch it.
extern std::uint8_t SoundOn;

// True when a wave output device exists. Otherwise tells the player so in a message box (no owner)
// and returns false once it is dismissed. Called once, at start-up.
bool DetectSoundDevice();

// Plays a sound file ("Sounds\hit.wav") with sndPlaySound's flags when SoundOn is 1. A play refused
// because another sound is still playing is tried again until that sound ends, for up to 10 seconds
// by the whole-second clock, then dropped without a word. Blocks the thread meanwhile.
void PlaySoundEffect(const char* file, std::uint32_t flags);

}  // namespace shell
