// What the transfer tests share: the update module's configuration of the component, the
// Italian number format, a record of the component's events and a look at its window.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "TestFiles.h"
#include "TransferServer.h"
#include "common/FormatSettings.h"
#include "update/webcopy/WebCopy.h"

namespace quirel::webcopy::test {

using quirel::test::PatternBody;
using quirel::test::ScratchDir;
using quirel::test::Reply;
using quirel::test::TransferReply;
using quirel::test::TransferServer;

// The stored configuration and the settings of one download, as the update module makes them.
void UseUpdateConfiguration(TWebCopy& copy);

// The program's number format (decimal comma) while the object lives.
class ItalianNumbers {
 public:
  ItalianNumbers();
  ~ItalianNumbers();

 private:
  TFormatSettings saved_;
};

struct Block {
  int FileIdx;
  int64_t Size;
  int64_t Total;
};

// Every event as one line ("FileStart 0", "ErrorInfo 404 Returned http error code 404"),
// blocks apart; OnBlock runs inside OnCopyProgress, with the window updated.
struct EventLog {
  std::vector<std::wstring> Lines;
  std::vector<Block> Blocks;
  std::function<void(TWebCopy&, const Block&)> OnBlock;
  std::function<void(TWebCopy&)> OnDone;
  void Attach(TWebCopy& copy);
  bool Has(const std::wstring& line) const;
};

std::wstring WindowText(HWND window);
// A control's text in the progress window ("" without a window).
std::wstring ControlText(const TWebCopy& copy, int id);
int BarPosition(const TWebCopy& copy);
bool BarIsMarquee(const TWebCopy& copy);
// A button of the progress window found by its caption, as a user would look for it.
HWND FindButton(const TWebCopy& copy, const std::wstring& caption);
// Lets the thread's messages run long enough for the progress window to show the latest
// block, as it does at the display's pace (from an event handler: the block just reported).
void LetTheWindowCatchUp();

// A component with the update module's configuration and a recorder, a server and a folder.
class TransferTest : public testing::Test {
 protected:
  TransferTest() {
    UseUpdateConfiguration(copy_);
    log_.Attach(copy_);
  }
  TWebCopyItem& AddItem(const std::string& path, const std::wstring& targetFilename = L"");

  ItalianNumbers numbers_;
  TransferServer server_;
  ScratchDir dir_;
  TWebCopy copy_;
  EventLog log_;
};

}  // namespace quirel::webcopy::test
