#include "jobs/round_trip_job.hpp"

#include <algorithm>
#include <cstring>
#include <cstdint>
#include <vector>

#include "jobs/job.hpp"
#include "jobs/job_files.hpp"
#include "jobs/round_trip_areas.hpp"
#include "core/messages.hpp"
#include "core/platform.hpp"

namespace {

constexpr int outside_every_area = -1;
constexpr int header_checksum = -2;

// The changed bytes of one area: its first file offset and how many.
struct AreaChange {
  int area;
  std::size_t first;
  std::size_t count;
};

// The file offsets of the internal header's checksum words, in the header and in the copy an
// image of the larger revision may hold 4 MiB above it.
bool in_checksum(const RomImage& rom, std::size_t at) {
  for (const std::size_t header : header_offsets(rom)) {
    const std::size_t words = rom.copier_header + header + 0x1C;
    if (at >= words && at < words + 4) return true;
  }
  return false;
}

// The area of a changed byte; an area of several ranges is known by its first.
int area_of(const RomImage& rom, const std::vector<RomArea>& areas, std::size_t at) {
  if (in_checksum(rom, at)) return header_checksum;
  if (at < rom.shift) return outside_every_area;
  const std::size_t offset = at - rom.shift;
  for (std::size_t i = 0; i < areas.size(); ++i) {
    if (offset < areas[i].begin || offset >= areas[i].end) continue;
    std::size_t first = 0;
    while (areas[first].name != areas[i].name) ++first;
    return static_cast<int>(first);
  }
  return outside_every_area;
}

// The areas that differ between the input and the built image, in the order of their first
// changed byte. An area is named once, however many ranges it has.
std::vector<AreaChange> changes_of(const RomImage& rom, const std::vector<RomArea>& areas) {
  std::vector<AreaChange> changes;
  const std::size_t size = std::max(rom.file.size(), rom.image.size());
  for (std::size_t at = 0; at < size; ++at) {
    const bool same = at < rom.file.size() && at < rom.image.size() && rom.file[at] == rom.image[at];
    if (same) continue;
    const int area = area_of(rom, areas, at);
    bool counted = false;
    for (AreaChange& change : changes) {
      if (change.area != area) continue;
      ++change.count;
      counted = true;
      break;
    }
    if (!counted) changes.push_back(AreaChange{area, at, 1});
  }
  return changes;
}

// The first warning or error of the extract or the build that names the area, by its surest
// key first; "" when none does.
std::string reason_of(const std::vector<ReportEntry>& entries, std::size_t end, const RomArea& area) {
  for (const std::string& key : area.keys) {
    for (std::size_t i = 0; i < end; ++i) {
      const ReportEntry& entry = entries[i];
      if (entry.severity >= Severity::warning && entry.text.find(key) != std::string::npos) return entry.text;
    }
  }
  return std::string();
}

}  // namespace

std::string round_trip_verdict(const Report& report) {
  for (const ReportEntry& entry : report.entries()) {
    if (std::strcmp(entry.id, msg::round_trip_same.id) == 0) return "\n" + entry.text;
  }
  return std::string();
}

JobResult run_round_trip(JobContext& job, const std::string& rom_path) {
  // The extract never goes next to the player's ROM, whose folder may hold their own files.
  const TemporaryFolder folder("varbek-round-trip-");
  if (folder.path().empty()) {
    job.report.add(msg::round_trip_no_folder);
    return JobResult::failed;
  }
  JobSettings settings;
  settings.music = true;
  if (run_extract(job, rom_path, folder.path(), settings) != JobResult::done || !job.rom.open) return JobResult::failed;
  job.rom = RomImage{};
  if (run_build(job, rom_path, std::string(), folder.path(), settings) != JobResult::done) return JobResult::failed;
  const std::size_t entries = job.report.entries().size();

  const RomImage& rom = job.rom;
  const std::vector<RomArea> areas = rom_areas(rom);
  const std::vector<AreaChange> changes = changes_of(rom, areas);
  if (changes.empty()) {
    job.report.add(msg::round_trip_same);
    return JobResult::done;
  }
  for (const AreaChange& change : changes) {
    const auto first = static_cast<unsigned long>(change.first);
    const auto count = static_cast<unsigned long>(change.count);
    if (change.area == header_checksum) {
      job.report.add(msg::round_trip_checksum, first);
    } else if (change.area == outside_every_area) {
      job.report.add(msg::round_trip_outside, first, count);
    } else {
      const RomArea& area = areas[static_cast<std::size_t>(change.area)];
      const std::string reason = reason_of(job.report.entries(), entries, area);
      if (reason.empty()) {
        job.report.add(msg::round_trip_area_unexplained, area.name, first, count);
      } else {
        job.report.add(msg::round_trip_area, area.name, first, count, reason);
      }
    }
  }
  job.report.add(msg::round_trip_changed, static_cast<int>(changes.size()));
  return JobResult::failed;
}
