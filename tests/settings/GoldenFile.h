// The golden file: the observed results of the Windows profile functions on
// a set of cases, parsed into cases and operations.
#pragma once

#include <cstddef>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace pagelark::test {

// nullopt stands for a null pointer argument or an absent file.
using MaybeText = std::optional<std::string>;

struct GoldenOp {
  enum class Kind { kGet, kPut, kDump, kDumpAt, kDeleteAt, kReadOnly, kWritable };
  Kind kind = Kind::kGet;
  MaybeText section, key, text;  // text: the default of a get, the value of a put
  std::size_t size = 0;          // buffer size of a get
  int ret = 0;
  std::string buf;    // the first `ret` bytes a get left in the buffer
  MaybeText file;     // the file after a put, dump or dumpat
  std::string where;  // path of a dumpat or deleteat
  int number = 0;     // 1-based among the case's gets and puts; 0 for other kinds
};

struct GoldenCase {
  std::string name;
  MaybeText init;
  std::vector<GoldenOp> ops;
  MaybeText final;
};

// Failure messages name the case.
inline void PrintTo(const GoldenCase& goldenCase, std::ostream* out) { *out << goldenCase.name; }

// Parses the whole file; throws std::runtime_error on a line it cannot read.
std::vector<GoldenCase> ParseGoldenFile(const std::string& text);

}  // namespace pagelark::test
