// Numbers of the resources zentrix.exe carries besides the numbered bitmaps (which keep their
// own numbers as BITMAP resources). Read by the resource compiler too, so plain macros only.
#pragma once

// RCDATA 1000 + n: bitmap n drawn at twice the size, as a PNG (1001..1010, 1100..1600, 1601).
#define ZENTRIX_RES_DOUBLE_SIZE_BASE 1000
// RCDATA: the title picture behind the About and Rules windows, as JPEG, and at twice the size.
#define ZENTRIX_RES_TITLE_JPEG 2001
#define ZENTRIX_RES_TITLE_JPEG_DOUBLE 2002
// BITMAP: the title picture as a bitmap (the face of About's Ok button).
#define ZENTRIX_RES_TITLE_BITMAP 2003
