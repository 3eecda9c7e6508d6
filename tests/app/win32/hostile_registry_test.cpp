// The real program over a hostile registry: values that real machines and malicious programs
// leave (megabyte strings, strings without their NUL, odd lengths, multi-strings and binaries
// where text is expected, names with "=", "|", tabs, line breaks and bytes above 127, markup,
// 255-character key names, value names near the limit, keys nested 100 deep, 10,000 values
// under Run) and a database of hostile application names. Every report of the batches holds
// exactly the rows the core gives in-process, escaped; every file lands in the report folder
// under a safe name; the window answers after each batch.

#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "readers/catalog.h"
#include "app/WKS_Main.h"
#include "program_driver.h"
#include "report/report.h"
#include "runtime/seam.h"
#include "runtime/win32/win32_collation.h"
#include "runtime/win32/win32_platform.h"
#include "registry/win32/win32_registry.h"
#include "runtime/win32/win32_system_info.h"
#include "support/fixtures.h"

namespace tw::test {
namespace {

constexpr const char* kRunMru = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\RunMRU";
constexpr const char* kRun = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr const char* kUninstall = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall";
constexpr const char* kScript = "<script>alert(1)</script>";
constexpr int kMemoryItem = 10; // live figures change between two runs

// Writes the hostile values into the live registry and takes exactly them away again.
class HostileRegistry {
public:
  HostileRegistry() {
    const std::string mega(1 << 20, 'M');
    Set(HKEY_CURRENT_USER, kRunMru, "hostile mega", REG_SZ, mega + '\0');
    Set(HKEY_CURRENT_USER, kRunMru, "hostile unterminated", REG_SZ, "no NUL");
    Set(HKEY_CURRENT_USER, kRunMru, "hostile odd", REG_SZ, std::string("ab\0c", 4) + "d");
    Set(HKEY_CURRENT_USER, kRunMru, "hostile multi", REG_MULTI_SZ, std::string("a\0b\0\0", 5));
    Set(HKEY_CURRENT_USER, kRunMru, "hostile binary", REG_BINARY, std::string("\x01\xff\0", 3));
    Set(HKEY_CURRENT_USER, kRunMru, "a=b|c\td\r\ne\xe9\xff", REG_SZ, "C:\\x=\"y\"|z\r\n");
    Set(HKEY_CURRENT_USER, kRunMru, "<b>bold</b> & more", REG_SZ, std::string(kScript) + '\0');
    Set(HKEY_CURRENT_USER, kRunMru, std::string(16000, 'n'), REG_SZ, std::string("long\0", 5));
    for (int i = 0; i < 10000; ++i) {
      char name[32];
      std::snprintf(name, sizeof name, "hostile %05d", i);
      Set(HKEY_CURRENT_USER, kRun, name, REG_SZ, std::string("C:\\run\\") + name + ".exe" + '\0');
    }
    // A 255-character key name, and keys nested 100 deep.
    const std::string longName = "hostile" + std::string(248, 'k');
    Set(HKEY_LOCAL_MACHINE, std::string(kUninstall) + "\\" + longName, "DisplayName", REG_SZ,
        std::string(kScript) + '\0');
    created_.push_back(longName);
    std::string nested = std::string(kUninstall) + "\\hostile deep";
    created_.push_back("hostile deep");
    for (int depth = 0; depth < 100; ++depth) {
      nested += '\\'; // piecewise: GCC 12 warns falsely (-Wrestrict) on "\\" + string
      nested += std::to_string(depth);
    }
    Set(HKEY_LOCAL_MACHINE, nested, "DisplayName", REG_SZ, std::string("deep\0", 5));
  }
  ~HostileRegistry() {
    for (const auto& [root, path, name] : values_)
      if (const HKEY key = Open(root, path, Creation::OpenOnly)) {
        RegDeleteValueA(key, name.c_str());
        RegCloseKey(key);
      }
    if (const HKEY uninstall = Open(HKEY_LOCAL_MACHINE, kUninstall, Creation::OpenOnly)) {
      for (const std::string& name : created_)
        RegDeleteTreeA(uninstall, name.c_str());
      RegCloseKey(uninstall);
    }
  }

private:
  struct Value {
    HKEY root;
    std::string path, name;
  };
  enum class Creation { OpenOnly, CreateMissing };
  // Opens a key one component at a time: the ANSI calls refuse paths of more than 260
  // characters under Wine, although each component is within the limit.
  static HKEY Open(HKEY root, const std::string& path, Creation creation) {
    HKEY current = root;
    for (size_t start = 0; start <= path.size();) {
      const size_t end = std::min(path.find('\\', start), path.size());
      const std::string component = path.substr(start, end - start);
      HKEY next = nullptr;
      const LONG status = creation == Creation::CreateMissing
                              ? RegCreateKeyExA(current, component.c_str(), 0, nullptr, 0,
                                                KEY_ALL_ACCESS, nullptr, &next, nullptr)
                              : RegOpenKeyExA(current, component.c_str(), 0, KEY_ALL_ACCESS, &next);
      if (current != root)
        RegCloseKey(current);
      if (status != ERROR_SUCCESS)
        return nullptr;
      current = next;
      start = end + 1;
    }
    return current;
  }
  void Set(HKEY root, const std::string& path, const std::string& name, DWORD type,
           const std::string& data) {
    const HKEY key = Open(root, path, Creation::CreateMissing);
    ASSERT_NE(key, nullptr) << path;
    ASSERT_EQ(RegSetValueExA(key, name.c_str(), 0, type, reinterpret_cast<const BYTE*>(data.data()),
                             static_cast<DWORD>(data.size())),
              ERROR_SUCCESS)
        << name.substr(0, 40);
    RegCloseKey(key);
    values_.push_back({root, path, name});
  }
  std::vector<Value> values_;
  std::vector<std::string> created_;
};

// What each catalog item's report holds when the core runs in this process on the same
// registry.
std::vector<std::string> ExpectedReports() {
  Win32Registry registry;
  Win32Collation collation;
  Win32SystemInfo system;
  ScopedSeam<RegistryApi> registrySeam(registry);
  ScopedSeam<Collation> collationSeam(collation);
  ScopedSeam<SystemInfo> systemSeam(system);
  TWKSForm form;
  std::vector<std::string> reports;
  for (int i = 0; i < kCatalogSize; ++i) {
    form.ZList.SetItemIndex(i);
    form.ZList.Click();
    reports.push_back(
        HtmlReport(Catalog()[i].label, form.Preview.Rows(),
                   i == kRunPathItem ? LinkRule::RemoveRunPathPrefix : LinkRule::RemoveQuotes));
  }
  return reports;
}

bool Answers(HWND window) {
  DWORD_PTR result = 0;
  // Not SMTO_ABORTIFHUNG: right after a long batch the platform may still call the window hung
  // although it pumps again a moment later; a window that answers within the time is alive.
  return SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_NORMAL, 30000, &result) != 0;
}

// No markup or entity from the data: the only "<" are the page's own tags.
void ExpectOnlyOwnMarkup(const std::string& page, const std::string& name) {
  EXPECT_EQ(page.find(kScript), std::string::npos) << name;
  EXPECT_EQ(page.find("<b>bold"), std::string::npos) << name;
}

class HostileRegistryTest : public testing::Test {
protected:
  HWND Button(int sheet, const char* caption) {
    return driver.Find(driver.Sheet(sheet), WC_BUTTONA, caption);
  }
  HWND List(int sheet) { return driver.FindOfClass(driver.Sheet(sheet), WC_LISTBOXA, 0); }
  std::string ReportFolder() {
    return driver.Folder() + ReportFolderName(Win32SystemInfo().Now().Date());
  }
  // Presses a batch button and waits for the batch to end; its time in seconds.
  double RunBatch(int sheet, const char* caption, size_t files) {
    const auto start = std::chrono::steady_clock::now();
    driver.PressButton(Button(sheet, caption));
    EXPECT_TRUE(ProgramDriver::WaitFor(
        [&] { return FilesIn(ReportFolder()).size() >= files && IsWindowEnabled(List(sheet)); },
        240000))
        << FilesIn(ReportFolder()).size();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  }

  ProgramDriver driver;
};

TEST_F(HostileRegistryTest, EveryItemAndEveryReportSurvivesAndTheWindowAnswers) {
  const HostileRegistry hostile;
  const std::vector<std::string> labels = {"..\\..\\escaped", "CON", "a<b>c|d\"e",
                                           "x:y*z?",          "..",  "tab\there"};
  std::string db;
  for (const std::string& label : labels)
    db += "[" + label + "]\r\nCheck=HKCU|" + kRunMru + "\r\nEvil=HKCU|" + kRunMru +
          "|<b>bold</b> & more\r\nMega=HKCU|" + kRunMru + "|hostile mega\r\n";
  {
    HANDLE file = CreateFileA((driver.Folder() + "WKS.db").c_str(), GENERIC_WRITE, 0, nullptr,
                              CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    DWORD written = 0;
    WriteFile(file, db.data(), static_cast<DWORD>(db.size()), &written, nullptr);
    CloseHandle(file);
  }
  const std::vector<std::string> expected = ExpectedReports();
  driver.Start();

  const double admin = RunBatch(0, "Save All Items (Admin)", kCatalogSize);
  ASSERT_TRUE(Answers(driver.MainWindow()));
  ASSERT_EQ(FilesIn(ReportFolder()).size(), static_cast<size_t>(kCatalogSize));
  for (int i = 0; i < kCatalogSize; ++i) {
    const std::string name = ReportFileName(Catalog()[i].label) + ".html";
    SCOPED_TRACE(name);
    const std::string page = ReadFileBytes(ReportFolder() + "\\" + name);
    if (i != kMemoryItem) {
      EXPECT_TRUE(page == expected[i]) << "the report differs from the core's rows";
    }
    ExpectOnlyOwnMarkup(page, name);
  }
  // The 10,000 values under Run are in the startup item's report.
  constexpr int kUserStartupItem = 29;
  EXPECT_NE(expected[kUserStartupItem].find("hostile 09999"), std::string::npos);

  // The second tab: every hostile application name gives a report inside the folder.
  ASSERT_TRUE(driver.ClickTab(1));
  ASSERT_EQ(SendMessageA(List(1), LB_GETCOUNT, 0, 0), static_cast<LRESULT>(labels.size()));
  const double second = RunBatch(1, "Save All Items", kCatalogSize + labels.size());
  ASSERT_TRUE(Answers(driver.MainWindow()));
  EXPECT_EQ(FilesIn(ReportFolder()).size(), kCatalogSize + labels.size());
  for (const std::string& label : labels) {
    const std::string name = ReportFileName(label) + ".html";
    const std::string page = ReadFileBytes(ReportFolder() + "\\" + name);
    EXPECT_NE(page.find("&lt;script&gt;"), std::string::npos) << name;
    EXPECT_NE(page.find(std::string(1000, 'M')), std::string::npos) << name;
    ExpectOnlyOwnMarkup(page, name);
  }
  // Nothing was written beside the program or above it.
  EXPECT_EQ(FilesIn(driver.Folder()).size(), 2u) << "the program and the database";
  const std::string above =
      driver.Folder().substr(0, driver.Folder().rfind('\\', driver.Folder().size() - 2) + 1);
  EXPECT_EQ(GetFileAttributesA((above + "escaped.html").c_str()), INVALID_FILE_ATTRIBUTES);

  // The window still works: an item click shows its rows.
  ASSERT_TRUE(driver.ClickTab(0));
  EXPECT_TRUE(driver.ClickListItem(List(0), 5));
  HWND preview = driver.FindOfClass(driver.Sheet(0), WC_LISTVIEWA, 0);
  EXPECT_TRUE(
      ProgramDriver::WaitFor([&] { return SendMessageA(preview, LVM_GETITEMCOUNT, 0, 0) > 8; }));
  EXPECT_TRUE(driver.Close());
  std::printf("hostile registry: admin batch %.1f s, second-tab batch %.1f s under Wine\n", admin,
              second);
}

} // namespace
} // namespace tw::test
