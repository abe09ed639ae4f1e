// network/nonce_win32.cpp: the system's preferred generator through BCryptGenRandom.
// clang-format off
// The game's headers come before the system's, whose macros (CreateFile, PostMessage,
// GENERIC_READ) would otherwise rename what they declare; the system's in the order they
// need each other.
#include "network/nonce.h"

#include <windows.h>
#include <bcrypt.h>
// clang-format on

namespace network {

std::optional<Nonce> DrawNonce() {
    Nonce nonce{};
    const NTSTATUS status = ::BCryptGenRandom(
        nullptr, nonce.data(), static_cast<ULONG>(nonce.size()), BCRYPT_USE_SYSTEM_PREFERRED_RNG);
    if (status < 0) return std::nullopt;
    return nonce;
}

}  // namespace network
