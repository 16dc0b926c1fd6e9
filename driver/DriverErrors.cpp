// The driver's table of failures and the one function that words them.
#include "DriverErrors.h"

#include <cstddef>
#include <iterator>

namespace {

using Id = DriverErrorId;
constexpr NativeCode kOwn = NativeCode::None;
constexpr NativeCode kEngine = NativeCode::Engine;

// In the order of DriverErrorId: an entry's place is its id.
constexpr DriverErrorEntry kErrors[] = {
    {Id::InvalidEnvironmentAttribute, "HY092", "Invalid environment attribute {}.", kOwn},
    {Id::ConnectionsStillAllocated, "HY010", "Function sequence error: connections are still allocated.", kOwn},
    {Id::AlreadyConnected, "08002", "The connection is already open.", kOwn},
    {Id::NotConnected, "08003", "The connection is not open.", kOwn},
    {Id::StillConnected, "HY010", "Function sequence error: disconnect before freeing the connection.", kOwn},
    {Id::DataSourceNamesNotSupported, "IM002",
     "Data source names are not supported by this driver: connect with "
     "DRIVER={Microsoft Access Driver (*.mdb)};DBQ=<path of the note database file>.",
     kOwn},
    {Id::ConnectStringTruncated, "01004", "The completed connection string was truncated.", kOwn},
    {Id::InvalidConnectionAttribute, "HY092", "Invalid connection attribute {}.", kOwn},
    {Id::InformationTypeNotSupported, "HY096", "Information type {} is not supported by this driver.", kOwn},
    {Id::InvalidTransactionOperation, "HY012", "Invalid transaction operation code.", kOwn},
    {Id::TransactionNotEnded, "25S01", "A transaction of one of the connections could not be ended.", kOwn},

    {Id::NotPrepared, "HY010", "Function sequence error: no statement has been prepared.", kOwn},
    {Id::NoOpenCursor, "24000", "Invalid cursor state: no cursor is open.", kOwn},
    {Id::NoResultSet, "24000", "Invalid cursor state: the statement has no result set.", kOwn},
    {Id::NoCurrentRow, "24000", "Invalid cursor state: no row is current; call SQLFetch first.", kOwn},
    {Id::InvalidFreeStmtOption, "HY092", "Invalid option for SQLFreeStmt.", kOwn},
    {Id::InvalidStatementAttribute, "HY092", "Invalid statement attribute {}.", kOwn},
    {Id::OptionValueChanged, "01S02", "Option value changed: {}", kOwn},
    {Id::ScrollableNotSupported, "HYC00", "Scrollable cursors are not supported.", kOwn},
    {Id::BookmarksNotSupported, "HYC00", "Bookmarks are not supported.", kOwn},
    {Id::FetchTypeOutOfRange, "HY106", "Fetch type out of range: the cursor is forward-only.", kOwn},
    {Id::BookmarkColumnNotSupported, "07009", "Bookmark columns are not supported.", kOwn},
    {Id::InvalidDescriptorIndex, "07009", "Invalid descriptor index {}.", kOwn},
    {Id::InvalidDescriptorField, "HY091", "Invalid descriptor field identifier {}.", kOwn},
    {Id::StringTruncated, "01004", "String data, right truncated.", kOwn},
    {Id::IndicatorRequired, "22002", "Indicator variable required but not supplied: the value is NULL.", kOwn},
    {Id::TextIsNotANumber, "22018", "Invalid character value for the requested type: column {} holds text that is not a number.", kOwn},
    {Id::BinaryIsNotANumber, "07006", "Restricted data type attribute violation: binary data cannot be read as a number.", kOwn},
    {Id::NumberOutOfRange, "22003", "Numeric value out of range.", kOwn},
    {Id::NumberDoesNotFitType, "22003", "Numeric value out of range: the value {} of column {} does not fit the requested type.", kOwn},
    {Id::FractionalTruncation, "01S07", "Fractional truncation.", kOwn},
    {Id::InvalidBufferType, "HY003", "Invalid application buffer type {}.", kOwn},

    {Id::InvalidParameterNumber, "07009", "Invalid parameter number {}: markers are numbered from 1.", kOwn},
    {Id::ParameterTypeNotSupported, "HYC00", "Only input parameters are supported (parameter {}).", kOwn},
    {Id::InvalidSqlType, "HY004", "Invalid SQL data type {} for parameter {}.", kOwn},
    {Id::ParametersNotBound, "07002",
     "The statement has {} parameter markers, but no value is bound for marker {}: bind every marker with SQLBindParameter.", kOwn},
    {Id::InvalidParameterLength, "HY090", "Invalid string or buffer length {} for parameter {}.", kOwn},
    {Id::DataNotExpected, "HY010", "Function sequence error: no parameter is waiting for data; call SQLParamData first.", kOwn},
    {Id::NoDataSentForParameter, "HY010",
     "Function sequence error: no data was sent for parameter {}; send it with SQLPutData before the next SQLParamData. "
     "The statement was not run.", kOwn},
    {Id::NumberSentInPieces, "HY019", "Non-character and non-binary data sent in pieces (parameter {}).", kOwn},
    {Id::NullAppendedToData, "HY020", "Attempt to concatenate a null value (parameter {}).", kOwn},
    {Id::StillNeedsData, "HY010",
     "Function sequence error: the statement is waiting for parameter data; finish it with SQLParamData and SQLPutData, "
     "or cancel it with SQLCancel.", kOwn},

    {Id::NoFileGiven, "08001", "No note database file was given: the connection needs DBQ=<path of the file>.", kOwn},
    {Id::FileNotFound, "08001", "Could not find file {}.", kOwn},
    {Id::FileIsAFolder, "08001", "{} is a folder, not a note database file.", kOwn},
    {Id::FileCannotBeOpened, "08001", "The note database file {} cannot be opened ({}).", kEngine},
    {Id::EmptyStatement, "42000", "The SQL statement is empty.", kOwn},
    {Id::TextAfterStatement, "42000", "Characters found after end of SQL statement: run one statement at a time.", kOwn},

    {Id::EngineFailure, "HY000", "{}", kEngine},
    {Id::FileLocked, "HYT00",
     "The note database file {} is locked by another program or user, and it was still locked after {} seconds of waiting. "
     "Nothing was changed; try again when the other program has finished.",
     kEngine},
    {Id::FileReadOnly, "HY000", "The note database file {} is read-only, so the change cannot be saved. Nothing was changed.", kEngine},
    {Id::NotANoteDatabase, "HY000", "The file {} is not a note database: it is not a database file this driver can read.", kEngine},
    {Id::FileDamaged, "HY000", "The note database file {} is damaged ({}).", kEngine},
    {Id::DiskFull, "HY000", "The disk holding the note database file {} is full. Nothing was changed.", kEngine},
    {Id::FileReadOrWriteFailed, "HY000", "Reading or writing the note database file {} failed ({}).", kEngine},
    {Id::FileCannotBeWritten, "HY000",
     "The note database file {} (or its journal beside it) cannot be opened for writing. Nothing was changed.", kEngine},
    {Id::EngineOutOfMemory, "HY001", "The driver ran out of memory.", kEngine},
    {Id::ValueTooLarge, "22001", "A value is too large to be stored in the note database.", kEngine},
    {Id::TextTooLong, "22001", "The text for the field {} is too long: the field holds at most {} characters ({}).", kEngine},
    {Id::NumberOutOfFieldRange, "22003",
     "The value for the field {} is out of range: the field holds whole numbers from {} to {} ({}).", kEngine},
    {Id::FieldRequired, "23000", "The field {} cannot be empty: a value is required (NOT NULL).", kEngine},
    {Id::DuplicateValue, "23000",
     "The value for the field {} is already used by another row: the field is a primary key or has a unique index, "
     "so duplicate values are not allowed.",
     kEngine},
    {Id::ForeignKeyBroken, "23000", "{}", kEngine},
    {Id::RuleBroken, "23000", "The change breaks a rule of the database ({}).", kEngine},
    {Id::NoSuchTable, "42S02", "The table {} does not exist in the database {}; the file may not be a note database.", kEngine},
    {Id::NoSuchColumn, "42S22", "Unknown field {} in the SQL statement.", kEngine},
    {Id::TableExists, "42S01", "The table {} already exists in the database {}.", kEngine},
    {Id::SyntaxError, "42000", "Syntax error in the SQL statement ({}).", kEngine},

    {Id::StatementTooLong, "42000",
     "The statement is {} characters long; the Access driver accepts at most 65,000. Pass long texts as parameters.", kOwn},
    {Id::PipeInStringConstant, "42000",
     "The string constant {} holds the character |, which the Access driver does not accept in a string constant. "
     "Pass the text as a parameter.",
     kOwn},
    {Id::DoubleQuotedToken, "42000",
     "{} is in double quotes: the Access driver takes string constants in single quotes only and does not know "
     "double-quoted names.",
     kOwn},
    {Id::LikeEscapeNotSupported, "42000", "LIKE ... ESCAPE is not supported by the Access driver.", kOwn},
    {Id::SqliteOnlyForm, "42000", "{} is SQLite's own: the Access driver does not know it.", kOwn},
    {Id::FunctionNotShared, "42000",
     "The function {} is not one the Access driver shares with this driver (Count, Max, Min, Sum, Avg, InStr).", kOwn},

    {Id::OutOfMemory, "HY001", "The driver ran out of memory.", kOwn},
    {Id::UnexpectedFailure, "HY000", "An unexpected failure inside the driver.", kOwn},
};

// Every id has its entry at its own place, checked when the driver is built.
constexpr bool EveryEntryInPlace()
{
    for (std::size_t i = 0; i < std::size(kErrors); ++i) {
        if (static_cast<std::size_t>(kErrors[i].id) != i) return false;
    }
    return static_cast<std::size_t>(Id::UnexpectedFailure) + 1 == std::size(kErrors);
}
static_assert(EveryEntryInPlace(), "the error table and DriverErrorId disagree");

} // namespace

const DriverErrorEntry& DriverErrorFor(DriverErrorId id) { return kErrors[static_cast<std::size_t>(id)]; }

DriverError MakeDriverError(DriverErrorId id, std::initializer_list<std::string> details, int engineCode)
{
    const DriverErrorEntry& entry = DriverErrorFor(id);
    DriverError error{entry.sqlState, std::string(), entry.native == NativeCode::Engine ? engineCode : 0};
    // Only the table's text is scanned for {}: a detail that holds {} stays as it is.
    auto detail = details.begin();
    for (const char* c = entry.text; *c; ++c) {
        if (c[0] == '{' && c[1] == '}' && detail != details.end()) {
            error.message += *detail++;
            ++c;
        } else {
            error.message += *c;
        }
    }
    return error;
}

bool IsWarningState(const std::string& sqlState) { return sqlState.compare(0, 2, "01") == 0; }
