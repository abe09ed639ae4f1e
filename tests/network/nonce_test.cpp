// tests/network/nonce_test.cpp: the secret bytes come from the system's generator: two draws
// differ, and none is left unwritten.
#include "network/nonce.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

TEST(Nonce, EachDrawIsFreshAndWhole) {
    const std::optional<network::Nonce> first = network::DrawNonce();
    const std::optional<network::Nonce> second = network::DrawNonce();
    ASSERT_TRUE(first.has_value());
    ASSERT_TRUE(second.has_value());
    // 32 random bytes match, or end in eight zero bytes left from the start, once in 2^64 draws.
    EXPECT_NE(*first, *second);
    const network::Nonce zeros{};
    EXPECT_FALSE(std::equal(first->end() - 8, first->end(), zeros.begin()));
}

}  // namespace
