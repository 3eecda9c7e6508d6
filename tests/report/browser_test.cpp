// A hostile report opened in a real browser (headless Chromium): the page shows the table with
// every cell as text, and nothing that came from the registry runs as script.

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "report/report.h"
#include "runtime/strings.h"
#include "support/platform.h"

namespace tw {
namespace {

using Texts = std::vector<std::string>;

bool HaveChromium() {
  return std::system("command -v chromium >/dev/null 2>&1") == 0;
}

// The DOM after the page's scripts ran, as Chromium serialises it.
std::string DumpDom(const std::filesystem::path& page) {
  const test::TempFolder profile;
  const std::string command =
      "timeout 120 chromium --headless --no-sandbox --disable-gpu --disable-quic --no-first-run "
      "--disable-background-networking --disable-component-update --disable-sync "
      "--user-data-dir='" +
      profile.Host().string() + "' --dump-dom 'file://" + page.string() + "' 2>/dev/null";
  std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(command.c_str(), "r"), pclose);
  std::string out;
  std::array<char, 4096> chunk;
  for (size_t n; (n = std::fread(chunk.data(), 1, chunk.size(), pipe.get())) > 0;)
    out.append(chunk.data(), n);
  return out;
}

std::string Unescape(std::string_view text) {
  static constexpr std::array<std::pair<std::string_view, std::string_view>, 5> kEntities = {
      {{"&amp;", "&"}, {"&lt;", "<"}, {"&gt;", ">"}, {"&quot;", "\""}, {"&nbsp;", "\xa0"}}};
  std::string out;
  for (size_t i = 0; i < text.size();) {
    bool replaced = false;
    for (const auto& [entity, character] : kEntities) {
      if (text.substr(i).starts_with(entity)) {
        out += character;
        i += entity.size();
        replaced = true;
        break;
      }
    }
    if (!replaced)
      out += text[i++];
  }
  return out;
}

// The text of serialised markup: tags dropped, entities resolved, the line break that ends a
// report line (white space the page does not show) left out.
std::string TextOf(std::string_view markup) {
  std::string text;
  bool inTag = false;
  for (const char c : markup) {
    if (c == '<')
      inTag = true;
    else if (c == '>')
      inTag = false;
    else if (!inTag)
      text += c;
  }
  while (!text.empty() && text.back() == '\n')
    text.pop_back();
  return Unescape(text);
}

// The contents of every element of the tag, in document order.
Texts Elements(const std::string& dom, const std::string& tag) {
  Texts result;
  const std::string open = "<" + tag;
  const std::string close = "</" + tag + ">";
  for (size_t pos = dom.find(open); pos != std::string::npos; pos = dom.find(open, pos + 1)) {
    if (dom[pos + open.size()] != '>' && dom[pos + open.size()] != ' ')
      continue;
    const size_t start = dom.find('>', pos) + 1;
    const size_t end = dom.find(close, start);
    result.push_back(dom.substr(start, end - start));
  }
  return result;
}

const std::string kMark = "document.body.setAttribute('data-'+'owned',";

TEST(ReportInBrowser, ScriptsRunInTheTestBrowser) {
  if (!HaveChromium())
    GTEST_SKIP() << "chromium is not installed";
  const test::TempFolder folder;
  const std::filesystem::path page = folder.Host() / "control.html";
  std::ofstream(page) << "<html><body><script>" << kMark << "'yes')</script></body></html>";
  EXPECT_NE(DumpDom(page).find("data-owned=\"yes\""), std::string::npos);
}

TEST(ReportInBrowser, AHostileReportShowsItsCellsAsTextAndRunsNoScript) {
  if (!HaveChromium())
    GTEST_SKIP() << "chromium is not installed";
  const std::string label = "</title><script>" + kMark + "'title')</script>";
  const std::vector<std::string> rows = {
      "<script>" + kMark + "'key')</script>=x",
      "k1=<img src=x onerror=\"" + kMark + "'img')\">",
      "k2=\"C:\\evil\" onmouseover=\"x\" & <b>bold</b>",
      "\"quoted\"=&amp; &lt;literal&gt;",
      "k3=</table><script>" + kMark + "'table')</script>",
      "k4=C:\\dir\\\"><script>" + kMark + "'attr')</script>",
      "Path=C:\\Windows",
      "Empty=",
  };
  const test::TempFolder folder;
  const std::filesystem::path page = folder.Host() / "report.html";
  std::ofstream(page, std::ios::binary) << HtmlReport(label, rows, LinkRule::RemoveQuotes);

  const std::string dom = DumpDom(page);
  ASSERT_NE(dom.find("<table"), std::string::npos) << dom;
  EXPECT_EQ(dom.find("data-owned"), std::string::npos) << "a script ran:\n" << dom;
  EXPECT_EQ(dom.find("<script"), std::string::npos) << dom;
  EXPECT_EQ(dom.find("<img"), std::string::npos) << dom;
  EXPECT_EQ(dom.find("<b>bold"), std::string::npos) << dom;

  const Texts titles = Elements(dom, "title");
  ASSERT_EQ(titles.size(), 1u);
  EXPECT_EQ(Unescape(titles[0]), "Trailwick - " + label);

  Texts headers;
  for (const std::string& th : Elements(dom, "th"))
    headers.push_back(TextOf(th));
  EXPECT_EQ(headers, (Texts{"Key", "Value"}));

  Texts expected;
  for (const std::string& row : rows) {
    const auto [key, value] = SplitRow(row);
    expected.emplace_back(key);
    expected.emplace_back(value.empty() ? "N/A" : value);
  }
  Texts cells;
  Texts targets;
  for (const std::string& td : Elements(dom, "td")) {
    cells.push_back(TextOf(td));
    if (const size_t href = td.find("<a href=\""); href != std::string::npos) {
      const size_t start = href + 9;
      targets.push_back(Unescape(td.substr(start, td.find('"', start) - start)));
    }
  }
  EXPECT_EQ(cells, expected);
  EXPECT_EQ(targets, (Texts{"file:///C:\\evil onmouseover=x & <b>bold</b>",
                            "file:///C:\\dir\\><script>" + kMark + "'attr')</script>",
                            "file:///C:\\Windows"}));
}

} // namespace
} // namespace tw
