// Everything one run knows, under one roof: created once at start, passed by reference to every
// step, never reset.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/defined_name.h"
#include "core/symbol_table.h"
#include "platform/memory.h"

namespace fontscan {

inline constexpr std::int32_t MAXSYMBOLSCOUNT = 4096;
inline constexpr std::int32_t kMaxParameters = 10;

// The bit that holds a symbol's top or left pixel, when the command line names one.
enum class BitOrder { kUnset, kLsb, kMsb };

// One command-line argument: its normalised form, which is compared, parsed and reported, and
// the argument as it was typed, which names the file on a case-sensitive file system.
struct Parameter {
  std::string text;
  std::string typed;
};

struct RunState {
  // Colour scheme and layout switches.
  std::int32_t CLBG = 0xE6E6E6;
  std::int32_t CLFG = 0x000000;
  std::int32_t CLDM = 0x00FF00;
  std::int32_t CLG5 = 0xCCFFFF;
  std::int32_t CLG10 = 0x99FFFF;
  bool VERTICALOUTPUT = false;
  bool NODELIMETER = false;
  bool FSHOWHELP = false;

  // The sheet: byte layout, first bit, scale, symbols per line, and what to do with an existing
  // output file.
  bool ROWBYTES = false;
  bool PAGEORDER = false;
  BitOrder FIRSTBIT = BitOrder::kUnset;
  std::int32_t SCALE = 1;
  std::int32_t PERLINE = 16;
  bool OVERWRITE = false;

  // Array mode: the font text read as C source, one flat or nested array of values.
  bool ARRAYREAD = false;
  std::string ARRAYNAME;  // as typed; empty when not given
  std::vector<DefinedName> DEFINEDNAMES;
  std::int32_t SKIPVALUES = 0;
  std::int32_t VALUEBITS = 8;
  bool FLATTEXT = false;
  bool FINDLAYOUTS = false;

  // Parser structure, filter and number flags.
  bool STOUT = true;
  bool STIN1 = false;
  bool STIN2 = false;
  bool STLINECOMMENT = false;
  bool STBLOCKCOMMENT = false;
  bool STCOMPILERDIRECTIVE = false;
  bool STNUM = false;
  bool STNUMSTART = false;
  bool STNUMEND = false;

  // Parameters, sorted.
  std::vector<Parameter> INPARAMS;
  std::int32_t INPARCOUNT = 0;

  // Components of the colour option read last.
  std::int32_t R = 0;
  std::int32_t G = 0;
  std::int32_t B = 0;

  // The font file and its dimensions.
  std::int32_t FONTWIDTH = 0;
  std::int32_t FONTHEIGHT = 0;
  std::int32_t SYMBOLHEIGHT = 0;
  std::int32_t SYMBOLSIZE = 0;
  std::string INFILENAME;
  std::string OUTFILENAME;
  bool INFILENAMEFOUND = false;
  bool SHEETINPUT = false;    // the input is a sheet to read back
  std::string in_file_path;   // INFILENAME as typed, for opening
  std::string out_file_stem;  // INFILENAME as typed without its extension, for writing

  // The reader's input, position, counters and results.
  platform::PageBuffer INFILEDATA;
  std::int32_t POSITION = 0;
  std::int32_t SYMBOLSCOUNT = 0;
  std::int32_t CURRENTBYTE = 0;
  std::int32_t COMMACOUNT = 0;
  std::int32_t BYTENUMBER = 0;
  std::string BYTEDATA;
  bool BYTEISHEX = false;
  bool CONTENTERROR = false;
  SymbolTable SYMBOLSDATA;
};

}  // namespace fontscan
