#pragma once

#include <exception>
#include <string>

namespace kzt::ProcessGuard {

// Makes a program safe to start from any script. Called once, first thing
// (the command line does it when it is made):
// - a standard descriptor that is closed gets /dev/null, read-only, so no
//   file the program opens later takes its number and receives the output,
//   and writing to it still fails (and is reported);
// - SIGXFSZ is ignored, so a write past the file size limit fails with EFBIG
//   and the save cleans up and reports it, rather than the run being killed
//   with its temporary files left behind;
// - an exception nobody caught ends the program with a message and exit
//   status 1, never with an abort.
void prepare(const std::string& programName);

// The message for an exception a command-line job did not catch.
std::string uncaughtMessage(const std::exception_ptr& exception);

} // namespace kzt::ProcessGuard
