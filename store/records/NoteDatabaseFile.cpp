// RequestNoteDatabaseFile, ConnectNoteDatabase and CreateSchema.
#include "store/records/NoteDatabaseFile.h"

#include "store/records/NoteSql.h"
#include "store/records/OutcomeOf.h"
#include "framework/CDatabase.h"
#include "framework/LoadedLibrary.h"

#include <windows.h>
#include <odbcinst.h>

#include <string>

namespace {

using ConfigDataSourceFunction = BOOL(WINAPI*)(HWND, WORD, LPCWSTR, LPCWSTR);

} // namespace

bool RequestNoteDatabaseFile(const CString& path)
{
    // Installer attributes are a list of strings that ends with an empty one.
    std::wstring attributes = BuildCreationAttributes(path).str();
    attributes.push_back(L'\0');
    // The installer library is looked up when it is needed, as the module
    // does not depend on it at load time.
    CLoadedLibrary installer(L"odbccp32.dll");
    const auto configure = installer.Find<ConfigDataSourceFunction>("SQLConfigDataSourceW");
    return configure && configure(nullptr, ODBC_ADD_DSN, kNoteDriverName, attributes.c_str());
}

void ConnectNoteDatabase(CDatabase& database, const CString& path)
{
    database.Open(nullptr, FALSE, FALSE, BuildConnectString(path), TRUE);
}

StoreOutcome CreateSchema(CDatabase& database)
{
    return OutcomeOf([&] {
        for (const wchar_t* statement : kSchemaStatements) database.ExecuteSQL(statement);
        return StoreOutcome::Done();
    });
}
