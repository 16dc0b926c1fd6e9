// The ODBC connection handle: one note database file opened through
// SQLDriverConnectW with DBQ=<path>, its attributes and transactions.
#pragma once

#include "HandleObject.h"
#include "NoteDatabase.h"

#include <sqlext.h>
#include <set>

class Environment;
class Statement;

class Connection : public HandleObject<0x5144424B> {  // "QDBK"
public:
    explicit Connection(Environment* environment);
    ~Connection();

    SQLRETURN DriverConnect(const std::u16string& connectString, SQLWCHAR* out, SQLSMALLINT outCapacity,
                            SQLSMALLINT* outLength);
    SQLRETURN Disconnect();
    SQLRETURN SetAttribute(SQLINTEGER attribute, SQLPOINTER value, SQLINTEGER length);
    SQLRETURN GetAttribute(SQLINTEGER attribute, SQLPOINTER value, SQLINTEGER capacity, SQLINTEGER* length);
    SQLRETURN EndTransaction(SQLSMALLINT completion);
    SQLRETURN GetInfo(SQLUSMALLINT type, SQLPOINTER value, SQLSMALLINT capacity, SQLSMALLINT* length);

    bool IsConnected() const { return m_database.IsOpen(); }
    NoteDatabase& Database() { return m_database; }
    // In manual-commit mode, starts the transaction that the next statement joins.
    bool BeginIfManual(DriverError& error);

    Environment* environment;           // the owning environment (not owned)
    std::set<Statement*> statements;    // owned; freed with SQLFreeHandle or at disconnect

private:
    NoteDatabase m_database;
    bool m_autocommit = true;
    bool m_readOnly = false;
    SQLUINTEGER m_loginTimeout = 0;
    SQLUINTEGER m_txnIsolation = SQL_TXN_SERIALIZABLE;
};
