// ODBC data sources through unixODBC's installer library: the driver's setup library is asked
// to add or remove the data source, in the user's odbc.ini (ODBCINI, else ~/.odbc.ini) or the
// system's (odbc.ini in ODBCSYSINI, else /etc).
#pragma once

#include <string>

namespace os {

enum DataSourceRequest : unsigned short {
    kAddUserDataSource = 1,
    kRemoveUserDataSource = 3,
    kAddSystemDataSource = 4,
    kRemoveSystemDataSource = 6,
};

// driver and attributes in the ANSI code page; attributes: "key=value" pairs each ended by a
// NUL, the installer's list (the closing empty pair is added). The installer's answer: nonzero
// on success. (The installer's headers define types of their own, so none of ours appear here.)
int ConfigDataSource(DataSourceRequest request, const std::string& driver, std::string attributes);

}  // namespace os
