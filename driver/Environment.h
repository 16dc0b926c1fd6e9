// The ODBC environment handle of the driver.
#pragma once

#include "HandleObject.h"

#include <sqlext.h>
#include <set>

class Connection;

class Environment : public HandleObject<0x51454E56> {  // "QENV"
public:
    SQLRETURN SetAttribute(SQLINTEGER attribute, SQLPOINTER value);
    SQLRETURN GetAttribute(SQLINTEGER attribute, SQLPOINTER value, SQLINTEGER* length);

    SQLINTEGER odbcVersion = SQL_OV_ODBC3;
    std::set<Connection*> connections;  // not owned; each removes itself when freed
};
