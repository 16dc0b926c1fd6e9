// Environment attributes.
#include "Environment.h"

#include <sqlext.h>

SQLRETURN Environment::SetAttribute(SQLINTEGER attribute, SQLPOINTER value)
{
    const auto number = static_cast<SQLINTEGER>(reinterpret_cast<SQLLEN>(value));
    switch (attribute) {
    case SQL_ATTR_ODBC_VERSION:
        odbcVersion = number;
        return SQL_SUCCESS;
    case SQL_ATTR_CONNECTION_POOLING:
    case SQL_ATTR_CP_MATCH:
    case SQL_ATTR_OUTPUT_NTS:
        return SQL_SUCCESS;
    default:
        return diag.Add(DriverErrorId::InvalidEnvironmentAttribute, {std::to_string(attribute)});
    }
}

SQLRETURN Environment::GetAttribute(SQLINTEGER attribute, SQLPOINTER value, SQLINTEGER* length)
{
    SQLINTEGER result = 0;
    switch (attribute) {
    case SQL_ATTR_ODBC_VERSION: result = odbcVersion; break;
    case SQL_ATTR_CONNECTION_POOLING: result = SQL_CP_OFF; break;
    case SQL_ATTR_CP_MATCH: result = SQL_CP_STRICT_MATCH; break;
    case SQL_ATTR_OUTPUT_NTS: result = SQL_TRUE; break;
    default: return diag.Add(DriverErrorId::InvalidEnvironmentAttribute, {std::to_string(attribute)});
    }
    if (value) *static_cast<SQLINTEGER*>(value) = result;
    if (length) *length = sizeof(SQLINTEGER);
    return SQL_SUCCESS;
}
