#include "resumerequest.h"

bool& ResumeRequested() {
  static bool requested = false;
  return requested;
}
