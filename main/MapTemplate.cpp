#include "main/MapTemplate.h"

#include <array>
#include <optional>

namespace map_url {

namespace {

enum class Placeholder { Street, City, State, Zip, Country, Address, Zoom, From };

struct Name {
    vb::StringView text;
    Placeholder what;
};

constexpr std::array<Name, 8> kNames{{
    {u"street", Placeholder::Street},
    {u"city", Placeholder::City},
    {u"state", Placeholder::State},
    {u"zip", Placeholder::Zip},
    {u"country", Placeholder::Country},
    {u"address", Placeholder::Address},
    {u"zoom", Placeholder::Zoom},
    {u"from", Placeholder::From},
}};

std::optional<Placeholder> Known(vb::StringView name) {
    for (const Name& n : kNames) {
        if (vb::EqualsAsciiNoCase(name, n.text)) return n.what;
    }
    return std::nullopt;
}

// The placeholder whose braces open at `at`, and where the text after it starts.
std::optional<Placeholder> PlaceholderAt(vb::StringView url, size_t at, size_t& next) {
    if (url[at] != u'{') return std::nullopt;
    size_t close = url.find(u'}', at + 1);
    if (close == vb::StringView::npos) return std::nullopt;
    std::optional<Placeholder> what = Known(url.substr(at + 1, close - at - 1));
    if (what) next = close + 1;
    return what;
}

bool IsBlank(char16_t c) { return c == u' ' || c == u'\t' || c == 0x0B || c == 0x0C || c == 0xA0; }

vb::StringView Trimmed(vb::StringView line) {
    while (!line.empty() && IsBlank(line.front())) line.remove_prefix(1);
    while (!line.empty() && IsBlank(line.back())) line.remove_suffix(1);
    return line;
}

// The placeholders' values for one expansion: each field read once, when
// first needed.
class Values {
public:
    explicit Values(const Inputs& in) : in_(in) {}

    vb::String Of(Placeholder what) {
        switch (what) {
        case Placeholder::Street:
            return Field(kStreet);
        case Placeholder::City:
            return Field(kCity);
        case Placeholder::State:
            return Field(kState);
        case Placeholder::Zip:
            return Field(kPostalCode);
        case Placeholder::Country:
            return Country();
        case Placeholder::Zoom:
            return PlaceText(in_.zoom());
        case Placeholder::From:
            if (!start_) start_ = in_.startAddress ? PlaceText(in_.startAddress()) : vb::String();
            return *start_;
        case Placeholder::Address:
            return Address();
        }
        return {};
    }

    vb::String Address() {
        vb::String out;
        for (vb::String part : {Field(kStreet), Field(kCity), Field(kState), Field(kPostalCode), Country()}) {
            if (part.empty()) continue;
            if (!out.empty()) out += u", ";
            out += part;
        }
        return out;
    }

private:
    vb::String Field(int16_t id) {
        std::optional<vb::String>& cached = fields_[Slot(id)];
        if (!cached) cached = PlaceText(in_.field(id));
        return *cached;
    }

    // As the country lookup does: a contact without a country is taken to be
    // in the country of the settings.
    vb::String Country() {
        vb::String country = Field(kCountry);
        if (!country.empty()) return country;
        if (!fallback_) fallback_ = in_.fallbackCountry ? PlaceText(in_.fallbackCountry()) : vb::String();
        return *fallback_;
    }

    static size_t Slot(int16_t id) {
        switch (id) {
        case kStreet:
            return 0;
        case kCity:
            return 1;
        case kState:
            return 2;
        case kPostalCode:
            return 3;
        default:
            return 4;
        }
    }

    const Inputs& in_;
    std::array<std::optional<vb::String>, 5> fields_;
    std::optional<vb::String> fallback_;
    std::optional<vb::String> start_;
};

}  // namespace

bool IsTemplate(vb::StringView url) {
    size_t next = 0;
    for (size_t i = 0; i < url.size(); ++i)
        if (PlaceholderAt(url, i, next)) return true;
    return false;
}

bool NamesStartAddress(vb::StringView url) {
    size_t next = 0;
    for (size_t i = 0; i < url.size(); ++i)
        if (PlaceholderAt(url, i, next) == Placeholder::From) return true;
    return false;
}

vb::String AddressText(const Inputs& in) { return Values(in).Address(); }

vb::String ExpandTemplate(vb::StringView url, const Inputs& in) {
    Values values(in);
    vb::String out;
    out.reserve(url.size() + 64);
    for (size_t i = 0; i < url.size();) {
        size_t next = 0;
        if (std::optional<Placeholder> what = PlaceholderAt(url, i, next)) {
            out += PercentEncode(values.Of(*what));
            i = next;
        } else {
            out += url[i++];
        }
    }
    return out;
}

vb::String PlaceText(vb::StringView field) {
    vb::String out;
    size_t start = 0;
    while (start <= field.size()) {
        size_t end = field.find_first_of(u"\r\n", start);
        if (end == vb::StringView::npos) end = field.size();
        vb::StringView line = Trimmed(field.substr(start, end - start));
        if (!line.empty()) {
            if (!out.empty()) out += u", ";
            out += line;
        }
        // CR LF is one line break.
        start = end + (field.substr(end).starts_with(u"\r\n") ? 2 : 1);
    }
    return out;
}

vb::String PercentEncode(vb::StringView text) {
    static constexpr char16_t kHex[] = u"0123456789ABCDEF";
    std::string bytes = vb::ToUtf8(text);
    vb::String out;
    out.reserve(bytes.size() * 3);
    for (unsigned char b : bytes) {
        bool unreserved = (b >= 'A' && b <= 'Z') || (b >= 'a' && b <= 'z') || (b >= '0' && b <= '9') || b == '-' ||
                          b == '.' || b == '_' || b == '~';
        if (unreserved) {
            out += static_cast<char16_t>(b);
        } else {
            out += u'%';
            out += kHex[b >> 4];
            out += kHex[b & 0xF];
        }
    }
    return out;
}

}  // namespace map_url
