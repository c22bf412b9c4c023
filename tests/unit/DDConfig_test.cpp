// "Button Setup": what it shows for a selection, what each edit marks, and exactly what
// a save writes into the live buttons.
#include <gtest/gtest.h>

#include <array>
#include <memory>

#include "buttons/DDConfig.h"
#include "support/FakeDialogs.h"

namespace korvi {
namespace {

using C = ConfigControl;
using M = ConfigMark;
constexpr TColor kMaroon = 0x000080;

class ConfigDialogTest : public ::testing::Test {
 protected:
  ConfigDialogTest() : config([this](int32_t n) -> TExeButton& { return *buttons[n - 1]; }, &pictures, images) {
    for (int i = 0; i < kButtonCount; ++i) {
      buttons[i] = std::make_unique<TExeButton>();
      TExeButton& b = *buttons[i];
      b.Tag = i + 1;
      b.Enabled = b.Visible = false;
      if (i < 10) {  // desktop selectors, four in use
        b.IData = i + 1;
        b.GroupIndex = 1001;
        b.Enabled = b.Visible = i < 4;
      }
    }
    images.AttachHost(&imageHost);
    config.AttachHost(&host);
    config.FormCreate();
  }
  TExeButton& B(int n) { return *buttons[n - 1]; }
  TExeButton& Launcher(int n, const std::string& caption) {
    TExeButton& b = B(n);
    b.Enabled = b.Visible = true;
    b.Caption = caption;
    b.Left = 10 * n;
    b.Top = 5;
    b.Width = 60;
    b.Height = 40;
    return b;
  }
  // Opens the dialog on button n and runs `user` while it is open.
  void Open(int32_t n, std::function<void()> user = {}) {
    host.User = std::move(user);
    EXPECT_TRUE(config.Execute(n));
  }
  std::string Text(C c) { return config.Control(c).Text; }
  TColor Color(C c) { return config.Control(c).TextColor; }
  int MarkCount() {
    int n = 0;
    for (int m = 0; m < kConfigMarkCount; ++m) n += config.Marked(static_cast<M>(m));
    return n;
  }

  std::array<std::unique_ptr<TExeButton>, kButtonCount> buttons;
  test::FakePictures pictures;
  test::FakeImageHost imageHost;
  TImageDialog images{&pictures};
  test::FakeConfigHost host;
  TConfigDialog config;
};

TEST_F(ConfigDialogTest, NothingSelectedShowsTheEmptyValuesAndASaveWritesNowhere) {
  Launcher(12, "Editor");
  Open(0, [&] {
    for (int n = 1; n <= kButtonCount; ++n) EXPECT_FALSE(config.ListSelected(n)) << n;
    EXPECT_EQ(config.ListCurrent(), 0);
    struct Expect { C c; const char* text; };
    for (auto e : {Expect{C::llID, ""}, {C::ssLeft, "0"}, {C::ssTop, "0"}, {C::ssWidth, "75"}, {C::ssHeight, "25"},
                   {C::ssGroup, "0"}, {C::ssIndex, "0"}, {C::eeCaption, ""}, {C::llFont, ""}, {C::llImage, ""},
                   {C::eeProgram, ""}})
      EXPECT_EQ(Text(e.c), e.text) << static_cast<int>(e.c);
    EXPECT_TRUE(config.Control(C::rLeft).Checked);
    EXPECT_FALSE(config.Control(C::cbEnabled).Checked);
    EXPECT_EQ(Color(C::cbEnabled), clRed);
    // Edits can be made and the question still comes, but a save reaches no button.
    config.SetText(C::eeCaption, "Nobody");
    config.SetText(C::ssWidth, "99");
    host.Answers = {ConfirmAnswer::Yes};
    EXPECT_TRUE(config.FormCloseQuery());
  });
  ASSERT_EQ(host.Questions.size(), 1u);
  EXPECT_EQ(host.Questions[0], "Buttons Have Changed; Save New Parameters? [Yes/No/Cancel]");
  for (int n = 1; n <= kButtonCount; ++n) EXPECT_NE(B(n).Caption, "Nobody") << n;
  EXPECT_EQ(B(12).Width, 60);
}

TEST_F(ConfigDialogTest, OneButtonFillsEveryFieldClampedAndUnmarked) {
  TExeButton& b = Launcher(12, "Editor");
  b.Left = -5;
  b.Width = 1500;
  b.Flat = true;
  b.Hint = "Edit it";
  b.SetExeName("C:\\Tools\\ed.exe");
  b.Caption = "Editor";
  b.SetExeArgs("-n");
  b.SetIconIndex(2);
  b.Layout = 7;  // no layout code: shows as "Left"
  b.Font = TFont{"Arial", clWindowText, 8, true};
  Open(12);
  EXPECT_TRUE(config.ListSelected(12));
  EXPECT_EQ(config.ListCurrent(), 12);
  EXPECT_EQ(Text(C::llID), "12");
  EXPECT_EQ(Text(C::ssLeft), "0");
  EXPECT_EQ(Text(C::ssWidth), "1024");
  EXPECT_EQ(Text(C::eeCaption), "Editor");
  EXPECT_EQ(Text(C::eeHint), "Edit it");
  EXPECT_EQ(Text(C::llFont), "Arial, $80000008, 8, B---");
  EXPECT_EQ(Text(C::llImage), "C:\\Tools\\ed.exe");
  EXPECT_EQ(Text(C::ssIndex), "2");
  EXPECT_EQ(Text(C::eeStart), "C:\\Tools\\");
  EXPECT_EQ(Text(C::eeArgs), "-n");
  EXPECT_TRUE(config.Control(C::cbFlat).Checked);
  EXPECT_TRUE(config.Control(C::rLeft).Checked);
  EXPECT_EQ(MarkCount(), 0);
  for (int c = 0; c < kConfigControlCount; ++c)
    if (static_cast<C>(c) != C::cbEnabled) {
      EXPECT_EQ(Color(static_cast<C>(c)), clBlack) << c;
    }
  // A desktop selector shows the top of the group range and keeps 1001 when saved.
  config.ListSelectionChanged({3}, 3);
  EXPECT_EQ(Text(C::ssGroup), "128");
  EXPECT_EQ(Text(C::llID), "3");
}

TEST_F(ConfigDialogTest, ListLabelsNameEveryKindBehindTheInUsePrefix) {
  Launcher(11, "Mail");
  B(12).Enabled = true;
  B(12).IData = 1003;
  B(13).IData = 2001;  // disabled gauge
  B(14).Caption = "Old";
  config.FillList();
  const auto& l = config.ListItems();
  ASSERT_EQ(l.size(), 128u);
  EXPECT_EQ(l[3], "* Desktop 4");
  EXPECT_EQ(l[4], "  Desktop 5");
  EXPECT_EQ(l[10], "* Mail");
  EXPECT_EQ(l[11], "* Clock");
  EXPECT_EQ(l[12], "  System Load");
  EXPECT_EQ(l[13], "  Old");
}

// Each field's change handler: the mark it sets, the controls it turns blue, whether the
// sample follows.
TEST_F(ConfigDialogTest, EveryChangeSetsItsMarkColourAndSample) {
  struct Case {
    C control;
    const char* text;  // nullptr: a click on a check box or radio button
    M mark;
    std::vector<C> blue;
    bool sample;
  };
  const Case cases[] = {
      {C::cbEnabled, nullptr, M::InUse, {C::cbEnabled}, false},
      {C::ssLeft, "7", M::Left, {}, true},
      {C::ssTop, "8", M::Top, {}, true},
      {C::ssWidth, "30", M::Width, {}, true},
      {C::ssHeight, "31", M::Height, {}, true},
      {C::cbFlat, nullptr, M::Flat, {C::cbFlat}, true},
      {C::ssGroup, "3", M::Group, {}, false},
      {C::cbAllUp, nullptr, M::AllowAllUp, {C::cbAllUp}, false},
      {C::eeCaption, "Cap", M::Caption, {C::eeCaption}, true},
      {C::eeHint, "Tip", M::Hint, {C::eeHint}, true},
      {C::ssIndex, "1", M::Image, {C::llImage}, true},
      {C::rBottom, nullptr, M::Layout, {C::rLeft, C::rRight, C::rTop, C::rBottom}, true},
      {C::eeProgram, "x.exe", M::Program, {C::eeProgram}, false},
      {C::eeStart, "C:\\", M::Directory, {C::eeStart}, false},
      {C::eeArgs, "-a", M::Arguments, {C::eeArgs}, false},
  };
  Launcher(12, "Editor");
  for (const Case& k : cases) {
    Open(12, [&] {
      const int samples = host.SampleChanges;
      if (k.text)
        config.SetText(k.control, k.text);
      else
        config.SetChecked(k.control, !config.Control(k.control).Checked);
      EXPECT_TRUE(config.Marked(k.mark)) << static_cast<int>(k.control);
      EXPECT_EQ(MarkCount(), 1) << static_cast<int>(k.control);
      for (int c = 0; c < kConfigControlCount; ++c) {
        const bool blue = std::find(k.blue.begin(), k.blue.end(), static_cast<C>(c)) != k.blue.end();
        if (static_cast<C>(c) != C::cbEnabled || blue) {
          EXPECT_EQ(Color(static_cast<C>(c)), blue ? clBlue : clBlack) << static_cast<int>(k.control) << " / " << c;
        }
      }
      EXPECT_EQ(host.SampleChanges > samples, k.sample) << static_cast<int>(k.control);
      // Setting a value the control already has raises nothing more.
      if (k.text) {
        const int again = host.SampleChanges;
        config.SetText(k.control, k.text);
        EXPECT_EQ(host.SampleChanges, again);
      }
    });
  }
}

TEST_F(ConfigDialogTest, TwoSelectedGetOnlyTheChangedWidth) {
  TExeButton& a = Launcher(15, "One");
  TExeButton& b = Launcher(20, "Two");
  b.Flat = true;
  b.Height = 33;
  Open(15, [&] {
    config.ListSelectionChanged({15, 20}, 20);
    EXPECT_EQ(Color(C::cbEnabled), kMaroon);
    EXPECT_EQ(Text(C::eeCaption), "One");  // the lowest-numbered shows
    config.SetText(C::ssWidth, "99");
    config.bApplyClick();
    EXPECT_TRUE(config.ListSelected(15) && config.ListSelected(20)) << "Apply keeps the selection";
  });
  EXPECT_EQ(a.Width, 99);
  EXPECT_EQ(b.Width, 99);
  EXPECT_EQ(a.Caption, "One");
  EXPECT_EQ(b.Caption, "Two");
  EXPECT_TRUE(b.Flat);
  EXPECT_EQ(b.Height, 33);
  EXPECT_EQ(b.Left, 200);
  EXPECT_TRUE(host.Questions.empty());
}

TEST_F(ConfigDialogTest, KindRulesOverrideWhatTheFieldsSay) {
  B(12).Enabled = B(12).Visible = true;
  B(12).IData = 1002;
  B(12).GroupIndex = 5;
  Open(3, [&] {
    config.SetChecked(C::cbEnabled, false);
    config.SetText(C::ssGroup, "7");
    config.SetChecked(C::cbAllUp, true);
    config.bApplyClick();
    config.ListSelectionChanged({12}, 12);
    config.SetText(C::ssGroup, "9");
    config.SetChecked(C::cbAllUp, false);
    config.bApplyClick();
  });
  EXPECT_TRUE(B(3).Enabled && B(3).Visible) << "a selector keeps its in-use state";
  EXPECT_EQ(B(3).GroupIndex, 1001);
  EXPECT_FALSE(B(3).AllowAllUp);
  EXPECT_EQ(B(12).GroupIndex, 0);
  EXPECT_TRUE(B(12).AllowAllUp);
}

TEST_F(ConfigDialogTest, ProgramIsWrittenAfterCaptionAndImageBeforeDirectoryAndArguments) {
  TExeButton& b = Launcher(12, "Old");
  Open(12, [&] {
    config.SetText(C::eeCaption, "Mine");
    config.SetText(C::eeProgram, "C:\\Apps\\tool.exe");
    config.SetText(C::eeArgs, "-x");
    config.SetText(C::eeHint, "hint");
    config.SetChecked(C::rTop, true);
    config.bApplyClick();
    EXPECT_EQ(MarkCount(), 0);
    EXPECT_EQ(config.ListItems()[11], "* tool") << "Apply rebuilds the labels";
  });
  EXPECT_EQ(b.ExeName(), "C:\\Apps\\tool.exe");
  EXPECT_EQ(b.Caption, "tool") << "the program's writer wins over Caption";
  EXPECT_EQ(b.GlyphName(), "C:\\Apps\\tool.exe");
  EXPECT_EQ(b.ExeStart(), "C:\\Apps\\");
  EXPECT_EQ(b.ExeArgs(), "-x") << "Arguments are written after the program";
  EXPECT_EQ(b.Hint, "hint");
  EXPECT_TRUE(b.ShowHint);
  EXPECT_EQ(b.Layout, 2);
}

TEST_F(ConfigDialogTest, ProgramButtonFillsSixFieldsInBlueAndTheSampleShowsTheFirstIcon) {
  Launcher(12, "Editor");
  host.ProgramChoice = "C:\\Tools\\my.tool.exe";
  Open(12, [&] {
    pictures.Loads.clear();
    const int samples = host.SampleChanges;
    config.bProgramClick();
    EXPECT_EQ(host.SampleChanges, samples + 1) << "one sample update";
    EXPECT_EQ(Text(C::eeProgram), "C:\\Tools\\my.tool.exe");
    EXPECT_EQ(Text(C::eeStart), "C:\\Tools\\");
    EXPECT_EQ(Text(C::eeArgs), "");
    EXPECT_EQ(Text(C::eeCaption), "my");
    EXPECT_EQ(Text(C::eeHint), "C:\\Tools\\my.tool.exe");
    EXPECT_EQ(Text(C::llImage), "C:\\Tools\\my.tool.exe");
    EXPECT_EQ(Text(C::ssIndex), "0");
    for (C c : {C::eeProgram, C::eeStart, C::eeArgs, C::eeCaption, C::eeHint, C::llImage, C::ssIndex})
      EXPECT_EQ(Color(c), clBlue) << static_cast<int>(c);
    for (M m : {M::Program, M::Directory, M::Arguments, M::Caption, M::Hint, M::Image}) EXPECT_TRUE(config.Marked(m));
    EXPECT_EQ(MarkCount(), 6);
    EXPECT_EQ(pictures.Loads, std::vector<std::string>{"C:\\Tools\\my.tool.exe#0"});
    auto* glyph = dynamic_cast<const test::FakePicture*>(config.Sample().Glyph.get());
    ASSERT_NE(glyph, nullptr);
    EXPECT_EQ(glyph->File, "C:\\Tools\\my.tool.exe");
    EXPECT_EQ(config.Sample().Caption, "my");
    host.ProgramChoice.reset();
    config.bProgramClick();  // cancelled: nothing changes
    EXPECT_EQ(Text(C::eeCaption), "my");
  });
  EXPECT_EQ(host.ProgramFolders, (std::vector<std::string>{"", "C:\\Tools\\"})) << "the open dialog keeps its folder";
}

TEST_F(ConfigDialogTest, ImageAndFontButtonsTakeTheChoiceOnlyWhenConfirmed) {
  Launcher(12, "Editor");
  imageHost.User = [&] { images.FileListBox1Change("C:\\Pics", "a.exe"); images.Spin1Typed("2"); };
  Open(12, [&] {
    config.bImageClick();
    EXPECT_EQ(Text(C::llImage), "C:\\Pics\\a.exe");
    EXPECT_EQ(Text(C::ssIndex), "2");
    EXPECT_EQ(Color(C::llImage), clBlue);
    EXPECT_EQ(Color(C::ssIndex), clBlue);
    EXPECT_TRUE(config.Marked(M::Image));
    config.SetText(C::eeCaption, "x");
    imageHost.Result = false;  // Cancel: nothing changes
    imageHost.User = [&] { images.FileListBox1Change("C:\\Pics", "b.bmp"); };
    config.bImageClick();
    EXPECT_EQ(Text(C::llImage), "C:\\Pics\\a.exe");

    config.bFontClick();  // cancelled
    EXPECT_FALSE(config.Marked(M::Font));
    host.FontChoice = TFont{"Courier New", 0xFF, 12, false, true};
    config.bFontClick();
    EXPECT_TRUE(config.Marked(M::Font));
    EXPECT_EQ(Text(C::llFont), "Courier New, $000000FF, 12, -I--");
    EXPECT_EQ(Color(C::llFont), clBlue);
    EXPECT_EQ(config.Sample().Font.Name, "Courier New");
    config.bApplyClick();
  });
  EXPECT_EQ(B(12).GlyphName(), "C:\\Pics\\a.exe");
  EXPECT_EQ(B(12).IconIndex(), 2);
  EXPECT_EQ(B(12).Font.Name, "Courier New");
  EXPECT_EQ(config.FontDialog1Font.Name, "Courier New") << "the font dialog keeps its font";
}

TEST_F(ConfigDialogTest, SaveQuestionsOnListClickAndOnClose) {
  TExeButton& a = Launcher(12, "One");
  TExeButton& b = Launcher(13, "Two");
  Open(12, [&] {
    // List click: Yes saves for the selection as it was.
    config.SetText(C::eeCaption, "Uno");
    host.Answers = {ConfirmAnswer::Yes};
    config.ListSelectionChanged({13}, 13);
    EXPECT_EQ(a.Caption, "Uno");
    EXPECT_EQ(config.ListItems()[11], "* One") << "labels wait for Apply";
    EXPECT_EQ(Text(C::eeCaption), "Two");
    // List click: No drops the edits.
    config.SetText(C::eeCaption, "Dos");
    config.ListSelectionChanged({12}, 12);
    EXPECT_EQ(b.Caption, "Two");
    EXPECT_EQ(MarkCount(), 0);
    // Close: Cancel keeps the dialog open and the edits; No closes and writes nothing.
    config.SetText(C::eeCaption, "Eins");
    host.Answers = {ConfirmAnswer::Cancel};
    EXPECT_FALSE(config.FormCloseQuery());
    EXPECT_EQ(Text(C::eeCaption), "Eins");
    host.Answers = {ConfirmAnswer::No};
    EXPECT_TRUE(config.FormCloseQuery());
  });
  EXPECT_EQ(a.Caption, "Uno");
  EXPECT_EQ(host.Questions, (std::vector<std::string>{
                                "Buttons Have Changed; Save New Parameters? [Yes/No]",
                                "Buttons Have Changed; Save New Parameters? [Yes/No]",
                                "Buttons Have Changed; Save New Parameters? [Yes/No/Cancel]",
                                "Buttons Have Changed; Save New Parameters? [Yes/No/Cancel]"}));
  // Marks left by "No" are gone at the next opening, and an unchanged dialog closes unasked.
  Open(12, [&] { EXPECT_EQ(MarkCount(), 0); EXPECT_TRUE(config.FormCloseQuery()); });
  EXPECT_EQ(host.Questions.size(), 4u);
}

// A changed text the settings file cannot hold is refused at its field by every way
// of saving (Apply, Yes on a list click, Yes on closing): nothing is written, the
// edits and the selection stay.
TEST_F(ConfigDialogTest, TextTheSettingsFileCannotHoldIsRefusedAtItsField) {
  TExeButton& a = Launcher(12, "One");
  Launcher(13, "Two");
  config.CanSave = [](const std::string& text) { return text.find("\xD0") == std::string::npos; };
  const std::string cyrillic = "\xD0\xA2\xD0\xB5";
  Open(12, [&] {
    for (C field : {C::eeCaption, C::eeHint, C::eeArgs}) {
      config.SetText(C::eeCaption, "Uno");
      config.SetText(field, cyrillic);
      config.bApplyClick();
      ASSERT_FALSE(host.Refusals.empty());
      EXPECT_EQ(host.Refusals.back().first, field);
      EXPECT_EQ(host.Refusals.back().second, TConfigDialog::kCannotSave);
      EXPECT_EQ(a.Caption, "One") << "nothing saved";
      EXPECT_EQ(Text(field), cyrillic) << "the edit stays for the user to change";
      config.SetText(field, "");
    }
    config.SetText(C::eeArgs, cyrillic);
    host.Answers = {ConfirmAnswer::Yes};
    config.ListSelectionChanged({13}, 13);
    EXPECT_TRUE(config.ListSelected(12) && !config.ListSelected(13)) << "the selection stays";
    EXPECT_EQ(Text(C::eeArgs), cyrillic);
    host.Answers = {ConfirmAnswer::Yes};
    EXPECT_FALSE(config.FormCloseQuery()) << "the dialog stays open";
    config.SetText(C::eeArgs, "");
    config.SetText(C::eeCaption, "Uno");
    config.bApplyClick();
    EXPECT_EQ(a.Caption, "Uno") << "saved once every text fits";
  });
  EXPECT_EQ(host.Refusals.size(), 5u);
}

// What the sample shows after each selection: the glyph of the button now selected, even when its
// index and layout are those of the one before; none for a selector or an empty selection.
TEST_F(ConfigDialogTest, EachSelectionShowsItsOwnValuesAndSample) {
  Launcher(12, "First").SetGlyphName("C:\\a.bmp");
  Launcher(13, "Second").SetGlyphName("C:\\b.bmp");
  auto sampleGlyph = [&]() -> std::string {
    auto* p = dynamic_cast<const test::FakePicture*>(config.Sample().Glyph.get());
    return p ? p->File : "(none)";
  };
  struct Step {
    std::vector<int32_t> selected;
    const char* id;
    const char* group;
    bool enabled;
    TColor enableColour;
    const char* caption;
    const char* glyph;
  };
  const Step steps[] = {
      {{12}, "12", "0", true, clRed, "First", "C:\\a.bmp"},
      {{13}, "13", "0", true, clRed, "Second", "C:\\b.bmp"},
      {{1}, "1", "128", true, clRed, "Desktop 1", "(none)"},      // entry 1: the first selector
      {{1, 13}, "1", "128", true, kMaroon, "Desktop 1", "(none)"},  // the lowest entry speaks for all
      {{}, "", "0", false, clRed, "", "(none)"},
  };
  B(1).Caption = "Desktop 1";
  Open(12, [&] {
    for (const Step& s : steps) {
      if (s.selected != std::vector<int32_t>{12}) config.ListSelectionChanged(s.selected, s.selected.empty() ? 0 : s.selected.back());
      const std::string at = "selection of " + std::to_string(s.selected.size()) + " from " + s.id;
      EXPECT_EQ(Text(C::llID), s.id) << at;
      EXPECT_EQ(Text(C::ssGroup), s.group) << at;
      EXPECT_EQ(config.Control(C::cbEnabled).Checked, s.enabled) << at;
      EXPECT_EQ(Color(C::cbEnabled), s.enableColour) << at;
      EXPECT_EQ(Text(C::eeCaption), s.caption) << at;
      EXPECT_EQ(config.Sample().Caption, s.caption) << at;
      EXPECT_EQ(sampleGlyph(), s.glyph) << at;
    }
  });
}

TEST_F(ConfigDialogTest, SampleIsCutToTheRoomOfTheBarAndCentredInIt) {
  Launcher(12, "Editor");
  host.Bar = {632, 40};
  host.Room = 424;
  Open(12, [&] {
    config.SetText(C::ssWidth, "200");
    config.SetText(C::ssHeight, "30");
    const TExeButton& s = config.Sample();
    EXPECT_EQ(s.Width, 200) << "as wide as the button, so its caption shows as on the panel";
    EXPECT_EQ(s.Height, 30);
    EXPECT_EQ(s.Left, (632 - 200) / 2);
    EXPECT_EQ(s.Top, (40 - 30) / 2 + 4);
    config.SetText(C::ssWidth, "600");
    config.SetText(C::ssHeight, "100");
    EXPECT_EQ(s.Width, 424) << "no wider than the room between the bar's buttons";
    EXPECT_EQ(s.Height, 48) << "no taller than the bar";
    EXPECT_TRUE(s.ExeDisabled);
    // Text that is no number reads as the minimum; values out of range are clamped.
    config.SetText(C::ssHeight, "abc");
    EXPECT_EQ(s.Height, 8);
    config.SetText(C::ssWidth, "5000");
    config.SpinExit(C::ssWidth);
    EXPECT_EQ(Text(C::ssWidth), "1024") << "leaving the field snaps it into range";
    config.SpinStep(C::ssLeft, -1);
    EXPECT_EQ(Text(C::ssLeft), "119");
    config.SetText(C::ssLeft, "0");
    config.SpinStep(C::ssLeft, -1);
    EXPECT_EQ(Text(C::ssLeft), "0") << "the arrows stop at the minimum";
    config.bApplyClick();
  });
  EXPECT_EQ(B(12).Width, 1024);
  EXPECT_EQ(B(12).Height, 8);
}

}  // namespace
}  // namespace korvi
