#pragma once
// The busy panel the clock tests and benchmarks use: buttons 11..20 are clocks (two of
// each style, 48 x 48), buttons 21..30 load gauges (both styles, 100 x 100).
#include "main/main.h"

namespace korvi::test {

inline void AddTenClocksAndTenGauges(TForm1& form) {
  for (int i = 0; i < 20; ++i) {
    TExeButton& b = form.Button(11 + i);
    b.Enabled = b.Visible = true;
    b.IData = i < 10 ? 1000 + i % 5 : 2000 + i % 2;
    b.Width = b.Height = i < 10 ? 48 : 100;
  }
}

}  // namespace korvi::test
