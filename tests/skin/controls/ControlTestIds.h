#pragma once
#define IDD_SKIN_CONTROLS 900
#define IDC_PUSH 901
#define IDC_TOGGLE 902
#define IDC_SHAPED 903
#define IDC_VOLUME 904
#define IDC_SEEK 905
#define IDC_LABEL 906
#define IDC_WIDE 907
