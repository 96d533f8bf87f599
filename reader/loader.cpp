#include "reader/loader.h"

#include <memory>
#include <new>
#include <string_view>

#include "reader/comment_filter.h"

namespace fontscan {

namespace {

constexpr std::string_view kLoadingError = "\r\nERROR: Error while loading input file!";

enum class LoadResult { kLoaded, kWrongSize, kFailed };

LoadResult Load(RunState& state, const platform::FileSystem& files, Console& console) {
  std::unique_ptr<platform::ReadableFile> file = files.OpenForReading(state.in_file_path);
  if (!file) return LoadResult::kFailed;
  const std::int64_t size = file->Size();
  if (size < kMinFontFileSize || size > kMaxFontFileSize) {
    console.WriteLine(
        "\r\nERROR: Input file is too big (over 1Mb) or too small (less than 50 bytes)!");
    return LoadResult::kWrongSize;
  }
  if (!state.INFILEDATA.Allocate(static_cast<std::size_t>(size))) return LoadResult::kFailed;
  if (!ReadWhole(*file, state.INFILEDATA.data(), state.INFILEDATA.size())) {
    return LoadResult::kFailed;
  }
  file->Close();
  console.WriteLine("\r\nReading input file finished.");
  return LoadResult::kLoaded;
}

}  // namespace

bool ReadWhole(platform::ReadableFile& file, char* buffer, std::size_t size) {
  while (size > 0) {
    std::int64_t count = file.Read(buffer, size);
    if (count <= 0) return false;
    buffer += count;
    size -= static_cast<std::size_t>(count);
  }
  return true;
}

bool LoadFontFile(RunState& state, const platform::FileSystem& files, Console& console) {
  // The file is closed when `Load` returns, on every path.
  LoadResult result = LoadResult::kFailed;
  try {
    result = Load(state, files, console);
  } catch (const std::bad_alloc&) {
    result = LoadResult::kFailed;
  }
  if (result == LoadResult::kFailed) console.WriteLine(kLoadingError);
  return result == LoadResult::kLoaded;
}

bool LoadAndWalkFontFile(RunState& state, const platform::FileSystem& files, Console& console) {
  if (!LoadFontFile(state, files, console)) return false;
  // Memory for a symbol that cannot be had ends the walk just as a file that cannot be read does.
  try {
    PrepareWalk(state);
    WalkFontText(state, std::string_view(state.INFILEDATA.data(), state.INFILEDATA.size()),
                 console);
  } catch (const std::bad_alloc&) {
    console.WriteLine(kLoadingError);
    return false;
  }
  return true;
}

}  // namespace fontscan
