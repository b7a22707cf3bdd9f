#pragma once

// The visual style on the windows the program does not build from the layout: the message boxes
// and the input box. Once switched on, a creation hook of the thread takes over the push buttons
// and bordered edit boxes of every dialog it creates from then on.

namespace velmora {

// Switches the style on for the dialogs of the calling thread; later calls change nothing.
void StyleDialogsFromNowOn();

}  // namespace velmora
