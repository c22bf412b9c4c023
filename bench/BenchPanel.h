#pragma once
// The panel the idle benchmarks measure: 6 clocks (every style, the analogue one twice),
// 2 load gauges and 10 launchers, as a Korvi8.ini.
#include <string>

namespace korvi::bench {

inline std::string PanelIni() {
  std::string ini = "[FORM]\r\nSIZE=40\r\nHIDE=0\r\n";  // always out: every tick is seen
  int n = 11, left = 230;
  auto button = [&](int width, const std::string& keys) {
    ini += "[BUTTON" + std::to_string(n++) + "]\r\nVISIBLE=1\r\nLEFT=" + std::to_string(left) +
           "\r\nTOP=4\r\nWIDTH=" + std::to_string(width) + "\r\nHEIGHT=32\r\n" + keys;
    left += width + 2;
  };
  for (int style : {1000, 1001, 1002, 1003, 1004, 1004})
    button(style == 1004 ? 32 : 60, "IDATA=" + std::to_string(style) + "\r\n");
  for (int style : {2000, 2001}) button(40, "IDATA=" + std::to_string(style) + "\r\n");
  for (const char* program : {"notepad.exe", "regedit.exe", "explorer.exe", "winhlp32.exe", "system32\\cmd.exe",
                              "system32\\control.exe", "system32\\taskmgr.exe", "system32\\winecfg.exe",
                              "system32\\winemine.exe", "system32\\wordpad.exe"})
    button(32, std::string("PROGRAM=C:\\windows\\") + program + "\r\n");
  return ini;
}

}  // namespace korvi::bench
