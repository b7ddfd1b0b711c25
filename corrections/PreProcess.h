// corrections/PreProcess.h
#pragma once

#include <string>

// The script run on each correction log before it is read. It gets the
// log's file name as its only argument and writes the normalised copy to the
// same name with ".processed" appended; its standard output is ignored.
// REFINE_PREPROCESS_SCRIPT, when set and not empty, names another script.
std::string PreProcessScriptPath();

// Runs the script on `szLogFileName` without a shell (the name reaches it as
// one argument, whatever characters it holds), reads and discards its
// output and waits for it to end. False when it could not be started; the
// first such failure of a run is reported on the error stream.
bool PreProcessLogFile(const std::string& szLogFileName);
