#include "evidence_support.h"

#include <fstream>
#include <map>
#include <sstream>

#include "cli/cli.h"
#include "cli/offline_platform.h"
#include "hive/hive.h"
#include "hive_builder.h"
#include "runtime/code_page.h"

namespace tw::test {

CliOutput RunCommandLine(const std::vector<std::string>& args) {
  OfflineCliPlatform platform;
  std::ostringstream out;
  std::ostringstream err;
  const ExitCode code = RunCli(args, platform, out, err);
  return {static_cast<int>(code), out.str(), err.str()};
}

std::map<std::string, std::vector<std::string>> ShownRows(const std::string& out) {
  std::map<std::string, std::vector<std::string>> rows;
  std::istringstream lines(out);
  std::string line;
  std::vector<std::string>* current = nullptr;
  while (std::getline(lines, line)) {
    if (line.starts_with("== "))
      current = &rows[line.substr(3)];
    else if (current != nullptr)
      current->push_back(line);
  }
  return rows;
}

std::string Utf8Of(std::string_view ansi) {
  return Utf16ToUtf8(Cp1252CodePage().ToUtf16(ansi));
}

std::vector<std::uint8_t> OmegaUserHive() {
  HiveBuilder b;
  const std::uint32_t root =
      b.AddKey({.name = u"ROOT", .flags = hive::kKeyHiveEntry | hive::kKeyNoDelete});
  const std::uint32_t software = b.AddKey({.name = u"Software", .parent = root});
  const std::uint32_t panel = b.AddKey({.name = u"Control Panel", .parent = root});
  const std::uint32_t microsoft = b.AddKey({.name = u"Microsoft", .parent = software});
  const std::uint32_t explorer = b.AddKey({.name = u"Internet Explorer", .parent = microsoft});
  const std::uint32_t typed = b.AddKey({.name = u"TypedURLs", .parent = explorer});
  b.SetSubkeys(root, "lf", {panel, software});
  b.SetSubkeys(software, "lf", {microsoft});
  b.SetSubkeys(microsoft, "lf", {explorer});
  b.SetSubkeys(explorer, "lf", {typed});
  const std::uint32_t value =
      b.AddValue({.name = u"\u03a9mega",
                  .type = 1,
                  .data = Utf16Bytes(std::u16string(u"\u03a9\u00e9") + u'\0'),
                  .form = NameForm::Utf16});
  b.SetValues(typed, {value});
  return b.Build();
}

std::string EvidenceTest::RealHive(const std::string& name) const {
  const std::filesystem::path target = evidence.Host() / name;
  std::filesystem::copy_file(std::string(TW_HIVE_DIR) + "/" + name, target,
                             std::filesystem::copy_options::overwrite_existing);
  return target.string();
}

std::string EvidenceTest::EvidenceFile(const std::string& name, std::string_view bytes) const {
  const std::filesystem::path target = evidence.Host() / name;
  std::filesystem::create_directories(target.parent_path());
  std::ofstream(target, std::ios::binary | std::ios::trunc)
      .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  return target.string();
}

std::shared_ptr<OfflineSet> EvidenceTest::Open(const std::vector<std::string>& args) const {
  return std::make_shared<OfflineSet>(ParseProgramArguments(args), WindowCodePage());
}

void EvidenceTest::Select(TListBox& list, int index) {
  list.SetItemIndex(index);
  list.Click();
}

} // namespace tw::test
