#include "WebCopyHarness.h"

#include <commctrl.h>

#include "MessagePump.h"

namespace quirel::webcopy::test {

void UseUpdateConfiguration(TWebCopy& copy) {
  copy.Agent = L"WebCopy";
  copy.DlgCancel = L"Annulla";
  copy.DlgCompleted = L"completato";
  copy.DlgFileLabel = L"File:";
  copy.DlgFromServerLabel = L"da";
  copy.DlgProgressLabel = L"Avanzamento:";
  copy.DlgFileOfLabel = L"di";
  copy.DlgRateLabel = L"Velocità di trasferimento:";
  copy.DlgTimeLabel = L"Tempo stimato alla fine:";
  copy.DlgElapsedTimeLabel = L"Rimane ancora:";
  copy.DlgTimeSec = L"sec";
  copy.DlgTimeMin = L"minuti";
  copy.DlgClose = L"Chiudi";
  copy.DlgOpenFile = L"Installa";
  copy.DlgOpenFolder = L"Apri cartella";
  copy.DlgToServerLabel = L"a";
  copy.DlgCopying = L"Copia";
  copy.DlgUpload = L"Caricamento";
  copy.ShowCompletion = true;
  copy.DlgCaption = L"Aggiornamento Quirel";
  copy.DlgDwnload = copy.DlgCaption + L" in corso ...";
  copy.ShowDialogOnTop = true;
  copy.ShowOpenFile = false;
  copy.ShowOpenFolder = false;
  copy.Timeout = 900;
}

ItalianNumbers::ItalianNumbers() : saved_(FormatSettings()) {
  FormatSettings().DecimalSeparator = L',';
  FormatSettings().ThousandSeparator = L'.';
}

ItalianNumbers::~ItalianNumbers() { FormatSettings() = saved_; }

void EventLog::Attach(TWebCopy& copy) {
  auto line = [this](std::wstring text) { Lines.push_back(std::move(text)); };
  copy.OnBeforeDialogShow = [line](TWebCopy&, TWebCopyProgressForm&) { line(L"BeforeDialogShow"); };
  copy.OnFileStart = [line](TWebCopy&, int i) { line(L"FileStart " + std::to_wstring(i)); };
  copy.OnFileDone = [line](TWebCopy&, int i) { line(L"FileDone " + std::to_wstring(i)); };
  copy.OnError = [line](TWebCopy&, int code) { line(L"Error " + std::to_wstring(code)); };
  copy.OnErrorInfo = [line](TWebCopy&, int code, const std::wstring& info) {
    line(L"ErrorInfo " + std::to_wstring(code) + L" " + info);
  };
  copy.OnURLNotFound = [line](TWebCopy&, const std::wstring& url) { line(L"URLNotFound " + url); };
  copy.OnCopyCancel = [line](TWebCopy&) { line(L"CopyCancel"); };
  copy.OnCopyOverWrite = [line](TWebCopy&, const std::wstring& file, bool&) { line(L"OverWrite " + file); };
  copy.OnCopyProgress = [this](TWebCopy& sender, int fileidx, int64_t size, int64_t total) {
    Blocks.push_back({fileidx, size, total});
    if (Lines.empty() || Lines.back() != L"Progress") Lines.push_back(L"Progress");
    if (OnBlock) OnBlock(sender, Blocks.back());
  };
  copy.OnCopyDone = [this](TWebCopy& sender) {
    Lines.push_back(L"CopyDone");
    if (OnDone) OnDone(sender);
  };
}

bool EventLog::Has(const std::wstring& line) const {
  for (const auto& l : Lines)
    if (l == line) return true;
  return false;
}

std::wstring WindowText(HWND window) {
  if (!window) return {};
  const int length = GetWindowTextLengthW(window);
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  text.resize(static_cast<size_t>(GetWindowTextW(window, text.data(), length + 1)));
  return text;
}

std::wstring ControlText(const TWebCopy& copy, int id) {
  TWebCopyProgressForm* form = copy.ProgressForm();
  return form ? WindowText(form->Control(id)) : std::wstring();
}

int BarPosition(const TWebCopy& copy) {
  TWebCopyProgressForm* form = copy.ProgressForm();
  return form ? static_cast<int>(SendMessageW(form->Control(idProgress), PBM_GETPOS, 0, 0)) : -1;
}

bool BarIsMarquee(const TWebCopy& copy) {
  TWebCopyProgressForm* form = copy.ProgressForm();
  return form && (GetWindowLongPtrW(form->Control(idProgress), GWL_STYLE) & PBS_MARQUEE);
}

HWND FindButton(const TWebCopy& copy, const std::wstring& caption) {
  TWebCopyProgressForm* form = copy.ProgressForm();
  return form ? FindWindowExW(form->Handle(), nullptr, L"Button", caption.c_str()) : nullptr;
}

void LetTheWindowCatchUp() { quirel::test::Pump(3 * TWebCopyProgressForm::kRefreshIntervalMs); }

TWebCopyItem& TransferTest::AddItem(const std::string& path, const std::wstring& targetFilename) {
  TWebCopyItem& item = copy_.Items.Add();
  item.URL = server_.Url(path);
  item.Protocol = wpHttp;
  item.TargetDir = dir_.path();
  item.TargetFilename = targetFilename;
  return item;
}

}  // namespace quirel::webcopy::test
