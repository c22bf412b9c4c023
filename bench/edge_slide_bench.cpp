// Cost of the docking logic for a full collapse and expand of a 100-pixel panel with
// Smooth on, over a window that does nothing. The real cost of a slide is the window
// system's resizes and repaints: measure that under Wine with the Win32 view.
#include <chrono>
#include <cstdio>

#include "panel/EdgeForm.h"
#include "support/FakeEdgeHost.h"
#include "support/FakeForm.h"
#include "support/FakePlatform.h"

int main() {
  using namespace korvi;
  test::FakePlatform fake;
  test::FakeFormHost raw;
  raw.Rect_ = {0, 0, 1024, 100};
  DockedWindow win{raw, fake.Windows, edge::Bottom};
  test::FakeEdgeHost host;
  TEdgeForm form;
  raw.OnSized = [&] { form.OnResize(); };
  form.Attach(win, host, host, fake.Windows, {});

  constexpr int kRounds = 20000;
  const auto start = std::chrono::steady_clock::now();
  for (int i = 0; i < kRounds; ++i) {
    form.SetIsBig(false);
    form.SetIsBig(true);
    raw.Applied.clear();
    host.Log.clear();
  }
  const auto ns = std::chrono::duration<double, std::nano>(std::chrono::steady_clock::now() - start).count();
  std::printf("collapse+expand of a 100-pixel panel (49 resizes each way): %.0f ns per round, %d rounds\n",
              ns / kRounds, kRounds);
  return form.Size() == 100 ? 0 : 1;
}
