// The update prompt as the user meets it: the system's task dialog and the window of our own
// that stands in for it, driven from another thread by clicks and keys.
#include <gtest/gtest.h>

#include <windows.h>

#include <atomic>
#include <cstdlib>

#include "DialogDriver.h"
#include "WindowProbe.h"
#include "ui/kit/Application.h"
#include "ui/kit/Dpi.h"
#include "update/MessageForm.h"
#include "update/TaskDialog.h"

namespace quirel::update {
namespace {

using test::FindButton;
using test::WindowDriver;

const std::wstring kTitle = L"Aggiornamento Programma";
const std::wstring kInstruction = L"Abbiamo aggiornato Quirel e reso disponibile l'ultima versione.";
const std::wstring kUpdateNow = L"Aggiorna subito (consigliata)";
const std::wstring kLater = L"Rimanda ad un secondo momento";

// Lets a person look at (or photograph) the dialog before the test answers it.
void HoldForScreenshot() {
  if (const char* hold = std::getenv("QUIREL_TEST_HOLD_MS")) Sleep(std::atoi(hold));
}

void Click(HWND button) { PostMessageW(button, BM_CLICK, 0, 0); }

bool HasTextChild(HWND window, const std::wstring& text) {
  for (HWND child : test::ChildrenOfClass(window, L""))
    if (test::WindowText(child) == text) return true;
  return false;
}

class TaskDialogTest : public ::testing::TestWithParam<TNonNativeDialog> {
 protected:
  void SetUp() override {
    kit::CreateApplication();
    owner_ = kit::Application->CreateForm<kit::TForm>(L"Owner");
    owner_->Show();
    // The prompt as the update module configures it.
    dialog_.Title = kTitle;
    dialog_.Instruction = kInstruction;
    dialog_.CustomButtons = {kUpdateNow, kLater};
    dialog_.DefaultButton = 100;
    dialog_.Icon = TTaskDialogIcon::tiInformation;
    dialog_.Options = {TTaskDialogOption::doHyperlinks, TTaskDialogOption::doCommandLinks};
    dialog_.AutoClose = true;
    dialog_.AutoCloseTimeOut = 0;
    dialog_.DialogPosition = TTaskDialogPosition::dpOwnerFormCenter;
    dialog_.NonNativeDialog = GetParam();
    dialog_.NonNativeMinFormWidth = 450;
    dialog_.ModalParent = owner_->Handle();
  }
  void TearDown() override { kit::DestroyApplication(); }

  bool Fallback() const { return GetParam() == TNonNativeDialog::nndAlways; }

  kit::TForm* owner_ = nullptr;
  TAdvTaskDialog dialog_;
};

TEST_P(TaskDialogTest, AsksWithTwoCommandLinksAndNoWayToDismissIt) {
  ASSERT_EQ(dialog_.UsesFallback(), Fallback()) << "the platform offers no native task dialog";
  std::atomic<bool> ownerDisabled{false}, texts{false}, buttons{false}, focused{false};
  std::atomic<bool> closeBox{true};
  WindowDriver driver(kTitle, [&](HWND window) {
    HoldForScreenshot();
    ownerDisabled = !IsWindowEnabled(owner_->Handle());
    texts = HasTextChild(window, kInstruction);
    HWND now = FindButton(window, kUpdateNow), later = FindButton(window, kLater);
    buttons = now && later;
    focused = now && test::FocusOf(window) == now;
    closeBox = (GetWindowLongW(window, GWL_STYLE) & WS_SYSMENU) != 0;
    // Neither Escape nor a close request ends it, and it does not close by itself.
    test::PressKey(window, VK_ESCAPE);
    PostMessageW(window, WM_CLOSE, 0, 0);
    Sleep(1500);
    if (test::FindOwnWindow(kTitle) == window && later) Click(later);
  });
  const int result = dialog_.Execute();
  driver.Join();
  ASSERT_TRUE(driver.Seen());
  EXPECT_EQ(result, 101);
  EXPECT_TRUE(ownerDisabled);
  EXPECT_TRUE(IsWindowEnabled(owner_->Handle()));
  EXPECT_TRUE(texts);
  EXPECT_TRUE(buttons);
  EXPECT_TRUE(focused);
  // Wine's own task dialog keeps a close box that does nothing; Windows shows none.
  if (Fallback() || !test::RunningUnderWine()) {
    EXPECT_FALSE(closeBox);
  }
}

TEST_P(TaskDialogTest, EachButtonAnswersItsId) {
  for (const auto& [text, id] : {std::pair{kUpdateNow, 100}, std::pair{kLater, 101}}) {
    WindowDriver driver(kTitle, [&text](HWND window) {
      if (HWND button = FindButton(window, text)) Click(button);
    });
    EXPECT_EQ(dialog_.Execute(), id) << testing::PrintToString(text);
    driver.Join();
    EXPECT_TRUE(driver.Seen());
  }
}

TEST_P(TaskDialogTest, EnterChoosesTheDefaultButton) {
  WindowDriver driver(kTitle, [](HWND window) { test::PressKey(window, VK_RETURN); });
  EXPECT_EQ(dialog_.Execute(), 100);
  driver.Join();
  EXPECT_TRUE(driver.Seen());
}

TEST_P(TaskDialogTest, ATimeOutClosesItWithTheDefaultButton) {
  dialog_.AutoCloseTimeOut = 600;
  WindowDriver driver(kTitle, [](HWND) {});
  const ULONGLONG start = GetTickCount64();
  EXPECT_EQ(dialog_.Execute(), 100);
  EXPECT_GE(GetTickCount64() - start, 600u);
  driver.Join();
}

INSTANTIATE_TEST_SUITE_P(Kinds, TaskDialogTest,
                         ::testing::Values(TNonNativeDialog::nndAuto, TNonNativeDialog::nndAlways),
                         [](const auto& info) {
                           return info.param == TNonNativeDialog::nndAuto ? "Native" : "OwnWindow";
                         });

TEST(OwnTaskWindow, AtLeastTheMinimumWidthAndCentredOnTheOwner) {
  kit::CreateApplication();
  kit::TForm* owner = kit::Application->CreateForm<kit::TForm>(L"Owner");
  SetWindowPos(owner->Handle(), nullptr, 100, 80, 900, 700, SWP_NOZORDER);
  owner->Show();
  TAdvTaskDialog dialog;
  dialog.Title = kTitle;
  dialog.Instruction = kInstruction;
  dialog.CustomButtons = {kUpdateNow, kLater};
  dialog.DefaultButton = 100;
  dialog.Options = {TTaskDialogOption::doCommandLinks};
  dialog.NonNativeDialog = TNonNativeDialog::nndAlways;
  dialog.NonNativeMinFormWidth = 450;
  dialog.ModalParent = owner->Handle();
  RECT box{}, client{};
  std::wstring className;
  WindowDriver driver(kTitle, [&](HWND window) {
    GetWindowRect(window, &box);
    GetClientRect(window, &client);
    className = test::ClassName(window);
    if (HWND later = FindButton(window, kLater)) Click(later);
  });
  EXPECT_EQ(dialog.Execute(), 101);
  driver.Join();
  ASSERT_TRUE(driver.Seen());
  EXPECT_EQ(className, TAdvMessageForm::kWindowClass);
  EXPECT_GE(client.right - client.left, kit::Scale(450, kit::WindowDpi(owner->Handle())));
  RECT ownerBox{};
  GetWindowRect(owner->Handle(), &ownerBox);
  EXPECT_NEAR((box.left + box.right) / 2, (ownerBox.left + ownerBox.right) / 2, 1);
  EXPECT_NEAR((box.top + box.bottom) / 2, (ownerBox.top + ownerBox.bottom) / 2, 1);
  kit::DestroyApplication();
}

}  // namespace
}  // namespace quirel::update
