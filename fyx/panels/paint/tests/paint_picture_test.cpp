// Background pictures: one file, every file of a folder in turn, and the left
// picture serving the right panel.
#include <gtest/gtest.h>

#include <algorithm>

#include "paint_picture.h"
#include "testkit.h"

namespace {

const COLORREF BACKGROUND = RGB(240, 240, 250);

// A solid 24-bit bitmap file.
void WriteBitmap(const std::wstring& path, int w, int h, COLORREF c) {
    int stride = (w * 3 + 3) & ~3;
    BITMAPFILEHEADER file = {};
    BITMAPINFOHEADER info = {};
    info.biSize = sizeof(info);
    info.biWidth = w;
    info.biHeight = h;
    info.biPlanes = 1;
    info.biBitCount = 24;
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof(file) + sizeof(info);
    file.bfSize = file.bfOffBits + stride * h;
    std::vector<BYTE> pixels(stride * h);
    for (int y = 0; y < h; y++)
        for (int x = 0; x < w; x++) {
            BYTE* p = &pixels[y * stride + x * 3];
            p[0] = GetBValue(c);
            p[1] = GetGValue(c);
            p[2] = GetRValue(c);
        }
    HANDLE f = CreateFileW(path.c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL);
    ASSERT_NE(INVALID_HANDLE_VALUE, f);
    DWORD written;
    WriteFile(f, &file, sizeof(file), &written, NULL);
    WriteFile(f, &info, sizeof(info), &written, NULL);
    WriteFile(f, pixels.data(), (DWORD)pixels.size(), &written, NULL);
    CloseHandle(f);
}

class PaintPicture : public ::testing::Test {
  protected:
    void SetUp() override {
        PanelColors colors = {};
        colors.background = BACKGROUND;
        LOGFONTW font = {};
        font.lfHeight = 14;
        wcscpy(font.lfFaceName, L"Tahoma");
        ASSERT_EQ(0, PaintCreateSurfaces(&surfaces, &font, &colors, 200, 100));
        WriteBitmap(dir.File(L"red.bmp"), 30, 20, RGB(200, 0, 0));
        WriteBitmap(dir.File(L"green.bmp"), 30, 20, RGB(0, 200, 0));
        HANDLE f = CreateFileW(dir.File(L"notes.txt").c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL);
        DWORD written;
        WriteFile(f, "no picture", 10, &written, NULL);
        CloseHandle(f);
        CreateDirectoryW(dir.File(L"sub").c_str(), NULL);
    }
    void TearDown() override { PaintReleaseSurfaces(&surfaces); }
    COLORREF At(int side, int x, int y) { return GetPixel(surfaces.background[side].dc, x, y); }

    fyxtest::TempDir dir;
    PaintSurfaces surfaces;
};

TEST_F(PaintPicture, OneFileIsDrawnAtTheTopLeftOverTheBackground) {
    PanelPicture p;
    ASSERT_EQ(0, PaintStartPicture(&p, &surfaces, 1, PICTURE_ONE_FILE, dir.File(L"red.bmp").c_str(), BACKGROUND));
    EXPECT_EQ(RGB(200, 0, 0), At(1, 0, 0));
    EXPECT_EQ(RGB(200, 0, 0), At(1, 29, 19));
    EXPECT_EQ(BACKGROUND, At(1, 30, 5));
    EXPECT_EQ(BACKGROUND, At(1, 5, 20));
    EXPECT_EQ(1, surfaces.backgroundHasPicture[1]);

    EXPECT_EQ(1, PaintStartPicture(&p, &surfaces, 1, PICTURE_ONE_FILE, dir.File(L"missing.bmp").c_str(), BACKGROUND));
    EXPECT_EQ(BACKGROUND, At(1, 0, 0)) << "an unreadable picture leaves the plain colour";
    EXPECT_EQ(0, surfaces.backgroundHasPicture[1]);
    EXPECT_EQ(1, PaintStartPicture(&p, &surfaces, 1, PICTURE_NONE, dir.File(L"red.bmp").c_str(), BACKGROUND));
    EXPECT_EQ(BACKGROUND, At(1, 0, 0));
}

TEST_F(PaintPicture, EveryFileModeListsTheFolderOnceAndGoesRound) {
    std::vector<std::wstring> files;
    ASSERT_EQ(0, PaintListPictureFolder(dir.File(L"red.bmp").c_str(), &files));
    std::sort(files.begin(), files.end());
    std::vector<std::wstring> expected = {dir.File(L"green.bmp"), dir.File(L"notes.txt"), dir.File(L"red.bmp")};
    EXPECT_EQ(expected, files) << "all files, no folders, none dropped";

    PanelPicture p;
    ASSERT_EQ(0, PaintStartPicture(&p, &surfaces, 0, PICTURE_EVERY_FILE, dir.File(L"red.bmp").c_str(), BACKGROUND));
    std::vector<COLORREF> shown = {At(0, 0, 0)};
    for (int i = 0; i < 3; i++) {
        ASSERT_EQ(0, PaintNextPicture(&p, &surfaces, 0, BACKGROUND));
        shown.push_back(At(0, 0, 0));
    }
    // The text file is passed over: the two pictures alternate.
    EXPECT_NE(shown[0], shown[1]);
    EXPECT_EQ(shown[0], shown[2]);
    EXPECT_EQ(shown[1], shown[3]);
    EXPECT_TRUE(shown[0] == RGB(200, 0, 0) || shown[0] == RGB(0, 200, 0));
}

TEST(PaintPictureSource, RightPanelShowsTheLeftPictureAtItsOffset) {
    struct Case {
        int side, over, leftShows;
        int surface, x;
    } cases[] = {
        {0, 1, 1, 0, 0}, {1, 1, 1, 0, 402}, {1, 0, 1, 1, 0}, {1, 1, 0, 1, 0},
    };
    for (const Case& c : cases) {
        int surface, x;
        PaintBackgroundSource(c.side, c.over, c.leftShows, c.side ? 404 : 2, 2, &surface, &x);
        EXPECT_EQ(c.surface, surface);
        EXPECT_EQ(c.x, x);
    }
}

}  // namespace
