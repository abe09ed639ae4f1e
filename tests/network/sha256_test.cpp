// tests/network/sha256_test.cpp: the hash against the standard's own examples, and across the
// block boundaries where padding goes wrong.
#include "network/sha256.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

namespace {

std::string Hex(const network::Digest& digest) {
    std::string text;
    char two[3];
    for (std::uint8_t b : digest) {
        std::snprintf(two, sizeof two, "%02x", b);
        text += two;
    }
    return text;
}

network::Digest Of(const std::string& text) {
    return network::Sha256(std::span<const std::uint8_t>(
        reinterpret_cast<const std::uint8_t*>(text.data()), text.size()));
}

TEST(Sha256, MatchesTheStandardsExamples) {
    EXPECT_EQ(Hex(Of("")), "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855");
    EXPECT_EQ(Hex(Of("abc")), "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad");
    EXPECT_EQ(Hex(Of("abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq")),
              "248d6a61d20638b8e5c026930c3e6039a33ce45964ff2167f6ecedd419db06c1");
    EXPECT_EQ(Hex(Of(std::string(1000000, 'a'))),
              "cdc76e5c9914fb9281a1c7e284d73e67f1809a48a497200e046d39ccc7112cd0");
}

TEST(Sha256, LengthsAroundABlockGiveDistinctDigests) {
    // 55, 56 and 64 bytes put the length in the same block, the next, and a block of its own.
    EXPECT_EQ(Hex(Of(std::string(55, 'a'))),
              "9f4390f8d30c2dd92ec9f095b65e2b9ae9b0a925a5258e241c9f1e910f734318");
    EXPECT_EQ(Hex(Of(std::string(56, 'a'))),
              "b35439a4ac6f0948b6d6f9e3c6af0f5f590ce20f1bde7090ef7970686ec6738a");
    EXPECT_EQ(Hex(Of(std::string(64, 'a'))),
              "ffe054fe7ae0cb6dc65c3af9b61d5209f439851db43d0ba5997337df154668eb");
}

}  // namespace
