#pragma once
#include <cstddef>
#include <cstdint>
#include <string_view>

// A fuzz target checks properties of one part of the program on any input. A violated
// property ends the process through fuzz_fail. A target returns fuzz_pass, or fuzz_known when
// the input met a fault that is listed as known (each such rule is commented where it lives
// and has a corpus file named "known-*" that must keep meeting it until the mend).
inline constexpr int fuzz_pass = 0;
inline constexpr int fuzz_known = 1;

using FuzzFunction = int (*)(const std::uint8_t* data, std::size_t size);

struct FuzzTarget {
  const char* name;
  FuzzFunction run;
};

// Every target, in a fixed order; the corpus of each lies in corpus/<name>/.
const FuzzTarget* fuzz_targets_begin();
const FuzzTarget* fuzz_targets_end();
const FuzzTarget* find_fuzz_target(std::string_view name);

// Prints "fuzz failure in TARGET: message", runs the failure hook and aborts.
[[noreturn]] void fuzz_fail(const char* target, const char* format, ...)
    __attribute__((format(printf, 2, 3)));
// What fuzz_fail calls before it aborts: the driver saves the failing input there.
void set_fuzz_failure_hook(void (*hook)());

// Shift-JIS as code page 932 reads it: a lead byte (0x81-0x9F, 0xE0-0xFC) followed by a trail
// byte (0x40-0xFC but 0x7F) is one character, every other byte one of its own. The length of
// the character at `at`.
std::size_t cp932_length(std::string_view text, std::size_t at);

int fuzz_cells(const std::uint8_t* data, std::size_t size);
int fuzz_csv_lines(const std::uint8_t* data, std::size_t size);
int fuzz_encoder(const std::uint8_t* data, std::size_t size);
int fuzz_decoder(const std::uint8_t* data, std::size_t size);
int fuzz_song_text(const std::uint8_t* data, std::size_t size);
int fuzz_command_line(const std::uint8_t* data, std::size_t size);
int fuzz_csv_folder(const std::uint8_t* data, std::size_t size);
int fuzz_bps(const std::uint8_t* data, std::size_t size);
int fuzz_utf8(const std::uint8_t* data, std::size_t size);
int fuzz_event_reader(const std::uint8_t* data, std::size_t size);
int fuzz_tables(const std::uint8_t* data, std::size_t size);
