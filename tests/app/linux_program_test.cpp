// The Linux program as a shell runs it: exit codes, printed text and UTF-8 arguments.
#ifndef _WIN32
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "test_support.hpp"

namespace {

struct Outcome {
  int exit_code = -1;
  std::string output;
};

// Runs the program under a UTF-8 locale with `arguments` (already quoted for the shell), after
// the shell commands of `setup`; standard error goes where `errors` sends it.
Outcome run_program(const std::string& arguments, const std::string& errors = "2>/dev/null",
                    const std::string& setup = "") {
  const char* exe = std::getenv("VARBEK_EXE");
  Outcome run;
  if (!exe) return run;
  const std::string command = setup + " LC_ALL=C.UTF-8 '" + exe + "' " + arguments + " " + errors;
  std::FILE* pipe = popen(command.c_str(), "r");
  if (!pipe) return run;
  char buffer[4096];
  std::size_t n;
  while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) run.output.append(buffer, n);
  const int status = pclose(pipe);
  run.exit_code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return run;
}

}  // namespace

TEST(LinuxProgram, ExitCodesAndUtf8Paths) {
  if (!std::getenv("VARBEK_EXE")) GTEST_SKIP() << "VARBEK_EXE is not set";
  TempDir dir;
  write_sample(dir.path("sample.smc"));
  const Outcome ok = run_program("-a '" + dir.path("sample.smc") + "' '" + dir.path("\xE8\xA1\xA8\xE3\x82\xBD/x.txt") + "'");
  EXPECT_EQ(ok.exit_code, 0);
  EXPECT_EQ(ok.output, "\xE6\xAD\xA3\xE5\xB8\xB8\xE3\x81\xAB\xE7\xB5\x82\xE4\xBA\x86\xE3\x81\x97\xE3\x81\xBE\xE3\x81\x97\xE3\x81\x9F\n");
  EXPECT_TRUE(file_exists(dir.path("\xE8\xA1\xA8\xE3\x82\xBD/monster_ptn.csv")));

  EXPECT_EQ(run_program("-a '" + dir.path("missing.smc") + "' out").exit_code, 1);
  EXPECT_EQ(run_program("-a only-one-path").exit_code, 2);

  // "ü" has no Shift-JIS form: the job is refused before anything is written.
  const Outcome refused = run_program("-a '" + dir.path("sample.smc") + "' '" + dir.path("\xC3\xBC/x") + "'");
  EXPECT_EQ(refused.exit_code, 1);
  EXPECT_FALSE(file_exists(dir.path("\xC3\xBC")));
}

std::size_t count_of(const std::string& text, const std::string& part) {
  std::size_t count = 0;
  for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++count;
  return count;
}

TEST(LinuxProgram, RefusalsSayWhyAndEachMessageShowsOnce) {
  if (!std::getenv("VARBEK_EXE")) GTEST_SKIP() << "VARBEK_EXE is not set";
  TempDir dir;
  write_sample(dir.path("sample.smc"));
  const std::string error_label = "\xE3\x82\xA8\xE3\x83\xA9\xE3\x83\xBC: ";  // "エラー: "
  const std::string success = "\xE6\xAD\xA3\xE5\xB8\xB8";                        // "正常"
  // As `$OUT` unset in a script gives: refused, not run as a check.
  const std::vector<std::string> lines{"-m '" + dir.path("sample.smc") + "' '' '" + dir.folder() + "'",
                                       "-c '' '" + dir.folder() + "'", "-z", "-h -a", "-v --version -v x"};
  for (const std::string& line : lines) {
    const Outcome refused = run_program(line);
    EXPECT_EQ(refused.exit_code, 2) << line;
    EXPECT_EQ(refused.output.rfind(error_label, 0), 0u) << line << ": " << refused.output;
    EXPECT_NE(refused.output.find("varbek -a [-u]"), std::string::npos) << line;
    EXPECT_EQ(refused.output.find(success), std::string::npos) << line;
  }
  const Outcome help = run_program("-h");
  EXPECT_EQ(help.exit_code, 0);
  EXPECT_NE(help.output.find("varbek -a [-u]"), std::string::npos);
  EXPECT_EQ(run_program("-v --version").output.rfind("varbek ", 0), 0u);

  // Standard error and output on one pipe, as on one terminal: the message once, then the counts.
  const std::string missing = dir.path("missing.smc");
  const Outcome together = run_program("-c '" + missing + "' '" + dir.folder() + "'", "2>&1");
  EXPECT_EQ(together.exit_code, 1);
  EXPECT_EQ(count_of(together.output, "missing.smc"), 1u) << together.output;
  const Outcome apart = run_program("-c '" + missing + "' '" + dir.folder() + "'");
  EXPECT_EQ(count_of(apart.output, "missing.smc"), 1u) << apart.output;
  EXPECT_EQ(count_of(run_program("-z", "2>&1").output, "-z"), 1u);
}

// A FIFO and a sparse 5 GiB file are refused at once; a file-size limit during an extract
// leaves each file complete or absent, and no temporary file.
TEST(LinuxProgram, SpecialAndHugeInputsAndAFullDisk) {
  if (!std::getenv("VARBEK_EXE")) GTEST_SKIP() << "VARBEK_EXE is not set";
  namespace fs = std::filesystem;
  TempDir dir;
  write_sample(dir.path("sample.smc"));
  ASSERT_EQ(run_program("-a '" + dir.path("sample.smc") + "' '" + dir.path("whole/") + "'").exit_code, 0);
  ASSERT_EQ(mkfifo(dir.path("fifo").c_str(), 0600), 0);
  const auto start = std::chrono::steady_clock::now();
  const Outcome fifo = run_program("-a '" + dir.path("fifo") + "' '" + dir.path("out/") + "'");
  const Outcome huge = run_program("-a '" + dir.path("huge.smc") + "' '" + dir.path("out/") + "'", "2>/dev/null",
                                   "truncate -s 5G '" + dir.path("huge.smc") + "';");
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(1));
  EXPECT_EQ(fifo.exit_code, 1);
  EXPECT_EQ(huge.exit_code, 1);
  EXPECT_NE(huge.output.find("5368709120"), std::string::npos) << huge.output;
  EXPECT_FALSE(file_exists(dir.path("out/monster.csv")));

  // Writes past a few dozen KiB fail (SIGXFSZ ignored), as on a full disk.
  const Outcome cut = run_program("-a '" + dir.path("sample.smc") + "' '" + dir.path("cut/") + "'", "2>/dev/null",
                                  "ulimit -f 48; trap '' XFSZ;");
  EXPECT_EQ(cut.exit_code, 1);
  int complete = 0;
  for (const auto& entry : fs::directory_iterator(dir.path("whole/"))) {
    const std::string name = entry.path().filename().string();
    if (name == "varbek.log" || !file_exists(dir.path("cut/") + name)) continue;
    EXPECT_EQ(read_bytes(dir.path("cut/") + name), read_bytes(entry.path().string())) << name;
    ++complete;
  }
  EXPECT_GT(complete, 0);
  for (const auto& entry : fs::directory_iterator(dir.path("cut/"))) {
    EXPECT_NE(entry.path().filename().string().rfind("varbek-", 0), 0u) << entry.path();
  }
}
#endif
