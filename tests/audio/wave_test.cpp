// Reading WAVE images: well-formed files in any chunk order, and malformed ones that must fail
// without reading past the bytes given (the sanitizers watch the exact-size copies).
#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "audio/sound_slots.h"

namespace {

// Appends the low `bytes` bytes of v, least significant first.
void PutLe(std::vector<uint8_t>& b, uint32_t v, int bytes) {
  for (int i = 0; i < bytes; ++i) b.push_back(static_cast<uint8_t>(v >> (8 * i)));
}
void Le16(std::vector<uint8_t>& b, uint32_t v) { PutLe(b, v, 2); }
void Le32(std::vector<uint8_t>& b, uint32_t v) { PutLe(b, v, 4); }
void Chunk(std::vector<uint8_t>& b, const char* id, const std::vector<uint8_t>& body, uint32_t length) {
  for (int i = 0; i < 4; ++i) b.push_back(static_cast<uint8_t>(id[i]));
  Le32(b, length);
  b.insert(b.end(), body.begin(), body.end());
  if (body.size() & 1) b.push_back(0);
}
std::vector<uint8_t> FormatBody(uint16_t tag, uint16_t channels, uint32_t rate, uint16_t bits, size_t size = 16) {
  std::vector<uint8_t> f;
  Le16(f, tag);
  Le16(f, channels);
  Le32(f, rate);
  Le32(f, rate * channels * bits / 8);
  Le16(f, channels * bits / 8);
  Le16(f, bits);
  f.resize(size);
  return f;
}
// A RIFF image of the given chunks, with its true length unless told otherwise.
std::vector<uint8_t> Riff(const std::vector<uint8_t>& chunks, int64_t riff_length = -1) {
  std::vector<uint8_t> b = {'R', 'I', 'F', 'F'};
  Le32(b, riff_length >= 0 ? static_cast<uint32_t>(riff_length) : static_cast<uint32_t>(4 + chunks.size()));
  b.insert(b.end(), {'W', 'A', 'V', 'E'});
  b.insert(b.end(), chunks.begin(), chunks.end());
  return b;
}
const std::vector<uint8_t> kSamples = {1, 2, 3, 4, 5, 6, 7};

struct Parsed {
  int result = -1;
  host::WaveFormat format;
  std::vector<uint8_t> data;
};

// Parses a heap copy of exactly the image's size, so that any read past it is caught.
Parsed Parse(const std::vector<uint8_t>& image) {
  auto* copy = new uint8_t[image.size() + (image.empty() ? 1 : 0)];
  if (!image.empty()) std::memcpy(copy, image.data(), image.size());
  Parsed p;
  const uint8_t* data = nullptr;
  uint32_t size = 0;
  p.result = ParseWaveData(copy, image.size(), p.format, data, size);
  if (p.result == 1) p.data.assign(data, data + size);
  delete[] copy;
  return p;
}

TEST(WaveTest, ReadsFormatAndDataInAnyOrder) {
  std::vector<uint8_t> chunks;
  Chunk(chunks, "LIST", {'x', 'y', 'z'}, 3);  // odd length: the next chunk starts after a pad byte
  Chunk(chunks, "data", {}, 0);              // an empty data chunk is passed over
  Chunk(chunks, "data", kSamples, 7);
  Chunk(chunks, "fmt ", FormatBody(1, 2, 44100, 16, 18), 18);
  const Parsed p = Parse(Riff(chunks));
  ASSERT_EQ(p.result, 1);
  EXPECT_EQ(p.format.format_tag, 1);
  EXPECT_EQ(p.format.channels, 2);
  EXPECT_EQ(p.format.samples_per_sec, 44100u);
  EXPECT_EQ(p.format.avg_bytes_per_sec, 176400u);
  EXPECT_EQ(p.format.block_align, 4);
  EXPECT_EQ(p.format.bits_per_sample, 16);
  EXPECT_EQ(p.data, kSamples);
}

TEST(WaveTest, ChunksPastTheRiffBodyAreNotRead) {
  std::vector<uint8_t> chunks;
  Chunk(chunks, "fmt ", FormatBody(1, 1, 22050, 8), 16);
  const size_t body = 4 + chunks.size();
  Chunk(chunks, "data", kSamples, 7);
  EXPECT_EQ(Parse(Riff(chunks, static_cast<int64_t>(body))).result, 0);  // data lies beyond 8 + L
}

TEST(WaveTest, MalformedImagesFail) {
  std::vector<uint8_t> fmt, data;
  Chunk(fmt, "fmt ", FormatBody(1, 1, 22050, 8), 16);
  Chunk(data, "data", kSamples, 7);
  std::vector<uint8_t> good_chunks = fmt;
  good_chunks.insert(good_chunks.end(), data.begin(), data.end());
  const std::vector<uint8_t> good = Riff(good_chunks);
  ASSERT_EQ(Parse(good).result, 1);

  // Cut anywhere: never a read past the end, and no success without the whole data chunk.
  for (size_t n = 0; n < good.size() - 1; ++n) {
    EXPECT_EQ(Parse(std::vector<uint8_t>(good.begin(), good.begin() + n)).result, 0) << n << " bytes";
  }

  std::vector<uint8_t> lying;  // a data chunk claiming more than the file holds
  Chunk(lying, "data", kSamples, 4000);
  std::vector<uint8_t> chunks = fmt;
  chunks.insert(chunks.end(), lying.begin(), lying.end());
  EXPECT_EQ(Parse(Riff(chunks, 100000)).result, 0) << "lying lengths";

  std::vector<uint8_t> huge;
  Chunk(huge, "fmt ", FormatBody(1, 1, 22050, 8), 0xFFFFFFF0u);
  EXPECT_EQ(Parse(Riff(huge, 0xFFFFFFF0u)).result, 0) << "a length near 4 GiB";

  for (const auto& [name, f] : {std::pair{"short format", FormatBody(1, 1, 22050, 8, 14)},
                                std::pair{"float samples", FormatBody(3, 1, 22050, 32)},
                                std::pair{"compressed", FormatBody(2, 1, 22050, 4)}}) {
    std::vector<uint8_t> c;
    Chunk(c, "fmt ", f, static_cast<uint32_t>(f.size()));
    c.insert(c.end(), data.begin(), data.end());
    EXPECT_EQ(Parse(Riff(c)).result, 0) << name;
  }

  EXPECT_EQ(Parse(Riff(fmt)).result, 0) << "no data chunk";
  EXPECT_EQ(Parse(Riff(data)).result, 0) << "no format chunk";
  std::vector<uint8_t> not_wave = good;
  not_wave[8] = 'A';
  EXPECT_EQ(Parse(not_wave).result, 0) << "not WAVE";
}

TEST(WaveTest, RandomDamageNeverReadsOutside) {
  std::vector<uint8_t> chunks;
  Chunk(chunks, "fmt ", FormatBody(1, 2, 44100, 16), 16);
  Chunk(chunks, "data", std::vector<uint8_t>(64, 0x40), 64);
  const std::vector<uint8_t> good = Riff(chunks);
  std::mt19937 rng(1234);
  int parsed = 0;
  for (int i = 0; i < 3000; ++i) {
    std::vector<uint8_t> image = good;
    const int hits = 1 + static_cast<int>(rng() % 4);
    for (int h = 0; h < hits; ++h) image[rng() % image.size()] = static_cast<uint8_t>(rng());
    image.resize(rng() % (image.size() + 1));
    const Parsed p = Parse(image);
    if (p.result == 1) {
      ++parsed;
      EXPECT_EQ(p.format.format_tag, 1);
      EXPECT_LE(p.data.size(), image.size());
    }
  }
  EXPECT_GT(parsed, 0);  // the damage left some images readable
}

}  // namespace
