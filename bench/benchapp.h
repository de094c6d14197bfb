#ifndef KABENCH_BENCHAPP_H
#define KABENCH_BENCHAPP_H

// Start-up shared by the programs that run the real window: call before the application object.
// Offscreen unless a platform was chosen, since the figures need no display.
void defaultToOffscreen();

// Debug lines per picture would measure the terminal: only warnings and worse are printed.
void printWarningsOnly();

#endif
