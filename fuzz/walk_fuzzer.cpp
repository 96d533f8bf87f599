// Fuzz target: the font text walk over arbitrary bytes.
//
// The first two bytes of the input choose the symbol size (1 to 8192); the rest is the font text.
// Every input is walked twice: once by the reader's own walk, which jumps over comments, and once
// by a plain character-by-character filter written here from the rules of the format. Both must
// agree on everything they leave behind, and the result must keep the walk's invariants.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "core/console.h"
#include "core/run_state.h"
#include "fuzz/invariants.h"
#include "reader/comment_filter.h"
#include "reader/symbol_parser.h"

namespace fontscan {
namespace {

using fuzzing::Check;

// The filter as the format describes it: one character at a time, no jumps.
void PlainWalk(RunState& state, std::string_view text, Console& console) {
  const auto length = static_cast<std::int32_t>(text.size());
  char previous = '\0';
  char current = '\0';
  while (state.POSITION < length) {
    ++state.POSITION;
    previous = current;
    current = text[static_cast<std::size_t>(state.POSITION - 1)];
    if (current >= 'a' && current <= 'z') current = static_cast<char>(current - 32);
    const bool in_comment = state.STLINECOMMENT || state.STBLOCKCOMMENT;
    if (current == '\r' || current == '\n') {
      state.STLINECOMMENT = false;
      state.STCOMPILERDIRECTIVE = false;
    } else if (state.STBLOCKCOMMENT && previous == '*' && current == '/') {
      state.STBLOCKCOMMENT = false;
    } else if (!in_comment && previous == '/' && current == '/') {
      state.STLINECOMMENT = true;
    } else if (!in_comment && current == '#') {
      state.STCOMPILERDIRECTIVE = true;
    } else if (!in_comment && previous == '/' && current == '*') {
      state.STBLOCKCOMMENT = true;
    } else if (in_comment || state.STCOMPILERDIRECTIVE) {
      // skipped
    } else if (ParseCharacter(state, current, previous, console) == WalkStep::kEnd) {
      state.POSITION = length + 1;
    }
  }
}

struct Walked {
  RunState state;
  std::string out;
};

template <typename Walk>
void RunWalk(Walked& walked, std::int32_t symbol_size, std::string_view text, Walk walk) {
  walked.state.SYMBOLSIZE = symbol_size;
  StringOutput output;
  {
    Console console(output);
    PrepareWalk(walked.state);
    walk(walked.state, text, console);
  }
  walked.out = output.text();
}

std::size_t CountOf(const std::string& text, std::string_view needle) {
  std::size_t count = 0;
  for (std::size_t at = text.find(needle); at != std::string::npos;
       at = text.find(needle, at + needle.size())) {
    ++count;
  }
  return count;
}

void CheckInvariants(const Walked& walked, std::string_view text) {
  const RunState& s = walked.state;
  const std::string& out = walked.out;
  const auto length = static_cast<std::int32_t>(text.size());

  Check(int{s.STOUT} + int{s.STIN1} + int{s.STIN2} == 1, "exactly one structure flag");
  if (s.STIN2) {
    Check(int{s.STNUMSTART} + int{s.STNUM} + int{s.STNUMEND} == 1, "exactly one number flag");
  } else {
    Check(!s.STNUMSTART && !s.STNUM && !s.STNUMEND, "number flags clear outside a symbol");
  }
  Check(!(s.STLINECOMMENT && s.STBLOCKCOMMENT), "one comment kind at a time");

  // The walk covers the whole text or stops early, past its end.
  Check(s.POSITION == length || s.POSITION == length + 1, "final position");

  // Symbols: the table holds every symbol opened, up to its capacity.
  Check(s.SYMBOLSCOUNT >= 0 && s.SYMBOLSCOUNT <= MAXSYMBOLSCOUNT + 1, "symbol count");
  const std::int32_t held = s.SYMBOLSCOUNT > MAXSYMBOLSCOUNT ? MAXSYMBOLSCOUNT : s.SYMBOLSCOUNT;
  Check(s.SYMBOLSDATA.count() == held, "table holds the opened symbols");
  Check(s.CURRENTBYTE >= 0 && s.CURRENTBYTE < s.SYMBOLSIZE, "current byte within the symbol");

  // Output: whole lines, each ended by CR LF, and nothing else.
  Check(out.empty() || out.size() >= 2, "output of whole lines");
  for (std::size_t i = 0; i < out.size(); ++i) {
    if (out[i] == '\r') Check(i + 1 < out.size() && out[i + 1] == '\n', "CR without LF", out);
    if (out[i] == '\n') Check(i > 0 && out[i - 1] == '\r', "LF without CR", out);
  }
  Check(out.empty() || out.substr(out.size() - 2) == "\r\n", "last line ended", out);

  // Messages agree with the state.
  const std::size_t errors = CountOf(out, "ERROR: Error while processing input file!\r\n");
  const std::size_t warnings = CountOf(out, "WARNING: Found too many symbols in input file!\r\n");
  Check((errors > 0) == s.CONTENTERROR, "error report iff CONTENTERROR", out);
  Check(errors <= 2, "at most two reports for one character", out);
  Check(warnings == (s.SYMBOLSCOUNT > MAXSYMBOLSCOUNT ? 1u : 0u), "warning iff table overflowed");
  Check(!(errors > 0 && warnings > 0), "an error and the warning never meet");
  if (errors > 0 || warnings > 0) Check(s.POSITION == length + 1, "a report ends the walk");
  if (errors > 0 || warnings > 0) Check(s.STOUT, "a report leaves the array");

  // Progress lines: symbols 1, 2, 3 ... in order, each closed correctly, at most every one opened.
  std::size_t progress = 0;
  std::size_t at = 0;
  while ((at = out.find("Reading symbol #", at)) != std::string::npos) {
    ++progress;
    const std::string expected = "Reading symbol #" + std::to_string(progress) + " finished.\r\n";
    Check(out.compare(at, expected.size(), expected) == 0, "progress line", out);
    at += expected.size();
  }
  Check(progress <= static_cast<std::size_t>(held), "no more progress lines than symbols");
  if (errors == 0 && warnings == 0) {
    // Without a report, only the symbol still open can be missing its progress line.
    Check(progress + (s.STIN2 ? 1u : 0u) == static_cast<std::size_t>(s.SYMBOLSCOUNT),
          "a progress line for each closed symbol", out);
  }
}

void CheckSame(const Walked& fast, const Walked& plain) {
  const RunState& a = fast.state;
  const RunState& b = plain.state;
  Check(fast.out == plain.out, "same output", fast.out + "\n-- plain walk --\n" + plain.out);
  Check(a.POSITION == b.POSITION, "same position");
  Check(a.STOUT == b.STOUT && a.STIN1 == b.STIN1 && a.STIN2 == b.STIN2, "same structure");
  Check(a.STLINECOMMENT == b.STLINECOMMENT && a.STBLOCKCOMMENT == b.STBLOCKCOMMENT &&
            a.STCOMPILERDIRECTIVE == b.STCOMPILERDIRECTIVE,
        "same filter flags");
  Check(a.STNUM == b.STNUM && a.STNUMSTART == b.STNUMSTART && a.STNUMEND == b.STNUMEND,
        "same number flags");
  Check(a.SYMBOLSCOUNT == b.SYMBOLSCOUNT && a.CURRENTBYTE == b.CURRENTBYTE &&
            a.COMMACOUNT == b.COMMACOUNT && a.BYTENUMBER == b.BYTENUMBER,
        "same counters");
  Check(a.BYTEDATA == b.BYTEDATA && a.BYTEISHEX == b.BYTEISHEX, "same number text");
  Check(a.CONTENTERROR == b.CONTENTERROR, "same error flag");
  Check(a.SYMBOLSDATA.count() == b.SYMBOLSDATA.count(), "same symbol count");
  for (std::int32_t n = 1; n <= a.SYMBOLSDATA.count(); ++n) {
    Check(a.SYMBOLSDATA.Symbol(n) == b.SYMBOLSDATA.Symbol(n), "same symbol bytes");
  }
}

}  // namespace
}  // namespace fontscan

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace fontscan;
  if (size < 2 || size > 1024 * 1024 + 2) return 0;
  const std::int32_t symbol_size = ((data[0] << 8) | data[1]) % 8192 + 1;
  const std::string_view text(reinterpret_cast<const char*>(data) + 2, size - 2);

  Walked fast;
  RunWalk(fast, symbol_size, text, WalkFontText);
  CheckInvariants(fast, text);

  Walked plain;
  RunWalk(plain, symbol_size, text, PlainWalk);
  CheckSame(fast, plain);
  return 0;
}
