#include "panel/data.h"

#include "util/Text.h"

namespace korvi {

void SharedState::SetProgramDir(const std::string& dir) {
  ProgramDir = dir;
  if (ProgramDir.empty() || ProgramDir.back() != '\\') ProgramDir += '\\';
  SettingsPath = ProgramDir + "Korvi8.ini";
  HelpPath = LowerCase(ProgramDir + "korvi8.html");
}

}  // namespace korvi
