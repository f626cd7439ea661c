#pragma once
#include "table/layout.hpp"

// Columns that several tables share: the same masks, in the same order, under the same
// headers. `at` is the byte's place in the entry.
//
// The flag bytes of enemy, formation and ally technique records.
Layout attribute_flags(int at);
Layout range_flags(int at);
// Bits 0x04 and 0x02 of this byte belong to no field: they are stored as 0.
Layout special_attribute_flags(int at);
Layout effect_flags(int at);

// Bytes 0 to 8 of every technique's effect record, with byte 6 as the caller describes it.
Layout effect_head(int at, const Layout& byte_six);
// The 14-byte effect record of usable ally techniques, which formation techniques copy.
// Bit 0x04 of byte 11 belongs to no field.
Layout technique_effect(int at);

// The columns most rows start with: the ID in hex and the name.
Layout id_and_name();

