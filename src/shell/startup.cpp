#include "shell/startup.h"

#include "forms/frmSplash.h"
#include "shell/system.h"

namespace trimwell {

void Show_Splash(frmSplash& splash) {
  splash.show();
  Draw_Now(splash);
}

void Wait_Splash_Time(const std::function<void()>& then) {
  Wait_Without_Events(Splash_Wait, then);
}

} // namespace trimwell
