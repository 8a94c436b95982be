#include "hardware/bus/QM42RegisterAccess.h"

HRESULT CQM42RegisterAccess::SetGpioLine(LONG on)
{
    return CRegisterAccess::SetGpioLine(on);
}
