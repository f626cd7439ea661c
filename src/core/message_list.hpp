// Every message the user can see, one line each: a stable identifier, a severity, the text
// (Shift-JIS once compiled, printf-style, without line end) and what it means. Expanded by
// messages.hpp into constants and the catalogue. Severities: error = something asked for was
// not done; warning = done, but altered; info = progress and summaries; banner = the frames of
// the log.
//
// VARBEK_MESSAGE(id, severity, text, meaning)

// The job as a whole.
VARBEK_MESSAGE(success, info, "正常に終了しました", "The job did all it was asked, without errors or warnings.")
VARBEK_MESSAGE(finished_with_problems, info, "終了しました（エラー %d 件、警告 %d 件）", "The job ended; the counts say how much did not land or was altered.")
VARBEK_MESSAGE(more_messages, info, "……ほか %d 件", "More messages than the final text shows.")
VARBEK_MESSAGE(full_log, info, "すべてのメッセージは %s にあります", "Where the job's log file is.")
VARBEK_MESSAGE(out_of_memory, error, "メモリの確保に失敗しました", "The computer ran out of memory; the step was not done.")
VARBEK_MESSAGE(cannot_open, error, "ファイル[%s]が開けませんでした", "A file or folder could not be opened or created.")
VARBEK_MESSAGE(cannot_write, error, "ファイル[%s]に書き込めませんでした", "A file could not be written completely (disk full, read-only folder); it is not valid.")
VARBEK_MESSAGE(unknown_rom, error, "知らないsmc形式です", "The file is not an image of the game.")
VARBEK_MESSAGE(rom_too_small, error, "smcファイルが小さすぎます", "The image is shorter than the game's tables: a cut dump.")
VARBEK_MESSAGE(copier_header, info, "smcファイルに512バイトのコピーヘッダがあります。そのまま残します", "The image starts with a 512-byte copier header, which is kept as it is.")
VARBEK_MESSAGE(build_needs_folder, error, "CSVフォルダが指定されていません（書き込みSMCの後にCSVフォルダを指定してください）", "A build was given only two paths.")
VARBEK_MESSAGE(unrepresentable_command_line, error, "コマンドラインにShift-JISで表せない文字が含まれています。別の名前のファイルやフォルダを指定してください", "A path holds a character Shift-JIS lacks; it could name another file.")
VARBEK_MESSAGE(rom_written_with_errors, error, "新しいSMCは書き込みましたが、エラーのあったデータは元のままです", "The new image was saved; what the errors name kept the input's bytes.")
VARBEK_MESSAGE(strict_nothing_written, error, "-s（厳密モード）のため、SMCは書き込みませんでした", "Strict mode: an error or warning stopped the image from being saved.")

// The four steps of a table.
VARBEK_MESSAGE(load_banner, banner, "%sデータの取得", "Reading a table from the image.")
VARBEK_MESSAGE(write_banner, banner, "%sへ書き込み", "Writing a table's file.")
VARBEK_MESSAGE(read_banner, banner, "%sから読み込み", "Reading a table's file.")
VARBEK_MESSAGE(store_banner, banner, "%sデータを書き込み", "Storing a table into the new image.")
VARBEK_MESSAGE(progress, banner, "%s", "A part of a step.")

// Table files.
VARBEK_MESSAGE(file_too_short, error, "ファイル[%s]の行が足りません。このデータは書き込まれません", "A file ends before its last row: none of its table is stored.")
VARBEK_MESSAGE(rows_placed_by_id, info, "行がIDの順に並んでいません。IDの順に読み込みます", "The rows of a fixed-row table are in another order (sorted in a spreadsheet); as every ID is there once, each row is placed by its ID. The place is the first row out of order.")
VARBEK_MESSAGE(row_id_mismatch, warning, "ID「%s」はこの位置のID %s と違います。IDに欠け・重複・範囲外があるため、行の並びの順に読み込みます", "Some IDs of a fixed-row table are missing, repeated, unreadable or out of range, so the rows are placed by their position in the file; this is the first row whose ID does not match its position.")
VARBEK_MESSAGE(blank_row, warning, "データの行が空です（空の行は%d行）。元のデータのままにします", "A row where data belongs holds nothing or only commas; the row keeps the input image's values and name. The count is of the section's empty rows; the place is the first.")
VARBEK_MESSAGE(value_clamped, warning, "%s は %s～%s の範囲外です。%s を書き込みます", "A cell's value does not fit its field; the nearest value the field holds is stored.")
VARBEK_MESSAGE(room_used, info, "%s: %d / %d バイト使用", "How much of a packed area a build used.")
VARBEK_MESSAGE(formation_rate_sum, warning, "ID:%02Xの%dつの選択率の合計が%dを超えています", "A formation's selection rates add up to more than the byte holds.")
VARBEK_MESSAGE(formation_rate_cut, warning, "ID:%02Xの%dつ目の選択率はまるめられます", "One of those rates is cut so the sum fits.")
VARBEK_MESSAGE(area_overrun, error, "%sのデータが%dバイトを超えました。超過分は削除されます", "A table's texts do not fit its area; what does not fit is not stored.")
VARBEK_MESSAGE(strings_area_overrun, error, "文字列のバッファが限界を超えました。超過分は削除されます", "The strings do not fit their area; what does not fit is not stored.")
VARBEK_MESSAGE(too_many_rows, warning, "%sのグループ%dは%d行までです。それを超えた行は読み込まれません", "A string group has more rows than it can hold; the rest are dropped.")
VARBEK_MESSAGE(learning_over_limit, warning, "%sでデータ総量が限界を超えたのでスキップします", "A learning sub-table's rows run past its area: the pairs and rows that do not fit are dropped, the rest is stored.")
VARBEK_MESSAGE(learning_too_many_pairs, warning, "%sで一つの派生元のセット数が%dを超えたので残りをスキップします", "A source has more pairs than a set holds; the rest are dropped.")
VARBEK_MESSAGE(learning_row_out_of_sequence, warning, "%sのIDが0x%02Xですが、0x%02Xのはずです。この行から空行までは読み込みません", "The rows of a learning sub-table must be numbered 0, 1, 2... without a gap; from a row out of sequence up to the sub-table's empty line nothing is stored.")
VARBEK_MESSAGE(learning_source_ends, warning, "%sの技ID 0xFFはデータの終わりの印です。この行から空行までは書き込みません", "A source technique 0xFF marks the end of a learning sub-table for the game; that row and the ones after it up to the empty line are not stored.")

// Game text.
VARBEK_MESSAGE(missing_tag_arguments, warning, "タグ引数が足りません : タグ = 0x%02X", "A control code at the end of a text lacks its argument bytes.")
VARBEK_MESSAGE(unmapped_character, warning, "%dバイト目の\"%s\"が見つかりませんでした。全角スペースが代入されます", "A character the game's font lacks; the blank glyph is stored instead.")

// Event scripts.
VARBEK_MESSAGE(event_banner, banner, "%sの解析＆書き込み", "Building the event scripts.")
VARBEK_MESSAGE(event_progress, banner, "0x%02X番目の%sデータ", "One bank of event scripts.")
VARBEK_MESSAGE(event_pointer_outside, error, "イベント%dの0x%02X番目のポインタ(0x%04X)がテキスト領域(%dバイト)の外を指しています。これ以降の行は書き出されません", "A pointer of the image leads outside its bank; later rows are not written.")
VARBEK_MESSAGE(event_bank_overflow, error, "イベント%dのテキストがテキスト領域(%dバイト)に収まりません。0x%02X番目の途中から後は切り捨てられました", "Edited event text does not fit its bank; the rest is not stored.")

// Music.
VARBEK_MESSAGE(music_dump_banner, banner, "音楽データの解析", "Dumping the music.")
VARBEK_MESSAGE(music_rebuild_banner, banner, "音楽ファイルの解析＆書き込み", "Rebuilding the music.")
VARBEK_MESSAGE(music_song_progress, banner, "0x%02X番目の音楽データ:%s", "One song.")
VARBEK_MESSAGE(music_unknown_channel, warning, "%d行目に不明なチャンネル番号があります", "A channel number the song does not have; the line is passed over.")
VARBEK_MESSAGE(music_over_capacity, error, "0x%02X番目のデータで容量を越えたので強制終了します", "A music region overflowed at this song; the region keeps its old songs.")
VARBEK_MESSAGE(music_pointer_outside, error, "0x%02X番目の音楽データのポインタがROMの外を指しています", "A song pointer leads outside the image; the song gets no text file.")
VARBEK_MESSAGE(music_broken_old_block, error, "0x%02X番目の元の音楽データが壊れているので強制終了します", "A song kept from the input is damaged; the region keeps its old songs.")
VARBEK_MESSAGE(music_bad_target, warning, "ジャンプ先[%s]が読めません。00 00 として読みます", "A jump target in the form ChN+XXXX or $XXXX that cannot be read (channel 0-8, at most four hex digits); it is read as the bytes 00 00, which as a jump target lead to the start of its own channel.")
VARBEK_MESSAGE(music_header_rewritten, warning, "0x%02X番目の音楽データのヘッダはテキストで表せません（%s）。再構築ではテキストから決まる値になります", "Words of a song's header do not follow from its data as the text holds it (the block length, the start or end address, a channel's address, or a second address that differs from the first); each is named with the value it has and the value a rebuild from the text writes.")
VARBEK_MESSAGE(music_block_moved, warning, "0x%02X番目の音楽データは0x%06Xにありますが、再構築では0x%06Xに置かれます", "A song's block does not lie where a rebuild puts it (the blocks of a region back to back in song order from its start); the rebuild moves it, and its pointer and addresses with it.")
VARBEK_MESSAGE(music_target_past_channel, warning, "ジャンプ先[%s]はチャンネル%dのデータ（%dバイト）の外を指しています。そのまま書き込みます", "A jump names a byte past the end of the channel it names (the channel was shortened or removed); the address is written as named and may lead into another channel.")

// How the log and the final text show a message.
VARBEK_MESSAGE(error_label, info, "エラー: %s", "An error as the log and the final text show it.")
VARBEK_MESSAGE(warning_label, info, "警告: %s", "A warning as the log and the final text show it.")
VARBEK_MESSAGE(at_line, info, "%s %d行目", "The file and line a message is about.")
VARBEK_MESSAGE(malformed_tag, warning, "%dバイト目のタグ\"%s\"が正しくありません（2桁の16進数をスペースで区切ってください）", "A tag that is not pairs of hex digits separated by spaces; its complete pairs are stored.")
VARBEK_MESSAGE(string_group, info, "%s グループ%d", "How room reports name a group of strings.")
VARBEK_MESSAGE(music_region, info, "音楽領域%d", "How room reports name a music region.")
VARBEK_MESSAGE(item_effects, info, "%s 効果", "How room reports name the items' effect stream.")
VARBEK_MESSAGE(lost_character, warning, "Shift-JISにない文字を全角スペースに置き換えました", "A character of a UTF-8 file that Shift-JIS lacks; the blank glyph is stored instead.")
VARBEK_MESSAGE(read_as_sjis, warning, "UTF-8としても読めるファイルですが、UTF-8ではShift-JISにない文字になるためShift-JISとして読みました", "A file without a BOM is well-formed both as UTF-8 and as Shift-JIS, and read as UTF-8 it would hold characters Shift-JIS lacks, so it is read as Shift-JIS. A file saved as UTF-8 with a BOM is never in doubt.")

// Patches and the header checksum.
VARBEK_MESSAGE(patch_written, info, "BPSパッチ[%s]を作成しました", "The build also wrote a patch from the input to the new image.")
VARBEK_MESSAGE(patch_wrong_source, error, "元のSMCがパッチと一致しません（パッチの元: %u バイト CRC32 %08X、指定されたSMC: %u バイト CRC32 %08X）", "The patch was made for another image; nothing was written.")
VARBEK_MESSAGE(patch_broken, error, "パッチ[%s]が壊れています", "The patch is cut, damaged or not a BPS patch; nothing was written.")
VARBEK_MESSAGE(patch_wrong_target, error, "パッチを当てた結果がパッチの記録と一致しません", "The patched image does not match the patch's own check; nothing was written.")
VARBEK_MESSAGE(checksum_updated, info, "ヘッダのチェックサムを更新しました（%04X）", "The new image's internal checksum was recomputed, as the input's was valid.")
VARBEK_MESSAGE(checksum_left, warning, "元のSMCのヘッダのチェックサムが正しくないため、そのままにします", "The input's internal checksum was already wrong; the new image keeps it as it was.")
VARBEK_MESSAGE(event_pointer_order, warning, "イベント%dの0x%02X番目のポインタ(0x%04X)が前の項目より前を指しています。各項目は次に大きいポインタまでとして書き出します", "The image's pointers of a bank are not in ascending order; every entry is dumped whole up to the next larger pointer.")
VARBEK_MESSAGE(string_pointer_order, warning, "%sのグループ%dのポインタが昇順ではありません。各文字列は次に大きいポインタまでとして書き出します", "The image's pointers of a string list are not in ascending order; every string is dumped whole up to the next larger pointer.")
VARBEK_MESSAGE(string_pointer_outside, error, "%sのグループ%dの%d番目のポインタが文字列領域の外を指しています。これ以降の文字列は書き出されません", "A string pointer of the image leads outside its area; later strings of the list are not written.")
VARBEK_MESSAGE(string_list_short, warning, "%sの文字列は%d個で終わっています。ビルドでは%d個まで空の文字列を加えます", "A string list of the image ends before the number of strings its group always keeps; a build adds empty strings up to that number, so the list's end marker and the pointer slots up to the new one change.")
VARBEK_MESSAGE(learning_count_past_area, warning, "%sのID 0x%02X（技ID 0x%02X）のセット数%dは領域の外まで続きます。ビルドでは領域に収まる%dを書き込みます", "A source's count of pairs in the image runs past the end of its sub-table's area; the file holds the pairs that fit, and a build writes their number as the count.")
VARBEK_MESSAGE(music_channel_repeated, warning, "Channel%dの見出しがもう一度あります。ここからのバイトはそのチャンネルの前の部分の後に続けます", "A channel's header (or Channel0's, the bytes ahead of every channel) comes again in a song text; the bytes of the later section are read as the continuation of that channel, after its earlier bytes, so none is lost.")
VARBEK_MESSAGE(music_table_repeated, warning, "%sの見出しがもう一度あります。ここからの値で最初から上書きします", "A song text's Wave or Drum section comes again; its values replace the earlier section's from the first one on.")
VARBEK_MESSAGE(battle_pointer_unlisted, warning, "ID 0x%02X のポインタ(0x%04X)は行の並びの位置と違います（違うポインタは%d個）。行を変えてビルドすると 0x%04X になります", "The image's event-battle pointers do not all run back to back from the area's start in ID order up to the first unused one (0xFFFF), which is how the rows list the entries. Named is the first that differs, on its row or on the line that ends the list, with the count of such pointers and the value a build writes in its place once the rows are changed (each goes where the rows put its entry, 0xFFFF after the list); a build from the rows as extracted keeps the image's pointers.")

// Cells of every file.
VARBEK_MESSAGE(at_column, info, "%s（%d列目）", "How a message names a column: its header and its number, counted from 1 as a spreadsheet does.")
VARBEK_MESSAGE(cell_unreadable, warning, "「%s」は%sとして読めません。%s のままにします", "A cell holds no value of its column's kind: letters, a fraction, an exponent, text after the value, a NUL byte, or nothing. Blanks around the value, one pair of quotes, full-width digits and signs, and digits grouped by commas (1,034) are read; anything else is not. The value shown, as a rule the input image's, stays.")
VARBEK_MESSAGE(cell_missing, warning, "行にこの列がありません。%s のままにします", "A line ends before the column; the value shown, as a rule the input image's, stays.")
VARBEK_MESSAGE(kind_decimal, info, "10進数", "How messages name a decimal cell.")
VARBEK_MESSAGE(kind_hex, info, "16進数", "How messages name a hex cell.")
VARBEK_MESSAGE(kind_mark, info, "○か×", "How messages name a mark cell (yes or no).")
VARBEK_MESSAGE(kind_grade, info, "評価の記号（- × △ ○ ○＋ ◎ □ ☆）", "How messages name a grade cell.")
VARBEK_MESSAGE(header_unmatched, error, "ファイル[%s]の見出し行に知っている列がありません。このデータは書き込まれません", "A section's header line names none of the table's columns (a line was removed or added above it); none of the table is stored.")
VARBEK_MESSAGE(column_missing, warning, "見出し行に列「%s」がありません。この列の値は元のデータのままにします", "A column of the table is not in the file's header line (removed or renamed); its values stay as the input image has them.")
VARBEK_MESSAGE(columns_ignored, info, "使われない列があります: %s", "Columns the table does not know (a memo added in a spreadsheet) are allowed and read by nothing; they are named once per section.")
VARBEK_MESSAGE(name_too_long, warning, "「%s」は%dバイトの枠に収まりません。後ろの「%s」は書き込まれません", "A text is longer than its fixed slot in the game (counted in game bytes: most kana and kanji take two); its start is stored and the part named is dropped.")
VARBEK_MESSAGE(shared_name_differs, warning, "この名前は%s %d行目の「%s」と同じ枠です。後に書き込むこちらの「%s」になります", "Two files hold the same name slot (the formation techniques' names in form_tech.csv and in name.csv) and give it different names; the later file's name, named here, is stored and the other file's is not.")
VARBEK_MESSAGE(value_bits_dropped, warning, "%s はこの欄のビット（%s）に収まりません。%s を書き込みます", "A field whose bits have a gap (0xF7: bit 3 belongs to another column) cannot hold every value of its range; the value's bits that fit are stored.")
VARBEK_MESSAGE(cell_past_header, warning, "見出しのない%d列目に「%s」があります。この行は元のデータのままにします（カンマの入ったセルは\"で囲んでください）", "A row has text in a cell past the header line's columns: as a rule a comma typed into a cell without quotes, which moves every later cell one column to the right. None of the row is read: it keeps the input image's values.")
