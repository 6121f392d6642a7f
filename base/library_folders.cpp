#include "base/library_folders.h"

#include <dlfcn.h>
#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <vector>

#include "base/debug_log.h"
#include "install_layout.h"

namespace {

namespace fs = std::filesystem;

constexpr const char* kGameFolderName = "ringdisk";

std::optional<fs::path> AbsoluteValue(const EnvironmentLookup& environment, const char* name) {
    const char* value = environment(name);
    if (!value || !*value) return std::nullopt;
    fs::path path(value);
    if (!path.is_absolute()) return std::nullopt;
    return path;
}

// The prefix of the install whose library folder holds libraryFile, or
// nullopt when the file lies anywhere else.
std::optional<fs::path> InstallPrefixOf(const std::string& libraryFile) {
    if (libraryFile.empty()) return std::nullopt;
    std::error_code error;
    fs::path folder = fs::weakly_canonical(fs::absolute(libraryFile, error), error).parent_path();
    if (error) return std::nullopt;
    const fs::path layout(kInstalledLibraryFolder);
    std::vector<fs::path> parts(layout.begin(), layout.end());
    for (auto part = parts.rbegin(); part != parts.rend(); ++part) {
        if (folder.filename() != *part) return std::nullopt;
        folder = folder.parent_path();
    }
    return folder;
}

std::string InFolder(const std::string& folder, const char* name) {
    return folder.empty() ? std::string(name) : (fs::path(folder) / name).string();
}

const char* VariableOf(PlayerFolder kind) {
    return kind == PlayerFolder::kData ? "XDG_DATA_HOME" : "XDG_STATE_HOME";
}

const std::optional<std::string>& FolderOf(PlayerFolder kind) {
    return kind == PlayerFolder::kData ? Folders().data : Folders().state;
}

// Before the log exists (it is itself one of the files placed here) the
// reason goes to stderr, so a refusal is never silent.
void ReportRefusal(const std::string& text) {
    if (Log().IsOpen()) {
        Log().WriteError("%s", text.c_str());
    } else {
        std::fprintf(stderr, "ERRO: %s\n", text.c_str());
    }
}

std::string LoadedFrom() {
    Dl_info info{};
    if (dladdr(reinterpret_cast<void*>(&Folders), &info) == 0 || !info.dli_fname) return {};
    return info.dli_fname;
}

}  // namespace

std::optional<std::string> XdgGameFolder(PlayerFolder kind, const EnvironmentLookup& environment) {
    if (const auto base = AbsoluteValue(environment, VariableOf(kind)))
        return (*base / kGameFolderName).lexically_normal().string();
    const char* fallback = kind == PlayerFolder::kData ? ".local/share" : ".local/state";
    if (const auto home = AbsoluteValue(environment, "HOME"))
        return (*home / fallback / kGameFolderName).lexically_normal().string();
    return std::nullopt;
}

LibraryFolders FoldersFor(const std::string& libraryFile, const EnvironmentLookup& environment) {
    const std::optional<fs::path> prefix = InstallPrefixOf(libraryFile);
    std::error_code error;
    if (!prefix || !fs::is_directory(*prefix / kInstalledDataFolder, error))
        return {"", std::string(), std::string()};
    return {(*prefix / kInstalledDataFolder).string(),
            XdgGameFolder(PlayerFolder::kData, environment),
            XdgGameFolder(PlayerFolder::kState, environment)};
}

const LibraryFolders& Folders() {
    static const LibraryFolders folders =
        FoldersFor(LoadedFrom(), [](const char* name) { return std::getenv(name); });
    return folders;
}

bool MakePlayerFolder(const std::string& folder, std::string& error) {
    if (folder.empty()) return true;
    fs::path reached;
    for (const fs::path& part : fs::path(folder)) {
        reached /= part;
        // Only what is created here is made private; folders the player
        // already has keep their permissions.
        if (mkdir(reached.c_str(), 0700) != 0 && errno != EEXIST) {
            error = reached.string() + ": " + std::strerror(errno);
            return false;
        }
    }
    struct stat info {};
    if (stat(folder.c_str(), &info) != 0) {
        error = folder + ": " + std::strerror(errno);
        return false;
    }
    if (!S_ISDIR(info.st_mode)) {
        error = folder + ": não é uma pasta";
        return false;
    }
    return true;
}

std::string PackagePath(const char* name) {
    return InFolder(Folders().package, name);
}

std::optional<std::string> PlayerFilePath(PlayerFolder kind, const char* name) {
    const std::optional<std::string>& folder = FolderOf(kind);
    if (!folder) return std::nullopt;
    return InFolder(*folder, name);
}

std::optional<std::string> PlayerFileForWriting(PlayerFolder kind, const char* name) {
    const std::optional<std::string>& folder = FolderOf(kind);
    if (!folder) {
        ReportRefusal(std::string("nenhuma pasta para gravar ") + name + ": HOME e " +
                      VariableOf(kind) +
                      " não indicam um caminho absoluto; o arquivo não será "
                      "gravado.");
        return std::nullopt;
    }
    std::string error;
    if (!MakePlayerFolder(*folder, error)) {
        ReportRefusal("não foi possível criar a pasta " + error + "; " + name +
                      " não será gravado.");
        return std::nullopt;
    }
    return InFolder(*folder, name);
}
