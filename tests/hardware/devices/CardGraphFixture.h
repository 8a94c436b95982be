#pragma once

#include "dshow/DShowGraph.h"
#include "hardware/devices/FilterClassTable.h"
#include "tests/hardware/bus/SimCardFixture.h"

// A graph with the filter-class registry installed, in which the card
// classes are made by friendly name as the engine makes them: through the
// registry and the system device enumerator, on the simulated drivers.
class CardGraph : public SimFilters
{
protected:
    void SetUp() override
    {
        RegisterFilterClasses();
        ASSERT_TRUE(graph.CreateGraph());
    }
    void TearDown() override { graph.DestroyGraph(); }

    // The n-th filter of that name in the category, as the class its record
    // makes; null when the open failed.
    template <class T>
    T* Open(const char* pszName, const GUID& category = CLSID_VideoInputDeviceCategory, int nDeviceIndex = 0)
    {
        return dynamic_cast<T*>(graph.AddFilterByName(category, pszName, pszName, FALSE, nDeviceIndex));
    }

    CDShowGraph graph;
};
