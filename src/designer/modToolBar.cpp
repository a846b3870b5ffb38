#include "modToolBar.h"

int32_t gTwipsPerPixelX = 0;
int32_t gTwipsPerPixelY = 0;
