// The plain fuzz driver: replays each target's corpus, then mutates corpus files at random
// with a fixed seed for a bounded time or number of runs. Built with the sanitizers in CI.
//
//   varbek_fuzz list
//   varbek_fuzz check TARGET|all CORPUS_ROOT [--seconds S] [--runs N] [--seed N]
//                     [--max-len N] [--crash-dir DIR] [--timeout S]
//   varbek_fuzz reproduce TARGET FILE...
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

#include "fuzz.hpp"

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/common_interface_defs.h>
#endif

namespace fs = std::filesystem;

namespace {

using Bytes = std::vector<std::uint8_t>;

struct Options {
  // Mutation runs end at whichever budget is given and spent first; none, no mutation.
  double seconds = 0;
  std::uint64_t runs = 0;
  std::uint64_t seed = 1;
  std::size_t max_len = 4096;
  fs::path crash_dir = ".";
  double timeout = 10;
};

// What the failure hook saves; set around every run, because a sanitizer's death callback
// takes no argument.
struct Current {
  const char* target = "";
  const Bytes* input = nullptr;
  std::string label;
  fs::path crash_dir = ".";
};
Current current;
// When the current run started, in steady-clock ticks; 0 between runs.
std::atomic<std::int64_t> run_started{0};

void save_current_input() {
  if (!current.input || current.crash_dir.empty()) return;
  const Bytes& input = *current.input;
  std::error_code error;
  fs::create_directories(current.crash_dir, error);
  const fs::path path = current.crash_dir / ("crash-" + std::string(current.target) + "-" + current.label);
  std::ofstream(path, std::ios::binary)
      .write(reinterpret_cast<const char*>(input.data()), static_cast<std::streamsize>(input.size()));
  std::fprintf(stderr, "input (%zu bytes, %s) saved as %s\n", input.size(), current.label.c_str(),
               path.string().c_str());
  for (std::size_t i = 0; i < input.size() && i < 256; ++i)
    std::fprintf(stderr, "%02X%s", input[i], i % 32 == 31 ? "\n" : " ");
  std::fprintf(stderr, "%s\n", input.size() > 256 ? "..." : "");
}

int run(const FuzzTarget& target, const Bytes& input, std::string label) {
  current.target = target.name;
  current.input = &input;
  current.label = std::move(label);
  run_started = std::chrono::steady_clock::now().time_since_epoch().count();
  const int result = target.run(input.data(), input.size());
  run_started = 0;
  current.input = nullptr;
  return result;
}

// A run that does not end is a finding too: the watchdog saves its input and aborts.
[[noreturn]] void watch(double timeout) {
  const auto limit =
      std::chrono::duration_cast<std::chrono::steady_clock::duration>(std::chrono::duration<double>(timeout));
  for (;;) {
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    const std::int64_t started = run_started;
    if (started != 0 &&
        std::chrono::steady_clock::now().time_since_epoch().count() - started > limit.count()) {
      std::fprintf(stderr, "fuzz failure in %s: a run took more than %g s\n", current.target, timeout);
      save_current_input();
      std::abort();
    }
  }
}

bool read_file(const fs::path& path, Bytes& bytes) {
  std::ifstream in(path, std::ios::binary);
  bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  return !in.bad();
}

// splitmix64: the same sequence on every platform and library.
struct Random {
  std::uint64_t state;
  std::uint64_t next() {
    std::uint64_t z = (state += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
  }
  std::size_t below(std::size_t n) { return n == 0 ? 0 : static_cast<std::size_t>(next() % n); }
};

// Bytes where the program's readers decide something: line ends, quotes, commas, tags,
// lead bytes, half-width katakana and the ends of the range.
const std::uint8_t interesting[] = {0x00, 0x0A, 0x0D, 0x22, 0x2C, 0x3C, 0x3E, 0x81, 0xA1, 0xDE, 0xFF};

// Up to `most` bytes of `source` from a random place.
Bytes piece_of(const Bytes& source, Random& random, std::size_t most) {
  const std::size_t from = random.below(source.size());
  const std::size_t n = std::min(source.size() - from, 1 + random.below(most));
  return Bytes(source.begin() + static_cast<std::ptrdiff_t>(from),
               source.begin() + static_cast<std::ptrdiff_t>(from + n));
}

void mutate_once(Bytes& b, const std::vector<Bytes>& pool, Random& random) {
  const std::size_t at = random.below(b.size() + 1);
  const Bytes& other = pool.empty() ? b : pool[random.below(pool.size())];
  switch (random.below(b.empty() ? 2 : 9)) {
    case 0:  // insert an interesting byte
      b.insert(b.begin() + static_cast<std::ptrdiff_t>(at),
               interesting[random.below(std::size(interesting))]);
      break;
    case 1: {  // insert a piece of another input
      const Bytes piece = piece_of(other, random, 32);
      b.insert(b.begin() + static_cast<std::ptrdiff_t>(at), piece.begin(), piece.end());
      break;
    }
    case 2:  // flip a bit
      b[random.below(b.size())] ^= static_cast<std::uint8_t>(1u << random.below(8));
      break;
    case 3:  // overwrite with an interesting byte
      b[random.below(b.size())] = interesting[random.below(std::size(interesting))];
      break;
    case 4:  // overwrite with any byte
      b[random.below(b.size())] = static_cast<std::uint8_t>(random.next());
      break;
    case 5: {  // delete a few bytes
      const std::size_t from = random.below(b.size());
      const std::size_t n = std::min(b.size() - from, 1 + random.below(8));
      b.erase(b.begin() + static_cast<std::ptrdiff_t>(from),
              b.begin() + static_cast<std::ptrdiff_t>(from + n));
      break;
    }
    case 6:  // insert any byte
      b.insert(b.begin() + static_cast<std::ptrdiff_t>(at), static_cast<std::uint8_t>(random.next()));
      break;
    case 7: {  // splice: this input's head, another's tail
      const std::size_t tail = random.below(other.size() + 1);
      Bytes spliced(b.begin(), b.begin() + static_cast<std::ptrdiff_t>(random.below(b.size() + 1)));
      spliced.insert(spliced.end(), other.begin() + static_cast<std::ptrdiff_t>(tail), other.end());
      b = std::move(spliced);
      break;
    }
    default: {  // repeat a piece of this input
      const Bytes piece = piece_of(b, random, 16);
      b.insert(b.begin() + static_cast<std::ptrdiff_t>(at), piece.begin(), piece.end());
      break;
    }
  }
}

// Replays the corpus, then runs mutants until the budget ends. False on a known-fault file
// that passes (its mend has landed: delete the rule and the "known-" prefix).
bool check_target(const FuzzTarget& target, const fs::path& corpus_root, const Options& options) {
  std::vector<fs::path> files;
  std::error_code error;
  for (const auto& entry : fs::directory_iterator(corpus_root / target.name, error)) {
    if (entry.is_regular_file()) files.push_back(entry.path());
  }
  std::sort(files.begin(), files.end());
  std::vector<Bytes> pool;
  bool ok = true;
  std::uint64_t known = 0;
  for (const fs::path& file : files) {
    Bytes bytes;
    if (!read_file(file, bytes)) {
      std::fprintf(stderr, "%s: cannot read %s\n", target.name, file.string().c_str());
      return false;
    }
    const int result = run(target, bytes, file.filename().string());
    const bool expects_known = file.filename().string().rfind("known-", 0) == 0;
    if (expects_known && result != fuzz_known) {
      std::fprintf(stderr, "%s: %s no longer meets its known fault: delete the rule and rename the file\n",
                   target.name, file.string().c_str());
      ok = false;
    }
    known += result == fuzz_known ? 1 : 0;
    pool.push_back(std::move(bytes));
  }

  Random random{options.seed};
  for (const char* c = target.name; *c; ++c)
    random.state = (random.state ^ static_cast<unsigned char>(*c)) * 0x100000001B3ull;
  const auto start = std::chrono::steady_clock::now();
  const auto deadline = start + std::chrono::duration<double>(options.seconds);
  const auto more = [&](std::uint64_t done) {
    if (options.runs == 0 && options.seconds <= 0) return false;
    return (options.runs == 0 || done < options.runs) &&
           (options.seconds <= 0 || std::chrono::steady_clock::now() < deadline);
  };
  Bytes last;
  std::uint64_t runs = 0;
  for (; more(runs); ++runs) {
    // Half the time the last mutant mutates further, so changes pile up.
    Bytes input = last;
    if (last.empty() || random.below(2) == 0)
      input = pool.empty() ? Bytes() : pool[random.below(pool.size())];
    for (std::size_t n = 1 + random.below(4); n > 0; --n) mutate_once(input, pool, random);
    if (input.size() > options.max_len) input.resize(options.max_len);
    const std::string label = "seed" + std::to_string(options.seed) + "-run" + std::to_string(runs);
    known += run(target, input, label) == fuzz_known ? 1 : 0;
    last = std::move(input);
  }
  const double elapsed = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  std::printf("%-13s %3zu corpus files, %8llu runs in %5.1f s (%.0f/s), %llu inputs met a known fault\n",
              target.name, files.size(), static_cast<unsigned long long>(runs), elapsed,
              elapsed > 0 ? static_cast<double>(runs) / elapsed : 0.0,
              static_cast<unsigned long long>(known));
  std::fflush(stdout);
  return ok;
}

int usage() {
  std::fprintf(stderr,
               "usage: varbek_fuzz list\n"
               "       varbek_fuzz check TARGET|all CORPUS_ROOT [--seconds S] [--runs N] [--seed N]\n"
               "                         [--max-len N] [--crash-dir DIR] [--timeout S]\n"
               "       varbek_fuzz reproduce TARGET FILE...\n");
  return 2;
}

bool parse_options(int argc, char** argv, int first, Options& options) {
  for (int i = first; i < argc; i += 2) {
    const std::string flag = argv[i];
    if (i + 1 >= argc) return false;
    const char* value = argv[i + 1];
    if (flag == "--seconds")
      options.seconds = std::strtod(value, nullptr);
    else if (flag == "--runs")
      options.runs = std::strtoull(value, nullptr, 10);
    else if (flag == "--seed")
      options.seed = std::strtoull(value, nullptr, 10);
    else if (flag == "--max-len")
      options.max_len = std::strtoull(value, nullptr, 10);
    else if (flag == "--crash-dir")
      options.crash_dir = value;
    else if (flag == "--timeout")
      options.timeout = std::strtod(value, nullptr);
    else
      return false;
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  set_fuzz_failure_hook(save_current_input);
#if defined(__SANITIZE_ADDRESS__)
  __sanitizer_set_death_callback(save_current_input);
#endif
  const std::string command = argc > 1 ? argv[1] : "";
  if (command == "list") {
    for (const FuzzTarget* t = fuzz_targets_begin(); t != fuzz_targets_end(); ++t)
      std::printf("%s\n", t->name);
    return 0;
  }
  if (argc < 4) return usage();
  const std::string name = argv[2];
  const FuzzTarget* target = find_fuzz_target(name);
  if (!target && !(command == "check" && name == "all")) {
    std::fprintf(stderr, "no fuzz target %s\n", name.c_str());
    return 2;
  }
  if (command == "reproduce") {
    current.crash_dir.clear();
    for (int i = 3; i < argc; ++i) {
      Bytes bytes;
      if (!read_file(argv[i], bytes)) return 2;
      const int result = run(*target, bytes, "reproduce");
      std::printf("%s: %s\n", argv[i], result == fuzz_known ? "meets a known fault" : "passes");
    }
    return 0;
  }
  Options options;
  if (command != "check" || !parse_options(argc, argv, 4, options)) return usage();
  current.crash_dir = options.crash_dir;
  std::thread(watch, options.timeout).detach();
  int passed = 0;
  int failed = 0;
  for (const FuzzTarget* t = fuzz_targets_begin(); t != fuzz_targets_end(); ++t) {
    if (target && t != target) continue;
    (check_target(*t, argv[3], options) ? passed : failed) += 1;
  }
  // A violated property aborts; reaching here means every target held.
  std::printf("fuzz: %d passed, %d failed\n", passed, failed);
  return failed == 0 ? 0 : 1;
}
