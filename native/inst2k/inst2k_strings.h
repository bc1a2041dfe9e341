/* The library's string table: ids and texts, shared by the resource script
   and the simulated machine. Plain C preprocessor only (read by windres). */
#ifndef PRN_INST2K_STRINGS_H
#define PRN_INST2K_STRINGS_H

#define IDS_FAIL_WITH_SYSTEM_TEXT 1
#define IDS_FAIL_WITH_CODE 2
#define IDS_ERROR_CAPTION 3
#define IDS_INF_NOT_FOUND 4

#define TEXT_EN_FAIL_WITH_SYSTEM_TEXT "%s fail: %s\n"
#define TEXT_EN_FAIL_WITH_CODE "%s fail: (0x%08X)\n"
#define TEXT_EN_ERROR_CAPTION "Error"
#define TEXT_EN_INF_NOT_FOUND "Can not find the INF file!"

/* UTF-8 */
#define TEXT_SC_FAIL_WITH_SYSTEM_TEXT "%s 失败: %s\n"
#define TEXT_SC_FAIL_WITH_CODE "%s 失败: (0x%08X)\n"
#define TEXT_SC_ERROR_CAPTION "错误"
#define TEXT_SC_INF_NOT_FOUND "找不到文件!"

#endif
