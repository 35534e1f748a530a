// Reading the stand-in engine's trace file (format: standin/README.md).
#pragma once

#include <string>
#include <vector>

#include "Json.h"

namespace standin_test {

// A trace file of its own in the temporary folder, removed afterwards.
class TraceFile {
 public:
  TraceFile();
  TraceFile(const TraceFile&) = delete;
  TraceFile& operator=(const TraceFile&) = delete;
  ~TraceFile();

  const std::wstring& path() const { return path_; }
  // Every line, parsed; a line that is not a well-formed trace line fails
  // the test and is left out.
  std::vector<Json> Read() const;

 private:
  std::wstring path_;
};

std::vector<Json> OfProcess(const std::vector<Json>& lines, long long pid);
std::vector<Json> Named(const std::vector<Json>& lines, const std::string& name);
// Position of the first line with that name, or -1.
int IndexOf(const std::vector<Json>& lines, const std::string& name);
// Names of the lines of one kind ("call", "callback", "event"), in order.
std::vector<std::string> NamesOfKind(const std::vector<Json>& lines, const std::string& kind);

}  // namespace standin_test
