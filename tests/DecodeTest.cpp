// Base64 against an RFC 4648 encoder, and the three decompression paths on
// whole, cut, damaged and padded streams from the libraries' own compressors.

#include <gtest/gtest.h>
#include <zstd.h>

#include <array>
#include <random>
#include <span>

#include "Encoders.h"
#include "tmx/decode/TmxBase64.h"
#include "tmx/decode/TmxInflate.h"

namespace {

std::vector<uint8_t> RandomBytes(std::mt19937& random, size_t size) {
    std::vector<uint8_t> bytes(size);
    for (uint8_t& byte : bytes)
        byte = static_cast<uint8_t>(random() % 7 == 0 ? random() : random() % 4);
    return bytes;
}

TEST(Base64, DecodesWhatAnEncoderWritesWrappedOrNot) {
    std::mt19937 random(20261206);
    for (size_t size = 0; size < 300; ++size) {
        const std::vector<uint8_t> bytes = RandomBytes(random, size);
        const std::string padded = Base64Encode(bytes, true);
        ASSERT_EQ(tmx::Base64Decode(padded), bytes) << size;
        ASSERT_EQ(tmx::Base64Decode(Base64Encode(bytes, false)), bytes) << size;
        std::string wrapped;  // as an editor wraps it: blanks and line ends anywhere
        for (size_t i = 0; i < padded.size(); i += 1 + random() % 80)
            wrapped += padded.substr(i, 1 + random() % 80) + " \t\r\n"[random() % 4];
        std::string cut;  // the same text, whole lines only
        for (size_t i = 0; i < padded.size(); i += 76)
            cut += padded.substr(i, 76) + "\n";
        ASSERT_EQ(tmx::Base64Decode(cut), bytes) << size;
        // Decoding into a buffer stops when it is full.
        const size_t capacity = random() % (size + 2);
        std::vector<uint8_t> into(capacity);
        ASSERT_EQ(tmx::Base64DecodeInto(padded, into.data(), capacity), std::min(capacity, size));
        ASSERT_TRUE(
            std::equal(into.begin(), into.begin() + std::min(capacity, size), bytes.begin()));
    }
}

TEST(Base64, EndsAtTheFirstCharacterOutsideTheAlphabet) {
    const struct {
        std::string text;
        std::string bytes;
    } rows[] = {
        {"TWFu=TWFu", "Man"},
        {"TWFu-TWFu", "Man"},
        {"TWFu\xc3\xa9TWFu", "Man"},
        {std::string("TWFu\0TWFu", 9), "Man"},
        {"TR", "M"},  // leftover bits ignored
        {"T", ""},
        {"====", ""},
        {"TW E= TWFu", "Ma"},
    };
    for (const auto& row : rows) {
        const std::vector<uint8_t> bytes = tmx::Base64Decode(row.text);
        EXPECT_EQ(std::string(bytes.begin(), bytes.end()), row.bytes) << row.text;
    }
}

enum class Codec { Zlib, Gzip, Zstd };

std::vector<uint8_t> Compress(Codec codec, const std::vector<uint8_t>& content) {
    if (codec != Codec::Zstd)
        return Deflate(content, codec == Codec::Gzip ? Wrapper::Gzip : Wrapper::Zlib);
    std::vector<uint8_t> out(ZSTD_compressBound(content.size()));
    out.resize(ZSTD_compress(out.data(), out.size(), content.data(), content.size(), 3));
    return out;
}

// What a path gave, piece by piece, for a grid of `capacity` bytes, or nothing.
std::optional<std::vector<uint8_t>> Decompress(Codec codec, const std::vector<uint8_t>& source,
                                               uint32_t capacity) {
    struct Collect final : tmx::TmxByteSink {
        std::vector<uint8_t> bytes;
        std::array<uint8_t, 999> window;  // cuts ids, whatever the content
        std::span<uint8_t> Window() override { return window; }
        void Take(size_t count) override {
            ASSERT_TRUE(count > 0 && count <= window.size());
            bytes.insert(bytes.end(), window.begin(), window.begin() + count);
        }
    } sink;
    const auto path = codec == Codec::Zlib   ? tmx::InflateZlibData
                      : codec == Codec::Gzip ? tmx::InflateGzipData
                                             : tmx::DecompressZstdData;
    const std::optional<size_t> given = path(source, capacity, sink);
    if (!given) return std::nullopt;
    EXPECT_EQ(*given, sink.bytes.size());
    return sink.bytes;
}

std::vector<uint8_t> Head(const std::vector<uint8_t>& bytes, size_t n) {
    return {bytes.begin(), bytes.begin() + static_cast<ptrdiff_t>(std::min(n, bytes.size()))};
}

// Every path keeps as much of the content as the grid holds; damage anywhere
// in what it reads fails it. The gzip path reads the whole stream whatever the
// grid; the zlib and zstd paths stop once the grid is full.
TEST(Decompress, KeepsTheGridAndRefusesDamage) {
    std::mt19937 random(7);
    const std::vector<uint8_t> zlib = Compress(Codec::Zlib, {1, 2, 3});
    for (const Codec codec : {Codec::Zlib, Codec::Gzip, Codec::Zstd}) {
        // The middle size fills the sink's window exactly twice.
        for (const size_t size : {size_t{16}, size_t{1998}, size_t{1} << 20}) {
            const std::vector<uint8_t> content = RandomBytes(random, size);
            const std::vector<uint8_t> stream = Compress(codec, content);
            const auto n = static_cast<uint32_t>(size);
            SCOPED_TRACE(testing::Message() << "codec " << int(codec) << ", " << size << " bytes");
            EXPECT_EQ(Decompress(codec, stream, n), content);
            EXPECT_EQ(Decompress(codec, stream, n + 48), content);  // short content: what there is
            EXPECT_EQ(Decompress(codec, stream, n / 2), Head(content, n / 2));
            EXPECT_EQ(Decompress(codec, stream, 1), Head(content, 1));
            EXPECT_FALSE(Decompress(codec, Head(stream, stream.size() / 2), n));
            EXPECT_FALSE(Decompress(codec, {}, n));
            EXPECT_FALSE(Decompress(codec, {1, 2, 3, 4, 5}, n));
            if (codec == Codec::Zstd) {
                EXPECT_FALSE(Decompress(codec, zlib, n));
            }

            std::vector<uint8_t> damaged = stream;  // a check value at the end
            damaged[damaged.size() - (codec == Codec::Gzip ? 5 : 1)] ^= 0x55;
            if (codec != Codec::Zstd) {
                EXPECT_FALSE(Decompress(codec, damaged, n));
            }
            std::vector<uint8_t> doubled = stream;
            doubled.insert(doubled.end(), stream.begin(), stream.end());
            if (codec == Codec::Gzip) {
                EXPECT_FALSE(Decompress(codec, damaged, 100));  // beyond the grid, still read
                EXPECT_FALSE(Decompress(codec, doubled, n));    // a second member
                EXPECT_FALSE(Decompress(codec, Head(stream, stream.size() - 1), n));
                EXPECT_FALSE(Decompress(codec, stream, 0));
            }
            if (codec == Codec::Zstd) {  // frames may follow frames, and nothing else
                std::vector<uint8_t> twice = content;
                twice.insert(twice.end(), content.begin(), content.end());
                EXPECT_EQ(Decompress(codec, doubled, 2 * n), twice);
                EXPECT_FALSE(Decompress(codec, Head(stream, stream.size() - 1), n + 1));
                std::vector<uint8_t> trailing = stream;
                trailing.push_back(0x55);
                EXPECT_FALSE(Decompress(codec, trailing, n + 1));
            }
        }
    }
}

}  // namespace
