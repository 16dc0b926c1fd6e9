// The ODBC entry points of libquillbox-mdb.so. Each one checks its handle,
// clears the handle's diagnostics, calls the handle object and returns; no
// C++ exception leaves the driver.
#include "Connection.h"
#include "Environment.h"
#include "OdbcText.h"
#include "Statement.h"

#include <sql.h>
#include <sqlext.h>
#include <sqlucode.h>

#include <cstring>
#include <memory>
#include <new>

#define QB_EXPORT extern "C" __attribute__((visibility("default")))

namespace {

template <class T>
T* As(SQLHANDLE handle)
{
    T* object = static_cast<T*>(handle);
    return object && object->signature == T::kSignature ? object : nullptr;
}

// Runs `body` for `object` with fresh diagnostics; failures of the driver
// itself become diagnostics too.
template <class T, class F>
SQLRETURN Call(SQLHANDLE handle, F body)
{
    T* object = As<T>(handle);
    if (!object) return SQL_INVALID_HANDLE;
    object->diag.Clear();
    SQLRETURN rc;
    try {
        rc = body(*object);
    } catch (const std::bad_alloc&) {
        rc = object->diag.Add(DriverErrorId::OutOfMemory);
    } catch (...) {
        rc = object->diag.Add(DriverErrorId::UnexpectedFailure);
    }
    object->diag.SetLastReturn(rc);
    return rc;
}

Diagnostics* DiagnosticsOf(SQLSMALLINT type, SQLHANDLE handle)
{
    switch (type) {
    case SQL_HANDLE_ENV: if (auto* e = As<Environment>(handle)) return &e->diag; break;
    case SQL_HANDLE_DBC: if (auto* c = As<Connection>(handle)) return &c->diag; break;
    case SQL_HANDLE_STMT: if (auto* s = As<Statement>(handle)) return &s->diag; break;
    default: break;
    }
    return nullptr;
}

SQLRETURN AllocHandle(SQLSMALLINT type, SQLHANDLE input, SQLHANDLE* output)
{
    if (!output) return SQL_ERROR;
    *output = SQL_NULL_HANDLE;
    try {
        switch (type) {
        case SQL_HANDLE_ENV:
            *output = new Environment;
            return SQL_SUCCESS;
        case SQL_HANDLE_DBC: {
            Environment* env = As<Environment>(input);
            if (!env) return SQL_INVALID_HANDLE;
            *output = new Connection(env);
            return SQL_SUCCESS;
        }
        case SQL_HANDLE_STMT: {
            Connection* dbc = As<Connection>(input);
            if (!dbc) return SQL_INVALID_HANDLE;
            if (!dbc->IsConnected()) return dbc->diag.Add(DriverErrorId::NotConnected);
            auto statement = std::make_unique<Statement>(dbc);
            dbc->statements.insert(statement.get());
            *output = statement.release();
            return SQL_SUCCESS;
        }
        default:
            return SQL_ERROR;
        }
    } catch (...) {
        return SQL_ERROR;
    }
}

// Frees the handle when `release` lets it go (returns SQL_SUCCESS); its
// signature is cleared first, so a stale copy of the handle reads as invalid.
template <class T, class Release>
SQLRETURN Free(SQLHANDLE handle, Release release)
{
    T* object = As<T>(handle);
    if (!object) return SQL_INVALID_HANDLE;
    const SQLRETURN rc = release(*object);
    if (rc != SQL_SUCCESS) return rc;
    object->signature = 0;
    delete object;
    return SQL_SUCCESS;
}

SQLRETURN FreeHandle(SQLSMALLINT type, SQLHANDLE handle)
{
    switch (type) {
    case SQL_HANDLE_ENV:
        return Free<Environment>(handle, [](Environment& env) {
            return env.connections.empty() ? SQL_SUCCESS : env.diag.Add(DriverErrorId::ConnectionsStillAllocated);
        });
    case SQL_HANDLE_DBC:
        return Free<Connection>(handle, [](Connection& dbc) {
            return dbc.IsConnected() ? dbc.diag.Add(DriverErrorId::StillConnected) : SQL_SUCCESS;
        });
    case SQL_HANDLE_STMT:
        return Free<Statement>(handle, [](Statement& statement) {
            statement.connection->statements.erase(&statement);
            return SQLRETURN{SQL_SUCCESS};
        });
    default:
        return SQL_ERROR;
    }
}

const SQLUSMALLINT kSupportedFunctions[] = {
    SQL_API_SQLALLOCHANDLE, SQL_API_SQLALLOCENV, SQL_API_SQLALLOCCONNECT, SQL_API_SQLALLOCSTMT,
    SQL_API_SQLFREEHANDLE, SQL_API_SQLFREEENV, SQL_API_SQLFREECONNECT, SQL_API_SQLFREESTMT,
    SQL_API_SQLSETENVATTR, SQL_API_SQLGETENVATTR, SQL_API_SQLDRIVERCONNECT, SQL_API_SQLCONNECT,
    SQL_API_SQLDISCONNECT, SQL_API_SQLGETINFO, SQL_API_SQLGETFUNCTIONS, SQL_API_SQLSETCONNECTATTR,
    SQL_API_SQLGETCONNECTATTR, SQL_API_SQLSETSTMTATTR, SQL_API_SQLGETSTMTATTR, SQL_API_SQLEXECDIRECT,
    SQL_API_SQLPREPARE, SQL_API_SQLEXECUTE, SQL_API_SQLNUMRESULTCOLS, SQL_API_SQLDESCRIBECOL,
    SQL_API_SQLCOLATTRIBUTE, SQL_API_SQLFETCH, SQL_API_SQLFETCHSCROLL, SQL_API_SQLGETDATA,
    SQL_API_SQLBINDCOL, SQL_API_SQLROWCOUNT, SQL_API_SQLCLOSECURSOR, SQL_API_SQLCANCEL,
    SQL_API_SQLENDTRAN, SQL_API_SQLGETDIAGREC, SQL_API_SQLGETDIAGFIELD, SQL_API_SQLMORERESULTS,
    SQL_API_SQLBINDPARAMETER, SQL_API_SQLNUMPARAMS, SQL_API_SQLPARAMDATA, SQL_API_SQLPUTDATA,
};

} // namespace

QB_EXPORT SQLRETURN SQL_API SQLAllocHandle(SQLSMALLINT type, SQLHANDLE input, SQLHANDLE* output)
{
    return AllocHandle(type, input, output);
}

QB_EXPORT SQLRETURN SQL_API SQLAllocEnv(SQLHENV* env) { return AllocHandle(SQL_HANDLE_ENV, SQL_NULL_HANDLE, env); }
QB_EXPORT SQLRETURN SQL_API SQLAllocConnect(SQLHENV env, SQLHDBC* dbc) { return AllocHandle(SQL_HANDLE_DBC, env, dbc); }
QB_EXPORT SQLRETURN SQL_API SQLAllocStmt(SQLHDBC dbc, SQLHSTMT* stmt) { return AllocHandle(SQL_HANDLE_STMT, dbc, stmt); }

QB_EXPORT SQLRETURN SQL_API SQLFreeHandle(SQLSMALLINT type, SQLHANDLE handle) { return FreeHandle(type, handle); }
QB_EXPORT SQLRETURN SQL_API SQLFreeEnv(SQLHENV env) { return FreeHandle(SQL_HANDLE_ENV, env); }
QB_EXPORT SQLRETURN SQL_API SQLFreeConnect(SQLHDBC dbc) { return FreeHandle(SQL_HANDLE_DBC, dbc); }

QB_EXPORT SQLRETURN SQL_API SQLFreeStmt(SQLHSTMT stmt, SQLUSMALLINT option)
{
    if (option == SQL_DROP) return FreeHandle(SQL_HANDLE_STMT, stmt);
    return Call<Statement>(stmt, [&](Statement& s) -> SQLRETURN {
        switch (option) {
        case SQL_CLOSE: return s.CloseCursor(false);
        case SQL_UNBIND: s.Unbind(); return SQL_SUCCESS;
        case SQL_RESET_PARAMS: s.ResetParameters(); return SQL_SUCCESS;
        default: return s.diag.Add(DriverErrorId::InvalidFreeStmtOption);
        }
    });
}

QB_EXPORT SQLRETURN SQL_API SQLSetEnvAttr(SQLHENV env, SQLINTEGER attribute, SQLPOINTER value, SQLINTEGER)
{
    return Call<Environment>(env, [&](Environment& e) { return e.SetAttribute(attribute, value); });
}

QB_EXPORT SQLRETURN SQL_API SQLGetEnvAttr(SQLHENV env, SQLINTEGER attribute, SQLPOINTER value, SQLINTEGER, SQLINTEGER* length)
{
    return Call<Environment>(env, [&](Environment& e) { return e.GetAttribute(attribute, value, length); });
}

QB_EXPORT SQLRETURN SQL_API SQLDriverConnectW(SQLHDBC dbc, SQLHWND, SQLWCHAR* in, SQLSMALLINT inLength, SQLWCHAR* out,
                                             SQLSMALLINT outCapacity, SQLSMALLINT* outLength, SQLUSMALLINT)
{
    // The driver has no dialog of its own: whatever the completion mode, an
    // incomplete connection string is an error that names what is missing.
    return Call<Connection>(dbc, [&](Connection& c) { return c.DriverConnect(WideArgument(in, inLength), out, outCapacity, outLength); });
}

QB_EXPORT SQLRETURN SQL_API SQLConnectW(SQLHDBC dbc, SQLWCHAR*, SQLSMALLINT, SQLWCHAR*, SQLSMALLINT, SQLWCHAR*, SQLSMALLINT)
{
    return Call<Connection>(dbc, [&](Connection& c) {
        return c.diag.Add(DriverErrorId::DataSourceNamesNotSupported);
    });
}

QB_EXPORT SQLRETURN SQL_API SQLDisconnect(SQLHDBC dbc)
{
    return Call<Connection>(dbc, [&](Connection& c) { return c.Disconnect(); });
}

QB_EXPORT SQLRETURN SQL_API SQLGetInfoW(SQLHDBC dbc, SQLUSMALLINT type, SQLPOINTER value, SQLSMALLINT capacity, SQLSMALLINT* length)
{
    return Call<Connection>(dbc, [&](Connection& c) { return c.GetInfo(type, value, capacity, length); });
}

QB_EXPORT SQLRETURN SQL_API SQLGetFunctions(SQLHDBC dbc, SQLUSMALLINT id, SQLUSMALLINT* supported)
{
    return Call<Connection>(dbc, [&](Connection&) -> SQLRETURN {
        if (!supported) return SQL_SUCCESS;
        if (id == SQL_API_ODBC3_ALL_FUNCTIONS) {
            std::memset(supported, 0, SQL_API_ODBC3_ALL_FUNCTIONS_SIZE * sizeof(SQLUSMALLINT));
            for (SQLUSMALLINT f : kSupportedFunctions) supported[f >> 4] |= static_cast<SQLUSMALLINT>(1u << (f & 0xF));
        } else if (id == SQL_API_ALL_FUNCTIONS) {
            std::memset(supported, 0, 100 * sizeof(SQLUSMALLINT));
            for (SQLUSMALLINT f : kSupportedFunctions) if (f < 100) supported[f] = SQL_TRUE;
        } else {
            *supported = SQL_FALSE;
            for (SQLUSMALLINT f : kSupportedFunctions) if (f == id) *supported = SQL_TRUE;
        }
        return SQL_SUCCESS;
    });
}

QB_EXPORT SQLRETURN SQL_API SQLSetConnectAttrW(SQLHDBC dbc, SQLINTEGER attribute, SQLPOINTER value, SQLINTEGER length)
{
    return Call<Connection>(dbc, [&](Connection& c) { return c.SetAttribute(attribute, value, length); });
}

QB_EXPORT SQLRETURN SQL_API SQLGetConnectAttrW(SQLHDBC dbc, SQLINTEGER attribute, SQLPOINTER value, SQLINTEGER capacity, SQLINTEGER* length)
{
    return Call<Connection>(dbc, [&](Connection& c) { return c.GetAttribute(attribute, value, capacity, length); });
}

QB_EXPORT SQLRETURN SQL_API SQLSetStmtAttrW(SQLHSTMT stmt, SQLINTEGER attribute, SQLPOINTER value, SQLINTEGER length)
{
    return Call<Statement>(stmt, [&](Statement& s) { return s.SetAttribute(attribute, value, length); });
}

QB_EXPORT SQLRETURN SQL_API SQLGetStmtAttrW(SQLHSTMT stmt, SQLINTEGER attribute, SQLPOINTER value, SQLINTEGER capacity, SQLINTEGER* length)
{
    return Call<Statement>(stmt, [&](Statement& s) { return s.GetAttribute(attribute, value, capacity, length); });
}

QB_EXPORT SQLRETURN SQL_API SQLExecDirectW(SQLHSTMT stmt, SQLWCHAR* sql, SQLINTEGER length)
{
    return Call<Statement>(stmt, [&](Statement& s) { return s.ExecDirect(WideArgument(sql, length)); });
}

QB_EXPORT SQLRETURN SQL_API SQLPrepareW(SQLHSTMT stmt, SQLWCHAR* sql, SQLINTEGER length)
{
    return Call<Statement>(stmt, [&](Statement& s) { return s.Prepare(WideArgument(sql, length)); });
}

QB_EXPORT SQLRETURN SQL_API SQLExecute(SQLHSTMT stmt)
{
    return Call<Statement>(stmt, [&](Statement& s) { return s.Execute(); });
}

QB_EXPORT SQLRETURN SQL_API SQLNumResultCols(SQLHSTMT stmt, SQLSMALLINT* count)
{
    return Call<Statement>(stmt, [&](Statement& s) { return s.NumResultCols(count); });
}

QB_EXPORT SQLRETURN SQL_API SQLDescribeColW(SQLHSTMT stmt, SQLUSMALLINT column, SQLWCHAR* name, SQLSMALLINT capacity,
                                           SQLSMALLINT* nameLength, SQLSMALLINT* dataType, SQLULEN* size,
                                           SQLSMALLINT* decimals, SQLSMALLINT* nullable)
{
    return Call<Statement>(stmt, [&](Statement& s) {
        return s.DescribeCol(column, name, capacity, nameLength, dataType, size, decimals, nullable);
    });
}

QB_EXPORT SQLRETURN SQL_API SQLColAttributeW(SQLHSTMT stmt, SQLUSMALLINT column, SQLUSMALLINT field, SQLPOINTER text,
                                            SQLSMALLINT capacity, SQLSMALLINT* length, SQLLEN* number)
{
    return Call<Statement>(stmt, [&](Statement& s) { return s.ColAttribute(column, field, text, capacity, length, number); });
}

QB_EXPORT SQLRETURN SQL_API SQLFetch(SQLHSTMT stmt)
{
    return Call<Statement>(stmt, [&](Statement& s) { return s.Fetch(); });
}

QB_EXPORT SQLRETURN SQL_API SQLFetchScroll(SQLHSTMT stmt, SQLSMALLINT orientation, SQLLEN)
{
    return Call<Statement>(stmt, [&](Statement& s) { return s.FetchScroll(orientation); });
}

QB_EXPORT SQLRETURN SQL_API SQLGetData(SQLHSTMT stmt, SQLUSMALLINT column, SQLSMALLINT cType, SQLPOINTER target,
                                      SQLLEN capacity, SQLLEN* indicator)
{
    return Call<Statement>(stmt, [&](Statement& s) { return s.GetData(column, cType, target, capacity, indicator); });
}

QB_EXPORT SQLRETURN SQL_API SQLBindCol(SQLHSTMT stmt, SQLUSMALLINT column, SQLSMALLINT cType, SQLPOINTER target,
                                      SQLLEN capacity, SQLLEN* indicator)
{
    return Call<Statement>(stmt, [&](Statement& s) { return s.BindCol(column, cType, target, capacity, indicator); });
}

QB_EXPORT SQLRETURN SQL_API SQLRowCount(SQLHSTMT stmt, SQLLEN* count)
{
    return Call<Statement>(stmt, [&](Statement& s) { return s.RowCount(count); });
}

QB_EXPORT SQLRETURN SQL_API SQLCloseCursor(SQLHSTMT stmt)
{
    return Call<Statement>(stmt, [&](Statement& s) { return s.CloseCursor(true); });
}

QB_EXPORT SQLRETURN SQL_API SQLCancel(SQLHSTMT stmt)
{
    // Statements run synchronously: only an execution waiting for parameter data can be cancelled.
    return Call<Statement>(stmt, [&](Statement& s) { return s.Cancel(); });
}

QB_EXPORT SQLRETURN SQL_API SQLBindParameter(SQLHSTMT stmt, SQLUSMALLINT number, SQLSMALLINT ioType, SQLSMALLINT cType,
                                            SQLSMALLINT sqlType, SQLULEN columnSize, SQLSMALLINT, SQLPOINTER value,
                                            SQLLEN capacity, SQLLEN* indicator)
{
    return Call<Statement>(stmt, [&](Statement& s) {
        return s.BindParameter(number, ioType, cType, sqlType, columnSize, value, capacity, indicator);
    });
}

QB_EXPORT SQLRETURN SQL_API SQLNumParams(SQLHSTMT stmt, SQLSMALLINT* count)
{
    return Call<Statement>(stmt, [&](Statement& s) { return s.NumParams(count); });
}

QB_EXPORT SQLRETURN SQL_API SQLParamData(SQLHSTMT stmt, SQLPOINTER* token)
{
    return Call<Statement>(stmt, [&](Statement& s) { return s.ParamData(token); });
}

QB_EXPORT SQLRETURN SQL_API SQLPutData(SQLHSTMT stmt, SQLPOINTER data, SQLLEN length)
{
    return Call<Statement>(stmt, [&](Statement& s) { return s.PutData(data, length); });
}

QB_EXPORT SQLRETURN SQL_API SQLMoreResults(SQLHSTMT stmt)
{
    return Call<Statement>(stmt, [&](Statement&) { return SQL_NO_DATA; });
}

QB_EXPORT SQLRETURN SQL_API SQLEndTran(SQLSMALLINT type, SQLHANDLE handle, SQLSMALLINT completion)
{
    if (type == SQL_HANDLE_DBC) return Call<Connection>(handle, [&](Connection& c) { return c.EndTransaction(completion); });
    if (type == SQL_HANDLE_ENV) {
        return Call<Environment>(handle, [&](Environment& e) -> SQLRETURN {
            SQLRETURN result = SQL_SUCCESS;
            for (Connection* c : e.connections) {
                if (c->IsConnected() && !SQL_SUCCEEDED(c->EndTransaction(completion))) result = SQL_ERROR;
            }
            return result == SQL_ERROR ? e.diag.Add(DriverErrorId::TransactionNotEnded) : result;
        });
    }
    return SQL_INVALID_HANDLE;
}

QB_EXPORT SQLRETURN SQL_API SQLGetDiagRecW(SQLSMALLINT type, SQLHANDLE handle, SQLSMALLINT record, SQLWCHAR* state,
                                          SQLINTEGER* native, SQLWCHAR* message, SQLSMALLINT capacity, SQLSMALLINT* length)
{
    Diagnostics* diag = DiagnosticsOf(type, handle);
    if (!diag) return SQL_INVALID_HANDLE;
    if (record < 1 || capacity < 0) return SQL_ERROR;
    if (static_cast<size_t>(record) > diag->Records().size()) return SQL_NO_DATA;
    const DiagRecord& r = diag->Records()[static_cast<size_t>(record) - 1];
    if (state) {
        for (size_t i = 0; i < 5; ++i) state[i] = static_cast<SQLWCHAR>(r.sqlState[i]);
        state[5] = 0;
    }
    if (native) *native = r.nativeCode;
    SQLLEN full = 0;
    const bool cut = CopyWideOut(r.message, message, capacity, &full);
    if (length) *length = static_cast<SQLSMALLINT>(full);
    return cut && message ? SQL_SUCCESS_WITH_INFO : SQL_SUCCESS;
}

QB_EXPORT SQLRETURN SQL_API SQLGetDiagFieldW(SQLSMALLINT type, SQLHANDLE handle, SQLSMALLINT record, SQLSMALLINT field,
                                            SQLPOINTER value, SQLSMALLINT capacity, SQLSMALLINT* length)
{
    Diagnostics* diag = DiagnosticsOf(type, handle);
    if (!diag) return SQL_INVALID_HANDLE;
    auto textOut = [&](const std::u16string& text) -> SQLRETURN {
        SQLLEN full = 0;
        const bool cut = CopyWideOut(text, static_cast<SQLWCHAR*>(value), capacity / static_cast<SQLSMALLINT>(sizeof(SQLWCHAR)), &full);
        if (length) *length = static_cast<SQLSMALLINT>(full * sizeof(SQLWCHAR));
        return cut && value ? SQL_SUCCESS_WITH_INFO : SQL_SUCCESS;
    };
    switch (field) {  // header fields
    case SQL_DIAG_NUMBER:
        if (value) *static_cast<SQLINTEGER*>(value) = static_cast<SQLINTEGER>(diag->Records().size());
        return SQL_SUCCESS;
    case SQL_DIAG_RETURNCODE:
        if (value) *static_cast<SQLRETURN*>(value) = diag->LastReturn();
        return SQL_SUCCESS;
    case SQL_DIAG_ROW_COUNT:
    case SQL_DIAG_CURSOR_ROW_COUNT: {
        SQLLEN count = 0;
        if (Statement* s = type == SQL_HANDLE_STMT ? As<Statement>(handle) : nullptr) s->RowCount(&count);
        if (value) *static_cast<SQLLEN*>(value) = count;
        return SQL_SUCCESS;
    }
    case SQL_DIAG_DYNAMIC_FUNCTION: return textOut(u"");
    case SQL_DIAG_DYNAMIC_FUNCTION_CODE:
        if (value) *static_cast<SQLINTEGER*>(value) = SQL_DIAG_UNKNOWN_STATEMENT;
        return SQL_SUCCESS;
    default: break;
    }
    if (record < 1) return SQL_ERROR;
    if (static_cast<size_t>(record) > diag->Records().size()) return SQL_NO_DATA;
    const DiagRecord& r = diag->Records()[static_cast<size_t>(record) - 1];
    switch (field) {
    case SQL_DIAG_SQLSTATE: return textOut(std::u16string(r.sqlState.begin(), r.sqlState.end()));
    case SQL_DIAG_MESSAGE_TEXT: return textOut(r.message);
    case SQL_DIAG_NATIVE:
        if (value) *static_cast<SQLINTEGER*>(value) = r.nativeCode;
        return SQL_SUCCESS;
    case SQL_DIAG_CLASS_ORIGIN:
    case SQL_DIAG_SUBCLASS_ORIGIN:
        return textOut(r.sqlState.compare(0, 2, "IM") == 0 ? u"ODBC 3.0" : u"ISO 9075");
    case SQL_DIAG_CONNECTION_NAME:
    case SQL_DIAG_SERVER_NAME: return textOut(u"");
    case SQL_DIAG_COLUMN_NUMBER:
        if (value) *static_cast<SQLINTEGER*>(value) = SQL_COLUMN_NUMBER_UNKNOWN;
        return SQL_SUCCESS;
    case SQL_DIAG_ROW_NUMBER:
        if (value) *static_cast<SQLLEN*>(value) = SQL_ROW_NUMBER_UNKNOWN;
        return SQL_SUCCESS;
    default:
        return SQL_ERROR;
    }
}
