// --reference, --wire-gauge, --wire-diameter, --frequency, --temperature and --base-height, read
// into a wire request.
#include "reference_options.h"

#include <CLI/CLI.hpp>

void AddReferenceOptions(CLI::App& app, WireRequest& request) {
  app.add_flag("--reference", request.wanted,
               "Add the physics reference (current sheet, round wire, Medhurst's capacitance, "
               "self-resonance) beside the dialog's results");
  CLI::Option* gauge =
      app.add_option_function<int>(
             "--wire-gauge",
             [&request](int value) {
               request.wanted = request.hasGauge = true;
               request.gauge = value;
             },
             "Reference wire by AWG number (default: the dialog's maximum wire size)")
          ->check(CLI::Range(MIN_WIRE_GAUGE, MAX_WIRE_GAUGE));
  CLI::Option* diameter =
      app.add_option_function<std::string>(
             "--wire-diameter",
             [&request](const std::string& text) {
               std::string error;
               ReadWireDiameter(text, request.diameter, error);
               request.wanted = request.hasDiameter = true;
             },
             "Reference wire by bare diameter, in the unit of length")
          ->check(
              [](const std::string& text) {
                double value;
                std::string error;
                return ReadWireDiameter(text, value, error) ? std::string() : error;
              },
              "DIAMETER");
  gauge->excludes(diameter);
  CLI::Option* frequency =
      app.add_option_function<std::string>(
             "--frequency",
             [&request](const std::string& text) {
               std::string error;
               ReadFrequency(text, request.frequency, error);
               request.wanted = request.hasFrequency = true;
             },
             "Add the coil's resistance, Q and tuning capacitance at this frequency to the "
             "reference: hertz, or a number and Hz, kHz, MHz or GHz (7.1MHz)")
          ->check(
              [](const std::string& text) {
                double value;
                std::string error;
                return ReadFrequency(text, value, error) ? std::string() : error;
              },
              "FREQUENCY");
  app.add_option_function<std::string>(
         "--base-height",
         [&request](const std::string& text) {
           std::string error;
           ReadBaseHeight(text, request.baseHeight, error);
           request.wanted = request.hasBaseHeight = true;
         },
         "Add the resonance of the coil with its lower end grounded, the winding's lower end "
         "this high above the ground plane, in the unit of length")
      ->check(
          [](const std::string& text) {
            double value;
            std::string error;
            return ReadBaseHeight(text, value, error) ? std::string() : error;
          },
          "HEIGHT");
  app.add_option_function<std::string>(
         "--temperature",
         [&request](const std::string& text) {
           std::string error;
           ReadTemperature(text, request.celsius, error);
         },
         "The copper's temperature at the frequency, degrees Celsius (default: 20)")
      ->check(
          [](const std::string& text) {
            double value;
            std::string error;
            return ReadTemperature(text, value, error) ? std::string() : error;
          },
          "CELSIUS")
      ->needs(frequency);
}
