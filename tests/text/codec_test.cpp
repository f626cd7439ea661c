#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/message_log.hpp"
#include "text/decoder.hpp"
#include "text/encoder.hpp"
#include "text/names.hpp"

namespace {

using Bytes = std::vector<std::uint8_t>;

std::string decode(const Bytes& bytes, std::size_t capacity = 1 << 16) {
  std::string text;
  decode_text(&text, bytes.data(), capacity, bytes.size());
  return text;
}

Bytes encode(const std::string& text, bool newline = false) {
  const std::size_t count = encode_text(nullptr, text.data(), 0, text.size(), newline);
  Bytes bytes(count + 4, 0xAA);
  EXPECT_EQ(encode_text(bytes.data(), text.data(), count, text.size(), newline), count);
  EXPECT_EQ(bytes[count], 0xAA) << "the encoder wrote past its capacity";
  bytes.resize(count);
  return bytes;
}

}  // namespace

TEST(Decoder, GlyphsOfBothWidths) {
  EXPECT_EQ(decode({0x50, 0x51}), "□あ");
  EXPECT_EQ(decode({0x21, 0x00}), "万");
  EXPECT_EQ(decode({0x20, 0xB0}), "魔");
  EXPECT_EQ(decode({0x23, 0xFF}), "汗");
  EXPECT_EQ(decode({0xE6}), " ");
  EXPECT_EQ(decode({0xFF}), "言");
}

TEST(Decoder, TagsAndTheirArguments) {
  EXPECT_EQ(decode({0x20, 0x41}), "<20 41>");
  EXPECT_EQ(decode({0x20, 0xAF}), "<20 AF>");
  EXPECT_EQ(decode({0x00, 0x00}), "<00><00>");
  EXPECT_EQ(decode({0x3A, 0xAB}), "<3A AB>");
  EXPECT_EQ(decode({0x48, 0x4F, 0x01}), "<48><4F><01>");
}

TEST(Decoder, MissingArgumentsAreMarkedAndReported) {
  clear_last_message();
  EXPECT_EQ(decode({0x36}), "<36#>");
  EXPECT_EQ(last_message(), "タグ引数が足りません : タグ = 0x36\n");
  EXPECT_EQ(decode({0x51, 0x20}), "あ<20#>");
}

TEST(Decoder, ExtraPagePairsKeepTheirBytes) {
  EXPECT_EQ(decode({0x18, 0x05, 0x51}), "<18 05>あ");
  clear_last_message();
  EXPECT_EQ(decode({0x51, 0x18}), "あ<18#>");
  EXPECT_EQ(last_message(), "タグ引数が足りません : タグ = 0x18\n");
}

TEST(Encoder, CharactersOfTheFont) {
  EXPECT_EQ(encode("ア"), Bytes({0x82}));
  EXPECT_EQ(encode("魔"), Bytes({0x20, 0xB0}));
  EXPECT_EQ(encode("□　"), Bytes({0x50, 0x50}));
  EXPECT_EQ(encode("01"), Bytes({0x23, 0x00, 0x23, 0x01}));
  EXPECT_EQ(encode("Ｏ"), encode("0"));
  EXPECT_EQ(encode("へべぺー"), Bytes({0x9E, 0xDD, 0xE2, 0xE5}));
  EXPECT_EQ(encode(" !%-/:?HLP~"), Bytes({0xE6, 0xEA, 0x22, 0x9B, 0xE5, 0x23, 0x0D, 0x23, 0x0F,
                                          0xEB, 0x23, 0x0A, 0x23, 0x0B, 0x23, 0x0C, 0xF4}));
}

TEST(Encoder, Tags) {
  EXPECT_EQ(encode("<20 41>"), Bytes({0x20, 0x41}));
  EXPECT_EQ(encode("<4 1>"), Bytes({0x01}));
  EXPECT_EQ(encode("<>"), Bytes());
  EXPECT_EQ(encode("<4F 03 01 02>"), Bytes({0x4F, 0x03, 0x01, 0x02}));
  EXPECT_EQ(encode("<4f030102>"), Bytes({0x4F, 0x03, 0x01, 0x02}));
  EXPECT_EQ(encode("<36#>"), Bytes({0x36}));
  EXPECT_EQ(encode("<123>"), Bytes({0x12}));
}

TEST(Names, RoundTripThroughASlot) {
  const Bytes slot = {0x82, 0x20, 0xB0, 0x36, 0x02, 0x18, 0x07, 0x50};
  const std::string name = decode_name(slot.data(), slot.size());
  EXPECT_EQ(name, "ア魔<36 02><18 07>□");
  Bytes back(8, 0);
  encode_name(name, back.data(), back.size());
  EXPECT_EQ(back, slot);
}
