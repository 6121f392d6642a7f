// Reads what the library's debug.log gained since a point in a test, so a
// test can check the exact lines an operation wrote.
#pragma once

#include <fstream>
#include <iterator>
#include <string>

#include "base/debug_log.h"
#include "base/text_encoding.h"

class LogTail {
public:
    explicit LogTail(const char* path = DebugLog::kFileName)
        : path_(path), start_(FileText().size()) {}

    // The bytes written since construction (Windows-1252, CR LF).
    std::string Text() const { return FileText().substr(start_); }
    // Whether the new text holds this UTF-8 text as the log writes it.
    bool Has(const std::string& utf8) const {
        return Text().find(ToWindows1252(utf8)) != std::string::npos;
    }
    // Whether the new text holds this whole line.
    bool HasLine(const std::string& utf8) const {
        const std::string text = "\n" + Text();
        return text.find("\n" + ToWindows1252(utf8) + "\r\n") != std::string::npos;
    }

private:
    std::string FileText() const {
        std::ifstream in(path_, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }

    std::string path_;
    size_t start_;
};
