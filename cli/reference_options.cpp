// --reference, --wire-gauge, --wire-diameter, --frequency, --temperature, --base-height and
// the sweep's options, read into a wire request.
#include "reference_options.h"

#include <CLI/CLI.hpp>

void AddReferenceOptions(CLI::App& app, WireRequest& request, ReferenceFiles& files,
                         CLI::Option* json) {
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
         "The copper's temperature at the frequency or over the sweep, degrees Celsius "
         "(default: 20)")
      ->check(
          [](const std::string& text) {
            double value;
            std::string error;
            return ReadTemperature(text, value, error) ? std::string() : error;
          },
          "CELSIUS");
  app.add_option_function<std::string>(
         "--sweep",
         [&request](const std::string& text) {
           std::string error;
           ReadSweep(text, request.sweep, error);
           request.wanted = request.hasSweep = true;
         },
         "Add the coil's impedance over a band to the reference: FROM:TO[:POINTS], "
         "frequencies as --frequency takes them, points spaced logarithmically (default 201)")
      ->check(
          [](const std::string& text) {
            SweepBand band;
            std::string error;
            return ReadSweep(text, band, error) ? std::string() : error;
          },
          "FROM:TO[:POINTS]");
  CLI::Option* touchstone = app.add_flag_callback(
      "--touchstone", [&request, &files] { request.wanted = files.touchstone = true; },
      "Write the sweep's impedance as a Touchstone file (.s1p) on standard output, and nothing "
      "else");
  CLI::Option* spice = app.add_flag_callback(
      "--spice", [&request, &files] { request.wanted = request.hasLadder = files.spice = true; },
      "Write a SPICE subcircuit of the coil on standard output, and nothing else, fitted over "
      "the sweep's band (default: from a tenth of the frequency or a hundredth of the "
      "self-resonance to twice the self-resonance)");
  touchstone->excludes(spice);
  json->excludes(touchstone)->excludes(spice);
}

void CheckReferenceOptions(const CLI::App& app, const WireRequest& request,
                           const ReferenceFiles& files) {
  if (files.touchstone && !request.hasSweep)
    throw CLI::ValidationError("--touchstone",
                               "the Touchstone file holds a sweep: name its band with "
                               "--sweep FROM:TO[:POINTS]");
  if (app.count("--temperature") > 0 && !request.hasFrequency && !request.hasSweep &&
      !request.hasLadder)
    throw CLI::ValidationError("--temperature",
                               "the copper's temperature needs --frequency, --sweep or --spice");
}
