#pragma once

#include <functional>

// Waiting while the windows stay responsive: window events go on being
// processed, at a low CPU cost, until the condition holds or the time is up.
// Returns whether the condition came true.
bool WaitUntil(const std::function<bool()>& done, double seconds);

// Processes window events until more than `seconds` have passed.
void WaitSeconds(double seconds);
