// The idler as a Windows program.
#include "app/form3.h"
#include "platform/win32/win32_platform.h"

int main() {
  platform::Win32Platform os;
  platform::SetCurrent(&os);
  return app::RunIdler(os);
}
