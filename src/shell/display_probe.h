#pragma once
// Whether the program has a screen to open its windows on, asked before the
// toolkit is started: a display that cannot be reached would otherwise end
// the program with the toolkit's own abort and a hint to reinstall.

#include <string>

namespace plandesk {

struct DisplayProbe {
  bool available = false;
  std::string display;  // the X display that was tried, when one was
};

// Available when a Wayland display or a Qt platform is named, or when the
// X display of DISPLAY accepts a connection. Only local X displays (":0",
// "unix:0") are tried; a display on another host is taken as given.
DisplayProbe probe_display();

}  // namespace plandesk
