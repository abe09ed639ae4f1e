// network/nonce_win32.cpp: the system's preferred generator through BCryptGenRandom.
#include <windows.h>
// windows.h first: bcrypt.h needs its types.
#include <bcrypt.h>

#include "network/nonce.h"

namespace network {

std::optional<Nonce> DrawNonce() {
    Nonce nonce{};
    const NTSTATUS status = ::BCryptGenRandom(nullptr, nonce.data(),
                                              static_cast<ULONG>(nonce.size()),
                                              BCRYPT_USE_SYSTEM_PREFERRED_RNG);
    if (status < 0) return std::nullopt;
    return nonce;
}

}  // namespace network
