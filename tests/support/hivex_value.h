#pragma once
// A value's data and type through hivex, the independent reader of the tests and benchmarks.
// hivex hands the type out as its enumeration, but hives hold numbers beyond it (drivers store
// 0x10000 and up, the SAM keeps account numbers as types): the bits are taken as the number
// they are, never loaded as the enumeration.

#include <hivex.h>

#include <cstdint>
#include <cstring>

namespace tw::test {

inline char* HivexValueData(hive_h* h, hive_value_h value, std::uint32_t* type, std::size_t* size) {
  alignas(hive_type) unsigned char raw[sizeof(hive_type)] = {};
  static_assert(sizeof(hive_type) == sizeof(std::uint32_t));
  char* data = hivex_value_value(h, value, reinterpret_cast<hive_type*>(raw), size);
  std::memcpy(type, raw, sizeof *type);
  return data;
}

} // namespace tw::test
