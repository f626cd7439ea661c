#include <gtest/gtest.h>

#include <cstdlib>
#include <utility>

#include "jobs/job.hpp"
#include "core/report.hpp"
#include "test_support.hpp"

namespace {

using Bytes = std::vector<std::uint8_t>;

struct TextFiles : ::testing::Test {
  TempDir dir;
  std::string in = dir.path("in.bin");
  std::string out = dir.path("out.bin");
  Report report;  // of the last job

  JobResult run(const std::vector<std::string>& args) {
    JobContext job;
    const JobResult result = run_job(job, args);
    report = std::move(job.report);
    return result;
  }
  JobResult decode(const Bytes& bytes) {
    write_bytes(in, bytes);
    return run({"varbek", "-d", in, out});
  }
  JobResult encode(const std::string& text, bool newline = false) {
    write_text(in, text);
    if (newline) return run({"varbek", "-e", "-n", in, out});
    return run({"varbek", "-e", in, out});
  }
};

const char* const unmapped_d = "警告: 先頭から5バイト目の\"D\"が見つかりませんでした。全角スペースが代入されます";

}  // namespace

TEST_F(TextFiles, DecodeWritesTheTextWithoutLineBreaks) {
  ASSERT_EQ(decode({0x21, 0x00, 0x36}), JobResult::done);
  EXPECT_EQ(read_text(out), "万<36#>");
  EXPECT_EQ(report.last(), "警告: タグ引数が足りません : タグ = 0x36");

  // A last lead byte lacks its deciding byte like a tag its argument.
  ASSERT_EQ(decode({0x50, 0x24, 0x51, 0x18, 0x01, 0x21}), JobResult::done);
  EXPECT_EQ(read_text(out), "□<24>あ<18 01><21#>");
  EXPECT_EQ(report.last(), "警告: タグ引数が足りません : タグ = 0x21");
  ASSERT_EQ(run({"varbek", "-d", "-l7", in, out}), JobResult::done);  // the decode number changes nothing
  EXPECT_EQ(read_text(out), "□<24>あ<18 01><21#>");
}

TEST_F(TextFiles, EncodeDropsOrKeepsLineFeeds) {
  ASSERT_EQ(encode("AB\nCD"), JobResult::done);
  EXPECT_EQ(read_bytes(out), Bytes({0x50, 0x50, 0x50, 0x50}));
  EXPECT_EQ(report.last(), unmapped_d);
  EXPECT_EQ(report.warnings(), 4);
  ASSERT_EQ(encode("AB\nCD", true), JobResult::done);
  EXPECT_EQ(read_bytes(out), Bytes({0x50, 0x50, 0x24, 0x50, 0x50}));
  // The file is read as text: a CR LF pair counts as one byte in the offsets.
  ASSERT_EQ(encode("AB\r\nCD", true), JobResult::done);
  EXPECT_EQ(read_bytes(out), Bytes({0x50, 0x50, 0x24, 0x50, 0x50}));
  EXPECT_EQ(report.last(), unmapped_d);
  ASSERT_EQ(encode("ア\r\nイ\r\n", true), JobResult::done);
  EXPECT_EQ(read_bytes(out), Bytes({0x82, 0x24, 0x83, 0x24}));
  ASSERT_EQ(encode("<4F 03 01 02>"), JobResult::done);
  EXPECT_EQ(read_bytes(out), Bytes({0x4F, 0x03, 0x01, 0x02}));
}

TEST_F(TextFiles, EmptyFilesGiveEmptyFiles) {
  write_text(out, "old");
  ASSERT_EQ(decode({}), JobResult::done);
  EXPECT_TRUE(file_exists(out));
  EXPECT_EQ(read_text(out), "");
  write_text(out, "old");
  ASSERT_EQ(encode(""), JobResult::done);
  EXPECT_EQ(read_text(out), "");
}

TEST_F(TextFiles, DecodeThenEncodeGivesBackTheFile) {
  Bytes bytes;
  for (unsigned i = 0; i < 4096; ++i) bytes.push_back(static_cast<std::uint8_t>(i * 7919 >> 3));
  bytes.back() = 0x51;
  ASSERT_EQ(decode(bytes), JobResult::done);
  // Never converted onto itself: the text is kept for another try.
  const std::string text = read_text(out);
  ASSERT_EQ(run({"varbek", "-e", out, out}), JobResult::refused);
  EXPECT_EQ(read_text(out), text);
  ASSERT_EQ(run({"varbek", "-e", out, in}), JobResult::done);
  EXPECT_EQ(read_bytes(in), bytes);
}

TEST_F(TextFiles, FilesThatCannotBeOpenedOrWrittenFailWithTheirPath) {
  const std::string missing = dir.path("missing.bin");
  const std::string nowhere = dir.path("no-folder/out.bin");
  write_text(in, "ア");
  struct Case {
    std::vector<std::string> arguments;
    std::string path;
    const char* message;
  };
  const char* const cannot_open = "エラー: ファイル[%s]が開けませんでした";
  const char* const cannot_write = "エラー: ファイル[%s]に書き込めませんでした";
  const Case cases[] = {{{"varbek", "-d", missing, out}, missing, cannot_open},
                        {{"varbek", "-e", missing, out}, missing, cannot_open},
                        {{"varbek", "-d", dir.folder(), out}, dir.folder(), cannot_open},
                        {{"varbek", "-e", in, nowhere}, nowhere, cannot_write},
                        {{"varbek", "-d", in, nowhere}, nowhere, cannot_write}};
  for (const Case& c : cases) {
    EXPECT_EQ(run(c.arguments), JobResult::failed) << c.arguments[1] << ' ' << c.path;
    EXPECT_EQ(report.last(), Report::format(c.message, c.path)) << c.path;
  }
  EXPECT_FALSE(file_exists(out));
  EXPECT_FALSE(file_exists(dir.path("no-folder")));
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
