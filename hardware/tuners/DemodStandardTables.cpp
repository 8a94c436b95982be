#include "hardware/tuners/DemodStandardTables.h"

#include <strmif.h>

#define AV(x) AnalogVideo_##x
#define TABLE(name, columns) \
    const DemodStandardTable name = { columns, sizeof(columns) / sizeof(columns[0]) }

namespace
{
const DemodStandardColumn kJs2pc[] =
{
    { AV(PAL_B),    { 0x56, 0x70, 0x09 } },
    { AV(PAL_I),    { 0x56, 0x70, 0x0A } },
    { AV(PAL_D),    { 0x56, 0x70, 0x0B } },
    { AV(SECAM_L),  { 0x46, 0x70, 0x0B } },
    { AV(SECAM_L1), { 0xC6, 0x70, 0x13 } },
};
const DemodStandardColumn kJs6b2[] =
{
    { AV(PAL_B),    { 0x56, 0x70, 0x09 } },
    { AV(PAL_I),    { 0x56, 0x70, 0x0A } },
    { AV(PAL_D),    { 0x56, 0x70, 0x0B } },
    { AV(SECAM_L),  { 0x46, 0x50, 0x4B } },
    { AV(SECAM_L1), { 0xC6, 0x50, 0x13 } },
};
const DemodStandardColumn kTcl9886[] =
{
    { AV(PAL_B), { 0x52, 0x70, 0x09 } },
    { AV(PAL_I), { 0x52, 0x70, 0x0A } },
    { AV(PAL_D), { 0x52, 0x70, 0x0B } },
};
const DemodStandardColumn kPhilips1216[] =
{
    { AV(PAL_B),                   { 0x16, 0x70, 0x49 } },
    { AV(PAL_D),                   { 0x16, 0x70, 0x4B } },
    { AV(PAL_I),                   { 0x16, 0x70, 0x4A } },
    { AV(SECAM_L),                 { 0x06, 0x50, 0x4B } },
    { AV(SECAM_L1),                { 0x86, 0x50, 0x53 } },
    { AV(SECAM_D) | AV(SECAM_K),   { 0x16, 0x70, 0x4B } },
};
const DemodStandardColumn kFq1216me[] =
{
    { AV(PAL_B),    { 0x16, 0x70, 0x49 } },
    { AV(PAL_D),    { 0x16, 0x70, 0x4B } },
    { AV(PAL_I),    { 0x16, 0x70, 0x4A } },
    { AV(SECAM_L),  { 0x06, 0x50, 0x4B } },
    { AV(SECAM_L1), { 0x86, 0x50, 0x53 } },
};
const DemodStandardColumn kT67[] =
{
    { AV(PAL_B) | AV(SECAM_B), { 0x16, 0x70, 0x49 } },
    { AV(PAL_D) | AV(SECAM_D), { 0x16, 0x70, 0x4B } },
    { AV(PAL_I),               { 0x16, 0x70, 0x4A } },
    { AV(SECAM_L),             { 0x06, 0x50, 0x4B } },
};
const DemodStandardColumn kT68[] =
{
    { AV(NTSC_M),   { 0x16, 0x70, 0x00 } },
    { AV(NTSC_M_J), { 0x16, 0x70, 0x00 } },
};
const DemodStandardColumn kT75[] =
{
    { AV(PAL_B),    { 0x16, 0x70, 0x49 } },
    { AV(PAL_I),    { 0x16, 0x70, 0x4B } },
    { AV(PAL_D),    { 0xD6, 0x70, 0x4A } },
    { AV(SECAM_L),  { 0x06, 0x70, 0x4B } },
    { AV(SECAM_L1), { 0x86, 0x70, 0x47 } },
};
const DemodStandardColumn kT70[] =
{
    { AV(PAL_B), { 0x16, 0x70, 0x49 } },
    { AV(PAL_D), { 0x16, 0x70, 0x4B } },
    { AV(PAL_I), { 0x16, 0x30, 0x4A } },
    { AV(SECAM_B) | AV(SECAM_D) | AV(SECAM_G) | AV(SECAM_K) | AV(SECAM_L), { 0x06, 0x50, 0x4B } },
};
const DemodStandardColumn kT132[] =
{
    { AV(PAL_B), { 0xD6, 0x30, 0x49 } },
    { AV(PAL_I), { 0xD6, 0x30, 0x4A } },
    { AV(PAL_D), { 0xD6, 0x30, 0x4A } },
};
const DemodStandardColumn kUsbT97[] =
{
    { 0,                                      { 0x16, 0x70, 0x49 } },
    { AV(PAL_D) | AV(SECAM_D) | AV(SECAM_K), { 0x16, 0x70, 0x4B } },
    { AV(PAL_I),                              { 0x16, 0x70, 0x4A } },
    { AV(SECAM_L),                            { 0x06, 0x50, 0x4B } },
    { AV(SECAM_L1),                           { 0x86, 0x50, 0x53 } },
};
}

TABLE(g_DemodTableJs2pc, kJs2pc);
TABLE(g_DemodTableJs6b2, kJs6b2);
TABLE(g_DemodTableTcl9886, kTcl9886);
TABLE(g_DemodTablePhilips1216, kPhilips1216);
TABLE(g_DemodTableFq1216me, kFq1216me);
TABLE(g_DemodTableT67, kT67);
TABLE(g_DemodTableT68, kT68);
TABLE(g_DemodTableT75, kT75);
TABLE(g_DemodTableT70, kT70);
TABLE(g_DemodTableT132, kT132);
TABLE(g_DemodTableUsbT97, kUsbT97);

#undef TABLE
#undef AV
