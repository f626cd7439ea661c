#pragma once
// Coverage for afl-fuzz from GCC's -fsanitize-coverage=trace-pc, and its fork server.

// Starts the fork server when afl-fuzz runs the program; returns at once otherwise.
void afl_start();
// True while the next input should be run: once alone, up to `runs` times in a row under
// afl-fuzz (persistent mode).
bool afl_loop(unsigned runs);
