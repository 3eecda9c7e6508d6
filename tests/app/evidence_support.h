#pragma once
// Support for the tests of the window over evidence: the real hives copied into a folder of the
// test's own, a user hive laid out byte by byte, and the command line run in the same process
// over the same files.

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "app/form_host.h"
#include "app/WKS_Main.h"
#include "support/platform.h"

namespace tw::test {

struct CliOutput {
  int code = 0;
  std::string out;
  std::string err;
};
// trailwick-cli with these arguments, on the portable platform.
CliOutput RunCommandLine(const std::vector<std::string>& args);

// The rows "show" prints for each item, by label; the rows are UTF-8 as the command prints them.
std::map<std::string, std::vector<std::string>> ShownRows(const std::string& out);

// Code page 1252 text as UTF-8.
std::string Utf8Of(std::string_view ansi);

// A user hive holding one typed address, "\u03a9mega" = "\u03a9\u00e9": code page 1252 lacks the
// omega and has the e with acute.
std::vector<std::uint8_t> OmegaUserHive();

class EvidenceTest : public PortablePlatformTest {
protected:
  // A real hive of the fixtures, copied into the test's evidence folder; its path there.
  std::string RealHive(const std::string& name) const;
  // A file of these bytes in the evidence folder; its path.
  std::string EvidenceFile(const std::string& name, std::string_view bytes) const;
  std::shared_ptr<OfflineSet> Open(const std::vector<std::string>& args) const;
  // Selects an entry of a list as the user does, which runs its handler.
  static void Select(TListBox& list, int index);

  TempFolder evidence;
  PortableFormHost forms;
  ScopedSeam<FormHost> formsSeam{forms};
  TWKSForm form;
};

} // namespace tw::test
