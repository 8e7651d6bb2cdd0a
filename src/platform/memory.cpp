#include "platform/memory.h"

#include <cstdlib>  // defines __GLIBC__ on the GNU C library

#ifdef __GLIBC__
#include <malloc.h>
#endif

void SetUpProcessHeap() {
#ifdef __GLIBC__
  // The C library's own starting value, held fixed.
  mallopt(M_MMAP_THRESHOLD, 128 * 1024);
  // Every thread that allocates would otherwise get a heap of its own (the GL driver's rasteriser
  // threads, the texture decoders), each keeping what its thread freed: two heaps for all of them
  // keep the game some 10 MB smaller at no measurable cost.
  mallopt(M_ARENA_MAX, 2);
#endif
}
