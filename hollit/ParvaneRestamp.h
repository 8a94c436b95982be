#pragma once

#include "hollit/DataBlockPool.h"

// Has Parvane re-stamp a batch of blocks in place: builds the chunk list over the blocks' own
// buffers, calls its ordinal 17 and frees the list. Parvane's result (packs re-stamped) is returned.
int RestampBatchWithParvane(const CDataBlockPool::BlockQueue& batch, double* lastTime, int* lostBMode, int* first);
