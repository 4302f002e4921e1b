// For a gauge that adds nothing to install and kill: install ends with register_mouse_rects' result.
#include "gauge.h"

HostWord gauge_install_steps(HostWord registered) { return registered; }

void gauge_kill_steps() {}
