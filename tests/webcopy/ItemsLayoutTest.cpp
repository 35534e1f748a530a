// The item list and the progress window's layout in 96-DPI pixels.
#include <gtest/gtest.h>

#include "common/Errors.h"
#include "update/webcopy/ProgressLayout.h"
#include "update/webcopy/WebCopy.h"
#include "update/webcopy/WebCopyItems.h"

namespace quirel::webcopy {
namespace {

TEST(WebCopyItems, DefaultsOfANewItem) {
  TWebCopyItems items;
  const TWebCopyItem& item = items.Add();
  EXPECT_EQ(item.Protocol, wpHttp);
  EXPECT_TRUE(item.Active);
  EXPECT_FALSE(item.CopyNewerOnly);
  EXPECT_EQ(item.Authenticate, waNever);
  EXPECT_EQ(item.DisplayURL, L"");
  EXPECT_EQ(item.ExpectedSize, 0);
  EXPECT_FALSE(item.Success());
  EXPECT_FALSE(item.Cancelled());
}

TEST(WebCopyItems, ReferencesStayValidAndInsertShifts) {
  TWebCopyItems items;
  TWebCopyItem& first = items.Add();
  first.URL = L"first";
  for (int i = 0; i < 100; ++i) items.Add().URL = L"more";
  EXPECT_EQ(first.URL, L"first");
  EXPECT_EQ(&items[0], &first);

  items.Insert(0).URL = L"new first";
  items.Insert(items.Count()).URL = L"last";
  EXPECT_EQ(items.Count(), 103);
  EXPECT_EQ(items[0].URL, L"new first");
  EXPECT_EQ(&items[1], &first);
  EXPECT_EQ(items[102].URL, L"last");
  EXPECT_THROW(items.Insert(-1), Exception);
  EXPECT_THROW(items.Insert(items.Count() + 1), Exception);
  EXPECT_THROW(items.GetItem(items.Count()), Exception);
  EXPECT_THROW(items[-1], Exception);

  items.Clear();
  EXPECT_EQ(items.Count(), 0);
}

TEST(WebCopyItems, SetItemCopiesAndCopiesAreDeep) {
  TWebCopyItems items;
  items.Add().URL = L"a";
  TWebCopyItem replacement;
  replacement.URL = L"b";
  replacement.Active = false;
  items.SetItem(0, replacement);
  EXPECT_EQ(items[0].URL, L"b");
  EXPECT_FALSE(items[0].Active);

  TWebCopyItems copy = items;
  copy[0].URL = L"changed";
  EXPECT_EQ(items[0].URL, L"b");
}

TEST(WebCopyItems, CountsActiveItems) {
  TWebCopyItems items;
  items.Add();
  items.Add().Active = false;
  items.Add();
  EXPECT_EQ(items.Count(), 3);
  EXPECT_EQ(items.CountActive(), 2);
  EXPECT_EQ(items.CountSuccess(), 0);
}

TEST(NeedsInternetHandle, OnlyForActiveItemsThatAreNotFileCopies) {
  auto list = [](std::initializer_list<std::pair<TWebCopyProtocol, bool>> kinds) {
    TWebCopyItems items;
    for (auto [protocol, active] : kinds) {
      TWebCopyItem& item = items.Add();
      item.Protocol = protocol;
      item.Active = active;
    }
    return items;
  };
  EXPECT_FALSE(NeedsInternetHandle(list({})));
  EXPECT_FALSE(NeedsInternetHandle(list({{wpFile, true}})));
  EXPECT_FALSE(NeedsInternetHandle(list({{wpHttp, false}, {wpFile, true}})));
  EXPECT_TRUE(NeedsInternetHandle(list({{wpHttp, true}})));
  EXPECT_TRUE(NeedsInternetHandle(list({{wpFile, true}, {wpFtp, true}})));
  EXPECT_TRUE(NeedsInternetHandle(list({{wpFtpTest, true}})));
}

TEST(WebCopy, DefaultsOfTheComponent) {
  TWebCopy c;
  EXPECT_EQ(c.Agent, L"WebCopy");
  EXPECT_EQ(c.Timeout, 0);
  EXPECT_EQ(c.StallTimeout, 0);
  EXPECT_TRUE(c.ShowDialog);
  EXPECT_TRUE(c.ShowDialogOnTop);
  EXPECT_FALSE(c.AlwaysOnTop);
  EXPECT_TRUE(c.ShowFileName);
  EXPECT_TRUE(c.ShowServer);
  EXPECT_FALSE(c.ShowCompletion);
  EXPECT_FALSE(c.ShowTime);
  EXPECT_FALSE(c.ShowElapsedTime);
  EXPECT_FALSE(c.ShowOpenFile);
  EXPECT_FALSE(c.ShowOpenFolder);
  EXPECT_TRUE(c.DlgShowCancel);
  EXPECT_FALSE(c.DlgShowCloseBtn);
  EXPECT_FALSE(c.CreateUniqueFilenames);
  EXPECT_FALSE(c.AutoURLDecode);
  EXPECT_FALSE(c.HTTPKeepAliveAuthentication);
  EXPECT_EQ(c.DlgCaption, L"Downloading");
  EXPECT_EQ(c.DlgDwnload, L"Downloading");
  EXPECT_EQ(c.DlgUpload, L"Uploading");
  EXPECT_EQ(c.DlgCopying, L"Copying");
  EXPECT_EQ(c.DlgCompleted, L"completed");
  EXPECT_EQ(c.DlgFileLabel, L"File :");
  EXPECT_EQ(c.DlgFileOfLabel, L"of");
  EXPECT_EQ(c.DlgFromServerLabel, L"from");
  EXPECT_EQ(c.DlgToServerLabel, L"to");
  EXPECT_EQ(c.DlgProgressLabel, L"Progress :");
  EXPECT_EQ(c.DlgRateLabel, L"Transfer rate :");
  EXPECT_EQ(c.DlgTimeLabel, L"Estimated time left :");
  EXPECT_EQ(c.DlgElapsedTimeLabel, L"Elapsed time :");
  EXPECT_EQ(c.DlgTimeSec, L"sec");
  EXPECT_EQ(c.DlgTimeMin, L"minutes");
  EXPECT_EQ(c.DlgCancel, L"Cancel");
  EXPECT_EQ(c.DlgClose, L"Close");
  EXPECT_EQ(c.DlgOpenFile, L"Open file");
  EXPECT_EQ(c.DlgOpenFolder, L"Open folder");
  EXPECT_EQ(c.ProgressForm(), nullptr);
}

TEST(LayoutProgressForm, TheUpdateModulesWindow) {
  const TProgressLayout l = LayoutProgressForm({});
  EXPECT_EQ(l.Width, 300);
  EXPECT_EQ(l.BodyHeight, 188);
  EXPECT_EQ(l.Anim, (TControlRect{10, 0, 272, 60}));
  EXPECT_EQ(l.Progress, (TControlRect{10, 60, 280, 12}));
  EXPECT_EQ(l.FileLbl, (TControlRect{10, 80, 280, kLabelHeight}));
  EXPECT_EQ(l.SizeLbl.Top, 100);
  EXPECT_EQ(l.RateLbl.Top, 120);
  EXPECT_EQ(l.TimeLbl.Top, 140);
  EXPECT_EQ(l.ElapsedTimeLbl.Top, 160);
  EXPECT_EQ(l.CancelBtn, (TControlRect{215, 140, 75, 25}));
}

TEST(LayoutProgressForm, RowsAndButtonsFollowTheShownLines) {
  const struct {
    TProgressLayoutOptions options;
    int bodyHeight, sizeTop, rateTop, timeTop, elapsedTop, buttonTop, folderLeft, fileLeft;
  } cases[] = {
      {{false, false, false, true, false, false}, 188, 80, 100, 120, 140, 120, 130, 130},
      {{true, true, false, true, false, false}, 208, 100, 120, 140, 160, 160, 130, 130},
      {{true, false, true, true, false, false}, 208, 100, 120, 140, 160, 160, 130, 130},
      {{true, true, true, true, false, false}, 228, 100, 120, 140, 160, 180, 130, 130},
      {{false, true, true, true, false, false}, 228, 80, 100, 120, 140, 160, 130, 130},
      {{true, false, false, false, false, false}, 168, 100, 120, 140, 160, 140, 130, 130},
      {{true, false, false, true, true, false}, 188, 100, 120, 140, 160, 140, 130, 130},
      {{true, false, false, true, false, true}, 188, 100, 120, 140, 160, 140, 130, 45},
      {{true, false, false, true, true, true}, 188, 100, 120, 140, 160, 140, 130, 45},
  };
  for (const auto& c : cases) {
    const TProgressLayout l = LayoutProgressForm(c.options);
    SCOPED_TRACE(testing::Message() << "file " << c.options.ShowFileName << " time " << c.options.ShowTime
                                    << " elapsed " << c.options.ShowElapsedTime << " cancel " << c.options.ShowCancel
                                    << " open " << c.options.ShowOpenFile << c.options.ShowOpenFolder);
    EXPECT_EQ(l.BodyHeight, c.bodyHeight);
    EXPECT_EQ(l.SizeLbl.Top, c.sizeTop);
    EXPECT_EQ(l.RateLbl.Top, c.rateTop);
    EXPECT_EQ(l.TimeLbl.Top, c.timeTop);
    EXPECT_EQ(l.ElapsedTimeLbl.Top, c.elapsedTop);
    EXPECT_EQ(l.CancelBtn.Top, c.buttonTop);
    EXPECT_EQ(l.ShowFolderBtn.Top, c.buttonTop);
    EXPECT_EQ(l.ShowFileBtn.Top, c.buttonTop);
    EXPECT_EQ(l.CancelBtn.Left, 215);
    EXPECT_EQ(l.ShowFolderBtn.Left, c.folderLeft);
    EXPECT_EQ(l.ShowFileBtn.Left, c.fileLeft);
  }
}

}  // namespace
}  // namespace quirel::webcopy
