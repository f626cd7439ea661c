#include <cstdio>
#include <string>

#include "core/text_encoding.hpp"
#include "docs.hpp"
#include "event/event_bank.hpp"
#include "event/event_messages.hpp"
#include "music/song.hpp"
#include "tables/registry.hpp"

namespace {

// The program's texts are Shift-JIS; the document is UTF-8.
std::string utf8(const char* sjis) { return text_encoding::sjis_to_utf8(sjis ? sjis : ""); }

std::string hex(std::uint32_t value, int digits = 2) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%0*X", digits, static_cast<unsigned>(value));
  return text;
}

// A value as its column prints it.
std::string shown(CellKind cell, std::int32_t value) {
  if (cell == hex8_cell || cell == hex16_cell) return hex(static_cast<std::uint32_t>(value));
  return std::to_string(value);
}

std::string span(const std::string& first, const std::string& last) {
  return first == last ? first : first + u8"–" + last;
}

const char* kind_name(CellKind cell) {
  switch (cell) {
    case decimal_cell:
      return u8"10進";
    case hex8_cell:
    case hex16_cell:
      return u8"16進";
    case mark_cell:
      return u8"○×";
    case grade_cell:
      return u8"記号";
    case text_cell:
      return u8"文字列";
    case no_cell:
      break;
  }
  return "";
}

// The source that holds a field's first byte, or nullptr.
const RomSource* source_of(const Section& section, int rom_byte) {
  for (const RomSource& source : section.sources) {
    const int size = source.kind == SourceKind::bit_per_index ? 1 : static_cast<int>(source.size);
    if (rom_byte >= source.at && rom_byte < source.at + size) return &source;
  }
  return nullptr;
}

// "0x3E0020 + 4×(ID−0x08)": where the row's bytes of a source begin.
std::string rom_of(const Section& section, const RomSource& source) {
  std::string index = "ID";
  if (source.index == RowIndex::row && section.first_id != 0) {
    index = u8"(ID−" + hex(static_cast<std::uint32_t>(section.first_id)) + ")";
  }
  if (source.kind == SourceKind::bit_per_index)
    return hex(source.rom_offset, 6) + " + " + index + "/8";
  return hex(source.rom_offset, 6) + " + " + std::to_string(source.stride) + u8"×" + index;
}

struct Location {
  std::string rom = u8"—";
  std::string byte = u8"—";
  std::string mask = u8"—";
};

Location location_of(const Section& section, const Field& field) {
  Location where;
  if (field.cell == text_cell && section.name.size) {
    where.rom =
        hex(section.name.rom_offset, 6) + " + " + std::to_string(section.name.size) + u8"×ID";
    where.byte = span("0", std::to_string(section.name.size - 1));
    return where;
  }
  if (field.rom_byte < 0) return where;
  const std::string mask = hex(field.mask, field.bits == word_field ? 4 : 2);
  if (const RomSource* source = source_of(section, field.rom_byte)) {
    where.rom = rom_of(section, *source);
    if (source->kind == SourceKind::bit_per_index) {
      where.mask = u8"0x80 >> (ID mod 8)";
      return where;
    }
    const int byte = field.rom_byte - source->at;
    where.byte =
        span(std::to_string(byte), std::to_string(byte + (field.bits == word_field ? 1 : 0)));
  } else if (section.area.size) {
    where.rom = u8"領域 / area";
    where.byte = std::to_string(field.rom_byte);
  }
  where.mask = mask;
  return where;
}

std::string range_of(const Section& section, const Field& field) {
  if (field.rom_byte == row_id) {
    const std::int32_t last = section.first_id + section.rows - 1;
    return span(shown(field.cell, section.first_id), shown(field.cell, last));
  }
  if (field.cell == text_cell) {
    if (section.name.size) return std::to_string(section.name.size) + u8" バイト";
    if (section.area.size) return u8"領域まで / up to the area";
    return u8"—";
  }
  FieldRange range{};
  if (!field_range(field, range)) return u8"—";
  return span(shown(field.cell, range.min), shown(field.cell, range.max));
}

// A column's note in both languages.
struct Note {
  std::string ja;
  std::string en;
};

Note bits_note(const Field& field) {
  const std::uint32_t full = field.bits == word_field ? 0xFFFF : 0xFF;
  if ((field.mask & full) == full) {
    if (field.bits == word_field) return {u8"16ビットのリトルエンディアンの値", "16-bit little-endian word"};
    return {u8"バイト全体", "the whole byte"};
  }
  std::uint32_t shift = 0;
  while (shift < 16 && !(field.mask & (1u << shift))) ++shift;
  const std::string bits = hex(field.mask, field.bits == word_field ? 4 : 2);
  if (shift) return {u8"ビット " + bits + u8" を右へシフトした値", "bits " + bits + ", shifted down"};
  return {u8"ビット " + bits, "bits " + bits};
}

Note flag_note(const Field& field) {
  const bool one_bit = (field.mask & (field.mask - 1)) == 0;
  const bool set = field.bits == flag;
  return {std::string(one_bit ? u8"ビットが" : u8"いずれかのビットが") + (set ? "1" : "0") + u8"なら ○",
          std::string(u8"○ when ") + (one_bit ? "the bit is " : "any of the bits is ") +
              (set ? "set" : "clear")};
}

Note note_of(const Section& section, std::size_t f) {
  const Field& field = (*section.layout)[f];
  Note note;
  if (field.rom_byte == row_id) {
    note = {u8"行のID", "row ID"};
  } else if (field.cell == text_cell) {
    note = section.name.size
               ? Note{u8"ゲームのテキスト。枠の残りは空白で埋めます", "game text, padded with blanks"}
               : Note{u8"ゲームのテキスト。この表の領域に詰めて置きます",
                      "game text, packed into the section's area"};
  } else if (field.bits == codec_field && field.codec) {
    const char* japanese = codec_note_ja(field.codec->note);
    note = {japanese ? japanese : "", field.codec->note};
  } else if (field.bits == flag || field.bits == inverted_flag) {
    note = flag_note(field);
  } else if (field.bits == byte_field || field.bits == word_field) {
    note = bits_note(field);
  }
  if (field.cell == grade_cell) {
    note.ja += u8"。× △ ○ ○＋ ◎ □ ☆ が 1～7、- が 0 です";
    note.en += u8"; × △ ○ ○＋ ◎ □ ☆ are 1–7, - is 0";
  }
  if (section.repeated_from >= 0 && static_cast<int>(f) >= section.repeated_from) {
    note.ja += u8"。行の終わりまで繰り返します";
    note.en += "; repeats to the end of the row";
  }
  return note;
}

void append_columns(std::string& text, const Section& section) {
  text +=
      u8"| 列 / Column | 種類 / Kind | 範囲 / Range | ROM | バイト / Byte | マスク / Mask | 説明 | Note |\n"
      "|---|---|---|---|---|---|---|---|\n";
  const Layout& layout = *section.layout;
  for (std::size_t f = 0; f < layout.size(); ++f) {
    const Field& field = layout[f];
    if (!field.header || field.cell == no_cell) continue;
    const Location where = location_of(section, field);
    const Note note = note_of(section, f);
    text += "| " + table_cell(utf8(column_header(section, f).c_str())) + " | " +
            kind_name(field.cell) + " | " + range_of(section, field) + " | " + where.rom + " | " +
            where.byte + " | " + where.mask + " | " + table_cell(note.ja) + " | " +
            table_cell(note.en) + " |\n";
  }
  text += "\n";
}

void append_rows(std::string& text, const TableDescription& table, const Section& section) {
  const Field& id = section.layout->front();
  const auto id_text = [&](int row) { return shown(id.cell, section.first_id + row); };
  if (table.fixed_rows) {
    text +=
        u8"- 行数 / Rows: " + std::to_string(section.rows) + u8"（ID " +
        span(id_text(0), id_text(section.rows - 1)) +
        u8"）。ID がそろっていれば行は並べ替えてかまいません / rows may be in any order when every ID is there once\n";
    if (data_rows(section) < section.rows) {
      text += u8"- ID " + span(id_text(data_rows(section)), id_text(section.rows - 1)) +
              u8" は ID と名前だけです / ID and name only\n";
    }
  } else {
    text += u8"- 行数 / Rows: 最大 / at most " + std::to_string(section.rows) + "\n";
  }
  if (section.area.size) {
    text += u8"- 領域 / Area: " + hex(section.area.rom_offset, 6) + u8"、" +
            std::to_string(section.area.size) + u8" バイト / bytes";
    if (section.area.pointer_table)
      text += u8"（ポインタ表 / pointers " + hex(section.area.pointer_table, 6) + u8"）";
    text += "\n";
  }
  text += "\n";
}

void append_table(std::string& text, const TableDescription& table) {
  const std::string file = table.file_name;
  text += "## " + file + "\n\n**" + utf8(table.name) + "** " + utf8(table.purpose) + "\n\n";
  text += u8"1行目 / First line: `" + utf8(table.preamble) + "`\n\n";
  const bool one = table.sections.size() == 1;
  for (std::size_t s = 0; s < table.sections.size(); ++s) {
    const Section& section = table.sections[s];
    if (!one) {
      text += "### " +
              (section.title ? utf8(section.title) : u8"グループ / Group " + std::to_string(s)) +
              "\n\n";
    }
    append_rows(text, table, section);
    append_columns(text, section);
  }
  if (!table.comments.empty()) {
    text += u8"ファイル末尾のコメント / The file's own comment lines:\n\n```\n";
    for (const char* comment : table.comments) text += utf8(comment) + "\n";
    text += "```\n\n";
  }
}

void append_events(std::string& text) {
  text +=
      u8"## eventN.csv\n\n"
      u8"**イベント** イベントのテキスト。ファイル N はバンク N の " +
      std::to_string(event_entry_count) +
      u8" 項目で、各項目は前の項目の後ろに詰めて書き込みます。データの欄が空の行は空の項目、すべて空にした行は元の項目のままです。"
      u8"IDが0から一つずつそろっていれば行はIDの位置に置かれます。領域に収まらないバンクは元のままです。\n\n";
  text +=
      u8"| ファイル / File | ポインタ表 / Pointers | テキスト領域 / Text area | 1行目 / First line |\n"
      "|---|---|---|---|\n";
  for (int b = 0; b < event_bank_count; ++b) {
    const EventBankArea& area = event_bank_area(b);
    char first_line[128];
    std::snprintf(first_line, sizeof first_line, event_msg::preamble, event_msg::name,
                  event_entry_count, static_cast<int>(area.text_size));
    std::string line = utf8(first_line);
    while (!line.empty() && line.back() == '\n') line.pop_back();
    text += "| event" + std::to_string(b + 1) + ".csv | " + hex(area.base, 6) + " | " +
            hex(area.base + event_text_start, 6) + u8"、" + std::to_string(area.text_size) +
            u8" バイト | `" + line + "` |\n";
  }
  text +=
      u8"\n| 列 / Column | 種類 / Kind | 範囲 / Range | 説明 | Note |\n|---|---|---|---|---|\n"
      u8"| ID | 16進 | " +
      span(hex(0), hex(event_entry_count - 1)) +
      u8" | 行のID。IDが一つずつそろっていれば行はIDの位置に、そうでなければファイルの順に置き、警告します"
      u8" | row ID; rows go to their IDs when each is there once, else file order with a warning |\n"
      u8"| データ | 文字列 | 領域まで / up to the area | ゲームのテキスト。制御コードはタグ `<1A A7>` で書きます"
      u8" | game text; control codes as tags `<1A A7>` |\n\n";
}

void append_music(std::string& text) {
  text +=
      u8"## musicNN.txt\n\n"
      u8"**音楽** 曲ごとのテキスト（`-am` で書き出し、`-mm` で読み込み）。NN は曲番号（16進）で、" +
      span(hex(0), hex(base_song_count - 1)) + u8"、4 MiB より上の領域がある ROM では " +
      span(hex(0), hex(extended_song_count - 1)) +
      u8" です。値は2桁の16進数（`0F`、`f5`）で、空白（半角・全角スペース、タブ）で区切ります。"
      u8"`;` から行末まではコメントです / values are two hex digits separated by blanks; `;` starts a comment.\n\n"
      u8"| 部分 / Part | 内容 / What it holds |\n|---|---|\n"
      u8"| `曲番号:` `イベント曲番号:` `仮曲名:` | 目印 / labels of the song |\n"
      u8"| `Wave` | " +
      std::to_string(wave_count) +
      u8" 個の音色番号（各2～4桁）/ wave numbers, 2 to 4 digits each |\n"
      u8"| `Drum` | " +
      std::to_string(drum_count) +
      u8" 行、各行3バイト（ドからシ）/ rows of 3 bytes, one line per note |\n"
      u8"| `Channel1`–`Channel" +
      std::to_string(channel_count) +
      u8"` | チャンネルのデータ。16バイトごとの行、行末に位置 / the channel's bytes, 16 per line. "
      u8"ジャンプ先は `ChN+XXXX`（チャンネル N の位置）か `$XXXX`（そのままの値）/ jump targets as a channel and offset, or as a kept value |\n"
      u8"| `Channel0` | どのチャンネルよりも前にあるバイト（あるときだけ）。ジャンプ先は `Ch0+XXXX` / "
      u8"bytes ahead of every channel, when there are any; jumps into them read `Ch0+XXXX` |\n\n"
      u8"同じ見出しがもう一度あると、そのバイトは同じチャンネルの続きとして読みます（警告）/ "
      u8"a section whose header comes again goes on after that channel's bytes, with a warning.\n\n"
      u8"読めない語（`;` のないメモ、`0x10`、全角数字 `１２`、`DEF`、`-1`、`G1`、1桁の数）は行と文字位置を示す警告になり、"
      u8"書き込まれません。同じ行のほかの値はそのまま書き込まれます / a word that is none of these (a note without `;`, `0x10`, "
      u8"full-width digits, `DEF`, `-1`, `G1`, one digit) is a warning naming its line and column and is not stored; "
      u8"the line's other values are.\n\n"
      u8"`Wave` の値が" +
      std::to_string(wave_count) + u8"個でないとき、`Drum` の行の値が3個でないとき（足りない行も）、その行は元の ROM の値のままです（警告）/ "
      u8"a Wave row of another length, or a Drum row without exactly 3 values (or missing), keeps the image's values, with a warning.\n\n"
      u8"`曲番号:` の行、`Wave`、`Drum`、`Channel1`–`Channel" +
      std::to_string(channel_count) +
      u8"` のどれかがないファイル（空のファイル、途中で切れたファイル）は読み込まず、その曲は元のデータのままです（エラー）/ "
      u8"a file without its `曲番号:` line or one of these sections (empty or cut short) is refused: the song keeps the image's data.\n\n"
      u8"ジャンプ先（`F5 xx LL HH`、`F6 LL HH`）がチャンネルの終わりかその先を指すときは警告し、書かれたとおりに書き込みます / "
      u8"a jump target at or past its channel's end is written as given, with a warning.\n\n"
      u8"ROM の 4 MiB より上の領域が途中で切れているとき、追加曲（" +
      span(hex(extended_region().first_song), hex(extended_region().end_song - 1)) +
      u8"）は書き出しも読み込みもしません（警告）/ when the area above 4 MiB is cut short, the added songs are skipped.\n\n"
      u8"曲のデータは領域ごとに曲番号の順に詰めて置き直されます / a rebuild packs each region's songs in song order: " +
      hex(base_region().start, 6) + u8"–" + hex(base_region().limit, 6) + u8"、" +
      hex(extended_region().start, 6) + u8"–" + hex(extended_region().limit, 6) + u8"。\n";
}

}  // namespace

std::vector<std::string> notes_without_japanese() {
  std::vector<std::string> missing;
  for (const RegisteredTable& table : registered_tables()) {
    for (const Section& section : table.description->sections) {
      for (std::size_t f = 0; f < section.layout->size(); ++f) {
        const Field& field = (*section.layout)[f];
        if (!field.header || field.cell == no_cell) continue;
        const Note note = note_of(section, f);
        const bool codec_untranslated =
            field.bits == codec_field && field.codec && !codec_note_ja(field.codec->note);
        if (codec_untranslated || (note.ja.empty() && !note.en.empty())) {
          missing.push_back(std::string(table.description->file_name) + ": " +
                            utf8(column_header(section, f).c_str()));
        }
      }
    }
  }
  return missing;
}

std::string files_document() {
  std::string text =
      u8"# ファイルの説明 / Files\n\n"
      u8"<!-- Generated by make_docs from the table descriptions in src/tables/; a test keeps it in step. -->\n\n"
      u8"CSV フォルダの各ファイルの中身です。ファイルは Shift-JIS（`-u` では BOM 付き UTF-8）、改行は CR LF です。"
      u8"各表の1行目は説明で、読み込みでは使いません。範囲を超える値は範囲の端の値として書き込まれ、警告が出ます。\n\n"
      u8"What each file of the CSV folder holds, column by column: the kind of cell (10進 decimal, "
      u8"16進 hexadecimal with or without `0x`, ○× a mark, 記号 a grade symbol, 文字列 game text), the "
      u8"values the field holds (a value outside is stored as the nearest one, with a warning), and "
      u8"where it lives in the ROM: the table's offset plus the row's place, the byte in the row's "
      u8"record and the bits of the mask.\n\n"
      u8"## セルに書けるもの / What a cell may hold\n\n"
      u8"| 種類 / Kind | 読める形 / Read as written | 例 / Examples |\n|---|---|---|\n"
      u8"| 10進 | 符号（+ - － −）と数字。3桁ごとのカンマ区切りも可 / an optional sign and digits, or digits "
      u8"grouped by commas | `12` `-3` `１００` `\"1,034\"` |\n"
      u8"| 16進 | `0x` `0X` の有無、大文字小文字を問わず / with or without `0x` or `0X`, either case | "
      u8"`0x1F` `1f` `0X2F` `ＦＦ` |\n"
      u8"| ○× | ○ 〇 ◯ `1` は ○、× `0` は × | `○` `〇` `×` |\n"
      u8"| 記号 | `-` × △ ○ ○＋ ◎ □ ☆（0～7）。〇 ◯ は ○、○+ は ○＋、－ − は - / the symbols or 0–7 | "
      u8"`◎` `○+` `5` |\n\n"
      u8"前後の空白（半角・全角）と一組のダブルクォートは読み飛ばし、全角の数字・英字・符号は半角として読みます。"
      u8"それ以外（英字、小数、指数、数の後ろの文字、NUL、空のセル）は読めない値として、ファイル名・行・列を示す警告が出て、"
      u8"元の ROM の値のままになります。空の行は行全体が元のままです。範囲外の値は範囲の端の値にして警告します。"
      u8"名前が枠より長いときは、入らない部分を示す警告が出ます。"
      u8"見出し行は列を探すのに使います。列を挿入・移動してもかまいません（知らない列はメモとして無視され、"
      u8"情報が一行出ます）。ない列は元の ROM の値のままで警告が出ます。知っている列が一つもない見出し行はエラーで、"
      u8"その表は書き込まれません。\n\n"
      u8"Blanks around a cell (half- or full-width) and one pair of double quotes are passed over, and "
      u8"full-width digits, letters and signs read as ASCII. Anything else (letters, a fraction, an "
      u8"exponent, text after the number, a NUL byte, an empty cell) is a warning naming the file, line "
      u8"and column, and the input ROM's value stays; an empty row keeps the whole row. A name longer "
      u8"than its slot is a warning naming the part dropped. Columns are found by their header: extra "
      u8"columns (a memo) are allowed and named in one info line; a missing column keeps the ROM's "
      u8"values, with a warning; a header line naming no column refuses the table.\n\n"
      u8"一覧のファイル（string.csv、event1.csv～、event_battle.csv、flash.csv）も見出しで列を探します。"
      u8"string.csv は最初のグループの、flash.csv は最初の表の見出し行で、ファイル全体の列の位置を決めます"
      u8"（表計算ソフトで列を挿入すると、すべての行が同じようにずれるためです）。event_battle.csv と flash.csv では、"
      u8"データの列（flash.csv では最初の派生技ID）から行の終わりまでがデータです。ただし、その中で見出しに"
      u8"知らない文字のある列はメモの列で、行がどれだけ長くても、どの行でも読みません。ID の列がないとき、"
      u8"event1.csv～ は行をファイルの順に読み、ほかの一覧は元の ROM のままです。データの列（flash.csv では"
      u8"技ID と最初の派生技ID も）がないときは、その一覧全体（イベントファイルではそのバンク）が元の ROM のままで、"
      u8"警告が出ます。\n\n"
      u8"The list files (string.csv, eventN.csv, event_battle.csv, flash.csv) find their columns by "
      u8"header too. The header line of string.csv's first group, and of flash.csv's first sub-table, "
      u8"places the columns of every line of the file, as a column inserted in a spreadsheet moves every "
      u8"row alike. In event_battle.csv and flash.csv the cells from the data column (flash.csv: the "
      u8"first 派生技ID) to the end of a row are data, except those under a header text the list does "
      u8"not know: that is a memo column, in every row however long. Without its ID column an event "
      u8"file is read in file order and the other lists keep the ROM's values; without its data column "
      u8"(flash.csv: also 技ID and the first 派生技ID) the whole list, or the event file's bank, keeps "
      u8"the ROM's values, with a warning.\n\n";
  for (const RegisteredTable& table : registered_tables()) {
    const std::string file = table.description->file_name;
    std::string anchor;  // as the heading's link: the name without its dot
    for (const char c : file) {
      if (c != '.') anchor += c;
    }
    text += "- [" + file + "](#" + anchor + u8") " + utf8(table.description->name) + "\n";
  }
  text +=
      u8"- [event1.csv – event3.csv](#eventncsv) イベント\n- [musicNN.txt](#musicnntxt) 音楽\n\n";
  for (const RegisteredTable& table : registered_tables()) append_table(text, *table.description);
  append_events(text);
  append_music(text);
  return text;
}
