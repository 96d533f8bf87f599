// C source, as far as arrays need it: one scan over a font text finds every array initializer,
// its name and where it stands, and every #define and #undef line. Nothing is printed; positions
// are file offsets, turned into lines and columns only where a message needs them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace fontscan {

// A place in the file: the offset from 0, and its line and column from 1, counted in bytes as
// they stand in the file (a line break is LF, CR LF or a lone CR).
struct SourcePosition {
  std::size_t offset;
  std::int64_t line;
  std::int64_t column;
};

// The line and column of `offset` (at most file.size()).
SourcePosition PositionAt(std::string_view file, std::size_t offset);

struct ArrayDeclaration {
  std::string name;           // as written, splices removed
  std::size_t open = 0;       // file offset of the initializer's '{'
  std::size_t close = 0;      // file offset of its matching '}', or file.size() when not closed
  bool closed = false;        // a '}' closes it
  std::int64_t elements = 0;  // elements of the outer list, as the array listing counts them
  std::size_t read_open = 0;  // the same two places in the text as read (CSource::Text())
  std::size_t read_close = 0;
};

// A #define or #undef line, wherever it stands (but in a comment).
struct MacroLine {
  std::string name;                    // with case, as written
  bool define = false;                 // #define, else #undef
  std::optional<std::uint64_t> value;  // the number alone after the name, or 1 when nothing
                                       // stands there; nothing for anything else
  std::size_t offset = 0;              // file offset of the line's '#'
};

// What one scan of the text found. The text itself is kept for reading an array later.
struct CSource {
  std::string_view file;
  std::vector<ArrayDeclaration> arrays;  // in file order
  std::vector<MacroLine> macros;         // in file order

  // The text as read: the file itself, or, when it holds splices, a copy with them removed.
  std::string_view Text() const { return splices.empty() ? file : std::string_view(spliced); }
  // The file offset of a byte of the text as read (or of its end).
  std::size_t FileOffset(std::size_t read_offset) const;

  // Each removed splice: from `read_offset` on, the text as read stands `removed` bytes (in all,
  // this one included) before the file.
  struct Splice {
    std::size_t read_offset;
    std::size_t removed;
  };
  std::vector<Splice> splices;
  std::string spliced;
};

// Scans the whole text once. Never fails: text that is not C yields what it yields.
CSource ScanCSource(std::string_view file);

// The first array named `name`, compared without regard to case.
std::optional<std::size_t> FindArrayNamed(const CSource& source, std::string_view name);

}  // namespace fontscan
