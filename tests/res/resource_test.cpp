// The resources of the built InfPatch.exe, read back through Windows: the
// main dialog's template as the dialog manager gets it, the two icons in the
// 16-colour BMP format of Windows 95, and the version record.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "res/resource.h"

namespace
{

class InfPatchResources : public ::testing::Test
{
protected:
    void SetUp() override
    {
        module = LoadLibraryExA(INFPATCH_EXE, 0, LOAD_LIBRARY_AS_DATAFILE);
        ASSERT_NE(module, nullptr) << INFPATCH_EXE << ": error " << GetLastError();
    }
    void TearDown() override
    {
        if (module)
            FreeLibrary(module);
    }

    // The bytes of one resource; empty when it is missing.
    std::vector<unsigned char> Resource(LPCSTR type, UINT id) const
    {
        HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(id), type);
        if (!found)
            return {};
        auto data = static_cast<const unsigned char*>(LockResource(LoadResource(module, found)));
        return std::vector<unsigned char>(data, data + SizeofResource(module, found));
    }

    HMODULE module = nullptr;
};

// Reads a dialog template: little-endian words, strings in UTF-16.
struct TemplateReader {
    const std::vector<unsigned char>& bytes;
    size_t at = 0;

    unsigned Word()
    {
        if (at + 2 > bytes.size()) {
            ADD_FAILURE() << "template ends at " << at;
            return 0;
        }
        unsigned value = bytes[at] | bytes[at + 1] << 8;
        at += 2;
        return value;
    }
    DWORD Dword()
    {
        DWORD low = Word();
        return low | static_cast<DWORD>(Word()) << 16;
    }
    short Short() { return static_cast<short>(Word()); }
    // ASCII text, or "#<number>" for an ordinal (0xFFFF, number).
    std::string StringOrOrdinal()
    {
        unsigned first = Word();
        if (first == 0xFFFF)
            return "#" + std::to_string(Word());
        std::string text;
        for (unsigned c = first; c != 0; c = Word())
            text += static_cast<char>(c);
        return text;
    }
    void AlignDword() { at = (at + 3) & ~static_cast<size_t>(3); }
};

struct Control {
    const char* what;
    std::string windowClass; // "#128" button, "#130" static
    int id;
    std::string text;
    short x, y, cx, cy;
    DWORD style;   // exact, with WS_CHILD and WS_VISIBLE
    DWORD exStyle; // exact
};

TEST_F(InfPatchResources, MainDialogTemplateMatchesItsLayout)
{
    std::vector<unsigned char> bytes = Resource(RT_DIALOG, IDD_INFPATCH_DIALOG);
    ASSERT_FALSE(bytes.empty());
    TemplateReader in{bytes};

    ASSERT_EQ(in.Word(), 1u) << "DIALOGEX version";
    ASSERT_EQ(in.Word(), 0xFFFFu) << "DIALOGEX signature";
    in.Dword(); // help ID
    EXPECT_EQ(in.Dword(), static_cast<DWORD>(WS_EX_APPWINDOW));
    // Exactly these: no minimise or maximise box, no sizing frame, and no
    // DS_CENTER (the framework centres a template at 0,0).
    EXPECT_EQ(in.Dword(), static_cast<DWORD>(WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU |
                                             DS_MODALFRAME | DS_SETFONT));
    unsigned count = in.Word();
    EXPECT_EQ(count, 10u);
    short x = in.Short(), y = in.Short(), cx = in.Short(), cy = in.Short();
    EXPECT_EQ(x, 0);
    EXPECT_EQ(y, 0);
    EXPECT_EQ(cx, 214);
    EXPECT_EQ(cy, 149);
    EXPECT_EQ(in.StringOrOrdinal(), "") << "menu";
    EXPECT_EQ(in.StringOrOrdinal(), "") << "class";
    EXPECT_EQ(in.StringOrOrdinal(), "Morvane for Windows 95");
    EXPECT_EQ(in.Word(), 12u) << "point size";
    EXPECT_EQ(in.Word(), 0u) << "weight";
    EXPECT_EQ(in.Word(), 1u << 8) << "italic 0 (low byte), character set 1 (high byte)";
    EXPECT_EQ(in.StringOrOrdinal(), "System");

    const DWORD child = WS_CHILD | WS_VISIBLE;
    const Control expected[] = {
        {"OK", "#128", IDOK, "OK", 7, 128, 50, 14, child | WS_TABSTOP | BS_DEFPUSHBUTTON, 0},
        {"Cancel", "#128", IDCANCEL, "Cancel", 157, 128, 50, 14, child | WS_TABSTOP | BS_PUSHBUTTON,
         0},
        {"program icon", "#130", IDC_STATIC, "#128", 7, 7, 20, 20, child | SS_ICON | WS_BORDER, 0},
        {"title", "#130", IDC_STATIC, "Morvane V1.3", 47, 7, 137, 10, child | WS_GROUP | SS_LEFT,
         WS_EX_TRANSPARENT},
        {"question", "#130", IDC_STATIC, "Do you want to run this patch program?", 7, 115, 200, 10,
         child | WS_GROUP | SS_LEFT, WS_EX_TRANSPARENT},
        {"group box", "#128", IDC_STATIC, "Patching Items:", 7, 45, 200, 68, child | BS_GROUPBOX,
         WS_EX_TRANSPARENT},
        {"item frame", "#130", IDC_ITEMS_FRAME, "", 13, 56, 189, 53,
         child | SS_WHITERECT | SS_SUNKEN | WS_BORDER, 0},
        {"subtitle", "#130", IDC_STATIC, "for Window 95, OSR2", 70, 18, 112, 8,
         child | WS_GROUP | SS_LEFT, WS_EX_TRANSPARENT},
        {"notice", "#130", IDC_STATIC, "Copyright (C) 1997 Morvane Software", 43, 30, 151, 11,
         child | WS_GROUP | SS_LEFT, WS_EX_TRANSPARENT},
        {"logo", "#130", IDC_STATIC, "#132", 190, 7, 17, 17, child | SS_ICON | WS_BORDER, 0},
    };
    ASSERT_EQ(count, sizeof expected / sizeof expected[0]);
    for (const Control& want : expected) {
        SCOPED_TRACE(want.what);
        in.AlignDword();
        in.Dword(); // help ID
        EXPECT_EQ(in.Dword(), want.exStyle) << "extended style";
        EXPECT_EQ(in.Dword(), want.style) << "style";
        short cx0 = in.Short(), cy0 = in.Short(), cx1 = in.Short(), cy1 = in.Short();
        EXPECT_EQ(cx0, want.x);
        EXPECT_EQ(cy0, want.y);
        EXPECT_EQ(cx1, want.cx);
        EXPECT_EQ(cy1, want.cy);
        EXPECT_EQ(static_cast<int>(static_cast<short>(in.Dword())), want.id);
        // The dialog manager takes a class by atom or by name alike.
        std::string windowClass = in.StringOrOrdinal();
        if (lstrcmpiA(windowClass.c_str(), "Static") == 0)
            windowClass = "#130";
        EXPECT_EQ(windowClass, want.windowClass);
        EXPECT_EQ(in.StringOrOrdinal(), want.text);
        unsigned extra = in.Word();
        in.at += extra;
    }
}

TEST_F(InfPatchResources, IconsHave32And16PixelImagesIn16Colours)
{
    for (UINT icon : {IDR_MAINFRAME, IDI_LOGO}) {
        SCOPED_TRACE("icon " + std::to_string(icon));
        std::vector<unsigned char> group = Resource(RT_GROUP_ICON, icon);
        ASSERT_GE(group.size(), 6u);
        auto word = [](const unsigned char* p) { return static_cast<unsigned>(p[0] | p[1] << 8); };
        ASSERT_EQ(word(&group[2]), 1u) << "type: icon";
        ASSERT_EQ(word(&group[4]), 2u) << "image count";
        ASSERT_EQ(group.size(), 6u + 2 * 14);
        for (int i = 0; i < 2; ++i) {
            const unsigned char* entry = &group[6 + 14 * i];
            const int size = i == 0 ? 32 : 16;
            SCOPED_TRACE(size);
            EXPECT_EQ(entry[0], size);
            EXPECT_EQ(entry[1], size);
            EXPECT_EQ(entry[2], 16) << "colours";
            EXPECT_EQ(word(entry + 4), 1u) << "planes";
            EXPECT_EQ(word(entry + 6), 4u) << "bits per pixel";

            std::vector<unsigned char> image = Resource(RT_ICON, word(entry + 12));
            ASSERT_GE(image.size(), sizeof(BITMAPINFOHEADER));
            BITMAPINFOHEADER header;
            memcpy(&header, image.data(), sizeof header);
            EXPECT_EQ(header.biSize, 40u);
            EXPECT_EQ(header.biWidth, size);
            EXPECT_EQ(header.biHeight, 2 * size) << "colour and mask images";
            EXPECT_EQ(header.biPlanes, 1);
            EXPECT_EQ(header.biBitCount, 4);
            EXPECT_EQ(header.biCompression, static_cast<DWORD>(BI_RGB));
            const size_t colourRow = (size * 4 / 8 + 3) / 4 * 4;
            const size_t maskRow = (size / 8 + 3) / 4 * 4;
            EXPECT_EQ(image.size(), 40 + 16 * 4 + (colourRow + maskRow) * size);

            HICON handle = CreateIconFromResourceEx(image.data(), static_cast<DWORD>(image.size()),
                                                    TRUE, 0x00030000, size, size, 0);
            EXPECT_NE(handle, nullptr);
            if (handle)
                DestroyIcon(handle);
        }
    }
}

TEST_F(InfPatchResources, VersionRecordNamesTheProgram)
{
    DWORD ignored = 0;
    DWORD size = GetFileVersionInfoSizeA(INFPATCH_EXE, &ignored);
    ASSERT_GT(size, 0u);
    std::vector<char> info(size);
    ASSERT_TRUE(GetFileVersionInfoA(INFPATCH_EXE, 0, size, info.data()));

    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueA(info.data(), "\\", reinterpret_cast<void**>(&fixed), &length));
    EXPECT_EQ(fixed->dwFileVersionMS, 0x00010002u);
    EXPECT_EQ(fixed->dwFileVersionLS, 0x00000001u);
    EXPECT_EQ(fixed->dwProductVersionMS, 0x00010002u);
    EXPECT_EQ(fixed->dwProductVersionLS, 0x00000001u);
    EXPECT_EQ(fixed->dwFileType, static_cast<DWORD>(VFT_APP));

    WORD* translation = nullptr;
    ASSERT_TRUE(VerQueryValueA(info.data(), "\\VarFileInfo\\Translation",
                               reinterpret_cast<void**>(&translation), &length));
    ASSERT_EQ(length, 4u);
    EXPECT_EQ(translation[0], 0x0409) << "U.S. English";
    EXPECT_EQ(translation[1], 1200) << "Unicode";

    const struct {
        const char* field;
        const char* value;
    } strings[] = {
        {"CompanyName", ""},          {"FileDescription", "InfPatch"},
        {"InternalName", "InfPatch"}, {"OriginalFilename", "InfPatch.exe"},
        {"ProductName", "InfPatch"},  {"FileVersion", "1.2.0.1"},
    };
    for (const auto& s : strings) {
        SCOPED_TRACE(s.field);
        char* value = nullptr;
        std::string query = std::string("\\StringFileInfo\\040904B0\\") + s.field;
        ASSERT_TRUE(
            VerQueryValueA(info.data(), query.c_str(), reinterpret_cast<void**>(&value), &length));
        EXPECT_EQ(std::string(value, length ? strnlen(value, length) : 0), s.value);
    }
}

} // namespace
