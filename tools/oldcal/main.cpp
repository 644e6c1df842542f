// murva_oldcal_gen FOLDER: writes jdoldcal.cpp and solar_term_days.cpp into
// FOLDER (the program's src/calendar) and lists on standard error what it
// noticed on the way.
#include <cstdio>
#include <exception>
#include <filesystem>
#include <fstream>
#include <string>

#include "oldcal/table_generator.h"

namespace {

// Writes beside the target and renames, so that a failure never leaves a
// half-written source.
void WriteFile(const std::filesystem::path& path, const std::string& text) {
  const std::filesystem::path temporary = path.string() + ".new";
  {
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    out << text;
    out.flush();
    if (!out) throw std::runtime_error("cannot write " + temporary.string());
  }
  std::filesystem::rename(temporary, path);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s FOLDER\n", argv[0]);
    return 2;
  }
  try {
    const murva::oldcal::GeneratedTables tables = murva::oldcal::GenerateTables();
    const std::filesystem::path folder = argv[1];
    WriteFile(folder / "jdoldcal.cpp", tables.jdoldcal_source);
    WriteFile(folder / "solar_term_days.cpp", tables.solar_term_days_source);
    for (const std::string& note : tables.notes) std::fprintf(stderr, "note: %s\n", note.c_str());
  } catch (const std::exception& error) {
    std::fprintf(stderr, "murva_oldcal_gen: %s\n", error.what());
    return 1;
  }
  return 0;
}
