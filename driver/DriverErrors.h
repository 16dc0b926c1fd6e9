// Every failure the driver reports, in one table: its SQLSTATE, its text
// (with {} where a detail goes) and whether its native code is SQLite's.
#pragma once

#include "DriverError.h"

#include <initializer_list>
#include <string>

enum class DriverErrorId {
    // Environment and connection.
    InvalidEnvironmentAttribute,
    ConnectionsStillAllocated,
    AlreadyConnected,
    NotConnected,
    StillConnected,
    DataSourceNamesNotSupported,
    ConnectStringTruncated,
    InvalidConnectionAttribute,
    InformationTypeNotSupported,
    InvalidTransactionOperation,
    TransactionNotEnded,
    // Statements, cursors and data.
    NotPrepared,
    NoOpenCursor,
    NoResultSet,
    NoCurrentRow,
    InvalidFreeStmtOption,
    InvalidStatementAttribute,
    OptionValueChanged,
    ScrollableNotSupported,
    BookmarksNotSupported,
    FetchTypeOutOfRange,
    BookmarkColumnNotSupported,
    InvalidDescriptorIndex,
    InvalidDescriptorField,
    StringTruncated,
    IndicatorRequired,
    TextIsNotANumber,
    BinaryIsNotANumber,
    NumberOutOfRange,
    NumberDoesNotFitType,
    FractionalTruncation,
    InvalidBufferType,
    // Parameters.
    InvalidParameterNumber,
    ParameterTypeNotSupported,
    InvalidSqlType,
    ParametersNotBound,
    InvalidParameterLength,
    DataNotExpected,
    NoDataSentForParameter,
    NumberSentInPieces,
    NullAppendedToData,
    StillNeedsData,
    // The note database file.
    NoFileGiven,
    FileNotFound,
    FileIsAFolder,
    FileCannotBeOpened,
    EmptyStatement,
    TextAfterStatement,
    // SQLite's failures, told in the user's terms.
    EngineFailure,
    FileLocked,
    FileReadOnly,
    NotANoteDatabase,
    FileDamaged,
    DiskFull,
    FileReadOrWriteFailed,
    FileCannotBeWritten,
    EngineOutOfMemory,
    ValueTooLarge,
    TextTooLong,
    NumberOutOfFieldRange,
    FieldRequired,
    DuplicateValue,
    ForeignKeyBroken,
    RuleBroken,
    NoSuchTable,
    NoSuchColumn,
    TableExists,
    SyntaxError,
    // Windows' Access driver's limits, when the driver keeps them.
    StatementTooLong,
    PipeInStringConstant,
    DoubleQuotedToken,
    LikeEscapeNotSupported,
    SqliteOnlyForm,
    FunctionNotShared,
    // Anywhere.
    OutOfMemory,
    UnexpectedFailure,
};

// Where a failure's native code comes from.
enum class NativeCode {
    None,    // the driver's own check: 0
    Engine,  // SQLite's extended result code
};

struct DriverErrorEntry {
    DriverErrorId id;
    const char* sqlState;
    const char* text;
    NativeCode native;
};

// The table's entry for `id`.
const DriverErrorEntry& DriverErrorFor(DriverErrorId id);

// The failure `id` with each {} of its text replaced by the next detail, in
// order; `engineCode` is its native code when the entry takes SQLite's.
DriverError MakeDriverError(DriverErrorId id, std::initializer_list<std::string> details = {}, int engineCode = 0);

// Class 01 states are warnings: the call succeeded with information.
bool IsWarningState(const std::string& sqlState);
