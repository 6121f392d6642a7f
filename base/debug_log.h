// debug.log: the library's one diagnostic channel. Every engine module writes
// its start and finish here, every file it loads and every warning. Nothing
// depends on whether a line was written: when the file cannot be created the
// log is silent. Lines are Windows-1252 with CR LF ends, flushed at once so
// the file is complete up to the last call when the process dies. A clean
// finish deletes the file, so a log left on disk marks a run that did not end
// cleanly.
#pragma once

#include <climits>
#include <cstdarg>
#include <cstdint>
#include <cstdio>

#define VEX_PRINTF_FORMAT(format_index) \
    __attribute__((format(printf, format_index, format_index + 1)))

class DebugLog {
public:
    static constexpr const char* kFileName = "debug.log";

    constexpr DebugLog() = default;
    DebugLog(const DebugLog&) = delete;
    DebugLog& operator=(const DebugLog&) = delete;
    // No destructor: the library's log must stay usable through every static
    // destructor, whatever order they run in. Whoever opens a log closes it.

    // Creates (or empties) the file and writes the header. Does nothing when
    // a file is already open.
    void Create(const char* path = kFileName);
    // The closing at library unload, when the file is still open: the
    // memory statistics, the end time and a rule; the file stays on disk.
    void CloseAtUnload();
    // The end of a clean finish: closes the file and deletes it.
    void CloseAndDelete();
    bool IsOpen() const { return stream_ != nullptr; }

    void WriteLine(const char* format, ...) VEX_PRINTF_FORMAT(2);
    void WriteText(const char* format, ...) VEX_PRINTF_FORMAT(2);
    void WriteDetail(const char* format, ...) VEX_PRINTF_FORMAT(2);
    void WriteWarning(const char* format, ...) VEX_PRINTF_FORMAT(2);
    void WriteError(const char* format, ...) VEX_PRINTF_FORMAT(2);

    void ModuleStarting(const char* name);
    void ModuleFinishing(const char* name);
    void ReportOk();
    void ReportFailed();

    void FileNotFound(const char* path);
    void FileReadError(const char* path);
    void FileLoaded(const char* path);
    void FileLoadedAt(const char* path, int16_t index);

    void SetEnabled(bool enabled) { enabled_ = enabled; }

private:
    static constexpr uint8_t kDetailLevel = 2;
    static constexpr uint8_t kWarningLevel = 1;
    static constexpr size_t kMessageBytes = 1024;

    bool CanWrite() const { return stream_ && enabled_; }
    // Formats into the message buffer (cut at 1023 characters) and writes
    // prefix + message, with a line end when asked.
    void Write(const char* prefix, bool endLine, const char* format, va_list args)
        __attribute__((format(printf, 4, 0)));
    // Writes text as it stands, converted to Windows-1252, every "\n"
    // written as CR LF.
    void Put(const char* text);
    void WriteRule();

    FILE* stream_ = nullptr;
    bool enabled_ = true;
    uint8_t level_ = kDetailLevel;
    char path_[PATH_MAX] = {};
    char message_[kMessageBytes] = {};
};

// The library's one log.
DebugLog& Log();
