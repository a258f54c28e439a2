#pragma once

#include <thread>

// Reads the machine's font configuration on a thread of its own while the
// program connects to the window system, so that the first text the course
// draws does not wait for it. Made before the application object; the
// thread is joined when this goes.
class FontConfigurationWarmUp {
 public:
  FontConfigurationWarmUp();
  ~FontConfigurationWarmUp();
  FontConfigurationWarmUp(const FontConfigurationWarmUp&) = delete;
  FontConfigurationWarmUp& operator=(const FontConfigurationWarmUp&) = delete;

 private:
  std::thread thread_;
};
