/* Control ids of the installer's pages, shared by the resource script and
   the page tables. */
#define IDC_FIRST_FIELD 300
#define IDC_SECOND_FIELD 310
#define IDC_THIRD_FIELD 320
#define IDC_BACK 200
#define IDC_DISK_LABEL 200
#define IDC_DRIVE 201
