// The contact sheet tool draws the nine pictures and the table through the
// game's camera from a freshly generated asset folder.
#include <gtest/gtest.h>
#include <stb_image.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>

TEST(ContactSheet, DrawsThePicturesAndTheTableSeenByTheCamera) {
    namespace fs = std::filesystem;
    const fs::path dir =
        fs::temp_directory_path() / ("contact_sheet_" + std::to_string(::getpid()));
    fs::remove_all(dir);
    const fs::path png = dir / "sheet.png";
    const std::string command = std::string(ASSETGEN_PATH) + " " + (dir / "assets").string() +
                                " && " + CONTACTSHEET_PATH + " " + (dir / "assets").string() + " " +
                                png.string();
    ASSERT_EQ(std::system(command.c_str()), 0);
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
