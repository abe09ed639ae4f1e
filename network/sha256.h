// network/sha256.h: SHA-256, for the commitment each player makes to a fleet before the battle.
#pragma once

#include <array>
#include <cstdint>
#include <span>

namespace network {

using Digest = std::array<std::uint8_t, 32>;

// The SHA-256 digest of the bytes.
Digest Sha256(std::span<const std::uint8_t> bytes);

}  // namespace network
