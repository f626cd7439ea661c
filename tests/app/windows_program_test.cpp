// varbek.exe as a script starts it: the command line exactly as written, the console output
// and the exit code of the -q option.
#ifdef _WIN32
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <string>

#include "core/platform.hpp"
#include "core/report.hpp"
#include "test_support.hpp"

namespace {

struct Outcome {
  DWORD exit_code = 0xFFFFFFFF;
  std::string output;
};

enum class Capture { output, errors, both };

std::wstring program_path() {
  std::wstring path(4096, L'\0');
  path.resize(GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size())));
  return path.substr(0, path.find_last_of(L"\\/") + 1) + L"varbek.exe";
}

// `command_line` is the whole line, the program's name included. The stream not captured
// goes nowhere.
Outcome run_program(std::wstring line, Capture capture = Capture::output) {
  Outcome run;
  SECURITY_ATTRIBUTES inherit{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
  HANDLE read_end = nullptr;
  HANDLE write_end = nullptr;
  if (!CreatePipe(&read_end, &write_end, &inherit, 0)) return run;
  SetHandleInformation(read_end, HANDLE_FLAG_INHERIT, 0);
  HANDLE nowhere = CreateFileW(L"NUL", GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit,
                               OPEN_EXISTING, 0, nullptr);
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
  startup.hStdOutput = capture != Capture::errors ? write_end : nowhere;
  startup.hStdError = capture != Capture::output ? write_end : nowhere;
  PROCESS_INFORMATION process{};
  const std::wstring program = program_path();
  const BOOL started = CreateProcessW(program.c_str(), line.data(), nullptr, nullptr, TRUE, 0,
                                      nullptr, nullptr, &startup, &process);
  CloseHandle(write_end);
  CloseHandle(nowhere);
  if (started) {
    char buffer[4096];
    DWORD n = 0;
    while (ReadFile(read_end, buffer, sizeof buffer, &n, nullptr) && n > 0) run.output.append(buffer, n);
    WaitForSingleObject(process.hProcess, INFINITE);
    GetExitCodeProcess(process.hProcess, &run.exit_code);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
  }
  CloseHandle(read_end);
  return run;
}

Outcome run_program(const std::string& sjis_line, Capture capture = Capture::output) {
  return run_program(platform::widen(sjis_line), capture);
}

std::string in_quotes(const std::string& path) { return "\"" + path + "\""; }

}  // namespace

TEST(WindowsProgram, QuotedShiftJisPathsReachTheJob) {
  TempDir dir;
  const std::string folder = dir.folder() + "表 ソフト\\";
  ASSERT_TRUE(platform::make_directories(folder));
  write_sample(dir.path("sample.smc"));
  ASSERT_TRUE(platform::replace_file(dir.path("sample.smc"), folder + "元 データ.smc"));

  // The program's own name may be quoted and hold spaces; it is never an argument.
  const Outcome run = run_program("\"my varbek\" -q  -a \"" + folder + "元 データ.smc\"  \"" + folder +
                              "出力 先\\monster_ptn.csv\"  ");
  EXPECT_EQ(run.exit_code, 0u) << run.output;
  EXPECT_EQ(run.output, platform::from_sjis(std::string(msg::success.text) + "\n"));
  EXPECT_TRUE(platform::open_file(folder + "出力 先\\monster_ptn.csv", "rb"));
}

TEST(WindowsProgram, ExitCodesTellFailureAndRefusal) {
  TempDir dir;
  const std::string missing = dir.folder() + "無い表.smc";
  const std::string failing = "varbek.exe -q -a " + in_quotes(missing) + " " + in_quotes(dir.folder());
  const Outcome failed = run_program(failing);
  EXPECT_EQ(failed.exit_code, 1u);
  Report report;
  report.add(msg::cannot_open, missing);
  // Nothing was read, so no log was written.
  EXPECT_EQ(failed.output, platform::from_sjis(report.final_text() + "\n"));
  EXPECT_FALSE(platform::open_file(dir.folder() + "varbek.log", "rb"));

  const Outcome refused = run_program("varbek.exe -q -a " + in_quotes(dir.folder()));
  EXPECT_EQ(refused.exit_code, 2u);
  Report reason;
  reason.add(msg::args_too_few_paths, "a", "2", "1");
  EXPECT_EQ(refused.output, platform::from_sjis(reason.last() + "\n" + msg::usage));

  // Every message also goes to standard error as it happens; -v adds the banners.
  EXPECT_EQ(run_program(failing, Capture::errors).output, platform::from_sjis(report.last() + "\n"));
  write_sample(dir.path("sample.smc"));
  const Outcome verbose = run_program(
      "varbek.exe -q -v -a " + in_quotes(dir.path("sample.smc")) + " " + in_quotes(dir.path("csv\\")),
      Capture::errors);
  EXPECT_EQ(verbose.exit_code, 0u);
  EXPECT_NE(verbose.output.find("monster_ptn.csv"), std::string::npos);
}

// The same refusals as on Linux, each with its reason, the usage and exit code 2; nothing is
// written.
TEST(WindowsProgram, RefusedLinesSayWhy) {
  TempDir dir;
  write_sample(dir.path("sample.smc"));
  const std::string rom = in_quotes(dir.path("sample.smc"));
  const std::string out = in_quotes(dir.path("out.smc"));
  const std::string folder = in_quotes(dir.folder());
  const std::string error_label = platform::from_sjis(Report::format(msg::error_label.text, ""));
  const std::string usage = platform::from_sjis(msg::usage);
  const struct {
    std::string line;
    bool usage;
  } cases[] = {
      {"-m " + rom + " \"\" " + folder, true},
      {"-c \"\" " + folder, true},
      {"-z " + rom + " " + folder, true},
      {"-ms " + rom + " " + out, true},
      {"-dm " + rom + " " + out, true},
      {"-a " + rom + " " + folder + " " + out, true},
      {"-h -a " + rom + " " + folder, true},
      {"-m " + rom + " " + folder + " " + out, false},
      {"-m " + rom + " " + out + " " + in_quotes(dir.path("cvs\\")), false},
  };
  for (const auto& c : cases) {
    const Outcome refused = run_program("varbek -q " + c.line);
    EXPECT_EQ(refused.exit_code, 2u) << c.line;
    EXPECT_EQ(refused.output.rfind(error_label, 0), 0u) << c.line;
    EXPECT_EQ(refused.output.find(usage) != std::string::npos, c.usage) << c.line;
  }
  EXPECT_FALSE(platform::open_file(dir.path("out.smc"), "rb"));
  const Outcome help = run_program("varbek -q -h");
  EXPECT_EQ(help.exit_code, 0u);
  EXPECT_EQ(help.output, usage);
  EXPECT_EQ(run_program("varbek -v --version").output.rfind("varbek ", 0), 0u);

  // Standard error and output on one handle: the message once, then the counts.
  const std::string missing = dir.path("missing.smc");
  const Outcome together = run_program("varbek -q -c " + in_quotes(missing) + " " + folder, Capture::both);
  EXPECT_EQ(together.exit_code, 1u);
  Report report;
  report.add(msg::cannot_open, missing);
  EXPECT_EQ(together.output, platform::from_sjis(report.last() + "\n" + report.final_text({}, false) + "\n"));
}

// As "?" the name would vanish with the ".." after it and the files would land in "wrong".
TEST(WindowsProgram, NamesWithoutAShiftJisFormAreRefused) {
  TempDir dir;
  write_sample(dir.path("sample.smc"));
  const std::wstring folder = platform::widen(dir.folder());
  const Outcome run = run_program(L"varbek -q -a \"" + folder + L"sample.smc\" \"" + folder +
                                  L"\u00FC\\..\\wrong\\\"");
  EXPECT_EQ(run.exit_code, 1u);
  EXPECT_EQ(run.output, platform::from_sjis(std::string(msg::unrepresentable_command_line.text) + "\n"));
  EXPECT_FALSE(platform::is_directory(dir.path("wrong")));
}

TEST(WindowsProgram, LongPathsOnTheCommandLine) {
  TempDir dir;
  std::string folder = dir.folder();
  for (int i = 0; i < 4; ++i) folder += std::string(70, static_cast<char>('k' + i)) + "\\";
  write_sample(dir.path("sample.smc"));
  const Outcome extracted = run_program("varbek -q -a " + in_quotes(dir.path("sample.smc")) + " " + in_quotes(folder));
  EXPECT_EQ(extracted.exit_code, 0u) << extracted.output;
  const Outcome built = run_program("varbek -q -m " + in_quotes(dir.path("sample.smc")) + " " +
                                in_quotes(folder + "out.smc") + " " + in_quotes(folder));
  EXPECT_EQ(built.exit_code, 0u) << built.output;
  const std::string out = read_sjis_file(folder + "out.smc");
  EXPECT_EQ(out.size(), 0x600000u);
  EXPECT_TRUE(out == read_sjis_file(dir.path("sample.smc")));
}
// The program refuses an output over its input, named otherwise ("./", another case), with
// exit code 2 and writes nothing; a build leaves no temporary file beside its output.
TEST(WindowsProgram, AnOutputOverAnInputIsRefused) {
  TempDir dir;
  write_sample(dir.path("sample.smc"));
  const std::string csv = dir.path("csv\\");
  ASSERT_EQ(run_program("varbek -q -a " + in_quotes(dir.path("sample.smc")) + " " + in_quotes(csv)).exit_code, 0u);
  const std::string before = read_sjis_file(csv + "varbek.log");
  for (const std::string& output : {dir.path(".\\sample.smc"), dir.path("SAMPLE.SMC")}) {
    const Outcome refused = run_program("varbek -q -m " + in_quotes(dir.path("sample.smc")) + " " +
                                        in_quotes(output) + " " + in_quotes(csv));
    EXPECT_EQ(refused.exit_code, 2u) << refused.output;
    EXPECT_NE(refused.output.find(platform::from_sjis(Report::format(msg::output_is_input.text, output,
                                                                     dir.path("sample.smc")))),
              std::string::npos)
        << refused.output;
  }
  EXPECT_EQ(read_sjis_file(csv + "varbek.log"), before);
  EXPECT_EQ(run_program("varbek -q -m " + in_quotes(dir.path("sample.smc")) + " " + in_quotes(dir.path("out.smc")) +
                        " " + in_quotes(csv)).exit_code,
            0u);
  WIN32_FIND_DATAW found{};
  const HANDLE search = FindFirstFileW(platform::widen(dir.path("varbek-*")).c_str(), &found);
  EXPECT_EQ(search, INVALID_HANDLE_VALUE);
  if (search != INVALID_HANDLE_VALUE) FindClose(search);
}
#endif
