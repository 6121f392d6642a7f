#include "game/records.h"

#include <cstdio>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "base/library_folders.h"
#include "game/game_log.h"
#include "game/intro.h"
#include "game/owned_text.h"
#include "game/table_layout.h"

namespace {

constexpr size_t kMaxNameBytes = 127;   // the length byte is signed
constexpr size_t kRecordTailBytes = 8;  // hours, minutes, seconds, level, shots
constexpr long kMaxFileBytes = kBestPlayRows * (1 + kMaxNameBytes + 1 + kRecordTailBytes);

struct DefaultRow {
    const char* name;
    int8_t level;
    int8_t hours, minutes, seconds;
    int32_t shots;
};

constexpr DefaultRow kDefaultRows[kBestPlayRows] = {
    {"vex", 3, 0, 12, 8, 30},   {"gordon", 2, 0, 4, 10, 5}, {"michael", 2, 0, 5, 40, 6},
    {"fred", 2, 0, 8, 33, 8},   {"john", 2, 0, 9, 25, 8},   {"paul", 2, 0, 10, 57, 10},
    {"nick", 2, 0, 12, 28, 10}, {"bob", 2, 0, 15, 14, 20},  {"jack", 2, 0, 20, 2, 25},
    {"bill", 1, 0, 3, 12, 12},
};

BestPlay rows[kBestPlayRows];

void SetRowName(BestPlay& row, const char* name) {
    FreeText(row.name);
    row.name = CopyText(name, kMaxNameBytes);
}

void SetDefaults() {
    for (int r = 0; r < kBestPlayRows; ++r) {
        const DefaultRow& d = kDefaultRows[r];
        SetRowName(rows[r], d.name);
        rows[r].hours = d.hours;
        rows[r].minutes = d.minutes;
        rows[r].seconds = d.seconds;
        rows[r].level = d.level;
        rows[r].shots = d.shots;
    }
}

std::vector<unsigned char> ReadWholeFile(FILE* f) {
    std::vector<unsigned char> bytes(kMaxFileBytes + 1);
    bytes.resize(std::fread(bytes.data(), 1, bytes.size(), f));
    return bytes;
}

// Reads one record at offset; false when it cannot be read whole.
bool ParseRecord(const std::vector<unsigned char>& bytes, size_t& offset, BestPlay& out) {
    if (offset >= bytes.size()) return false;
    const int8_t length = static_cast<int8_t>(bytes[offset]);
    if (length < 0) return false;
    const size_t n = static_cast<size_t>(length);
    if (offset + 1 + n + 1 + kRecordTailBytes > bytes.size()) return false;
    const char* name = reinterpret_cast<const char*>(&bytes[offset + 1]);
    if (name[n] != '\0' || std::memchr(name, '\0', n) != nullptr) return false;
    const unsigned char* tail = &bytes[offset + 1 + n + 1];
    SetRowName(out, name);
    out.hours = static_cast<int8_t>(tail[0]);
    out.minutes = static_cast<int8_t>(tail[1]);
    out.seconds = static_cast<int8_t>(tail[2]);
    out.level = static_cast<int8_t>(tail[3]);
    out.shots = static_cast<int32_t>(
        static_cast<uint32_t>(tail[4]) | static_cast<uint32_t>(tail[5]) << 8 |
        static_cast<uint32_t>(tail[6]) << 16 | static_cast<uint32_t>(tail[7]) << 24);
    offset += 1 + n + 1 + kRecordTailBytes;
    return true;
}

void AppendRecord(std::string& out, const BestPlay& row) {
    const char* name = row.name ? row.name : "";
    const size_t n = strnlen(name, kMaxNameBytes);
    out.push_back(static_cast<char>(n));
    out.append(name, n);
    out.push_back('\0');
    out.push_back(static_cast<char>(row.hours));
    out.push_back(static_cast<char>(row.minutes));
    out.push_back(static_cast<char>(row.seconds));
    out.push_back(static_cast<char>(row.level));
    const uint32_t shots = static_cast<uint32_t>(row.shots);
    for (int b = 0; b < 4; ++b) out.push_back(static_cast<char>((shots >> (8 * b)) & 0xFF));
}

int32_t RowSeconds(const BestPlay& row) {
    return 3600 * row.hours + 60 * row.minutes + row.seconds;
}

// Row the run belongs in, scanning from the worst row up; -1 when it is
// worse than every row it was compared with. Equal plays go above.
int FindRow(const GameState& g) {
    int r = -1;
    for (int row = kBestPlayRows - 1; row >= 0; --row) {
        const BestPlay& p = rows[row];
        if (g.practiceLevel > p.level) {
            r = row;
        } else if (g.practiceLevel == p.level) {
            const int32_t t = RowSeconds(p);
            if (g.elapsedSeconds > t) return row + 1;
            if (g.elapsedSeconds < t) {
                r = row;
            } else {
                if (g.shotsTaken > p.shots) return row + 1;
                r = row;
            }
        }
    }
    return r;
}

}  // namespace

const BestPlay& BestPlayRow(int row) {
    return rows[row];
}

void LoadBestPlays() {
    const std::optional<std::string> path = PlayerFilePath(PlayerFolder::kData, kBestPlaysFile);
    if (path) {
        LoadBestPlays(path->c_str());
    } else {
        SetDefaults();
    }
}

void LoadBestPlays(const char* path) {
    SetDefaults();
    FILE* f = std::fopen(path, "rb");
    if (!f) return;
    const std::vector<unsigned char> bytes = ReadWholeFile(f);
    std::fclose(f);

    size_t offset = 0;
    for (int r = 0; r < kBestPlayRows; ++r) {
        if (!ParseRecord(bytes, offset, rows[r])) {
            char text[160];
            std::snprintf(text, sizeof text,
                          "%s danificado: registro %d ilegível, mantidos os valores padrão "
                          "a partir dele.",
                          path, r);
            LogGameWarning(text);
            return;
        }
    }
}

bool SaveBestPlays() {
    const std::optional<std::string> path =
        PlayerFileForWriting(PlayerFolder::kData, kBestPlaysFile);
    return path && SaveBestPlays(path->c_str());
}

bool SaveBestPlays(const char* path) {
    std::string bytes;
    for (const BestPlay& row : rows) AppendRecord(bytes, row);

    // Written beside the table and moved over it, so a failed write never
    // leaves a half table behind.
    const std::string temporary = std::string(path) + ".tmp";
    FILE* f = std::fopen(temporary.c_str(), "wb");
    bool written = f != nullptr;
    if (f) {
        written = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
        written = std::fclose(f) == 0 && written;
    }
    if (written) written = std::rename(temporary.c_str(), path) == 0;
    if (!written) {
        std::remove(temporary.c_str());
        char text[160];
        std::snprintf(text, sizeof text, "não foi possível gravar %s.", path);
        LogGameWarning(text);
    }
    return written;
}

void ReleaseBestPlays() {
    for (BestPlay& row : rows) {
        FreeText(row.name);
        row.name = nullptr;
    }
}

void EnterBestPlay(GameState& g) {
    g.newRecordRow = kNoRecordRow;
    const int r = FindRow(g);
    if (r < 0 || r >= kBestPlayRows) return;

    FreeText(rows[kBestPlayRows - 1].name);
    for (int row = kBestPlayRows - 1; row > r; --row) rows[row] = rows[row - 1];
    rows[r].name = CopyText(g.playerName.text, kMaxNameBytes);
    const int32_t t = g.elapsedSeconds;
    rows[r].hours = static_cast<int8_t>(t / 3600);
    rows[r].minutes = static_cast<int8_t>((t - 3600 * (t / 3600)) / 60);
    rows[r].seconds = static_cast<int8_t>(t % 60);
    rows[r].level = static_cast<int8_t>(g.practiceLevel);
    rows[r].shots = g.shotsTaken;
    g.newRecordRow = static_cast<uint8_t>(r);
    SaveBestPlays();
}

void ShowBestPlays(GameState& g) {
    if (g.mode != kModeIdle) {
        ReturnToIntro(g);
        StandardLayout(g);
    }
    g.practicePhase = kPhasePlaying;
    g.mode = kModeRecords;
    g.recordsScreenSeconds = 0;
}

void AdvanceBestPlaysScreen(GameState& g, float frameSeconds) {
    if (g.mode != kModeRecords) return;
    g.recordsScreenSeconds += frameSeconds;
    if (g.recordsScreenSeconds > kBestPlaysStandSeconds + kBestPlaysSlideSeconds)
        g.mode = kModeIdle;
}
