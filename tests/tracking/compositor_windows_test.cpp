#include "tracking/compositor_windows.h"

#include <gtest/gtest.h>

#include <string>

#include "tracking/window_source.h"

namespace mascot {
namespace {

constexpr std::uint32_t kOwnPid = 4242;

TEST(CompositorReport, ReadsTheWindowsTopMostFirst) {
  CompositorReport report;
  ASSERT_TRUE(
      ParseCompositorReport("windows 1 1280 800\n"
                            "{a-1} 17 10 -20 300 200 sa - Text editor: notes.txt\n"
                            "42 18 0 0 1280 800 d -\n"
                            "7 0 5 5 10 10 m {a-1} \n",
                            report));
  EXPECT_EQ(report.screenWidth, 1280);
  EXPECT_EQ(report.screenHeight, 800);
  ASSERT_EQ(report.windows.size(), 3u);
  const ReportedWindow& top = report.windows[0];
  EXPECT_EQ(top.id, "{a-1}");
  EXPECT_EQ(top.pid, 17u);
  EXPECT_EQ(top.frame, (Rect{10, -20, 310, 180}));
  EXPECT_TRUE(top.shown && top.above && !top.minimised && !top.desktop);
  EXPECT_EQ(top.title, "Text editor: notes.txt");  // spaces and colons stay
  EXPECT_TRUE(report.windows[1].desktop);
  EXPECT_EQ(report.windows[1].title, "");
  EXPECT_EQ(report.windows[2].owner, "{a-1}");
  EXPECT_TRUE(report.windows[2].minimised && !report.windows[2].shown);
}

TEST(CompositorReport, RefusesWhatIsNotAReportAndKeepsTheLastOne) {
  CompositorReport report;
  ASSERT_TRUE(ParseCompositorReport("windows 1 800 600\nw 1 0 0 10 10 s - x", report));
  for (const char* text :
       {"", "windows 2 800 600\n", "windows 1 0 600\n", "window 1 800 600\n", "windows 1 800 600 extra\n",
        "windows 1 800 600\nw 1 0 0 10 10 s\n", "windows 1 800 600\nw 1 0 0 -10 10 s - x\n",
        "windows 1 800 600\nw 1 0 0 10 10 q - x\n", "windows 1 800 600\nw/x 1 0 0 10 10 s - x\n",
        "windows 1 800 600\nw 1 0 0 10 10 s  x\n", "windows 1 800 600\nw 99999999999 0 0 10 10 s - x\n",
        "windows 1 800 600\nw 1 0x10 0 10 10 s - x\n", "windows 1 800 600\n\n"}) {
    EXPECT_FALSE(ParseCompositorReport(text, report)) << text;
  }
  EXPECT_EQ(report.screenWidth, 800);
  ASSERT_EQ(report.windows.size(), 1u);

  const std::string longId(kMaxReportedIdLength + 1, 'a');
  EXPECT_FALSE(ParseCompositorReport("windows 1 8 8\n" + longId + " 1 0 0 1 1 s - x", report));
  std::string many = "windows 1 8 8\n";
  for (std::size_t i = 0; i <= kMaxReportedWindows; ++i) many += "w 1 0 0 1 1 s - x\n";
  EXPECT_FALSE(ParseCompositorReport(many, report));
}

TEST(CompositorReport, CutsLongTitlesBetweenCharacters) {
  CompositorReport report;
  std::string title(kMaxReportedTitleBytes - 1, 'x');
  title += "\xC3\xA9\xC3\xA9";  // the cap falls inside the first é
  ASSERT_TRUE(ParseCompositorReport("windows 1 8 8\nw 1 0 0 1 1 s - " + title, report));
  EXPECT_EQ(report.windows[0].title, std::string(kMaxReportedTitleBytes - 1, 'x'));
}

TEST(CompositorWindows, ListsOtherProgramsWindowsInXPixelsWithStableIds) {
  CompositorWindows windows(kOwnPid);
  std::vector<DesktopWindow> list;
  windows.list({0, 0, 1280, 800}, list);
  EXPECT_TRUE(list.empty());  // nothing reported yet

  ASSERT_TRUE(
      windows.take("windows 1 640 400\n"
                   "mascot 4242 10 10 20 20 sa -\n"
                   "dialog 17 100 50 50 40 s main Save\n"
                   "main 17 20 30 200 100 s - Editor\n"));
  // XWayland scaling X clients itself: its screen is twice the logical one.
  windows.list({0, 0, 1280, 800}, list);
  ASSERT_EQ(list.size(), 3u);  // the program's own window left out, the screen added
  EXPECT_EQ(list[0].frame, (Rect{200, 100, 300, 180}));
  EXPECT_EQ(list[0].owner, list[1].id);
  EXPECT_TRUE(list[1].hasTitle && list[1].visible);
  EXPECT_EQ(list[2].id, CompositorWindows::kScreen);
  EXPECT_TRUE(list[2].desktop);
  EXPECT_EQ(list[2].frame, (Rect{0, 0, 1280, 800}));
  EXPECT_EQ(windows.compositorId(list[1].id), "main");
  EXPECT_EQ(windows.title(list[1].id), "Editor");
  EXPECT_EQ(windows.compositorId(CompositorWindows::kScreen), "");

  // The same window keeps its number; a new one gets a new number, and a
  // closed one's number is not given again.
  const WindowId main = list[1].id, dialog = list[0].id;
  ASSERT_TRUE(windows.take("windows 1 640 400\nother 3 0 0 5 5 s -\nmain 17 20 30 200 100 m - Editor\n"));
  windows.list({0, 0, 640, 400}, list);
  ASSERT_EQ(list.size(), 3u);
  EXPECT_EQ(list[1].id, main);
  EXPECT_TRUE(list[1].minimised && !list[1].visible);
  EXPECT_NE(list[0].id, dialog);
  EXPECT_EQ(list[1].frame, (Rect{20, 30, 220, 130}));
  EXPECT_EQ(windows.compositorId(dialog), "");

  // A report that does not read leaves the last one.
  EXPECT_FALSE(windows.take("windows 1 640 400\nbroken"));
  windows.list({0, 0, 640, 400}, list);
  EXPECT_EQ(list.size(), 3u);
}

// A tiny logical screen makes a large ratio: far-off frames stay ordered
// rectangles instead of wrapping round.
TEST(CompositorWindows, FarOffFramesDoNotOverflowWhenScaled) {
  CompositorWindows windows(kOwnPid);
  ASSERT_TRUE(windows.take("windows 1 2 1\nw 1 10 -20 3000640 800 s -\n"));
  std::vector<DesktopWindow> list;
  windows.list({0, 0, 1920, 1080}, list);
  ASSERT_FALSE(list.empty());
  EXPECT_LE(list[0].frame.left, list[0].frame.right);
  EXPECT_LE(list[0].frame.top, list[0].frame.bottom);
  EXPECT_EQ(list[0].frame.left, 9600);
}

TEST(CompositorWindows, AReportedDesktopEndsTheListInsteadOfTheScreen) {
  CompositorWindows windows(kOwnPid);
  ASSERT_TRUE(windows.take("windows 1 100 100\nw 1 0 10 50 50 s -\nbg 2 0 0 100 100 sd - Desktop\n"));
  std::vector<DesktopWindow> list;
  windows.list({0, 0, 100, 100}, list);
  ASSERT_EQ(list.size(), 2u);
  EXPECT_TRUE(list[1].desktop);
  EXPECT_NE(list[1].id, CompositorWindows::kScreen);
}

TEST(WindowSource, KWinAndGnomeShellReportInTheirWaylandSessions) {
  EXPECT_EQ(ChooseWindowSource(true, "KDE"), WindowSource::kKWin);
  EXPECT_EQ(ChooseWindowSource(true, "ubuntu:GNOME"), WindowSource::kGnomeShell);
  EXPECT_EQ(ChooseWindowSource(true, "GNOME-Classic:GNOME"), WindowSource::kGnomeShell);
  EXPECT_EQ(ChooseWindowSource(true, "sway"), WindowSource::kX11);
  EXPECT_EQ(ChooseWindowSource(true, "KDEX:"), WindowSource::kX11);
  EXPECT_EQ(ChooseWindowSource(true, ""), WindowSource::kX11);
  EXPECT_EQ(ChooseWindowSource(false, "KDE"), WindowSource::kX11);  // Plasma on X11
}

TEST(WindowSource, GnomeShellLoadsTheExtensionUpTo44) {
  EXPECT_TRUE(GnomeShellLoadsExtension("43.9"));
  EXPECT_TRUE(GnomeShellLoadsExtension("44.beta"));
  EXPECT_TRUE(GnomeShellLoadsExtension("44"));
  EXPECT_FALSE(GnomeShellLoadsExtension("45.0"));
  EXPECT_FALSE(GnomeShellLoadsExtension("47.2"));
  EXPECT_TRUE(GnomeShellLoadsExtension(""));  // not told
  EXPECT_TRUE(GnomeShellLoadsExtension("unknown"));
}

TEST(WindowSource, TheNoticeSaysWhatTheSessionKeepsFromTheProgram) {
  EXPECT_EQ(NoticeFor(false, WindowSource::kX11, false), SessionNotice::kNone);
  EXPECT_EQ(NoticeFor(true, WindowSource::kX11, false), SessionNotice::kXWaylandOnly);
  EXPECT_EQ(NoticeFor(true, WindowSource::kKWin, true), SessionNotice::kNone);
  EXPECT_EQ(NoticeFor(true, WindowSource::kKWin, false), SessionNotice::kXWaylandOnly);
  EXPECT_EQ(NoticeFor(true, WindowSource::kGnomeShell, false), SessionNotice::kGnomeShellExtension);
  EXPECT_EQ(NoticeFor(true, WindowSource::kGnomeShell, true), SessionNotice::kNone);
}

}  // namespace
}  // namespace mascot
