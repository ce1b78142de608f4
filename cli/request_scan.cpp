// The reading of plain batch requests: such a line in one pass, without a JSON parser.
#include "request_scan.h"

#include "dialog_controls.h"
#include "json_writer.h"
#include "solve.h"

namespace {

struct Cursor {
  const char* at;
  const char* end;
};

bool IsJsonBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

// Skips blanks, then takes `c` if it comes next.
bool TakeAfterBlanks(Cursor& cursor, char c) {
  while (cursor.at < cursor.end && IsJsonBlank(*cursor.at)) ++cursor.at;
  if (cursor.at == cursor.end || *cursor.at != c) return false;
  ++cursor.at;
  return true;
}

// The same, with no blanks to skip when `c` comes at once, as in requests written without them.
inline bool Take(Cursor& cursor, char c) {
  if (cursor.at != cursor.end && *cursor.at == c) {
    ++cursor.at;
    return true;
  }
  return TakeAfterBlanks(cursor, c);
}

bool AtEnd(Cursor& cursor) {
  while (cursor.at < cursor.end && IsJsonBlank(*cursor.at)) ++cursor.at;
  return cursor.at == cursor.end;
}

// A string whose characters are all printable ASCII (0x20 to 0x7F) without a backslash: its
// text is then its bytes as they stand. The first byte that a JSON string cannot hold as it
// stands must be its closing quote.
inline bool TakePlainString(Cursor& cursor, std::string_view& text) {
  if (!Take(cursor, '"')) return false;
  const std::string_view rest(cursor.at, static_cast<std::size_t>(cursor.end - cursor.at));
  const std::size_t length = PlainJsonLength(rest);
  if (length == rest.size() || rest[length] != '"') return false;
  text = rest.substr(0, length);
  cursor.at += length + 1;
  return true;
}

// "fields": {NAME: TEXT, ...}, after its key and colon.
bool TakeFields(Cursor& cursor, SolveCase& solveCase) {
  if (!Take(cursor, '{')) return false;
  if (Take(cursor, '}')) return true;
  do {
    std::string_view name, text;
    if (!TakePlainString(cursor, name) || !Take(cursor, ':') || !TakePlainString(cursor, text))
      return false;
    const int id = FieldId(name);
    if (id == 0) return false;
    solveCase.seeds.emplace_back(id, text);
  } while (Take(cursor, ','));
  return Take(cursor, '}');
}

// The literal `word` (true, false) after blanks.
bool TakeWord(Cursor& cursor, std::string_view word) {
  while (cursor.at < cursor.end && IsJsonBlank(*cursor.at)) ++cursor.at;
  if (static_cast<std::size_t>(cursor.end - cursor.at) < word.size() ||
      std::string_view(cursor.at, word.size()) != word)
    return false;
  cursor.at += word.size();
  return true;
}

// A JSON integer of at most four digits, with nothing after it that would make it a fraction.
bool TakeSmallInteger(Cursor& cursor, int& value) {
  while (cursor.at < cursor.end && IsJsonBlank(*cursor.at)) ++cursor.at;
  const bool negative = cursor.at < cursor.end && *cursor.at == '-';
  if (negative) ++cursor.at;
  const char* first = cursor.at;
  value = 0;
  while (cursor.at < cursor.end && *cursor.at >= '0' && *cursor.at <= '9' &&
         cursor.at - first < 5) {
    value = value * 10 + (*cursor.at - '0');
    ++cursor.at;
  }
  const std::ptrdiff_t digits = cursor.at - first;
  if (digits == 0 || digits > 4 || (*first == '0' && digits > 1)) return false;
  if (cursor.at < cursor.end && (*cursor.at == '.' || *cursor.at == 'e' || *cursor.at == 'E'))
    return false;
  if (negative) value = -value;
  return true;
}

// "reference": true, false or {KEY: VALUE, ...} after its key and colon, as the parser would
// take it; a key twice, or a value the parser would refuse, is left to the parser.
bool TakeReference(Cursor& cursor, WireRequest& wire) {
  wire = WireRequest();
  if (TakeWord(cursor, "false")) return true;
  wire.wanted = true;
  if (TakeWord(cursor, "true")) return true;
  if (!Take(cursor, '{')) return false;
  if (Take(cursor, '}')) return true;
  enum : unsigned { GAUGE = 1, DIAMETER = 2, FREQUENCY = 4, TEMPERATURE = 8, BASE = 16 };
  unsigned seen = 0;
  std::string error;
  do {
    std::string_view key, text;
    int number = 0;
    if (!TakePlainString(cursor, key) || !Take(cursor, ':')) return false;
    unsigned bit = 0;
    if (key == "wire_gauge") {
      bit = GAUGE;
      if (!TakeSmallInteger(cursor, number) || number < MIN_WIRE_GAUGE || number > MAX_WIRE_GAUGE)
        return false;
      wire.hasGauge = true;
      wire.gauge = number;
    } else if (key == "wire_diameter") {
      bit = DIAMETER;
      if (!TakePlainString(cursor, text) || !ReadWireDiameter(text, wire.diameter, error))
        return false;
      wire.hasDiameter = true;
    } else if (key == "frequency") {
      bit = FREQUENCY;
      if (!TakePlainString(cursor, text) || !ReadFrequency(text, wire.frequency, error))
        return false;
      wire.hasFrequency = true;
    } else if (key == "temperature") {
      bit = TEMPERATURE;
      if (!TakeSmallInteger(cursor, number) || !IsCopperTemperature(number)) return false;
      wire.celsius = number;
    } else if (key == "base_height") {
      bit = BASE;
      if (!TakePlainString(cursor, text) || !ReadBaseHeight(text, wire.baseHeight, error))
        return false;
      wire.hasBaseHeight = true;
    } else {
      return false;
    }
    if ((seen & bit) != 0) return false;
    seen |= bit;
  } while (Take(cursor, ','));
  const bool bothWires = (seen & GAUGE) != 0 && (seen & DIAMETER) != 0;
  const bool temperatureAlone = (seen & TEMPERATURE) != 0 && (seen & FREQUENCY) == 0;
  return !bothWires && !temperatureAlone && Take(cursor, '}');
}

}  // namespace

bool ScanPlainRequest(std::string_view line, SolveCase& solveCase, WireRequest& wire) {
  Cursor cursor{line.data(), line.data() + line.size()};
  if (!Take(cursor, '{')) return false;
  if (!Take(cursor, '}')) {
    do {
      std::string_view key, value;
      if (!TakePlainString(cursor, key) || !Take(cursor, ':')) return false;
      if (key == "fields") {
        if (!TakeFields(cursor, solveCase)) return false;
        continue;
      }
      if (key == "reference") {
        if (!TakeReference(cursor, wire)) return false;
        continue;
      }
      if (!TakePlainString(cursor, value)) return false;
      if (key == "unit") {
        const LengthUnit* unit = FindLengthUnit(value);
        if (!unit) return false;
        solveCase.lengthScale = unit->scale;
      } else if (key == "mode") {
        const std::int16_t* mode = FindSolveMode(value);
        if (!mode) return false;
        solveCase.solveMode = *mode;
      } else {
        return false;
      }
    } while (Take(cursor, ','));
    if (!Take(cursor, '}')) return false;
  }
  return AtEnd(cursor);
}
