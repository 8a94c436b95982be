#pragma once
// Templates and controls of the window tests' own resources.
#define IDD_TEST_DATA 1000
#define IDD_TEST_PLAIN 1001
#define IDC_TEXT 1101
#define IDC_NUMBER 1102
#define IDC_UNSIGNED 1103
#define IDC_REAL 1104
#define IDC_CHECK 1110
#define IDC_RADIO_A 1120
#define IDC_RADIO_B 1121
#define IDC_RADIO_C 1122
#define IDC_CHOICE 1130
#define IDC_OTHER 1140
#define IDD_TEST_PAGE_FIRST 1002
#define IDD_TEST_PAGE_SECOND 1003
#define IDD_TEST_PAGE_THIRD 1004
