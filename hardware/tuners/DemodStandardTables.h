#pragma once

#include <windows.h>

// The bytes an IF demodulator gets in its registers 0, 1, 2 for a video
// standard. The first column of a table is also the one of every standard the
// table does not name.
struct DemodStandardColumn
{
    DWORD dwMasks;      // AnalogVideoStandard bits that pick this column
    BYTE abyValues[3];  // registers 0, 1, 2
};

struct DemodStandardTable
{
    const DemodStandardColumn* pColumns;
    int nColumns;
};

const BYTE* PickDemodColumn(const DemodStandardTable& table, DWORD standard);

extern const DemodStandardTable g_DemodTableJs2pc;      // type 12
extern const DemodStandardTable g_DemodTableJs6b2;      // type 13, also behind the USB 2820 adapter
extern const DemodStandardTable g_DemodTableTcl9886;    // type 17
extern const DemodStandardTable g_DemodTablePhilips1216; // type 92
extern const DemodStandardTable g_DemodTableFq1216me;   // types 93 and 97
extern const DemodStandardTable g_DemodTableT67;
extern const DemodStandardTable g_DemodTableT68;
extern const DemodStandardTable g_DemodTableT75;
extern const DemodStandardTable g_DemodTableT70;
extern const DemodStandardTable g_DemodTableT132;
// The USB 2820 adapter's own table.
extern const DemodStandardTable g_DemodTableUsbT97;
