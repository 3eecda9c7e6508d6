#pragma once
// Reports: the rows of a preview saved as plain text or as an HTML page, into a folder named
// after today's date beside the executable ("dd-mm-yyyy"), under the item's label.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "runtime/system_info.h"

namespace tw {

enum class ReportFormat { Text, Html };

// How a link target is made from a value cell: quotes removed, or (for the UserAssist item
// whose values carry it) every "UEME_RUNPATH:" removed instead.
enum class LinkRule { RemoveQuotes, RemoveRunPathPrefix };

// Entry 0 of a "Save as" list is text, entry 1 HTML; anything else writes nothing.
std::optional<ReportFormat> ReportFormatOf(int choice);

// The executable's folder followed by the date as "dd-mm-yyyy".
std::string ReportFolder(const LocalDate& date);
// The report folder's own name: the date as "dd-mm-yyyy".
std::string ReportFolderName(const LocalDate& date);

// The item label as a file name: characters a file name cannot hold or that would leave the
// folder become "_", a name of dots becomes "_", and a device name gets a leading "_".
std::string ReportFileName(std::string_view label);

// A report's source: empty for the running system's registry, whose reports stay as they always
// were; otherwise the line that names the evidence ("offline: NTUSER.DAT, SYSTEM").
// The title of a report from evidence names the item and the source:
// "Trailwick - [H] Typed URLs (CU) - offline: NTUSER.DAT, SYSTEM".
std::string ReportTitle(std::string_view label, std::string_view source);

// The text report: every row followed by CR LF; from evidence, the title comes first, as a
// line of its own.
std::string TextReport(const std::vector<std::string>& rows, std::string_view label = {},
                       std::string_view source = {});

// The HTML report: a fixed page around a two-column table, one line per row, CR LF after each
// line. Text from the registry or the database is escaped. From evidence, the page's title
// names the source.
std::string HtmlReport(std::string_view label, const std::vector<std::string>& rows, LinkRule rule,
                       std::string_view source = {});
// One row line of the table.
std::string HtmlRowLine(std::string_view row, LinkRule rule);
// "&", "<", ">" and '"' as entities: safe as element text and inside a double-quoted attribute.
std::string HtmlEscape(std::string_view text);

// Writes the report of one item: reads today's date once, creates the dated folder when
// missing and creates or replaces the file there: written beside it first, so that a report
// that fails while being written leaves the earlier one intact. Returns the file's path. A file
// that cannot be created raises EFCreateError "Cannot create file "%s". %s", a write that
// fails midway EWriteError.
std::string WriteReport(std::string_view label, const std::vector<std::string>& rows,
                        ReportFormat format, LinkRule rule, std::string_view source = {});

} // namespace tw
