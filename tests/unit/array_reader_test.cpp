// The C scan and the array reader over one table of texts: the arrays found (name, line and
// column of '{', listed elements), then the reading of one of them, faults with their places.

#include "reader/array_reader.h"

#include <gtest/gtest.h>

#include <ostream>
#include <sstream>
#include <string>

#include "reader/c_source.h"

namespace fontscan {
namespace {

struct Case {
  const char* name;
  const char* rules;  // "vps=2 skip=0 bits=8 max=4096 D=name=1 A=name", each optional
  std::string text;
  std::string expected;  // arrays " | " reading, as Describe writes them
};
void PrintTo(const Case& c, std::ostream* os) { *os << c.name; }

std::string At(std::string_view file, std::size_t offset) {
  const SourcePosition p = PositionAt(file, offset);
  return std::to_string(p.line) + ":" + std::to_string(p.column);
}

std::string Describe(const Case& c) {
  ArrayRules rules;
  rules.values_per_symbol = 2;
  std::string chosen;
  bool list_macros = false;  // the #define and #undef lines instead of a reading
  std::istringstream options(c.rules);
  for (std::string option; options >> option;) {
    const std::size_t eq = option.find('=');
    const std::string key = option.substr(0, eq), value = option.substr(eq + 1);
    if (key == "vps") rules.values_per_symbol = std::stoll(value);
    if (key == "skip") rules.skip_values = std::stoll(value);
    if (key == "bits") rules.value_bits = std::stoi(value);
    if (key == "max") rules.max_symbols = std::stoi(value);
    if (key == "A") chosen = value;
    if (key == "M") list_macros = true;
    if (key == "D") {
      const std::size_t eq2 = value.find('=');
      rules.defined.push_back({value.substr(0, eq2), std::stoull(value.substr(eq2 + 1))});
    }
  }
  const CSource source = ScanCSource(c.text);
  std::string out;
  for (const ArrayDeclaration& a : source.arrays) {
    out += a.name + "@" + At(c.text, a.open) + "=" + std::to_string(a.elements) + " ";
    EXPECT_EQ(a.closed, a.close < c.text.size());
    if (a.closed) {
      EXPECT_EQ(c.text[a.close], '}');
    }
  }
  if (list_macros) {
    for (const MacroLine& m : source.macros) {
      out += m.name +
             (!m.define ? "-"
              : m.value ? "=" + std::to_string(*m.value)
                        : "?") +
             "@" + At(c.text, m.offset) + " ";
    }
    return out;
  }
  const std::optional<std::size_t> index = chosen.empty() ? 0 : FindArrayNamed(source, chosen);
  if (source.arrays.empty() || !index) return out + "| none";
  const ArrayReading r = ReadArray(source, *index, rules);
  static const char* const kFaults[] = {"ok",     "not_a_number", "out_of_range", "count", "last",
                                        "deeper", "mixed",        "if",           "open",  "empty"};
  out += "| ";
  out += kFaults[static_cast<int>(r.fault)];
  if (r.fault != ArrayFault::kNone) out += "@" + At(c.text, r.fault_offset);
  if (r.fault == ArrayFault::kNotANumber || r.fault == ArrayFault::kOutOfRange) {
    out += " #" + std::to_string(r.value_number) + " '" + r.value_text + "'";
  }
  if (r.fault == ArrayFault::kSymbolCount || r.fault == ArrayFault::kLastSymbolCount) {
    out += " " + std::to_string(r.symbol_number) + "/" + std::to_string(r.values_held) + "/" +
           std::to_string(r.values_expected);
  }
  if (r.fault != ArrayFault::kNone) return out;
  out += " V=" + std::to_string(r.values_read) + " {";
  for (std::uint32_t v : r.values) out += std::to_string(v) + ",";
  out += "}";
  for (std::int64_t n : r.list_lengths) out += " " + std::to_string(n);
  if (r.too_many) out += " too_many@" + At(c.text, r.too_many_offset);
  return out;
}

class ArrayReaderTest : public ::testing::TestWithParam<Case> {};

TEST_P(ArrayReaderTest, ScanAndReading) { EXPECT_EQ(Describe(GetParam()), GetParam().expected); }

// The reading prefix "char f[]={" puts the '{' at column 10.
const Case kCases[] = {
    // Array forms and their names; what is not an array initializer.
    {"Plain", "", "const unsigned char font[] = {1,2};", "font@1:30=2 | ok V=2 {1,2,}"},
    {"Nested", "", "uint8_t f[2][2] PROGMEM = {{1,2},{3,4}};", "f@1:27=2 | ok V=4 {1,2,3,4,}"},
    {"StdArrayPastWords", "", "std::array<uint8_t, 2> g PROGMEM = {1,2};",
     "PROGMEM@1:36=2 | ok V=2 {1,2,}"},
    {"StdArrayBraces", "", "std::array<int,2> g{1,2}; std::array<int,1> h() {}",
     "g@1:20=2 | ok V=2 {1,2,}"},
    {"MacroName", "", "FONTDECL(myfont) = {1,2};", "myfont@1:20=2 | ok V=2 {1,2,}"},
    {"CxxBraces", "", "[[maybe_unused]] char f[1][2] PROGMEM {{1,2}};", "f@1:39=1 | ok V=2 {1,2,}"},
    {"BlocksAndOtherInitializers", "",
     "int x = {5, {6}}; struct S { int a[2]; };\nvoid g(char p[]) { static char in[] = {1,2}; }\n"
     "namespace n { int b[] {3,4}; }",
     "in@2:39=2 b@3:23=2 | ok V=2 {1,2,}"},
    {"OneDeclarationTwoInitializers", "A=b", "char a[] = {1}, b[] = {2}; int w[2], x = {5};",
     "a@1:12=1 a@1:23=1 w@1:42=1 | none"},
    {"NameWithoutCase", "A=FONT", "char a[]={1,2}; char Font[]={3,4}; char font[]={5,6};",
     "a@1:10=2 Font@1:29=2 font@1:48=2 | ok V=2 {3,4,}"},
    {"BracesInCommentsLiteralsDirectives", "",
     "/* { */ char s[] = \"{\"; // {\n#define X {\nchar f[] = {'}', '{'};",
     "f@3:12=2 | ok V=2 {125,123,}"},
    {"StringEndsAtLineEnd", "", "char f[]={1, \"}\n};", "f@1:10=2 | not_a_number@1:14 #2 '\"}'"},
    {"NotClosed", "", "int a;\nchar f[]={1,2", "f@2:10=2 | open@2:10"},
    {"NotClosedInGroup", "", "char f[]={\n#if 1\n1,2,", "f@1:10=2 | open@1:10"},
    // Listing counts: commas at the outer depth, less a trailing one; every group counts.
    {"ListingCounts", "A=e",
     "char e[]={}; char c[]={1,}; char d[]={,}; char g[]={1,,2}; char h[]={{1,2},{3},};\n"
     "char i[]={1,\n#if 0\n2,\n#else\n3,\n#endif\n};",
     "e@1:10=0 c@1:23=1 d@1:38=1 g@1:52=3 h@1:69=2 i@2:10=3 | empty@1:10"},
    // Splices: removed everywhere, places counted in the file.
    {"SpliceInNameAndNumber", "", "char f\\\n[] = {0x\\\r\n1F, 2,\\\n x};",
     "f@2:6=3 | not_a_number@4:2 #3 'x'"},
    {"SpliceRunsCommentOn", "", "// a \\\nchar g[]={1};\nchar f[]={1,2};",
     "f@3:10=2 | ok V=2 {1,2,}"},
    {"SpliceOnlyOnce", "", "// a\\\\\n\nchar f[]={1,2};", "f@3:10=2 | ok V=2 {1,2,}"},
    {"BlankAfterBackslash", "", "// a \\ \nchar f[]={1,2};", "f@2:10=2 | ok V=2 {1,2,}"},
    {"DirectiveAfterBom", "", "\xEF\xBB\xBF#define V 1\nchar f[]={\n#if V\n1,2\n#endif\n};",
     "f@2:10=2 | ok V=2 {1,2,}"},
    {"HashInsideLine", "", "char f[]={1, # 2};", "f@1:10=2 | not_a_number@1:14 #2 '# 2'"},
    // Number spellings, with their values.
    {"Numbers", "vps=0 bits=32",
     "char f[]={0, 7, 010, 0x1F, 0X1f, 0b101, 0B1, 1u, 2U, 3l, 4LL, 5ul, 6LLU, 7lu, 'A', '\\n',"
     " '\\x41', '\\101', '\\'', B101, B00000001, 0xFFFFFFFF};",
     "f@1:10=22 | ok V=22 {0,7,8,31,31,5,1,1,2,3,4,5,6,7,65,10,65,65,39,5,1,4294967295,}"},
    {"Octal08", "", "char f[]={08};", "f@1:10=1 | not_a_number@1:11 #1 '08'"},
    {"HexPrefixOnly", "", "char f[]={0x};", "f@1:10=1 | not_a_number@1:11 #1 '0x'"},
    {"BinaryBadDigit", "", "char f[]={0b12};", "f@1:10=1 | not_a_number@1:11 #1 '0b12'"},
    {"MixedCaseLong", "", "char f[]={1lL};", "f@1:10=1 | not_a_number@1:11 #1 '1lL'"},
    {"TwoU", "", "char f[]={1uu};", "f@1:10=1 | not_a_number@1:11 #1 '1uu'"},
    {"Fraction", "", "char f[]={1.0};", "f@1:10=1 | not_a_number@1:11 #1 '1.0'"},
    {"NineBinaryDigits", "", "char f[]={B000000001};",
     "f@1:10=1 | not_a_number@1:11 #1 'B000000001'"},
    {"NotBinaryName", "", "char f[]={B2};", "f@1:10=1 | not_a_number@1:11 #1 'B2'"},
    {"TwoBytesInQuotes", "", "char f[]={'ab'};", "f@1:10=1 | not_a_number@1:11 #1 ''ab''"},
    {"CastTokensJoined", "", "char f[]={ (char) /* c */ 1 };",
     "f@1:10=1 | not_a_number@1:12 #1 '( char ) 1'"},
    {"Negative", "", "char f[]={1,-1};", "f@1:10=2 | not_a_number@1:13 #2 '- 1'"},
    {"EmptyElement", "", "char f[]={1,,2};", "f@1:10=3 | not_a_number@1:13 #2 ''"},
    {"AboveByte", "", "char f[]={255,256};", "f@1:10=2 | out_of_range@1:15 #2 '256'"},
    {"OctalEscapeInFull", "", "char f[]={'\\777'};", "f@1:10=1 | out_of_range@1:11 #1 ''\\777''"},
    {"WordRange", "bits=16 vps=1", "char f[]={'\\777',0xFFFF,0x10000};",
     "f@1:10=3 | out_of_range@1:25 #3 '0x10000'"},
    {"PastEveryRangeCut", "", "char f[]={123456789012345678901234567890123456789012345};",
     "f@1:10=1 | out_of_range@1:11 #1 '1234567890123456789012345678901234567890'"},
    // Faults and their places, with every kind of line break.
    {"NotANumberLf", "", "char f[]={\n1,\n x};", "f@1:10=2 | not_a_number@3:2 #2 'x'"},
    {"NotANumberCrLf", "", "char f[]={\r\n1,\r\n x};", "f@1:10=2 | not_a_number@3:2 #2 'x'"},
    {"NotANumberCr", "", "char f[]={\r1,\r x};", "f@1:10=2 | not_a_number@3:2 #2 'x'"},
    {"CountNested", "", "char f[]={{1,2},\r\n {3}};", "f@1:10=2 | count@2:2 2/1/2"},
    {"CountFlat", "vps=3", "char f[]={1,2,3,\n4,5};", "f@1:10=5 | last@2:1 2/2/3"},
    {"FewerThanOneSymbol", "vps=3", "char f[]={1};", "f@1:10=1 | last@1:11 1/1/3"},
    {"Deeper", "", "char f[]={{1,{2}}};", "f@1:10=1 | deeper@1:14"},
    {"ValueAfterLists", "", "char f[]={{1,2},3};", "f@1:10=2 | mixed@1:17"},
    {"ListAfterValue", "", "char f[]={1,{2}};", "f@1:10=2 | mixed@1:13"},
    {"BraceInValue", "", "char f[]={1 {2}};", "f@1:10=1 | mixed@1:13"},
    {"MissingComma", "", "char f[]={{1,2}{3,4}};", "f@1:10=1 | mixed@1:16"},
    {"EmptyAmongLists", "", "char f[]={{1,2},,{3,4}};", "f@1:10=3 | mixed@1:17"},
    {"Empty", "", "char f[]={ /* none */ };", "f@1:10=0 | empty@1:10"},
    {"AllSkipped", "skip=2", "char f[]={1,2};", "f@1:10=2 | empty@1:10"},
    {"SkippedJudged", "skip=1", "char f[]={x,1,2};", "f@1:10=3 | not_a_number@1:11 #1 'x'"},
    {"SkippedCounted", "skip=1", "char f[]={{9},{1,x}};", "f@1:10=2 | not_a_number@1:18 #3 'x'"},
    {"Skip", "skip=2", "char f[]={9,9,1,2};", "f@1:10=4 | ok V=4 {1,2,}"},
    // Without symbol rules: every value, the list lengths.
    {"NoRulesNested", "vps=0 skip=1", "char f[]={{9},{1,2},{3},};",
     "f@1:10=3 | ok V=4 {1,2,3,} 2 1"},
    {"NoRulesEmpty", "vps=0", "char f[]={};", "f@1:10=0 | empty@1:10"},
    // The symbol limit: the element that would begin one too many ends the reading unjudged.
    {"TooManyFlat", "max=2", "char f[]={1,2,3,4,\n x, y",
     "f@1:10=6 | ok V=4 {1,2,3,4,} too_many@2:2"},
    {"TooManyNested", "vps=1 max=2", "char f[]={{1},{2},{x}};",
     "f@1:10=3 | ok V=2 {1,2,} too_many@1:19"},
    {"LimitExactly", "max=2", "char f[]={1,2,3,4,};", "f@1:10=4 | ok V=4 {1,2,3,4,}"},
    // Conditional groups.
    {"GroupsTaken", "",
     "#define A 2\n#define E\n#define T yes\nchar f[]={\n#if A\n1,\n#elif X > 1\nx,\n#endif\n"
     "#ifdef E\n2,\n#endif\n#if !defined ( T )\ny\n#elif !!defined T\n3,\n#else\nz\n#endif\n"
     "#ifndef T\nw\n#elif 0\n#else // else\n4,\n#endif\n};",
     "f@4:10=5 | ok V=4 {1,2,3,4,}"},
    {"LastDefineBeforeArray", "",
     "#define X 1\nint g() {\n#undef X\n}\nchar f[]={\n#ifdef X\n1,2,\n#else\n3,4,\n#endif\n};\n"
     "#define X 1",
     "f@5:10=4 | ok V=2 {3,4,}"},
    {"DefinedNamesWin", "D=x=0", "#define X 1\nchar f[]={\n#if X\n1,2,\n#endif\n3,4};",
     "f@2:10=4 | ok V=2 {3,4,}"},
    {"MacroCase", "", "#define x 1\nchar f[]={\n#if X\n1,2,\n#endif\n3,4};",
     "f@2:10=4 | ok V=2 {3,4,}"},
    {"NoValue", "", "#define X (1)\nchar f[]={\n#if X\n#endif\n};", "f@2:10=0 | if@3:1"},
    {"NotDecimal", "", "char f[]={\n#if 0x1\n#endif\n};", "f@1:10=0 | if@2:1"},
    {"NotJudgedInSkipped", "", "char f[]={\n#if 0\n  #if X > 1\n  #elif\n  #endif\n#endif\n1,2};",
     "f@1:10=2 | ok V=2 {1,2,}"},
    {"ElseAfterElse", "", "char f[]={\n#if 0\n#else\n#else\n#endif\n};", "f@1:10=0 | if@4:1"},
    {"EndifAlone", "", "char f[]={1,2,\n  #endif\n};", "f@1:10=2 | if@2:3"},
    {"ElifdefSkipped", "", "char f[]={\n#if 0\n#elifdef X\n#endif\n};", "f@1:10=0 | if@3:1"},
    {"GroupOpenAtClose", "", "char f[]={1,\n#if 1\n#ifdef X\nx\n};", "f@1:10=2 | if@3:1"},
    {"CloseInSkippedGroup", "", "char f[]={1,2\n#if 0\n}\n#endif\n", "f@1:10=2 | if@2:1"},
    {"OuterClosesEarly", "", "char f[]={\n#if 0\n{\n#endif\n1,2}, 3};", "f@1:10=2 | if@4:1"},
    {"ListOpenAtClose", "", "char f[]={{1,2,\n#if 0\n}\n#endif\n};", "f@1:10=1 | if@4:1"},
    {"MacroLines", "M",
     "#define A\n  # define B 0x10 // c\n#undef A\nint a[] = {\n#define C(x) 1\n#define D 'a'\n"
     "};\n/* #define G */ #define E 99999999999999999999999\n#define H \\\n 3\n#define",
     "a@4:11=0 A=1@1:1 B=16@2:3 A-@3:1 C?@5:1 D?@6:1 H=3@9:1 "},
    {"SaturatedValueIsTrue", "D=a=5",
     "#define E 99999999999999999999999\nchar f[]={\n#if E\n#if A\n1,2,\n#endif\n#endif\n};",
     "f@2:10=2 | ok V=2 {1,2,}"},
    {"ElifAlone", "", "char f[]={\n#elif 1\n};", "f@1:10=0 | if@2:1"},
    {"ElifndefTaken", "", "char f[]={\n#if 1\n#elifndef X\n#endif\n};", "f@1:10=0 | if@3:1"},
    {"CommentBeforeWord", "", "char f[]={\n# /* c */ if 0\n1,2};", "f@1:10=2 | ok V=2 {1,2,}"},
    {"CommentCarriesDirective", "", "char f[]={\n#if 0 /* a\n b */\n1,2,\n#endif\n3,4};",
     "f@1:10=4 | ok V=2 {3,4,}"},
    {"GroupInsideValue", "", "char f[]={1\n#if 1\n2\n#endif\n};",
     "f@1:10=1 | not_a_number@1:11 #1 '1 2'"},
    {"SkippedTokensNoElement", "", "char f[]={1\n#if 0\nx\n#endif\n, 2};",
     "f@1:10=2 | ok V=2 {1,2,}"},
};

INSTANTIATE_TEST_SUITE_P(Texts, ArrayReaderTest, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace fontscan
