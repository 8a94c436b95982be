#pragma once

#include "hardware/tuners/TunerModule.h"

// The classic PLL tuners that the base operations drive unchanged: each model
// only stores its row of the plain PLL tuner table.
class CTuner_TCL2002N_1 : public CTunerModule
{
public:
    explicit CTuner_TCL2002N_1(CRegisterAccess* pRegisterAccess);
};

class CTuner_TCL2002N_1F : public CTunerModule
{
public:
    explicit CTuner_TCL2002N_1F(CRegisterAccess* pRegisterAccess);
};

class CTuner_TCL2002NJ_5 : public CTunerModule
{
public:
    explicit CTuner_TCL2002NJ_5(CRegisterAccess* pRegisterAccess);
};

class CTuner_TCL2002MI_3 : public CTunerModule
{
public:
    explicit CTuner_TCL2002MI_3(CRegisterAccess* pRegisterAccess);
};

class CTuner_TCL2002MB_3 : public CTunerModule
{
public:
    explicit CTuner_TCL2002MB_3(CRegisterAccess* pRegisterAccess);
};

class CTuner_TCL2002MB_1F : public CTunerModule
{
public:
    explicit CTuner_TCL2002MB_1F(CRegisterAccess* pRegisterAccess);
};

class CTuner_TCL2002MI_1F : public CTunerModule
{
public:
    explicit CTuner_TCL2002MI_1F(CRegisterAccess* pRegisterAccess);
};

class CTuner_TCL2002MB_33F : public CTunerModule
{
public:
    explicit CTuner_TCL2002MB_33F(CRegisterAccess* pRegisterAccess);
};

class CTuner_TCL9809N_1F : public CTunerModule
{
public:
    explicit CTuner_TCL9809N_1F(CRegisterAccess* pRegisterAccess);
};

class CTuner_XINFA_TDQ_6B_B : public CTunerModule
{
public:
    explicit CTuner_XINFA_TDQ_6B_B(CRegisterAccess* pRegisterAccess);
};

class CTuner_XINFA_TDQ_6B_DI : public CTunerModule
{
public:
    explicit CTuner_XINFA_TDQ_6B_DI(CRegisterAccess* pRegisterAccess);
};

class CTuner_XINFA_TDQ_6B_N : public CTunerModule
{
public:
    explicit CTuner_XINFA_TDQ_6B_N(CRegisterAccess* pRegisterAccess);
};

class CTuner_XINFA_TDQ_6B4_DI : public CTunerModule
{
public:
    explicit CTuner_XINFA_TDQ_6B4_DI(CRegisterAccess* pRegisterAccess);
};

class CTuner_TNF8532BF : public CTunerModule
{
public:
    explicit CTuner_TNF8532BF(CRegisterAccess* pRegisterAccess);
};

class CTuner_TNF8532DF : public CTunerModule
{
public:
    explicit CTuner_TNF8532DF(CRegisterAccess* pRegisterAccess);
};

class CTuner_TNF8532MF : public CTunerModule
{
public:
    explicit CTuner_TNF8532MF(CRegisterAccess* pRegisterAccess);
};

class CTuner_TNF5831MFF : public CTunerModule
{
public:
    explicit CTuner_TNF5831MFF(CRegisterAccess* pRegisterAccess);
};

class CTuner_TNF5532JF : public CTunerModule
{
public:
    explicit CTuner_TNF5532JF(CRegisterAccess* pRegisterAccess);
};

class CTuner_TNF5532MF : public CTunerModule
{
public:
    explicit CTuner_TNF5532MF(CRegisterAccess* pRegisterAccess);
};

class CTuner_TNF9835 : public CTunerModule
{
public:
    explicit CTuner_TNF9835(CRegisterAccess* pRegisterAccess);
};

class CTuner_TNF9535BDF : public CTunerModule
{
public:
    explicit CTuner_TNF9535BDF(CRegisterAccess* pRegisterAccess);
};

class CTuner_TNF7532PRF : public CTunerModule
{
public:
    explicit CTuner_TNF7532PRF(CRegisterAccess* pRegisterAccess);
};

class CTuner_TNF9835BDFF : public CTunerModule
{
public:
    explicit CTuner_TNF9835BDFF(CRegisterAccess* pRegisterAccess);
};

class CTuner_LGH200T : public CTunerModule
{
public:
    explicit CTuner_LGH200T(CRegisterAccess* pRegisterAccess);
};

class CTuner_LGH202T : public CTunerModule
{
public:
    explicit CTuner_LGH202T(CRegisterAccess* pRegisterAccess);
};
