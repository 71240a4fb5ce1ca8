#pragma once

// Qt's raster drawing (its fills, lines and circles, in Qt 6.4 at least)
// returns with the upper halves of the x86-64 AVX registers still in use.
// Until something drops them, every SSE instruction of the code built for the
// plain x86-64, the edge search's among them, waits on those halves: on the
// development machine the search in a run took twice its time alone.
// Drops them where the processor and the system have AVX; elsewhere, and on
// other processors, does nothing.
void dropUpperVectorState();
