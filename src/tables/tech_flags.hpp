#pragma once
#include <initializer_list>

#include "table/layout.hpp"

// The flag bytes that enemy, formation and ally technique records share: the same masks,
// in the same order, under the same headers. `at` is the flag byte's place in the entry.
Layout attribute_flags(int at);
Layout range_flags(int at);
// Bits 0x04 and 0x02 of this byte belong to no field: they are stored as 0.
Layout special_attribute_flags(int at);
Layout effect_flags(int at);

// The 14-byte effect record of usable ally techniques, which formation techniques copy.
// Bit 0x04 of byte 11 belongs to no field.
Layout technique_effect(int at);

// The pieces of a table's description, one after the other.
Layout joined(std::initializer_list<Layout> parts);
