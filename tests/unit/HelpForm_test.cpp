// The help viewer against a fake HTML view, and the about box's timer.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "help/FFAbout.h"
#include "help/FFHelp.h"
#include "panel/data.h"
#include "support/FakePlatform.h"

namespace korvi {
namespace {

// Records what the viewer asks of its view; reports command states like the
// WebBrowser control when told to.
class FakeHtmlView : public HtmlView {
 public:
  void Navigate(const std::string& url) override { Calls.push_back("navigate " + url); }
  void GoBack() override { Calls.push_back("back"); }
  void GoForward() override { Calls.push_back("forward"); }
  std::vector<std::string> Calls;
};

class FakeHelpHost : public HelpFormHost {
 public:
  void SetTitle(const std::string& t) override { Title = t; }
  void SetStatus(const std::string& t) override { Status = t; }
  void ShowForm() override { ++Shows, Visible = true; }
  void HideForm() override { Visible = false; }
  bool ChooseFile(std::string& path) override {
    if (Choice.empty()) return false;
    path = Choice;
    return true;
  }
  std::string Title = THelpForm::kInitialTitle, Status, Choice;
  int Shows = 0;
  bool Visible = false;
};

class HelpForm : public ::testing::Test {
 protected:
  HelpForm() {
    data.SetProgramDir("C:\\Program Files\\Korvi8\\");
    form.AttachHost(&host);
    form.AttachView(&view);
    form.FormCreate();
  }
  test::FakeFileSystem files;
  SharedState data;
  FakeHtmlView view;
  FakeHelpHost host;
  THelpForm form{files};
};

TEST_F(HelpForm, FirstHelpLoadsTheLowerCasePathAndLaterOnesOnlyShow) {
  ASSERT_EQ(data.HelpPath, "c:\\program files\\korvi8\\korvi8.html");
  files.Files[data.HelpPath] = "<html></html>";
  form.ShowHelp(data);
  EXPECT_EQ(view.Calls, std::vector<std::string>{"navigate " + data.HelpPath}) << "the path goes to the view unchanged";
  EXPECT_EQ(host.Title, data.HelpPath);
  EXPECT_EQ(form.CurrentFile, data.HelpPath);
  EXPECT_TRUE(data.HelpLoaded);
  EXPECT_TRUE(host.Visible);
  EXPECT_EQ(host.Status, "") << "nothing is reported when the file is there";

  form.miExitClick();
  EXPECT_FALSE(host.Visible) << "Exit only hides the window";
  form.ShowHelp(data);
  EXPECT_EQ(view.Calls.size(), 1u) << "a second Help does not load again";
  EXPECT_EQ(host.Shows, 2);
  EXPECT_TRUE(host.Visible);
}

TEST_F(HelpForm, MissingFileIsReportedAndStaysReportedAfterAGoodLoad) {
  form.ShowHelp(data);
  EXPECT_TRUE(view.Calls.empty()) << "the view keeps the page it shows";
  EXPECT_EQ(host.Status, "File Not Found: " + data.HelpPath);
  EXPECT_EQ(host.Title, data.HelpPath);
  EXPECT_EQ(form.CurrentFile, data.HelpPath) << "Reload retries the same name";
  EXPECT_TRUE(host.Visible);

  files.Files["C:\\Docs\\guide.htm"] = "x";
  host.Choice = "C:\\Docs\\guide.htm";
  form.miOpenClick();
  EXPECT_EQ(view.Calls, std::vector<std::string>{"navigate C:\\Docs\\guide.htm"});
  EXPECT_EQ(host.Title, "C:\\Docs\\guide.htm");
  EXPECT_EQ(host.Status, "File Not Found: " + data.HelpPath) << "only LoadFromFile of a missing file writes the status";

  // Reload goes back to the file last loaded, whatever page the view now shows.
  form.bReloadClick();
  EXPECT_EQ(view.Calls.back(), "navigate C:\\Docs\\guide.htm");
  files.Files.erase("C:\\Docs\\guide.htm");
  form.bReloadClick();
  EXPECT_EQ(host.Status, "File Not Found: C:\\Docs\\guide.htm");
}

TEST_F(HelpForm, OpenCancelledAndReloadBeforeAnyLoadChangeNothing) {
  form.miOpenClick();
  form.bReloadClick();
  EXPECT_TRUE(view.Calls.empty());
  EXPECT_EQ(host.Title, "HelpForm");
  EXPECT_EQ(form.CurrentFile, "");
}

TEST_F(HelpForm, BackAndForwardFollowTheViewsLastReport) {
  form.bBackClick();
  form.bForwardClick();
  EXPECT_TRUE(view.Calls.empty()) << "Back and Forward do nothing before the view allows them";

  struct Report {
    int32_t Command;
    bool Enable;
    bool Back, Forward;  // flags afterwards
  } reports[] = {
      {command_state::NavigateBack, true, true, false},
      {command_state::NavigateForward, true, true, true},
      {-1, false, true, true},  // other commands (the control's "update commands") are ignored
      {3, false, true, true},
      {command_state::NavigateBack, false, false, true},
      {command_state::NavigateForward, false, false, false},
  };
  for (const auto& r : reports) {
    form.Web1CommandStateChange(r.Command, r.Enable);
    EXPECT_EQ(form.CanGoBack, r.Back) << "after command " << r.Command << " " << r.Enable;
    EXPECT_EQ(form.CanGoForward, r.Forward) << "after command " << r.Command << " " << r.Enable;
  }
  form.Web1CommandStateChange(command_state::NavigateBack, true);
  form.bBackClick();
  form.bForwardClick();
  EXPECT_EQ(view.Calls, std::vector<std::string>{"back"});
}

class FakeAboutHost : public AboutHost {
 public:
  void ShowForm(bool activate) override {
    Visible = true;
    Activated = activate;
  }
  void HideForm() override { Visible = false; }
  void StartTimer(int32_t ms) override { Period = ms; }
  void StopTimer() override { Period = 0; }
  bool Visible = false, Activated = false;
  int32_t Period = 0;
};

TEST(AboutBox, ShowsAtTheSecondTickHidesAtTheSixthThenOnlyOnRequest) {
  TAboutBox box;
  FakeAboutHost host;
  box.AttachHost(&host);
  box.FormCreate();
  EXPECT_EQ(host.Period, 1000);
  // Visibility after ticks 1..6, with "About Korvi8" chosen just after tick 3 (already shown then).
  const bool expected[] = {false, true, true, true, true, false};
  for (int t = 1; t <= 6; ++t) {
    box.Timer1Timer();
    if (t == 2) {
      EXPECT_FALSE(host.Activated) << "the greeting leaves the focus where it is";
    }
    if (t == 3) box.ShowAbout();
    EXPECT_EQ(host.Visible, expected[t - 1]) << "after tick " << t;
  }
  EXPECT_EQ(host.Period, 0) << "the timer stops for good at the sixth tick";
  EXPECT_FALSE(box.TimerRunning());
  box.Timer1Timer();  // a tick queued before the stop
  EXPECT_EQ(box.Ticks, 6);

  box.ShowAbout();
  EXPECT_TRUE(host.Activated) << "shown on request, it takes the focus";
  box.Timer1Timer();
  EXPECT_TRUE(host.Visible) << "later it stays until OK";
  box.bOKClick();
  EXPECT_FALSE(host.Visible);
}

TEST(AboutBox, ShownByTheMenuBeforeTheSecondTickStillHidesAtTheSixth) {
  TAboutBox box;
  FakeAboutHost host;
  box.AttachHost(&host);
  box.FormCreate();
  box.ShowAbout();
  box.bOKClick();
  EXPECT_FALSE(host.Visible);
  for (int t = 0; t < 5; ++t) box.Timer1Timer();
  EXPECT_TRUE(host.Visible) << "the second tick shows it even after OK";
  box.Timer1Timer();
  EXPECT_FALSE(host.Visible);
}

}  // namespace
}  // namespace korvi
