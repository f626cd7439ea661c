#pragma once
#include <cstddef>
#include <string>
#include <type_traits>

// A printf format read at compile time against the types of its arguments, so that a message
// given the wrong number or kind of values does not build. Shift-JIS trail bytes are never
// 0x25, so a '%' in a catalogue text always starts a conversion.
namespace format_check {

enum class Kind { none, int_sized, long_sized, long_long, character, text, floating, pointer, other };

template <class T>
constexpr Kind kind_of() {
  using U = std::remove_cv_t<std::remove_reference_t<T>>;
  if constexpr (std::is_same_v<U, std::string> || std::is_same_v<std::decay_t<U>, const char*> ||
                std::is_same_v<std::decay_t<U>, char*>) {
    return Kind::text;
  } else if constexpr (std::is_same_v<U, bool>) {
    return Kind::other;
  } else if constexpr (std::is_same_v<U, char>) {
    return Kind::character;
  } else if constexpr (std::is_integral_v<U>) {
    using S = std::make_unsigned_t<U>;
    if constexpr (std::is_same_v<S, unsigned long long>) return Kind::long_long;
    if constexpr (std::is_same_v<S, unsigned long>) return Kind::long_sized;
    return sizeof(U) <= sizeof(int) ? Kind::int_sized : Kind::other;
  } else if constexpr (std::is_floating_point_v<U>) {
    return Kind::floating;
  } else if constexpr (std::is_pointer_v<U>) {
    return Kind::pointer;
  } else {
    return Kind::other;
  }
}

constexpr bool is_digit(char c) { return c >= '0' && c <= '9'; }

// Whether the value of kind `given` fits the conversion `c` with the length modifier
// `length` ('\0', 'h', 'H' for hh, 'l', 'L' for ll, 'z').
constexpr bool fits(char length, char c, Kind given) {
  switch (c) {
    case 'd': case 'i': case 'u': case 'x': case 'X': case 'o':
      switch (length) {
        case '\0': case 'h': case 'H': return given == Kind::int_sized || given == Kind::character;
        case 'l': return given == Kind::long_sized;
        case 'L': return given == Kind::long_long;
        case 'z': return given == kind_of<std::size_t>();
        default: return false;
      }
    case 'c': return length == '\0' && (given == Kind::character || given == Kind::int_sized);
    case 's': return length == '\0' && given == Kind::text;
    case 'f': case 'g': case 'e': return length == '\0' && given == Kind::floating;
    case 'p': return length == '\0' && given == Kind::pointer;
    default: return false;
  }
}

// True when the format's conversions take exactly the given kinds, in order.
constexpr bool matches(const char* format, const Kind* kinds, std::size_t count) {
  std::size_t used = 0;
  for (std::size_t i = 0; format[i] != '\0'; ++i) {
    if (format[i] != '%') continue;
    ++i;
    if (format[i] == '%') continue;
    while (format[i] == '-' || format[i] == '+' || format[i] == ' ' || format[i] == '#' || format[i] == '0') ++i;
    while (is_digit(format[i])) ++i;
    if (format[i] == '.') {
      ++i;
      while (is_digit(format[i])) ++i;
    }
    char length = '\0';
    if (format[i] == 'h' || format[i] == 'l' || format[i] == 'z') {
      length = format[i++];
      if (format[i] == length && length != 'z') {
        length = length == 'h' ? 'H' : 'L';
        ++i;
      }
    }
    if (used == count || !fits(length, format[i], kinds[used])) return false;
    ++used;
  }
  return used == count;
}

template <class... Args>
constexpr bool matches(const char* format) {
  constexpr Kind kinds[] = {Kind::none, kind_of<Args>()...};
  return matches(format, kinds + 1, sizeof...(Args));
}

}  // namespace format_check
