/* Resource ids shared by the C++ sources and app.rc.
   Only #define lines here: the resource compiler reads this file too. */
#ifndef VEXO_RESOURCE_H
#define VEXO_RESOURCE_H

/* 1: application icon (lowest id, so the shell picks it for the .exe) */
#define IDI_APP 1

/* 101-199: toolbar bitmaps (101-107 taken) */
#define IDB_TOOLBAR_NEW 101
#define IDB_TOOLBAR_OPEN 102
#define IDB_TOOLBAR_SAVE 103
#define IDB_TOOLBAR_PREVIEW 104
#define IDB_TOOLBAR_INPUT 105
#define IDB_TOOLBAR_WHATTHIS 106
#define IDB_TOOLBAR_UPDATE 107

/* 201-299: bitmaps; 211-215 are the property tab images, magenta is transparent */
#define IDB_SPLASH 201
#define IDB_TAB_GENERAL 211
#define IDB_TAB_IMAGES 212
#define IDB_TAB_BUTTONS 213
#define IDB_TAB_COLORS 214
#define IDB_TAB_MENU 215
/* 221-222: banners of the open dialog */
#define IDB_BANNER_SKIN 221
#define IDB_BANNER_SIDE 222

/* 231: the picture across the top of the folder dialog window */
#define IDB_CAPTURE 231

/* 241-259: pictures of the main-window preview: the unskinned host window and the
   panel templates (magenta is see-through) */
#define IDB_PREVIEW_VEXO 241
#define IDB_TMP_PROGRESS 242
#define IDB_TMP_STATUS 243
#define IDB_TMP_SLIDER 244
#define IDB_TMP_NUMBERS 245
#define IDB_TMP_OUTPUT 246

/* 261-279: pictures of the Input Settings preview */
#define IDB_DLG_INPUT 261
#define IDI_DLG_CLOSE 262
/* 263-267: the dialog's five small icons */
#define IDI_DLG_ICON0 263
#define IDI_DLG_ICON1 264
#define IDI_DLG_ICON2 265
#define IDI_DLG_ICON3 266
#define IDI_DLG_ICON4 267

/* 301-399: status icons for the saved / unsaved state of a skin */
#define IDI_CHANGED 301
#define IDI_SAVED 302

/* 401-499: cursors */
#define IDC_EYE 401
#define IDC_SLOTHAND 402
#define IDC_MANO 403
#define IDC_FILL 404
#define IDC_CONTAGOCCE 405

#endif
