// Runs the graph manager's filter registration from wherever this program
// lies, as the installed application does from its own folder.
#include <windows.h>

#include "engine/TVHardWare.h"

int main()
{
    CTVHardWare hw;
    return hw.RegisterFilters() ? 0 : 1;
}
