#include "common/Errors.h"

#include <windows.h>

#include <gtest/gtest.h>
#include <stdexcept>

namespace quirel {
namespace {

TEST(Errors, MessageInBothEncodings) {
  const Exception e(L"Errore: citt\u00E0");
  EXPECT_EQ(e.Message(), L"Errore: citt\u00E0");
  EXPECT_STREQ(e.what(), "Errore: citt\xC3\xA0");
  EXPECT_EQ(ExceptionMessage(e), L"Errore: citt\u00E0");
  EXPECT_EQ(ExceptionMessage(std::runtime_error("caf\xC3\xA8")), L"caf\u00E8");
}

TEST(Errors, SystemMessageWithoutTrailingBreakOrFullStop) {
  const std::wstring text = SysErrorMessage(ERROR_FILE_NOT_FOUND);
  ASSERT_FALSE(text.empty());
  EXPECT_NE(text.back(), L'\n');
  EXPECT_NE(text.back(), L'.');
  EXPECT_NE(text.back(), L' ');
}

TEST(Errors, FileErrorsNameTheFileAndTheSystemText) {
  const EFOpenError open(L"c:\\x.txt", ERROR_SHARING_VIOLATION);
  EXPECT_EQ(open.Message(), L"Cannot open file \"c:\\x.txt\". " + SysErrorMessage(ERROR_SHARING_VIOLATION));
  EXPECT_EQ(open.ErrorCode(), static_cast<uint32_t>(ERROR_SHARING_VIOLATION));
  const EFCreateError create(L"c:\\x.txt", ERROR_ACCESS_DENIED);
  EXPECT_EQ(create.Message(), L"Cannot create file \"c:\\x.txt\". " + SysErrorMessage(ERROR_ACCESS_DENIED));
  const EOSError& base = create;
  EXPECT_EQ(base.ErrorCode(), static_cast<uint32_t>(ERROR_ACCESS_DENIED));
}

TEST(Errors, RaiseLastOSErrorCarriesTheCodeAndItsText) {
  SetLastError(ERROR_ACCESS_DENIED);
  try {
    RaiseLastOSError();
    ADD_FAILURE() << "no error raised";
  } catch (const EOSError& e) {
    EXPECT_EQ(e.ErrorCode(), static_cast<uint32_t>(ERROR_ACCESS_DENIED));
    EXPECT_EQ(e.Message(), L"System Error.  Code: 5.\r\n" + SysErrorMessage(ERROR_ACCESS_DENIED));
  }
  EXPECT_THROW(RaiseLastOSError(ERROR_FILE_NOT_FOUND), EOSError);
}

}  // namespace
}  // namespace quirel
