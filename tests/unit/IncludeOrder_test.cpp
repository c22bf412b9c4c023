#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

// The folders under src/ stand in one order; a file may include its own folder and the
// folders before it, never one after it. README.md's Layout gives the same order.

namespace {

namespace fs = std::filesystem;

const std::vector<std::string> kOrder = {"util", "platform", "winkit", "panel", "buttons", "help", "main", "app"};

int Rank(const std::string& folder) {
  const auto at = std::find(kOrder.begin(), kOrder.end(), folder);
  return at == kOrder.end() ? -1 : static_cast<int>(at - kOrder.begin());
}

// The complaints about one file's text: each names the file and line and what is wrong.
std::vector<std::string> CheckFile(const std::string& name, const std::string& folder, const std::string& text) {
  std::vector<std::string> wrong;
  const int own = Rank(folder);
  if (own < 0) wrong.push_back(name + ": folder \"" + folder + "\" has no place in the include order");
  std::istringstream lines(text);
  std::string line;
  for (int number = 1; std::getline(lines, line); ++number) {
    const auto hash = line.find_first_not_of(" \t");
    if (hash == std::string::npos || line.compare(hash, 1, "#") != 0) continue;
    const auto word = line.find_first_not_of(" \t", hash + 1);
    if (word == std::string::npos || line.compare(word, 7, "include") != 0) continue;
    const auto open = line.find('"', word);
    const auto slash = open == std::string::npos ? open : line.find('/', open);
    const auto close = open == std::string::npos ? open : line.find('"', open + 1);
    if (slash == std::string::npos || close == std::string::npos || slash > close) continue;
    const std::string target = line.substr(open + 1, slash - open - 1);
    const int rank = Rank(target);
    const std::string at = name + ":" + std::to_string(number) + ": ";
    if (rank < 0)
      wrong.push_back(at + "includes \"" + target + "/\", a folder with no place in the include order");
    else if (own >= 0 && rank > own)
      wrong.push_back(at + folder + " may not include " + target + " (" + line.substr(open) + ")");
  }
  return wrong;
}

TEST(IncludeOrder, CheckerFindsEveryKindOfWrongInclude) {
  const std::string text =
      "#include <windows.h>\n"
      "#include \"panel/IniFile.h\"\n"
      "#include \"platform/Geometry.h\"\n"
      "  #  include \"main/main.h\"  // indented\n"
      "#include \"nowhere/X.h\"\n"
      "// #include \"app/in a comment line\"\n"
      "#include \"Local.h\"\n";
  EXPECT_EQ(CheckFile("src/panel/A.cpp", "panel", text),
            (std::vector<std::string>{"src/panel/A.cpp:4: panel may not include main (\"main/main.h\"  // indented)",
                                      "src/panel/A.cpp:5: includes \"nowhere/\", a folder with no place in the "
                                      "include order"}));
  EXPECT_EQ(CheckFile("src/extra/B.h", "extra", "#include \"util/Text.h\"\n"),
            (std::vector<std::string>{"src/extra/B.h: folder \"extra\" has no place in the include order"}));
  EXPECT_TRUE(CheckFile("src/app/C.rc", "app", "#include \"buttons/res/FileImage.rc\"\n").empty());
}

TEST(IncludeOrder, EverySourceFileKeepsTheOrder) {
  const fs::path src = fs::path(KORVI_SOURCE_DIR) / "src";
  ASSERT_TRUE(fs::is_directory(src)) << src;
  std::vector<std::string> wrong;
  int files = 0;
  for (const auto& entry : fs::recursive_directory_iterator(src)) {
    const auto ext = entry.path().extension().string();
    if (!entry.is_regular_file() || (ext != ".cpp" && ext != ".h" && ext != ".rc")) continue;
    const fs::path relative = fs::relative(entry.path(), src);
    std::ifstream in(entry.path(), std::ios::binary);
    const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    const auto found = CheckFile("src/" + relative.generic_string(), relative.begin()->string(), text);
    wrong.insert(wrong.end(), found.begin(), found.end());
    ++files;
  }
  EXPECT_GT(files, 100) << "the source tree was not found whole";
  std::string all;
  for (const auto& w : wrong) all += w + "\n";
  EXPECT_TRUE(wrong.empty()) << all;
}

}  // namespace
