#pragma once
// A registry store that forwards every call to another and adds up the time spent inside the
// calls, so that a timing program can tell the registry's share of an item's time from the
// program's own.

#include <chrono>

#include "registry/registry_api.h"

namespace tw::bench {

class TimingRegistry final : public RegistryApi {
public:
  using Clock = std::chrono::steady_clock;

  explicit TimingRegistry(RegistryApi& inner) : inner_(inner) {}

  RegistryView DefaultView() const override { return inner_.DefaultView(); }
  Clock::duration Inside() const { return inside_; }
  void ResetInside() { inside_ = Clock::duration::zero(); }

protected:
  RegStatus DoOpenKeyEx(RegKey key, const char* subKey, uint32_t samDesired,
                        RegKey* result) override {
    return Timed([&] { return inner_.OpenKeyEx(key, subKey, samDesired, result); });
  }
  RegStatus DoQueryInfoKey(RegKey key, uint32_t* subKeys, uint32_t* maxSubKeyLen, uint32_t* values,
                           uint32_t* maxValueNameLen, uint32_t* maxValueLen,
                           uint64_t* lastWriteTime) override {
    return Timed([&] {
      return inner_.QueryInfoKey(key, subKeys, maxSubKeyLen, values, maxValueNameLen, maxValueLen,
                                 lastWriteTime);
    });
  }
  RegStatus DoEnumKeyEx(RegKey key, uint32_t index, char* name, uint32_t* nameLen) override {
    return Timed([&] { return inner_.EnumKeyEx(key, index, name, nameLen); });
  }
  RegStatus DoEnumValue(RegKey key, uint32_t index, char* name, uint32_t* nameLen, uint32_t* type,
                        uint8_t* data, uint32_t* dataLen) override {
    return Timed([&] { return inner_.EnumValue(key, index, name, nameLen, type, data, dataLen); });
  }
  RegStatus DoQueryValueEx(RegKey key, const char* valueName, uint32_t* type, uint8_t* data,
                           uint32_t* dataLen) override {
    return Timed([&] { return inner_.QueryValueEx(key, valueName, type, data, dataLen); });
  }
  RegStatus DoCreateKeyEx(RegKey key, const char* subKey, uint32_t options, uint32_t samDesired,
                          RegKey* result) override {
    return Timed([&] { return inner_.CreateKeyEx(key, subKey, options, samDesired, result); });
  }
  RegStatus DoSetValueEx(RegKey key, const char* valueName, uint32_t type, const uint8_t* data,
                         uint32_t size) override {
    return Timed([&] { return inner_.SetValueEx(key, valueName, type, data, size); });
  }
  RegStatus DoCloseKey(RegKey key) override {
    return Timed([&] { return inner_.CloseKey(key); });
  }

private:
  template <class F>
  RegStatus Timed(F call) {
    const Clock::time_point start = Clock::now();
    const RegStatus status = call();
    inside_ += Clock::now() - start;
    return status;
  }

  RegistryApi& inner_;
  Clock::duration inside_{};
};

} // namespace tw::bench
