/* A driver setup library for tests: its ConfigDSN adds and removes data sources in the ini
   files of the current configuration, with the driver's name and nothing else. */
#include <odbcinst.h>
#include <string.h>

BOOL INSTAPI ConfigDSN(HWND window, WORD request, LPCSTR driver, LPCSTR attributes) {
    const char* dsn = NULL;
    (void)window;
    for (const char* pair = attributes; pair && *pair; pair += strlen(pair) + 1)
        if (strncmp(pair, "DSN=", 4) == 0) dsn = pair + 4;
    if (!dsn || !*dsn) return 0;
    if (request == ODBC_ADD_DSN) return SQLWriteDSNToIni(dsn, driver);
    if (request == ODBC_REMOVE_DSN) return SQLRemoveDSNFromIni(dsn);
    return 0;
}
