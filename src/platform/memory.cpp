#include "platform/memory.h"

#include <cstdlib>  // defines __GLIBC__ on the GNU C library

#ifdef __GLIBC__
#include <malloc.h>
#endif

void ReturnLargeBlocksToTheSystem() {
#ifdef __GLIBC__
  // The C library's own starting value, held fixed.
  mallopt(M_MMAP_THRESHOLD, 128 * 1024);
#endif
}
