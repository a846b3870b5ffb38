#pragma once

// Lets the UI thread process the window messages waiting in its queue.
void DoEvents();
