#pragma once

#include <windows.h>
#include <strmif.h>

// What each tuner type id must make, column by column as the model sheets
// give it.
struct ExpectedTuner
{
    int type;
    int modelId;
    const char* name;       // null: the type has no model name
    const char* className;
    int letter;
    BYTE i2cRead;
    BYTE i2cWrite;
    int tvLow;
    int tvHigh;
    int lowBandEnd;
    int midBandStart;
    int midBandEnd;
    int highBandStart;
    BYTE bands[3];
    BYTE control;
    BYTE statusMask;
    int nIF;
    struct
    {
        BOOL has;
        int low;
        int high;
        int nIF;
        BYTE control;
        BYTE band;
    } fm;
    int afc[5];
    int fmLock;
    BOOL reapply;
    DWORD standards[18];
};

const ExpectedTuner kExpectedTuners[] =
{
    { 1, 17, "TCL2002N_1", "CTuner_TCL2002N_1", 'T', 0xC1, 0xC0, 55250, 801250, 169250, 175250, 445250, 451250, { 0x01, 0x02, 0x08 }, 0xCE, 0x40, 45750,
      { 0, 0, 0, 0, 0xCE, 0x01 }, { 4, 3, 2, 1, 0 }, 4, 0, { AnalogVideo_NTSC_M, AnalogVideo_PAL_M, AnalogVideo_PAL_N } },
    { 2, 2, "TCL2002N_1F", "CTuner_TCL2002N_1F", 'T', 0xC1, 0xC0, 55250, 801250, 169250, 175250, 445250, 451250, { 0x01, 0x02, 0x08 }, 0xCE, 0x40, 45750,
      { 1, 87000, 108000, 41250, 0x82, 0x05 }, { 4, 2, 3, 1, 0 }, 4, 0, { AnalogVideo_NTSC_M, AnalogVideo_PAL_M, AnalogVideo_PAL_N } },
    { 3, 3, "TCL2002NJ_5", "CTuner_TCL2002NJ_5", 'T', 0xC0, 0xC0, 91000, 765000, 170000, 170000, 450000, 450000, { 0x01, 0x02, 0x08 }, 0xCE, 0x40, 58750,
      { 0, 0, 0, 0, 0xCE, 0x01 }, { 4, 2, 3, 1, 0 }, 4, 0, { AnalogVideo_NTSC_M_J } },
    { 4, 4, "TCL2002MI_3", "CTuner_TCL2002MI_3", 'T', 0xC1, 0xC0, 48250, 863250, 170000, 170000, 450000, 450000, { 0x01, 0x02, 0x08 }, 0xCE, 0x40, 38900,
      { 0, 0, 0, 0, 0xCE, 0x01 }, { 4, 3, 2, 1, 0 }, 4, 0, { AnalogVideo_PAL_D, AnalogVideo_PAL_I, AnalogVideo_SECAM_D, AnalogVideo_SECAM_K } },
    { 5, 5, "TCL2002MB_3", "CTuner_TCL2002MB_3", 'T', 0xC1, 0xC0, 48250, 863250, 170000, 170000, 450000, 450000, { 0x01, 0x02, 0x08 }, 0xCE, 0x40, 38900,
      { 0, 0, 0, 0, 0xCE, 0x01 }, { 4, 3, 2, 1, 0 }, 4, 0, { AnalogVideo_PAL_B, AnalogVideo_PAL_D, AnalogVideo_SECAM_D, AnalogVideo_SECAM_K, AnalogVideo_SECAM_B, AnalogVideo_SECAM_G } },
    { 7, 7, "F07WP_4NR_E", "CTuner_F07WP_4NR_E", 'T', 0xC1, 0xC0, 55250, 801250, 127250, 133250, 361250, 367250, { 0x01, 0x02, 0x08 }, 0xCE, 0x40, 45750,
      { 0, 0, 0, 0, 0xCE, 0x01 }, { 4, 2, 3, 1, 0 }, 4, 1, { AnalogVideo_NTSC_M, AnalogVideo_NTSC_M_J, AnalogVideo_NTSC_433 } },
    { 8, 8, "F05WT_3BAR", "CTuner_F05WT_3BAR", 'T', 0xC1, 0xC0, 46250, 863250, 147250, 154250, 423250, 431250, { 0x01, 0x02, 0x08 }, 0xCE, 0x40, 38900,
      { 0, 0, 0, 0, 0xCE, 0x01 }, { 4, 3, 2, 1, 0 }, 4, 1, { AnalogVideo_PAL_B, AnalogVideo_PAL_D, AnalogVideo_PAL_G, AnalogVideo_PAL_H, AnalogVideo_PAL_I, AnalogVideo_PAL_M, AnalogVideo_SECAM_L, AnalogVideo_SECAM_L1 } },
    { 9, 9, "MFO2GIP_5N_E", "CTuner_MFO2GIP_5N_E", 'T', 0xC0, 0xC1, 55250, 801250, 157250, 157250, 439250, 439250, { 0x01, 0x02, 0x04 }, 0xCE, 0x40, 45750,
      { 1, 87000, 108000, 10700, 0x8A, 0x39 }, { 4, 2, 3, 1, 0 }, 4, 1, { AnalogVideo_NTSC_M, AnalogVideo_PAL_M, AnalogVideo_PAL_N } },
    { 10, 10, "TCL2002MB_1F", "CTuner_TCL2002MB_1F", 'T', 0xC0, 0xC0, 48250, 863250, 170000, 170000, 450000, 450000, { 0xA0, 0x90, 0x30 }, 0xC8, 0x40, 38900,
      { 1, 87000, 108000, 10700, 0x8A, 0xA5 }, { 4, 3, 2, 1, 0 }, 4, 0, { AnalogVideo_PAL_B, AnalogVideo_PAL_D, AnalogVideo_SECAM_B, AnalogVideo_SECAM_G, AnalogVideo_SECAM_D, AnalogVideo_SECAM_K } },
    { 11, 11, "TCL2002MI_1F", "CTuner_TCL2002MI_1F", 'T', 0xC1, 0xC0, 48250, 863250, 170000, 170000, 450000, 450000, { 0xA0, 0x90, 0x30 }, 0xCE, 0x40, 38900,
      { 1, 87000, 107800, 10700, 0x8A, 0xA5 }, { 4, 3, 2, 1, 0 }, 4, 0, { AnalogVideo_PAL_D, AnalogVideo_PAL_I, AnalogVideo_SECAM_D, AnalogVideo_SECAM_K } },
    { 12, 12, "MODEL_JS_2PC", "CTuner_MODEL_JS_2PC", 'G', 0x87, 0xC0, 49750, 863250, 160250, 168250, 464250, 471250, { 0x01, 0x02, 0x04 }, 0xCE, 0x40, 38900,
      { 0, 0, 0, 0, 0xCE, 0x01 }, { 4, 3, 2, 1, 0 }, 4, 1, { AnalogVideo_PAL_B, AnalogVideo_PAL_D, AnalogVideo_PAL_I, AnalogVideo_SECAM_L, AnalogVideo_SECAM_L1, AnalogVideo_SECAM_B, AnalogVideo_SECAM_G, AnalogVideo_SECAM_D, AnalogVideo_SECAM_K } },
    { 13, 13, "JS_6B2", "CTuner_JS_6B2", 'G', 0xC1, 0xC0, 45250, 855250, 161250, 168250, 463250, 471250, { 0x01, 0x02, 0x04 }, 0xCE, 0x40, 38900,
      { 0, 0, 0, 0, 0xCE, 0x01 }, { 4, 3, 2, 1, 0 }, 4, 1, { AnalogVideo_PAL_B, AnalogVideo_PAL_D, AnalogVideo_PAL_I, AnalogVideo_SECAM_L, AnalogVideo_SECAM_L1, AnalogVideo_SECAM_B, AnalogVideo_SECAM_G, AnalogVideo_SECAM_D, AnalogVideo_SECAM_K } },
    { 14, 14, "TCL2002MB_33F", "CTuner_TCL2002MB_33F", 'T', 0xC1, 0xC0, 48250, 863250, 170000, 170000, 450000, 450000, { 0xA0, 0x90, 0x30 }, 0xCE, 0x40, 38900,
      { 1, 87000, 108000, 10700, 0x8A, 0xA5 }, { 2, 4, 3, 1, 0 }, 4, 0, { AnalogVideo_PAL_B, AnalogVideo_PAL_D, AnalogVideo_SECAM_B, AnalogVideo_SECAM_D, AnalogVideo_SECAM_G, AnalogVideo_SECAM_K } },
    { 15, 15, "TCL9809N_1F", "CTuner_TCL9809N_1F", 'T', 0xC6, 0xC7, 55250, 801250, 169250, 175250, 445250, 451250, { 0xA0, 0x90, 0x30 }, 0xCE, 0x40, 45750,
      { 1, 87000, 108000, 10700, 0x8A, 0xA5 }, { 4, 3, 2, 1, 0 }, 3, 0, { AnalogVideo_NTSC_M, AnalogVideo_PAL_M, AnalogVideo_PAL_N } },
    { 17, 17, "TCL9886P_WM", "CTuner_TCL9886P_WM", 'T', 0xC1, 0xC0, 48250, 855250, 126250, 133250, 359250, 367250, { 0x01, 0x02, 0x08 }, 0xCE, 0x40, 38900,
      { 0, 0, 0, 0, 0xCE, 0x01 }, { 4, 3, 2, 1, 0 }, 4, 1, { AnalogVideo_PAL_D, AnalogVideo_PAL_I, AnalogVideo_PAL_B, AnalogVideo_SECAM_B, AnalogVideo_SECAM_G, AnalogVideo_SECAM_D, AnalogVideo_SECAM_K } },
    { 32, 32, "XINFA_TDQ_6B_B", "CTuner_XINFA_TDQ_6B_B", 'X', 0xC3, 0xC2, 48250, 863250, 168250, 175250, 447250, 455250, { 0xA0, 0x90, 0x30 }, 0xCE, 0x40, 38900,
      { 0, 0, 0, 0, 0xCE, 0x01 }, { 4, 3, 2, 1, 0 }, 4, 0, { AnalogVideo_PAL_B, AnalogVideo_SECAM_B, AnalogVideo_SECAM_G } },
    { 33, 33, "XINFA_TDQ_6B_DI", "CTuner_XINFA_TDQ_6B_DI", 'X', 0xC1, 0xC0, 49750, 863250, 168250, 176250, 448250, 456250, { 0xA0, 0x90, 0x30 }, 0xCE, 0x40, 38900,
      { 0, 0, 0, 0, 0xCE, 0x01 }, { 4, 3, 2, 1, 0 }, 4, 0, { AnalogVideo_PAL_D, AnalogVideo_PAL_I, AnalogVideo_SECAM_D, AnalogVideo_SECAM_K } },
    { 34, 34, "XINFA_TDQ_6B_N", "CTuner_XINFA_TDQ_6B_N", 'X', 0xC1, 0xC0, 55250, 863250, 169250, 175250, 451250, 457250, { 0xA0, 0x90, 0x30 }, 0xCE, 0x40, 45750,
      { 0, 0, 0, 0, 0xCE, 0x01 }, { 4, 3, 2, 1, 0 }, 4, 0, { AnalogVideo_NTSC_M, AnalogVideo_PAL_M, AnalogVideo_PAL_N } },
    { 35, 35, "XINFA_TDQ_6B4_DI", "CTuner_XINFA_TDQ_6B4_DI", 'X', 0xC1, 0xC0, 49750, 863250, 168250, 176250, 448250, 456250, { 0x01, 0x02, 0x08 }, 0xCE, 0x40, 38900,
      { 0, 0, 0, 0, 0xCE, 0x01 }, { 4, 3, 2, 1, 0 }, 4, 0, { AnalogVideo_PAL_D, AnalogVideo_PAL_I, AnalogVideo_SECAM_D, AnalogVideo_SECAM_K } },
    { 50, 50, "TNF8357DIF", "CTuner_TNF8357DIF", 'A', 0xC1, 0xC0, 49750, 863250, 160250, 168250, 464250, 471250, { 0x01, 0x02, 0x04 }, 0xCE, 0x40, 38900,
      { 0, 0, 0, 0, 0xCE, 0x01 }, { 4, 2, 3, 1, 0 }, 4, 0, { AnalogVideo_PAL_D, AnalogVideo_PAL_I } },
    { 52, 52, "TNF8532BF", "CTuner_TNF8532BF", 'A', 0xC1, 0xC0, 48250, 855250, 161250, 168250, 463250, 471250, { 0x01, 0x02, 0x08 }, 0xCE, 0x40, 38900,
      { 0, 0, 0, 0, 0xCE, 0x01 }, { 4, 3, 2, 1, 0 }, 4, 0, { AnalogVideo_PAL_D, AnalogVideo_PAL_B, AnalogVideo_SECAM_B, AnalogVideo_SECAM_G, AnalogVideo_SECAM_D, AnalogVideo_SECAM_K } },
    { 53, 52, "TNF8532DF", "CTuner_TNF8532DF", 'A', 0xC1, 0xC0, 49750, 855250, 160250, 168250, 464250, 471250, { 0x01, 0x02, 0x08 }, 0xCE, 0x40, 38000,
      { 0, 0, 0, 0, 0xCE, 0x01 }, { 4, 3, 2, 1, 0 }, 4, 0, { AnalogVideo_PAL_D, AnalogVideo_SECAM_D, AnalogVideo_SECAM_K } },
    { 54, 56, "TNF8532MF", "CTuner_TNF8532MF", 'A', 0xC1, 0xC0, 55250, 801250, 139250, 145250, 391250, 397250, { 0x01, 0x02, 0x08 }, 0xCE, 0x40, 45750,
      { 0, 0, 0, 0, 0xCE, 0x01 }, { 4, 3, 2, 1, 0 }, 4, 0, { AnalogVideo_NTSC_M, AnalogVideo_PAL_M, AnalogVideo_PAL_N } },
    { 55, 57, "TNF5831MFF", "CTuner_TNF5831MFF", 'A', 0xC1, 0xC0, 55250, 855250, 163250, 169250, 463250, 469250, { 0xA0, 0x90, 0x30 }, 0xCE, 0x40, 45750,
      { 1, 87500, 108000, 10700, 0x8A, 0xA5 }, { 4, 3, 2, 1, 0 }, 4, 0, { AnalogVideo_NTSC_M, AnalogVideo_PAL_M, AnalogVideo_PAL_N } },
    { 56, 54, "TNF5532JF", "CTuner_TNF5532JF", 'A', 0xC1, 0xC0, 91250, 769250, 165250, 165250, 463250, 463250, { 0x01, 0x02, 0x08 }, 0xCE, 0x40, 58750,
      { 0, 0, 0, 0, 0xCE, 0x01 }, { 4, 3, 2, 1, 0 }, 4, 0, { AnalogVideo_NTSC_M_J } },
    { 57, 55, "TNF5532MF", "CTuner_TNF5532MF", 'A', 0xC1, 0xC0, 55250, 801250, 163250, 169250, 463250, 469250, { 0x01, 0x02, 0x08 }, 0xCE, 0x40, 45750,
      { 0, 0, 0, 0, 0xCE, 0x01 }, { 4, 3, 2, 1, 0 }, 4, 0, { AnalogVideo_NTSC_M, AnalogVideo_PAL_M, AnalogVideo_PAL_N } },
    { 58, 58, "TNF9835", "CTuner_TNF9835", 'A', 0xC1, 0xC0, 49250, 863250, 160250, 168250, 464250, 471250, { 0x01, 0x02, 0x08 }, 0xCE, 0x40, 38900,
      { 1, 87500, 108000, 10700, 0x8A, 0x11 }, { 4, 3, 2, 1, 0 }, 3, 0, { AnalogVideo_PAL_D, AnalogVideo_PAL_I, AnalogVideo_SECAM_D, AnalogVideo_SECAM_K } },
    { 59, 59, "TNJ3321PF", "CTuner_TNJ3321PF", 'A', 0xC1, 0xC0, 44250, 863250, 140250, 147250, 423250, 431250, { 0x01, 0x02, 0x08 }, 0x8E, 0x40, 38900,
      { 0, 0, 0, 0, 0xCE, 0x01 }, { 4, 2, 3, 1, 0 }, 4, 1, { AnalogVideo_PAL_B, AnalogVideo_PAL_G, AnalogVideo_PAL_D, AnalogVideo_PAL_I, AnalogVideo_SECAM_B, AnalogVideo_SECAM_G, AnalogVideo_SECAM_D, AnalogVideo_SECAM_K } },
    { 60, 60, "TNF9535BDF", "CTuner_TNF9535BDF", 'A', 0xC1, 0xC0, 48250, 863250, 161250, 168250, 464250, 471250, { 0x01, 0x02, 0x08 }, 0xCE, 0x40, 38900,
      { 0, 87500, 108000, 10700, 0x8A, 0xA5 }, { 4, 2, 1, 3, 0 }, 9, 0, { AnalogVideo_PAL_B, AnalogVideo_PAL_D, AnalogVideo_SECAM_B, AnalogVideo_SECAM_G, AnalogVideo_SECAM_D, AnalogVideo_SECAM_K } },
    { 61, 61, "TNF7532PRF", "CTuner_TNF7532PRF", 'A', 0xC0, 0xC1, 55250, 801250, 163250, 169250, 463250, 469250, { 0x01, 0x02, 0x08 }, 0xCE, 0x40, 45750,
      { 0, 87500, 108000, 10700, 0x8A, 0xA5 }, { 4, 2, 1, 3, 0 }, 9, 1, { AnalogVideo_PAL_N, AnalogVideo_PAL_M } },
    { 62, 62, "TNF9835BDFF", "CTuner_TNF9835BDFF", 'A', 0xC1, 0xC0, 48250, 863250, 161250, 168250, 463250, 471250, { 0x01, 0x02, 0x08 }, 0xCE, 0x40, 38900,
      { 1, 87500, 108000, 10700, 0x8A, 0x11 }, { 4, 3, 2, 1, 0 }, 2, 0, { AnalogVideo_PAL_B, AnalogVideo_PAL_D, AnalogVideo_SECAM_B, AnalogVideo_SECAM_D, AnalogVideo_SECAM_K, AnalogVideo_SECAM_G } },
    { 63, 63, "TNJ3321MF", "CTuner_TNJ3321MF", 'A', 0xC1, 0xC0, 44250, 863250, 140250, 147250, 423250, 431250, { 0x01, 0x02, 0x08 }, 0xCE, 0x40, 45750,
      { 0, 0, 0, 0, 0xCE, 0x01 }, { 4, 3, 2, 1, 0 }, 4, 0, { AnalogVideo_NTSC_M, AnalogVideo_PAL_M, AnalogVideo_PAL_N } },
    { 64, 64, "TNF5531MF", "CTuner_TNF5531MF", 'A', 0xC1, 0xC0, 55250, 801250, 163250, 169250, 463250, 469250, { 0xA0, 0x90, 0x30 }, 0xCE, 0x40, 45750,
      { 0, 0, 0, 0, 0xCE, 0x01 }, { 4, 3, 2, 1, 0 }, 4, 0, { AnalogVideo_NTSC_M, AnalogVideo_PAL_M, AnalogVideo_PAL_N } },
    { 65, 65, "TNF5835MFF", "CTuner_TNF5835MFF", 'A', 0xC1, 0xC0, 55250, 801250, 163250, 169250, 463250, 469250, { 0x01, 0x02, 0x08 }, 0xCE, 0x40, 45750,
      { 1, 76000, 108000, 10700, 0x8A, 0x11 }, { 4, 3, 2, 1, 0 }, 3, 0, { AnalogVideo_NTSC_M, AnalogVideo_PAL_M, AnalogVideo_PAL_N } },
    { 66, 66, "TNF5535MF", "CTuner_TNF5535MF", 'A', 0xC1, 0xC0, 55250, 801250, 163250, 169250, 463250, 469250, { 0x01, 0x02, 0x08 }, 0xCE, 0x40, 45750,
      { 0, 0, 0, 0, 0xCE, 0x01 }, { 4, 3, 2, 1, 0 }, 4, 0, { AnalogVideo_NTSC_M, AnalogVideo_PAL_M, AnalogVideo_PAL_N } },
    { 67, 67, "TNJ3321CF", "CTuner_TNJ3321CF", 'A', 0xC1, 0xC0, 44250, 863250, 140250, 147250, 423250, 431250, { 0x01, 0x02, 0x08 }, 0xCE, 0x40, 38900,
      { 0, 0, 0, 0, 0xCE, 0x01 }, { 4, 2, 1, 1, 0 }, 4, 1, { AnalogVideo_PAL_B, AnalogVideo_PAL_D, AnalogVideo_PAL_I, AnalogVideo_SECAM_B, AnalogVideo_SECAM_D, AnalogVideo_SECAM_L } },
    { 68, 68, "TNJ7752JFF_MK5", "CTuner_TNJ7752JFF_MK5", 'A', 0xC1, 0xC0, 91250, 765250, 165250, 171250, 463250, 471250, { 0x21, 0x22, 0x28 }, 0xCE, 0x40, 58750,
      { 1, 76000, 91000, 10700, 0x8A, 0x11 }, { 4, 2, 3, 1, 0 }, 4, 1, { AnalogVideo_NTSC_M, AnalogVideo_NTSC_M_J, AnalogVideo_PAL_M, AnalogVideo_PAL_N } },
    { 69, 69, "TNF9935BDFF", "CTuner_TNF9935BDFF", 'A', 0xC1, 0xC0, 48250, 863250, 161250, 168250, 463250, 471250, { 0x01, 0x02, 0x08 }, 0xCE, 0x40, 38900,
      { 1, 87500, 108000, 10700, 0x8A, 0x11 }, { 4, 3, 2, 1, 0 }, 2, 0, { AnalogVideo_PAL_B, AnalogVideo_PAL_D, AnalogVideo_SECAM_B, AnalogVideo_SECAM_D, AnalogVideo_SECAM_K, AnalogVideo_SECAM_G } },
    { 70, 70, "TNJ8852CFF", "CTuner_TNJ8852CFF", 'A', 0xC1, 0xC0, 44250, 863250, 161250, 168250, 463250, 471250, { 0x11, 0x12, 0x18 }, 0xCE, 0x40, 38900,
      { 1, 87500, 108000, 10700, 0x8A, 0x21 }, { 4, 2, 3, 1, 0 }, 4, 1, { AnalogVideo_PAL_B, AnalogVideo_PAL_D, AnalogVideo_PAL_I, AnalogVideo_SECAM_L, AnalogVideo_SECAM_B, AnalogVideo_SECAM_G, AnalogVideo_SECAM_D, AnalogVideo_SECAM_K } },
    { 71, 71, "TNJ7357MF", "CTuner_TNJ7357MF", 'A', 0xC1, 0xC0, 55250, 801250, 163250, 169250, 463250, 469250, { 0x01, 0x02, 0x08 }, 0xCE, 0x40, 45750,
      { 0, 0, 0, 0, 0xCE, 0x01 }, { 4, 3, 2, 1, 0 }, 4, 1, { AnalogVideo_NTSC_M } },
    { 72, 16, "LGM200T", "CTuner_LGM200T", 'L', 0xC1, 0xC0, 49750, 863250, 147250, 147250, 425250, 425250, { 0x01, 0x02, 0x08 }, 0x8E, 0x40, 38900,
      { 0, 0, 0, 0, 0xCE, 0x01 }, { 4, 2, 3, 1, 0 }, 4, 1, { AnalogVideo_PAL_B, AnalogVideo_PAL_D, AnalogVideo_PAL_I, AnalogVideo_SECAM_B, AnalogVideo_SECAM_G, AnalogVideo_SECAM_D, AnalogVideo_SECAM_K } },
    { 73, 73, "LGH200T", "CTuner_LGH200T", 'L', 0xC1, 0xC0, 55250, 801250, 127250, 133250, 361250, 367250, { 0x01, 0x02, 0x08 }, 0x8E, 0x40, 45750,
      { 0, 0, 0, 0, 0xCE, 0x01 }, { 4, 2, 3, 1, 0 }, 4, 0, { AnalogVideo_NTSC_M, AnalogVideo_NTSC_M_J, AnalogVideo_PAL_M, AnalogVideo_PAL_N } },
    { 74, 74, "LGH202T", "CTuner_LGH202T", 'L', 0xC1, 0xC0, 55250, 801250, 127250, 133250, 361250, 367250, { 0x01, 0x02, 0x08 }, 0xCE, 0x40, 45750,
      { 0, 0, 0, 0, 0xCE, 0x01 }, { 4, 2, 3, 1, 0 }, 4, 0, { AnalogVideo_NTSC_M, AnalogVideo_NTSC_M_J, AnalogVideo_PAL_M, AnalogVideo_PAL_N } },
    { 75, 75, "LGS200T", "CTuner_LGS200T", 'L', 0xC1, 0xC0, 48250, 855250, 140250, 147250, 423250, 431250, { 0x01, 0x02, 0x08 }, 0xCE, 0x40, 38900,
      { 0, 0, 0, 0, 0xCE, 0x01 }, { 4, 2, 3, 1, 0 }, 4, 1, { AnalogVideo_PAL_B, AnalogVideo_PAL_D, AnalogVideo_PAL_I, AnalogVideo_SECAM_L } },
    { 92, 92, "PHILIPS1216", "CTuner_PHILIPS1216", 'P', 0xC1, 0xC0, 48250, 863250, 160000, 160000, 442000, 442000, { 0x01, 0x02, 0x04 }, 0xCE, 0x40, 38900,
      { 1, 87000, 107800, 10700, 0x88, 0x19 }, { 4, 2, 3, 1, 0 }, 4, 1, { AnalogVideo_PAL_B, AnalogVideo_PAL_D, AnalogVideo_PAL_I, AnalogVideo_SECAM_L, AnalogVideo_SECAM_L1, AnalogVideo_SECAM_D, AnalogVideo_SECAM_K, AnalogVideo_SECAM_B, AnalogVideo_SECAM_G } },
    { 93, 93, "FQ1216ME", "CTuner_FQ1216ME", 'P', 0xC1, 0xC0, 48250, 863250, 160000, 160000, 442000, 442000, { 0x01, 0x02, 0x04 }, 0xCE, 0x40, 38900,
      { 0, 0, 0, 0, 0xCE, 0x01 }, { 4, 2, 3, 1, 0 }, 4, 1, { AnalogVideo_PAL_B, AnalogVideo_PAL_D, AnalogVideo_PAL_I, AnalogVideo_SECAM_L, AnalogVideo_SECAM_L1, AnalogVideo_SECAM_B, AnalogVideo_SECAM_G, AnalogVideo_SECAM_D, AnalogVideo_SECAM_K } },
    { 94, 94, "FQ1236F", "CTuner_FQ1236F", 'P', 0xC1, 0xC0, 55250, 801250, 160000, 160000, 442000, 442000, { 0x01, 0x02, 0x04 }, 0xCE, 0x40, 45750,
      { 0, 0, 0, 0, 0xCE, 0x01 }, { 4, 3, 2, 1, 0 }, 4, 0, { AnalogVideo_NTSC_M, AnalogVideo_PAL_M, AnalogVideo_PAL_N } },
    { 96, 96, "PHILIPSFQ1286", "CTuner_PHILIPSFQ1286", 'P', 0xC1, 0xC0, 91250, 765250, 160000, 160000, 442000, 442000, { 0x01, 0x02, 0x04 }, 0xCE, 0x40, 58750,
      { 0, 0, 0, 0, 0xCE, 0x01 }, { 4, 3, 2, 1, 0 }, 4, 1, { AnalogVideo_NTSC_M_J } },
    { 97, 97, "FQ1216ME_5", "CUsb2820Tuner", 'P', 0xC1, 0xC0, 48250, 863250, 160000, 160000, 442000, 442000, { 0x01, 0x02, 0x04 }, 0xCE, 0x40, 38900,
      { 0, 0, 0, 0, 0xCE, 0x01 }, { 4, 2, 3, 1, 0 }, 4, 1, { AnalogVideo_PAL_B, AnalogVideo_PAL_D, AnalogVideo_PAL_I, AnalogVideo_SECAM_L, AnalogVideo_SECAM_L1, AnalogVideo_SECAM_B, AnalogVideo_SECAM_G, AnalogVideo_SECAM_D, AnalogVideo_SECAM_K } },
    { 98, 98, "FM1236MK3", "CTuner_FM1236MK3", 'P', 0xC1, 0xC0, 55250, 801250, 160000, 160000, 442000, 442000, { 0x01, 0x02, 0x04 }, 0xCE, 0x40, 45750,
      { 1, 87500, 108000, 10700, 0xCE, 0x01 }, { 4, 3, 2, 1, 0 }, 4, 0, { AnalogVideo_NTSC_M, AnalogVideo_PAL_M, AnalogVideo_PAL_N } },
    { 100, 100, "PANOSONIC_ENGE4326D", "CTuner_PANOSONIC_ENGE4326D", 'O', 0xC1, 0xC0, 91250, 765250, 165250, 171250, 463250, 471250, { 0x01, 0x02, 0x08 }, 0xCE, 0x40, 58750,
      { 0, 0, 0, 0, 0xCE, 0x01 }, { 4, 2, 3, 1, 0 }, 4, 1, { AnalogVideo_NTSC_M_J } },
    { 110, 110, "FS5_1A5_BG1", "CTuner_FS5_1A5_BG1", 'C', 0xC1, 0xC0, 48250, 863250, 140250, 147250, 423250, 431250, { 0x01, 0x02, 0x08 }, 0xCE, 0x40, 38900,
      { 0, 0, 0, 0, 0xCE, 0x01 }, { 4, 3, 2, 1, 0 }, 4, 0, { AnalogVideo_PAL_B, AnalogVideo_SECAM_B, AnalogVideo_SECAM_G } },
    { 111, 111, "FI1236MK2", "CTuner_FI1236MK2", 'P', 0xC1, 0xC0, 55250, 801250, 160000, 160000, 454000, 454000, { 0xA0, 0x90, 0x30 }, 0xCE, 0x40, 45750,
      { 0, 0, 0, 0, 0xCE, 0x01 }, { 4, 2, 3, 1, 0 }, 4, 1, { AnalogVideo_NTSC_M, AnalogVideo_NTSC_M_J, AnalogVideo_NTSC_433 } },
    { 130, 130, "TNF9533BDF", "CTuner_TNF9533BDF", 'A', 0xC1, 0xC0, 48250, 863250, 161250, 168250, 464250, 471250, { 0x01, 0x02, 0x04 }, 0xCE, 0x40, 38900,
      { 0, 0, 0, 0, 0xCE, 0x01 }, { 4, 3, 2, 1, 0 }, 4, 0, { AnalogVideo_PAL_B, AnalogVideo_PAL_D, AnalogVideo_SECAM_B, AnalogVideo_SECAM_D, AnalogVideo_SECAM_K } },
    { 131, 131, NULL, "CTuner_Type131", 'A', 0xC1, 0xC0, 49250, 863250, 160250, 168250, 464250, 471250, { 0x01, 0x02, 0x04 }, 0xCE, 0x40, 38000,
      { 0, 0, 0, 0, 0xCE, 0x01 }, { 4, 3, 2, 1, 0 }, 4, 0, { AnalogVideo_PAL_I, AnalogVideo_PAL_D, AnalogVideo_SECAM_D, AnalogVideo_SECAM_K } },
    { 132, 132, "TNJ8352PF", "CTuner_TNJ8352PF", 'A', 0xC1, 0xC0, 44250, 863250, 161250, 168250, 463250, 471250, { 0x01, 0x02, 0x04 }, 0xCE, 0x40, 38900,
      { 0, 0, 0, 0, 0xCE, 0x01 }, { 4, 2, 3, 1, 0 }, 4, 1, { AnalogVideo_PAL_D, AnalogVideo_PAL_I, AnalogVideo_PAL_B, AnalogVideo_SECAM_B, AnalogVideo_SECAM_G, AnalogVideo_SECAM_D, AnalogVideo_SECAM_K } },
    { 133, 133, "TNF9535DIF", "CTuner_TNF9535DIF", 'A', 0xC1, 0xC0, 49750, 863250, 160250, 168250, 464250, 471250, { 0x01, 0x02, 0x08 }, 0xCE, 0x40, 38900,
      { 0, 0, 0, 0, 0xCE, 0x01 }, { 4, 2, 3, 1, 0 }, 4, 0, { AnalogVideo_PAL_D, AnalogVideo_PAL_I, AnalogVideo_SECAM_D, AnalogVideo_SECAM_K } },
    { 134, 134, "TNF8022", "CTuner_TNF8022", 'A', 0xC1, 0xC0, 49750, 863250, 160250, 168250, 464250, 471250, { 0x01, 0x02, 0x08 }, 0xCE, 0x40, 38900,
      { 0, 0, 0, 0, 0xCE, 0x01 }, { 4, 3, 2, 1, 0 }, 4, 0, { AnalogVideo_PAL_D, AnalogVideo_PAL_I, AnalogVideo_SECAM_D, AnalogVideo_SECAM_K } },
    { 138, 62, "TNF9835DIFF", "CTuner_TNF9835DIFF", 'A', 0xC1, 0xC0, 49250, 863250, 160250, 168250, 464250, 471250, { 0x01, 0x02, 0x08 }, 0xCE, 0x40, 38900,
      { 1, 87500, 108000, 10700, 0x8A, 0x11 }, { 4, 3, 2, 1, 0 }, 2, 0, { AnalogVideo_PAL_I, AnalogVideo_PAL_D } },
    { 90, 90, "XCEIVE3028", "CTuner_XCEIVE3028", 'E', 0xC3, 0xC2, 42750, 863250, 147250, 147250, 425250, 425250, { 0x00, 0x00, 0x00 }, 0x00, 0x00, 0,
      { 0, 0, 0, 0, 0xCE, 0x01 }, { 4, 2, 1, 1, 0 }, 4, 0,
      { AnalogVideo_PAL_B, AnalogVideo_PAL_D, AnalogVideo_PAL_H, AnalogVideo_PAL_I, AnalogVideo_PAL_M, AnalogVideo_PAL_N,
        AnalogVideo_PAL_60, AnalogVideo_SECAM_B, AnalogVideo_SECAM_D, AnalogVideo_SECAM_G, AnalogVideo_SECAM_H,
        AnalogVideo_SECAM_K, AnalogVideo_SECAM_K1, AnalogVideo_SECAM_L, AnalogVideo_SECAM_L1, AnalogVideo_NTSC_M,
        AnalogVideo_NTSC_M_J, AnalogVideo_NTSC_433 } },
    { 91, 91, "XCEIVE2028", "CTuner_XCEIVE2028", 'E', 0xC3, 0xC2, 42750, 863250, 147250, 147250, 425250, 425250, { 0x00, 0x00, 0x00 }, 0x00, 0x00, 0,
      { 0, 0, 0, 0, 0xCE, 0x01 }, { 4, 2, 1, 1, 0 }, 4, 0,
      { AnalogVideo_PAL_B, AnalogVideo_PAL_D, AnalogVideo_PAL_H, AnalogVideo_PAL_I, AnalogVideo_PAL_M, AnalogVideo_PAL_N,
        AnalogVideo_PAL_60, AnalogVideo_SECAM_B, AnalogVideo_SECAM_D, AnalogVideo_SECAM_G, AnalogVideo_SECAM_H,
        AnalogVideo_SECAM_K, AnalogVideo_SECAM_K1, AnalogVideo_SECAM_L, AnalogVideo_SECAM_L1, AnalogVideo_NTSC_M,
        AnalogVideo_NTSC_M_J, AnalogVideo_NTSC_433 } },
    { 95, 95, "PHILIPSTDA8275A", "CTda8275ATuner", 'P', 0xC3, 0xC2, 48250, 863250, 170000, 170000, 450000, 450000, { 0x01, 0x02, 0x08 }, 0xCE, 0x40, 38900,
      { 0, 0, 0, 0, 0xCE, 0x01 }, { 4, 3, 2, 0, 1 }, 4, 0,
      { 0x1, 0x2, 0x10, 0x20, 0x80, 0x100, 0x200, 0x400, 0x1000, 0x2000, 0x4000, 0x8000, 0x40000, 0x80000 } },
    { 136, 136, "XCEIVE3028AF", "CXc3028Tuner", 'E', 0xC3, 0xC2, 42750, 863250, 147250, 147250, 425250, 425250, { 0x00, 0x00, 0x00 }, 0x00, 0x00, 0,
      { 0, 0, 0, 0, 0xCE, 0x01 }, { 4, 2, 1, 1, 0 }, 4, 0,
      { AnalogVideo_PAL_B, AnalogVideo_PAL_D, AnalogVideo_PAL_H, AnalogVideo_PAL_I, AnalogVideo_PAL_M, AnalogVideo_PAL_N,
        AnalogVideo_PAL_60, AnalogVideo_SECAM_B, AnalogVideo_SECAM_D, AnalogVideo_SECAM_G, AnalogVideo_SECAM_H,
        AnalogVideo_SECAM_K, AnalogVideo_SECAM_K1, AnalogVideo_SECAM_L, AnalogVideo_SECAM_L1, AnalogVideo_NTSC_M,
        AnalogVideo_NTSC_M_J, AnalogVideo_NTSC_433 } },
    { 137, 137, "XCEIVE3028SIF", "CXc3028SifTuner", 'E', 0xC3, 0xC2, 42750, 863250, 147250, 147250, 425250, 425250, { 0x00, 0x00, 0x00 }, 0x00, 0x00, 0,
      { 0, 0, 0, 0, 0xCE, 0x01 }, { 4, 2, 1, 1, 0 }, 4, 0,
      { AnalogVideo_PAL_B, AnalogVideo_PAL_D, AnalogVideo_PAL_H, AnalogVideo_PAL_I, AnalogVideo_PAL_M, AnalogVideo_PAL_N,
        AnalogVideo_PAL_60, AnalogVideo_SECAM_B, AnalogVideo_SECAM_D, AnalogVideo_SECAM_G, AnalogVideo_SECAM_H,
        AnalogVideo_SECAM_K, AnalogVideo_SECAM_K1, AnalogVideo_SECAM_L, AnalogVideo_SECAM_L1, AnalogVideo_NTSC_M,
        AnalogVideo_NTSC_M_J, AnalogVideo_NTSC_433 } },
};
