// Names from URLs, target paths, credentials: the pure parts of a download.
#include <gtest/gtest.h>

#include "common/Encoding.h"
#include "update/webcopy/TransferNames.h"

namespace quirel::webcopy {
namespace {

TEST(UrlFileName, TextAfterTheLastSlashOrBackslash) {
  const struct {
    const wchar_t *url, *name;
  } cases[] = {
      {L"http://h/a/Setup_2.2.exe", L"Setup_2.2.exe"}, {L"http://h/a/", L""},
      {L"C:\\dir\\f.txt", L"f.txt"},                   {L"http://h/a\\b.bin", L"b.bin"},
      {L"noslash.exe", L"noslash.exe"},                {L"http://h/x.exe?v=2", L"x.exe?v=2"},
      {L"http://h/dl?f=a/b", L"b"},                    {L"", L""},
  };
  for (const auto& c : cases) EXPECT_EQ(UrlFileName(c.url), c.name) << c.url;
}

TEST(UrlServer, HostAndPortWithoutSchemeCredentialsOrPath) {
  const struct {
    const wchar_t *url, *server;
  } cases[] = {
      {L"http://127.0.0.1:8080/dl/a.exe", L"127.0.0.1:8080"},
      {L"https://aggiornamenti.quirel.it/a.exe", L"aggiornamenti.quirel.it"},
      {L"https://user:pw@host:444/a", L"host:444"},
      {L"http://host/path@x/file", L"host"},
      {L"http://user@host", L"host"},
      {L"host/file", L"host"},
      {L"http://host", L"host"},
  };
  for (const auto& c : cases) EXPECT_EQ(UrlServer(c.url), c.server) << c.url;
}

TEST(DecodeUrlFileName, DecodesEscapesButNeverPathCharacters) {
  const struct {
    std::wstring in, out;
  } cases[] = {
      {L"final%20name.bin", L"final name.bin"},
      {L"%41%42c", L"ABc"},
      {L"%C3%A8.txt", L"\u00E8.txt"},  // UTF-8
      {L"%E8.txt", AnsiToWide("\xE8.txt")},  // not UTF-8: the ANSI code page
      {L"..%5C..%5Cevil.exe", L"..%5C..%5Cevil.exe"},
      {L"a%2Fb", L"a%2Fb"},
      {L"c%3Aname", L"c%3Aname"},
      {L"a%2a%3F%22%3C%3E%7C%00%1F", L"a%2a%3F%22%3C%3E%7C%00%1F"},
      {L"%zz.txt", L"%zz.txt"},
      {L"100%", L"100%"},
      {L"50%2", L"50%2"},
      {L"plain+name.txt", L"plain+name.txt"},
      {L"\u00E8%20x", L"\u00E8 x"},
  };
  for (const auto& c : cases) EXPECT_EQ(DecodeUrlFileName(c.in), c.out) << WideToUtf8(c.in);
}

TEST(JoinTargetPath, AddsABackslashOnlyWhenNeeded) {
  EXPECT_EQ(JoinTargetPath(L"", L"a.exe"), L"a.exe");
  EXPECT_EQ(JoinTargetPath(L"C:\\d\\", L"a.exe"), L"C:\\d\\a.exe");
  EXPECT_EQ(JoinTargetPath(L"C:\\d", L"a.exe"), L"C:\\d\\a.exe");
  EXPECT_EQ(JoinTargetPath(L"C:\\d\\", L""), L"C:\\d\\");
}

TEST(NumberedFileName, NumberBeforeTheExtension) {
  EXPECT_EQ(NumberedFileName(L"C:\\d\\a.txt", 1), L"C:\\d\\a(1).txt");
  EXPECT_EQ(NumberedFileName(L"C:\\d\\a", 2), L"C:\\d\\a(2)");
  EXPECT_EQ(NumberedFileName(L"C:\\d.x\\a", 1), L"C:\\d.x\\a(1)");
  EXPECT_EQ(NumberedFileName(L"a.tar.gz", 12), L"a.tar(12).gz");
}

TEST(FolderOf, FolderWithoutTrailingBackslashRootsKept) {
  EXPECT_EQ(FolderOf(L"C:\\d\\e\\f.txt"), L"C:\\d\\e");
  EXPECT_EQ(FolderOf(L"C:\\f.txt"), L"C:\\");
  EXPECT_EQ(FolderOf(L"C:\\d\\"), L"C:\\d");
  EXPECT_EQ(FolderOf(L"f.txt"), L"");
  EXPECT_EQ(FolderOf(L"\\\\srv\\share\\f"), L"\\\\srv\\share");
}

TEST(Base64, StandardVectors) {
  const struct {
    std::string in;
    const char* out;
  } cases[] = {{"", ""},          {"f", "Zg=="},        {"fo", "Zm8="},
               {"foo", "Zm9v"},   {"foob", "Zm9vYg=="}, {"fooba", "Zm9vYmE="},
               {"foobar", "Zm9vYmFy"}, {"Aladdin:open sesame", "QWxhZGRpbjpvcGVuIHNlc2FtZQ=="},
               {std::string("\xff\xfe\x00", 3), "//4A"}};
  for (const auto& c : cases) EXPECT_EQ(Base64(c.in), c.out) << c.in;
}

TEST(RequestHeaders, CredentialsForServerAndProxy) {
  const std::wstring http = L"http://h/a", https = L"https://h/a";
  EXPECT_EQ(RequestHeaders(http, L"", L"", false, L"", L""), L"");
  EXPECT_EQ(RequestHeaders(http, L"user", L"pass", false, L"", L""), L"Authorization: Basic dXNlcjpwYXNz\r\n\r\n");
  EXPECT_EQ(RequestHeaders(http, L"user", L"", false, L"", L""), L"Authorization: Basic dXNlcjo=\r\n\r\n");
  EXPECT_EQ(RequestHeaders(http, L"", L"pass", false, L"", L""), L"Authorization: Basic OnBhc3M=\r\n\r\n");
  // UTF-8 before Base64
  EXPECT_EQ(RequestHeaders(http, L"\u00E8", L"x", false, L"", L""), L"Authorization: Basic w6g6eA==\r\n\r\n");
  EXPECT_EQ(RequestHeaders(http, L"", L"", true, L"pu", L"pp"), L"Proxy-Authorization: Basic cHU6cHA=\r\n\r\n");
  EXPECT_EQ(RequestHeaders(L"HTTP://h/a", L"", L"", true, L"pu", L"pp"), L"Proxy-Authorization: Basic cHU6cHA=\r\n\r\n");
  EXPECT_EQ(RequestHeaders(http, L"user", L"pass", true, L"pu", L"pp"),
            L"Authorization: Basic dXNlcjpwYXNz\r\nProxy-Authorization: Basic cHU6cHA=\r\n\r\n");
  // only both proxy credentials, only through a proxy, never into a tunnel to the server
  EXPECT_EQ(RequestHeaders(http, L"", L"", true, L"pu", L""), L"");
  EXPECT_EQ(RequestHeaders(http, L"", L"", false, L"pu", L"pp"), L"");
  EXPECT_EQ(RequestHeaders(https, L"", L"", true, L"pu", L"pp"), L"");
}

}  // namespace
}  // namespace quirel::webcopy
