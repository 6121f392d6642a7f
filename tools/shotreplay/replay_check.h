// Plays one replay file on the library headless and says plainly whether it
// ended on the recorded table.
#pragma once

// 0 when the replay ended on its recorded table; 1 when it did not, or the
// file was refused. What happened goes to standard output, a refusal to
// standard error.
int CheckReplayFile(const char* path);
