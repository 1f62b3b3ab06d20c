#include "framework/property_list.h"

#include <bit>
#include <cmath>
#include <limits>
#include <unordered_map>

#include "framework/controls.h"
#include "framework/window.h"
#include "widgets.h"

namespace fw {

namespace {

using T = PropertyType;

const std::unordered_map<std::string_view, PropertyType>& TypeTable() {
  static const std::unordered_map<std::string_view, PropertyType> table = {
      // Geometry, placement and codes.
      {"Width", T::Integer},
      {"Height", T::Integer},
      {"MinimumWidth", T::Integer},
      {"MinimumHeight", T::Integer},
      {"MaximumWidth", T::Integer},
      {"MaximumHeight", T::Integer},
      {"Type", T::Integer},
      {"MacProcID", T::Integer},
      {"DefaultLocation", T::Integer},
      {"Index", T::Integer},
      {"Left", T::Integer},
      {"Top", T::Integer},
      {"TabIndex", T::Integer},
      {"TabPanelIndex", T::Integer},
      {"TextAlignment", T::Integer},
      {"MacButtonStyle", T::Integer},
      {"MaximumCharactersAllowed", T::Integer},
      {"Period", T::Integer},
      {"RunMode", T::Integer},
      // Reals.
      {"BorderThickness", T::Real},
      {"CornerHeight", T::Real},
      {"CornerWidth", T::Real},
      {"LineHeight", T::Real},
      {"LineSpacing", T::Real},
      // Flags.
      {"Visible", T::Boolean},
      {"Enabled", T::Boolean},
      {"TabStop", T::Boolean},
      {"LockLeft", T::Boolean},
      {"LockTop", T::Boolean},
      {"LockRight", T::Boolean},
      {"LockBottom", T::Boolean},
      {"Bold", T::Boolean},
      {"Italic", T::Boolean},
      {"Underline", T::Boolean},
      {"HasCloseButton", T::Boolean},
      {"HasMaximizeButton", T::Boolean},
      {"HasMinimizeButton", T::Boolean},
      {"HasFullScreenButton", T::Boolean},
      {"Resizeable", T::Boolean},
      {"Composite", T::Boolean},
      {"FullScreen", T::Boolean},
      {"HasBackgroundColor", T::Boolean},
      {"MenuBarVisible", T::Boolean},
      {"LiveResize", T::Boolean},
      {"AllowAutoDeactivate", T::Boolean},
      {"AllowFocusRing", T::Boolean},
      {"AllowFocus", T::Boolean},
      {"AllowTabs", T::Boolean},
      {"Transparent", T::Boolean},
      {"DoubleBuffer", T::Boolean},
      {"Cancel", T::Boolean},
      {"Default", T::Boolean},
      {"Multiline", T::Boolean},
      {"Selectable", T::Boolean},
      {"HasBorder", T::Boolean},
      {"HideSelection", T::Boolean},
      {"HasHorizontalScrollbar", T::Boolean},
      {"HasVerticalScrollbar", T::Boolean},
      {"AllowStyledText", T::Boolean},
      {"AllowSpellChecking", T::Boolean},
      {"ReadOnly", T::Boolean},
      // The rest.
      {"FontUnit", T::FontUnit},
      {"BackgroundColor", T::Color},
      {"TextColor", T::Color},
      {"FillColor", T::Color},
      {"BorderColor", T::Color},
      {"FontSize", T::FontSize},
      {"Title", T::Text},
      {"Name", T::Text},
      {"Caption", T::Text},
      {"Value", T::Text},
      {"FontName", T::Text},
      {"Tooltip", T::Text},
      {"DataSource", T::Text},
      {"DataField", T::Text},
      {"InitialParent", T::Text},
      {"Format", T::Text},
      {"ValidationMask", T::Text},
  };
  return table;
}

const char* TypeName(PropertyType t) {
  switch (t) {
    case T::Integer:
      return "an integer";
    case T::Real:
      return "a real";
    case T::Boolean:
      return "a boolean";
    case T::FontUnit:
      return "a font unit";
    case T::Color:
      return "a colour";
    case T::FontSize:
      return "a font size";
    case T::Text:
      return "a text";
  }
  return "a value";
}

PropertyType RequireType(std::string_view name) {
  auto t = PropertyTypeOf(name);
  if (!t) throw RuntimeException("unknown property '" + std::string(name) + "'");
  return *t;
}

[[noreturn]] void Mismatch(std::string_view name, PropertyType type, const char* given) {
  throw RuntimeException("property '" + std::string(name) + "' takes " + TypeName(type) + ", not " +
                         given);
}

void PutLE(std::string& out, std::uint64_t v, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
}

void PutHead(std::string& out, std::string_view name) {
  out.append(name);
  out.push_back(' ');
}

}  // namespace

std::optional<PropertyType> PropertyTypeOf(std::string_view name) {
  const auto& table = TypeTable();
  auto it = table.find(name);
  if (it == table.end()) return std::nullopt;
  return it->second;
}

// ---- PropertyValue ----

namespace {
template <class V>
const V& Get(const PropertyValue::Storage& s, PropertyType wanted) {
  if (const V* v = std::get_if<V>(&s)) return *v;
  throw RuntimeException(std::string("property value is ") +
                         TypeName(static_cast<PropertyType>(s.index())) + ", not " +
                         TypeName(wanted));
}
}  // namespace

std::int64_t PropertyValue::Integer() const {
  return Get<std::int64_t>(v_, T::Integer);
}
double PropertyValue::Real() const {
  return Get<double>(v_, T::Real);
}
bool PropertyValue::Boolean() const {
  return Get<bool>(v_, T::Boolean);
}
std::uint8_t PropertyValue::Unit() const {
  return Get<FontUnit>(v_, T::FontUnit).unit;
}
std::uint32_t PropertyValue::Rgb() const {
  return Get<Color>(v_, T::Color).rgb;
}
float PropertyValue::Size() const {
  return Get<FontSize>(v_, T::FontSize).size;
}
const std::string& PropertyValue::Text() const {
  return Get<std::string>(v_, T::Text);
}

// ---- Builder ----

PropertyListBuilder& PropertyListBuilder::Add(std::string_view name, std::int64_t value) {
  PropertyType type = RequireType(name);
  switch (type) {
    case T::Integer:
      PutHead(bytes_, name);
      PutLE(bytes_, static_cast<std::uint64_t>(value), 8);
      break;
    case T::Real:
      return Add(name, static_cast<double>(value));
    case T::FontSize:
      return Add(name, static_cast<double>(value));
    case T::Color:
      if (value < 0 || value > 0xFFFFFFFFLL) Mismatch(name, type, "an integer out of range");
      PutHead(bytes_, name);
      PutLE(bytes_, static_cast<std::uint64_t>(value), 4);
      break;
    case T::FontUnit:
      if (value < 0 || value > 0xFF) Mismatch(name, type, "an integer out of range");
      PutHead(bytes_, name);
      PutLE(bytes_, static_cast<std::uint64_t>(value), 1);
      break;
    case T::Boolean:
    case T::Text:
      Mismatch(name, type, "an integer");
  }
  return *this;
}

PropertyListBuilder& PropertyListBuilder::Add(std::string_view name, double value) {
  PropertyType type = RequireType(name);
  if (type == T::Real) {
    PutHead(bytes_, name);
    PutLE(bytes_, std::bit_cast<std::uint64_t>(value), 8);
  } else if (type == T::FontSize) {
    // A size too large for a single would become infinity; refuse it rather than store that.
    if (std::isfinite(value) && std::fabs(value) > std::numeric_limits<float>::max())
      Mismatch(name, type, "a real out of range");
    PutHead(bytes_, name);
    PutLE(bytes_, std::bit_cast<std::uint32_t>(static_cast<float>(value)), 4);
  } else {
    Mismatch(name, type, "a real");
  }
  return *this;
}

PropertyListBuilder& PropertyListBuilder::Add(std::string_view name, bool value) {
  PropertyType type = RequireType(name);
  if (type != T::Boolean) Mismatch(name, type, "a boolean");
  PutHead(bytes_, name);
  bytes_.push_back(value ? '\x01' : '\x00');
  return *this;
}

PropertyListBuilder& PropertyListBuilder::Add(std::string_view name, std::string_view value) {
  PropertyType type = RequireType(name);
  if (type != T::Text) Mismatch(name, type, "a text");
  if (value.size() > 0xFFFFFFFFULL) Mismatch(name, type, "a text longer than 4 GiB");
  PutHead(bytes_, name);
  PutLE(bytes_, value.size(), 4);
  bytes_.append(value);
  return *this;
}

// ---- Reader ----

namespace {

class Cursor {
 public:
  Cursor(std::string_view bytes) : bytes_(bytes) {}
  bool AtEnd() const { return pos_ == bytes_.size(); }
  std::size_t Left() const { return bytes_.size() - pos_; }
  std::size_t Pos() const { return pos_; }

  std::uint64_t LE(std::size_t n) {
    std::uint64_t v = 0;
    for (std::size_t i = 0; i < n; ++i)
      v |= static_cast<std::uint64_t>(static_cast<unsigned char>(bytes_[pos_ + i])) << (8 * i);
    pos_ += n;
    return v;
  }
  std::string_view Take(std::size_t n) {
    std::string_view s = bytes_.substr(pos_, n);
    pos_ += n;
    return s;
  }
  // The name: the bytes up to the next blank; nullopt when there is no blank.
  std::optional<std::string_view> Name() {
    std::size_t blank = bytes_.find(' ', pos_);
    if (blank == std::string_view::npos) return std::nullopt;
    std::string_view name = bytes_.substr(pos_, blank - pos_);
    pos_ = blank + 1;
    return name;
  }

 private:
  std::string_view bytes_;
  std::size_t pos_ = 0;
};

std::size_t FixedSize(PropertyType t) {
  switch (t) {
    case T::Integer:
    case T::Real:
      return 8;
    case T::Color:
    case T::FontSize:
    case T::Text:  // the byte count
      return 4;
    case T::Boolean:
    case T::FontUnit:
      return 1;
  }
  return 0;
}

std::string Printable(std::string_view s) {
  std::string out;
  for (char c : s.substr(0, 40)) {
    auto u = static_cast<unsigned char>(c);
    if (u >= 0x20 && u < 0x7F) {
      out.push_back(c);
    } else {
      static const char* hex = "0123456789ABCDEF";
      out += "\\x";
      out.push_back(hex[u >> 4]);
      out.push_back(hex[u & 0xF]);
    }
  }
  if (s.size() > 40) out += "...";
  return out;
}

// How the reader names an entry: its place in the list, from 1, its name and its first byte.
std::string EntryAt(std::size_t number, std::string_view name, std::size_t at) {
  return "property list entry " + std::to_string(number) + " ('" + Printable(name) + "' at byte " +
         std::to_string(at) + ")";
}

// The entries of a list, each with the byte it starts at: a later complaint about an entry that
// was read well names it as the reader does.
struct ReadList {
  std::vector<PropertyEntry> entries;
  std::vector<std::size_t> starts;
};

ReadList Read(std::string_view bytes) {
  ReadList list;
  std::vector<PropertyEntry>& entries = list.entries;
  Cursor in(bytes);
  while (!in.AtEnd()) {
    const std::size_t number = entries.size() + 1;
    const std::size_t at = in.Pos();
    auto where = [&](std::string_view name) { return EntryAt(number, name, at); };
    std::optional<std::string_view> name = in.Name();
    if (!name)
      throw RuntimeException(where(bytes.substr(at)) + " is truncated: no blank after its name");
    std::optional<PropertyType> type = PropertyTypeOf(*name);
    if (!type) throw RuntimeException(where(*name) + " names an unknown property");
    std::size_t need = FixedSize(*type);
    if (in.Left() < need)
      throw RuntimeException(where(*name) + " is truncated: " + TypeName(*type) + " needs " +
                             std::to_string(need) + " bytes, " + std::to_string(in.Left()) +
                             " left");
    switch (*type) {
      case T::Integer:
        entries.push_back({std::string(*name), PropertyValue(static_cast<std::int64_t>(in.LE(8)))});
        break;
      case T::Real:
        entries.push_back({std::string(*name), PropertyValue(std::bit_cast<double>(in.LE(8)))});
        break;
      case T::Boolean: {
        std::uint64_t b = in.LE(1);
        if (b > 1)
          throw RuntimeException(where(*name) + " holds " + std::to_string(b) +
                                 ", which is not a boolean (0 or 1)");
        entries.push_back({std::string(*name), PropertyValue(b == 1)});
        break;
      }
      case T::FontUnit:
        entries.push_back(
            {std::string(*name), PropertyValue(FontUnit{static_cast<std::uint8_t>(in.LE(1))})});
        break;
      case T::Color:
        entries.push_back(
            {std::string(*name), PropertyValue(Color{static_cast<std::uint32_t>(in.LE(4))})});
        break;
      case T::FontSize:
        entries.push_back(
            {std::string(*name),
             PropertyValue(FontSize{std::bit_cast<float>(static_cast<std::uint32_t>(in.LE(4)))})});
        break;
      case T::Text: {
        std::uint64_t length = in.LE(4);
        if (in.Left() < length)
          throw RuntimeException(where(*name) + " is truncated: its text of " +
                                 std::to_string(length) + " bytes has " +
                                 std::to_string(in.Left()) + " left");
        entries.push_back({std::string(*name),
                           PropertyValue(std::string(in.Take(static_cast<std::size_t>(length))))});
        break;
      }
    }
    list.starts.push_back(at);
  }
  return list;
}

// A parent chain that loops would place a control inside itself; refused before anything is
// applied, so that the control stays as it was.
void RefuseParentLoops(const Control::Impl& control, const ReadList& list) {
  for (std::size_t i = 0; i < list.entries.size(); ++i) {
    const PropertyEntry& e = list.entries[i];
    if (e.name != "InitialParent") continue;
    const std::string& parent = e.value.Text();
    bool loops = false;
    control.ParentNamed(parent, &loops);
    if (loops)
      throw RuntimeException(EntryAt(i + 1, e.name, list.starts[i]) + ": the parent '" +
                             Printable(parent) + "' leads into a loop of parents");
  }
}

}  // namespace

std::vector<PropertyEntry> ReadPropertyList(std::string_view bytes) {
  return Read(bytes).entries;
}

void SetProperties(const Ref<Object>& object, std::string_view list) {
  if (!object) throw NilObjectException("SetProperties on a nil object");
  // The whole list is read first, so that a damaged list changes nothing.
  const ReadList read = Read(list);
  const bool control = object->ClassRecordOf().IsA(Control::Class());
  if (control) RefuseParentLoops(static_cast<Control&>(*object).impl(), read);
  for (const PropertyEntry& e : read.entries) object->SetProperty(e.name, e.value);
  if (control) static_cast<Control&>(*object).impl().PropertiesApplied();
}

void Object::SetProperty(const std::string&, const PropertyValue&) {}

}  // namespace fw
