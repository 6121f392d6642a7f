#include "engine/services/vex_package.h"

#include <zlib.h>

#include <cstring>
#include <new>

#include "base/debug_log.h"
#include "engine/services/package_format.h"
#include "engine/services/string_tools.h"
#include "engine/services/vex_resource.h"

namespace {

// Deflate cannot expand data by more than this factor, so an entry that
// claims to inflate to more is damaged; refusing it early keeps a broken
// table from asking the heap for gigabytes.
constexpr uint64_t kMaxInflateRatio = 1032;

}  // namespace

VEX_Package::~VEX_Package() {
    Log().ModuleFinishing("VEX_Package");
    ReleaseData();
    if (Close()) Log().ReportOk();
}

bool VEX_Package::Open(const char* name, bool list) {
    Close();
    VEX_Resource& resource = Resource();
    if (!resource.BuildPath(name) || !StringTools::FileExists(resource.path())) return false;

    path_ = StringTools::Duplicate(resource.path());
    if (!path_) return false;
    file_ = std::fopen(path_.get(), "rb");
    if (!file_) {
        // "possivel" lacks its accent in this line as the log has always written it: keep it.
        Log().WriteWarning("Não foi possivel abrir arquivo de pacote <%s>.", path_.get());
        path_.reset();
        return false;
    }

    vpf::Header header;
    bool outOfMemory = false;
    const vpf::TableCheck check =
        vpf::ReadTable(file_, header, [&](const vpf::Record& record, uint32_t offset) {
            outOfMemory = !KeepEntry(record, offset, header.count);
            return !outOfMemory;
        });
    switch (check) {
        case vpf::TableCheck::kOk:
            break;
        case vpf::TableCheck::kBadMagic:
            Log().WriteWarning("Arquivo <%s> não reconhecido como VEX Package File.", path_.get());
            break;
        case vpf::TableCheck::kBadVersion:
            Log().WriteWarning("Versão de pacote incompatível; versão encontrada <%d>.",
                               header.version);
            break;
        case vpf::TableCheck::kBadCount:
            Log().WriteWarning("Número de arquivos <%d> inválido no VEX Package File <%s>.",
                               header.count, path_.get());
            break;
        case vpf::TableCheck::kRefused:
            Log().WriteWarning("Memória insuficiente para criar lista de arquivos no pacote.");
            break;
        case vpf::TableCheck::kCorrupt:
            Log().WriteWarning("Pacote <%s> parece estar corrompido.", path_.get());
            break;
    }
    if (check != vpf::TableCheck::kOk) {
        std::fclose(file_);
        file_ = nullptr;
        path_.reset();
        ReleaseTable();
        return false;
    }

    count_ = header.count;
    scrambled_ = vpf::IsScrambled(header.version);
    compressed_ = vpf::StoresSizes(header.version);
    open_ = true;
    Log().FileLoaded(path_.get());
    if (list) ListTable(header.version, header.headerEnd);
    return true;
}

bool VEX_Package::KeepEntry(const vpf::Record& record, uint32_t offset, int16_t count) {
    try {
        if (table_.empty()) table_.reserve(static_cast<size_t>(count));
        PackageEntry entry;
        entry.name = StringTools::Duplicate(record.name);
        if (!entry.name) return false;
        StringTools::ToLower(entry.name.get());
        entry.storedSize = record.storedSize;
        entry.unpackedSize = record.unpackedSize;
        entry.offset = offset;
        table_.push_back(std::move(entry));
        return true;
    } catch (const std::bad_alloc&) {
        return false;
    }
}

void VEX_Package::ReleaseTable() {
    table_.clear();
    table_.shrink_to_fit();
    count_ = 0;
}

void VEX_Package::ListTable(int version, uint32_t headerEnd) const {
    vpf::Header header;
    header.version = version;
    header.count = count_;
    header.headerEnd = headerEnd;
    vpf::ListTable(
        header,
        [this](int i) {
            const PackageEntry& e = table_[static_cast<size_t>(i)];
            return vpf::ListingEntry{e.name.get(), e.unpackedSize, e.storedSize, e.offset};
        },
        [](const char* line) { Log().WriteLine("%s", line); });
}

bool VEX_Package::Close() {
    if (!open_) return true;
    std::fclose(file_);
    file_ = nullptr;
    path_.reset();
    ReleaseTable();
    open_ = false;
    return true;
}

bool VEX_Package::IsOpen(bool log, const char* name) const {
    if (open_) return true;
    if (log) {
        if (name) {
            Log().WriteWarning("Pacote não está aberto para <%s>.", name);
        } else {
            Log().WriteWarning("Pacote não está aberto.");
        }
    }
    return false;
}

int16_t VEX_Package::FindByName(const char* name, bool log) const {
    if (!open_ || !name) return -1;
    for (size_t i = 0; i < table_.size(); ++i) {
        if (std::strcmp(table_[i].name.get(), name) == 0) return static_cast<int16_t>(i);
    }
    if (log) Log().WriteWarning("Arquivo <%s> não encontrado no pacote <%s>.", name, PathText());
    return -1;
}

bool VEX_Package::CheckIndex(int16_t index, bool log) const {
    if (index >= 0 && index < count_) return true;
    if (log) Log().WriteWarning("Índice <%d> inválido para o pacote <%s>.", index, PathText());
    return false;
}

uint32_t VEX_Package::ReadBlock(const PackageEntry& entry, TrackedBytes& out) const {
    TrackedBytes stored(static_cast<uint8_t*>(TrackedAlloc(entry.storedSize)));
    if (!stored) {
        Log().WriteWarning("Memória insuficiente para carregar dados.");
        return 0;
    }
    // A zero-byte read counts as a short read: an empty entry has nothing
    // a loader could use.
    if (std::fseek(file_, static_cast<long>(entry.offset), SEEK_SET) != 0 ||
        entry.storedSize == 0 ||
        std::fread(stored.get(), 1, entry.storedSize, file_) != entry.storedSize) {
        Log().WriteWarning("Erro ao ler dados.");
        return 0;
    }
    if (scrambled_) vpf::Scramble(stored.get(), entry.storedSize);
    if (!compressed_ || entry.storedSize == entry.unpackedSize) {
        out = std::move(stored);
        return entry.storedSize;
    }

    TrackedBytes unpacked;
    if (entry.unpackedSize <= static_cast<uint64_t>(entry.storedSize) * kMaxInflateRatio) {
        unpacked.reset(static_cast<uint8_t*>(TrackedAlloc(entry.unpackedSize)));
    }
    uLongf unpackedSize = entry.unpackedSize;
    if (!unpacked ||
        uncompress(unpacked.get(), &unpackedSize, stored.get(), entry.storedSize) != Z_OK ||
        unpackedSize != entry.unpackedSize) {
        Log().WriteWarning("Erro ao descomprimir dados.");
        return 0;
    }
    out = std::move(unpacked);
    return entry.unpackedSize;
}

void VEX_Package::LogReadOutcome(int16_t index, uint32_t loaded) const {
    if (loaded == 0) {
        Log().WriteWarning("Erro ao ler dados referentes ao índice <%d> do pacote <%s>.", index,
                           PathText());
    } else {
        Log().WriteLine("Dados referentes ao índice <%d> do pacote <%s> carregados com sucesso.",
                        index, PathText());
    }
}

uint32_t VEX_Package::ReadEntry(int16_t index, bool log) {
    ReleaseData();
    if (!open_) {
        Log().WriteWarning("Nenhum pacote aberto para ler índice <%d>.", index);
        return 0;
    }
    if (!CheckIndex(index, log)) return 0;
    bytesLoaded_ = ReadBlock(table_[static_cast<size_t>(index)], data_);
    if (log) LogReadOutcome(index, bytesLoaded_);
    return bytesLoaded_;
}

uint32_t VEX_Package::ReadEntryInto(int16_t index, TrackedBytes& target, bool log) {
    if (target) return 0;
    if (!open_) {
        Log().WriteWarning("O pacote não está aberto para ler índice <%d>.", index);
        return 0;
    }
    if (!CheckIndex(index, log)) return 0;
    const uint32_t loaded = ReadBlock(table_[static_cast<size_t>(index)], target);
    if (log) LogReadOutcome(index, loaded);
    return loaded;
}

void VEX_Package::ReleaseData() {
    data_.reset();
    bytesLoaded_ = 0;
    cursor_ = 0;
}

const PackageEntry* VEX_Package::GetEntry(int16_t index) const {
    if (index < 0 || index >= count_) return nullptr;
    return &table_[static_cast<size_t>(index)];
}

const char* VEX_Package::GetEntryName(int16_t index) const {
    const PackageEntry* entry = GetEntry(index);
    return entry ? entry->name.get() : nullptr;
}

const uint8_t* VEX_Package::Take(uint32_t count) {
    if (count > bytesLoaded_ - cursor_) {
        Log().WriteWarning("Tentativa de leitura fora do intervalo de dados no arquivo <%s>.",
                           PathText());
        return nullptr;
    }
    const uint8_t* at = data_.get() + cursor_;
    cursor_ += count;
    return at;
}

uint8_t VEX_Package::ReadByte() {
    const uint8_t* b = Take(1);
    return b ? b[0] : 0;
}

int16_t VEX_Package::ReadShort() {
    const uint8_t* b = Take(2);
    return b ? static_cast<int16_t>(b[0] | b[1] << 8) : 0;
}

int32_t VEX_Package::ReadInt() {
    const uint8_t* b = Take(4);
    if (!b) return 0;
    return static_cast<int32_t>(static_cast<uint32_t>(b[0]) | static_cast<uint32_t>(b[1]) << 8 |
                                static_cast<uint32_t>(b[2]) << 16 |
                                static_cast<uint32_t>(b[3]) << 24);
}

float VEX_Package::ReadFloat() {
    const int32_t bits = ReadInt();
    float value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

bool VEX_Package::ReadBytes(uint32_t count, void* target) {
    const uint8_t* b = Take(count);
    if (!b) {
        if (target) *static_cast<uint8_t*>(target) = 0;
        return false;
    }
    if (count > 0) std::memcpy(target, b, count);
    return true;
}

bool VEX_Package::SetCursor(uint32_t position) {
    if (position >= bytesLoaded_) return false;
    cursor_ = position;
    return true;
}
