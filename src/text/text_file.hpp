#pragma once
#include <string>

#include "core/status.hpp"

class Report;

// The two whole-file conversion modes: game text to Shift-JIS text and back. The input is read
// whole before the output is written, through a temporary file and a rename, so failing
// half-way never leaves a cut output. A failed conversion has reported why.
Status decode_file(Report& report, const std::string& input, const std::string& output,
                   int decode_number);
Status encode_file(Report& report, const std::string& input, const std::string& output,
                   bool newline_flag);
