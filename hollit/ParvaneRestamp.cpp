#include "hollit/ParvaneRestamp.h"

#include "parvane/ParvaneApi.h"

#include <vector>

int RestampBatchWithParvane(const CDataBlockPool::BlockQueue& batch, double* lastTime, int* lostBMode, int* first)
{
    MpegChunkNode head;
    MpegChunkList list;
    InitMpegChunkList(&list, &head);
    std::vector<MpegChunkNode> nodes(batch.size());
    size_t i = 0;
    for (CDataBlock* block : batch) {
        nodes[i].chunk.data = block->GetData();
        nodes[i].chunk.length = block->GetLength();
        AppendMpegChunk(&list, &nodes[i]);
        ++i;
    }
    return RestampChunks(&list, lastTime, lostBMode, first);
}
