// Base64 decoding and the two inflation paths.

#include <gtest/gtest.h>

#include <random>

#include "Encoders.h"
#include "TmxBase64.h"
#include "TmxInflate.h"

#include <zstd.h>

namespace {

std::string Decoded(const std::string& text) {
    const std::vector<uint8_t> bytes = tmx::Base64Decode(text);
    return std::string(bytes.begin(), bytes.end());
}

TEST(Base64, LenientRules) {
    EXPECT_EQ(Decoded("TWFu"), "Man");
    EXPECT_EQ(Decoded("TWE="), "Ma");
    EXPECT_EQ(Decoded("TWE"), "Ma");
    EXPECT_EQ(Decoded("TQ=="), "M");
    EXPECT_EQ(Decoded("TQ"), "M");
    EXPECT_EQ(Decoded("TR"), "M");  // leftover bits of a short group are ignored
    EXPECT_EQ(Decoded("T"), "");
    EXPECT_EQ(Decoded(""), "");
    EXPECT_EQ(Decoded("===="), "");
    EXPECT_EQ(Decoded("TWFu=TWFu"), "Man");
    EXPECT_EQ(Decoded("TWFu-TWFu"), "Man");
    EXPECT_EQ(Decoded("TWFu_TWFu"), "Man");
    EXPECT_EQ(Decoded("TWFu\xc3\xa9TWFu"), "Man");
    EXPECT_EQ(Decoded(std::string("TWFu\0TWFu", 9)), "Man");
    EXPECT_EQ(Decoded("AQAAAAIAAIA="), std::string("\x01\0\0\0\x02\0\0\x80", 8));
    EXPECT_EQ(Decoded("AQAAAAIAAIA"), std::string("\x01\0\0\0\x02\0\0\x80", 8));
}

TEST(Base64, WrappedTextDecodesWhole) {
    EXPECT_EQ(Decoded("TWFu TWFu"), "ManMan");
    EXPECT_EQ(Decoded(" T W\tF\r\nu TW E= TWFu"), "ManMa");
}

TEST(Base64, DecodingIntoABufferStopsWhenItIsFull) {
    uint8_t buffer[4] = {9, 9, 9, 9};
    EXPECT_EQ(tmx::Base64DecodeInto("TWFuTWFu", buffer, 4), 4u);
    EXPECT_EQ(std::string(buffer, buffer + 4), "ManM");
    EXPECT_EQ(tmx::Base64DecodeInto("TWE", buffer, 1), 1u);
    EXPECT_EQ(buffer[0], 'M');
    EXPECT_EQ(tmx::Base64DecodeInto("TWFu", buffer, 0), 0u);
}

TEST(Base64, RoundTripsAnRfc4648Encoder) {
    std::mt19937 random(20261206);
    for (int size = 0; size < 300; ++size) {
        std::vector<uint8_t> bytes(static_cast<size_t>(size));
        for (uint8_t& byte : bytes)
            byte = static_cast<uint8_t>(random());
        const std::string padded = Base64Encode(bytes, true);
        EXPECT_EQ(tmx::Base64Decode(padded), bytes) << size;
        EXPECT_EQ(tmx::Base64Decode(Base64Encode(bytes, false)), bytes) << size;
        std::string wrapped;  // as an editor wraps it, and TinyXML then condenses it
        for (size_t i = 0; i < padded.size(); i += 76)
            wrapped += padded.substr(i, 76) + " ";
        EXPECT_EQ(tmx::Base64Decode(wrapped), bytes) << size;
    }
}

// A decompression path run into a fresh buffer of `expected` bytes: the bytes
// it wrote, or nothing.
using Path = std::optional<size_t> (*)(const std::vector<uint8_t>&, uint8_t*, uint32_t);
std::optional<std::vector<uint8_t>> Decompress(Path path, const std::vector<uint8_t>& source,
                                               uint32_t expected) {
    std::vector<uint8_t> buffer(expected);
    const std::optional<size_t> written = path(source, buffer.data(), expected);
    if (!written) return std::nullopt;
    buffer.resize(*written);
    return buffer;
}

std::vector<uint8_t> Content(size_t size) {
    std::vector<uint8_t> content(size);
    for (size_t i = 0; i < size; ++i)
        content[i] = static_cast<uint8_t>(i * 7 + 1);
    return content;
}

TEST(Inflate, GzipPathKeepsTheGridAndChecksTheRest) {
    const std::vector<uint8_t> content = Content(16);
    const std::vector<uint8_t> gzip = Deflate(content, Wrapper::Gzip);
    const auto head = [&](size_t n) {
        return std::vector<uint8_t>(content.begin(), content.begin() + n);
    };
    EXPECT_EQ(Decompress(tmx::InflateGzipData, gzip, 16), content);
    EXPECT_EQ(Decompress(tmx::InflateGzipData, gzip, 12), head(12));
    EXPECT_EQ(Decompress(tmx::InflateGzipData, gzip, 1), head(1));
    EXPECT_EQ(Decompress(tmx::InflateGzipData, gzip, 64),
              content);  // shorter than expected: its true size
    EXPECT_EQ(Decompress(tmx::InflateGzipData, Deflate(content, Wrapper::Zlib), 16), content);

    // Far more content than the grid: checked through to its end, not kept.
    const std::vector<uint8_t> big = Content(3 << 20);
    const std::vector<uint8_t> bigGzip = Deflate(big, Wrapper::Gzip);
    EXPECT_EQ(Decompress(tmx::InflateGzipData, bigGzip, 100),
              std::vector<uint8_t>(big.begin(), big.begin() + 100));
    std::vector<uint8_t> damagedLate = bigGzip;
    damagedLate[damagedLate.size() - 5] ^= 0xFF;
    EXPECT_FALSE(Decompress(tmx::InflateGzipData, damagedLate, 100));
    EXPECT_FALSE(Decompress(tmx::InflateGzipData, {bigGzip.begin(), bigGzip.end() - 100}, 100));
}

TEST(Inflate, GzipPathRefusesDamagedStreams) {
    const std::vector<uint8_t> gzip = Deflate(Content(16), Wrapper::Gzip);
    std::vector<uint8_t> trailing = gzip;
    trailing.push_back(0);
    EXPECT_FALSE(Decompress(tmx::InflateGzipData, trailing, 16));
    std::vector<uint8_t> twoMembers = gzip;
    twoMembers.insert(twoMembers.end(), gzip.begin(), gzip.end());
    EXPECT_FALSE(Decompress(tmx::InflateGzipData, twoMembers, 16));
    EXPECT_FALSE(Decompress(tmx::InflateGzipData, {gzip.begin(), gzip.end() - 1}, 16));
    std::vector<uint8_t> badCheck = gzip;
    badCheck[badCheck.size() - 5] ^= 0xFF;  // the CRC-32 before the size
    EXPECT_FALSE(Decompress(tmx::InflateGzipData, badCheck, 16));
    EXPECT_FALSE(Decompress(tmx::InflateGzipData, gzip, 0));
    EXPECT_FALSE(Decompress(tmx::InflateGzipData, {}, 16));
    EXPECT_FALSE(Decompress(tmx::InflateGzipData, {1, 2, 3, 4, 5}, 16));
}

TEST(Inflate, ZlibPathFillsExactlyTheGrid) {
    const std::vector<uint8_t> content = Content(16);
    const std::vector<uint8_t> zlib = Deflate(content, Wrapper::Zlib);
    EXPECT_EQ(Decompress(tmx::InflateZlibData, zlib, 16), content);
    EXPECT_EQ(Decompress(tmx::InflateZlibData, zlib, 12),
              std::vector<uint8_t>(content.begin(), content.begin() + 12));
    EXPECT_EQ(Decompress(tmx::InflateZlibData, zlib, 64), content);  // short content: what there is
    EXPECT_FALSE(Decompress(tmx::InflateZlibData, Deflate(content, Wrapper::Gzip), 16));
    EXPECT_FALSE(
        Decompress(tmx::InflateZlibData, {zlib.begin(), zlib.begin() + zlib.size() / 2}, 16));
    // uncompress cannot tell a missing check value from more content once the
    // grid is full: the grid's bytes are all there, and they are used.
    EXPECT_EQ(Decompress(tmx::InflateZlibData, {zlib.begin(), zlib.end() - 1}, 16), content);
    std::vector<uint8_t> badCheck = zlib;
    badCheck.back() ^= 0xFF;  // the Adler-32
    EXPECT_FALSE(Decompress(tmx::InflateZlibData, badCheck, 16));
    EXPECT_FALSE(Decompress(tmx::InflateZlibData, {}, 16));
}

std::vector<uint8_t> Zstd(const std::vector<uint8_t>& content) {
    std::vector<uint8_t> out(ZSTD_compressBound(content.size()));
    out.resize(ZSTD_compress(out.data(), out.size(), content.data(), content.size(), 3));
    return out;
}

TEST(Zstd, FillsExactlyTheGridLikeZlib) {
    const std::vector<uint8_t> content = Content(16);
    const std::vector<uint8_t> zstd = Zstd(content);
    EXPECT_EQ(Decompress(tmx::DecompressZstdData, zstd, 16), content);
    EXPECT_EQ(Decompress(tmx::DecompressZstdData, zstd, 12),
              std::vector<uint8_t>(content.begin(), content.begin() + 12));
    EXPECT_EQ(Decompress(tmx::DecompressZstdData, zstd, 64),
              content);  // short content: what there is
    std::vector<uint8_t> twoFrames = Zstd({content.begin(), content.begin() + 8});
    const std::vector<uint8_t> second = Zstd({content.begin() + 8, content.end()});
    twoFrames.insert(twoFrames.end(), second.begin(), second.end());
    EXPECT_EQ(Decompress(tmx::DecompressZstdData, twoFrames, 16), content);

    const std::vector<uint8_t> big = Content(1 << 20);
    EXPECT_EQ(Decompress(tmx::DecompressZstdData, Zstd(big), 100),
              std::vector<uint8_t>(big.begin(), big.begin() + 100));
}

TEST(Zstd, RefusesWhatIsNotAWholeStream) {
    const std::vector<uint8_t> zstd = Zstd(Content(4096));
    EXPECT_FALSE(Decompress(tmx::DecompressZstdData, {zstd.begin(), zstd.end() - 1}, 8192));
    EXPECT_FALSE(Decompress(tmx::DecompressZstdData, {zstd.begin(), zstd.begin() + 6}, 8192));
    EXPECT_FALSE(Decompress(tmx::DecompressZstdData, {}, 16));
    EXPECT_FALSE(Decompress(tmx::DecompressZstdData, Deflate(Content(16), Wrapper::Zlib), 16));
    std::vector<uint8_t> trailing = Zstd(Content(8));
    trailing.push_back(0x55);
    EXPECT_FALSE(Decompress(tmx::DecompressZstdData, trailing, 16));
}

}  // namespace
