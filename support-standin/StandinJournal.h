// The journal of the stand-in component: one line per call, shared by every
// process that loads the component.
#pragma once

#include <string>

// "<common application data>\TorvaneFeedback\journal.txt"; the folder is made
// when missing. Empty when the common folder cannot be had.
std::wstring JournalPath();

// Appends the line and CR LF as UTF-8 under the journal's named mutex, so the
// lines of several processes never interleave. Failures are silent: the
// journal must never change what a call answers.
void AppendJournalLine(const std::wstring& line);
