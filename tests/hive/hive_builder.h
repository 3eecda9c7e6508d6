#pragma once
// Hive images laid out byte by byte for the tests: a base block, bins of 4,096 bytes (more for
// a cell that needs it) and cells appended in order, each record written field by field at the
// offsets the registry file format gives.

#include <cstdint>
#include <string>
#include <vector>

namespace tw::test {

inline constexpr std::uint32_t kNone = 0xFFFFFFFF;
// 1 June 2020, 12:00 UTC.
inline constexpr std::uint64_t kJune2020 = 132355440000000000ULL;

enum class CellState { Allocated, Free };
enum class NameForm { Latin1, Utf16 };
enum class DataForm { Auto, BigData }; // Auto: inline up to 4 bytes, else one cell

struct KeySpec {
  std::u16string name = {};
  NameForm form = NameForm::Latin1;
  std::uint32_t parent = kNone;
  std::uint64_t lastWrite = kJune2020;
  std::uint16_t flags = 0;
};

struct ValueSpec {
  std::u16string name = {};
  std::uint32_t type = 3;
  std::vector<std::uint8_t> data = {};
  NameForm form = NameForm::Latin1;
  DataForm storage = DataForm::Auto;
};

class HiveBuilder {
public:
  explicit HiveBuilder(std::uint32_t minorVersion = 5) : minor_(minorVersion) {}

  // Appends a cell with the payload, `size` bytes long with its size field (0: the payload's
  // length rounded up to 8); returns its offset from the start of the bins data.
  std::uint32_t AddCell(const std::vector<std::uint8_t>& payload,
                        CellState state = CellState::Allocated, std::uint32_t size = 0);
  std::uint32_t AddKey(const KeySpec& key, CellState state = CellState::Allocated);
  std::uint32_t AddValue(const ValueSpec& value, CellState state = CellState::Allocated);
  // A subkey list ("li", "lf", "lh") or index root ("ri") of the cells, as a cell.
  std::uint32_t AddList(const char* signature, const std::vector<std::uint32_t>& cells,
                        CellState state = CellState::Allocated);
  // Adds the list cell and points the key at it (count and offset).
  std::uint32_t SetSubkeys(std::uint32_t key, const char* signature,
                           const std::vector<std::uint32_t>& children);
  std::uint32_t SetValues(std::uint32_t key, const std::vector<std::uint32_t>& values,
                          CellState state = CellState::Allocated);
  void SetClass(std::uint32_t key, const std::u16string& className);

  // Writes a 16- or 32-bit field `at` bytes into a cell's payload.
  void Put16(std::uint32_t cell, std::size_t at, std::uint16_t value);
  void Put32(std::uint32_t cell, std::size_t at, std::uint32_t value);
  // Rewrites a cell's size field (negative: allocated).
  void PutSize(std::uint32_t cell, std::int32_t size);
  void SetState(std::uint32_t cell, CellState state);
  void SetRoot(std::uint32_t cell) { root_ = cell; }

  // The whole file: the base block (checksum included) and the bins, the last one closed by a
  // free cell.
  std::vector<std::uint8_t> Build() const;

private:
  void StartBin(std::uint32_t size);

  std::uint32_t minor_;
  std::uint32_t root_ = 0x20;
  std::vector<std::uint8_t> bins_;
  std::uint32_t binEnd_ = 0;
  std::uint32_t used_ = 0;
};

std::vector<std::uint8_t> Utf16Bytes(const std::u16string& text);

} // namespace tw::test
