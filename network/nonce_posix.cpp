// network/nonce_posix.cpp: getrandom() without blocking, a short read or an interruption read on.
#include <sys/random.h>

#include <cerrno>

#include "network/nonce.h"

namespace network {

std::optional<Nonce> DrawNonce() {
    Nonce nonce{};
    std::size_t filled = 0;
    while (filled < nonce.size()) {
        const ssize_t n = getrandom(nonce.data() + filled, nonce.size() - filled, GRND_NONBLOCK);
        if (n > 0) {
            filled += static_cast<std::size_t>(n);
        } else if (n < 0 && errno != EINTR) {
            return std::nullopt;
        }
    }
    return nonce;
}

}  // namespace network
