/* Identifiers of the dialog templates in the companion print module and of
 * the library's own check boxes on them. Shared by the resource script that
 * builds the module and by the dialog hooks, so plain macros: the resource
 * compiler reads this file too. */
#ifndef VEXL33_HARDCOPY_DIALOG_IDS_H
#define VEXL33_HARDCOPY_DIALOG_IDS_H

/* Templates. The print dialog and the old-style save dialog replace the
 * system's templates of the same numbers; the explorer-style save dialog
 * template is a child placed under the system's own dialog. */
#define VEXL_PRINT_DIALOG_TEMPLATE 1538
#define VEXL_SAVE_DIALOG_TEMPLATE 1000
#define VEXL_OLD_SAVE_DIALOG_TEMPLATE 1536

/* Check boxes of the print dialog. */
#define VEXL_PRINT_TO_FILE_BOX 1001
#define VEXL_COPY_TO_CLIPBOARD_BOX 1002
#define VEXL_SCALE_TO_FIT_BOX 1003
#define VEXL_COLOUR_BOX 1007

/* Check boxes of the save dialogs. */
#define VEXL_PRESERVE_BACKGROUND_BOX 1004
#define VEXL_ALDUS_PLACEABLE_BOX 1005

#endif /* VEXL33_HARDCOPY_DIALOG_IDS_H */
