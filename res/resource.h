// Resource ids of the module: dialog templates, controls, icons, cursors and bitmaps.
#pragma once

// Dialog templates.
#define IDD_DLG_ABOUT 251
#define IDD_DLG_PROGRESS 455
#define IDD_DLG_OPTIONS 605

// Controls.
#define IDC_LOGO 215
#define IDC_FONT_SOURCE 229
#define IDC_VERSION_TEXT 364
#define IDC_PROGRESS_BAR 488

// Icons.
#define IDI_KORVEL 674
#define IDI_CLOSE_IDLE 710
#define IDI_CLOSE_HOVER 711

// Cursors.
#define IDR_HAND_CURSOR 709

// Bitmaps.
#define IDB_LOGO 695

// Small value dialogs, print-order picker, unequal margins, single-plot settings and
// the naming rule.
#define IDD_DLG_FILENAME 102
#define IDD_DLG_SC_SET 713
#define IDD_DLG_NEW_PAPER 714
#define IDD_DLG_SINGLEPLOT_SETTING 715
#define IDD_DLG_NAME_RULE 716
#define IDD_DLG_STR 809
#define IDD_DLG_SC_SETW 810
#define IDD_DLG_FILTER 828
#define IDD_DLG_SORTTYPE 829
#define IDD_DLG_PLOTSHEET_DEFAULT 836
#define IDD_DLG_UNEQUAL_EDGE 837

#define IDC_EDIT_TEXT 202
#define IDC_EDIT_TEXT2 203
#define IDC_PICTURE 215
#define IDC_PREFIX 216
#define IDC_START_NO 217
#define IDC_LABEL_1 229
#define IDC_LABEL_2 230
#define IDC_LABEL_7 231
#define IDC_LABEL_8 232
#define IDC_SUFFIX 261
#define IDC_SWATCH 399
#define IDC_STYLE_COMBO 861
#define IDC_FORMAT_COMBO 862
#define IDC_MARGIN_COMBO 863
#define IDC_RADIO_1 873
#define IDC_RADIO_2 874
#define IDC_RADIO_3 875
#define IDC_SCALE_EDIT 878
#define IDC_SECOND_EDIT 879
#define IDC_FIRST_EDIT 880
#define IDC_LABEL_881 881
#define IDC_GROUP_LAND 882
#define IDC_GROUP_PORT 883
#define IDC_DIGITS_COMBO 886
#define IDC_EXAMPLE 887
#define IDC_LABEL_3 901
#define IDC_LABEL_4 902
#define IDC_LABEL_5 903
#define IDC_LABEL_6 904
#define IDC_ASK_NAME_CHECK 913
#define IDC_AUTO_SCALE_CHECK 914
#define IDC_SIGN_CHECK 915
#define IDC_DWG_BLOCK_CHECK 916
#define IDC_STYLE_EDIT_BUTTON 958
#define IDC_LAND_PREVIEW 977
#define IDC_PORT_PREVIEW 978

#define IDI_OK_HOVER 295
#define IDI_OK_IDLE 296
#define IDI_CANCEL_IDLE 297
#define IDI_CANCEL_HOVER 298
#define IDI_EDIT_IDLE 666
#define IDI_EDIT_HOVER 667
#define IDR_NEXT_CURSOR 685
#define IDR_PREV_CURSOR 686
#define IDB_ORDER_SELECTION 746
#define IDB_ORDER_1 747
