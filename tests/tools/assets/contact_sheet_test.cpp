// The contact sheet tool draws the nine pictures and, through the game's
// scene on the OpenGL device, the table seen by the game's camera, from a
// freshly generated asset folder. The scene needs an X display: ctest runs
// this test on a virtual one; without any it is skipped and says so.
#include <gtest/gtest.h>
#include <stb_image.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "tools/contactsheet/scene_preview.h"

TEST(ContactSheet, DrawsThePicturesAndTheTableSeenByTheCamera) {
    if (!std::getenv("DISPLAY"))
        GTEST_SKIP() << "no X display (run under scripts/run-with-display.sh): no sheet drawn";
    namespace fs = std::filesystem;
    const fs::path dir =
        fs::temp_directory_path() / ("contact_sheet_" + std::to_string(::getpid()));
    fs::remove_all(dir);
    fs::create_directories(dir);
    const fs::path png = dir / "sheet.png";
    // The tools run in the scratch folder, so the contact sheet's engine log
    // lands there rather than over this test's own.
    const std::string command = "cd " + dir.string() + " && " + ASSETGEN_PATH + " assets && " +
                                CONTACTSHEET_PATH + " assets " + png.string();
    const int status = std::system(command.c_str());
    ASSERT_TRUE(WIFEXITED(status)) << status;
    if (WEXITSTATUS(status) == kExitNoDisplay) {
        fs::remove_all(dir);
        GTEST_SKIP() << "the X display did not open: no sheet drawn";
    }
    ASSERT_EQ(WEXITSTATUS(status), 0);
    int w = 0, h = 0, n = 0;
    unsigned char* rgb = stbi_load(png.c_str(), &w, &h, &n, 3);
    ASSERT_NE(rgb, nullptr);
    EXPECT_EQ(w, 1510);
    EXPECT_EQ(h, 1400);
    // The table covers the middle of the camera's view (at 920, 640 on the
    // sheet, 570 x 400): its pixels are not the scene's grey background.
    int table = 0, total = 0;
    for (int y = 640 + 150; y < 640 + 300; ++y)
        for (int x = 920 + 150; x < 920 + 420; ++x, ++total) {
            const unsigned char* p = rgb + (std::size_t(y) * w + x) * 3;
            table += !(p[0] == 0x80 && p[1] == 0x80 && p[2] == 0x92);
        }
    EXPECT_GT(table, total * 9 / 10);
    stbi_image_free(rgb);
    fs::remove_all(dir);
}
