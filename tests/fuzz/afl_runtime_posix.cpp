// GCC's trace-pc callback feeds afl-fuzz's shared coverage map, and a fork server answers it,
// so campaigns need no compiler plugin and keep GCC's Shift-JIS literals. This file must be
// built without coverage instrumentation.
#include <signal.h>
#include <sys/shm.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "afl_runtime.hpp"

namespace {

constexpr std::size_t map_size = 1u << 16;
constexpr int control_fd = 198;  // afl-fuzz's requests; replies go to control_fd + 1
// afl-fuzz looks for these in the binary: the shared memory variable and persistent mode.
const char shm_variable[] = "__AFL_SHM_ID";
volatile const char persistent_signature[] = "##SIG_AFL_PERSISTENT##";

// The callback takes no argument, so the map and the previous block are process-wide.
unsigned char own_map[map_size];
unsigned char* map = own_map;
std::uintptr_t previous = 0;
bool persistent = false;  // set in the children of a persistent fork server

void anchor() {}

}  // namespace

// Edges as in afl-fuzz's own instrumentation: the block's hash against the previous one's.
// Offsets from a function of the program keep the hashes apart from address randomisation.
extern "C" void __sanitizer_cov_trace_pc() {
  const std::uintptr_t pc = reinterpret_cast<std::uintptr_t>(__builtin_return_address(0)) -
                            reinterpret_cast<std::uintptr_t>(&anchor);
  const std::uintptr_t here = static_cast<std::uintptr_t>((pc * 0x9E3779B97F4A7C15ull) >> 48);
  unsigned char& hits = map[(here ^ previous) & (map_size - 1)];
  hits = static_cast<unsigned char>(hits + 1 + (hits == 255));  // never wraps to "not hit"
  previous = here >> 1;
}

void afl_start() {
  const char* id = std::getenv(shm_variable);
  if (!id) return;
  void* shared = shmat(std::atoi(id), nullptr, 0);
  if (shared == reinterpret_cast<void*>(-1)) _exit(1);
  map = static_cast<unsigned char*>(shared);
  // The greeting tells the map's size: afl-fuzz otherwise scans a map of its own default size
  // after every run.
  const std::uint32_t greeting = 0x80000001u | 0x40000000u | static_cast<std::uint32_t>((map_size - 1) << 1);
  if (write(control_fd + 1, &greeting, 4) != 4) return;  // no fork server: one input per process

  persistent = std::getenv("__AFL_PERSISTENT") != nullptr;
  pid_t child = -1;
  bool child_stopped = false;
  for (;;) {
    std::uint32_t was_killed = 0;
    if (read(control_fd, &was_killed, 4) != 4) _exit(0);
    int status = 0;
    if (child_stopped && was_killed) {
      child_stopped = false;
      if (waitpid(child, &status, 0) < 0) _exit(1);
    }
    if (child_stopped) {
      kill(child, SIGCONT);
      child_stopped = false;
    } else {
      child = fork();
      if (child < 0) _exit(1);
      if (child == 0) {
        close(control_fd);
        close(control_fd + 1);
        return;
      }
    }
    const std::int32_t reply = child;
    if (write(control_fd + 1, &reply, 4) != 4) _exit(1);
    if (waitpid(child, &status, persistent ? WUNTRACED : 0) < 0) _exit(1);
    child_stopped = WIFSTOPPED(status);
    if (write(control_fd + 1, &status, 4) != 4) _exit(1);
  }
}

bool afl_loop(unsigned runs) {
  static unsigned done = 0;
  (void)persistent_signature[0];
  if (done == 0) {
    // What start-up left in the map is no input's coverage.
    std::memset(map, 0, map_size);
    map[0] = 1;
    previous = 0;
    done = 1;
    return true;
  }
  if (!persistent || done >= runs) {
    map = own_map;  // the exit path is no input's coverage either
    return false;
  }
  ++done;
  raise(SIGSTOP);
  map[0] = 1;
  previous = 0;
  return true;
}
