#pragma once

// urnarium-data: the data-file tool for the receiving point and for support.
//
// Subcommands live in a table. The built-in ones (unseal, seal, show) are in
// urnarium-data.cpp and use the store library only. A subcommand in a source
// file of its own, tools/urnarium-data_<name>.cpp, registers itself with one
// line at namespace scope:
//
//   static const bool registered = urn::datatool::addSubcommand(
//       {"check", "check FILE", "runs the checks over a data file", &runCheck});
//
// tools/CMakeLists.txt compiles such a file into the tool when it exists.

#include "store/PrecinctRecord.h"

#include <QString>
#include <QStringList>

namespace urn::datatool {

// Exit statuses of the tool.
inline constexpr int kExitOk = 0;
inline constexpr int kExitFailure = 1; // a bad file, or a file that cannot be read or written
inline constexpr int kExitUsage = 2;   // wrong arguments

// `args` are the arguments after the subcommand's name. The handler prints
// its own messages and returns the exit status.
using Handler = int (*)(const QStringList& args);

struct Subcommand {
    const char* name;
    const char* usage;   // e.g. "show FILE [--json]"
    const char* summary; // one line for the help text
    Handler run;
};

// Adds a subcommand to the table; returns true so that it can initialise a
// namespace-scope constant. Safe to call during static initialisation.
bool addSubcommand(const Subcommand& subcommand);

// Reads a sealed data file into `record` as the program would load it: the
// kind comes from the file name's first letter ("E" when it names none), and
// files of kinds other than "O" bring their member names. Raises
// UrnariumError (InOutError, ConvertError) for a bad file; the tool's main
// turns that into the message and exit status 1.
void readRecordFile(const QString& path, TPrecinctRecord& record);
// The kind a data file's name gives.
char kindOfFile(const QString& path);

// Helpers for subcommands: write to standard output / standard error (UTF-8).
void printOut(const QString& text);
void printErr(const QString& text);
// Prints "urnarium-data: <message>" to standard error and returns kExitFailure.
int fail(const QString& message);
// Prints the subcommand's usage to standard error and returns kExitUsage.
int usage(const char* subcommandUsage);

} // namespace urn::datatool
