#pragma once
// A pager window over a scripted desktop, docked at the bottom of a 1024 x 768
// screen, with its docking component attached and scripted dialogs.
#include "main/main.h"
#include "support/FakeEdgeHost.h"
#include "support/FakeForm.h"
#include "support/FakePagerServices.h"
#include "support/FakePlatform.h"

namespace korvi::test {

struct PagerRig {
  static constexpr const char* kIni = "C:\\Korvi\\Korvi8.ini";

  FakePlatform fake;
  SharedState data;
  TWinListDialog winList{fake.Windows};
  TForm1 form{data, fake.Ref, winList};
  FakeFormHost host;
  FakeEdgeHost edgeHost;
  FakePagerServices services;
  TPosForm pos;

  // Starts the pager with `ini` as its settings file (none when empty).
  void Start(const std::string& ini = "") {
    if (!ini.empty()) fake.Files.Files[kIni] = ini;
    form.AttachHost(&host, &edgeHost, &edgeHost);
    form.AttachCommands(&services, &pos);
    form.FormCreate("C:\\Korvi");
  }
  std::string Ini() { return fake.Files.Files[kIni]; }
};

}  // namespace korvi::test
