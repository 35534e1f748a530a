#include "Trace.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace standin_test {

TraceFile::TraceFile() {
  static std::atomic<int> counter{0};
  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  path_ = std::wstring(temp) + L"standin-trace-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
          std::to_wstring(++counter) + L".jsonl";
  DeleteFileW(path_.c_str());
}

TraceFile::~TraceFile() { DeleteFileW(path_.c_str()); }

std::vector<Json> TraceFile::Read() const {
  std::vector<Json> lines;
  std::ifstream in(std::filesystem::path(path_), std::ios::binary);
  std::string text;
  while (std::getline(in, text)) {
    auto line = ParseJson(text);
    const bool well_formed =
        line && (*line)["seq"].type == Json::Type::kNumber &&
        (*line)["pid"].type == Json::Type::kNumber && (*line)["tid"].type == Json::Type::kNumber &&
        (*line)["thread"].type == Json::Type::kString &&
        (*line)["process"].type == Json::Type::kString &&
        (*line)["kind"].type == Json::Type::kString &&
        (*line)["name"].type == Json::Type::kString && (*line)["args"].type == Json::Type::kObject;
    EXPECT_TRUE(well_formed) << "trace line: " << text;
    if (well_formed) lines.push_back(std::move(*line));
  }
  return lines;
}

std::vector<Json> OfProcess(const std::vector<Json>& lines, long long pid) {
  std::vector<Json> result;
  for (const Json& line : lines) {
    if (line["pid"].Int() == pid) result.push_back(line);
  }
  return result;
}

std::vector<Json> Named(const std::vector<Json>& lines, const std::string& name) {
  std::vector<Json> result;
  for (const Json& line : lines) {
    if (line["name"].string == name) result.push_back(line);
  }
  return result;
}

int IndexOf(const std::vector<Json>& lines, const std::string& name) {
  for (size_t i = 0; i < lines.size(); ++i) {
    if (lines[i]["name"].string == name) return static_cast<int>(i);
  }
  return -1;
}

std::vector<std::string> NamesOfKind(const std::vector<Json>& lines, const std::string& kind) {
  std::vector<std::string> names;
  for (const Json& line : lines) {
    if (line["kind"].string == kind) names.push_back(line["name"].string);
  }
  return names;
}

}  // namespace standin_test
