#include "tools/prnsetup-tool/scenario_file.h"

#include <nlohmann/json.hpp>

#include <cstdint>

#include "sys/dialogs.h"
#include "text/error.h"

namespace prn::tool {

namespace {

using json = nlohmann::json;

int AnswerCode(const std::string& word) {
  if (word == "yes") return sys::mb::IdYes;
  if (word == "no") return sys::mb::IdNo;
  if (word == "cancel") return sys::mb::IdCancel;
  if (word == "ok") return sys::mb::IdOk;
  throw Error(u"unknown answer \"" + FromUtf8(word) + u"\" (yes, no, cancel or ok)");
}

const json& ListOrEmpty(const json& data, const char* key) {
  static const json empty = json::array();
  auto found = data.find(key);
  if (found == data.end()) return empty;
  if (!found->is_array()) throw Error(u"\"" + FromAscii(key) + u"\" is not a list");
  return *found;
}

// Checked before it is converted: a number beyond the range of int (or a
// fraction) does not convert safely.
int ReadWinVer(const json& data, int fallback) {
  auto found = data.find("winver");
  if (found == data.end()) return fallback;
  const bool inRange = found->is_number_unsigned()  ? found->get<uint64_t>() >= 50 && found->get<uint64_t>() <= 109
                       : found->is_number_integer() ? found->get<int64_t>() >= 50 && found->get<int64_t>() <= 109
                                                    : false;
  if (!inRange) throw Error(u"\"winver\" is major × 10 + minor, 50 to 109 (61 is Windows 7)");
  return static_cast<int>(found->get<int64_t>());
}

}  // namespace

Scenario ParseScenario(std::string_view text) {
  Scenario scenario;
  try {
    const json data = json::parse(text);
    if (!data.is_object()) throw Error(u"the scenario is not a JSON object");
    scenario.wow64 = data.value("wow64", scenario.wow64);
    scenario.winVer = ReadWinVer(data, scenario.winVer);
    scenario.host = data.value("host", scenario.host);
    for (const json& device : ListOrEmpty(data, "devices")) {
      if (!device.is_object()) throw Error(u"a device is not a JSON object");
      ScenarioDevice read;
      read.hwid = device.value("hwid", read.hwid);
      read.port = device.value("port", read.port);
      read.driverInstalled = device.value("driver_installed", read.driverInstalled);
      scenario.devices.push_back(std::move(read));
    }
    for (const json& printer : ListOrEmpty(data, "printers")) {
      if (!printer.is_object()) throw Error(u"a printer is not a JSON object");
      ScenarioPrinter read;
      read.name = printer.value("name", read.name);
      read.driver = printer.value("driver", read.driver);
      read.port = printer.value("port", read.port);
      if (read.name.empty()) throw Error(u"a printer has no name");
      scenario.printers.push_back(std::move(read));
    }
    for (const json& answer : ListOrEmpty(data, "answers")) scenario.answers.push_back(AnswerCode(answer.get<std::string>()));
  } catch (const json::exception& e) {
    // Wrong types as much as bad syntax: never a raw library error.
    throw Error(u"the scenario is not valid: " + FromUtf8(e.what()));
  }
  if (scenario.host != "ok" && scenario.host != "fail" && scenario.host != "hang" && scenario.host != "silent" &&
      scenario.host != "nostart") {
    throw Error(u"unknown host behaviour \"" + FromUtf8(scenario.host) + u"\" (ok, fail, hang, silent or nostart)");
  }
  return scenario;
}

}  // namespace prn::tool
