#include "audio/openal_api.h"

#include <cstdio>
#include <iterator>

#include "platform/dynamic_library.h"

namespace {

// One entry point of the table: its exported name and where its address goes.
struct EntryPoint {
  const char* name;
  void (*store)(OpenALFunctions& table, void* address);
};

constexpr EntryPoint kEntryPoints[] = {
#define DELVIX_OPENAL_ENTRY(name, result, params) \
  {#name, [](OpenALFunctions& table, void* address) { table.name = reinterpret_cast<decltype(table.name)>(address); }},
    DELVIX_OPENAL_ENTRY_POINTS(DELVIX_OPENAL_ENTRY)
#undef DELVIX_OPENAL_ENTRY
};
static_assert(std::size(kEntryPoints) == 65, "the table holds 65 entry points");

}  // namespace

bool LoadOpenALLibrary(OpenALFunctions* table, platform::DynamicLibrary& library, const std::string& libraryName) {
  if (!table) return false;
  if (!library.Open(libraryName)) return false;
  *table = OpenALFunctions{};
  for (const EntryPoint& entry : kEntryPoints) {
    void* address = library.Symbol(entry.name);
    if (!address) {
      std::fprintf(stderr, "Failed to retrieve '%s' function address\n", entry.name);
      return false;
    }
    entry.store(*table, address);
  }
  return true;
}
