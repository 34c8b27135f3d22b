#pragma once
// Keeps the screen saver from starting while the terminal runs: on X11 the
// screen-saver extension's suspend (held for this connection only, nothing
// persisted); on other window systems nothing.

namespace os {

// True when the screen saver was suspended, false when there is nothing to
// suspend (not X11, no extension). Never fails.
bool ScreenSaverOff();

} // namespace os
