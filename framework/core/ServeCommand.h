#pragma once

#include "CommandLine.h"

namespace kzt {

// "--serve PROJECT [--port N]": the page of a project served on this machine
// and republished whenever the project or one of its files changes, until
// the program is interrupted.
CommandLineOption serveOption();

} // namespace kzt
