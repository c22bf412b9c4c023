#include "main/StartupOverrides.h"

#include "main/main.h"

namespace korvi {

void ApplyStartupOverrides(TForm1& form, const TExeButton::NotifyEvent& click) {
  SharedState& data = form.Data();
  if (click) {
    for (int n = 1; n <= kButtonCount; ++n)
      if (form.Button(n).IData != kind::Launcher) form.Button(n).OnClick = click;
  }
  for (int n = kind::FirstDesktop; n <= kind::LastDesktop; ++n) {
    TExeButton& b = form.Button(n);
    b.Enabled = n <= data.DesktopCount;
    b.Visible = b.Enabled;
    b.IData = n;
    if (click) b.OnClick = click;
  }
  data.CurrentDesktop = 1;
}

}  // namespace korvi
