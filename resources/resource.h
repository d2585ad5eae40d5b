#pragma once
// Numeric ids of the program's resources and of the items of its dialog
// templates. Plain #defines only, so that both the resource compiler and C++
// read this file. Dialog templates, the menu and the tool bar description are
// named by string ("ID_Tarvek", "ID_Tarvek_menu_1", ...), not by number.
// The ids stand in hand-kept columns, group by group.
// clang-format off

// Icons
#define IDI_TARVEK              100 // window icon, 32 x 32 and 16 x 16
#define IDI_PLUG_CONNECTED      101 // transfer button while the port is open
#define IDI_PLUG_APART          102 // transfer button while no port is open
#define IDI_ERROR_CROSS         103 // clear-errors button
#define IDI_ARROW_UP            104 // offset up
#define IDI_ARROW_DOWN          105 // offset down

// Bitmaps
#define IDB_BRASSELWALD_LOGO    103 // about box picture, 230 x 60
#define IDB_TOOLBAR_IMAGES      110 // tool bar strip of three 16 x 16 pictures
#define IDB_TOOLBAR_IMAGE_OPEN  0   // positions in that strip
#define IDB_TOOLBAR_IMAGE_SAVE  1
#define IDB_TOOLBAR_IMAGE_EXIT  2

// Framework message texts (string table); last error = 0x20000000 + id
#define IDS_WINDOW_NOT_CREATED      1
#define IDS_WINDOW_ALREADY_CREATED  2
#define IDS_USER_EVENT_NOT_POSTED   3
#define IDS_NO_WINDOW               4
#define IDS_INVALID_TARGET          5
#define IDS_DRAG_NOT_STARTED        6
#define IDS_REGISTRY_QUERY_FAILED   7

// Menu "ID_Tarvek_menu_1"
#define IDM_OPEN_FILE           1001
#define IDM_SAVE_FILE           1002
#define IDM_EXIT                1004
#define IDM_ABOUT               1006

// Tool bar "ID_Tarvek_toolb_1_data": command id = 100 + item position
#define IDT_LOAD                100
#define IDT_SAVE                101
#define IDT_SEPARATOR           102
#define IDT_EXIT                103

// "ID_Tarvek"
#define IDC_TARVEK_RTB_1            102
#define IDC_TARVEK_CONNECT          106
#define IDC_TARVEK_TABCTRL_1        108

// "ID_TabForm1"
#define IDC_TABFORM1_GROUPB_1       101
#define IDC_TABFORM1_COMBO_COM      102

// "ID_TabForm2"
#define IDC_TABFORM2_LABEL_2                101
#define IDC_TABFORM2_LABEL_3                102
#define IDC_TABFORM2_LABEL_4                103
#define IDC_TABFORM2_LABEL_5                104
#define IDC_TABFORM2_TEXTB_THRESHOLD1_UPPER 105
#define IDC_TABFORM2_TEXTB_THRESHOLD1_LOWER 106
#define IDC_TABFORM2_TEXTB_THRESHOLD2_UPPER 107
#define IDC_TABFORM2_TEXTB_THRESHOLD2_LOWER 108
#define IDC_TABFORM2_LABEL_6                109
#define IDC_TABFORM2_LABEL_7                110
#define IDC_TABFORM2_LABEL_8                111
#define IDC_TABFORM2_LABEL_9                112
#define IDC_TABFORM2_GROUPB_1               113
#define IDC_TABFORM2_GROUPB_2               114

// "ID_TabForm3"
#define IDC_TABFORM3_GROUPB_1           101
#define IDC_TABFORM3_GROUPB_2           102
#define IDC_TABFORM3_PICTBTTN_RCVUP     103
#define IDC_TABFORM3_TEXTB_RCV          104
#define IDC_TABFORM3_PICTBTTN_RCVDWN    105
#define IDC_TABFORM3_PICTBTTN_TRMUP     106
#define IDC_TABFORM3_TEXTB_TRM          107
#define IDC_TABFORM3_PICTBTTN_TRMDWN    108
#define IDC_TABFORM3_CHECKBOX_RCV       109
#define IDC_TABFORM3_CHECKBOX_TRM       110

// "ID_TabForm4"
#define IDC_TABFORM4_GROUPB_3           101
#define IDC_TABFORM4_CHECKBOX_ERRHNDL   102
#define IDC_TABFORM4_CHECKBOX_ERRMEM    103
#define IDC_TABFORM4_LABEL_10           104
#define IDC_TABFORM4_COMBO_CYCLE        105
#define IDC_TABFORM4_LABEL_11           106
#define IDC_TABFORM4_PBX_ERROR          107
#define IDC_TABFORM4_GROUPB_1           108

// "ID_Brasselwald"
#define IDC_BRASSELWALD_PICTB_1     101
#define IDC_BRASSELWALD_LABEL_1     102
#define IDC_BRASSELWALD_CB_1        103
#define IDC_BRASSELWALD_LABEL_2     104
