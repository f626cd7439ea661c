#include <gtest/gtest.h>

#include <cstdlib>
#include <utility>

#include "app/job.hpp"
#include "app/message_log.hpp"
#include "test_support.hpp"

namespace {

using Bytes = std::vector<std::uint8_t>;

struct TextFiles : ::testing::Test {
  TempDir dir;
  std::string in = dir.path("in.bin");
  std::string out = dir.path("out.bin");

  int decode(const Bytes& bytes) {
    write_bytes(in, bytes);
    return run_job({"varbek", "-d", in, out});
  }
  int encode(const std::string& text, bool newline = false) {
    write_text(in, text);
    if (newline) return run_job({"varbek", "-e", "-n", in, out});
    return run_job({"varbek", "-e", in, out});
  }
};

}  // namespace

TEST_F(TextFiles, DecodeWritesTheTextWithoutLineBreaks) {
  clear_last_message();
  ASSERT_EQ(decode({0x21, 0x00, 0x36}), 0);
  EXPECT_EQ(read_text(out), "万<36#>");
  EXPECT_EQ(last_message(), "タグ引数が足りません : タグ = 0x36\n");

  ASSERT_EQ(decode({0x50, 0x24, 0x51, 0x18, 0x01, 0x21}), 0);  // the last lead byte pairs with 0x00
  EXPECT_EQ(read_text(out), "□<24>あ<18 01>万");
  ASSERT_EQ(run_job({"varbek", "-d", "-l7", in, out}), 0);  // the decode number changes nothing
  EXPECT_EQ(read_text(out), "□<24>あ<18 01>万");
}

TEST_F(TextFiles, EncodeDropsOrKeepsLineFeeds) {
  ASSERT_EQ(encode("AB\nCD"), 0);
  EXPECT_EQ(read_bytes(out), Bytes({0x50, 0x50, 0x50, 0x50}));
  EXPECT_EQ(last_message(), "4バイト目の\"D\"が見つかりませんでした\n全角スペースが代入されます\n");
  ASSERT_EQ(encode("AB\nCD", true), 0);
  EXPECT_EQ(read_bytes(out), Bytes({0x50, 0x50, 0x24, 0x50, 0x50}));
  // The file is read as text: a CR LF pair counts as one byte in the offsets.
  ASSERT_EQ(encode("AB\r\nCD", true), 0);
  EXPECT_EQ(read_bytes(out), Bytes({0x50, 0x50, 0x24, 0x50, 0x50}));
  EXPECT_EQ(last_message(), "4バイト目の\"D\"が見つかりませんでした\n全角スペースが代入されます\n");
  ASSERT_EQ(encode("ア\r\nイ\r\n", true), 0);
  EXPECT_EQ(read_bytes(out), Bytes({0x82, 0x24, 0x83, 0x24}));
  ASSERT_EQ(encode("<4F 03 01 02>"), 0);
  EXPECT_EQ(read_bytes(out), Bytes({0x4F, 0x03, 0x01, 0x02}));
}

TEST_F(TextFiles, EmptyFilesGiveEmptyFiles) {
  write_text(out, "old");
  ASSERT_EQ(decode({}), 0);
  EXPECT_TRUE(file_exists(out));
  EXPECT_EQ(read_text(out), "");
  write_text(out, "old");
  ASSERT_EQ(encode(""), 0);
  EXPECT_EQ(read_text(out), "");
}

TEST_F(TextFiles, DecodeThenEncodeGivesBackTheFile) {
  Bytes bytes;
  for (unsigned i = 0; i < 4096; ++i) bytes.push_back(static_cast<std::uint8_t>(i * 7919 >> 3));
  bytes.back() = 0x51;
  ASSERT_EQ(decode(bytes), 0);
  ASSERT_EQ(run_job({"varbek", "-e", out, dir.path("back.bin")}), 0);
  EXPECT_EQ(read_bytes(dir.path("back.bin")), bytes);
}

TEST_F(TextFiles, FilesThatCannotBeOpenedFailWithTheirPath) {
  const std::string missing = dir.path("missing.bin");
  const std::string nowhere = dir.path("no-folder/out.bin");
  write_text(in, "ア");
  const std::pair<std::vector<std::string>, std::string> cases[] = {
      {{"varbek", "-d", missing, out}, missing},
      {{"varbek", "-e", missing, out}, missing},
      {{"varbek", "-e", in, nowhere}, nowhere},
      {{"varbek", "-d", in, nowhere}, nowhere}};
  for (const auto& [arguments, path] : cases) {
    EXPECT_EQ(run_job(arguments), 1) << arguments[1] << ' ' << path;
    EXPECT_EQ(last_message(), "ファイル[" + path + "]が開けませんでした\n");
  }
  EXPECT_FALSE(file_exists(out));
}

// The program itself, as a user runs it (ctest names it in VARBEK_EXE).
TEST_F(TextFiles, TheProgramConvertsBothWays) {
  const char* exe = std::getenv("VARBEK_EXE");
  if (!exe) GTEST_SKIP() << "VARBEK_EXE is not set";
  write_text(in, "魔<36 02>ア\n");
  const std::string encoded = dir.path("encoded.bin"), decoded = dir.path("decoded.txt");
  auto run = [exe](const std::string& options, const std::string& from, const std::string& to) {
    std::string command = "\"" + std::string(exe) + "\" " + options + " \"" + from + "\" \"" + to + "\"";
#ifdef _WIN32
    command = "\"" + command + " >NUL 2>NUL\"";  // cmd.exe drops the outer pair of quotes
#else
    command += " >/dev/null 2>&1";
#endif
    return std::system(command.c_str());
  };
  ASSERT_EQ(run("-e -n", in, encoded), 0);
  EXPECT_EQ(read_bytes(encoded), Bytes({0x20, 0xB0, 0x36, 0x02, 0x82, 0x24}));
  ASSERT_EQ(run("-d", encoded, decoded), 0);
  EXPECT_EQ(read_text(decoded), "魔<36 02>ア<24>");
}
