// The simulated card drivers: one filter module whose filters are the rows of
// the card table, each on the card its row names.
#include "platform/dshow/ClassFactory.h"
#include "platform/ks/DeviceIo.h"
#include "platform/sim/cardfilter/SimCardFilter.h"
#include "platform/sim/cardfilter/SimQM57Driver.h"
#include "platform/sim/cards/SimCards.h"

#include <array>
#include <memory>
#include <new>
#include <stdio.h>
#include <string>
#include <utility>
#include <vector>

namespace {
enum
{
    MAX_FILTERS = 64
};

// One card per card row, whoever opens its filters.
CSimTVCard* TheCard(int index)
{
    static std::vector<std::unique_ptr<CSimTVCard>> s_cards = [] {
        std::vector<std::unique_ptr<CSimTVCard>> cards;
        for (int i = 0; i < g_cSimCards; ++i)
            cards.emplace_back(new CSimTVCard(g_simCards[i].chips));
        return cards;
    }();
    return s_cards[index].get();
}

template <int N>
CUnknown* CALLBACK CreateRow(IUnknown* pUnk, HRESULT* phr)
{
    const SimFilterRow& row = g_simFilters[N];
    CUnknown* p = new (std::nothrow) CSimCardFilter(row, g_simCards[row.card], TheCard(row.card), pUnk, phr);
    if (p == nullptr && phr != nullptr)
        *phr = E_OUTOFMEMORY;
    return p;
}

template <int... N>
constexpr std::array<LPFNNewCOMObject, sizeof...(N)> Creators(std::integer_sequence<int, N...>)
{
    return { { &CreateRow<N>... } };
}

const auto kCreators = Creators(std::make_integer_sequence<int, MAX_FILTERS>());

// The device interfaces of the cards whose drivers are reached by path are
// present while the module is loaded.
class CDeviceInterfaces
{
public:
    CDeviceInterfaces()
    {
        for (int i = 0; i < g_cSimFilters; ++i)
        {
            if (g_simFilters[i].bus != SIMBUS_DEVICE_INTERFACE)
                continue;
            char path[96];
            sprintf(path, "\\\\?\\simcards#qm57#%d#{4f397d29-7f2f-42a9-ab90-1791384014c4}", i);
            if (DevIoRegisterInterface(SIMGUID_QM57Interface, path, SimQM57Request, TheCard(g_simFilters[i].card)))
                m_paths.push_back(path);
        }
    }
    ~CDeviceInterfaces()
    {
        for (const std::string& path : m_paths)
            DevIoUnregisterInterface(path.c_str());
    }

private:
    std::vector<std::string> m_paths;
};

CDeviceInterfaces g_deviceInterfaces;

// Driver filters: the graph builders never pick them on their own.
AMOVIESETUP_FILTER g_setup[MAX_FILTERS];
}  // namespace

CFactoryTemplate g_Templates[MAX_FILTERS];
int g_cTemplates = [] {
    static_assert(sizeof(kCreators) / sizeof(kCreators[0]) == MAX_FILTERS, "one creator per possible row");
    int count = g_cSimFilters < MAX_FILTERS ? g_cSimFilters : MAX_FILTERS;
    for (int i = 0; i < count; ++i)
    {
        const SimFilterRow& row = g_simFilters[i];
        g_setup[i] = { row.clsid, row.friendlyName, MERIT_DO_NOT_USE, 0, nullptr };
        g_Templates[i] = { row.friendlyName, row.clsid, kCreators[i], nullptr, &g_setup[i], row.category };
    }
    return count;
}();

STDAPI DllRegisterServer()
{
    return AMovieDllRegisterServer2(TRUE);
}

STDAPI DllUnregisterServer()
{
    return AMovieDllRegisterServer2(FALSE);
}
