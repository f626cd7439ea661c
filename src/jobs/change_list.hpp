#pragma once
#include "core/job_context.hpp"

// Lists what a build or check changed, compared with the input image: each changed cell, text
// entry and (with music) song is an information line of the report, and the final text gets
// the counts per file, or that nothing changed. Only the tables, event banks and songs whose
// bytes differ are extracted and compared, so an unchanged build costs one comparison of the
// two images.
void report_changes(JobContext& job, bool music);
