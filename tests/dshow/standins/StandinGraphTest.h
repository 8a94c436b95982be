#pragma once
// A graph for the stand-in tests: the wrappers' rows the test gives, and
// nodes around filters the test makes itself, all gone at the end.
#include <gtest/gtest.h>

#include <stdio.h>

#include <string>
#include <vector>

#include "dshow/DShowGraph.h"
#include "dshow/FilterClass.h"

inline std::vector<BYTE> ReadBytes(const std::string& path)
{
    std::vector<BYTE> bytes;
    FILE* file = fopen(path.c_str(), "rb");
    if (file == nullptr)
        return bytes;
    BYTE buffer[65536];
    size_t n;
    while ((n = fread(buffer, 1, sizeof(buffer), file)) > 0)
        bytes.insert(bytes.end(), buffer, buffer + n);
    fclose(file);
    return bytes;
}

class StandinGraphTest : public ::testing::Test
{
protected:
    CDShowGraph graph;

    void StartGraph(const CFilterClass* pRows, int nRows)
    {
        CFilterClass::SetTable(pRows, nRows);
        ASSERT_TRUE(graph.CreateGraph());
    }
    void TearDown() override
    {
        graph.DestroyGraph();
        for (CFilterNode* p : m_nodes)
            delete p;
        m_nodes.clear();
        CFilterClass::SetTable(nullptr, 0);
    }
    // A node around a filter made here, added to the graph.
    CFilterNode* AddNode(IBaseFilter* pFilter, const char* pszName)
    {
        CFilterNode* pNode = new CFilterNode(&graph, pFilter);
        pNode->SetName(pszName);
        m_nodes.push_back(pNode);
        return graph.AddToGraph(pNode) ? pNode : nullptr;
    }

private:
    std::vector<CFilterNode*> m_nodes;
};
