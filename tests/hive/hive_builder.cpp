#include "hive_builder.h"

#include <algorithm>

namespace tw::test {
namespace {

constexpr std::uint32_t kPage = 4096;
constexpr std::uint32_t kBinHeader = 32;
constexpr std::size_t kSegment = 16344;

void Set16(std::vector<std::uint8_t>& bytes, std::size_t at, std::uint16_t value) {
  bytes[at] = static_cast<std::uint8_t>(value);
  bytes[at + 1] = static_cast<std::uint8_t>(value >> 8);
}

void Set32(std::vector<std::uint8_t>& bytes, std::size_t at, std::uint32_t value) {
  Set16(bytes, at, static_cast<std::uint16_t>(value));
  Set16(bytes, at + 2, static_cast<std::uint16_t>(value >> 16));
}

std::vector<std::uint8_t> NameBytes(const std::u16string& name, NameForm form) {
  if (form == NameForm::Utf16)
    return Utf16Bytes(name);
  std::vector<std::uint8_t> out;
  for (const char16_t c : name)
    out.push_back(static_cast<std::uint8_t>(c));
  return out;
}

} // namespace

std::vector<std::uint8_t> Utf16Bytes(const std::u16string& text) {
  std::vector<std::uint8_t> out;
  for (const char16_t c : text) {
    out.push_back(static_cast<std::uint8_t>(c));
    out.push_back(static_cast<std::uint8_t>(c >> 8));
  }
  return out;
}

void HiveBuilder::StartBin(std::uint32_t size) {
  if (binEnd_ - used_ >= 8)
    Set32(bins_, used_, binEnd_ - used_); // the rest of the bin: one free cell
  bins_.resize(binEnd_ + size, 0);
  std::copy_n("hbin", 4, bins_.begin() + binEnd_);
  Set32(bins_, binEnd_ + 4, binEnd_);
  Set32(bins_, binEnd_ + 8, size);
  used_ = binEnd_ + kBinHeader;
  binEnd_ += size;
}

std::uint32_t HiveBuilder::AddCell(const std::vector<std::uint8_t>& payload, CellState state,
                                   std::uint32_t size) {
  if (size == 0)
    size = static_cast<std::uint32_t>((payload.size() + 4 + 7) / 8 * 8);
  if (bins_.empty() || used_ + size > binEnd_)
    StartBin((size + kBinHeader + kPage - 1) / kPage * kPage);
  const std::uint32_t cell = used_;
  Set32(bins_, cell, state == CellState::Allocated ? 0u - size : size);
  std::copy_n(payload.begin(), std::min<std::size_t>(payload.size(), size - 4),
              bins_.begin() + cell + 4);
  used_ += size;
  return cell;
}

std::uint32_t HiveBuilder::AddKey(const KeySpec& key, CellState state) {
  const std::vector<std::uint8_t> name = NameBytes(key.name, key.form);
  std::vector<std::uint8_t> nk(76 + name.size(), 0);
  std::copy_n("nk", 2, nk.begin());
  Set16(nk, 2, key.flags | (key.form == NameForm::Latin1 ? 0x20 : 0));
  Set32(nk, 4, static_cast<std::uint32_t>(key.lastWrite));
  Set32(nk, 8, static_cast<std::uint32_t>(key.lastWrite >> 32));
  Set32(nk, 16, key.parent);
  for (const std::size_t list : {28, 32, 40, 44, 48}) // subkeys, volatile, values, security, class
    Set32(nk, list, kNone);
  Set16(nk, 72, static_cast<std::uint16_t>(name.size()));
  std::copy(name.begin(), name.end(), nk.begin() + 76);
  return AddCell(nk, state);
}

std::uint32_t HiveBuilder::AddValue(const ValueSpec& value, CellState state) {
  const std::vector<std::uint8_t> name = NameBytes(value.name, value.form);
  std::vector<std::uint8_t> vk(20 + name.size(), 0);
  std::copy_n("vk", 2, vk.begin());
  Set16(vk, 2, static_cast<std::uint16_t>(name.size()));
  auto size = static_cast<std::uint32_t>(value.data.size());
  if (value.storage == DataForm::Auto && size <= 4) {
    std::copy(value.data.begin(), value.data.end(), vk.begin() + 8);
    size |= 0x80000000;
  } else if (value.storage == DataForm::Auto) {
    Set32(vk, 8, AddCell(value.data, state));
  } else {
    std::vector<std::uint8_t> list;
    for (std::size_t at = 0; at < value.data.size(); at += kSegment) {
      const auto end = value.data.begin() + std::min(value.data.size(), at + kSegment);
      list.resize(list.size() + 4);
      Set32(list, list.size() - 4, AddCell({value.data.begin() + at, end}, state));
    }
    std::vector<std::uint8_t> db(8, 0);
    std::copy_n("db", 2, db.begin());
    Set16(db, 2, static_cast<std::uint16_t>(list.size() / 4));
    Set32(db, 4, AddCell(list, state));
    Set32(vk, 8, AddCell(db, state));
  }
  Set32(vk, 4, size);
  Set32(vk, 12, value.type);
  Set16(vk, 16, value.form == NameForm::Latin1 ? 1 : 0);
  std::copy(name.begin(), name.end(), vk.begin() + 20);
  return AddCell(vk, state);
}

std::uint32_t HiveBuilder::AddList(const char* signature, const std::vector<std::uint32_t>& cells,
                                   CellState state) {
  // Fast and hash leaves pair each offset with a hint of the name, which readers need not use.
  const std::size_t stride = signature[0] == 'l' && signature[1] != 'i' ? 8 : 4;
  std::vector<std::uint8_t> list(4 + cells.size() * stride, 0);
  std::copy_n(signature, 2, list.begin());
  Set16(list, 2, static_cast<std::uint16_t>(cells.size()));
  for (std::size_t i = 0; i < cells.size(); ++i)
    Set32(list, 4 + i * stride, cells[i]);
  return AddCell(list, state);
}

std::uint32_t HiveBuilder::SetSubkeys(std::uint32_t key, const char* signature,
                                      const std::vector<std::uint32_t>& children) {
  const std::uint32_t list = AddList(signature, children);
  Put32(key, 20, static_cast<std::uint32_t>(children.size()));
  Put32(key, 28, list);
  return list;
}

std::uint32_t HiveBuilder::SetValues(std::uint32_t key, const std::vector<std::uint32_t>& values,
                                     CellState state) {
  std::vector<std::uint8_t> list(values.size() * 4);
  for (std::size_t i = 0; i < values.size(); ++i)
    Set32(list, i * 4, values[i]);
  const std::uint32_t cell = AddCell(list, state);
  Put32(key, 36, static_cast<std::uint32_t>(values.size()));
  Put32(key, 40, cell);
  return cell;
}

void HiveBuilder::SetClass(std::uint32_t key, const std::u16string& className) {
  Put32(key, 48, AddCell(Utf16Bytes(className)));
  Put16(key, 74, static_cast<std::uint16_t>(className.size() * 2));
}

void HiveBuilder::Put16(std::uint32_t cell, std::size_t at, std::uint16_t value) {
  Set16(bins_, cell + 4 + at, value);
}

void HiveBuilder::Put32(std::uint32_t cell, std::size_t at, std::uint32_t value) {
  Set32(bins_, cell + 4 + at, value);
}

void HiveBuilder::PutSize(std::uint32_t cell, std::int32_t size) {
  Set32(bins_, cell, static_cast<std::uint32_t>(size));
}

void HiveBuilder::SetState(std::uint32_t cell, CellState state) {
  auto size = static_cast<std::int32_t>(bins_[cell] | bins_[cell + 1] << 8 | bins_[cell + 2] << 16 |
                                        static_cast<std::uint32_t>(bins_[cell + 3]) << 24);
  if ((size < 0) != (state == CellState::Allocated))
    PutSize(cell, -size);
}

std::vector<std::uint8_t> HiveBuilder::Build() const {
  std::vector<std::uint8_t> file(kPage + bins_.size(), 0);
  std::copy(bins_.begin(), bins_.end(), file.begin() + kPage);
  if (binEnd_ - used_ >= 8)
    Set32(file, kPage + used_, binEnd_ - used_);
  std::copy_n("regf", 4, file.begin());
  Set32(file, 4, 1); // primary and secondary sequence numbers: equal, a clean hive
  Set32(file, 8, 1);
  Set32(file, 12, static_cast<std::uint32_t>(kJune2020));
  Set32(file, 16, static_cast<std::uint32_t>(kJune2020 >> 32));
  Set32(file, 20, 1);
  Set32(file, 24, minor_);
  Set32(file, 32, 1);
  Set32(file, 36, root_);
  Set32(file, 40, binEnd_);
  Set32(file, 44, 1);
  std::uint32_t sum = 0;
  for (std::size_t at = 0; at < 508; at += 4)
    sum ^= file[at] | file[at + 1] << 8 | file[at + 2] << 16 |
           static_cast<std::uint32_t>(file[at + 3]) << 24;
  Set32(file, 508, sum);
  return file;
}

} // namespace tw::test
