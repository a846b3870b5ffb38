// Live GDI and USER objects, counted by probing handle values.
//
// Wine answers GetGuiResources with 0, but it takes a handle's low 16 bits for
// the whole handle, so probing every 16-bit value finds every live object. The
// USER count includes other processes' windows: compare counts within one test.
#pragma once

int CountGdiObjects();
int CountUserObjects();
