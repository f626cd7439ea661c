#include "text/charset.hpp"

#include "core/sjis.hpp"

#include <array>
#include <string>

namespace {

// Sixteen glyphs per row, in glyph order; the comment is the game code of the row's first glyph.
constexpr const char* const glyph_grid[] = {
    "□あいうえおかきくけこさしすせそ",  // 0x50
    "たちつてとなにぬねのはひふほまみ",  // 0x60
    "むめもやゆよらりるれろわをんゃゅ",  // 0x70
    "ょっアイウエオカキクケコサシスセ",  // 0x80
    "ソタチツテトナニヌネノハヒフヘホ",  // 0x90
    "マミムメモヤユヨラリルレロワンァ",  // 0xA0
    "ィゥェォャュョッがぎぐげござじず",  // 0xB0
    "ぜぞだぢづでどばびぶぼガギグゲゴ",  // 0xC0
    "ザジズゼゾダヂヅデドバビブベボパ",  // 0xD0
    "ピプペポヴ一 。、‥！？・様行私",  // 0xE0
    "人出何王～来間大前戦力見中者聖言",  // 0xF0
    "魔無方手話事今達気開町世会入物子",  // 0x20B0
    "死知乗術君教族所発上殿家軍別待商",  // 0x20C0
    "仲海金城助分動持後地取神本思変緒",  // 0x20D0
    "連敵団報当残合情命心下部聞勝界頼",  // 0x20E0
    "作体休戻西生船場良最備度帰立近丈",  // 0x20F0
    "万兵逃夫侯元名破売食怪少々年公配",  // 0x2100
    "奴明姫屋成自男士時武止貴宿新住長",  // 0x2110
    "着礼必通捕仕以夢北兄日宝使始好父",  // 0x2120
    "引外二準呼願要倒先突宮強天説山険",  // 0x2130
    "小衛決欲足定係高玄協将構美村隠集",  // 0x2140
    "妹有姉安遊関閉国市闘竜女娘不東探",  // 0x2150
    "指目殺工房黄爵我判護結親現悪得理",  // 0x2160
    "赤賊客壊寝特陣京内老守旅彼念用進",  // 0x2170
    "難街代味参意危受幸許活多品槍盗消",  // 0x2180
    "徒加島実置身付伝回支覚空原撃申財",  // 0x2190
    "攻全防列隊技剣産復石御社形退水件",  // 0x21A0
    "器龍運投道果打薬業低法状資弓早星",  // 0x21B0
    "織切光況効同揮弱精三鎧重流乱矢妖",  // 0x21C0
    "翼農直失書買毒化毛月陽速影落告木",  // 0x21D0
    "却奪終具腕白草盾太馬段斬血相主花",  // 0x21E0
    "性抜酒造門官絶減令次数続位収信砂",  // 0x21F0
    "封野波盟素向巣正風料与面文滅土在",  // 0x2200
    "操氷壁射放火眠鳥敗皮起遠恐存口断",  // 0x2210
    "装窟番葉調混返交喜込漠飛完製底夜",  // 0x2220
    "炎鉄威騎斧十惑平率的員店職陸増予",  // 0x2230
    "能邪負選送才熱雪紙初感苦供触玉座",  // 0x2240
    "楽吸鬼洞息輪挑追襲練祈侵傷粉杯考",  // 0x2250
    "冷違南昔急態臣ぱ嫁望働記頭移井戸",  // 0x2260
    "争森針払蒼義普押傭都沼易機反魚超",  // 0x2270
    "視鉱牧材差勇祖霧色誘嫌期演真四詩",  // 0x2280
    "共舞確散館学越統然棒民％走虎獣異",  // 0x2290
    "叩政央策想塔巻刀害幻衝了総頂岩骨",  // 0x22A0
    "派泊預役寄降習読暗声顔奥旧深営談",  // 0x22B0
    "秘飲制狩試魅群震師税雷拓銀鱗棍割",  // 0x22C0
    "脳転功塩穴冒頃肉港格恋霊労噂皆婚",  // 0x22D0
    "掛音救印久朱優像古値妻研究晶猛嵐",  // 0x22E0
    "河静激利稲砕温革環蛇雨電爆両羊陶",  // 0x22F0
    "０１２３４５６７８９ＨＬＰ／←：",  // 0x2300
    "芸対永遅若迷張援伯離表母展背独握",  // 0x2310
    "闇髪禁遣傑由帯渡授瞳限浮湖観廃倉",  // 0x2320
    "庫巨側曲満腐旗勢常瞬杖眼字牙奇尾",  // 0x2330
    "振凝催線境綿貿注治跡答建逆閣恩飾",  // 0x2340
    "沈忘罪継解麻笑弟過扉画洋墟姿溶七",  // 0x2350
    "黒栄億点蹴鏡角香削千避妨絹茶額求",  // 0x2360
    "廟牢討任賞亡興問没右識末鎖腹五縦",  // 0x2370
    "再築友和志坊乾兆警戒陰福偽歩朝鳴",  // 0x2380
    "算級爪狼浪疾拳液裂貫極熟損号林敢",  // 0x2390
    "犠牲短勉験墓疲悟屈式責暮留左冗病",  // 0x23A0
    "未驚幅測窓青塞寺院語泣謀創充軽煙",  // 0x23B0
    "滝到峠抗征誉届謝片計領局鳳辰宵甲",  // 0x23C0
    "羅刹屍閃双車勁烈臨螢縛順歳殊設各",  // 0x23D0
    "糸丘誓案敬慮縁伏密兼孫景呪倍阻占",  // 0x23E0
    "伐幕清仁覆嬢諸亜居酸津智鎮略根汗",  // 0x23F0
};
constexpr std::size_t glyphs_per_row = 16;
static_assert(sizeof(glyph_grid) / sizeof(glyph_grid[0]) * glyphs_per_row == glyph_count);

constexpr bool is_lead_byte(unsigned char c) { return sjis::is_lead(c); }

constexpr std::size_t characters_in(const char* row) {
  std::size_t count = 0;
  for (std::size_t i = 0; row[i] != 0; ++count)
    i += is_lead_byte(static_cast<unsigned char>(row[i])) ? 2 : 1;
  return count;
}

constexpr bool every_row_full() {
  for (const char* row : glyph_grid)
    if (characters_in(row) != glyphs_per_row) return false;
  return true;
}
static_assert(every_row_full(), "every row of the glyph grid holds 16 characters");

struct GlyphTable {
  std::array<std::string_view, glyph_count> text;
  GlyphTable() {
    std::size_t glyph = 0;
    for (const char* row : glyph_grid) {
      for (std::size_t i = 0; row[i] != 0; ++glyph) {
        const std::size_t length = is_lead_byte(static_cast<unsigned char>(row[i])) ? 2 : 1;
        text[glyph] = std::string_view(row + i, length);
        i += length;
      }
    }
  }
};

const GlyphTable& glyph_table() {
  static const GlyphTable table;
  return table;
}

}  // namespace

std::string_view glyph_text(std::size_t glyph) {
  return glyph < glyph_count ? glyph_table().text[glyph] : std::string_view();
}

std::string_view extra_page_text(std::uint8_t) { return {}; }
