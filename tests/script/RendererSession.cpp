#include "RendererSession.h"

#include <gtest/gtest.h>

#include "standin/script/MessageJson.h"

namespace script_test {
namespace {

using quirel::standin::Subprocess;

std::wstring RunFolderPath(const std::wstring& name) {
  wchar_t path[MAX_PATH];
  const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring folder(path, length);
  return folder.substr(0, folder.find_last_of(L'\\') + 1) + name;
}

// A first Wine process can be slow to start.
constexpr DWORD kStartTimeoutMs = 60000;
constexpr DWORD kPageTimeoutMs = 20000;

}  // namespace

RendererSession::RendererSession(const std::wstring& executable) {
  SetEnvironmentVariableW(L"QUIREL_STANDIN_TRACE", trace_.path().c_str());
  const std::wstring path =
      executable.find(L'\\') == std::wstring::npos ? RunFolderPath(executable) : executable;
  child_ = Subprocess::Start(path, L"--type=renderer");
  SetEnvironmentVariableW(L"QUIREL_STANDIN_TRACE", nullptr);
  EXPECT_TRUE(child_) << "the renderer host did not start";
  if (child_) ready_ = child_->WaitUntilReady(kStartTimeoutMs);
  EXPECT_TRUE(ready_) << "the renderer did not say ready";
}

RendererSession::~RendererSession() = default;

std::vector<RendererMessage> RendererSession::Show(int browser, const std::wstring& url,
                                                   const std::vector<std::wstring>& scripts,
                                                   const std::wstring& title) {
  std::vector<RendererMessage> messages;
  if (!ready_) return messages;
  quirel::standin::PageMessage page;
  page.browser = browser;
  page.url = url;
  page.title = title;
  page.scripts = scripts;
  EXPECT_TRUE(child_->Send(quirel::standin::EncodePage(page)));
  for (;;) {
    const std::optional<std::string> text = child_->Receive(kPageTimeoutMs);
    if (!text) {
      ADD_FAILURE() << "no \"done\" for " << Narrow(url);
      return messages;
    }
    const std::optional<RendererMessage> message = quirel::standin::ParseRendererMessage(*text);
    EXPECT_TRUE(message) << "not a renderer message: " << *text;
    if (!message) continue;
    messages.push_back(*message);
    if (message->type == RendererMessage::Type::kDone && message->browser == browser)
      return messages;
  }
}

std::vector<RendererMessage> RendererSession::Collect(size_t count, DWORD timeout_ms) {
  std::vector<RendererMessage> messages;
  const ULONGLONG deadline = GetTickCount64() + timeout_ms;
  while (messages.size() < count && ready_) {
    const ULONGLONG now = GetTickCount64();
    if (now >= deadline) break;
    const std::optional<std::string> text = child_->Receive(static_cast<DWORD>(deadline - now));
    if (!text) break;
    if (auto message = quirel::standin::ParseRendererMessage(*text)) messages.push_back(*message);
  }
  return messages;
}

std::optional<DWORD> RendererSession::End() {
  if (!child_) return std::nullopt;
  child_->End();
  return child_->WaitForExit(20000);
}

bool RendererSession::alive() { return child_ && !child_->WaitForExit(0); }

std::vector<standin_test::Json> RendererSession::Trace() const {
  return standin_test::OfProcess(trace_.Read(), pid());
}

std::vector<std::wstring> Logs(const std::vector<RendererMessage>& messages) {
  std::vector<std::wstring> logs;
  for (const RendererMessage& m : messages)
    if (m.type == RendererMessage::Type::kLog) logs.push_back(m.level + L":" + m.text);
  return logs;
}

std::vector<RendererMessage> OfType(const std::vector<RendererMessage>& messages,
                                    RendererMessage::Type type) {
  std::vector<RendererMessage> found;
  for (const RendererMessage& m : messages)
    if (m.type == type) found.push_back(m);
  return found;
}

std::string Narrow(const std::wstring& text) { return quirel::standin::message_json::ToUtf8(text); }

}  // namespace script_test

namespace quirel::standin {
// Readable failures.
void PrintTo(const RendererMessage& m, std::ostream* out) { *out << Encode(m); }
}  // namespace quirel::standin
