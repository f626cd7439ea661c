/* Identifiers of the main dialog's template, shared by the resource script and the code. */
#pragma once

#define IDD_MAIN 100

#define IDC_MODE 1000
#define IDC_FIELD1 1001
#define IDC_BROWSE1 1002
#define IDC_LABEL1 1003
#define IDC_LABEL2 1004
#define IDC_FIELD2 1005
#define IDC_BROWSE2 1006
#define IDC_LABEL3 1007
#define IDC_FIELD3 1008
#define IDC_BROWSE3 1009
#define IDC_MUSIC 1010
#define IDC_UTF8 1011
#define IDC_PATCH 1012
#define IDC_LABEL4 1013
#define IDC_FIELD4 1014
#define IDC_BROWSE4 1015
#define IDC_STRICT 1016
#define IDC_IPS 1017
#define IDC_NEWLINE 1018
#define IDC_SIDE_A 1019
#define IDC_SIDE_B 1020
