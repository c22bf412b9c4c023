#include "help/FFAbout.h"

namespace korvi {

void TAboutBox::ShowAbout() {
  if (host_) host_->ShowForm(true);
}

void TAboutBox::FormCreate() {
  Ticks = 0;
  timerRunning_ = true;
  if (host_) host_->StartTimer(TimerInterval);
}

void TAboutBox::Timer1Timer() {
  if (!timerRunning_) return;  // a tick already queued when the timer stopped
  ++Ticks;
  if (Ticks == 2) {
    if (host_) host_->ShowForm(false);
  } else if (Ticks == 6) {
    if (host_) host_->HideForm();
    timerRunning_ = false;
    if (host_) host_->StopTimer();
  }
}

void TAboutBox::bOKClick() {
  if (host_) host_->HideForm();
}

}  // namespace korvi
