#pragma once
#include <string>

// The two whole-file conversion modes: game text to Shift-JIS text and back.
int decode_file(const std::string& input, const std::string& output, int decode_number);
int encode_file(const std::string& input, const std::string& output, bool newline_flag);
