#include "HeapPolicy.h"

#include <malloc.h>

void HeapPolicy::keepLargeBlocksOutOfTheHeap()
{
    // Setting the threshold also stops glibc from moving it.
    mallopt(M_MMAP_THRESHOLD, 128 * 1024);
}
