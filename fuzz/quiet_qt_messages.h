// Long fuzz runs need no warning lines (a refused message, an unreadable
// setting), only the sanitizers' reports: every Qt message is dropped but a
// fatal one, which ends the run as a crash.
#pragma once

// Once per process, before the first input.
void SilenceQtMessagesButFatal();
