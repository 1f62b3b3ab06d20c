// Design data: the property-list byte format, a builder that writes it, a reader, and
// SetProperties, which applies a list to an object in list order.
//
// A list is a run of entries with no count and no terminator. Each entry is the property's
// name in ASCII, one blank, then the value in the form that the property's type fixes:
//   integer   8 bytes, signed little-endian        real       8 bytes, IEEE 754 double LE
//   boolean   1 byte (0 or 1)                       font unit  1 byte
//   colour    4 bytes, unsigned LE, 0x00RRGGBB      font size  4 bytes, IEEE 754 single LE
//   text      4-byte unsigned LE byte count, then that many UTF-8 bytes
// The type of every property is known by its name.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "framework/object.h"

namespace fw {

enum class PropertyType { Integer, Real, Boolean, FontUnit, Color, FontSize, Text };

// The type of a known property name; nullopt for a name the framework does not know.
std::optional<PropertyType> PropertyTypeOf(std::string_view name);

struct Color {
  std::uint32_t rgb = 0;  // 0x00RRGGBB
  bool operator==(const Color&) const = default;
};
struct FontUnit {
  std::uint8_t unit = 0;
  bool operator==(const FontUnit&) const = default;
};
struct FontSize {
  float size = 0;
  bool operator==(const FontSize&) const = default;
};

class PropertyValue {
 public:
  using Storage = std::variant<std::int64_t, double, bool, FontUnit, Color, FontSize, std::string>;
  PropertyValue(Storage v) : v_(std::move(v)) {}

  PropertyType Type() const { return static_cast<PropertyType>(v_.index()); }
  // Each raises RuntimeException when the value is of another type.
  std::int64_t Integer() const;
  double Real() const;
  bool Boolean() const;
  std::uint8_t Unit() const;
  std::uint32_t Rgb() const;
  float Size() const;
  const std::string& Text() const;

  const Storage& Raw() const { return v_; }
  bool operator==(const PropertyValue&) const = default;

 private:
  Storage v_;
};

struct PropertyEntry {
  std::string name;
  PropertyValue value;
};

// Writes a list. Each Add takes the value in the form natural to the design data and writes it
// in the byte form of the name's type (an integer for a colour, a font size or a real is
// converted); an unknown name, or a value that does not fit the type, raises RuntimeException.
class PropertyListBuilder {
 public:
  PropertyListBuilder& Add(std::string_view name, std::int64_t value);
  PropertyListBuilder& Add(std::string_view name, int value) {
    return Add(name, static_cast<std::int64_t>(value));
  }
  PropertyListBuilder& Add(std::string_view name, unsigned value) {
    return Add(name, static_cast<std::int64_t>(value));
  }
  PropertyListBuilder& Add(std::string_view name, double value);
  PropertyListBuilder& Add(std::string_view name, bool value);
  PropertyListBuilder& Add(std::string_view name, std::string_view value);
  PropertyListBuilder& Add(std::string_view name, const char* value) {
    return Add(name, std::string_view(value));
  }
  PropertyListBuilder& Add(std::string_view name, const std::string& value) {
    return Add(name, std::string_view(value));
  }
  const std::string& Bytes() const { return bytes_; }

 private:
  std::string bytes_;
};

// Reads a whole list. Never reads past the end; a truncated entry or an unknown name raises
// RuntimeException saying which entry and why.
std::vector<PropertyEntry> ReadPropertyList(std::string_view bytes);

// Applies every entry of the list to the object, in list order (a name may stand twice).
void SetProperties(const Ref<Object>& object, std::string_view list);

}  // namespace fw
