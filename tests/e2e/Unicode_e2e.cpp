// The real program in a folder named in other scripts, on a UTF-8 settings file that
// holds such text: it reads its settings there, draws the captions and saves back
// beside itself in the file's own encoding, keeping what it does not own.
#include <gtest/gtest.h>

#include "e2e/MenuDriver.h"
#include "panel/IniFile.h"
#include "panel/TextEncoding.h"
#include "support/PagerFixture_win.h"
#include "win/WinTestUtil.h"

namespace korvi::e2e {
namespace {

using UnicodeEndToEnd = PagerTest;

TEST_F(UnicodeEndToEnd, PagerInAFolderNamedInAnotherScriptSavesItsSettingsThere) {
  const std::string caption = "\xD0\xA2\xD0\xB5\xD1\x81\xD1\x82 \xCE\xB1\xCE\xB2";  // Cyrillic and Greek
  const std::string mine = "[Mine]\r\nnote=\xE2\x9C\x93 \xE6\x97\xA5\xE6\x9C\xAC\xE8\xAA\x9E\r\n";
  const std::string ini = "\xEF\xBB\xBF" + mine + "[FORM]\r\nHIDE=0\r\n[BUTTON11]\r\nVISIBLE=1\r\nLEFT=200\r\n"
                          "TOP=2\r\nWIDTH=140\r\nHEIGHT=22\r\nCAPTION=" + caption + "\r\n";
  ASSERT_TRUE(StartPager(ini.c_str(), false, " \xD0\x9F\xD0\xB0\xD0\xBF\xD0\xBA\xD0\xB0 \xE2\x9C\x93"));
  PagerSession& pager = Pager();
  SaveScreenshot("unicode-caption");
  ASSERT_TRUE(RightClick(pager, 600, 60)) << "no menu opened";
  Key(VK_UP);  // from no selection up to the last item, "Exit"
  Key(VK_RETURN);
  ASSERT_TRUE(test::PumpUntil([&] { return !pager.Running(); }, 8000)) << "the pager did not end";
  const std::string saved = pager.ReadIni();
  ASSERT_EQ(DetectTextEncoding(saved), TextEncoding::Utf8) << "still UTF-8";
  EXPECT_EQ(saved.find("\xEF\xBB\xBF" + mine), 0u) << "the section it does not own, byte for byte";
  const IniFile file = IniFile::Parse(DecodeToUtf8(saved, TextEncoding::Utf8));
  EXPECT_EQ(file.Get("BUTTON11", "CAPTION"), caption);
  EXPECT_TRUE(file.Get("BUTTON128", "VISIBLE").has_value()) << "the exit save wrote the settings there";
  EXPECT_EQ(saved.find('?'), std::string::npos);
}

}  // namespace
}  // namespace korvi::e2e
