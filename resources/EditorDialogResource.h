// The level editor's dialog resource: its id and the ids of its controls.
#pragma once

#define IDD_LEVEL_EDITOR 146

#define IDC_LEVEL_LIST 1028
#define IDC_LEVEL_FILE 1029
#define IDC_BROWSE 1030
#define IDC_LEVEL_FILE_LABEL 1031
#define IDC_SAVE 1032
#define IDC_SAVE_AS 1033
#define IDC_LOAD 1034
#define IDC_INSERT_LEVEL 1035
#define IDC_DELETE_LEVEL 1036
#define IDC_COPY_LEVEL 1037
#define IDC_LEVEL_DOWN 1038
#define IDC_LEVEL_UP 1039
#define IDC_DELETE_PLACEABLE 1040
#define IDC_PLACEABLE_DOWN 1041
#define IDC_NEXT_STONE 1042
#define IDC_PLACEABLE_UP 1043
#define IDC_RESTORE 1044
#define IDC_PLAY 1045
#define IDC_PLACEABLE_LIST 1046
#define IDC_ADD_PLACEABLE 1047
#define IDC_LEVEL_NAME 1048
#define IDC_LEVEL_COUNT 1049
#define IDC_RANDOM_TRIES 1050
#define IDC_RANDOM 1051

// Registers the dialog template (resource type RT_DIALOG, id IDD_LEVEL_EDITOR).
void RegisterEditorDialog();
