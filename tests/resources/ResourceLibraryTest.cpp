// The resource library against the shared identifier header: every identifier of a loadable kind
// is in the library, and the resources the windows rely on have their roles.
#include <gtest/gtest.h>

#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <regex>
#include <set>
#include <string>
#include <vector>

#include "platform/afx/String.h"
#include "resources/ResourceIds.h"

namespace {

const LPCSTR kToolbarType = MAKEINTRESOURCEA(241);

struct Identifier {
  std::string name;
  UINT value;
};

std::vector<Identifier> ReadHeader() {
  std::ifstream in(std::string(ONDRIX_SOURCE_DIR) + "/resources/ResourceIds.h");
  std::vector<Identifier> ids;
  const std::regex define(R"(^#define\s+(ID\w+)\s+(0x[0-9A-Fa-f]+|\d+)\s*$)");
  std::string line;
  std::smatch m;
  while (std::getline(in, line))
    if (std::regex_match(line, m, define))
      ids.push_back({m[1], static_cast<UINT>(std::strtoul(m[2].str().c_str(), nullptr, 0))});
  return ids;
}

bool StartsWith(const std::string& text, const char* prefix) { return text.rfind(prefix, 0) == 0; }

bool EndsWith(const std::string& text, const char* suffix) {
  const size_t n = strlen(suffix);
  return text.size() >= n && text.compare(text.size() - n, n, suffix) == 0;
}

class ResourceLibrary : public ::testing::Test {
 protected:
  void SetUp() override {
    library = ::LoadLibraryA("OndrixRsc.dll");
    ASSERT_NE(nullptr, library);
  }
  void TearDown() override { ::FreeLibrary(library); }

  bool Has(LPCSTR type, UINT id) const { return ::FindResourceA(library, MAKEINTRESOURCEA(id), type) != nullptr; }
  bool HasString(UINT id) const {
    LPCWSTR text = nullptr;
    return ::LoadStringW(library, id, reinterpret_cast<LPWSTR>(&text), 0) > 0;
  }
  bool DialogOpens(UINT id, HWND parent) const {
    HWND dialog = ::CreateDialogParamA(library, MAKEINTRESOURCEA(id), parent, &DialogProc, 0);
    if (dialog)
      ::DestroyWindow(dialog);
    return dialog != nullptr;
  }
  static INT_PTR CALLBACK DialogProc(HWND, UINT, WPARAM, LPARAM) { return FALSE; }
  // Whether the library holds the resource the identifier's prefix names.
  bool Holds(const Identifier& id, HWND parent) const {
    if (StartsWith(id.name, "IDS_"))
      return HasString(id.value);
    if (StartsWith(id.name, "IDD_"))
      return Has(RT_DIALOG, id.value) && DialogOpens(id.value, parent);
    if (StartsWith(id.name, "IDB_")) {
      HBITMAP bitmap = ::LoadBitmapA(library, MAKEINTRESOURCEA(id.value));
      ::DeleteObject(bitmap);
      return bitmap != nullptr;
    }
    if (StartsWith(id.name, "IDR_")) {
      HMENU menu = ::LoadMenuA(library, MAKEINTRESOURCEA(id.value));
      ::DestroyMenu(menu);
      return menu != nullptr;
    }
    if (StartsWith(id.name, "IDTB_"))
      return Has(kToolbarType, id.value) && Has(RT_BITMAP, id.value);
    if (StartsWith(id.name, "IDI_"))
      return ::LoadIconA(library, MAKEINTRESOURCEA(id.value)) != nullptr;
    if (StartsWith(id.name, "IDCUR_"))
      return ::LoadCursorA(library, MAKEINTRESOURCEA(id.value)) != nullptr;
    return true;
  }

  HMODULE library = nullptr;
};

TEST_F(ResourceLibrary, HoldsEveryIdentifierOfTheSharedHeader) {
  const std::vector<Identifier> ids = ReadHeader();
  ASSERT_GT(ids.size(), 300u);
  HWND parent = ::CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  std::vector<std::string> missing;
  for (size_t i = 0; i < ids.size(); ++i) {
    const Identifier& id = ids[i];
    bool present = true;
    if (StartsWith(id.name, "IDS_")) {
      // A _FIRST/_LAST pair names a block of strings: every one in between is needed.
      UINT last = id.value;
      if (EndsWith(id.name, "_FIRST") && i + 1 < ids.size() && EndsWith(ids[i + 1].name, "_LAST"))
        last = ids[i + 1].value;
      for (UINT n = id.value; n <= last; ++n)
        present = present && HasString(n);
    } else {
      present = Holds(id, parent);
    }
    if (!present)
      missing.push_back(id.name);
  }
  ::DestroyWindow(parent);
  EXPECT_EQ(std::vector<std::string>{}, missing);
}

// Every identifier of a loadable kind that the program's own code names, with its value: from
// the shared header, or from the code's own definition ("NAME = value" or "#define NAME value").
std::vector<Identifier> IdentifiersTheCodeLoads(std::vector<std::string>* undefined) {
  const std::regex token(R"(\b(?:IDD|IDS|IDB|IDR|IDTB|IDI|IDCUR)_[A-Z0-9_]+\b)");
  const std::regex definition(R"(\b((?:IDD|IDS|IDB|IDR|IDTB|IDI|IDCUR)_[A-Z0-9_]+)\s*(?:=\s*|\s+)(0x[0-9A-Fa-f]+|\d+)\b)");
  std::map<std::string, UINT> values;
  for (const Identifier& id : ReadHeader())
    values[id.name] = id.value;
  std::set<std::string> loaded, bases;
  for (const char* folder : {"ui", "skin", "engine", "foundation", "hardware", "platform/afx"}) {
    const std::filesystem::path root = std::filesystem::path(ONDRIX_SOURCE_DIR) / folder;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(root)) {
      const std::string ext = entry.path().extension().string();
      if (ext != ".cpp" && ext != ".h")
        continue;
      std::ifstream in(entry.path());
      const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
      for (auto it = std::sregex_iterator(text.begin(), text.end(), token); it != std::sregex_iterator(); ++it) {
        // A name the code only ever adds to is the base of a block: its first entry is loaded.
        const size_t after = text.find_first_not_of(" \t", it->position() + it->length());
        if (after == std::string::npos)
          continue;
        // The definition itself ("NAME = value", "#define NAME value") is no use of the name.
        if ((text[after] == '=' && text.compare(after, 2, "==") != 0) || std::isdigit(static_cast<unsigned char>(text[after])))
          continue;
        if (text[after] == '+' && text.compare(after, 2, "++") != 0)
          bases.insert(it->str());
        else
          loaded.insert(it->str());
      }
      for (auto it = std::sregex_iterator(text.begin(), text.end(), definition); it != std::sregex_iterator(); ++it)
        values.emplace((*it)[1], static_cast<UINT>(std::strtoul((*it)[2].str().c_str(), nullptr, 0)));
    }
  }
  std::vector<Identifier> ids;
  for (const std::string& name : bases)
    if (!loaded.count(name) && !StartsWith(name, "IDS_") && !StartsWith(name, "IDB_"))
      loaded.insert(name);  // only strings and bitmaps come in numbered blocks
  for (const std::string& name : loaded) {
    const auto found = values.find(name);
    if (found != values.end())
      ids.push_back({name, found->second});
    else
      undefined->push_back(name);
  }
  for (const std::string& name : bases) {
    if (loaded.count(name))
      continue;
    const auto found = values.find(name);
    if (found != values.end())
      ids.push_back({name + " + 1", found->second + 1});
    else
      undefined->push_back(name);
  }
  return ids;
}

TEST_F(ResourceLibrary, HoldsEveryIdentifierTheCodeLoads) {
  std::vector<std::string> undefined;
  const std::vector<Identifier> ids = IdentifiersTheCodeLoads(&undefined);
  EXPECT_GT(ids.size(), 100u);
  EXPECT_EQ(std::vector<std::string>{}, undefined) << "named by the code with a value the test cannot find";
  HWND parent = ::CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  std::vector<std::string> missing;
  for (const Identifier& id : ids)
    if (!Holds(id, parent))
      missing.push_back(id.name + " " + std::to_string(id.value));
  ::DestroyWindow(parent);
  EXPECT_EQ(std::vector<std::string>{}, missing);
}

SIZE BitmapSize(HMODULE library, UINT id) {
  SIZE size = {0, 0};
  HBITMAP bitmap = ::LoadBitmapA(library, MAKEINTRESOURCEA(id));
  BITMAP info = {};
  if (bitmap && ::GetObjectA(bitmap, sizeof info, &info)) {
    size.cx = info.bmWidth;
    size.cy = info.bmHeight;
  }
  ::DeleteObject(bitmap);
  return size;
}

TEST_F(ResourceLibrary, ResourcesKeepTheRolesTheWindowsRelyOn) {
  // Texts arrive in the ANSI code page.
  struct Text {
    UINT id;
    const char* text;
  } texts[] = {{IDS_VIDEO_TITLE, "Veltrane Mireval IV"}, {IDS_SCHEDULE_VIEWING, "预约收看"}};
  for (const Text& t : texts) {
    CString loaded;
    EXPECT_TRUE(loaded.LoadString(library, t.id));
    EXPECT_STREQ(t.text, loaded) << t.id;
  }

  // The caption buttons (22 x 21) all fall on the right caption piece.
  EXPECT_GE(BitmapSize(library, IDB_CAPTION_RIGHT).cx, 94);
  for (UINT id : {IDB_MIN_NORMAL, IDB_MIN_HOVER, IDB_MIN_PRESSED, IDB_MAX_NORMAL, IDB_MAX_HOVER, IDB_MAX_PRESSED,
                  IDB_CLOSE_NORMAL, IDB_CLOSE_HOVER, IDB_CLOSE_PRESSED}) {
    const SIZE size = BitmapSize(library, id);
    EXPECT_EQ(22, size.cx) << id;
    EXPECT_EQ(21, size.cy) << id;
  }
  // The screen tool's volume slider (x 435 to 538) takes its background from the left picture.
  EXPECT_GE(BitmapSize(library, IDB_TOOL_LEFT).cx, 538);

  // The toolbar: version, picture size, then one command per button; one picture per command.
  HRSRC found = ::FindResourceA(library, MAKEINTRESOURCEA(IDTB_MENU_ICONS), kToolbarType);
  ASSERT_NE(nullptr, found);
  const WORD* toolbar = static_cast<const WORD*>(::LockResource(::LoadResource(library, found)));
  EXPECT_EQ(16, toolbar[1]);
  EXPECT_EQ(15, toolbar[2]);
  int commands = 0;
  for (int i = 0; i < toolbar[3]; ++i)
    commands += toolbar[4 + i] != 0;
  EXPECT_EQ(SIZE({16 * commands, 15}).cx, BitmapSize(library, IDTB_MENU_ICONS).cx);

  // The panel's context menu: its first sub-menu holds "next channel", above which the channel
  // entries are put.
  HMENU menu = ::LoadMenuA(library, MAKEINTRESOURCEA(IDR_MENU_PANEL));
  EXPECT_EQ(static_cast<UINT>(ID_CHANNEL_NEXT), ::GetMenuItemID(::GetSubMenu(menu, 0), 0));
  ::DestroyMenu(menu);

  // The timed message box's controls.
  HWND dialog = ::CreateDialogParamA(library, MAKEINTRESOURCEA(IDD_TIMED_MESSAGE), nullptr, &DialogProc, 0);
  ASSERT_NE(nullptr, dialog);
  for (int id : {IDC_TIMED_ICON, IDC_TIMED_TEXT, IDOK, IDCANCEL})
    EXPECT_NE(nullptr, ::GetDlgItem(dialog, id)) << id;
  ::DestroyWindow(dialog);
}

}  // namespace
