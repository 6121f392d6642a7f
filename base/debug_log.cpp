#include "base/debug_log.h"

#include <cstdarg>
#include <cstring>
#include <ctime>
#include <string>

#include "base/memory_tracker.h"
#include "base/text_encoding.h"

namespace {

constinit DebugLog theLog;

constexpr const char* kRule = "==================================================";

// The local time as ctime writes it, without the line end: 24 characters.
std::string TimeStamp() {
    const time_t now = std::time(nullptr);
    char text[32] = {};
    if (!ctime_r(&now, text)) return "";
    text[std::strcspn(text, "\n")] = '\0';
    return text;
}

}  // namespace

DebugLog& Log() {
    return theLog;
}

void DebugLog::Create(const char* path) {
    if (stream_) return;
    std::snprintf(path_, sizeof path_, "%s", path);
    stream_ = std::fopen(path_, "w");
    if (!stream_) return;
    WriteRule();
    WriteLine("debug.log criado em: %s.\n", TimeStamp().c_str());
    WriteLine("%s %s", "VEX DirectX Library", "versão 1.0");
    WriteLine("Motor gráfico e de áudio do Ringdisk.");
    WriteLine("Versão para Linux: OpenGL, SDL2 e Qt.");
    WriteLine("Este arquivo é apagado quando o jogo termina normalmente.\n");
}

void DebugLog::CloseAtUnload() {
    if (!stream_) return;
    Tracker().WriteStatistics(*this, false);
    WriteLine("\ndebug.log encerrado em: %s.", TimeStamp().c_str());
    WriteRule();
    std::fclose(stream_);
    stream_ = nullptr;
}

void DebugLog::CloseAndDelete() {
    if (!stream_) return;
    std::fclose(stream_);
    stream_ = nullptr;
    std::remove(path_);
}

void DebugLog::Put(const char* text) {
    const std::string bytes = ToWindows1252(text);
    size_t start = 0;
    while (start < bytes.size()) {
        const size_t newline = bytes.find('\n', start);
        const size_t end = newline == std::string::npos ? bytes.size() : newline;
        std::fwrite(bytes.data() + start, 1, end - start, stream_);
        if (newline == std::string::npos) break;
        std::fwrite("\r\n", 1, 2, stream_);
        start = newline + 1;
    }
}

void DebugLog::Write(const char* prefix, bool endLine, const char* format, va_list args) {
    std::vsnprintf(message_, sizeof message_, format, args);
    Put(prefix);
    Put(message_);
    if (endLine) Put("\n");
    std::fflush(stream_);
}

void DebugLog::WriteRule() {
    if (!CanWrite()) return;
    Put(kRule);
    Put("\n");
    std::fflush(stream_);
}

#define VEX_WRITE_FORMATTED(prefix, endLine)  \
    do {                                      \
        va_list args;                         \
        va_start(args, format);               \
        Write(prefix, endLine, format, args); \
        va_end(args);                         \
    } while (false)

void DebugLog::WriteLine(const char* format, ...) {
    if (!CanWrite()) return;
    VEX_WRITE_FORMATTED("", true);
}

void DebugLog::WriteText(const char* format, ...) {
    if (!CanWrite()) return;
    VEX_WRITE_FORMATTED("", false);
}

void DebugLog::WriteDetail(const char* format, ...) {
    if (!CanWrite() || level_ < kDetailLevel) return;
    VEX_WRITE_FORMATTED("", true);
}

void DebugLog::WriteWarning(const char* format, ...) {
    if (!CanWrite() || level_ < kWarningLevel) return;
    VEX_WRITE_FORMATTED("AVISO: ", true);
}

void DebugLog::WriteError(const char* format, ...) {
    if (!CanWrite()) return;
    VEX_WRITE_FORMATTED("ERRO: ", true);
}

#undef VEX_WRITE_FORMATTED

void DebugLog::ModuleStarting(const char* name) {
    WriteText("Iniciando %s: ", name);
}
void DebugLog::ModuleFinishing(const char* name) {
    WriteText("Finalizando %s: ", name);
}
void DebugLog::ReportOk() {
    WriteLine("Ok.");
}
void DebugLog::ReportFailed() {
    WriteLine("Erro.");
}

void DebugLog::FileNotFound(const char* path) {
    WriteWarning("Arquivo <%s> não encontrado.", path);
}
void DebugLog::FileReadError(const char* path) {
    WriteWarning("Erro ao ler arquivo <%s>.", path);
}
void DebugLog::FileLoaded(const char* path) {
    WriteLine("Arquivo <%s> carregado com sucesso.", path);
}
void DebugLog::FileLoadedAt(const char* path, int16_t index) {
    WriteLine("Arquivo <%s> carregado com sucesso em index <%d>.", path, index);
}
