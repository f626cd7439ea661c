#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "text/charset.hpp"
#include "text/decoder.hpp"
#include "text/encoder.hpp"

#ifndef _WIN32
#include <iconv.h>
#endif

namespace {

std::vector<std::uint8_t> code_bytes(std::size_t glyph) {
  const std::uint16_t code = glyph_code(glyph);
  if (code < 0x100) return {static_cast<std::uint8_t>(code)};
  return {static_cast<std::uint8_t>(code >> 8), static_cast<std::uint8_t>(code)};
}

}  // namespace

// Bytes typed from a Shift-JIS code chart, independent of how the sources are compiled.
TEST(CharacterTable, SpotChecksAgainstShiftJisCodes) {
  EXPECT_EQ(glyph_text(0x000), "\x81\xA0");  // □
  EXPECT_EQ(glyph_text(0x001), "\x82\xA0");  // あ
  EXPECT_EQ(glyph_text(0x096), " ");
  EXPECT_EQ(glyph_text(0x0A4), "\x81\x60");  // ～
  EXPECT_EQ(glyph_text(0x0B0), "\x96\x82");  // 魔
  EXPECT_EQ(glyph_text(0x100), "\x96\x9C");  // 万
  EXPECT_EQ(glyph_text(0x300), "\x82\x4F");  // ０
  EXPECT_EQ(glyph_text(0x3FF), "\x8A\xBE");  // 汗
  EXPECT_EQ(glyph_text(0x400), "");
}

TEST(CharacterTable, EveryGlyphIsOneDistinctCharacterThatRoundTrips) {
  std::set<std::string_view> seen;
  for (std::size_t glyph = 0; glyph < glyph_count; ++glyph) {
    const std::string_view text = glyph_text(glyph);
    EXPECT_EQ(text.size(), glyph == 0x96 ? 1u : 2u) << glyph;
    EXPECT_TRUE(seen.insert(text).second) << "glyph " << glyph << " repeats";
    const std::vector<std::uint8_t> bytes = code_bytes(glyph);
    std::string decoded;
    decode_text(&decoded, bytes.data(), 64, bytes.size());
    EXPECT_EQ(decoded, text) << glyph;
    std::vector<std::uint8_t> encoded(2, 0);
    encoded.resize(encode_text(encoded.data(), text.data(), 2, text.size(), false));
    EXPECT_EQ(encoded, bytes) << glyph;
  }
}

#ifndef _WIN32
namespace {

// The font as it is printed in the game's documentation, sixteen glyphs per row, in UTF-8.
const char* const utf8_grid[] = {
    u8"□あいうえおかきくけこさしすせそ",  // 0x50
    u8"たちつてとなにぬねのはひふほまみ",  // 0x60
    u8"むめもやゆよらりるれろわをんゃゅ",  // 0x70
    u8"ょっアイウエオカキクケコサシスセ",  // 0x80
    u8"ソタチツテトナニヌネノハヒフヘホ",  // 0x90
    u8"マミムメモヤユヨラリルレロワンァ",  // 0xA0
    u8"ィゥェォャュョッがぎぐげござじず",  // 0xB0
    u8"ぜぞだぢづでどばびぶぼガギグゲゴ",  // 0xC0
    u8"ザジズゼゾダヂヅデドバビブベボパ",  // 0xD0
    u8"ピプペポヴ一 。、‥！？・様行私",  // 0xE0
    u8"人出何王～来間大前戦力見中者聖言",  // 0xF0
    u8"魔無方手話事今達気開町世会入物子",  // 0x20B0
    u8"死知乗術君教族所発上殿家軍別待商",  // 0x20C0
    u8"仲海金城助分動持後地取神本思変緒",  // 0x20D0
    u8"連敵団報当残合情命心下部聞勝界頼",  // 0x20E0
    u8"作体休戻西生船場良最備度帰立近丈",  // 0x20F0
    u8"万兵逃夫侯元名破売食怪少々年公配",  // 0x2100
    u8"奴明姫屋成自男士時武止貴宿新住長",  // 0x2110
    u8"着礼必通捕仕以夢北兄日宝使始好父",  // 0x2120
    u8"引外二準呼願要倒先突宮強天説山険",  // 0x2130
    u8"小衛決欲足定係高玄協将構美村隠集",  // 0x2140
    u8"妹有姉安遊関閉国市闘竜女娘不東探",  // 0x2150
    u8"指目殺工房黄爵我判護結親現悪得理",  // 0x2160
    u8"赤賊客壊寝特陣京内老守旅彼念用進",  // 0x2170
    u8"難街代味参意危受幸許活多品槍盗消",  // 0x2180
    u8"徒加島実置身付伝回支覚空原撃申財",  // 0x2190
    u8"攻全防列隊技剣産復石御社形退水件",  // 0x21A0
    u8"器龍運投道果打薬業低法状資弓早星",  // 0x21B0
    u8"織切光況効同揮弱精三鎧重流乱矢妖",  // 0x21C0
    u8"翼農直失書買毒化毛月陽速影落告木",  // 0x21D0
    u8"却奪終具腕白草盾太馬段斬血相主花",  // 0x21E0
    u8"性抜酒造門官絶減令次数続位収信砂",  // 0x21F0
    u8"封野波盟素向巣正風料与面文滅土在",  // 0x2200
    u8"操氷壁射放火眠鳥敗皮起遠恐存口断",  // 0x2210
    u8"装窟番葉調混返交喜込漠飛完製底夜",  // 0x2220
    u8"炎鉄威騎斧十惑平率的員店職陸増予",  // 0x2230
    u8"能邪負選送才熱雪紙初感苦供触玉座",  // 0x2240
    u8"楽吸鬼洞息輪挑追襲練祈侵傷粉杯考",  // 0x2250
    u8"冷違南昔急態臣ぱ嫁望働記頭移井戸",  // 0x2260
    u8"争森針払蒼義普押傭都沼易機反魚超",  // 0x2270
    u8"視鉱牧材差勇祖霧色誘嫌期演真四詩",  // 0x2280
    u8"共舞確散館学越統然棒民％走虎獣異",  // 0x2290
    u8"叩政央策想塔巻刀害幻衝了総頂岩骨",  // 0x22A0
    u8"派泊預役寄降習読暗声顔奥旧深営談",  // 0x22B0
    u8"秘飲制狩試魅群震師税雷拓銀鱗棍割",  // 0x22C0
    u8"脳転功塩穴冒頃肉港格恋霊労噂皆婚",  // 0x22D0
    u8"掛音救印久朱優像古値妻研究晶猛嵐",  // 0x22E0
    u8"河静激利稲砕温革環蛇雨電爆両羊陶",  // 0x22F0
    u8"０１２３４５６７８９ＨＬＰ／←：",  // 0x2300
    u8"芸対永遅若迷張援伯離表母展背独握",  // 0x2310
    u8"闇髪禁遣傑由帯渡授瞳限浮湖観廃倉",  // 0x2320
    u8"庫巨側曲満腐旗勢常瞬杖眼字牙奇尾",  // 0x2330
    u8"振凝催線境綿貿注治跡答建逆閣恩飾",  // 0x2340
    u8"沈忘罪継解麻笑弟過扉画洋墟姿溶七",  // 0x2350
    u8"黒栄億点蹴鏡角香削千避妨絹茶額求",  // 0x2360
    u8"廟牢討任賞亡興問没右識末鎖腹五縦",  // 0x2370
    u8"再築友和志坊乾兆警戒陰福偽歩朝鳴",  // 0x2380
    u8"算級爪狼浪疾拳液裂貫極熟損号林敢",  // 0x2390
    u8"犠牲短勉験墓疲悟屈式責暮留左冗病",  // 0x23A0
    u8"未驚幅測窓青塞寺院語泣謀創充軽煙",  // 0x23B0
    u8"滝到峠抗征誉届謝片計領局鳳辰宵甲",  // 0x23C0
    u8"羅刹屍閃双車勁烈臨螢縛順歳殊設各",  // 0x23D0
    u8"糸丘誓案敬慮縁伏密兼孫景呪倍阻占",  // 0x23E0
    u8"伐幕清仁覆嬢諸亜居酸津智鎮略根汗",  // 0x23F0
};

std::string to_cp932(const std::string& utf8) {
  iconv_t converter = iconv_open("CP932", "UTF-8");
  if (converter == reinterpret_cast<iconv_t>(-1)) return {};
  std::string in = utf8;
  std::string out(in.size() * 2, '\0');
  char* from = in.data();
  char* to = out.data();
  std::size_t from_left = in.size(), to_left = out.size();
  const std::size_t result = iconv(converter, &from, &from_left, &to, &to_left);
  iconv_close(converter);
  if (result == static_cast<std::size_t>(-1)) return {};
  out.resize(out.size() - to_left);
  return out;
}

}  // namespace

TEST(CharacterTable, MatchesTheGridConvertedByIconv) {
  ASSERT_EQ(sizeof(utf8_grid) / sizeof(utf8_grid[0]) * 16, glyph_count);
  std::size_t glyph = 0;
  for (const char* row : utf8_grid) {
    const std::string sjis = to_cp932(row);
    ASSERT_FALSE(sjis.empty()) << row;
    for (std::size_t i = 0; i < sjis.size(); ++glyph) {
      const std::size_t width = static_cast<unsigned char>(sjis[i]) >= 0x80 ? 2 : 1;
      EXPECT_EQ(glyph_text(glyph), sjis.substr(i, width)) << "glyph " << glyph;
      i += width;
    }
  }
  EXPECT_EQ(glyph, glyph_count);
}
#endif
