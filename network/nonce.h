// network/nonce.h: the secret bytes of a commitment, from the system's generator. They keep the
// committed digest from being matched against every possible fleet before the reveal, so only an
// unpredictable source will do.
#pragma once

#include <optional>

#include "network/messages.h"

namespace network {

// 32 bytes from getrandom() (BCryptGenRandom on Windows); nothing when the system cannot give them
// (no generator, or it is not yet seeded at boot and would block), and the game is then not to play
// over the network rather than commit with guessable bytes.
std::optional<Nonce> DrawNonce();

}  // namespace network
