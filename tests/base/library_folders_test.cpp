// Where the library reads and writes: the XDG rules, how an install is
// recognised, the folders it creates, and today's working-folder behaviour
// for everything that is not installed.
#include "base/library_folders.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <string>

namespace fs = std::filesystem;

namespace {

// An environment of exactly the variables given.
EnvironmentLookup Environment(std::map<std::string, std::string> variables) {
    return [variables = std::move(variables)](const char* name) -> const char* {
        const auto found = variables.find(name);
        return found == variables.end() ? nullptr : found->second.c_str();
    };
}

class ScratchTree : public testing::Test {
protected:
    ScratchTree() {
        fs::remove_all(root);
        fs::create_directories(root);
    }
    ~ScratchTree() override { fs::remove_all(root); }

    // An install below prefix: the library in its folder, the package's
    // folder when asked.
    std::string Install(const fs::path& prefix, bool withData) {
        fs::create_directories(prefix / "lib/ringdisk");
        std::ofstream(prefix / "lib/ringdisk/libvexlib.so") << "library";
        if (withData) fs::create_directories(prefix / "share/ringdisk");
        return (prefix / "lib/ringdisk/libvexlib.so").string();
    }

    const fs::path root =
        fs::temp_directory_path() / ("ringdisk_folders_" + std::to_string(::getpid()));
    const EnvironmentLookup player = Environment({{"HOME", "/home/ana"}});
};

}  // namespace

TEST(XdgGameFolder, AnAbsoluteVariableIsUsedAsItStands) {
    const auto env = Environment(
        {{"HOME", "/home/ana"}, {"XDG_DATA_HOME", "/data/ana/"}, {"XDG_STATE_HOME", "/state"}});
    EXPECT_EQ(XdgGameFolder(PlayerFolder::kData, env), "/data/ana/ringdisk");
    EXPECT_EQ(XdgGameFolder(PlayerFolder::kState, env), "/state/ringdisk");
}

TEST(XdgGameFolder, UnsetEmptyAndRelativeVariablesFallBackToTheHomeDefaults) {
    for (const char* ignored : {"", "relative/data", "./here", "~/data"}) {
        std::map<std::string, std::string> variables{{"HOME", "/home/ana"}};
        if (*ignored) {
            variables["XDG_DATA_HOME"] = ignored;
            variables["XDG_STATE_HOME"] = ignored;
        }
        const auto env = Environment(variables);
        EXPECT_EQ(XdgGameFolder(PlayerFolder::kData, env), "/home/ana/.local/share/ringdisk")
            << "XDG_DATA_HOME=\"" << ignored << "\"";
        EXPECT_EQ(XdgGameFolder(PlayerFolder::kState, env), "/home/ana/.local/state/ringdisk")
            << "XDG_STATE_HOME=\"" << ignored << "\"";
    }
    // Set but empty is the same as unset.
    const auto empty = Environment({{"HOME", "/home/ana"}, {"XDG_DATA_HOME", ""}});
    EXPECT_EQ(XdgGameFolder(PlayerFolder::kData, empty), "/home/ana/.local/share/ringdisk");
}

TEST(XdgGameFolder, WithoutAnAbsoluteHomeOrVariableThereIsNoFolder) {
    EXPECT_EQ(XdgGameFolder(PlayerFolder::kData, Environment({})), std::nullopt);
    EXPECT_EQ(XdgGameFolder(PlayerFolder::kState, Environment({{"HOME", ""}})), std::nullopt);
    EXPECT_EQ(XdgGameFolder(PlayerFolder::kData,
                            Environment({{"HOME", "home/ana"}, {"XDG_DATA_HOME", "data"}})),
              std::nullopt);
    // An absolute variable needs no HOME.
    EXPECT_EQ(XdgGameFolder(PlayerFolder::kState, Environment({{"XDG_STATE_HOME", "/s"}})),
              "/s/ringdisk");
}

TEST_F(ScratchTree, AnInstalledLibraryReadsTheInstallAndWritesIntoThePlayersFolders) {
    const std::string library = Install(root / "usr", true);
    const LibraryFolders folders = FoldersFor(library, player);
    EXPECT_EQ(fs::path(folders.package), fs::canonical(root / "usr/share/ringdisk"));
    EXPECT_EQ(folders.data, "/home/ana/.local/share/ringdisk");
    EXPECT_EQ(folders.state, "/home/ana/.local/state/ringdisk");

    // Reached through a link and a roundabout path, it is the same install.
    fs::create_symlink(root / "usr", root / "link");
    const LibraryFolders linked =
        FoldersFor((root / "link/lib/../lib/ringdisk/libvexlib.so").string(), player);
    EXPECT_EQ(fs::path(linked.package), fs::canonical(root / "usr/share/ringdisk"));
}

TEST_F(ScratchTree, AnInstallWithoutAHomeHasNoPlayersFolders) {
    const LibraryFolders folders = FoldersFor(Install(root / "usr", true), Environment({}));
    EXPECT_FALSE(folders.data.has_value());
    EXPECT_FALSE(folders.state.has_value());
}

TEST_F(ScratchTree, AnythingElseKeepsEverythingInTheWorkingFolder) {
    // A build folder: the library beside the program.
    fs::create_directories(root / "build/bin");
    std::ofstream(root / "build/bin/libvexlib.so") << "library";
    // A library folder of the right name with no game data beside it.
    const std::string noData = Install(root / "bare", false);
    // The right folders under the wrong parent.
    fs::create_directories(root / "odd/share/ringdisk");
    fs::create_directories(root / "odd/other/ringdisk");
    for (const std::string& file : {(root / "build/bin/libvexlib.so").string(), noData,
                                    (root / "odd/other/ringdisk/libvexlib.so").string(),
                                    std::string("libvexlib.so"), std::string()}) {
        const LibraryFolders folders = FoldersFor(file, player);
        EXPECT_EQ(folders.package, "") << file;
        EXPECT_EQ(folders.data, "") << file;
        EXPECT_EQ(folders.state, "") << file;
    }
}

TEST(LibraryFolders, ThisProcessIsNotAnInstallSoFilesStayInTheWorkingFolder) {
    EXPECT_EQ(Folders().package, "");
    EXPECT_EQ(PackagePath("dados.vpf"), "dados.vpf");
    EXPECT_EQ(PlayerFilePath(PlayerFolder::kData, "ringdisk.dat"), "ringdisk.dat");
    EXPECT_EQ(PlayerFileForWriting(PlayerFolder::kState, "debug.log"), "debug.log");
}

TEST_F(ScratchTree, MissingFoldersAreCreatedForTheirOwnerOnly) {
    const fs::path folder = root / "home/.local/state/ringdisk";
    std::string error;
    ASSERT_TRUE(MakePlayerFolder(folder.string(), error)) << error;
    for (const fs::path& made : {root / "home", root / "home/.local", folder}) {
        struct stat info {};
        ASSERT_EQ(stat(made.c_str(), &info), 0);
        EXPECT_EQ(info.st_mode & 0777, 0700u) << made;
    }
    // A folder that is there already is fine, and keeps its permissions.
    fs::permissions(folder, fs::perms(0755));
    EXPECT_TRUE(MakePlayerFolder(folder.string(), error)) << error;
    EXPECT_EQ(fs::status(folder).permissions(), fs::perms(0755));
    EXPECT_TRUE(MakePlayerFolder("", error)) << "the working folder is always there";
}

TEST_F(ScratchTree, AFolderThatCannotBeMadeIsRefusedWithTheReason) {
    std::ofstream(root / "file") << "in the way";
    std::string error;
    EXPECT_FALSE(MakePlayerFolder((root / "file").string(), error));
    EXPECT_NE(error.find("não é uma pasta"), std::string::npos) << error;
    error.clear();
    EXPECT_FALSE(MakePlayerFolder((root / "file/ringdisk").string(), error));
    EXPECT_NE(error.find((root / "file").string()), std::string::npos) << error;
}
