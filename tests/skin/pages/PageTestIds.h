#pragma once
// Templates and controls of the page tests' own resources.
#define IDD_TEST_BASE_PAGE_A 2001
#define IDD_TEST_BASE_PAGE_B 2002
#define IDD_TEST_BASE_PAGE_C 2003
#define IDD_TEST_LIST_HOST 2004
#define IDC_TEST_EDIT 2101
#define IDC_TEST_LIST 2102
#define IDC_TEST_COMBO 2103
#define IDD_TEST_EDIT_LIST_HOST 2005
#define IDC_TEST_EDIT_LIST 2104
