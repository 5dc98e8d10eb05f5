// The launcher: find our own folder, read autorun.inf there and hand the
// command of its entry open in section [autorun] to the shell.
#pragma once

#include <string>

// The running executable's full path and its folder, with a trailing
// backslash (empty when the path has no folder). Set once on entry.
extern std::string ProgramPath;
extern std::string ProgramFolder;

// The whole run: sets ProgramPath and ProgramFolder, launches, exits with 0.
[[noreturn]] void RunAutolaunch();

// The prefix of path up to and including its last backslash or colon.
std::string FolderOfPath(const std::string& path);

// 1-based index of the last character of s found in delimiters, 0 when none.
// A zero byte never counts as a delimiter.
std::size_t LastDelimiterPos(const std::string& delimiters, const std::string& s);

// Runs the command of autorun.inf's entry open in [autorun] from
// ProgramFolder. False when there was nothing to launch.
bool LaunchAutorun();
