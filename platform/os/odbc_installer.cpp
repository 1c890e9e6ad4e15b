#include "platform/os/odbc_installer.h"

#include <odbcinst.h>

namespace os {

int ConfigDataSource(DataSourceRequest request, const std::string& driver, std::string attributes) {
    attributes.append(2, '\0');  // an empty pair ends the list, whether or not the caller ended its last one
    return ::SQLConfigDataSource(nullptr, request, driver.c_str(), attributes.c_str()) ? 1 : 0;
}

}  // namespace os
