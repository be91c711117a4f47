#include "app/core/FileDigest.h"

#include <openssl/evp.h>

#include <cstdio>
#include <memory>
#include <vector>

namespace pelorvant {
namespace {

struct DigestContextDeleter {
    void operator()(EVP_MD_CTX* context) const { EVP_MD_CTX_free(context); }
};

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

int hexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

}  // namespace

std::optional<Sha256> sha256OfFile(const std::filesystem::path& file) {
    const std::unique_ptr<std::FILE, FileCloser> in(std::fopen(file.c_str(), "rb"));
    const std::unique_ptr<EVP_MD_CTX, DigestContextDeleter> context(EVP_MD_CTX_new());
    if (!in || !context || EVP_DigestInit_ex(context.get(), EVP_sha256(), nullptr) != 1)
        return std::nullopt;
    std::vector<unsigned char> block(64 * 1024);
    for (;;) {
        const std::size_t got = std::fread(block.data(), 1, block.size(), in.get());
        if (got > 0 && EVP_DigestUpdate(context.get(), block.data(), got) != 1)
            return std::nullopt;
        if (got < block.size())
            break;
    }
    if (std::ferror(in.get()))
        return std::nullopt;
    Sha256 digest{};
    unsigned int length = 0;
    if (EVP_DigestFinal_ex(context.get(), digest.data(), &length) != 1 || length != digest.size())
        return std::nullopt;
    return digest;
}

std::string sha256Hex(const Sha256& digest) {
    static constexpr char kHex[] = "0123456789abcdef";
    std::string text;
    text.reserve(digest.size() * 2);
    for (const unsigned char byte : digest) {
        text.push_back(kHex[byte >> 4]);
        text.push_back(kHex[byte & 0x0F]);
    }
    return text;
}

std::optional<Sha256> parseSha256(std::string_view text) {
    Sha256 digest{};
    if (text.size() != digest.size() * 2)
        return std::nullopt;
    for (std::size_t i = 0; i < digest.size(); ++i) {
        const int high = hexValue(text[2 * i]);
        const int low = hexValue(text[2 * i + 1]);
        if (high < 0 || low < 0)
            return std::nullopt;
        digest[i] = static_cast<unsigned char>(high << 4 | low);
    }
    return digest;
}

DigestVerdict verifyFileDigest(const std::filesystem::path& file, std::string_view expected) {
    if (expected.empty())
        return DigestVerdict::NoDigest;
    const std::optional<Sha256> wanted = parseSha256(expected);
    if (!wanted)
        return DigestVerdict::Malformed;
    const std::optional<Sha256> actual = sha256OfFile(file);
    if (!actual)
        return DigestVerdict::Unreadable;
    return *actual == *wanted ? DigestVerdict::Match : DigestVerdict::Mismatch;
}

}  // namespace pelorvant
