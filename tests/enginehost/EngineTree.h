// Fixtures of the engine-host tests: an engine folder laid out in a scratch folder, the
// expected file lists written out independently of the code under test, and the current
// directory switched for one test.
#pragma once

#include <string>
#include <vector>

#include "TestFiles.h"

namespace quirel::test {

extern const std::vector<std::wstring> kDllFolderFiles;  // the 8 files, in checking order
extern const std::vector<std::wstring> kResourceFiles;   // the 5 always required
extern const std::vector<std::wstring> kAllLocales;      // the 53 names, without ".pak"

// A fixture library of the run folder, by file name ("enginehost_87_1_6_0.dll").
std::wstring FixturePath(const std::wstring& name);

// A scratch folder holding everything a complete engine folder needs, as empty files, with
// libcef.dll copied from a fixture library; locales in its sub-folder "locales".
class EngineTree {
 public:
  explicit EngineTree(const std::wstring& libCefFixture = L"enginehost_87_1_6_0.dll");
  EngineTree(const EngineTree&) = delete;
  EngineTree& operator=(const EngineTree&) = delete;

  const std::wstring& path() const { return dir_.path(); }  // with trailing backslash
  std::wstring folder() const { return path().substr(0, path().size() - 1); }
  std::wstring locales() const { return path() + L"locales"; }
  std::wstring operator/(const std::wstring& name) const { return path() + name; }
  void Remove(const std::wstring& name) const;

 private:
  ScratchDir dir_;
};

// Makes `folder` current until destroyed, then restores the former current directory.
class CurrentDirectory {
 public:
  explicit CurrentDirectory(const std::wstring& folder);
  ~CurrentDirectory();
  CurrentDirectory(const CurrentDirectory&) = delete;
  CurrentDirectory& operator=(const CurrentDirectory&) = delete;

 private:
  std::wstring saved_;
};

std::wstring CurrentDirectoryPath();

// The lines joined by CR LF, without a final line break.
std::wstring JoinLines(const std::vector<std::wstring>& lines);
// Each name preceded by `prefix`.
std::vector<std::wstring> Prefixed(const std::wstring& prefix,
                                   const std::vector<std::wstring>& names,
                                   const std::wstring& suffix = L"");

}  // namespace quirel::test
