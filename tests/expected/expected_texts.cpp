// Reads expected_texts.json once; a file that is missing or not as expected stops the test
// program with a message naming it, rather than letting every test fail on its own.
#include "expected_texts.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <nlohmann/json.hpp>

namespace expected {
namespace {

struct Data {
  std::map<std::string, Message> messages;
  std::vector<Message> allMessages;
  Lines about;
  std::vector<Help> help;
  std::vector<int> idsWithoutHelp;
  std::map<std::string, int> fieldIds;
  std::vector<std::string> results;
  std::vector<Coil> coils;
  std::vector<std::pair<std::string, std::string>> frequencyErrors;
  std::vector<std::pair<std::string, std::string>> baseHeightErrors;
};

[[noreturn]] void Stop(const std::string& why) {
  std::fprintf(stderr, "expected texts, %s: %s\n", COILCALC_EXPECTED_TEXTS, why.c_str());
  std::exit(3);
}

Data Read() {
  std::ifstream file(COILCALC_EXPECTED_TEXTS, std::ios::binary);
  if (!file) Stop("cannot read the file");
  Data data;
  try {
    const auto json = nlohmann::ordered_json::parse(file);
    for (const auto& [name, message] : json.at("messages").items()) {
      data.messages[name] = {message.at(0), message.at(1)};
      data.allMessages.push_back(data.messages[name]);
    }
    data.about = json.at("about").get<Lines>();
    for (const auto& [name, help] : json.at("help").items()) {
      data.help.push_back({name, help.at("ids").get<std::vector<int>>(), help.at("lines")});
    }
    data.idsWithoutHelp = json.at("ids_without_help").get<std::vector<int>>();
    data.fieldIds = json.at("fields").get<std::map<std::string, int>>();
    data.results = json.at("results").get<std::vector<std::string>>();
    for (const auto& coil : json.at("coils")) {
      Coil c{coil.at("name"),
             coil.at("unit") == "mm",
             coil.at("mode") == "turns",
             {},
             coil.at("results")};
      for (const auto& [name, text] : coil.at("entries").items())
        c.entries.emplace_back(name, text);
      if (c.results.size() != data.results.size()) Stop(c.name + " lacks some results");
      data.coils.push_back(std::move(c));
    }
    data.frequencyErrors = json.at("frequency_errors");
    data.baseHeightErrors = json.at("base_height_errors");
  } catch (const nlohmann::json::exception& error) {
    Stop(error.what());
  }
  // Tests loop over these: an empty list would let them pass without checking anything.
  if (data.allMessages.empty() || data.help.empty() || data.coils.empty() ||
      data.frequencyErrors.empty() || data.baseHeightErrors.empty())
    Stop("a list is empty");
  return data;
}

const Data& TheData() {
  static const Data data = Read();
  return data;
}

}  // namespace

std::string JoinCrLf(const Lines& lines) {
  std::string text;
  for (std::size_t i = 0; i < lines.size(); ++i) text += (i > 0 ? "\r\n" : "") + lines[i];
  return text;
}

const Message& MessageNamed(const std::string& name) {
  const auto found = TheData().messages.find(name);
  if (found == TheData().messages.end()) Stop("no message " + name);
  return found->second;
}

const std::vector<Message>& AllMessages() { return TheData().allMessages; }
const Lines& AboutLines() { return TheData().about; }
const std::vector<Help>& HelpTexts() { return TheData().help; }

const Lines* HelpLinesOf(int id) {
  for (const Help& help : TheData().help) {
    for (int helped : help.ids) {
      if (helped == id) return &help.lines;
    }
  }
  return nullptr;
}

const std::vector<int>& IdsWithoutHelp() { return TheData().idsWithoutHelp; }

int FieldId(const std::string& name) {
  const auto found = TheData().fieldIds.find(name);
  if (found == TheData().fieldIds.end()) Stop("no field " + name);
  return found->second;
}

const std::map<std::string, int>& FieldIds() { return TheData().fieldIds; }
const std::vector<std::string>& Results() { return TheData().results; }
const std::vector<Coil>& Coils() { return TheData().coils; }
const std::vector<std::pair<std::string, std::string>>& FrequencyErrors() {
  return TheData().frequencyErrors;
}
const std::vector<std::pair<std::string, std::string>>& BaseHeightErrors() {
  return TheData().baseHeightErrors;
}
const Coil& CoilNamed(const std::string& name) {
  for (const Coil& coil : TheData().coils) {
    if (coil.name == name) return coil;
  }
  Stop("no coil " + name);
}

}  // namespace expected
