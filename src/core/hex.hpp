#pragma once

// Hex digits as every file and tag writes them: upper case.
inline constexpr char hex_digits[] = "0123456789ABCDEF";

// The value of a hex digit of either case, or -1 for any other character.
constexpr int hex_value(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}
