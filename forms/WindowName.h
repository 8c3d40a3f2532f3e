#pragma once

class QWindow;

// Qt never leaves a window's name empty on the window system: an empty title becomes the
// application's name there. A form without a caption must have no name at all, as task
// lists and window switchers show it, so the name is cleared on the window system itself.
// Call it once the native window exists; Qt writes the name only when it creates the window
// or its title changes.
void clearWindowName(QWindow* window);
