// Live GDI and USER objects of this process.
//
// Wine answers GetGuiResources with 0, but it takes a handle's low 16 bits for
// the whole handle, so probing every 16-bit value finds every live GDI object and
// menu; windows are enumerated. Compare counts within one test.
#pragma once

int CountGdiObjects();
int CountUserObjects();
