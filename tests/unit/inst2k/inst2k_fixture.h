#pragma once
// A simulated machine with the device-install library in its work folder.

#include <gtest/gtest.h>

#include <array>
#include <string>

#include "sim/machine.h"
#include "testing/test_files.h"

namespace prn::testing {

class Inst2kTest : public ::testing::Test {
 protected:
  static constexpr const char16_t* kLibrary = u"C:\\Work\\inst2k.dll";
  static constexpr const char16_t* kInf = u"C:\\Package\\Quillon.inf";
  static constexpr const char* kUsbInstance = "USBPRINT\\QUILLONQX17A3F\\7&2A3B&0&USB001";

  Inst2kTest() {
    WriteFile(machine.files, kLibrary, "MZ");
    WriteFile(machine.files, kInf, "[Version]\r\nSignature=\"$Windows NT$\"\r\n");
  }

  sys::DeviceLibraryLoad Load() { return machine.deviceLibraries.Load(kLibrary); }

  void AddUsbPrinter(std::string instanceId = kUsbInstance, bool attached = true) {
    machine.devices.AddDevice({instanceId, {"USBPRINT\\QuillonQX17A3F", "QuillonQX17A3F"}, attached, "", 0});
  }
  void AddDevice(std::string instanceId, std::vector<std::string> hardwareIds) {
    machine.devices.AddDevice({std::move(instanceId), std::move(hardwareIds), true, "", 0});
  }

  static ustring ParametersKey(const std::string& instanceId) {
    return sim::SimDeviceTree::EnumKeyPath(instanceId) + u"\\Device Parameters";
  }
  std::optional<ustring> PortName(const std::string& instanceId) const {
    auto value = machine.registry.Value(ParametersKey(instanceId), u"PortName");
    return value ? value->Text() : std::nullopt;
  }

  struct Found {
    int32_t result;
    std::string hardwareId;
    std::string instanceId;
  };
  static Found FindWith(const sys::Inst2kExports& exports, const char* hardwareId) {
    std::array<char, 260> foundId{};
    std::array<char, 260> foundInstance{};
    int32_t result = exports.FuncFindExistDevice(hardwareId, foundId.data(), foundInstance.data());
    return {result, foundId.data(), foundInstance.data()};
  }
  Found Find(const char* hardwareId) { return FindWith(Load().library->Exports(), hardwareId); }

  sim::Machine machine;
};

}  // namespace prn::testing
